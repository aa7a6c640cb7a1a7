// SPDX-License-Identifier: MIT
// Two monitors side by side, the primary on the right (tests/platform/two_screens.json): the dock
// belongs on the primary, not on the seam of the union the two make.
#include "form_taskbar.h"
#include "linux_platform.h"
#include "recording_messages.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace quellor;

class TestScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->name(), QStringLiteral("primary"));
    }

    void desktopIsThePrimaryScreen() {
        LinuxPlatform platform;
        QCOMPARE(platform.desktopRect(), (ScreenRect{1280, 0, 3200, 1080}));
    }

    void dockParksCentredOnThePrimary() {
        LinuxPlatform platform;
        RecordingMessages messages;
        QWidget host(nullptr, Qt::FramelessWindowHint);
        host.setGeometry(100, 150, 297, 241);
        auto* dock = new Form_TaskBar(&host, platform, messages);
        dock->tmrDelayedInit_Timer();
        // 1280 + (1920 - 297) / 2 = 2091.5 pixels, halves to even; the union would give 1452.
        QCOMPARE(host.frameGeometry().topLeft(), QPoint(2092, -239));
    }
};

QTEST_MAIN(TestScreens)
#include "test_screens.moc"
