// SPDX-License-Identifier: MIT
// Typing the two times of day: the digit sequences, their cues, the enabled states around them,
// and the timer-options dialog that a completed shutdown time opens.

#include "about_dialog.h"
#include "app_rig.h"
#include "controls.h"
#include "options_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <algorithm>

using namespace quellor;

namespace {

struct Entry {
    TextBox* field;
    QWidget* armButton;
    QWidget* cancelButton;
};

Entry entryFor(Form1& f, const QString& which) {
    if (which == QLatin1String("Text3")) {
        return {f.Text3, f.VsNetBut1, f.Command5};
    }
    return {f.Text2, f.VsNetBut2, f.Command4};
}

QStringList repeat(const QString& s, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) {
        out << s;
    }
    return out;
}

const QString k2 = QStringLiteral("2.wav");
const QString k4 = QStringLiteral("4.wav");

} // namespace

class TestTimeEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("leave"); // click elsewhere afterwards
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("armEnabled");
        QTest::addColumn<bool>("cancelEnabled");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QStringList>("cues");

        QTest::newRow("shutdown 231500") << "Text3"
                                         << "231500" << false << "23:15:00" << false << true << true
                                         << (QStringList{k2} + repeat(k4, 6) + QStringList{k2});
        QTest::newRow("alarm 231500")
            << "Text2"
            << "231500" << false << "23:15:00" << false << true << false << (QStringList{k2} + repeat(k4, 6));
        QTest::newRow("leading zero") << "Text3"
                                      << "073000" << false << "07:30:00" << false << true << true
                                      << (QStringList{k2} + repeat(k4, 6) + QStringList{k2});
        QTest::newRow("no range test") << "Text3"
                                       << "256199" << false << "25:61:99" << false << true << true
                                       << (QStringList{k2} + repeat(k4, 6) + QStringList{k2});
        QTest::newRow("alarm no range test")
            << "Text2"
            << "256199" << false << "25:61:99" << false << true << false << (QStringList{k2} + repeat(k4, 6));
        QTest::newRow("shutdown four digits left")
            << "Text3"
            << "7300" << true << "7300" << false << true << false << (QStringList{k2} + repeat(k4, 4));
        QTest::newRow("alarm four digits left")
            << "Text2"
            << "7300" << true << "7300" << false << true << false << (QStringList{k2} + repeat(k4, 4));
        QTest::newRow("shutdown left empty") << "Text3"
                                             << "" << true << "" << true << false << false << QStringList{k2};
        QTest::newRow("alarm left empty") << "Text2"
                                          << "" << true << "" << false << true << false << QStringList{k2};
        // Separators and letters are refused at the key, but each key still sounds.
        QTest::newRow("typed colons") << "Text3"
                                      << "12:30:00" << false << "12:30:00" << false << true << true
                                      << (QStringList{k2} + repeat(k4, 8) + QStringList{k2});
        QTest::newRow("letters among digits") << "Text2"
                                              << "a0b7c3x000" << false << "07:30:00" << false << true << false
                                              << (QStringList{k2} + repeat(k4, 10));
        // A locked field takes no more keys.
        QTest::newRow("key after completion") << "Text3"
                                              << "2315001" << false << "23:15:00" << false << true << true
                                              << (QStringList{k2} + repeat(k4, 6) + QStringList{k2});
    }
    void typing() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(bool, leave);
        QFETCH(QString, text);
        QFETCH(bool, armEnabled);
        QFETCH(bool, cancelEnabled);
        QFETCH(bool, dialog);
        QFETCH(QStringList, cues);

        AppRig rig;
        Form1& f = rig.mainWindow();
        const Entry e = entryFor(f, field);
        rig.sound.clear();

        QTest::mouseClick(e.armButton, Qt::LeftButton);
        QVERIFY(e.field->isEnabled());
        QVERIFY(!e.armButton->isEnabled());
        QVERIFY(e.field->hasFocus());
        QTest::keyClicks(e.field, keys);
        if (leave) {
            QTest::mouseClick(f.Text1, Qt::LeftButton);
        }

        QCOMPARE(e.field->text(), text);
        QVERIFY(!e.field->isEnabled());
        QCOMPARE(e.armButton->isEnabled(), armEnabled);
        QCOMPARE(e.cancelButton->isEnabled(), cancelEnabled);
        QCOMPARE(rig.forms.optionsDialog() != nullptr && rig.forms.optionsDialog()->isVisible(), dialog);
        QCOMPARE(rig.cues(), cues);
    }

    void pastedTextGoesThroughTheSameCheck_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("byKeyboard");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("menu paste of a typed time") << "Text3" << false << "23:15:00"
                                                    << "23:15:00" << true << true;
        QTest::newRow("ctrl+v of a typed time") << "Text3" << true << "07:30:00"
                                                << "07:30:00" << true << true;
        QTest::newRow("alarm paste") << "Text2" << false << "063000"
                                     << "06:30:00" << true << false;
        QTest::newRow("letters dropped") << "Text3" << false << "ab12"
                                         << "12" << false << false;
        QTest::newRow("full-width digits dropped") << "Text3" << false << "１２3456"
                                                   << "3456" << false << false;
        QTest::newRow("nothing usable") << "Text2" << false << "hello"
                                        << "" << false << false;
    }
    void pastedTextGoesThroughTheSameCheck() {
        QFETCH(QString, field);
        QFETCH(bool, byKeyboard);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(bool, locked);
        QFETCH(bool, dialog);

        AppRig rig;
        Form1& f = rig.mainWindow();
        const Entry e = entryFor(f, field);
        QTest::mouseClick(e.armButton, Qt::LeftButton);
        QGuiApplication::clipboard()->setText(clipboard);
        if (byKeyboard) {
            QTest::keyClick(e.field, Qt::Key_V, Qt::ControlModifier);
        } else {
            e.field->paste();
        }
        QCOMPARE(e.field->text(), text);
        QCOMPARE(!e.field->isEnabled(), locked);
        QCOMPARE(rig.forms.optionsDialog() != nullptr, dialog);
    }

    void alarmFieldFocusEnablesTheMusicChoice() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        QVERIFY(!f.Command1->isEnabled());
        QTest::mouseClick(f.VsNetBut2, Qt::LeftButton);
        // The button loses the focus (disabling the music choice) before the field gets it.
        QVERIFY(f.Text2->hasFocus());
        QVERIFY(f.Command1->isEnabled());
        QTest::keyClicks(f.Text2, QStringLiteral("073000"));
        QVERIFY(f.Command1->isEnabled());
        QVERIFY(f.Command4->isEnabled());
        QVERIFY(!f.VsNetBut2->isEnabled());
    }

    // The dock parks the main window whenever it is inactive, so a user nearly always arms a
    // field from an inactive window: the focus then arrives with the window's activation.
    void armingFromAnInactiveWindow_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("fromAbout"); // the about dialog, not another program, was active
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("musicEnabled");
        QTest::addColumn<bool>("cancelEnabled");
        QTest::newRow("alarm, just armed") << "Text2" << false << "" << true << false;
        QTest::newRow("alarm, from the about dialog") << "Text2" << true << "" << true << false;
        QTest::newRow("alarm, completed") << "Text2" << false << "073000" << true << true;
        QTest::newRow("shutdown, completed") << "Text3" << false << "073000" << false << true;
    }
    void armingFromAnInactiveWindow() {
        QFETCH(QString, field);
        QFETCH(bool, fromAbout);
        QFETCH(QString, keys);
        QFETCH(bool, musicEnabled);
        QFETCH(bool, cancelEnabled);

        AppRig rig;
        Form1& f = rig.mainWindow();
        QWidget other;
        QWidget* active = &other;
        if (fromAbout) {
            active = &rig.forms.showAbout();
        } else {
            other.show();
        }
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));

        const Entry e = entryFor(f, field);
        QTest::mouseClick(e.armButton, Qt::LeftButton);
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(e.field->hasFocus());
        QTest::keyClicks(e.field, keys);
        QCOMPARE(f.Command1->isEnabled(), musicEnabled);
        QCOMPARE(e.cancelButton->isEnabled(), cancelEnabled);

        // Switching away and back again changes none of it.
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(f.Command1->isEnabled(), musicEnabled);
        QCOMPARE(e.field->isEnabled(), keys.isEmpty());
    }

    void switchingWindowsDoesNotEndTheEntry() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        QTest::mouseClick(f.VsNetBut1, Qt::LeftButton);
        QTest::keyClicks(f.Text3, QStringLiteral("12"));
        QWidget other;
        other.show();
        makeActive(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(f.Text3->isEnabled());
        QVERIFY(!f.Command5->isEnabled());
        makeActive(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClicks(f.Text3, QStringLiteral("3000"));
        QCOMPARE(f.Text3->text(), QStringLiteral("12:30:00"));
    }

    void completedShutdownTimeOpensTheOptionsOnce() {
        AppRig rig;
        Form1& f = rig.mainWindow();
        QTest::mouseClick(f.VsNetBut1, Qt::LeftButton);
        QTest::keyClicks(f.Text3, QStringLiteral("231500"));
        QPointer<Form5> first = rig.forms.optionsDialog();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        // Cancel the time and enter another while the dialog is still open: the same dialog
        // comes forward rather than a second one.
        QTest::mouseClick(f.Command5, Qt::LeftButton);
        QVERIFY(f.Text3->text().isEmpty());
        QVERIFY(f.VsNetBut1->isEnabled());
        QTest::mouseClick(f.VsNetBut1, Qt::LeftButton);
        QTest::keyClicks(f.Text3, QStringLiteral("231600"));
        QCOMPARE(rig.forms.optionsDialog(), first.data());
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<Form5*>(w) != nullptr; }),
                 1);
    }
};

QTEST_MAIN(TestTimeEntry)
#include "test_time_entry.moc"
