// SPDX-License-Identifier: MIT

#include "media_player.h"

#include "wave_file.h"

#include <QCoreApplication>
#include <QFileInfo>

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

// Starting the sound module and its media backend takes tens of milliseconds, and the splash
// opens its sound before it is first shown. So every operation runs from the event loop, in the
// order it was asked for, and not before the window being shown is on screen: no handler waits
// for the backend, and at start-up the splash reaches the screen before the backend comes up.
class QtSoundChannel : public SoundChannel {
public:
    explicit QtSoundChannel(QtSoundOutput& output) : m_output(output) {}

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
        QMetaObject::invokeMethod(
            &m_queue, [this, op = std::move(op)] { m_output.gate().run(&m_queue, op); },
            Qt::QueuedConnection);
    }

    void loadNow(const QString& path) {
        // A missing or unreadable file is simply not heard.
        const Route route = QtSoundOutput::routeFor(path);
        if (route == Route::Silent && !m_backend) {
            return;
        }
        if (SoundBackendChannel* b = backend()) {
            b->load(route == Route::Silent ? QString() : path, route == Route::Effect);
        }
    }
    void playNow() {
        if (m_backend) {
            m_backend->play();
        }
    }
    void haltNow() {
        if (m_backend) {
            m_backend->halt();
        }
    }

    SoundBackendChannel* backend() {
        if (!m_backend) {
            m_backend = m_output.createBackendChannel();
        }
        return m_backend.get();
    }

    QtSoundOutput& m_output;
    std::unique_ptr<SoundBackendChannel> m_backend;
    QObject m_queue;
};

} // namespace

QtSoundOutput::Route QtSoundOutput::routeFor(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        return Route::Silent;
    }
    const bool wave = info.suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0;
    return wave && info.size() <= kLongestEffectBytes && wave_file::fitsSoundEffect(path) ? Route::Effect
                                                                                          : Route::Player;
}

std::unique_ptr<SoundChannel> QtSoundOutput::createChannel(const QString&) {
    return std::make_unique<QtSoundChannel>(*this);
}

std::unique_ptr<SoundBackendChannel> QtSoundOutput::createBackendChannel() {
    if (!m_moduleTried) {
        m_moduleTried = true;
        const QString dir = m_moduleDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_moduleDir;
        m_module.setFileName(dir + QLatin1Char('/') + QLatin1String(kSoundBackendModule));
        m_create = reinterpret_cast<CreateSoundBackendChannel>(m_module.resolve(kSoundBackendEntry));
        if (!m_create) {
            // Without the module the program runs on, silent.
            qWarning("No sound: %s", qPrintable(m_module.errorString()));
        }
    }
    return std::unique_ptr<SoundBackendChannel>(m_create ? m_create() : nullptr);
}

} // namespace quellor
