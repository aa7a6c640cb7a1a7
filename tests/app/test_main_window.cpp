// SPDX-License-Identifier: MIT

#include "app_fixture.h"
#include "app_rig.h"
#include "controls.h"
#include "globals.h"
#include "main_window.h"

#include <QGroupBox>
#include <QTest>

using namespace quellor;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { g_TimerAction = TimerAction::None; }

    void loadEnablesOnlyTheStartingControls() {
        AppFixture app;
        Form1& f = app.forms.mainWindow();
        const QList<QWidget*> enabled{f.VsNetBut1, f.VsNetBut2, f.VsNetBut3,
                                      f.VsNetBut4, f.Command2,  f.Command6};
        const QList<QWidget*> disabled{f.Command3, f.Command4, f.Command5, f.Text3, f.Text2, f.Command1};
        for (QWidget* w : enabled) {
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        }
        for (QWidget* w : disabled) {
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        }
        QCOMPARE(app.platform.calls.front(), std::string("enableShutdownPrivilege()"));
        QCOMPARE(app.platform.powerActions(), 0);
    }

    void theFrameHoldsTheFocusAtStart() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Vantrel1"));
        const QString clock = f.Text1->text();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        QCOMPARE(f.Text1->text(), clock);
        QCOMPARE(rig.platform.powerActions(), 0);
    }

    void controlsCarryTheirCaptionsNamesAndPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::addColumn<QRect>("pixels"); // at 15 twips per pixel
        QTest::newRow("VsNetBut1") << "VsNetBut1"
                                   << "定时关机" << QRect(8, 32, 121, 33);
        QTest::newRow("Text3") << "Text3"
                               << "定时关机" << QRect(144, 32, 145, 33);
        QTest::newRow("VsNetBut2") << "VsNetBut2"
                                   << "闹钟定时" << QRect(8, 64, 121, 33);
        QTest::newRow("Text2") << "Text2"
                               << "闹钟定时" << QRect(144, 64, 145, 33);
        QTest::newRow("Command1") << "Command1"
                                  << "闹钟音乐" << QRect(8, 96, 121, 33);
        QTest::newRow("Text1") << "Text1"
                               << "系统时间" << QRect(8, 24, 129, 33);
        QTest::newRow("VsNetBut4") << "VsNetBut4"
                                   << "锁定计算机" << QRect(8, 128, 121, 33);
        QTest::newRow("Command3") << "Command3"
                                  << "关闭闹钟" << QRect(8, 168, 65, 25);
        QTest::newRow("Command6") << "Command6"
                                  << "快速关机" << QRect(224, 168, 65, 25);
        QTest::newRow("VsNetBut3") << "VsNetBut3"
                                   << "软件说明" << QRect(8, 200, 281, 33);
        QTest::newRow("Command2") << "Command2"
                                  << "X" << QRect(248, 0, 49, 25);
    }
    void controlsCarryTheirCaptionsNamesAndPlaces() {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        QFETCH(QRect, pixels);
        AppFixture app;
        Form1& f = app.forms.mainWindow();
        QCOMPARE(f.size(), QSize(297, 241));
        auto* w = f.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->accessibleName(), accessible);
        QCOMPARE(w->geometry(), pixels);
    }

    void titleAndTooltips() {
        AppFixture app;
        Form1& f = app.forms.mainWindow();
        QCOMPARE(f.windowTitle(), QStringLiteral("Quellor4.1"));
        QCOMPARE(f.VsNetBut4->toolTip(), QStringLiteral("系统设定"));
        QCOMPARE(f.Text3->toolTip(), QStringLiteral("HH:mm:ss"));
        QCOMPARE(f.Text1->toolTip(), QStringLiteral("系统时间"));
        QCOMPARE(f.Frame1->title(), QStringLiteral("系统时间"));
    }

    void clockShowsTwoDigitFieldsOfTheSecond_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        QTest::newRow("morning") << QTime(7, 5, 9, 3) << "07:05:09";
        QTest::newRow("midnight") << QTime(0, 0, 0) << "00:00:00";
        QTest::newRow("late") << QTime(23, 59, 59, 999) << "23:59:59";
        QTest::newRow("afternoon") << QTime(13, 30, 0) << "13:30:00";
    }
    void clockShowsTwoDigitFieldsOfTheSecond() {
        QFETCH(QTime, time);
        QFETCH(QString, shown);
        AppFixture app;
        Form1& f = app.forms.mainWindow();
        QCOMPARE(f.Text1->text(), QString()); // empty until the first tick
        app.clock.setTime(time);
        f.Timer1_Timer();
        QCOMPARE(f.Text1->text(), shown);
    }

    void clockTickerRunsFromLoad() {
        AppFixture app;
        Form1& f = app.forms.mainWindow();
        QVERIFY(f.Timer1->isActive());
    }

    void xEndsTheProgramAtOnceEvenWithADialogOpen() {
        AppFixture app;
        Form1& f = app.forms.mainWindow();
        app.forms.showAbout();
        QTest::mouseClick(f.Command2, Qt::LeftButton);
        QCOMPARE(app.ended, 1);
        QCOMPARE(app.platform.powerActions(), 0);
    }

    void closingTheMainWindowEndsTheProgram() {
        AppFixture app;
        app.forms.showMainWindow();
        app.forms.mainWindow().close();
        QCOMPARE(app.ended, 1);
    }

    void hidingTheMainWindowKeepsTheClockRunning() {
        AppFixture app;
        app.forms.showMainWindow();
        app.forms.hideMainWindow();
        Form1& f = app.forms.mainWindow();
        QVERIFY(!f.isVisible());
        app.clock.setTime(QTime(8, 0, 1));
        f.Timer1_Timer();
        QCOMPARE(f.Text1->text(), QStringLiteral("08:00:01"));
        QCOMPARE(app.ended, 0);
    }

    void cuesOfTheButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("cue");
        QTest::newRow("timed shutdown") << "VsNetBut1"
                                        << "2.wav";
        QTest::newRow("alarm time") << "VsNetBut2"
                                    << "2.wav";
        QTest::newRow("about") << "VsNetBut3"
                               << "5.wav";
        QTest::newRow("lock") << "VsNetBut4"
                              << "2.wav";
    }
    void cuesOfTheButtons() {
        QFETCH(QString, button);
        QFETCH(QString, cue);
        AppFixture app;
        app.forms.showMainWindow();
        Form1& f = app.forms.mainWindow();
        app.sound.clear();
        QTest::mouseClick(f.findChild<QWidget*>(button), Qt::LeftButton);
        QVERIFY2(
            app.sound.log.contains(QStringLiteral("Player2 open ") + app.dir.path() + QLatin1Char('/') + cue),
            qPrintable(app.sound.log.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
