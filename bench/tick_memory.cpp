// SPDX-License-Identifier: MIT
// Resident memory of the main window across an hour of its clock, driven fast. A clock that steps
// one second per tick feeds the real Form1, held fully on screen: each tick writes the clock text,
// runs the schedule check and repaints, and the dock's two 200 ms polls run five times per tick as
// they would in that second. Waiting a real hour is not an option; what could grow is the same code run as
// often.
//
//   tick_memory [TICKS]   (default 3600)
//
// Needs a display (the report runs it under Xvfb); power actions go to the recording fake.

#include "clock.h"
#include "controls.h"
#include "fake_platform.h"
#include "file_dialog.h"
#include "form_taskbar.h"
#include "forms.h"
#include "main_window.h"
#include "message_box.h"
#include "services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

using namespace quellor;

namespace {

// Wall and steady time move together, one step at a time, as a machine that neither sleeps nor
// has its clock set.
class SteppedClock : public Clock {
public:
    explicit SteppedClock(QDateTime start) : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    qint64 elapsedMs() const override { return m_elapsed; }
    void advanceMs(qint64 ms) {
        m_now = m_now.addMSecs(ms);
        m_elapsed += ms;
    }

private:
    QDateTime m_now;
    qint64 m_elapsed = 0;
};

// VmRSS of this process in kB, or -1.
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // Read whole: /proc files report no size, so QFile sees them at their end from the start.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Counts the clock field's repaints, to show the ticks were painted and not only computed.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// Bytes the program holds from the heap: unlike resident pages it moves with every allocation
// not given back, so a leak of a few bytes a tick shows.
long long heapInUse() {
    return static_cast<long long>(mallinfo2().uordblks);
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int ticks = 3600;
    if (argc > 1) {
        bool ok = false;
        ticks = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (!ok || ticks < 2) {
            std::fprintf(stderr, "usage: tick_memory [TICKS]\n");
            return 2;
        }
    }

    FakePlatform platform;
    // Half an hour before midnight, so the hour crosses a change of date too.
    SteppedClock clock(QDateTime(QDate(2026, 12, 7), QTime(23, 30, 0)));
    QtSoundOutput sound;
    QtMessageBoxes messages;
    QtFileChooser files;
    QTemporaryDir dir;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms(services);
    forms.onEnd = [] {};
    Form1& form = forms.mainWindow();
    forms.showMainWindow();
    // Ticks come from the loop below, not from the wall clock.
    form.Timer1->stop();
    runFor(1000); // shown, painted, the dock's delayed start-up run
    // Out of its parked place and fully on screen, as while the mouse is over it: the clock then
    // repaints at every tick, the most the hour can ask of it.
    form.move(form.x(), 0);
    runFor(200);

    const auto tick = [&] {
        clock.advanceMs(1000);
        Q_EMIT form.Timer1->tick();
        for (int i = 0; i < 5; ++i) {
            form.Form_TaskBar1->tmrCheckMouseOver_Timer();
            form.Form_TaskBar1->tmrAppFocus_Timer();
        }
        QCoreApplication::processEvents(); // the repaint the new text asked for
    };

    // Glyph and style caches fill during the first minute; growth is counted after it.
    for (int i = 0; i < 60; ++i) {
        tick();
    }
    PaintCounter painted;
    form.Text1->installEventFilter(&painted);
    const long before = residentKb();
    const long long heapBefore = heapInUse();
    long halfway = -1;
    QElapsedTimer took;
    took.start();
    for (int i = 1; i <= ticks; ++i) {
        tick();
        if (i == ticks / 2) {
            halfway = residentKb();
        }
    }
    const double seconds = double(took.elapsed()) / 1000;
    const long after = residentKb();
    const long long heapAfter = heapInUse();

    // A tick that did not reach the window would make every figure below meaningless.
    const QString shown = form.Text1->text();
    if (shown != Form1::clockText(clock.now())) {
        std::fprintf(stderr, "tick_memory: the clock shows %s, expected %s\n", qPrintable(shown),
                     qPrintable(Form1::clockText(clock.now())));
        return 1;
    }
    std::printf("ticks: %d in %.1f s, clock repainted %d times\n", ticks, seconds, painted.paints);
    std::printf("resident after warm-up: %ld kB\n", before);
    std::printf("resident halfway: %ld kB\n", halfway);
    std::printf("resident after ticks: %ld kB\n", after);
    std::printf("growth: %ld kB\n", after - before);
    std::printf("heap in use after warm-up: %lld bytes\n", heapBefore);
    std::printf("heap growth: %lld bytes\n", heapAfter - heapBefore);
    return 0;
}
