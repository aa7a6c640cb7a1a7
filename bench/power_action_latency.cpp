// SPDX-License-Identifier: MIT
// How late a timed power action reaches the platform layer: from the wall-clock boundary of the
// target second to the power request, with the main window's real ticker and clock and a
// recording platform. Each run schedules the next second, so N runs take about N seconds.
//
//   power_action_latency [runs=30] [busy threads=0]
//
// Busy threads keep every core occupied to show the figure under load.

#include "clock.h"
#include "controls.h"
#include "fake_platform.h"
#include "forms.h"
#include "main_window.h"
#include "services.h"
#include "silent_services.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

using namespace quellor;

namespace {

qint64 wallMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Notes the wall time of each power-action request.
class TimingPlatform : public FakePlatform {
public:
    std::function<void(qint64)> onExit;
    void requestPower(PowerAction action) override {
        const qint64 at = wallMs();
        FakePlatform::requestPower(action);
        if (onExit) {
            onExit(at);
        }
    }
};

double percentile(std::vector<qint64> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return static_cast<double>(v[std::min(i, v.size() - 1)]);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    const int busy = argc > 2 ? std::max(0, atoi(argv[2])) : 0;

    std::atomic<bool> stop{false};
    std::vector<std::thread> burners;
    for (int i = 0; i < busy; ++i) {
        burners.emplace_back([&stop] {
            volatile unsigned long x = 0;
            while (!stop.load(std::memory_order_relaxed)) {
                x = x + 1;
            }
        });
    }

    TimingPlatform platform;
    SystemClock clock;
    SilentSound sound;
    NoMessages messages;
    NoFiles files;
    QTemporaryDir dir;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms(services);
    forms.onEnd = [] {};
    forms.mainWindow();
    ScheduleModel& schedule = forms.schedule();
    schedule.chooseAction(TimerAction::Restart);

    std::vector<qint64> delays;
    int missed = 0;
    qint64 targetMs = 0;

    // Arms the field for the second after the next one, so the tick that shows it is a whole
    // second away and nothing of the set-up overlaps it.
    auto scheduleNext = [&] {
        const qint64 now = wallMs();
        targetMs = (now / 1000 + 2) * 1000;
        schedule.enterActionTime(Form1::clockText(QDateTime::fromMSecsSinceEpoch(targetMs)));
    };
    QTimer watchdog;
    watchdog.setSingleShot(true);
    auto next = [&] {
        if (static_cast<int>(delays.size()) + missed >= runs) {
            app.quit();
            return;
        }
        scheduleNext();
        watchdog.start(4000);
    };
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ++missed;
        next();
    });
    platform.onExit = [&](qint64 at) {
        delays.push_back(at - targetMs);
        if (qEnvironmentVariableIsSet("BENCH_VERBOSE")) {
            std::printf("  run %zu: %lld ms\n", delays.size(), static_cast<long long>(at - targetMs));
        }
        // Leave the handler before re-arming: the request is the check's last step.
        QTimer::singleShot(0, next);
    };

    std::printf("power_action_latency: %d runs, %d busy threads, %u cores\n", runs, busy,
                std::thread::hardware_concurrency());
    QTimer::singleShot(0, next);
    app.exec();
    stop = true;
    for (auto& t : burners) {
        t.join();
    }

    if (delays.empty()) {
        std::printf("no power action reached the platform layer (%d missed)\n", missed);
        return 1;
    }
    std::printf("delay from the target second's boundary to the power request, ms:\n");
    std::printf("  min %.0f  median %.0f  p99 %.0f  max %.0f\n", percentile(delays, 0),
                percentile(delays, 0.5), percentile(delays, 0.99), percentile(delays, 1.0));
    std::printf("  fired %zu of %d, missed %d, repeated %d\n", delays.size(), runs, missed,
                platform.powerActions() - static_cast<int>(delays.size()));
    return missed == 0 ? 0 : 1;
}
