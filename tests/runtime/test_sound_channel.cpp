// SPDX-License-Identifier: MIT
// When the sound module's objects get their sources: a file opened long before its play (alarm
// music chosen hours ahead) must start from the beginning, which a pipeline prepared at the open
// does not.

#include "fresh_source_channel.h"

#include <QTest>

using namespace quellor;

namespace {

class FakeTarget : public SoundTarget {
public:
    FakeTarget(QStringList& log, QString kind) : m_log(log), m_kind(std::move(kind)) {}
    void setSource(const QString& path) override { m_log << m_kind + QStringLiteral(" source ") + path; }
    void play() override { m_log << m_kind + QStringLiteral(" play"); }
    void stop() override { m_log << m_kind + QStringLiteral(" stop"); }

private:
    QStringList& m_log;
    QString m_kind;
};

QStringList freshStart(const QString& kind, const QString& path) {
    return {kind + QStringLiteral(" source "), kind + QStringLiteral(" source ") + path,
            kind + QStringLiteral(" play")};
}

const QStringList kPlayerReleased = {QStringLiteral("Player stop"), QStringLiteral("Player source ")};

} // namespace

class TestSoundChannel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Steps: "mp3 <path>" and "wav <path>" open a file for the player or the sound effect, "wait"
    // runs the event loop a moment, "play", "halt", "undecodable" is the effect failing on its
    // file, and "spoilt" the file changing into one an effect must not have.
    void sourcesAreSetAtPlay_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        const QString song = QStringLiteral("/m/song.mp3");
        const QString wave = QStringLiteral("/m/alarm.wav");

        QTest::newRow("music opened long before")
            << QStringList{"mp3 " + song, "wait", "play"} << freshStart("Player", song);
        QTest::newRow("wave opened long before")
            << QStringList{"wav " + wave, "wait", "play"} << freshStart("Effect", wave);
        QTest::newRow("rings again the next day") << QStringList{"mp3 " + song, "play", "wait", "play"}
                                                  << freshStart("Player", song) + freshStart("Player", song);
        QTest::newRow("halted, then rings again")
            << QStringList{"mp3 " + song, "play", "halt", "wait", "play"}
            << freshStart("Player", song) + kPlayerReleased + freshStart("Player", song);
        QTest::newRow("another file halts the first")
            << QStringList{"mp3 " + song, "play", "wav " + wave, "play"}
            << freshStart("Player", song) + kPlayerReleased + freshStart("Effect", wave);
        QTest::newRow("undecodable wave goes to the player, then and later")
            << QStringList{"wav " + wave, "play", "undecodable", "play"}
            << freshStart("Effect", wave) + freshStart("Player", wave) + freshStart("Player", wave);
        QTest::newRow("undecodable wave after its halt waits for the play")
            << QStringList{"wav " + wave, "play", "halt", "undecodable", "play"}
            << freshStart("Effect", wave) + QStringList{"Effect stop", "Effect source "} +
                   freshStart("Player", wave);
        QTest::newRow("wave spoilt between its open and its play goes to the player")
            << QStringList{"wav " + wave, "spoilt", "play", "play"}
            << freshStart("Player", wave) + freshStart("Player", wave);
        QTest::newRow("nothing opened") << QStringList{"mp3 ", "play", "halt"} << QStringList();
    }
    void sourcesAreSetAtPlay() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QStringList log;
        std::function<void()> failEffect;
        bool spoilt = false;
        FreshSourceChannel channel(
            [&](FreshSourceChannel::Kind kind, std::function<void()> failed) {
                const bool effect = kind == FreshSourceChannel::Kind::Effect;
                if (effect) {
                    failEffect = std::move(failed);
                }
                return std::make_unique<FakeTarget>(log, effect ? QStringLiteral("Effect")
                                                                : QStringLiteral("Player"));
            },
            [&](const QString&) { return !spoilt; });
        for (const QString& step : steps) {
            const QString arg = step.section(QLatin1Char(' '), 1);
            if (step.startsWith(QLatin1String("mp3 ")) || step.startsWith(QLatin1String("wav "))) {
                channel.load(arg, step.startsWith(QLatin1String("wav ")));
            } else if (step == QLatin1String("play")) {
                channel.play();
            } else if (step == QLatin1String("halt")) {
                channel.halt();
            } else if (step == QLatin1String("spoilt")) {
                spoilt = true;
            } else if (step == QLatin1String("undecodable")) {
                QVERIFY(failEffect);
                failEffect();
            } else {
                QCOMPARE(step, QStringLiteral("wait"));
                QTest::qWait(1); // nothing may happen between the open and the play
            }
        }
        QCOMPARE(log, expected);
    }
};

QTEST_GUILESS_MAIN(TestSoundChannel)
#include "test_sound_channel.moc"
