// SPDX-License-Identifier: MIT
// The once-a-second comparison of the clock with the two times, and the power actions it takes.

#include "app_rig.h"
#include "controls.h"
#include "options_dialog.h"

#include <QRadioButton>
#include <QTest>

#include <algorithm>

using namespace quellor;

namespace {

const QDate kDay(2026, 12, 7);

QDateTime at(const QString& hms, int msec = 0, int days = 0) {
    QTime t = QTime::fromString(hms, QStringLiteral("hh:mm:ss"));
    return QDateTime(kDay.addDays(days), t.addMSecs(msec));
}

// Types a shutdown time; the dialog that opens is confirmed with option 1 to 4, or cancelled (0).
void enterShutdown(AppRig& rig, const QString& digits, int option) {
    Form1& f = rig.mainWindow();
    QTest::mouseClick(f.VsNetBut1, Qt::LeftButton);
    QTest::keyClicks(f.Text3, digits);
    Form5* dialog = rig.forms.optionsDialog();
    QVERIFY(dialog);
    if (option == 0) {
        QTest::mouseClick(dialog->Command3, Qt::LeftButton);
    } else {
        QRadioButton* ops[] = {dialog->Op1, dialog->Op2, dialog->Op3, dialog->Op4};
        ops[option - 1]->setChecked(true);
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    }
    flushDeletes();
    QVERIFY(!rig.forms.optionsDialog());
}

void enterAlarm(AppRig& rig, const QString& digits) {
    Form1& f = rig.mainWindow();
    QTest::mouseClick(f.VsNetBut2, Qt::LeftButton);
    QTest::keyClicks(f.Text2, digits);
    QVERIFY(!f.Text2->isEnabled());
}

// What the alarm and the power actions did, in order.
QStringList happenings(const AppRig& rig) {
    QStringList out;
    for (const QString& e : rig.sound.log) {
        if (e == QLatin1String("Player1 play") || e.startsWith(QLatin1String("requestPower"))) {
            out << e;
        }
    }
    return out;
}

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadEnablesTheShutdownPrivilegeOnce() {
        AppRig rig;
        rig.mainWindow();
        // Only the privilege counts here: the dock's start-up tick may already have placed the
        // window, depending on how long loading took.
        const auto& calls = rig.platform.calls;
        QCOMPARE(std::count(calls.begin(), calls.end(), "enableShutdownPrivilege()"), 1);
        QVERIFY(std::none_of(calls.begin(), calls.end(),
                             [](const std::string& c) { return c.rfind("requestPower", 0) == 0; }));
        QCOMPARE(g_TimerAction, TimerAction::None);
    }

