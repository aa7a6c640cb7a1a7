// The sound module: Qt Multimedia behind SoundBackendChannel, at the players' -6 dB.

#include "sound_backend.h"

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

class MultimediaChannel : public SoundBackendChannel {
public:
    void load(const QString& path, bool asEffect) override {
        halt();
        m_path = path;
        m_effectRoute = asEffect;
        if (m_effect) {
            m_effect->setSource(QUrl());
        }
        if (m_player) {
            m_player->setSource(QUrl());
        }
        if (path.isEmpty()) {
            return;
        }
        if (asEffect) {
            ensureEffect();
            m_effect->setSource(QUrl::fromLocalFile(path));
        } else {
            ensurePlayer();
            m_player->setSource(QUrl::fromLocalFile(path));
        }
    }
    void play() override {
        if (m_path.isEmpty()) {
            return;
        }
        m_playing = true;
        if (m_effectRoute) {
            m_effect->play(); // waits for the file if it is still loading
        } else {
            m_player->setPosition(0);
            m_player->play();
        }
    }
    void halt() override {
        m_playing = false;
        if (m_effect) {
            m_effect->stop();
        }
        if (m_player) {
            m_player->stop();
        }
    }

private:
    // A wave file the effect cannot decode (a compressed one) is handed to the full player.
    void effectStatusChanged() {
        if (!m_effectRoute || m_effect->status() != QSoundEffect::Error) {
            return;
        }
        m_effectRoute = false;
        ensurePlayer();
        m_player->setSource(QUrl::fromLocalFile(m_path));
        if (m_playing) {
            m_player->play();
        }
    }

    void ensureEffect() {
        if (m_effect) {
            return;
        }
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setVolume(volume());
        QObject::connect(m_effect.get(), &QSoundEffect::statusChanged, &m_context,
                         [this] { effectStatusChanged(); });
    }
    void ensurePlayer() {
        if (m_player) {
            return;
        }
        m_audio = std::make_unique<QAudioOutput>();
        m_audio->setVolume(volume());
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_audio.get());
    }

    std::unique_ptr<QSoundEffect> m_effect;
    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QMediaPlayer> m_player;
    QString m_path;
    bool m_effectRoute = false;
    bool m_playing = false;
    QObject m_context; // goes first, taking the status connection with it
};

} // namespace

} // namespace quellor

extern "C" Q_DECL_EXPORT quellor::SoundBackendChannel* quellor_create_sound_channel() {
    return new quellor::MultimediaChannel;
}
