// SPDX-License-Identifier: MIT
// The timer-options dialog: its layout, the option it preselects from the settings file, and
// what OK and Cancel leave behind.

#include "app_rig.h"
#include "controls.h"
#include "options_dialog.h"

#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using namespace quellor;

namespace {

QRadioButton* option(Form5& d, const QString& name) {
    return d.findChild<QRadioButton*>(name);
}

QString selected(Form5& d) {
    QString out;
    for (QRadioButton* op : {d.Op1, d.Op2, d.Op3, d.Op4}) {
        if (op->isChecked()) {
            out += op->objectName();
        }
    }
    return out; // two names run together would show a broken group
}

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Picture1") << "Picture1"
                                  << "Form5"
                                  << "" << QRect(120, 360, 4695, 1935);
        QTest::newRow("Frame1") << "Frame1"
                                << "Picture1"
                                << "定时选项" << QRect(120, 120, 4455, 1215);
        QTest::newRow("Op1") << "Op1"
                             << "Frame1"
                             << "启动定时关闭计算机" << QRect(120, 240, 2055, 375);
        QTest::newRow("Op2") << "Op2"
                             << "Frame1"
                             << "启动定时重起计算机" << QRect(120, 720, 2055, 375);
        QTest::newRow("Op3") << "Op3"
                             << "Frame1"
                             << "启动定时注消计算机" << QRect(2280, 240, 2055, 375);
        QTest::newRow("Op4") << "Op4"
                             << "Frame1"
                             << "启动定时等待" << QRect(2280, 720, 2055, 375);
        QTest::newRow("Command2") << "Command2"
                                  << "Picture1"
                                  << "确定(&Y)" << QRect(2400, 1440, 975, 375);
        QTest::newRow("Command3") << "Command3"
                                  << "Picture1"
                                  << "取消(&C)" << QRect(3480, 1440, 975, 375);
        QTest::newRow("Command1") << "Command1"
                                  << "Form5"
                                  << "@@@" << QRect(4200, 0, 615, 375);
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        AppRig rig;
        Form5& d = rig.forms.showOptions();
        auto* w = d.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        const Twips t = screenTwips();
        QCOMPARE(w->geometry(), QRect(t.toPixelsX(twips.x()), t.toPixelsY(twips.y()),
                                      t.toPixelsX(twips.width()), t.toPixelsY(twips.height())));
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            QCOMPARE(b->text(), caption);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            QCOMPARE(g->title(), caption);
        }
    }

    void windowIsCentredAndSized() {
        AppRig rig;
        Form5& d = rig.forms.showOptions();
        const Twips t = screenTwips();
        QCOMPARE(d.size(), QSize(t.toPixelsX(4935), t.toPixelsY(2415)));
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY(qAbs(d.geometry().center().x() - centre.x()) <= 1);
        QVERIFY(qAbs(d.geometry().center().y() - centre.y()) <= 1);
        QCOMPARE(d.windowTitle(), QStringLiteral("系统定时操作"));
    }

    void preselection_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << false << QByteArray() << "Op1";
        QTest::newRow("as written, 1") << true << QByteArray(" 1 \r\n") << "Op1";
        QTest::newRow("as written, 2") << true << QByteArray(" 2 \r\n") << "Op2";
        QTest::newRow("three with spaces") << true << QByteArray(" 3 ") << "Op3";
        QTest::newRow("three bare") << true << QByteArray("3") << "Op3";
        QTest::newRow("three as a decimal") << true << QByteArray(" 3.0 ") << "Op3";
        QTest::newRow("a fraction") << true << QByteArray("2.5") << "Op4";
        QTest::newRow("seven") << true << QByteArray("7") << "Op4";
        QTest::newRow("zero") << true << QByteArray("0") << "Op4";
        QTest::newRow("negative") << true << QByteArray("-2") << "Op4";
        QTest::newRow("four, then more lines") << true << QByteArray(" 4 \r\n 1 \r\n") << "Op4";
        QTest::newRow("empty file") << true << QByteArray("") << "Op1";
        QTest::newRow("empty first line") << true << QByteArray("\r\n 3 \r\n") << "Op1";
        QTest::newRow("not a number") << true << QByteArray("abc") << "Op1";
    }
    void preselection() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        AppRig rig;
        if (exists) {
            rig.writeSettings(content);
        }
        Form5& d = rig.forms.showOptions();
        QCOMPARE(selected(d), expected);
        QCOMPARE(rig.settingsBytes(), content); // reading never rewrites
    }

    void okStoresTheChoice_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Op1") << "Op1" << 1 << QByteArray("\x20\x31\x20\x0D\x0A");
        QTest::newRow("Op2") << "Op2" << 2 << QByteArray("\x20\x32\x20\x0D\x0A");
        QTest::newRow("Op3") << "Op3" << 3 << QByteArray("\x20\x33\x20\x0D\x0A");
        QTest::newRow("Op4") << "Op4" << 4 << QByteArray("\x20\x34\x20\x0D\x0A");
    }
    void okStoresTheChoice() {
        QFETCH(QString, choice);
        QFETCH(int, action);
        QFETCH(QByteArray, bytes);
        AppRig rig;
        rig.writeSettings(" 9 \r\nsomething longer that must not survive\r\n");
        QPointer<Form5> d = &rig.forms.showOptions();
        option(*d, choice)->setChecked(true);
        QTest::mouseClick(d->Command2, Qt::LeftButton);
        QCOMPARE(int(g_TimerAction), action);
        QCOMPARE(rig.settingsBytes(), bytes);
        flushDeletes();
        QVERIFY(!d);
        QVERIFY(rig.sound.log.isEmpty());
        QVERIFY(rig.messages.shown.isEmpty());
    }

    void firstRunOkStoresOne() {
        AppRig rig;
        Form5& d = rig.forms.showOptions();
        QCOMPARE(d.Command2->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Y));
        QCOMPARE(d.Command3->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
        QTest::mouseClick(d.Command2, Qt::LeftButton);
        QCOMPARE(g_TimerAction, TimerAction::ShutDown);
        QCOMPARE(rig.settingsBytes(), QByteArray(" 1 \r\n"));
    }

    void cancelLeavesEverythingAsItWas() {
        AppRig rig;
        rig.writeSettings(" 2 \r\n");
        g_TimerAction = TimerAction::LogOff;
        QPointer<Form5> d = &rig.forms.showOptions();
        QCOMPARE(selected(*d), QStringLiteral("Op2"));
        d->Op4->setChecked(true);
        QTest::mouseClick(d->Command3, Qt::LeftButton);
        flushDeletes();
        QVERIFY(!d);
        QCOMPARE(g_TimerAction, TimerAction::LogOff);
        QCOMPARE(rig.settingsBytes(), QByteArray(" 2 \r\n"));
        QVERIFY(rig.forms.mainWindowLoaded());
        QVERIFY(rig.forms.mainWindow().isVisible());
    }

    // The file only preselects the next opening; when it cannot be written the choice still
    // holds for this run, silently, and any old file is left whole.
    void unwritableSettingsStillTakeEffect_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("program directory gone") << "directory";
        QTest::newRow("a folder in the file's place") << "folder";
    }
    void unwritableSettingsStillTakeEffect() {
        QFETCH(QString, obstacle);
        AppRig rig;
        if (obstacle == QLatin1String("directory")) {
            rig.services.programDir = rig.dir.filePath(QStringLiteral("gone"));
        } else {
            QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("Diri.dll")));
        }
        QPointer<Form5> d = &rig.forms.showOptions();
        QCOMPARE(selected(*d), QStringLiteral("Op1"));
        d->Op3->setChecked(true);
        QTest::mouseClick(d->Command2, Qt::LeftButton);
        flushDeletes();
        QVERIFY(!d);
        QCOMPARE(g_TimerAction, TimerAction::LogOff);
        QVERIFY(rig.messages.shown.isEmpty());
        QVERIFY(!QFileInfo(rig.settingsPath()).isFile());
    }

    void eachOpeningReadsTheFileAfresh() {
        AppRig rig;
        QPointer<Form5> first = &rig.forms.showOptions();
        first->Op3->setChecked(true);
        QTest::mouseClick(first->Command2, Qt::LeftButton);
        flushDeletes();
        QVERIFY(!first);
        Form5& second = rig.forms.showOptions();
        QCOMPARE(selected(second), QStringLiteral("Op3"));
        // Its frame's close button unloads it like Cancel, without touching the choice.
        QPointer<Form5> closing = &second;
        second.close();
        flushDeletes();
        QVERIFY(!closing);
        QVERIFY(!rig.forms.optionsDialog());
        QCOMPARE(g_TimerAction, TimerAction::LogOff);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "test_options_dialog.moc"
