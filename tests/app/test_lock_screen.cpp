// SPDX-License-Identifier: MIT

#include "app_fixture.h"
#include "controls.h"
#include "lock_screen.h"
#include "main_window.h"
#include "password_dialog.h"
#include "password_store.h"
#include "screen_cover.h"
#include "system_menu.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>
#include <qpa/qplatformnativeinterface.h>

using namespace quellor;

Q_DECLARE_METATYPE(quellor::TitleBarPart)

namespace {

// Screens come and go as the offscreen platform is reconfigured, the way a monitor is plugged in
// or out. By name; the suite starts with "first" and "second". The one named narrowed is 320 wide.
void setScreens(const QStringList& names, const QString& narrowed = {}) {
    const QMap<QString, QRect> known{
        {"first", {0, 0, 1024, 768}}, {"second", {1024, 0, 800, 600}}, {"third", {1824, 0, 640, 480}}};
    QJsonArray screens;
    for (const QString& name : names) {
        const QRect r = known.value(name);
        screens.append(QJsonObject{{"name", name},
                                   {"x", r.x()},
                                   {"y", r.y()},
                                   {"width", name == narrowed ? 320 : r.width()},
                                   {"height", r.height()},
                                   {"logicalDpi", 96},
                                   {"logicalBaseDpi", 96},
                                   {"dpr", 1}});
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    auto set = reinterpret_cast<SetConfiguration>(native->nativeResourceForIntegration("setConfiguration"));
    QVERIFY(set);
    set(QJsonObject{{"screens", screens}}, native);
    QCOMPARE(QGuiApplication::screens().size(), names.size());
}

QStringList coveredScreens(const Form10& f) {
    QStringList names;
    for (ScreenCover* cover : f.covers()) {
        names << (cover->coveredScreen() ? cover->coveredScreen()->name() : QStringLiteral("(gone)"));
    }
    names.sort();
    return names;
}

// Locks the way the user does: the main window's dialog, the password twice, OK.
Form10& lock(AppFixture& app, const QString& password) {
    app.forms.showMainWindow();
    Form9& dialog = app.forms.showPasswordDialog();
    dialog.Text1->setText(password);
    dialog.Text2->setText(password);
    dialog.Command1_Click();
    return *app.forms.lockScreen();
}

void moveMouse(QWidget* over, int times) {
    for (int i = 0; i < times; ++i) {
        const QPointF at(10 + i, 10 + i);
        QMouseEvent move(QEvent::MouseMove, at, over->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(over, &move);
    }
}

// Types an entry into the box and presses OK.
void enter(Form10& lock, const QString& text) {
    lock.Text1->setText(text);
    lock.Command1_Click();
}

void send(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, to->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}

QString describe(const MessageRequest& m) {
    const char* icon = m.icon == MessageIcon::Information ? "info"
                       : m.icon == MessageIcon::Warning   ? "warn"
                                                          : "?";
    return m.title + QLatin1Char('|') + QLatin1String(icon) + QLatin1Char('|') + m.text;
}

const QString kWrongFirst = QStringLiteral("消息|info|密码错误");
const QString kWrongAgain = QStringLiteral("警告|warn|密码错误,如果密码错误超过三次,计算机将关闭!");

} // namespace

class TestLockScreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadingSetsUpATopmostLockOverEveryScreen() {
        AppFixture app;
        Form10& f = lock(app, "pw");
        const std::string topmost = "setTopmost(" + std::to_string(f.winId()) + ")";
        const auto at = std::find(app.platform.calls.begin(), app.platform.calls.end(), topmost);
        QVERIFY(at != app.platform.calls.end() && app.platform.calls.end() - at >= 3);
        QCOMPARE(*(at + 1), std::string("setLockWindow(window)"));
        QCOMPARE(*(at + 2), std::string("setScreenSaverRunning(true)"));
        QCOMPARE(app.platform.lockWindow, static_cast<WindowId>(f.winId()));

        QVERIFY(f.locked());
        QCOMPARE(f.wrongCount(), 0);
        QCOMPARE(f.moveCount(), 0);
        QCOMPARE(f.password(), QString());
        QVERIFY(f.scheme() >= 0 && f.scheme() < 6);
        QVERIFY(!f.Text1->isVisible());
        QVERIFY(!f.Command1->isVisible());

        const Qt::WindowFlags flags = f.windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.windowTitle().trimmed().isEmpty());
        QVERIFY(f.isVisible());
        QVERIFY(f.isMaximized());

        QScreen* primary = QGuiApplication::primaryScreen();
        QVERIFY(f.frameGeometry().contains(primary->availableGeometry()));
        QCOMPARE(int(f.covers().size()), QGuiApplication::screens().size() - 1);
        for (ScreenCover* cover : f.covers()) {
            QVERIFY(cover->coveredScreen() != primary);
            QVERIFY(cover->isVisible());
            QCOMPARE(cover->geometry(), cover->coveredScreen()->geometry());
            QVERIFY(cover->windowFlags() & Qt::WindowStaysOnTopHint);
        }
        for (const Star& s : f.stars().stars()) {
            QVERIFY(s.x >= 0 && s.x < f.fieldWidth());
            QVERIFY(s.y >= 0 && s.y < f.fieldHeight());
            QVERIFY(s.speed >= 10 && s.speed <= 30);
        }
    }

