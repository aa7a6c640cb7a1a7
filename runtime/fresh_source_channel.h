#pragma once
// SPDX-License-Identifier: MIT
// The sound module's channel without Qt Multimedia: which object plays a file, and when it gets
// its source. A GStreamer pipeline prepared when a file is opened and played much later (alarm
// music chosen hours ahead) stays silent for about as long as it waited, while the backend's
// clock ends the track on schedule. So opening only remembers the file; every play sets the
// source afresh and starts from the beginning, and a halt gives the pipeline up.

#include "sound_backend.h"

#include <functional>
#include <memory>

namespace quellor {

// One Qt Multimedia object: a sound effect or a media player.
class SoundTarget {
public:
    virtual ~SoundTarget() = default;
    virtual void setSource(const QString& path) = 0; // empty: none
    virtual void play() = 0;
    virtual void stop() = 0;
};

class FreshSourceChannel : public SoundBackendChannel {
public:
    enum class Kind { Effect, Player };
    // Makes the object of a kind at its first use; `failed` is for a sound effect that cannot
    // decode its file.
    using Factory = std::function<std::unique_ptr<SoundTarget>(Kind kind, std::function<void()> failed)>;
    // Whether a file may go to a sound effect now; asked again at every play, since the file may
    // have changed in the hours between choosing the alarm music and its ringing.
    using EffectCheck = std::function<bool(const QString& path)>;

    FreshSourceChannel(Factory make, EffectCheck fitsEffect);
    ~FreshSourceChannel() override;

    void load(const QString& path, bool asEffect) override;
    void play() override;
    void halt() override;

private:
    // A wave file the effect cannot decode (a compressed one) goes to the full player, for this
    // play and every later one.
    void effectFailed();
    void start(Kind kind);
    SoundTarget& target(Kind kind);

    Factory m_make;
    EffectCheck m_fitsEffect;
    std::unique_ptr<SoundTarget> m_effect;
    std::unique_ptr<SoundTarget> m_player;
    QString m_path;
    Kind m_kind = Kind::Player;
    bool m_playing = false;
};

} // namespace quellor
