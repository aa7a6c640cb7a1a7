// SPDX-License-Identifier: MIT
// The lock screen as the user feels it: frames simulated per second, the share of one core it
// takes, and how long a mouse move takes from the X server to the lock screen's handler.
// Runs under an X display (bench/lock_screen.sh starts one at 1920 x 1080); the platform layer is
// the recording fake, so nothing is grabbed and nothing can power off.

#include "fake_platform.h"
#include "forms.h"
#include "lock_screen.h"
#include "password_store.h"
#include "services.h"
#include "silent_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

using namespace quellor;

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// User + system CPU seconds of another process, from /proc.
double otherCpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) {
        return -1;
    }
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

constexpr int kSamples = 400;
constexpr int kMoveEveryMs = 37; // out of step with the animation's turns, so moves land at any phase

// Moves the pointer through XTest from its own connection and thread, stamping each send.
class MouseFeeder {
public:
    std::array<std::atomic<std::int64_t>, kSamples> sentAt{};

    bool start(int y) {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection)) {
            return false;
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_thread = std::thread([this, y] {
            for (int i = 0; i < kSamples && !m_stop; ++i) {
                sentAt[std::size_t(i)] = nowNs();
                // The x coordinate carries the sample's number to the handler.
                xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root,
                                    std::int16_t(100 + i), std::int16_t(y + (i % 2)), 0);
                xcb_flush(m_connection);
                std::this_thread::sleep_for(std::chrono::milliseconds(kMoveEveryMs));
            }
        });
        return true;
    }

    ~MouseFeeder() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        if (m_connection) {
            xcb_disconnect(m_connection);
        }
    }

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
};

// Notes when each mouse move reaches the lock screen, just before its handler runs.
class MoveWatch : public QObject {
public:
    MoveWatch(MouseFeeder& feeder) : m_feeder(feeder) {}
    std::vector<double> delaysMs;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const int i = static_cast<QMouseEvent*>(event)->globalPosition().toPoint().x() - 100;
            const std::int64_t now = nowNs();
            // Moves that queued up behind this one were merged into it: they count, with their delay.
            for (int j = std::min(i, kSamples - 1); j >= m_next; --j) {
                if (const std::int64_t sent = m_feeder.sentAt[std::size_t(j)].exchange(0)) {
                    delaysMs.push_back(double(now - sent) / 1e6);
                }
            }
            m_next = std::max(m_next, i + 1);
        }
        return false;
    }

private:
    MouseFeeder& m_feeder;
    int m_next = 0;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return -1;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "needs an X display (run bench/lock_screen.sh)\n");
        return 1;
    }
    const qint64 serverPid = qEnvironmentVariableIntValue("BENCH_X_SERVER_PID");
    QTemporaryDir dir;
    FakePlatform platform;
    SystemClock clock;
    SilentSound sound;
    NoMessages messages;
    NoFiles files;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms(services);
    forms.passwordStore().write(QStringLiteral("bench"));

    Form10& lock = forms.showLockScreen();
    QElapsedTimer waited;
    waited.start();
    while (!(lock.windowHandle() && lock.windowHandle()->isExposed()) && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    runFor(1500); // settle: maximised, painted once

    MouseFeeder feeder;
    MoveWatch watch(feeder);
    lock.installEventFilter(&watch);
    if (!feeder.start(lock.mapToGlobal(QPoint(0, lock.height() / 2)).y())) {
        std::fprintf(stderr, "no X connection for XTest\n");
        return 1;
    }

    const std::int64_t frames0 = lock.framesRun();
    const double cpu0 = processCpuSeconds();
    const double server0 = otherCpuSeconds(serverPid);
    const std::int64_t wall0 = nowNs();
    runFor(kSamples * kMoveEveryMs + 500);
    const double wall = double(nowNs() - wall0) / 1e9;
    const double fps = double(lock.framesRun() - frames0) / wall;
    const double cpu = (processCpuSeconds() - cpu0) / wall * 100;
    const double server = server0 < 0 ? -1 : (otherCpuSeconds(serverPid) - server0) / wall * 100;

    const QSize screen = lock.screen()->geometry().size();
    std::printf("lock screen on a %d x %d screen, %.1f s, %zu of %d mouse moves reached the handler\n",
                screen.width(), screen.height(), wall, watch.delaysMs.size(), kSamples);
    std::printf("simulated frames per second   %8.1f   (target >= 600)\n", fps);
    std::printf("CPU share of one core         %8.1f %% (target < 15 %%)\n", cpu);
    std::printf("mouse event to handler, p50   %8.2f ms\n", percentile(watch.delaysMs, 0.50));
    std::printf("mouse event to handler, p95   %8.2f ms (target < 20 ms)\n",
                percentile(watch.delaysMs, 0.95));
    std::printf("mouse event to handler, max   %8.2f ms\n", percentile(watch.delaysMs, 1.0));
    if (server >= 0) {
        std::printf("X server's CPU share           %8.1f %% (for reference)\n", server);
    }
    return 0;
}
