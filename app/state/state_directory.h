#pragma once
// SPDX-License-Identifier: MIT
// Where the program keeps its small state files ("Diri.dll", "pae.dll"). A development tree keeps
// them beside the executable. An installed copy's directory belongs to the system and is
// read-only for the people who run it, so there they live in the user's own data folder, under
// the same names and with the same bytes. The cues and cursors always stay in the program's
// directory.

#include <QString>

namespace quellor {

// Name of the file `cmake --install` puts into the program directory of an installed copy.
// Its presence alone decides, so even an administrator's run keeps its state out of the
// system's directories.
inline constexpr char kInstalledMarker[] = "quellor.installed";

// The user's data folder for the program, $XDG_DATA_HOME/quellor, which also holds the class
// store of the frame library. Not created here.
QString userDataDirectory();

// The program directory when it is a development tree that can be written, else
// `userDataDirectory` (created on demand). A folder that cannot be created is still returned:
// writes there then fail and are reported by whoever writes.
QString stateDirectory(const QString& programDir, const QString& userDataDir = userDataDirectory());

} // namespace quellor
