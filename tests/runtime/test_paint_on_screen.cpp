// SPDX-License-Identifier: MIT

#include "paint_on_screen.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace quellor;

namespace {
class PaintCount : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

class TestPaintOnScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A field whose window has carried it off every screen does not repaint; once any of it is
    // back on a screen it repaints, with the text it got meanwhile.
    void paintOnScreen_data() {
        QTest::addColumn<QPoint>("windowAt");
        QTest::addColumn<bool>("painting");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // The window's inside is 200 x 100, with the field at (10, 50), 100 x 30.
        QTest::newRow("on screen") << QPoint(10, 10) << true;
        QTest::newRow("parked, two rows showing") << QPoint(10, screen.top() - 98) << false;
        QTest::newRow("field's last row showing") << QPoint(10, screen.top() - 79) << true;
        QTest::newRow("field just above the edge") << QPoint(10, screen.top() - 80) << false;
        QTest::newRow("off the right edge") << QPoint(screen.right() + 1, 10) << false;
    }
    void paintOnScreen() {
        QFETCH(QPoint, windowAt);
        QFETCH(bool, painting);
        QWidget window;
        window.setGeometry(10, 10, 200, 100);
        auto* field = new QLineEdit(&window);
        field->setGeometry(10, 50, 100, 30);
        new PaintOnScreen(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(field->updatesEnabled());

        window.setGeometry(QRect(windowAt, window.size())); // the inside, whatever the frame
        QTRY_COMPARE(window.geometry().topLeft(), windowAt);
        QTRY_COMPARE(field->updatesEnabled(), painting);

        // What the platform exposes when a window moves is its own affair; the field's own
        // requests are what stop, and coming back repaints it with the text it got meanwhile.
        PaintCount paints;
        field->installEventFilter(&paints);
        field->setText(QStringLiteral("12:00:01"));
        if (painting) {
            QTRY_VERIFY(paints.count > 0);
            return;
        }
        QTest::qWait(50);
        paints.count = 0;
        window.setGeometry(10, 10, 200, 100);
        QTRY_VERIFY(field->updatesEnabled());
        QTRY_VERIFY(paints.count > 0); // the text it got while away
    }
};

QTEST_MAIN(TestPaintOnScreen)
#include "test_paint_on_screen.moc"
