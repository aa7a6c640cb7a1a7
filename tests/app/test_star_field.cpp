// SPDX-License-Identifier: MIT

#include "frame_pacer.h"
#include "star_canvas.h"
#include "star_field.h"

#include <QImage>
#include <QTest>

#include <deque>

using namespace quellor;

namespace {

class ScriptedRandom : public RandomSource {
public:
    std::deque<double> values;
    void seed(std::uint64_t) override {}
    double next() override {
        if (values.empty()) {
            return 0.0;
        }
        const double v = values.front();
        values.pop_front();
        return v;
    }
};

struct PixelWrite {
    int x, y;
    std::uint32_t colour;
    bool operator==(const PixelWrite&) const = default;
};

class RecordingSink : public PixelSink {
public:
    std::vector<PixelWrite> writes;
    void setPixel(int x, int y, std::uint32_t colour) override { writes.push_back({x, y, colour}); }
};

constexpr std::uint32_t kColour = 0x123456;

} // namespace

Q_DECLARE_METATYPE(quellor::Star)
Q_DECLARE_METATYPE(PixelWrite)

class TestStarField : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void schemesAndTheirColours_data() {
        QTest::addColumn<double>("random");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("0 white") << 0.0 << 0 << QColor(255, 255, 255);
        QTest::newRow("1 blue") << 1.0 / 6 + 1e-9 << 1 << QColor(100, 100, 255);
        QTest::newRow("2 cyan") << 0.4 << 2 << QColor(100, 255, 255);
        QTest::newRow("3 yellow") << 0.5 << 3 << QColor(255, 255, 100);
        QTest::newRow("4 magenta") << 0.8 << 4 << QColor(255, 100, 255);
        QTest::newRow("5 green, just below 1") << 0.999999 << 5 << QColor(100, 255, 100);
    }
    void schemesAndTheirColours() {
        QFETCH(double, random);
        QFETCH(int, scheme);
        QFETCH(QColor, colour);
        ScriptedRandom r;
        r.values = {random};
        StarField field(r);
        QCOMPARE(field.pickScheme(), scheme);
        const std::uint32_t packed = StarField::schemeColour(scheme);
        QCOMPARE(QColor(int(packed & 0xff), int((packed >> 8) & 0xff), int(packed >> 16)), colour);
    }

    void scatterPlacesEveryPointWithItsStartingSpeed_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("rx");
        QTest::addColumn<double>("ry");
        QTest::addColumn<double>("rspeed");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("speed");
        QTest::newRow("origin, slowest") << 15360 << 11520 << 0.0 << 0.0 << 0.0 << 0 << 0 << 10;
        QTest::newRow("integer part, not rounded")
            << 15360 << 11520 << 0.99999 << 0.99999 << 0.99999 << 15359 << 11519 << 30;
        QTest::newRow("speed half rounds to even, down")
            << 100 << 100 << 0.5 << 0.5 << 0.525 << 50 << 50 << 20;
        QTest::newRow("speed half rounds to even, up") << 100 << 100 << 0.5 << 0.5 << 0.475 << 50 << 50 << 20;
        QTest::newRow("speed 10.5 to 10") << 100 << 100 << 0.0 << 0.0 << 0.025 << 0 << 0 << 10;
        QTest::newRow("4K screen, wider than 16 bits")
            << 57600 << 32400 << 0.75 << 0.5 << 0.0 << 43200 << 16200 << 10;
    }
    void scatterPlacesEveryPointWithItsStartingSpeed() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, rx);
        QFETCH(double, ry);
        QFETCH(double, rspeed);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, speed);
        ScriptedRandom r;
        for (int i = 0; i < StarField::kCount; ++i) {
            r.values.insert(r.values.end(), {rx, ry, rspeed});
        }
        StarField field(r);
        field.scatter(width, height);
        QVERIFY(r.values.empty()); // three draws per point, 325 points
        for (const Star& s : field.stars()) {
            QCOMPARE(s, (Star{x, y, speed}));
        }
    }

    void aFrameMovesAPointOrWrapsIt_data() {
        QTest::addColumn<Star>("before");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<double>>("random");
        QTest::addColumn<Star>("after");
        QTest::addColumn<PixelWrite>("blackOut");
        QTest::newRow("falls by its speed") << Star{300, 1000, 25} << 11520 << QList<double>{}
                                            << Star{300, 1025, 25} << PixelWrite{300, 1000, 0};
        QTest::newRow("landing exactly on the height stays")
            << Star{300, 11500, 20} << 11520 << QList<double>{} << Star{300, 11520, 20}
            << PixelWrite{300, 11500, 0};
        QTest::newRow("passing the bottom wraps; its last place, then the corner blacked out")
            << Star{300, 11510, 11} << 11520 << QList<double>{0.5, 0.25} << Star{3840, 0, 20}
            << PixelWrite{300, 11510, 0};
        QTest::newRow("wrap speed 5 at least") << Star{7, 11520, 5} << 11520 << QList<double>{0.0, 0.0}
                                               << Star{0, 0, 5} << PixelWrite{7, 11520, 0};
        QTest::newRow("wrap speed 35 at most")
            << Star{7, 11520, 5} << 11520 << QList<double>{0.99999, 0.99999} << Star{15359, 0, 35}
            << PixelWrite{7, 11520, 0};
        QTest::newRow("wider than 16 bits keeps falling")
            << Star{57000, 32760, 30} << 40000 << QList<double>{} << Star{57000, 32790, 30}
            << PixelWrite{57000, 32760, 0};
    }
    void aFrameMovesAPointOrWrapsIt() {
        QFETCH(Star, before);
        QFETCH(int, height);
        QFETCH(QList<double>, random);
        QFETCH(Star, after);
        QFETCH(PixelWrite, blackOut);
        ScriptedRandom r;
        StarField field(r);
        for (Star& s : field.stars()) {
            s = {0, 0, 0}; // still points: their writes are all at the corner
        }
        field.stars()[100] = before;
        r.values.assign(random.begin(), random.end());
        RecordingSink sink;
        field.frame(15360, height, kColour, sink);
        QCOMPARE(field.stars()[100], after);
        const std::size_t wrapped = after.y < before.y;
        QCOMPARE(sink.writes.size(), 2 * StarField::kCount + wrapped);
        // Black first (a wrapping point's corner too), then the colour, point by point in order.
        QCOMPARE(sink.writes[200], blackOut);
        QCOMPARE(sink.writes[200 + wrapped], (wrapped ? PixelWrite{0, 0, 0} : blackOut));
        QCOMPARE(sink.writes[201 + wrapped], (PixelWrite{after.x, after.y, kColour}));
        QCOMPARE(sink.writes[0], (PixelWrite{0, 0, 0}));
        QCOMPARE(sink.writes[1], (PixelWrite{0, 0, kColour}));
    }

    // Long after the start the picture's last row holds only points passing through, no row of dots
    // left by wrapping points, whether the field ends there or a title bar's height below it.
    void longAfterTheLastRowHoldsNoDots_data() {
        QTest::addColumn<int>("below"); // field pixels under the picture
        QTest::newRow("no title bar") << 0;
        QTest::newRow("a title bar") << 20;
    }
    void longAfterTheLastRowHoldsNoDots() {
        QFETCH(int, below);
        SeededRandom random;
        StarField field(random);
        StarCanvas canvas(Twips{15, 15});
        canvas.resize({320, 240});
        field.scatter(4800, (240 + below) * 15);
        for (int i = 0; i < 720 * 30; ++i) {
            field.frame(4800, (240 + below) * 15, kColour, canvas);
        }
        int lit = 0;
        for (int x = 0; x < 320; ++x) {
            lit += canvas.image().pixel(x, 239) != qRgb(0, 0, 0);
        }
        QVERIFY2(lit <= 3, qPrintable(QString::number(lit)));
    }

    void canvasTurnsTwipsIntoPixelsAndReportsChangedTiles() {
        StarCanvas canvas(Twips{15, 15});
        canvas.resize(QSize(100, 50));
        canvas.setPixel(15 * 40, 15 * 20, StarField::schemeColour(3)); // (255, 255, 100)
        canvas.setPixel(22, 7, StarField::schemeColour(0));            // 1.47, 0.47 px -> (1, 0)
        canvas.setPixel(15 * 100, 0, StarField::schemeColour(0));      // just outside: dropped
        canvas.setPixel(0, -15, StarField::schemeColour(0));
        QCOMPARE(canvas.image().pixel(40, 20), qRgb(255, 255, 100));
        QCOMPARE(canvas.image().pixel(1, 0), qRgb(255, 255, 255));
        QCOMPARE(canvas.image().pixel(99, 0), qRgb(0, 0, 0));
        const QRegion dirty = canvas.takeDirty();
        QCOMPARE(dirty, QRegion(32, 16, 16, 16) + QRegion(0, 0, 16, 16));
        QVERIFY(canvas.takeDirty().isEmpty());
        canvas.setPixel(15 * 99, 15 * 49, 0);
        QCOMPARE(canvas.takeDirty(), QRegion(96, 48, 4, 2)); // edge tiles clipped to the picture
    }

    void pacerKeepsASteadyRateInBatches_data() {
        QTest::addColumn<QList<int>>("atMs");
        QTest::addColumn<QList<int>>("batches");
        QTest::newRow("steady 10 ms turns") << QList<int>{10, 20, 30, 40, 50} << QList<int>{7, 7, 7, 7, 8};
        QTest::newRow("a late turn catches up over the next ones")
            << QList<int>{10, 40, 50, 60, 70, 80, 90} << QList<int>{7, 10, 10, 10, 10, 10, 7};
        QTest::newRow("never more than ten a turn") << QList<int>{100} << QList<int>{10};
        QTest::newRow("a long stall drops its backlog")
            << QList<int>{2000, 2010, 2020} << QList<int>{10, 7, 7};
        QTest::newRow("turns closer than a frame run none") << QList<int>{1, 2} << QList<int>{0, 1};
    }
    void pacerKeepsASteadyRateInBatches() {
        QFETCH(QList<int>, atMs);
        QFETCH(QList<int>, batches);
        FramePacer pacer(720, 10);
        pacer.restart(0);
        QList<int> got;
        for (int ms : atMs) {
            got << pacer.framesDue(std::int64_t(ms) * 1'000'000);
        }
        QCOMPARE(got, batches);
    }

    void pacerDoesNotOverflowAfterMonths() {
        FramePacer pacer(720, 10);
        pacer.restart(0);
        const std::int64_t halfYear = std::int64_t(183) * 24 * 3600 * 1'000'000'000;
        QCOMPARE(pacer.framesDue(halfYear), 10);
        QCOMPARE(pacer.framesDue(halfYear + 10'000'000), 7);
    }
};

QTEST_GUILESS_MAIN(TestStarField)
#include "test_star_field.moc"
