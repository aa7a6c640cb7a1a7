#pragma once
// The program's windows over fakes: a recording platform, a clock set by hand, recorded sound
// and message boxes, a scripted file chooser and a private program directory. The main window's
// own ticker is stopped; tests tick it by hand.

#include "app_fixture.h"
#include "fake_clock.h"
#include "fake_platform.h"
#include "file_dialog.h"
#include "forms.h"
#include "globals.h"
#include "main_window.h"
#include "recording_messages.h"
#include "recording_sound.h"
#include "services.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace quellor {

// Records power actions into the sound log as well, so one list shows what happened in order.
class SequencedPlatform : public FakePlatform {
public:
    explicit SequencedPlatform(QStringList& sequence) : m_sequence(sequence) {}
    void requestPower(PowerAction action) override {
        FakePlatform::requestPower(action);
        m_sequence << QString::fromStdString(powerCall(action));
    }

private:
    QStringList& m_sequence;
};

struct AppRig {
    RecordingSound sound;
    SequencedPlatform platform{sound.log};
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(12, 0, 0))};
    RecordingMessages messages;
    ScriptedChooser files;
    QTemporaryDir dir;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms{services};
    int ended = 0;

    AppRig() {
        linkFrameLibrary(dir.path());
        g_TimerAction = TimerAction::None;
        forms.onEnd = [this] { ++ended; };
    }

    // The main window shown and active, its ticker stopped, the load's recordings cleared.
    Form1& mainWindow() {
        Form1& f = forms.mainWindow();
        f.Timer1->stop();
        if (!f.isVisible()) {
            forms.showMainWindow();
            QApplication::setActiveWindow(&f);
            [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&f);
        }
        return f;
    }

    // Sets the clock and delivers one tick of the main window.
    void tickAt(const QTime& t) {
        clock.setTime(t);
        forms.mainWindow().Timer1_Timer();
    }

    QString settingsPath() const { return services.path(QStringLiteral("Diri.dll")); }
    void writeSettings(const QByteArray& bytes) {
        QFile f(settingsPath());
        if (f.open(QIODevice::WriteOnly)) {
            f.write(bytes);
        }
    }
    QByteArray settingsBytes() const {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Names of the cue files played by the main window, in order.
    QStringList cues() const {
        QStringList out;
        const QString prefix = QStringLiteral("Player2 open ");
        for (const QString& e : sound.log) {
            if (e.startsWith(prefix)) {
                out << e.mid(e.lastIndexOf(QLatin1Char('/')) + 1);
            }
        }
        return out;
    }
};

// Lets deleteLater() of closed windows take effect.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace quellor