    void theBoxAppearsOnTheFortiethMove_data() {
        QTest::addColumn<int>("moves");
        QTest::addColumn<bool>("overCover");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("count");
        QTest::newRow("39th move: still hidden") << 39 << false << false << 39;
        QTest::newRow("40th move: shown") << 40 << false << true << 40;
        QTest::newRow("the count stops at 40") << 1000 << false << true << 40;
        QTest::newRow("moves over another screen count") << 40 << true << true << 40;
    }
    void theBoxAppearsOnTheFortiethMove() {
        QFETCH(int, moves);
        QFETCH(bool, overCover);
        QFETCH(bool, shown);
        QFETCH(int, count);
        AppFixture app;
        Form10& f = lock(app, "pw");
        if (overCover) {
            QVERIFY(!f.covers().empty());
            moveMouse(f.covers().front(), moves);
        } else {
            moveMouse(&f, moves);
        }
        QCOMPARE(f.moveCount(), count);
        QCOMPARE(f.Text1->isVisible(), shown);
        QCOMPARE(f.Command1->isVisible(), shown);
        if (shown) {
            QVERIFY(f.Text1->isEnabled());
            QCOMPARE(f.focusWidget(), f.Text1);
            QCOMPARE(f.Command1->text(), QString("确定(&Y)"));
            QCOMPARE(f.Text1->echoMode(), QLineEdit::Password);
        }
    }

