// SPDX-License-Identifier: MIT

#include "shown_gate.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

using namespace quellor;

class TestShownGate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Work asked for while a window is on its way to the screen waits for it; with nothing on its
    // way it runs at once.
    void shownGate_data() {
        QTest::addColumn<bool>("windowShown");
        QTest::newRow("nothing shown") << false;
        QTest::newRow("window on its way") << true;
    }
    void shownGate() {
        QFETCH(bool, windowShown);
        QWidget window;
        window.resize(100, 100);
        if (windowShown) {
            window.show(); // exposed once the platform's events are handled
        }
        ShownGate gate;
        QObject context;
        int ran = 0;
        bool exposedWhenRun = false;
        gate.run(&context, [&] {
            ++ran;
            exposedWhenRun = window.windowHandle() && window.windowHandle()->isExposed();
        });
        QCOMPARE(ran, windowShown ? 0 : 1);
        QTRY_COMPARE(ran, 1);
        QCOMPARE(exposedWhenRun, windowShown);
        QVERIFY(gate.isOpen());
        gate.run(&context, [&] { ++ran; }); // open for good
        QCOMPARE(ran, 2);
    }

    void shownGateKeepsOrderAndDropsWorkWhoseContextWent() {
        QWidget window;
        window.resize(100, 100);
        window.show();
        ShownGate gate;
        QObject kept;
        auto gone = std::make_unique<QObject>();
        QStringList ran;
        gate.run(&kept, [&] { ran << QStringLiteral("first"); });
        gate.run(gone.get(), [&] { ran << QStringLiteral("dropped"); });
        gate.run(&kept, [&] { ran << QStringLiteral("third"); });
        gone.reset();
        QVERIFY(ran.isEmpty());
        QTRY_VERIFY(gate.isOpen());
        QCOMPARE(ran, (QStringList{QStringLiteral("first"), QStringLiteral("third")}));
    }
};

QTEST_MAIN(TestShownGate)
#include "test_shown_gate.moc"