    void powerActionAtTheTime_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("request"); // empty: nothing at all
        QTest::newRow("shut down") << 1 << "requestPower(PowerOff)";
        QTest::newRow("restart") << 2 << "requestPower(Reboot)";
        QTest::newRow("log off") << 3 << "requestPower(EndSession)";
        QTest::newRow("wait") << 4 << "requestPower(PoliteLogoff)";
        QTest::newRow("options cancelled") << 0 << "";
    }
    void powerActionAtTheTime() {
        QFETCH(int, option);
        QFETCH(QString, request);
        AppRig rig;
        enterShutdown(rig, QStringLiteral("073000"), option);
        QCOMPARE(int(g_TimerAction), option);

        for (const char* t : {"07:29:58", "07:29:59"}) {
            rig.tickAt(at(QLatin1String(t)));
        }
        QCOMPARE(rig.platform.powerActions(), 0);
        for (const char* t : {"07:30:00", "07:30:01", "07:30:02"}) {
            rig.tickAt(at(QLatin1String(t)));
        }
        if (request.isEmpty()) {
            QCOMPARE(rig.platform.powerActions(), 0);
        } else {
            QCOMPARE(rig.platform.powerActions(), 1);
            QCOMPARE(rig.platform.calls.back(), request.toStdString());
        }
    }

    void optionsLeftOpenNeverFire() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        QTest::mouseClick(f.VsNetBut1, Qt::LeftButton);
        QTest::keyClicks(f.Text3, QStringLiteral("073000"));
        QVERIFY(rig.forms.optionsDialog());
        rig.tickAt(at(QStringLiteral("07:30:00")));
        QCOMPARE(rig.platform.powerActions(), 0);
    }

    void alarmFirstThenPowerInTheSameSecond() {
        AppRig rig;
        enterAlarm(rig, QStringLiteral("073000"));
        enterShutdown(rig, QStringLiteral("073000"), 2);
        rig.tickAt(at(QStringLiteral("07:30:00")));
        QCOMPARE(happenings(rig),
                 QStringList({QStringLiteral("Player1 play"), QStringLiteral("requestPower(Reboot)")}));
        QVERIFY(rig.forms.mainWindow().Command3->isEnabled());
    }

    void firesEveryDayAndKeepsTheTimes() {
        AppRig rig;
        enterAlarm(rig, QStringLiteral("073000"));
        enterShutdown(rig, QStringLiteral("073000"), 1);
        rig.tickAt(at(QStringLiteral("07:30:00")));
        rig.tickAt(at(QStringLiteral("07:30:01")));
        rig.tickAt(at(QStringLiteral("07:29:59"), 0, 1));
        rig.tickAt(at(QStringLiteral("07:30:00"), 0, 1));
        QCOMPARE(rig.platform.powerActions(PowerAction::PowerOff), 2);
        QCOMPARE(happenings(rig).count(QStringLiteral("Player1 play")), 2);
        QCOMPARE(rig.forms.mainWindow().Text3->text(), QStringLiteral("07:30:00"));
        QCOMPARE(rig.forms.mainWindow().Text2->text(), QStringLiteral("07:30:00"));
    }

    void cancelShutdownKeepsTheChosenAction() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        enterShutdown(rig, QStringLiteral("073000"), 2);
        rig.sound.clear();
        QTest::mouseClick(f.Command5, Qt::LeftButton);
        QCOMPARE(rig.cues(), QStringList{QStringLiteral("2.wav")});
        QVERIFY(f.Text3->text().isEmpty());
        QVERIFY(!f.Command5->isEnabled());
        QVERIFY(f.VsNetBut1->isEnabled());
        QCOMPARE(g_TimerAction, TimerAction::Restart);
        rig.tickAt(at(QStringLiteral("07:30:00")));
        QCOMPARE(rig.platform.powerActions(), 0);

        // A new time fires with the action chosen before, even when its dialog is cancelled.
        enterShutdown(rig, QStringLiteral("080000"), 0);
        rig.tickAt(at(QStringLiteral("08:00:00")));
        QCOMPARE(rig.platform.powerActions(PowerAction::Reboot), 1);
        QCOMPARE(rig.platform.powerActions(), 1);
    }

    void quickShutdownPowersOffAtOnce() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        rig.sound.clear();
        QTest::mouseClick(f.Command6, Qt::LeftButton);
        QCOMPARE(rig.platform.powerActions(), 1);
        QCOMPARE(rig.platform.powerActions(PowerAction::PowerOff), 1);
        QVERIFY(rig.cues().isEmpty());
        QVERIFY(rig.messages.shown.isEmpty());
    }

    // The clock field is an ordinary text box: each edit runs the check, the next tick puts the
    // time back.
    void typingIntoTheClock_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("alarm time") << "07:30:00" << QStringList{QStringLiteral("Player1 play")};
        QTest::newRow("power time") << "08:00:00" << QStringList{QStringLiteral("requestPower(EndSession)")};
        QTest::newRow("no time") << "09:00:00" << QStringList{};
        QTest::newRow("emptied") << "" << QStringList{};
    }
    void typingIntoTheClock() {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        AppRig rig;
        Form1& f = rig.mainWindow();
        enterAlarm(rig, QStringLiteral("073000"));
        enterShutdown(rig, QStringLiteral("080000"), 3);
        rig.tickAt(at(QStringLiteral("12:00:00")));
        f.Text1->setFocus();
        f.Text1->selectAll();
        QTest::keyClick(f.Text1, Qt::Key_Delete);
        QTest::keyClicks(f.Text1, typed);
        QCOMPARE(f.Text1->text(), typed);
        QCOMPARE(happenings(rig), expected);
        QCOMPARE(f.Command3->isEnabled(), expected.contains(QStringLiteral("Player1 play")));
        rig.tickAt(at(QStringLiteral("12:00:01")));
        QCOMPARE(f.Text1->text(), QStringLiteral("12:00:01"));
        QCOMPARE(happenings(rig), expected);
    }
};

QTEST_MAIN(TestSchedule)
#include "test_schedule.moc"
