#pragma once
// SPDX-License-Identifier: MIT
// A program assembled from fakes: the windows under test see a recording platform, a fake
// clock, recorded sound and message boxes, a scripted file chooser and a temporary program
// directory holding the frame library.

#include "fake_clock.h"
#include "fake_platform.h"
#include "forms.h"
#include "recording_messages.h"
#include "recording_sound.h"
#include "scripted_chooser.h"
#include "services.h"
#include "translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QStringList>
#include <QTemporaryDir>

namespace quellor {

// Puts the frame library in a temporary program directory, as an installed program has it
// beside itself, so the windows get their frames.
inline void linkFrameLibrary(const QString& programDir) {
    const QString library = QStringLiteral("/libVantrelLib.so");
    QFile::link(QCoreApplication::applicationDirPath() + library, programDir + library);
}

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

struct AppFixture {
    // The windows speak Chinese, as the tests that find their controls by text expect, whatever
    // this machine's locale.
    Translations translations{{}, QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    QTemporaryDir dir;
    RecordingSound sound;
    SequencedPlatform platform{sound.log};
    FakeClock clock;
    RecordingMessages messages;
    ScriptedChooser files;
    Services services{platform, clock, sound, messages, files, dir.path()};
    Forms forms{services};
    int ended = 0;

    AppFixture() {
        translations.install({QStringLiteral("zh-CN")});
        linkFrameLibrary(dir.path());
        forms.onEnd = [this] { ++ended; };
    }
};

} // namespace quellor
