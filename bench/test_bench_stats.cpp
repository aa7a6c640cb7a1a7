// SPDX-License-Identifier: MIT

#include "clock_offsets.h"

#include <QTest>

using quellor::bench::ClockOffsets;

namespace {
constexpr std::int64_t kSecond = 1000000;
// 2024-03-01 00:00:00 UTC, in microseconds.
constexpr std::int64_t kMidnightUtc = std::int64_t{1709251200} * kSecond;
} // namespace

class TestBenchStats : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondOfDay_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: not a time
        QTest::newRow("midnight") << "00:00:00" << 0;
        QTest::newRow("last second") << "23:59:59" << 86399;
        QTest::newRow("morning") << "07:05:09" << 25509;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("hour 24") << "24:00:00" << -1;
        QTest::newRow("minute 60") << "12:60:00" << -1;
        QTest::newRow("one digit") << "7:05:09" << -1;
        QTest::newRow("typed over") << "12:3x:00" << -1;
        QTest::newRow("wrong separator") << "12.30.00" << -1;
        QTest::newRow("full-width digit") << QStringLiteral("12:30:0\uff11") << -1;
    }
    void secondOfDay() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto got = ClockOffsets::secondOfDay(text);
        QCOMPARE(got.value_or(-1), expected);
    }

    void offset_data() {
        QTest::addColumn<int>("shownSecond");
        QTest::addColumn<qint64>("localMicros");
        QTest::addColumn<double>("expectedMs");
        QTest::newRow("on time") << 100 << qint64(100 * kSecond + 2500) << 2.5;
        QTest::newRow("early") << 100 << qint64(100 * kSecond - 1000) << -1.0;
        QTest::newRow("a whole second late") << 100 << qint64(101 * kSecond + 500) << 1000.5;
        QTest::newRow("late past midnight") << 86399 << qint64(3000) << 1003.0;
        QTest::newRow("early before midnight") << 0 << qint64(86399 * kSecond + 999000) << -1.0;
    }
    void offset() {
        QFETCH(int, shownSecond);
        QFETCH(qint64, localMicros);
        QFETCH(double, expectedMs);
        QCOMPARE(ClockOffsets::offsetMs(shownSecond, localMicros), expectedMs);
    }

    void percentile_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("expected");
        QTest::newRow("none") << QList<double>{} << 50.0 << 0.0;
        QTest::newRow("one") << QList<double>{4} << 99.0 << 4.0;
        QTest::newRow("median of odd, unsorted") << QList<double>{9, 1, 5} << 50.0 << 5.0;
        QTest::newRow("median of even takes the lower") << QList<double>{4, 1, 3, 2} << 50.0 << 2.0;
        QList<double> hundred;
        for (int i = 100; i >= 1; --i) {
            hundred << i;
        }
        QTest::newRow("p99 of 1..100") << hundred << 99.0 << 99.0;
        QTest::newRow("p100 is the max") << hundred << 100.0 << 100.0;
        QTest::newRow("p99 of 1..100 plus outlier")
            << (QList<double>(hundred) << 5000 << 6000) << 99.0 << 5000.0;
    }
    void percentile() {
        QFETCH(QList<double>, values);
        QFETCH(double, p);
        QFETCH(double, expected);
        QCOMPARE(ClockOffsets::percentile(std::vector<double>(values.begin(), values.end()), p), expected);
    }

    // Successive texts, each observed 3 ms after its own boundary unless the text is unreadable.
    void sequence_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("changes");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<int>("jumps");
        QTest::addColumn<int>("unreadable");
        QTest::newRow("steady") << QStringList{"10:00:00", "10:00:01", "10:00:02"} << 3 << 0 << 0 << 0;
        QTest::newRow("one skipped") << QStringList{"10:00:00", "10:00:02"} << 2 << 1 << 0 << 0;
        QTest::newRow("three skipped") << QStringList{"10:00:00", "10:00:01", "10:00:05"} << 3 << 3 << 0 << 0;
        QTest::newRow("across midnight")
            << QStringList{"23:59:59", "00:00:00", "00:00:01"} << 3 << 0 << 0 << 0;
        QTest::newRow("skipped across midnight") << QStringList{"23:59:58", "00:00:01"} << 2 << 2 << 0 << 0;
        QTest::newRow("clock set back")
            << QStringList{"10:00:05", "10:00:01", "10:00:02"} << 3 << 0 << 1 << 0;
        QTest::newRow("clock set forward hours") << QStringList{"10:00:00", "15:00:00"} << 2 << 0 << 1 << 0;
        QTest::newRow("same second again") << QStringList{"10:00:00", "x", "10:00:00"} << 2 << 0 << 1 << 1;
        QTest::newRow("typing between ticks")
            << QStringList{"10:00:00", "1", "12", "10:00:01"} << 2 << 0 << 0 << 2;
    }
    void sequence() {
        QFETCH(QStringList, texts);
        QFETCH(int, changes);
        QFETCH(int, skipped);
        QFETCH(int, jumps);
        QFETCH(int, unreadable);
        ClockOffsets offsets;
        for (const QString& t : texts) {
            const int second = ClockOffsets::secondOfDay(t).value_or(0);
            offsets.record(t, kMidnightUtc + second * kSecond + 3000, 0);
        }
        const auto s = offsets.summary();
        QCOMPARE(s.changes, changes);
        QCOMPARE(s.skipped, skipped);
        QCOMPARE(s.clockJumps, jumps);
        QCOMPARE(s.unreadable, unreadable);
        QCOMPARE(s.medianMs, 3.0);
        QCOMPARE(s.maxMs, 3.0);
    }

    // The shown text is local time: a zone ahead of UTC must not turn into hours of offset.
    void zoneAheadOfUtc() {
        ClockOffsets offsets;
        const int plusEight = 8 * 3600;
        // 02:00:00.004 UTC is 10:00:00.004 at +08:00.
        offsets.record(QStringLiteral("10:00:00"), kMidnightUtc + 2 * 3600 * kSecond + 4000, plusEight);
        // 16:00:00.012 UTC is 00:00:00.012 the next day at +08:00.
        offsets.record(QStringLiteral("00:00:00"), kMidnightUtc + 16 * 3600 * kSecond + 12000, plusEight);
        const auto s = offsets.summary();
        QCOMPARE(s.minMs, 4.0);
        QCOMPARE(s.maxMs, 12.0);
    }

    void lateAndEarlyChangesSpreadTheFigures() {
        ClockOffsets offsets;
        const std::int64_t ten = kMidnightUtc + 36000 * kSecond;
        offsets.record(QStringLiteral("10:00:00"), ten + 1000, 0);
        offsets.record(QStringLiteral("10:00:01"), ten + kSecond + 250000, 0);  // a quarter second late
        offsets.record(QStringLiteral("10:00:02"), ten + 2 * kSecond - 500, 0); // shown half a ms early
        const auto s = offsets.summary();
        QCOMPARE(s.medianMs, 1.0);
        QCOMPARE(s.maxMs, 250.0);
        QCOMPARE(s.minMs, -0.5);
        QCOMPARE(s.p99Ms, 250.0);
    }
};

QTEST_APPLESS_MAIN(TestBenchStats)
#include "test_bench_stats.moc"
