#include "media_player.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QSoundEffect>
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

// Bringing up the media backend takes tens of milliseconds, and the splash opens its sound
// before it is first shown. So every operation runs from the event loop, in the order it was
// asked for: no handler waits for the backend, and at start-up the splash reaches the screen
// while the backend comes up.
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
    using Route = QtSoundOutput::Route;

    template <typename Operation> void later(Operation op) {
        // Queued to a member, so operations still pending when the channel goes are dropped with it.
        QMetaObject::invokeMethod(&m_queue, std::move(op), Qt::QueuedConnection);
    }

    void loadNow(const QString& path) {
        haltNow();
        m_path = path;
        // A missing or unreadable file is simply not heard.
        m_route = QtSoundOutput::routeFor(path);
        if (m_effect) {
            m_effect->setSource(QUrl());
        }
        if (m_player) {
            m_player->setSource(QUrl());
        }
        if (m_route == Route::Effect) {
            ensureEffect();
            m_effect->setSource(QUrl::fromLocalFile(path));
        } else if (m_route == Route::Player) {
            ensurePlayer();
            m_player->setSource(QUrl::fromLocalFile(path));
        }
    }
    void playNow() {
        m_playing = m_route != Route::Silent;
        if (m_route == Route::Effect) {
            m_effect->play(); // from the start; waits for the file if it is still loading
        } else if (m_route == Route::Player) {
            m_player->setPosition(0);
            m_player->play();
        }
    }
    void haltNow() {
        m_playing = false;
        if (m_effect) {
            m_effect->stop();
        }
        if (m_player) {
            m_player->stop();
        }
    }

    // A wave file the effect cannot decode (a compressed one) is handed to the full player.
    void effectStatusChanged() {
        if (m_route != Route::Effect || m_effect->status() != QSoundEffect::Error) {
            return;
        }
        m_route = Route::Player;
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
        QObject::connect(m_effect.get(), &QSoundEffect::statusChanged, &m_queue,
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
    static float volume() { return static_cast<float>(std::pow(10.0, kVolumeDb / 20.0)); }

    std::unique_ptr<QSoundEffect> m_effect;
    std::unique_ptr<QAudioOutput> m_audio;
    std::unique_ptr<QMediaPlayer> m_player;
    QString m_path;
    Route m_route = Route::Silent;
    bool m_playing = false;
    QObject m_queue;
};

} // namespace

QtSoundOutput::Route QtSoundOutput::routeFor(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        return Route::Silent;
    }
    const bool wave = info.suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0;
    return wave && info.size() <= kLongestEffectBytes ? Route::Effect : Route::Player;
}

std::unique_ptr<SoundChannel> QtSoundOutput::createChannel(const QString&) {
    return std::make_unique<QtSoundChannel>();
}

} // namespace quellor
