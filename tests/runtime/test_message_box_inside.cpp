// SPDX-License-Identifier: MIT
// Message boxes of a window nothing can appear above (a Wayland lock): shown inside it, modal in
// effect, and gone without a trace once closed.
#include "message_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace quellor;

class TestMessageBoxInside : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void insideAndModal_data() {
        QTest::addColumn<bool>("inside");
        QTest::newRow("ordinary window: a box of its own") << false;
        QTest::newRow("window nothing covers: inside it") << true;
    }

    void insideAndModal() {
        QFETCH(bool, inside);
        QWidget host;
        host.resize(640, 480);
        auto* field = new QLineEdit(&host);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        host.windowHandle()->setProperty(kDialogsInsideProperty, inside);
        field->setFocus();

        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = QApplication::activeModalWidget()
                            ? qobject_cast<QMessageBox*>(QApplication::activeModalWidget())
                            : host.findChild<QMessageBox*>();
            QVERIFY(box);
            QCOMPARE(box->isWindow(), !inside);
            QCOMPARE(host.isAncestorOf(box), inside);
            if (inside) {
                // Keys meant for the rest of the window go nowhere while the box is open.
                QTest::keyClicks(field, QStringLiteral("abc"));
                QCOMPARE(field->text(), QString());
                // The box's title stands above it.
                QVERIFY(host.findChild<QWidget*>(QStringLiteral("DialogTitle")));
            }
            checked = true;
            box->accept();
        });
        QtMessageBoxes boxes;
        boxes.warning(&host, QStringLiteral("文字"));
        QVERIFY(checked);
        // Nothing is left behind in the window, and it takes keys again.
        QVERIFY(!host.findChild<QMessageBox*>());
        QVERIFY(!host.findChild<QWidget*>(QStringLiteral("DialogVeil")));
        QTest::keyClicks(field, QStringLiteral("x"));
        QCOMPARE(field->text(), QStringLiteral("x"));
    }
};

QTEST_MAIN(TestMessageBoxInside)
#include "test_message_box_inside.moc"
