#pragma once
// A program assembled from fakes: the windows under test see a recording platform, a fake
// clock, recorded sound and message boxes, a scripted file chooser and a temporary program
// directory.

#include "fake_clock.h"
#include "fake_platform.h"
#include "forms.h"
#include "recording_messages.h"
#include "recording_sound.h"
#include "scripted_chooser.h"
#include "services.h"

#include <QStringList>
#include <QTemporaryDir>

namespace quellor {

// Records power actions into the sound log as well, so one list shows what happened in order.
class SequencedPlatform : public FakePlatform {
public:
    explicit SequencedPlatform(QStringList& sequence) : m_sequence(sequence) {}
    void exitWindows(unsigned flags) override {
        FakePlatform::exitWindows(flags);
        m_sequence << QStringLiteral("exitWindows(%1)").arg(flags);
    }

private:
    QStringList& m_sequence;
};

struct AppFixture {
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
        forms.onEnd = [this] { ++ended; };
    }
};

} // namespace quellor
