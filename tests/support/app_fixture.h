#pragma once
// A program assembled from fakes: the windows under test see a recording platform, a fake
// clock, recorded sound and message boxes, and a temporary program directory.

#include "fake_clock.h"
#include "fake_platform.h"
#include "file_dialog.h"
#include "forms.h"
#include "recording_messages.h"
#include "recording_sound.h"
#include "services.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace quellor {

// Puts the frame library in a temporary program directory, as an installed program has it
// beside itself, so the windows get their frames.
inline void linkFrameLibrary(const QString& programDir) {
    const QString library = QStringLiteral("/libVantrelLib.so");
    QFile::link(QCoreApplication::applicationDirPath() + library, programDir + library);
}

class ScriptedChooser : public FileChooser {
public:
    QStringList answers; // next answers; empty = cancelled
    int shown = 0;
    QString lastFilter, lastDir;
    QString chooseOpenFile(QWidget*, const QString& filter, const QString& dir) override {
        ++shown;
        lastFilter = filter;
        lastDir = dir;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

struct AppFixture {
    QTemporaryDir dir;
    FakePlatform platform;
    FakeClock clock;
    RecordingSound sound;
    RecordingMessages messages;
    ScriptedChooser files;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms{services};
    int ended = 0;

    AppFixture() {
        linkFrameLibrary(dir.path());
        forms.onEnd = [this] { ++ended; };
    }
};

} // namespace quellor
