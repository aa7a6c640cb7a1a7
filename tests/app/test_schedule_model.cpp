// SPDX-License-Identifier: MIT
// The schedule against a fake clock, one journey per row: armed and cancelled from the window,
// the options dialog, the bus, the command line and the notifications; the clock stepped, late,
// suspended, set back and across both nights of a change of summer time (Europe/Berlin). Each
// row's log reads in order what a user would have noticed.

#include "app_rig.h"
#include "command_line.h"
#include "control_host.h"
#include "controls.h"
#include "idle_inhibitor.h"
#include "notifications.h"
#include "options_dialog.h"
#include "time_text.h"

#include <QRadioButton>
#include <QTest>

#include <time.h>

using namespace quellor;

namespace {

// Notifications and holds go into the rig's one log, so it shows the order things happened in.
class LoggedNotifications : public Notifications {
public:
    explicit LoggedNotifications(QStringList& log) : m_log(log) {}
    std::function<void()> action;
    void show(const std::string& summary, const std::string& body, const std::string& label,
              std::function<void()> onAction) override {
        m_log << QString::fromStdString("note " + summary + "|" + body + "|" + label);
        action = std::move(onAction);
    }
    void close() override {
        m_log << QStringLiteral("closed");
        action = {};
    }

private:
    QStringList& m_log;
};

class LoggedInhibitor : public IdleInhibitor {
public:
    explicit LoggedInhibitor(QStringList& log) : m_log(log) {}
    void hold(const std::string& why) override { m_log << QString::fromStdString("hold " + why); }
    void release() override { m_log << QStringLiteral("release"); }

private:
    QStringList& m_log;
};

struct ModelRig : AppRig {
    LoggedNotifications warnings{sound.log};
    LoggedNotifications alarms{sound.log};
    LoggedInhibitor awake{sound.log};
    ScheduleModel& schedule = forms.schedule();
    // Before the host's observers, so what came due is logged before what followed from it.
    bool stamping = stampDueTimes();
    ControlHost host{forms, warnings, alarms, awake};

    bool stampDueTimes() {
        QObject::connect(&schedule, &ScheduleModel::alarmDue,
                         [this] { sound.log << stamp(QStringLiteral("ring")); });
        QObject::connect(&schedule, &ScheduleModel::actionDue,
                         [this](TimerAction a) { sound.log << stamp(actionName(a)); });
        return true;
    }
    QString stamp(const QString& what) const {
        return clock.now().toString(QStringLiteral("hh:mm:ss ")) + what;
    }

    void tickAfter(qint64 ms, bool awakeMeanwhile = true) {
        if (awakeMeanwhile) {
            clock.advanceMs(ms);
        } else {
            clock.suspendMs(ms);
        }
        schedule.tick();
    }

    void refused(const QString& error) {
        if (!error.isEmpty()) {
            sound.log << QStringLiteral("refused ") + error;
        }
    }

    // One step of a row: a word and its arguments.
    void run(QString step) {
        const QStringList w = step.replace(QLatin1String("\\n"), QLatin1String("\n")).split(QLatin1Char(' '));
        const QString& verb = w[0];
        const int n = w.value(1).toInt();
        if (verb == QLatin1String("at")) {
            clock.set(w[1].endsWith(QLatin1Char('Z')) ? QDateTime::fromString(w[1], Qt::ISODate).toLocalTime()
                                                      : QDateTime::fromString(w[1], Qt::ISODate));
        } else if (verb == QLatin1String("tick")) {
            schedule.tick();
        } else if (verb == QLatin1String("run")) { // n ticks a second apart
            for (int i = 0; i < n; ++i) {
                tickAfter(1000);
            }
        } else if (verb == QLatin1String("late")) { // one tick n seconds on
            tickAfter(n * 1000);
        } else if (verb == QLatin1String("sleep")) { // suspended n seconds, then a tick
            tickAfter(n * 1000, false);
        } else if (verb == QLatin1String("step")) { // the wall clock set by n seconds, then a tick
            clock.set(clock.now().addSecs(n));
            schedule.tick();
        } else if (verb == QLatin1String("bus")) {
            const QString arg = w.mid(2).join(QLatin1Char(' '));
            if (w[1] == QLatin1String("cancel")) {
                host.service.CancelAction();
            } else if (w[1] == QLatin1String("cancel-alarm")) {
                host.service.CancelAlarm();
            } else if (w[1] == QLatin1String("alarm")) {
                refused(host.service.setAlarm(arg, {}));
            } else {
                refused(host.service.scheduleAction(w[1], arg));
            }
        } else if (verb == QLatin1String("cli")) {
            const Invocation inv = parseCommandLine(w.mid(1), dir.path());
            refused(inv.mode == Invocation::Mode::Invalid ? inv.error : applyRequest(schedule, inv.request));
        } else if (verb == QLatin1String("window")) {
            window(w.mid(1));
        } else if (verb ==
                   QLatin1String("options")) { // the options dialog opened and confirmed with option n
            Form5& d = forms.showOptions();
            QRadioButton* ops[] = {d.Op1, d.Op2, d.Op3, d.Op4};
            ops[n - 1]->setChecked(true);
            QTest::mouseClick(d.Command2, Qt::LeftButton);
            flushDeletes();
        } else if (verb == QLatin1String("note")) { // the last notification's action
            const std::function<void()> action =
                (w.value(1) == QLatin1String("alarm") ? alarms : warnings).action;
            QVERIFY2(action, qPrintable(step));
            action();
        } else {
            QFAIL(qPrintable(QStringLiteral("no such step: ") + step));
        }
    }

