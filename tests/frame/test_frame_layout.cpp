// SPDX-License-Identifier: MIT
// Frame geometry as pure twips arithmetic: the worked numbers and edge cases of the layout.

#include "layout.h"

#include <QTest>

using namespace vantrel;

namespace {
// A frame of the given size laid out as a container does it: created, given its extent, shown.
FrameLayout shown(double w, double h, std::int16_t bar) {
    FrameLayout l = FrameLayout::initial();
    initializeLayout(l);
    l.width = w;
    l.height = h;
    resizeLayout(l);
    showLayout(l, bar);
    captionTops(l);
    return l;
}
} // namespace

class TestFrameLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void barHeights_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<double>("icon");    // icon and both buttons, square
        QTest::addColumn<double>("iconTop"); // icon and buttons share it
        QTest::addColumn<double>("closeLeft");
        QTest::addColumn<double>("minLeft");
        QTest::newRow("300") << 300 << 180.0 << 60.0 << 6000.0 - 270 << 6000.0 - 270 - 80 - 180;
        QTest::newRow("380") << 380 << 228.0 << 76.0 << 6000.0 - 342 << 6000.0 - 342 - 80 - 228;
        QTest::newRow("390") << 390 << 234.0 << 78.0 << 6000.0 - 351 << 6000.0 - 351 - 80 - 234;
        QTest::newRow("500") << 500 << 300.0 << 100.0 << 5550.0 << 5170.0;
        QTest::newRow("550") << 550 << 330.0 << 110.0 << 6000.0 - 495 << 6000.0 - 495 - 80 - 330;
    }
    void barHeights() {
        QFETCH(int, bar);
        QFETCH(double, icon);
        QFETCH(double, iconTop);
        QFETCH(double, closeLeft);
        QFETCH(double, minLeft);
        const auto h = static_cast<std::int16_t>(bar);
        const FrameLayout l = shown(6000, 4000, h);

        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(l.image[i].height, double(bar));
        }
        QCOMPARE(l.ico, (TwipsRect{120, iconTop, icon, icon}));
        QCOMPARE(l.closeb, (TwipsRect{closeLeft, iconTop, icon, icon}));
        QCOMPARE(l.minb, (TwipsRect{minLeft, iconTop, icon, icon}));
        QCOMPARE(l.scloseb, (TwipsRect{0, 0, icon, icon}));
        QCOMPARE(l.sminb, (TwipsRect{0, 0, icon, icon}));
        QCOMPARE(l.image[2], (TwipsRect{480, 0, 4965, double(bar)}));
        QCOMPARE(l.image[3].left, 5445.0);
        QCOMPARE(l.mover, (TwipsRect{480, 0, 4965, double(bar)}));
        // Side edges start right under their title-bar ends and stop on the bottom row.
        QCOMPARE(l.image[4], (TwipsRect{0, double(bar), 75, 4000.0 - bar - 75}));
        QCOMPARE(l.image[5], (TwipsRect{5925, double(bar), 75, 4000.0 - bar - 75}));
        QCOMPARE(l.image[6], (TwipsRect{135, 3925, 5715, 75}));
        QCOMPARE(l.image[7], (TwipsRect{0, 3925, 135, 75}));
        QCOMPARE(l.image[8], (TwipsRect{5850, 3925, 150, 75}));

        // The height setter's own pass ends in the same place.
        FrameLayout viaSetter = shown(6000, 4000, 500);
        titleBarHeightLayout(viaSetter, h);
        QCOMPARE(viaSetter.ico, l.ico);
        QCOMPARE(viaSetter.closeb, l.closeb);
        QCOMPARE(viaSetter.minb, l.minb);
        QCOMPARE(viaSetter.image[4], l.image[4]);
        QCOMPARE(viaSetter.image[5], l.image[5]);
        QCOMPARE(viaSetter.mover, l.mover);
    }

    void resizeKeepsTheBarHeightOfThePieces() {
        // Before the first show the pieces keep their design height.
        FrameLayout l = FrameLayout::initial();
        initializeLayout(l);
        QCOMPARE(l.closeb, (TwipsRect{l.width - 381, 120, 255, 255}));
        l.width = 6000;
        l.height = 4000;
        resizeLayout(l);
        QCOMPARE(l.image[2].height, 435.0);
        QCOMPARE(l.ico, (TwipsRect{120, 87, 261, 261}));
        QCOMPARE(l.image[4].height, 4000.0 - 435 - 75);
    }

    void minimumSize_data() {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("expectedW");
        QTest::addColumn<double>("expectedH");
        QTest::newRow("both small") << 1000.0 << 1000.0 << 1800.0 << 1800.0;
        QTest::newRow("narrow") << 1000.0 << 3000.0 << 1800.0 << 3000.0;
        QTest::newRow("low") << 3000.0 << 1799.0 << 3000.0 << 1800.0;
        QTest::newRow("exactly minimum") << 1800.0 << 1800.0 << 1800.0 << 1800.0;
    }
    void minimumSize() {
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, expectedW);
        QFETCH(double, expectedH);
        const FrameLayout l = shown(w, h, 500);
        QCOMPARE(l.width, expectedW);
        QCOMPARE(l.height, expectedH);
        // Laid out at the grown size, exactly as a frame that had that size from the start.
        const FrameLayout direct = shown(expectedW, expectedH, 500);
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(l.image[i], direct.image[i]);
        }
        QCOMPARE(l.closeb, direct.closeb);
        QCOMPARE(l.minb, direct.minb);
    }

    void smallestFrameWithTallestBarKeepsEveryPiecePositive() {
        const FrameLayout l = shown(1000, 1000, 550);
        QCOMPARE(l.image[4].height, 1175.0);
        QCOMPARE(l.image[5].height, 1175.0);
        QCOMPARE(l.image[2].width, 765.0);
        QCOMPARE(l.minb.left, 895.0);
        QVERIFY(l.minb.left > l.ico.left + l.ico.width);
        for (int i = 1; i <= 8; ++i) {
            QVERIFY2(l.image[i].width > 0 && l.image[i].height > 0, qPrintable(QString::number(i)));
        }
    }

    void captionTops_data() {
        QTest::addColumn<double>("bar");
        QTest::addColumn<double>("labelHeight");
        QTest::addColumn<double>("textTop");
        QTest::addColumn<double>("shadowTop");
        QTest::newRow("240 in 500") << 500.0 << 240.0 << 130.0 << 160.0;
        QTest::newRow("odd difference") << 380.0 << 255.0 << 62.0 << 92.0;          // 125 \ 2
        QTest::newRow("taller than bar") << 500.0 << 525.0 << -12.0 << 18.0;        // -25 \ 2 truncates
        QTest::newRow("fractional rounds first") << 390.0 << 262.5 << 64.0 << 94.0; // nearest(127.5) = 128
    }
    void captionTops() {
        QFETCH(double, bar);
        QFETCH(double, labelHeight);
        QFETCH(double, textTop);
        QFETCH(double, shadowTop);
        FrameLayout l = FrameLayout::initial();
        l.image[2].height = bar;
        l.label[0].height = labelHeight;
        l.label[1].height = labelHeight;
        vantrel::captionTops(l);
        QCOMPARE(l.label[0].top, textTop);
        QCOMPARE(l.label[1].top, shadowTop);
    }

    void clamping_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("100") << 100 << 300;
        QTest::newRow("1000") << 1000 << 550;
        QTest::newRow("400") << 400 << 400;
        QTest::newRow("299") << 299 << 300;
        QTest::newRow("300") << 300 << 300;
        QTest::newRow("550") << 550 << 550;
        QTest::newRow("551") << 551 << 550;
        QTest::newRow("negative") << -400 << 300;
    }
    void clamping() {
        QFETCH(int, value);
        QFETCH(int, stored);
        QCOMPARE(int(clampTitleBarHeight(static_cast<std::int16_t>(value))), stored);
    }

    void widerFrameMovesOnlyTheRightHandPieces() {
        const FrameLayout narrow = shown(6000, 4000, 500);
        FrameLayout wide = narrow;
        wide.width = 7500;
        resizeLayout(wide);
        for (const auto& [a, b] :
             {std::pair{narrow.image[3], wide.image[3]}, std::pair{narrow.image[5], wide.image[5]},
              std::pair{narrow.image[8], wide.image[8]}, std::pair{narrow.closeb, wide.closeb},
              std::pair{narrow.minb, wide.minb}}) {
            QCOMPARE(b.left - a.left, 1500.0);
        }
        QCOMPARE(wide.image[2].width - narrow.image[2].width, 1500.0);
        QCOMPARE(wide.image[6].width - narrow.image[6].width, 1500.0);
        QCOMPARE(wide.mover.width - narrow.mover.width, 1500.0);
        for (const auto& [a, b] :
             {std::pair{narrow.ico, wide.ico}, std::pair{narrow.image[1], wide.image[1]},
              std::pair{narrow.image[4], wide.image[4]}, std::pair{narrow.image[7], wide.image[7]},
              std::pair{narrow.label[0], wide.label[0]}}) {
            QCOMPARE(b, a);
        }
    }
};

QTEST_APPLESS_MAIN(TestFrameLayout)
#include "test_frame_layout.moc"
