// SPDX-License-Identifier: MIT
// The alarm: the prompt when no time is set, the music choice through the file dialog, ringing,
// stopping and cancelling.

#include "alarm_prompt.h"
#include "app_rig.h"
#include "controls.h"

#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using namespace quellor;

namespace {

void armAlarm(AppRig& rig, const QString& digits) {
    Form1& f = rig.mainWindow();
    QTest::mouseClick(f.VsNetBut2, Qt::LeftButton);
    QTest::keyClicks(f.Text2, digits);
}

QStringList player1(const AppRig& rig) {
    return rig.sound.log.filter(QRegularExpression(QStringLiteral("^Player1 ")));
}

// The patterns of every entry of a file-dialog filter ("Name (*.a *.b);;Other (*.c)").
QStringList filterPatterns(const QString& filter) {
    QStringList out;
    for (const QString& entry : filter.split(QStringLiteral(";;"))) {
        const auto m = QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(entry);
        out += (m.hasMatch() ? m.captured(1) : entry).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return out;
}

} // namespace

class TestAlarm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void promptLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Text1") << "Text1" << QRect(120, 480, 4455, 855);
        QTest::newRow("Command2") << "Command2" << QRect(3360, 1560, 1095, 375);
        QTest::newRow("Command1") << "Command1" << QRect(3960, 0, 615, 375);
    }
    void promptLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        AppRig rig;
        Form2& p = rig.forms.showAlarmPrompt();
        const Twips t = screenTwips();
        auto* w = p.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget(), &p);
        QCOMPARE(w->geometry(), QRect(t.toPixelsX(twips.x()), t.toPixelsY(twips.y()),
                                      t.toPixelsX(twips.width()), t.toPixelsY(twips.height())));
    }

    void promptWindowAndText() {
        AppRig rig;
        Form2& p = rig.forms.showAlarmPrompt();
        const Twips t = screenTwips();
        QCOMPARE(p.size(), QSize(t.toPixelsX(4695), t.toPixelsY(2040)));
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY((p.geometry().center() - centre).manhattanLength() <= 2);
        QCOMPARE(p.windowTitle(), QStringLiteral("提示信息"));
        QCOMPARE(p.Text1->toPlainText(), QStringLiteral("请先定好闹钟的时间,\n再选择你要作为闹钟的音乐！"));
        QCOMPARE(p.Command2->text(), QStringLiteral("返回系统"));
        QCOMPARE(p.Command1->text(), QStringLiteral("@@@"));
    }

    void musicWithoutAlarmTimeShowsThePrompt() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        QTest::mouseClick(f.VsNetBut2, Qt::LeftButton);
        QVERIFY(f.Command1->isEnabled());
        rig.sound.clear();
        QTest::mouseClick(f.Command1, Qt::LeftButton); // leaves the alarm field empty
        QCOMPARE(rig.cues(), QStringList{QStringLiteral("6.wav")});
        QVERIFY(!f.Command1->isEnabled());
        QCOMPARE(rig.files.shown, 0);
        QPointer<Form2> prompt = rig.forms.alarmPrompt();
        QVERIFY(prompt);
        QVERIFY(prompt->isVisible());

        rig.sound.clear();
        QTest::mouseClick(prompt->Command2, Qt::LeftButton);
        QCOMPARE(rig.sound.log,
                 QStringList({QStringLiteral("Player open ") + rig.services.path(QStringLiteral("6.wav")),
                              QStringLiteral("Player play")}));
        flushDeletes();
        QVERIFY(prompt); // hidden, not unloaded: the cue plays on
        QVERIFY(!prompt->isVisible());

        prompt->Text1->setFocus();
        QCOMPARE(&rig.forms.showAlarmPrompt(), prompt.data());
        QVERIFY(prompt->isVisible());
        QCOMPARE(prompt->Text1->toPlainText(),
                 QStringLiteral("请先定好闹钟的时间,\n再选择你要作为闹钟的音乐！"));
    }

    // What the dialog reports is opened in the alarm player, a cancel included.
    void musicChoice_data() {
        QTest::addColumn<QStringList>("answers"); // one per arming; empty = cancelled
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("cancelled, nothing ever chosen") << QStringList{""} << QStringList{""};
        QTest::newRow("an mp3") << QStringList{"/music/wake.mp3"} << QStringList{"/music/wake.mp3"};
        QTest::newRow("cancel reports the last name")
            << QStringList{"/music/wake.MP3", ""} << QStringList{"/music/wake.MP3", "/music/wake.MP3"};
        QTest::newRow("a new choice replaces it")
            << QStringList{"/music/a.wav", "/music/b.mp3"} << QStringList{"/music/a.wav", "/music/b.mp3"};
    }
    void musicChoice() {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, opened);
        AppRig rig;
        Form1& f = rig.mainWindow();
        for (const QString& answer : answers) {
            rig.files.answers = {answer};
            armAlarm(rig, QStringLiteral("073000"));
            rig.sound.clear();
            QTest::mouseClick(f.Command1, Qt::LeftButton);
            QCOMPARE(rig.cues(), QStringList{QStringLiteral("4.wav")});
            QVERIFY(!f.Command1->isEnabled());
            QVERIFY(!rig.forms.alarmPrompt());
            QCOMPARE(player1(rig), QStringList{QStringLiteral("Player1 open ") + opened.takeFirst()});
            QTest::mouseClick(f.Command4, Qt::LeftButton); // cancel, to choose again
        }
        QCOMPARE(rig.files.shown, answers.size());
    }

    void filterShowsMusicInAnyLetterCase_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("shown");
        QTest::newRow("mp3") << "a.mp3" << true;
        QTest::newRow("MP3") << "b.MP3" << true;
        QTest::newRow("Mp3") << "c.Mp3" << true;
        QTest::newRow("wav") << "d.wav" << true;
        QTest::newRow("WAV") << "e.WAV" << true;
        QTest::newRow("wAv") << "f.wAv" << true;
        QTest::newRow("ogg") << "g.ogg" << false;
        QTest::newRow("mp3 inside the name") << "h.mp3.txt" << false;
        QTest::newRow("no extension") << "mp3" << false;
    }
    void filterShowsMusicInAnyLetterCase() {
        QFETCH(QString, file);
        QFETCH(bool, shown);
        AppRig rig;
        armAlarm(rig, QStringLiteral("073000"));
        QTest::mouseClick(rig.forms.mainWindow().Command1, Qt::LeftButton);
        const QStringList patterns = filterPatterns(rig.files.lastFilter);
        QVERIFY(!patterns.isEmpty());
        bool matched = false;
        for (const QString& p : patterns) {
            // The dialog matches its patterns case-sensitively on this platform.
            matched =
                matched ||
                QRegularExpression(QRegularExpression::wildcardToRegularExpression(p)).match(file).hasMatch();
        }
        QCOMPARE(matched, shown);
    }

    void dialogStartsOnTheDesktopElseHome_data() {
        QTest::addColumn<bool>("hasDesktop");
        QTest::newRow("desktop folder") << true;
        QTest::newRow("no desktop folder") << false;
    }
    void dialogStartsOnTheDesktopElseHome() {
        QFETCH(bool, hasDesktop);
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        if (hasDesktop) {
            QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Desktop")));
        }
        AppRig rig;
        armAlarm(rig, QStringLiteral("073000"));
        QTest::mouseClick(rig.forms.mainWindow().Command1, Qt::LeftButton);
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(QDir(rig.files.lastDir).canonicalPath(),
                 QDir(hasDesktop ? home.filePath(QStringLiteral("Desktop")) : home.path()).canonicalPath());
    }

    void ringsAtTheTimeUntilStopped() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        rig.files.answers = {QStringLiteral("/music/wake.mp3")};
        armAlarm(rig, QStringLiteral("073000"));
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        rig.tickAt(QTime(7, 29, 59));
        QVERIFY(!f.Command3->isEnabled());
        rig.sound.clear();
        rig.tickAt(QTime(7, 30, 0));
        QCOMPARE(player1(rig), QStringList{QStringLiteral("Player1 play")});
        QVERIFY(f.Command3->isEnabled());
        rig.tickAt(QTime(7, 30, 1));
        QVERIFY(f.Command3->isEnabled()); // stays until clicked

        rig.sound.clear();
        QTest::mouseClick(f.Command3, Qt::LeftButton);
        QCOMPARE(rig.cues(), QStringList{QStringLiteral("2.wav")});
        QCOMPARE(player1(rig), QStringList{QStringLiteral("Player1 halt")});
        QVERIFY(!f.Command3->isEnabled());
    }

    void cancelClearsTheTimeButLetsTheMusicPlayOn() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        rig.files.answers = {QStringLiteral("/music/wake.mp3")};
        armAlarm(rig, QStringLiteral("073000"));
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        rig.tickAt(QTime(7, 30, 0));
        rig.sound.clear();
        QTest::mouseClick(f.Command4, Qt::LeftButton);
        QCOMPARE(rig.cues(), QStringList{QStringLiteral("2.wav")});
        QVERIFY(player1(rig).isEmpty()); // no halt
        QVERIFY(f.Text2->text().isEmpty());
        QVERIFY(!f.Command4->isEnabled());
        QVERIFY(f.VsNetBut2->isEnabled());
        QVERIFY(!f.Command1->isEnabled());
        QVERIFY(f.Command3->isEnabled()); // the ringing music can still be stopped

        rig.tickAt(QTime(7, 29, 59), 1);
        rig.tickAt(QTime(7, 30, 0), 1);
        QVERIFY(player1(rig).isEmpty());
    }
};

QTEST_MAIN(TestAlarm)
#include "test_alarm.moc"
