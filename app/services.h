#pragma once
// SPDX-License-Identifier: MIT
// What the windows need from outside themselves, injected at construction so tests substitute
// fakes: the platform layer, the clock, sound, message boxes, the file chooser, the program's
// directory and the directory of its state files.

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
    // Directory holding the executable and its cues; no trailing separator.
    QString programDir;
    // Directory of the small state files (see state_directory.h); empty means programDir.
    QString stateDir = {};

    // Full path of a file in the program's directory, e.g. path("2.wav").
    QString path(const QString& fileName) const { return programDir + QLatin1Char('/') + fileName; }
    // Full path of a state file, e.g. statePath("Diri.dll").
    QString statePath(const QString& fileName) const {
        return (stateDir.isEmpty() ? programDir : stateDir) + QLatin1Char('/') + fileName;
    }
};

} // namespace quellor
