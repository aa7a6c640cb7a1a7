// Arming and cancelling from a script through the windows' own handlers, and what happens
// before the armed action runs: the warning a minute ahead and the session held awake.

#include "answering_chooser.h"
#include "app_rig.h"
#include "controls.h"
#include "file_bytes.h"
#include "globals.h"
#include "idle_inhibitor.h"
#include "main_window.h"
#include "notifications.h"
#include "options_dialog.h"
#include "power_warning.h"
#include "schedule_control.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace quellor;

namespace {

class RecordingNotifications : public Notifications {
public:
    QStringList shown; // "summary|body|action"
    int closed = 0;
    std::function<void()> action;
    void show(const std::string& summary, const std::string& body, const std::string& label,
              std::function<void()> onAction) override {
        shown << QString::fromStdString(summary + "|" + body + "|" + label);
        action = std::move(onAction);
    }
    void close() override {
        ++closed;
        action = {};
    }
};

class RecordingInhibitor : public IdleInhibitor {
public:
    bool held = false;
    int holds = 0;
    void hold(const std::string&) override {
        holds += held ? 0 : 1;
        held = true;
    }
    void release() override { held = false; }
};

struct ControlRig {
    RecordingSound sound;
    FakePlatform platform;
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(12, 0, 0))};
    RecordingMessages messages;
    ScriptedChooser user;
    AnsweringChooser files{user};
    QTemporaryDir dir;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms{services};
    ScheduleControl control{forms, files};
    RecordingNotifications notes;
    RecordingInhibitor awake;
    PowerWarning warning{control, notes, awake};

    ControlRig() {
        linkFrameLibrary(dir.path());
        g_TimerAction = TimerAction::None;
        forms.onEnd = [] {};
    }
    Form1& window() {
        Form1& f = forms.mainWindow();
        f.Timer1->stop(); // ticked by hand
        return f;
    }
    // Lets time pass to `hms` on the clock's day and delivers that tick.
    void tickAt(const QString& hms) {
        const QDateTime t(clock.now().date(), QTime::fromString(hms, QStringLiteral("hh:mm:ss")));
        clock.advanceMs(clock.now().msecsTo(t));
        window().Timer1_Timer();
    }
    QByteArray settings() const {
        return fileBytes(services.statePath(QStringLiteral("Diri.dll")), "(none)");
    }
    // The main window's time-entry states, as enabled flags: 定时关机, Text3, 取消关机,
    // 闹钟定时, Text2, 取消闹钟, 闹钟音乐.
    QString buttons() {
        const Form1& f = window();
        QString out;
        for (const QWidget* w : std::initializer_list<const QWidget*>{
                 f.VsNetBut1, f.Text3, f.Command5, f.VsNetBut2, f.Text2, f.Command4, f.Command1}) {
            out += w->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return out;
    }
};

} // namespace

class TestScheduleControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // From idle, armed, or half typed: the field shows the time, the dialog's OK has run.
    void scheduleAction_data() {
        QTest::addColumn<int>("before"); // 0 idle, 1 already armed for 08:00:00, 2 "08" half typed
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("shutdown from idle") << 0 << int(TimerAction::ShutDown) << QByteArray(" 1 \r\n");
        QTest::newRow("restart over an armed time")
            << 1 << int(TimerAction::Restart) << QByteArray(" 2 \r\n");
        QTest::newRow("logoff over a half-typed time")
            << 2 << int(TimerAction::LogOff) << QByteArray(" 3 \r\n");
    }
    void scheduleAction() {
        QFETCH(int, before);
        QFETCH(int, action);
        QFETCH(QByteArray, file);
        ControlRig rig;
        Form1& f = rig.window();
        if (before == 1) {
            QCOMPARE(rig.control.scheduleAction(TimerAction::Wait, QStringLiteral("8:00")), QString());
        } else if (before == 2) {
            f.VsNetBut1_Click();
            f.Text3->setText(QStringLiteral("08"));
        }
        QSignalSpy changes(&rig.control, &ScheduleControl::stateChanged);
        QCOMPARE(rig.control.scheduleAction(TimerAction(action), QStringLiteral("23:15")), QString());
        QCOMPARE(f.Text3->text(), QStringLiteral("23:15:00"));
        QCOMPARE(int(g_TimerAction), action);
        QCOMPARE(rig.settings(), file);
        QCOMPARE(rig.buttons(), QStringLiteral("0011000"));
        flushDeletes();
        QVERIFY(!rig.forms.optionsDialog());
        QCOMPARE(changes.size(), 1); // no half-done states on the way
        QCOMPARE(rig.control.state(), (ArmedState{TimerAction(action), QStringLiteral("23:15:00"), {}}));
    }

    void refusedRequestsChangeNothing() {
        ControlRig rig;
        Form1& f = rig.window();
        QVERIFY(!rig.control.scheduleAction(TimerAction::Restart, QStringLiteral("24:00")).isEmpty());
        QVERIFY(!rig.control.setAlarm(QStringLiteral("7:00"), rig.dir.filePath(QStringLiteral("gone.mp3")))
                     .isEmpty());
        QVERIFY(!rig.control.setAlarm(QStringLiteral("7:00"), QStringLiteral("relative.mp3")).isEmpty());
        ControlRequest mixed;
        mixed.cancelAction = true;
        mixed.action = TimerAction::Restart;
        mixed.actionTime = QStringLiteral("12:00");
        mixed.alarmTime = QStringLiteral("99:00");
        QCOMPARE(rig.control.scheduleAction(TimerAction::ShutDown, QStringLiteral("9:00")), QString());
        QVERIFY(!rig.control.apply(mixed).isEmpty());
        QCOMPARE(f.Text3->text(), QStringLiteral("09:00:00")); // the cancel in it did not run either
        QCOMPARE(f.Text2->text(), QString());
        QCOMPARE(g_TimerAction, TimerAction::ShutDown);
    }

    // As "取消关机" and "取消闹钟": the fields empty, their buttons back; the action stays chosen.
    void cancelling() {
        ControlRig rig;
        QFile song(rig.dir.filePath(QStringLiteral("wake.mp3")));
        QVERIFY(song.open(QIODevice::WriteOnly));
        ControlRequest r;
        r.action = TimerAction::Restart;
        r.actionTime = QStringLiteral("12:30");
        r.alarmTime = QStringLiteral("7:00");
        r.music = song.fileName();
        QCOMPARE(rig.control.apply(r), QString());
        QCOMPARE(rig.buttons(), QStringLiteral("0010010"));
        QVERIFY(rig.sound.log.contains(QStringLiteral("Player1 open ") + song.fileName()));
        QCOMPARE(rig.control.state(),
                 (ArmedState{TimerAction::Restart, QStringLiteral("12:30:00"), QStringLiteral("07:00:00")}));

        rig.control.cancelAction();
        rig.control.cancelAlarm();
        QCOMPARE(rig.buttons(), QStringLiteral("1001000"));
        QCOMPARE(rig.window().Text3->text(), QString());
        QCOMPARE(rig.window().Text2->text(), QString());
        QCOMPARE(g_TimerAction, TimerAction::Restart);
        QCOMPARE(rig.control.state(), ArmedState{});
        rig.control.cancelAction(); // nothing armed: nothing happens
        QCOMPARE(rig.buttons(), QStringLiteral("1001000"));
    }

    // Arming without music leaves "闹钟音乐" to the user, as arming in the window does.
    void alarmRingsWithoutMusicChosen() {
        ControlRig rig;
        QCOMPARE(rig.control.setAlarm(QStringLiteral("12:00:05"), QString()), QString());
        QCOMPARE(rig.buttons(), QStringLiteral("1000011"));
        QCOMPARE(rig.user.shown, 0);
        rig.tickAt(QStringLiteral("12:00:05"));
        QVERIFY(rig.sound.log.contains(QStringLiteral("Player1 play")));
    }

    void optionsDialogOkSeenAtTheNextTick() {
        ControlRig rig;
        Form1& f = rig.window();
        f.VsNetBut1_Click();
        QTest::keyClicks(f.Text3, QStringLiteral("130000"));
        QCOMPARE(rig.control.state(), ArmedState{}); // no action chosen yet
        rig.forms.optionsDialog()->Command2_Click();
        rig.tickAt(QStringLiteral("12:00:01"));
        QCOMPARE(rig.control.state(), (ArmedState{TimerAction::ShutDown, QStringLiteral("13:00:00"), {}}));
        QVERIFY(rig.awake.held);
    }

    // Seconds left when armed -> when the warning shows and what it says.
    void warning_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<QString>("warnedAt"); // empty: at once
        QTest::addColumn<QString>("text");
        QTest::newRow("a minute ahead")
            << "12:00:00"
            << "12:05:00" << int(TimerAction::ShutDown)
            << QStringList{"12:03:59", "12:04:00", "12:04:01", "12:04:59"} << "12:04:00"
            << "将在 60 秒后关机|12:05:00|取消关机";
        QTest::newRow("armed 30 s ahead")
            << "12:00:00"
            << "12:00:30" << int(TimerAction::Restart) << QStringList{"12:00:01"} << ""
            << "将在 30 秒后重新启动|12:00:30|取消关机";
        QTest::newRow("log off, across midnight")
            << "23:00:00"
            << "00:00:10" << int(TimerAction::LogOff) << QStringList{"23:59:09", "23:59:10"} << "23:59:10"
            << "将在 60 秒后注销|00:00:10|取消关机";
    }
    void warning() {
        QFETCH(QString, start);
        QFETCH(QString, at);
        QFETCH(int, action);
        QFETCH(QStringList, ticks);
        QFETCH(QString, warnedAt);
        QFETCH(QString, text);
        ControlRig rig;
        rig.clock.setTime(QTime::fromString(start, QStringLiteral("hh:mm:ss")));
        QCOMPARE(rig.control.scheduleAction(TimerAction(action), at), QString());
        QVERIFY(rig.awake.held);
        QCOMPARE(rig.notes.shown.size(), warnedAt.isEmpty() ? 1 : 0);
        for (const QString& t : ticks) {
            rig.tickAt(t);
            QCOMPARE(rig.notes.shown.size(), warnedAt.isEmpty() || t >= warnedAt ? 1 : 0);
        }
        QCOMPARE(rig.notes.shown.value(0), text);
        QCOMPARE(rig.platform.powerActions(), 0);
    }

    // The notification's action cancels as the button does: the action never runs.
    void cancelFromTheNotification() {
        ControlRig rig;
        QCOMPARE(rig.control.scheduleAction(TimerAction::Restart, QStringLiteral("12:00:20")), QString());
        QVERIFY(rig.notes.action);
        rig.notes.action();
        QCOMPARE(rig.window().Text3->text(), QString());
        QCOMPARE(rig.buttons(), QStringLiteral("1001000"));
        QVERIFY(!rig.awake.held);
        QVERIFY(rig.notes.closed >= 1);
        rig.tickAt(QStringLiteral("12:00:20"));
        QCOMPARE(rig.platform.powerActions(), 0);
    }

    // The inhibitor is held from arming until the action runs, on time or caught up by a late
    // tick, and not again until armed anew; the next day is warned of again.
    void awakeUntilTheActionRuns_data() {
        QTest::addColumn<QStringList>("ticks");
        QTest::newRow("on time") << QStringList{"12:00:09", "12:00:10"};
        QTest::newRow("late tick") << QStringList{"12:00:08", "12:00:12"};
    }
    void awakeUntilTheActionRuns() {
        QFETCH(QStringList, ticks);
        ControlRig rig;
        QSignalSpy ran(&rig.control, &ScheduleControl::actionRan);
        QCOMPARE(rig.control.scheduleAction(TimerAction::Restart, QStringLiteral("12:00:10")), QString());
        QVERIFY(rig.awake.held);
        for (const QString& t : ticks) {
            QVERIFY(rig.awake.held);
            rig.tickAt(t);
        }
        QCOMPARE(rig.platform.powerActions(PowerAction::Reboot), 1);
        QCOMPARE(ran.size(), 1);
        QVERIFY(!rig.awake.held);
        rig.tickAt(QStringLiteral("12:00:13"));
        QCOMPARE(ran.size(), 1);
        QVERIFY(!rig.awake.held);
        QCOMPARE(rig.awake.holds, 1);
        rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(12, 0, 0)));
        rig.window().Timer1_Timer();
        QCOMPARE(rig.notes.shown.size(), 2);
    }

    void clockSetBackRunsNothing() {
        ControlRig rig;
        QSignalSpy ran(&rig.control, &ScheduleControl::actionRan);
        QCOMPARE(rig.control.scheduleAction(TimerAction::ShutDown, QStringLiteral("12:00:30")), QString());
        rig.tickAt(QStringLiteral("12:00:01"));
        rig.clock.setTime(QTime(11, 50, 0));
        rig.window().Timer1_Timer();
        QCOMPARE(ran.size(), 0);
        QVERIFY(rig.awake.held);
    }
};

QTEST_MAIN(TestScheduleControl)
#include "test_schedule_control.moc"
