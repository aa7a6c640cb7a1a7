// SPDX-License-Identifier: MIT
// A power action the system refuses or leaves unanswered is told in a "警告" box, never over the
// lock; confirming the options dialog asks the system in advance and keeps the action armed.
#include "app_rig.h"
#include "lock_screen.h"
#include "options_dialog.h"
#include "power_warnings.h"

#include <QRadioButton>
#include <QTest>

using namespace quellor;

Q_DECLARE_METATYPE(quellor::PowerAction)
Q_DECLARE_METATYPE(quellor::PowerFailure)

class TestPowerWarnings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFailureIsToldInPlainWords_data() {
        QTest::addColumn<PowerAction>("action");
        QTest::addColumn<PowerFailure>("failure");
        QTest::addColumn<bool>("advance");
        QTest::addColumn<QString>("text");
        QTest::newRow("no logind") << PowerAction::PowerOff << PowerFailure::ServiceMissing << false
                                   << "关机失败:系统的登录管理服务(logind)不可用。";
        QTest::newRow("denied") << PowerAction::Reboot << PowerFailure::AccessDenied << false
                                << "重新启动失败:系统拒绝了此操作,当前用户没有权限。";
        QTest::newRow("password needed") << PowerAction::PowerOff << PowerFailure::AuthenticationRequired
                                         << false << "关机失败:此操作需要管理员身份验证。";
        QTest::newRow("inhibited") << PowerAction::PowerOff << PowerFailure::Inhibited << false
                                   << "关机失败:以下程序正在阻止此操作:Burner、Backup。";
        QTest::newRow("silent") << PowerAction::EndSession << PowerFailure::NoAnswer << false
                                << "注销失败:系统的登录管理服务(logind)没有应答。";
        QTest::newRow("no session") << PowerAction::PoliteLogoff << PowerFailure::NoSession << false
                                    << "注销失败:找不到当前的登录会话。";
        QTest::newRow("in advance") << PowerAction::Reboot << PowerFailure::AuthenticationRequired << true
                                    << "定时重新启动可能无法执行:此操作需要管理员身份验证。\n定时仍然有效。";
    }
    void aFailureIsToldInPlainWords() {
        QFETCH(PowerAction, action);
        QFETCH(PowerFailure, failure);
        QFETCH(bool, advance);
        QFETCH(QString, text);
        AppRig rig;
        rig.mainWindow();
        QVERIFY(rig.platform.powerListener);
        const std::vector<std::string> blockers = failure == PowerFailure::Inhibited
                                                      ? std::vector<std::string>{"Burner", "Backup"}
                                                      : std::vector<std::string>{};
        rig.platform.failPower(action, failure, advance, blockers);
        QTRY_COMPARE(rig.messages.shown.size(), 1);
        QCOMPARE(rig.messages.shown[0].title, QStringLiteral("警告"));
        QCOMPARE(rig.messages.shown[0].icon, MessageIcon::Warning);
        QCOMPARE(rig.messages.shown[0].text, text);
    }

    void nothingIsShownOverTheLock() {
        AppRig rig;
        rig.mainWindow();
        Form10& lock = rig.forms.showLockScreen();
        rig.platform.failPower(PowerAction::PowerOff, PowerFailure::AccessDenied);
        QTest::qWait(50);
        QVERIFY(rig.messages.shown.isEmpty());
        QCOMPARE(rig.forms.lockScreen(), &lock);
        QVERIFY(lock.locked());
        QVERIFY(lock.isVisible());
    }

    void confirmingAsksInAdvanceAndKeepsTheActionArmed_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<PowerAction>("asked");
        QTest::newRow("shut down") << "Op1" << PowerAction::PowerOff;
        QTest::newRow("restart") << "Op2" << PowerAction::Reboot;
    }
    void confirmingAsksInAdvanceAndKeepsTheActionArmed() {
        QFETCH(QString, option);
        QFETCH(PowerAction, asked);
        AppRig rig;
        rig.mainWindow();
        Form5& dialog = rig.forms.showOptions();
        dialog.findChild<QRadioButton*>(option)->setChecked(true);
        dialog.Command2_Click();
        QCOMPARE(rig.platform.powerChecks, std::vector<PowerAction>{asked});
        QCOMPARE(rig.platform.powerActions(), 0);
        rig.platform.failPower(asked, PowerFailure::AccessDenied, true);
        QTRY_COMPARE(rig.messages.shown.size(), 1);
        QVERIFY(rig.messages.shown[0].text.endsWith("定时仍然有效。"));
        QCOMPARE(powerActionFor(g_TimerAction), std::optional<PowerAction>(asked));
    }
};

QTEST_MAIN(TestPowerWarnings)
#include "test_power_warnings.moc"
