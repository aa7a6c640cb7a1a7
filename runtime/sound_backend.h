#pragma once
// SPDX-License-Identifier: MIT
// The part of sound that needs Qt Multimedia. It is built as a module of its own and loaded at
// the first sound: linking the multimedia libraries into the program would load a score of audio,
// codec and network libraries at every start, before the first window, for a sound that comes
// later.

#include <QString>

namespace quellor {

class SoundBackendChannel {
public:
    virtual ~SoundBackendChannel() = default;
    // Remembers the file for the next plays (an empty path: none), to go to a sound effect or to
    // the full media player.
    virtual void load(const QString& path, bool asEffect) = 0;
    virtual void play() = 0; // from the start, however long after the load
    virtual void halt() = 0;
};

// The module's one entry point: a new channel, owned by the caller.
using CreateSoundBackendChannel = SoundBackendChannel* (*)();
inline constexpr char kSoundBackendModule[] = "quellor_sound";
inline constexpr char kSoundBackendEntry[] = "quellor_create_sound_channel";

} // namespace quellor