    void window(const QStringList& w) {
        Form1& f = mainWindow();
        if (w[0] == QLatin1String("shutdown")) { // digits, then the option confirmed (0: cancelled)
            QTest::mouseClick(f.VsNetBut1, Qt::LeftButton);
            QTest::keyClicks(f.Text3, w[1]);
            Form5* d = forms.optionsDialog();
            QVERIFY(d);
            if (w[2] == QLatin1String("0")) {
                QTest::mouseClick(d->Command3, Qt::LeftButton);
            } else {
                QRadioButton* ops[] = {d->Op1, d->Op2, d->Op3, d->Op4};
                ops[w[2].toInt() - 1]->setChecked(true);
                QTest::mouseClick(d->Command2, Qt::LeftButton);
            }
        } else if (w[0] == QLatin1String("alarm")) {
            QTest::mouseClick(f.VsNetBut2, Qt::LeftButton);
            QTest::keyClicks(f.Text2, w[1]);
        } else {
            const QMap<QString, QWidget*> buttons{{QStringLiteral("cancel"), f.Command5},
                                                  {QStringLiteral("cancel-alarm"), f.Command4},
                                                  {QStringLiteral("stop"), f.Command3}};
            QVERIFY(buttons.contains(w[0]));
            QTest::mouseClick(buttons[w[0]], Qt::LeftButton);
        }
        flushDeletes();
    }

    // The log as the row states it: cues by name (not the key clicks'), power requests only
    // through the schedule's own entries.
    QStringList journal() const {
        QStringList out;
        for (const QString& e : sound.log) {
            if (e.startsWith(QLatin1String("Player2 open "))) {
                const QString cue = e.mid(e.lastIndexOf(QLatin1Char('/')) + 1);
                if (cue != QLatin1String("4.wav")) {
                    out << QStringLiteral("cue ") + cue;
                }
            } else if (e == QLatin1String("Player1 halt")) {
                out << QStringLiteral("halt");
            } else if (!e.startsWith(QLatin1String("Player")) &&
                       !e.startsWith(QLatin1String("requestPower"))) {
                out << e;
            }
        }
        return out;
    }
};

} // namespace

class TestScheduleModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // Both nights of a change of summer time fall in this zone's 2027.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void journeys_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("state"); // the bus's Action|ActionTime|AlarmTime at the end
        auto row = [](const char* name, QStringList steps, QStringList log, const char* state) {
            QTest::newRow(name) << steps << log << QString::fromUtf8(state);
        };
        const QString hold = QStringLiteral("hold 定时关机 12:00:05");
        const QString warn = QStringLiteral("note 将在 5 秒后重新启动|12:00:05|取消关机");

        // The clock's rules, armed from the bus at 12:00:00 for 12:00:05.
        const QStringList armed{"tick", "bus restart 12:00:05"};
        row("on time", armed + QStringList{"run 6"}, {hold, warn, "12:00:05 restart", "release", "closed"},
            "restart|12:00:05|");
        row("late tick runs the passed second", armed + QStringList{"run 3", "late 4"},
            {hold, warn, "12:00:07 restart", "release", "closed"}, "restart|12:00:05|");
        row("a minute late still runs it", armed + QStringList{"late 60"},
            {hold, warn, "12:01:00 restart", "release", "closed"}, "restart|12:00:05|");
        row("late tick runs passed seconds in their order",
            {"tick", "bus alarm 12:00:04", "bus restart 12:00:02", "late 5"},
            {"hold 闹钟定时 12:00:04", "hold 定时关机 12:00:02，闹钟定时 12:00:04",
             "note 将在 2 秒后重新启动|12:00:02|取消关机", "12:00:05 restart", "hold 闹钟定时 12:00:04",
             "closed", "12:00:05 ring", "release", "note 闹钟正在响|12:00:04|关闭闹钟"},
            "restart|12:00:02|12:00:04");
        row("a jump lands on it: runs", armed + QStringList{"step 605", "step -600"},
            {hold, warn, "closed", "12:00:05 restart", "release"}, "restart|12:00:05|");
        row("over a minute late does not", armed + QStringList{"late 61"}, {hold, warn, "closed"},
            "restart|12:00:05|");
        row("time sync steps over it: runs once", armed + QStringList{"run 3", "step 4", "run 3"},
            {hold, warn, "12:00:07 restart", "release", "closed"}, "restart|12:00:05|");
        row("clock set a minute ahead: not run", armed + QStringList{"step 61", "run 3"},
            {hold, warn, "closed"}, "restart|12:00:05|");
        row("suspended over it: not run", armed + QStringList{"run 3", "sleep 20", "run 3"},
            {hold, warn, "closed"}, "restart|12:00:05|");
        row("suspended for seconds: not run", armed + QStringList{"run 3", "sleep 4"}, {hold, warn, "closed"},
            "restart|12:00:05|");
        row("clock set back after it ran: not again", armed + QStringList{"run 6", "step -5", "run 6"},
            {hold, warn, "12:00:05 restart", "release", "closed"}, "restart|12:00:05|");
        row("clock set back onto it before it ran", armed + QStringList{"run 3", "step -10", "late 12"},
            {hold, warn, "12:00:05 restart", "release", "closed"}, "restart|12:00:05|");
        row("every day", armed + QStringList{"run 6", "at 2026-12-08T12:00:00", "tick", "run 5"},
            {hold, warn, "12:00:05 restart", "release", "closed", warn, "12:00:05 restart", "closed"},
            "restart|12:00:05|");
        row("two ticks in one second", {"tick", "bus alarm 12:00:01", "late 1", "tick", "tick"},
            {"hold 闹钟定时 12:00:01", "12:00:01 ring", "release", "note 闹钟正在响|12:00:01|关闭闹钟"},
            "||12:00:01");
        row("over midnight", {"at 2026-12-07T23:59:58", "tick", "bus alarm 0:00", "late 3"},
            {"hold 闹钟定时 00:00:00", "00:00:01 ring", "release", "note 闹钟正在响|00:00:00|关闭闹钟"},
            "||00:00:00");

        // The nights of a change: 02:00 becomes 03:00 on 28 March, 03:00 becomes 02:00 on 31 October.
        row("skipped hour: runs at the first second after the jump",
            {"at 2027-03-28T01:59:57", "tick", "bus restart 2:30", "bus alarm 2:59:59", "run 5"},
            {"hold 定时关机 02:30:00", "hold 定时关机 02:30:00，闹钟定时 02:59:59", "03:00:00 ring",
             "hold 定时关机 02:30:00", "note 闹钟正在响|02:59:59|关闭闹钟", "03:00:00 restart", "release"},
            "restart|02:30:00|02:59:59");
        row("repeated hour: runs once", {"at 2027-10-31T00:29:58Z", "tick", "bus logoff 2:30", "run 3605"},
            {"hold 定时关机 02:30:00", "note 将在 2 秒后注销|02:30:00|取消关机", "02:30:00 logoff", "release",
             "closed"},
            "logoff|02:30:00|");

        // Every surface arms and cancels the same schedule; only the window's own clicks sound.
        row("typed in the window", {"tick", "window shutdown 120010 2", "run 10"},
            {"cue 2.wav", "cue 2.wav", "hold 定时关机 12:00:10",
             "note 将在 10 秒后重新启动|12:00:10|取消关机", "12:00:10 restart", "release", "closed"},
            "restart|12:00:10|");
        row("options cancelled: nothing armed", {"tick", "window shutdown 120010 0", "run 10"},
            {"cue 2.wav", "cue 2.wav"}, "||");
        row("options confirmed later: armed at once", {"tick", "window shutdown 130000 0", "options 3"},
            {"cue 2.wav", "cue 2.wav", "hold 定时关机 13:00:00"}, "logoff|13:00:00|");
        row("countdown from the command line", {"cli --shutdown +30 --alarm +1"},
            {"hold 定时关机 12:30:00", "hold 定时关机 12:30:00，闹钟定时 12:01:00"},
            "shutdown|12:30:00|12:01:00");
        row("script over a typed time: the window follows",
            {"window shutdown 130000 1", "cli --restart 14:00"},
            {"cue 2.wav", "cue 2.wav", "hold 定时关机 13:00:00", "hold 定时关机 14:00:00"},
            "restart|14:00:00|");
        row("cancelled from the command line", {"bus restart 12:00:30", "cli --cancel"},
            {"hold 定时关机 12:00:30", "note 将在 30 秒后重新启动|12:00:30|取消关机", "release", "closed"},
            "||");
        row("cancelled in the window after a script armed it", {"bus restart 13:00", "window cancel"},
            {"hold 定时关机 13:00:00", "cue 2.wav", "release"}, "||");
        row("cancelled from the warning", {"tick", "bus restart 12:00:20", "note", "run 25"},
            {"hold 定时关机 12:00:20", "note 将在 20 秒后重新启动|12:00:20|取消关机", "release", "closed"},
            "||");
        row("alarm stopped from its notification",
            {"tick", "bus alarm 12:00:02", "run 2", "note alarm", "run 1"},
            {"hold 闹钟定时 12:00:02", "12:00:02 ring", "release", "note 闹钟正在响|12:00:02|关闭闹钟",
             "halt", "closed"},
            "||12:00:02");
        row("alarm stopped in the window", {"tick", "window alarm 120002", "run 2", "window stop"},
            {"cue 2.wav", "hold 闹钟定时 12:00:02", "12:00:02 ring", "release",
             "note 闹钟正在响|12:00:02|关闭闹钟", "cue 2.wav", "halt", "closed"},
            "||12:00:02");
        row("alarm cancelled: the music plays on",
            {"tick", "bus alarm 12:00:01", "run 1", "cli --cancel-alarm"},
            {"hold 闹钟定时 12:00:01", "12:00:01 ring", "release", "note 闹钟正在响|12:00:01|关闭闹钟"},
            "||");
        row("re-armed: the hold names the new time", {"bus shutdown 22:00", "bus restart 23:00:30"},
            {"hold 定时关机 22:00:00", "hold 定时关机 23:00:30"}, "restart|23:00:30|");

        // Refused requests change nothing and quote only a short prefix.
        row("a line break in a time", {"bus restart 07:00\\n", "cli --alarm 7:00\\n"},
            {"refused \"07:00\\n\" is not a time of day (HH:MM or HH:MM:SS, 24-hour, or +MINUTES)",
             "refused --alarm: \"7:00\\n\" is not a time of day (HH:MM or HH:MM:SS, 24-hour, or +MINUTES)"},
            "||");
        row("unknown action", {"bus reboot 12:00"},
            {"refused unknown action \"reboot\": shutdown, restart or logoff"}, "||");
        row("a countdown too long", {"bus shutdown +1441"},
            {"refused \"+1441\" is not a time of day (HH:MM or HH:MM:SS, 24-hour, or +MINUTES)"}, "||");
    }
    void journeys() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, log);
        QFETCH(QString, state);
        ModelRig rig;
        for (const QString& step : steps) {
            rig.run(step);
        }
        QCOMPARE(rig.journal(), log);
        const ControlService& bus = rig.host.service;
        QCOMPARE(bus.action() + QLatin1Char('|') + bus.actionTime() + QLatin1Char('|') + bus.alarmTime(),
                 state);
        QCOMPARE(rig.platform.powerActions(),
                 int(log.filter(QRegularExpression(
                                    QStringLiteral("^\\d\\d:\\d\\d:\\d\\d (shutdown|restart|logoff)$")))
                         .size()));
        QVERIFY(!rig.forms.optionsDialog()); // a script opens none
        // The window, where it was loaded, shows what is armed as if it had been typed there.
        if (rig.forms.mainWindowLoaded()) {
            const Form1& f = rig.forms.mainWindow();
            QCOMPARE(f.Text3->text(), rig.schedule.actionText());
            QCOMPARE(f.Text2->text(), rig.schedule.alarmText());
            QCOMPARE(f.Command5->isEnabled(), !rig.schedule.actionText().isEmpty());
            QCOMPARE(f.VsNetBut1->isEnabled(), rig.schedule.actionText().isEmpty());
            QCOMPARE(f.Command3->isEnabled(), rig.schedule.ringing());
        }
    }

    void quoting_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("short") << "7:00"
                               << "\"7:00\"";
        QTest::newRow("controls escaped") << "7\n\t\x1b"
                                          << "\"7\\n\\x09\\x1b\"";
        QTest::newRow("long cut") << QString(100000, QLatin1Char('9'))
                                  << "\"" + QString(64, QLatin1Char('9')) + "…\"";
    }
    void quoting() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(quellor::quoted(text), quoted);
    }
};

QTEST_MAIN(TestScheduleModel)
#include "test_schedule_model.moc"
