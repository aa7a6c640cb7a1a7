// SPDX-License-Identifier: MIT
// The sound module: Qt Multimedia behind SoundBackendChannel, at the players' -6 dB.

#include "fresh_source_channel.h"
#include "wave_file.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

#include <cmath>
#include <memory>

namespace quellor {

namespace {

constexpr double kVolumeDb = -6.0; // the players' stored volume, -600 hundredths of a decibel

float volume() {
    return static_cast<float>(std::pow(10.0, kVolumeDb / 20.0));
}

QUrl urlOf(const QString& path) {
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

// A sound effect suits short wave files: it decodes them itself and leaves no media pipeline behind.
class EffectTarget : public SoundTarget {
public:
    explicit EffectTarget(std::function<void()> failed) {
        m_effect.setVolume(volume());
        QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect,
                         [this, failed = std::move(failed)] {
                             if (m_effect.status() == QSoundEffect::Error) {
                                 failed();
                             }
                         });
    }
    void setSource(const QString& path) override { m_effect.setSource(urlOf(path)); }
    void play() override { m_effect.play(); } // waits for the file while it is still loading
    void stop() override { m_effect.stop(); }

private:
    QSoundEffect m_effect;
};

class PlayerTarget : public SoundTarget {
public:
    PlayerTarget() {
        m_audio.setVolume(volume());
        m_player.setAudioOutput(&m_audio);
    }
    void setSource(const QString& path) override { m_player.setSource(urlOf(path)); }
    void play() override { m_player.play(); }
    void stop() override { m_player.stop(); }

private:
    QAudioOutput m_audio;
    QMediaPlayer m_player; // goes first, before the output it plays into
};

std::unique_ptr<SoundTarget> makeTarget(FreshSourceChannel::Kind kind, std::function<void()> failed) {
    if (kind == FreshSourceChannel::Kind::Effect) {
        return std::make_unique<EffectTarget>(std::move(failed));
    }
    return std::make_unique<PlayerTarget>();
}

} // namespace

} // namespace quellor

extern "C" Q_DECL_EXPORT quellor::SoundBackendChannel* quellor_create_sound_channel() {
    return new quellor::FreshSourceChannel(&quellor::makeTarget, &quellor::wave_file::fitsSoundEffect);
}
