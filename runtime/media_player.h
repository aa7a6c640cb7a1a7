#pragma once
// SPDX-License-Identifier: MIT
// The media player control the windows place hidden on themselves: open a file by path (playing
// at once when it starts on open), play, halt. Sound goes through a SoundOutput so tests record
// what would have been heard and a machine without audio stays silent without blocking.

#include "shown_gate.h"
#include "sound_backend.h"

#include <QLibrary>
#include <QObject>
#include <QString>

#include <memory>

namespace quellor {

class SoundChannel {
public:
    virtual ~SoundChannel() = default;
    virtual void load(const QString& path) = 0;
    virtual void play() = 0;
    virtual void halt() = 0;
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // `name` is the owning player's name, for recorders.
    virtual std::unique_ptr<SoundChannel> createChannel(const QString& name) = 0;
};

class MediaPlayer : public QObject {
    Q_OBJECT
public:
    MediaPlayer(SoundOutput& output, const QString& name, bool startOnOpen, QObject* parent);
    ~MediaPlayer() override;

    void open(const QString& path);
    void play();
    void halt();

    QString fileName() const { return m_fileName; }
    bool startOnOpen() const { return m_startOnOpen; }

private:
    SoundChannel& channel();

    SoundOutput& m_output;
    std::unique_ptr<SoundChannel> m_channel; // created at first use: no audio work at start-up
    QString m_fileName;
    bool m_startOnOpen;
};

// Real sound through Qt Multimedia at -6 dB, from the sound module beside the program (or in
// `moduleDir`), loaded at the first sound.
class QtSoundOutput : public SoundOutput {
public:
    explicit QtSoundOutput(const QString& moduleDir = QString()) : m_moduleDir(moduleDir) {}

    std::unique_ptr<SoundChannel> createChannel(const QString& name) override;
    // Null when the module cannot be loaded.
    std::unique_ptr<SoundBackendChannel> createBackendChannel();
    // What every sound operation passes through: none runs before the first window is on screen.
    ShownGate& gate() { return m_gate; }

    // How a file is played. Short, whole PCM wave files (the cues, the splash's sound) go to a sound
    // effect, which decodes them itself; only other files bring up the full media pipeline, which
    // stays resident for the rest of the run once started.
    enum class Route { Silent, Effect, Player };
    static Route routeFor(const QString& path);
    static constexpr qint64 kLongestEffectBytes = 4 * 1024 * 1024;

private:
    QString m_moduleDir;
    QLibrary m_module;
    CreateSoundBackendChannel m_create = nullptr;
    bool m_moduleTried = false;
    ShownGate m_gate;
};

} // namespace quellor
