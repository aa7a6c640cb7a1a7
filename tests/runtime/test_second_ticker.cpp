// SPDX-License-Identifier: MIT

#include "fake_clock.h"
#include "second_ticker.h"

#include <QSignalSpy>
#include <QTest>

using namespace quellor;

class TestSecondTicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tickerArmsForTheNextBoundary_data() {
        QTest::addColumn<int>("msec");
        QTest::addColumn<int>("wait");
        QTest::newRow("on the boundary") << 0 << 1002;
        QTest::newRow("mid second") << 300 << 702;
        QTest::newRow("just before") << 999 << 3;
    }
    void tickerArmsForTheNextBoundary() {
        QFETCH(int, msec);
        QFETCH(int, wait);
        QCOMPARE(SecondTicker::msUntilNextSecond(QDateTime(QDate(2026, 1, 1), QTime(7, 5, 9, msec))), wait);
    }

    void tickerTicksOncePerSecondOfTheClock() {
        FakeClock clock(QDateTime(QDate(2026, 1, 1), QTime(7, 5, 9, 990)));
        SecondTicker ticker(clock);
        QSignalSpy spy(&ticker, &SecondTicker::tick);
        ticker.start();
        QVERIFY(spy.wait(500)); // armed for ~12 ms, not a full second
        QCOMPARE(spy.count(), 1);
        ticker.stop();
        QVERIFY(!ticker.isActive());
    }
};

QTEST_GUILESS_MAIN(TestSecondTicker)
#include "test_second_ticker.moc"
