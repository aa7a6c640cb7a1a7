// SPDX-License-Identifier: MIT
// How far after each true second boundary the main window's clock text changes, and whether it
// ever jumps over a second. Runs the real Form1 with the real clock; power actions, sound,
// message boxes and the file dialog go to inert stand-ins.
//
//   clock_offset [SECONDS]   (default 600)

#include "clock_offsets.h"
#include "controls.h"
#include "fake_platform.h"
#include "forms.h"
#include "main_window.h"
#include "services.h"
#include "silent_services.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

std::int64_t epochMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int seconds = 600;
    if (argc > 1) {
        bool ok = false;
        seconds = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (!ok || seconds < 1) {
            std::fprintf(stderr, "usage: clock_offset [SECONDS]\n");
            return 2;
        }
    }

    quellor::FakePlatform platform;
    quellor::SystemClock clock;
    quellor::SilentSound sound;
    quellor::NoMessages messages("clock_offset");
    quellor::NoFiles files;
    quellor::Services services{platform, clock, sound, messages, files, QDir::tempPath()};
    quellor::Forms forms(services);
    forms.onEnd = [] { QCoreApplication::exit(0); };

    quellor::bench::ClockOffsets offsets;
    quellor::Form1& form = forms.mainWindow();
    QObject::connect(form.Text1, &QLineEdit::textChanged, form.Text1, [&offsets](const QString& text) {
        const std::int64_t now = epochMicros(); // first, before anything else adds to the figure
        const int zone = QDateTime::fromMSecsSinceEpoch(now / 1000).offsetFromUtc();
        offsets.record(text, now, zone);
    });
    forms.showMainWindow();
    QTimer::singleShot(std::chrono::seconds(seconds), [] { QCoreApplication::exit(0); });
    QApplication::exec();

    const quellor::bench::ClockSummary s = offsets.summary();
    std::printf("clock changes: %d over %d s\n", s.changes, seconds);
    std::printf("offset median: %.2f ms\n", s.medianMs);
    std::printf("offset p99: %.2f ms\n", s.p99Ms);
    std::printf("offset max: %.2f ms\n", s.maxMs);
    std::printf("offset min: %.2f ms\n", s.minMs);
    std::printf("seconds skipped: %d\n", s.skipped);
    std::printf("clock jumps: %d\n", s.clockJumps);
    std::printf("unreadable texts: %d\n", s.unreadable);
    std::printf("power actions: %d\n", platform.powerActions());
    return s.changes > 0 ? 0 : 1;
}
