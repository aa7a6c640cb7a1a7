#pragma once
// What the windows need from outside themselves, injected at construction so tests substitute
// fakes: the platform layer, the clock, sound, message boxes, the file chooser, the program's
// directory.

#include "clock.h"
#include "file_dialog.h"
#include "media_player.h"
#include "message_box.h"
#include "platform.h"

#include <QString>

namespace quellor {

struct Services {
    Platform& platform;
    const Clock& clock;
    SoundOutput& sound;
    MessageBoxes& messages;
    FileChooser& files;
    // Directory holding the executable, its cues and its small state files; no trailing separator.
    QString programDir;

    // Full path of a file in the program's directory, e.g. path("2.wav").
    QString path(const QString& fileName) const { return programDir + QLatin1Char('/') + fileName; }
};

} // namespace quellor
