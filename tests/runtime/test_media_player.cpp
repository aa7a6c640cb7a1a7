// SPDX-License-Identifier: MIT

#include "file_bytes.h"
#include "media_player.h"
#include "recording_sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quellor;

namespace {

QByteArray le(quint32 value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(char(value >> (8 * i) & 0xff));
    }
    return out;
}

// A PCM wave, mono, 16 bits at 22050 Hz, holding `dataBytes` of silence; `fmtSize` and `claimed`
// (the RIFF and data sizes, when given) are what its header says, whatever it holds.
QByteArray wave(qint64 dataBytes, quint32 fmtSize = 16, quint32 claimed = 0) {
    const auto data = static_cast<quint32>(dataBytes);
    return "RIFF" + le(claimed ? claimed : 36 + data, 4) + "WAVEfmt " + le(fmtSize, 4) + le(1, 2) + le(1, 2) +
           le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2) + "data" + le(claimed ? claimed : data, 4) +
           QByteArray(dataBytes, '\0');
}

} // namespace

class TestMediaPlayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playerStartsOnOpenOnlyWhenSoConfigured() {
        RecordingSound sound;
        MediaPlayer cue(sound, QStringLiteral("Player2"), true, nullptr);
        MediaPlayer alarm(sound, QStringLiteral("Player1"), false, nullptr);
        cue.open(QStringLiteral("/p/2.wav"));
        alarm.open(QStringLiteral("/m/song.mp3"));
        QCOMPARE(sound.log,
                 QStringList({QStringLiteral("Player2 open /p/2.wav"), QStringLiteral("Player2 play"),
                              QStringLiteral("Player1 open /m/song.mp3")}));
        QCOMPARE(alarm.fileName(), QStringLiteral("/m/song.mp3"));
    }

    void realPlayerIsSilentForMissingFiles() {
        QtSoundOutput output;
        MediaPlayer player(output, QStringLiteral("Player"), true, nullptr);
        player.open(QStringLiteral("/nonexistent/3.wav")); // must neither block nor crash
        player.open(QString());
        player.play();
        player.halt();
        QCOMPARE(player.fileName(), QString());
    }

    // Only a whole PCM wave may reach a sound effect: one holding less than its header says froze
    // the program at the next change of sound.
    void soundRoute_data() {
        QTest::addColumn<QString>("name"); // empty: no file is made
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("expected");
        const int silent = int(QtSoundOutput::Route::Silent);
        const int effect = int(QtSoundOutput::Route::Effect);
        const int player = int(QtSoundOutput::Route::Player);
        const qint64 longest = QtSoundOutput::kLongestEffectBytes;
        QTest::newRow("cue") << "2.wav" << wave(20000) << effect;
        QTest::newRow("upper-case suffix") << "ALARM.WAV" << wave(20000) << effect;
        QTest::newRow("wave at the limit") << "long.wav" << wave(longest - 44) << effect;
        QTest::newRow("long wave") << "long.wav" << wave(longest - 44) + '\0' << player;
        QTest::newRow("music") << "song.MP3" << QByteArray(20000, '\0') << player;
        QTest::newRow("no suffix") << "song" << wave(20000) << player;
        QTest::newRow("missing file") << "" << QByteArray() << silent;
        QTest::newRow("wave cut short") << "a.wav" << wave(40000).left(20000) << player;
        QTest::newRow("empty wave") << "a.wav" << QByteArray() << player;
        QTest::newRow("header alone") << "a.wav" << wave(40000).left(30) << player;
        QTest::newRow("header claiming 4 GB") << "a.wav" << wave(20000, 16, 0xFFFFFFF0u) << player;
        QTest::newRow("format chunk of 0xFFFFFFF0") << "a.wav" << wave(20000, 0xFFFFFFF0u) << player;
        QTest::newRow("part of a frame") << "a.wav" << wave(20001) << player;
    }
    void soundRoute() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath(QStringLiteral("absent.wav"));
        if (!name.isEmpty()) {
            path = dir.filePath(name);
            QVERIFY(writeFileBytes(path, bytes));
        }
        QCOMPARE(int(QtSoundOutput::routeFor(path)), expected);
    }

    void soundRouteIsSilentForWhatIsNoFile() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));
        QCOMPARE(QtSoundOutput::routeFor(dir.filePath(QStringLiteral("folder.wav"))),
                 QtSoundOutput::Route::Silent);
        QCOMPARE(QtSoundOutput::routeFor(QString()), QtSoundOutput::Route::Silent);
    }

    // The multimedia half is a module found beside the program; without it the program is silent.
    void soundModuleLoadsFromTheProgramDirectoryOnly() {
        QtSoundOutput beside;
        QVERIFY(beside.createBackendChannel() != nullptr);
        QVERIFY(beside.createBackendChannel() != nullptr); // one module, any number of channels

        QTemporaryDir empty;
        QtSoundOutput elsewhere(empty.path());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^No sound: ")));
        QVERIFY(elsewhere.createBackendChannel() == nullptr);
        QVERIFY(elsewhere.createBackendChannel() == nullptr); // tried once, not again
        MediaPlayer player(elsewhere, QStringLiteral("Player2"), true, nullptr);
        player.open(QCoreApplication::applicationFilePath()); // a file, so the module is asked for
        player.halt();
        QCoreApplication::sendPostedEvents();
    }

    // The real player works from the event loop; a player that goes (the splash closing) with
    // work still queued must drop it rather than run it on a dead channel.
    void realPlayerDropsQueuedWorkWhenDestroyed() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString wav = dir.filePath(QStringLiteral("3.wav"));
        QFile f(wav);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("RIFF", 4)); // unreadable as sound, but a file: the backend is asked
        f.close();
        {
            QtSoundOutput output;
            MediaPlayer player(output, QStringLiteral("Player"), true, nullptr);
            player.open(wav);
            player.halt();
            QCOMPARE(player.fileName(), wav);
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "test_media_player.moc"