    void passwordEntries_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("powerOffs");
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("right") << "pw" << QStringList{"pw"} << QStringList{} << 0 << true;
        QTest::newRow("first wrong") << "pw" << QStringList{"x"} << QStringList{kWrongFirst} << 0 << false;
        QTest::newRow("letter case counts")
            << "pw" << QStringList{"PW"} << QStringList{kWrongFirst} << 0 << false;
        QTest::newRow("second wrong")
            << "pw" << QStringList{"x", "y"} << QStringList{kWrongFirst, kWrongAgain} << 0 << false;
        QTest::newRow("third wrong powers off")
            << "pw" << QStringList{"x", "y", ""} << QStringList{kWrongFirst, kWrongAgain, kWrongAgain} << 1
            << false;
        QTest::newRow("fourth wrong: warning, no new power-off")
            << "pw" << QStringList{"x", "y", "z", "w"}
            << QStringList{kWrongFirst, kWrongAgain, kWrongAgain, kWrongAgain} << 1 << false;
        QTest::newRow("two wrong then right")
            << "pw" << QStringList{"x", "y", "pw"} << QStringList{kWrongFirst, kWrongAgain} << 0 << true;
        QTest::newRow("after a failed power-off the right one just unlocks")
            << "pw" << QStringList{"x", "y", "z", "pw"} << QStringList{kWrongFirst, kWrongAgain, kWrongAgain}
            << 1 << true;
        QTest::newRow("empty password, empty box") << "" << QStringList{""} << QStringList{} << 0 << true;
        QTest::newRow("empty password, text in the box")
            << "" << QStringList{" "} << QStringList{kWrongFirst} << 0 << false;
    }
    void passwordEntries() {
        QFETCH(QString, stored);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, boxes);
        QFETCH(int, powerOffs);
        QFETCH(bool, unlocked);
        AppFixture app;
        Form10& f = lock(app, stored);
        QPointer<Form10> guard(&f);
        moveMouse(&f, 40);
        for (const QString& e : entries) {
            enter(f, e);
            if (guard && f.locked()) {
                QCOMPARE(f.Text1->text(), QString()); // a wrong entry is emptied
            }
        }
        QStringList shown;
        for (const MessageRequest& m : app.messages.shown) {
            shown << describe(m);
        }
        QCOMPARE(shown, boxes);
        QCOMPARE(app.platform.powerActions(), powerOffs);
        QCOMPARE(app.platform.powerActions(PowerAction::PowerOff), powerOffs);
        QCOMPARE(app.forms.mainWindow().isVisible(), unlocked);
        if (unlocked) {
            const auto last = std::find_if(app.platform.calls.rbegin(), app.platform.calls.rend(),
                                           [](auto& c) { return c.rfind("setScreenSaverRunning(", 0) == 0; });
            QCOMPARE(*last, std::string("setScreenSaverRunning(false)"));
            QVERIFY(!app.platform.screenSaverRunning);
            QVERIFY(!f.isVisible());
            QTRY_VERIFY(guard.isNull());
            QCOMPARE(app.platform.lockWindow, WindowId(0));
        } else {
            QVERIFY(f.isVisible());
            QVERIFY(app.platform.screenSaverRunning);
        }
    }

    void thePowerOffFollowsTheDismissedThirdWarning() {
        AppFixture app;
        Form10& f = lock(app, "pw");
        moveMouse(&f, 40);
        QList<int> powerOffsWhileOpen;
        app.messages.onShow = [&](const MessageRequest&) {
            powerOffsWhileOpen << app.platform.powerActions();
        };
        enter(f, "a");
        enter(f, "b");
        enter(f, "c");
        QCOMPARE(powerOffsWhileOpen, (QList<int>{0, 0, 0}));
        QCOMPARE(app.platform.powerActions(PowerAction::PowerOff), 1);
    }

    // The title bar's close button and the system menu (by Alt+Space or a right click on the bar)
    // come to the lock, not the window manager, while it holds keyboard and pointer.
    void closeRequests_data() {
        QTest::addColumn<QString>("okFirst"); // entry confirmed before the request; null: none
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("by");
        QTest::addColumn<int>("powerOffs");
        QTest::newRow("empty box before any OK: refused quietly") << QString() << ""
                                                                  << "close" << 0;
        QTest::newRow("empty box before any OK, Alt+F4") << QString() << ""
                                                         << "Alt+F4" << 0;
        QTest::newRow("text before any OK: power-off") << QString() << "abc"
                                                       << "close" << 1;
        QTest::newRow("text before any OK, Alt+F4: power-off") << QString() << "abc"
                                                               << "Alt+F4" << 1;
        QTest::newRow("even the right text before any OK") << QString() << "pw"
                                                           << "close" << 1;
        QTest::newRow("right text after an earlier OK: refused quietly") << "wrong"
                                                                         << "pw"
                                                                         << "close" << 0;
        QTest::newRow("right text after an earlier OK, Alt+F4") << "wrong"
                                                                << "pw"
                                                                << "Alt+F4" << 0;
        QTest::newRow("emptied box after an earlier OK: power-off") << "wrong"
                                                                    << ""
                                                                    << "close" << 1;
        QTest::newRow("text, title bar's close button") << QString() << "abc"
                                                        << "button" << 1;
        QTest::newRow("text, the button pressed, released off it") << QString() << "abc"
                                                                   << "button off" << 0;
        QTest::newRow("text, system menu by Alt+Space, C") << QString() << "abc"
                                                           << "Alt+Space C" << 1;
        QTest::newRow("text, system menu left by Escape") << QString() << "abc"
                                                          << "Alt+Space Escape" << 0;
        QTest::newRow("right text after an OK, menu by a right click") << "wrong"
                                                                       << "pw"
                                                                       << "right click" << 0;
    }
    void closeRequests() {
        QFETCH(QString, okFirst);
        QFETCH(QString, typed);
        QFETCH(QString, by);
        QFETCH(int, powerOffs);
        AppFixture app;
        Form10& f = lock(app, "pw");
        moveMouse(&f, 40);
        if (!okFirst.isNull()) {
            enter(f, okFirst);
        }
        f.Text1->setText(typed);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.titleBar().setFrameMarginsSource([] { return QMargins(1, 21, 1, 1); }); // a bar 20 px high
        SystemMenu* menu = f.titleBar().systemMenu();
        const int onButton = f.width() - 5;
        if (by == "close") {
            QVERIFY(!f.close());
        } else if (by == "Alt+F4") {
            QTest::keyClick(f.Text1, Qt::Key_F4, Qt::AltModifier);
        } else if (by.startsWith("Alt+Space")) {
            QTest::keyClick(f.Text1, Qt::Key_Space, Qt::AltModifier);
            QVERIFY(menu->hasFocus());
            QTest::keyClick(menu, by.endsWith("C") ? Qt::Key_C : Qt::Key_Escape);
        } else {
            const Qt::MouseButton button = by == "right click" ? Qt::RightButton : Qt::LeftButton;
            send(&f, QEvent::MouseButtonPress, {onButton, -10}, button, button);
            send(&f, QEvent::MouseButtonRelease, {by == "button off" ? 300 : onButton, -10}, button, {});
            if (button == Qt::RightButton) {
                QVERIFY(menu->hasFocus());
                QTest::keyClick(menu, Qt::Key_Return);
            }
        }
        QVERIFY(!menu->isVisible());
        QCOMPARE(app.platform.powerActions(PowerAction::PowerOff), powerOffs);
        QCOMPARE(app.platform.powerActions(), powerOffs);
        QVERIFY(f.isVisible());
        QVERIFY(f.locked());
        QVERIFY(!app.forms.mainWindow().isVisible());
    }

    void titleBarParts_data() {
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("at"); // over a client 1024 wide
        QTest::addColumn<TitleBarPart>("part");
        const QMargins bar(1, 21, 1, 1);
        QTest::newRow("close button, last column") << bar << QPoint(1024, -21) << TitleBarPart::CloseButton;
        QTest::newRow("left of the close button") << bar << QPoint(1003, -1) << TitleBarPart::Bar;
        QTest::newRow("icon, its last column") << bar << QPoint(19, -10) << TitleBarPart::Icon;
        QTest::newRow("above the bar") << bar << QPoint(1020, -22) << TitleBarPart::None;
        QTest::newRow("the client area") << bar << QPoint(1020, 0) << TitleBarPart::None;
        QTest::newRow("a border but no bar")
            << QMargins(2, 2, 2, 2) << QPoint(1024, -1) << TitleBarPart::None;
    }
    void titleBarParts() {
        QFETCH(QMargins, frame);
        QFETCH(QPoint, at);
        QFETCH(TitleBarPart, part);
        QCOMPARE(titleBarPartAt(at, QSize(1024, 747), frame), part);
    }

    void anUnreadableFileChecksAgainstThisRunsPassword_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("removed, right") << "remove"
                                        << "pw" << true;
        QTest::newRow("removed, wrong") << "remove"
                                        << "x" << false;
        QTest::newRow("removed, empty") << "remove"
                                        << "" << false;
        QTest::newRow("a directory, right") << "directory"
                                            << "pw" << true;
        QTest::newRow("emptied to 0 bytes, right") << "truncate"
                                                   << "pw" << true;
        QTest::newRow("emptied to 0 bytes, empty") << "truncate"
                                                   << "" << false;
    }
    void anUnreadableFileChecksAgainstThisRunsPassword() {
        QFETCH(QString, damage);
        QFETCH(QString, entry);
        QFETCH(bool, unlocked);
        AppFixture app;
        Form10& f = lock(app, "pw");
        QPointer<Form10> guard(&f);
        const QString path = app.services.statePath("pae.dll");
        QVERIFY(QFile::remove(path));
        if (damage == "directory") {
            QVERIFY(QDir(app.dir.path()).mkdir("pae.dll"));
        } else if (damage == "truncate") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        moveMouse(&f, 40);
        enter(f, entry);
        QCOMPARE(app.forms.mainWindow().isVisible(), unlocked);
        QCOMPARE(app.messages.shown.size(), unlocked ? 0 : 1);
        QCOMPARE(app.platform.powerActions(), 0);
        if (unlocked) {
            QTRY_VERIFY(guard.isNull());
        }
    }

    // Not seen before it holds keyboard and pointer; kept from them, it shows when the platform
    // gives up waiting, and says the session's own locker was asked too.
    void theLockShowsOnceItHoldsTheInput_data() {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("held") << true << QStringList();
        QTest::newRow("kept by another program")
            << false << QStringList{"警告|warn|" + Form10::inputTakenText()};
    }
    void theLockShowsOnceItHoldsTheInput() {
        QFETCH(bool, held);
        QFETCH(QStringList, boxes);
        AppFixture app;
        app.platform.lockInputAtOnce = false;
        Form10& f = lock(app, "pw");
        QVERIFY(!f.isVisible());
        QVERIFY(app.platform.lockInputWait);
        app.platform.lockInputWait(held);
        QVERIFY(f.isVisible() && f.isMaximized());
        QTest::qWait(1);
        QStringList shown;
        for (const MessageRequest& m : app.messages.shown) {
            shown << describe(m);
        }
        QCOMPARE(shown, boxes);
    }

    void minimisedOrHiddenItComesBack() {
        AppFixture app;
        Form10& f = lock(app, "pw");
        f.showMinimized();
        QTRY_VERIFY(f.isVisible() && !f.isMinimized());
        f.hide();
        QTRY_VERIFY(f.isVisible());
        QVERIFY(f.isMaximized());
        f.showNormal();
        QTRY_VERIFY(f.isMaximized());
        QCOMPARE(app.platform.powerActions(), 0);
    }

    void screensComingAndGoingWhileLocked_data() {
        QTest::addColumn<QStringList>("screens");
        QTest::addColumn<QStringList>("covered");
        QTest::newRow("a third screen is covered")
            << QStringList{"first", "second", "third"} << QStringList{"second", "third"};
        QTest::newRow("a removed screen drops its cover") << QStringList{"first"} << QStringList{};
        QTest::newRow("the lock's own screen removed: no cover over the lock where it lands")
            << QStringList{"second", "third"} << QStringList{"third"};
    }
    void screensComingAndGoingWhileLocked() {
        QFETCH(QStringList, screens);
        QFETCH(QStringList, covered);
        const auto backToTwo = qScopeGuard([] { setScreens({"first", "second"}); });
        AppFixture app;
        Form10& f = lock(app, "pw");
        QCOMPARE(coveredScreens(f), QStringList{"second"});
        setScreens(screens);
        QTRY_COMPARE(coveredScreens(f), covered);
        for (ScreenCover* cover : f.covers()) {
            QVERIFY(cover->isVisible());
            QCOMPARE(cover->geometry(), cover->coveredScreen()->geometry());
        }
        // A cover follows its screen when that changes size.
        if (!covered.isEmpty()) {
            setScreens(screens, covered.front());
            QTRY_COMPARE(f.covers().front()->width(), 320);
        }
        // Back to two screens: every screen but the lock's own is covered, wherever the lock stands.
        setScreens({"first", "second"});
        QTRY_COMPARE(coveredScreens(f), QStringList{f.screen()->name() == "first" ? "second" : "first"});
    }

    void pointsFallInTheSchemesColourOnBlack() {
        AppFixture app;
        Form10& f = lock(app, "pw");
        QCOMPARE(f.fieldHeight(), toInt32(f.frameGeometry().height() * 15.0)); // the title bar included
        const std::array<Star, StarField::kCount> start = f.stars().stars();
        const std::uint32_t c = StarField::schemeColour(f.scheme());
        const QRgb colour = qRgb(int(c & 0xff), int((c >> 8) & 0xff), int(c >> 16));
        QTRY_VERIFY(f.stars().stars()[0].y != start[0].y || f.stars().stars()[0].x != start[0].x);
        const QImage& image = f.canvas().image();
        QCOMPARE(image.size(), f.size());
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY2(p == colour || p == qRgb(0, 0, 0), "only black and the scheme's colour");
                lit += p == colour;
            }
        }
        QVERIFY(lit > 0);
        QVERIFY(lit <= StarField::kCount); // nothing a wrapped point left behind
    }
};

int main(int argc, char* argv[]) {
    // Two screens, so the cover over the second one is checked as well.
    QTemporaryFile config(QDir::tempPath() + QStringLiteral("/lockscreens-XXXXXX.json"));
    if (!config.open()) {
        return 1;
    }
    config.write(R"({"screens":[
        {"name":"first","x":0,"y":0,"width":1024,"height":768,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
        {"name":"second","x":1024,"y":0,"width":800,"height":600,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestLockScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_lock_screen.moc"
