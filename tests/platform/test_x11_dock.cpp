// SPDX-License-Identifier: MIT
// The dock with the Linux platform on a bare X server: Qt's xcb layer gives a window a new native
// window behind the widget's back, and the dock must go on parking and sliding the window through
// every one of them, on a touch of the strip, of the row just below it and of the column just right.

#include "form_taskbar.h"
#include "linux_platform.h"
#include "recording_messages.h"

#include <QCursor>
#include <QTest>
#include <QWindow>

using namespace quellor;

class TestX11Dock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void slidesThroughEveryNativeWindow_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("made topmost while hidden, then shown (a first start with a request)") << "start";
        QTest::newRow("hidden and shown again (a lock)") << "lock";
        QTest::newRow("given new flags (a new Qt window)") << "flags";
    }
    void slidesThroughEveryNativeWindow() {
        QFETCH(QString, how);
        LinuxPlatform platform;
        RecordingMessages messages;
        QWidget host(nullptr, Qt::FramelessWindowHint);
        host.resize(297, 241);
        new Form_TaskBar(&host, platform, messages);
        const auto nativeWindow = [&] { return host.windowHandle() ? host.windowHandle()->winId() : 0; };
        const int parked = 2 - host.height();
        QCursor::setPos(20, 600);

        if (how == "start") {
            host.winId(); // set up while hidden, as the main window is when a request comes first
        } else {
            host.show();
        }
        QTRY_COMPARE(host.frameGeometry().top(), parked);
        const WId before = nativeWindow();
        if (how == "lock") {
            host.hide();
        } else if (how == "flags") {
            host.setWindowFlags(host.windowFlags() | Qt::WindowStaysOnTopHint);
        }
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        // Each step gives the window a new native window.
        QVERIFY(nativeWindow() != before);

        const QRect r = host.frameGeometry();
        for (const QPoint touch :
             {QPoint(r.center().x(), 0), QPoint(r.center().x(), 2), QPoint(r.right() + 1, 1)}) {
            QCursor::setPos(touch);
            QTRY_COMPARE(host.frameGeometry().top(), 0);
            QCursor::setPos(r.center().x(), r.height() + 200);
            QTRY_COMPARE(host.frameGeometry().top(), parked);
        }
    }
};

QTEST_MAIN(TestX11Dock)
#include "test_x11_dock.moc"
