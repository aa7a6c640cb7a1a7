// SPDX-License-Identifier: MIT

#include "units.h"

#include <QTest>

using namespace quellor;

class TestUnits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("half to even down") << 2.5 << 2;
        QTest::newRow("half to even up") << 3.5 << 4;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("below half") << 7.4999 << 7;
        QTest::newRow("above half") << 7.5001 << 8;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(toInt32(value), expected);
        QCOMPARE(int(toInt16(value)), expected);
    }

    void int16SaturatesInsteadOfWrapping() {
        QCOMPARE(int(toInt16(3840 * 15.0)), 32767);
        QCOMPARE(int(toInt16(-40000.0)), -32768);
    }

    void integerDivisionRoundsOperandsThenTruncates() {
        QCOMPARE(intDiv(-25, 2), -12);
        QCOMPARE(intDiv(255, 15), 17);
        QCOMPARE(intDiv(14.5, 2.5), 7); // 14 / 2
        QCOMPARE(intDiv(300, 5), 60);
    }

    void twipsConversion() {
        const Twips t{15, 15};
        QCOMPARE(t.toPixelsX(4455), 297);
        QCOMPARE(t.toPixelsY(3615), 241);
        QCOMPARE(twipsPerPixel(96), 15.0);
        QCOMPARE(twipsPerPixel(120), 12.0);
        QCOMPARE(rgb(240, 240, 255), 0xFFF0F0u);
    }
};

QTEST_GUILESS_MAIN(TestUnits)
#include "test_units.moc"
