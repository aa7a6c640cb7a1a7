// SPDX-License-Identifier: MIT
// The session choice made before the application object exists: which Qt platform, and whether
// the lock must also ask the desktop's own locker.
#include "session_choice.h"

#include <QTest>

using namespace quellor;

Q_DECLARE_METATYPE(SessionPath)

namespace {
constexpr WaylandGlobals kBoth{true, true};
constexpr WaylandGlobals kLayerOnly{true, false};
constexpr WaylandGlobals kLockOnly{false, true};
constexpr WaylandGlobals kNeither{false, false};
} // namespace

class TestSessionChoice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choice_data() {
        QTest::addColumn<QString>("qpa");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<QString>("x11");
        QTest::addColumn<int>("probe"); // -1 no answer, else index into the globals below
        QTest::addColumn<SessionPath>("path");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("onWayland");
        QTest::addColumn<bool>("sessionLocker");
        QTest::addColumn<QString>("qtLacks"); // what this Qt lacks for the roles

        // clang-format off
        QTest::newRow("x11")                 << "" << ""          << ":0" << -1 << SessionPath::X11           << ""        << false << false << "";
        QTest::newRow("sway, both")          << "" << "wayland-1" << ":0" << 0  << SessionPath::WaylandNative << "wayland" << true  << false << "";
        QTest::newRow("layer shell only")    << "" << "wayland-1" << ":0" << 1  << SessionPath::WaylandNative << "wayland" << true  << true << "";
        QTest::newRow("session lock only")   << "" << "wayland-1" << ":0" << 2  << SessionPath::WaylandNative << "wayland" << true  << false << "";
        QTest::newRow("gnome: xwayland")     << "" << "wayland-0" << ":0" << 3  << SessionPath::XWayland      << "xcb"     << false << true << "";
        QTest::newRow("neither, no X")       << "" << "wayland-0" << ""   << 3  << SessionPath::WaylandNative << "wayland" << true  << true << "";
        QTest::newRow("silent compositor")   << "" << "wayland-9" << ":0" << -1 << SessionPath::X11           << ""        << false << true << "";
        QTest::newRow("user: xcb on sway")   << "xcb" << "wayland-1" << ":0" << 0 << SessionPath::UserPlatform << ""     << false << true << "";
        QTest::newRow("user: wayland, gnome") << "wayland" << "wayland-0" << ":0" << 3 << SessionPath::UserPlatform << "" << true << true << "";
        QTest::newRow("user: wayland, both") << "wayland;xcb" << "wayland-1" << "" << 0 << SessionPath::UserPlatform << "" << true << false << "";
        QTest::newRow("user: offscreen, x11") << "offscreen" << "" << ":0" << -1 << SessionPath::UserPlatform << ""   << false << false << "";
        // A Qt whose Wayland window lost the signals the roles hang on: as if the compositor
        // offered neither protocol.
        const char* lacks = "Qt 6.9 broke the roles (no signal wlSurfaceCreated())";
        QTest::newRow("sway, Qt broke")       << "" << "wayland-1" << ":0" << 0 << SessionPath::XWayland << "xcb" << false << true << lacks;
        QTest::newRow("sway, Qt broke, no X") << "" << "wayland-1" << ""   << 0 << SessionPath::WaylandNative << "wayland" << true << true << lacks;
        QTest::newRow("user: wayland, Qt broke") << "wayland" << "wayland-1" << "" << 0 << SessionPath::UserPlatform << "" << true << true << lacks;
        // clang-format on
    }

    void choice() {
        QFETCH(QString, qpa);
        QFETCH(QString, wayland);
        QFETCH(QString, x11);
        QFETCH(int, probe);
        QFETCH(SessionPath, path);
        QFETCH(QString, platform);
        QFETCH(bool, onWayland);
        QFETCH(bool, sessionLocker);
        QFETCH(QString, qtLacks);

        const WaylandGlobals answers[] = {kBoth, kLayerOnly, kLockOnly, kNeither};
        std::optional<WaylandGlobals> globals;
        if (probe >= 0) {
            globals = answers[probe];
        }
        const SessionChoice c = chooseSession(
            {qpa.toStdString(), wayland.toStdString(), x11.toStdString(), qtLacks.toStdString()}, globals);
        QCOMPARE(c.path, path);
        QCOMPARE(QString::fromStdString(c.qpaPlatform), platform);
        QCOMPARE(c.onWayland, onWayland);
        QCOMPARE(c.lockNeedsSessionLocker, sessionLocker);
        QVERIFY(!c.reason.empty());
        if (!qtLacks.isEmpty()) {
            // No role is attempted, and the log line says why.
            QCOMPARE(c.globals, WaylandGlobals{});
            QVERIFY(QString::fromStdString(c.reason).contains(qtLacks));
        } else if (globals && !wayland.isEmpty()) {
            QCOMPARE(c.globals, *globals);
            // The log line says what the compositor offered.
            QVERIFY(QString::fromStdString(c.reason).contains(globals->layerShell ? "layer-shell yes"
                                                                                  : "layer-shell no"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSessionChoice)
#include "test_session_choice.moc"
