#include "media_player.h"
#include "recording_sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quellor;

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

    void soundRoute_data() {
        QTest::addColumn<QString>("name"); // empty: no file is made
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("expected");
        const int silent = int(QtSoundOutput::Route::Silent);
        const int effect = int(QtSoundOutput::Route::Effect);
        const int player = int(QtSoundOutput::Route::Player);
        QTest::newRow("cue") << "2.wav" << qint64(20000) << effect;
        QTest::newRow("upper-case suffix") << "ALARM.WAV" << qint64(20000) << effect;
        QTest::newRow("wave at the limit") << "long.wav" << QtSoundOutput::kLongestEffectBytes << effect;
        QTest::newRow("long wave") << "long.wav" << QtSoundOutput::kLongestEffectBytes + 1 << player;
        QTest::newRow("music") << "song.MP3" << qint64(20000) << player;
        QTest::newRow("no suffix") << "song" << qint64(20000) << player;
        QTest::newRow("missing file") << "" << qint64(0) << silent;
    }
    void soundRoute() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(int, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath(QStringLiteral("absent.wav"));
        if (!name.isEmpty()) {
            path = dir.filePath(name);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(size));
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
