#include "media_player.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

#include <cmath>

namespace quellor {

MediaPlayer::MediaPlayer(SoundOutput& output, const QString& name, bool startOnOpen, QObject* parent)
    : QObject(parent), m_output(output), m_startOnOpen(startOnOpen) {
    setObjectName(name);
}

MediaPlayer::~MediaPlayer() = default;

SoundChannel& MediaPlayer::channel() {
    if (!m_channel) {
        m_channel = m_output.createChannel(objectName());
    }
    return *m_channel;
}

void MediaPlayer::open(const QString& path) {
    m_fileName = path;
    channel().load(path);
    if (m_startOnOpen) {
        channel().play();
    }
}

void MediaPlayer::play() {
    channel().play();
}

void MediaPlayer::halt() {
    channel().halt();
}

namespace {

constexpr double kVolumeDb = -6.0; // the players' stored volume, -600 hundredths of a decibel

// Bringing up the media backend (its plugin, the audio server connection) takes tens of
// milliseconds, and the splash opens its sound before it is first shown. So every operation runs
// from the event loop, in the order it was asked for: no handler waits for the backend, and at
// start-up the splash reaches the screen while the backend comes up.
class QtSoundChannel : public SoundChannel {
public:
    void load(const QString& path) override {
        later([this, path] { loadNow(path); });
    }
    void play() override {
        later([this] { playNow(); });
    }
    void halt() override {
        later([this] { haltNow(); });
    }

private:
    template <typename Operation> void later(Operation op) {
        // Queued to a member, so operations still pending when the channel goes are dropped with it.
        QMetaObject::invokeMethod(&m_queue, std::move(op), Qt::QueuedConnection);
    }

    void loadNow(const QString& path) {
        // A missing or unreadable file is simply not heard.
        m_loaded = !path.isEmpty() && QFileInfo(path).isFile();
        if (!m_loaded) {
            if (m_player) {
                m_player->stop();
                m_player->setSource(QUrl());
            }
            return;
        }
        ensurePlayer();
        m_player->stop();
        m_player->setSource(QUrl::fromLocalFile(path));
    }
    void playNow() {
        if (m_loaded && m_player) {
            m_player->setPosition(0);
            m_player->play();
        }
    }
    void haltNow() {
        if (m_player) {
            m_player->stop();
        }
    }

    void ensurePlayer() {
        if (m_player) {
            return;
        }
        m_audio = std::make_unique<QAudioOutput>();
        m_audio->setVolume(static_cast<float>(std::pow(10.0, kVolumeDb / 20.0)));
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_audio.get());
    }

    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_loaded = false;
    QObject m_queue;
};

} // namespace

std::unique_ptr<SoundChannel> QtSoundOutput::createChannel(const QString&) {
    return std::make_unique<QtSoundChannel>();
}

} // namespace quellor
