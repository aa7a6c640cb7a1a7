#pragma once
// SPDX-License-Identifier: MIT
// Whether a wave file may go to a sound effect. The effect loads its file on a worker thread and,
// when the file holds less than its header promises (cut short, or sizes made up), waits for the
// rest for ever; the next change of any effect's source then waits for that worker on the GUI
// thread, and the program stands still. So a file reaches an effect only when every chunk size
// agrees with the file, its format is plain PCM the effect decodes whole, and its data chunk is
// there in full. Anything else goes to the media player, whose pipeline fails on its own.

#include <QString>

namespace quellor::wave_file {

// Reads the chunk headers only, a few dozen bytes; never opens anything but a regular file and
// never waits on one.
bool fitsSoundEffect(const QString& path);

} // namespace quellor::wave_file
