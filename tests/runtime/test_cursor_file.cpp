// SPDX-License-Identifier: MIT

#include "cursor_file.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

using namespace quellor;

namespace {

QByteArray readAsset(const QString& relative) {
    QFile file(QStringLiteral(QUELLOR_ASSETS_DIR "/") + relative);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void put32(QByteArray& data, qsizetype at, quint32 value) {
    qToLittleEndian(value, data.data() + at);
}
void put16(QByteArray& data, qsizetype at, quint16 value) {
    qToLittleEndian(value, data.data() + at);
}

// Offset of a chunk's size field in an .ani file.
qsizetype chunk(const QByteArray& ani, const char* tag) {
    return ani.indexOf(tag) + 4;
}

// An 8 x 2 monochrome cursor: row 0 is four white pixels, two black, two masked; row 1 is seven
// black pixels and one "invert screen" pixel (white under a set mask bit).
QByteArray monochromeCursor() {
    QByteArray d(6 + 16 + 40 + 8 + 2 * 4 + 2 * 4, '\0');
    put16(d, 2, 2);
    put16(d, 4, 1);
    d[6] = 8;
    d[7] = 2;
    put16(d, 10, 3); // hot spot x
    put16(d, 12, 1); // hot spot y
    put32(d, 14, static_cast<quint32>(d.size() - 22));
    put32(d, 18, 22);
    put32(d, 22, 40);
    put32(d, 26, 8);
    put32(d, 30, 4);
    put16(d, 34, 1);
    put16(d, 36, 1);
    put32(d, 54, 2);
    put32(d, 66, 0x00ffffff); // palette: black, white
    // XOR rows bottom-up, then AND rows bottom-up.
    d[70] = char(0x01);
    d[74] = char(0xf0);
    d[78] = char(0x01);
    d[82] = char(0x03);
    return d;
}

QByteArray png(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(qRgba(200, 40, 40, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A .cur file holding one PNG image.
QByteArray pngCursor(const QByteArray& image) {
    QByteArray d(22, '\0');
    put16(d, 2, 2);
    put16(d, 4, 1);
    put32(d, 14, quint32(image.size()));
    put32(d, 18, 22);
    return d + image;
}

QByteArray riffChunk(const char* tag, const QByteArray& body) {
    QByteArray d(tag, 4);
    d.resize(8);
    put32(d, 4, quint32(body.size()));
    return d + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

// An animated cursor of `frames` distinct images shown in `steps` steps, cycling through them.
QByteArray aniOf(const QList<QByteArray>& frames, int steps) {
    QByteArray header(36, '\0');
    put32(header, 0, 36);
    put32(header, 4, quint32(frames.size()));
    put32(header, 8, quint32(steps));
    put32(header, 28, 6);
    put32(header, 32, 1 | 2); // icon frames, with a sequence
    QByteArray list("fram");
    for (const QByteArray& frame : frames) {
        list += riffChunk("icon", pngCursor(frame));
    }
    QByteArray sequence(steps * 4, '\0');
    for (int i = 0; i < steps; ++i) {
        put32(sequence, i * 4, quint32(i % frames.size()));
    }
    const QByteArray body = QByteArray("ACON") + riffChunk("anih", header) + riffChunk("LIST", list) +
                            riffChunk("seq ", sequence);
    return riffChunk("RIFF", body);
}

} // namespace

class TestCursorFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void animatedHandFollowsSequenceAndRates() {
        const auto cursor = parseCursorData(readAsset("cursors/hand.ani"));
        QVERIFY(cursor);
        QVERIFY(cursor->animated());
        const std::vector<int> durations{500, 67, 67, 100, 67, 67};
        QCOMPARE(cursor->frames.size(), durations.size());
        for (size_t i = 0; i < durations.size(); ++i) {
            const CursorFrame& f = cursor->frames[i];
            QCOMPARE(f.image.size(), QSize(32, 32));
            QCOMPARE(f.hotspot, QPoint(10, 1));
            QCOMPARE(f.durationMs, durations[i]);
        }
        // The sequence 0 1 2 3 2 1 shows the middle images twice.
        QCOMPARE(cursor->frames[1].image, cursor->frames[5].image);
        QCOMPARE(cursor->frames[2].image, cursor->frames[4].image);
        QVERIFY(cursor->frames[0].image != cursor->frames[3].image);
        QVERIFY(cursor->frames[1].image != cursor->frames[2].image);
    }

    void plainHandIsTheAnimationsRestingImage() {
        const auto plain = parseCursorData(readAsset("cursors/hand1.cur"));
        const auto animated = parseCursorData(readAsset("cursors/hand.ani"));
        QVERIFY(plain && animated);
        QVERIFY(!plain->animated());
        QCOMPARE(plain->frames.size(), size_t(1));
        const CursorFrame& f = plain->frames.front();
        QCOMPARE(f.image.size(), QSize(32, 32));
        QCOMPARE(f.hotspot, QPoint(10, 1));
        QCOMPARE(f.durationMs, 0);
        QCOMPARE(f.image, animated->frames.front().image);
        // The hot spot is on the finger tip's outline; the far corner is see-through.
        QVERIFY(qAlpha(f.image.pixel(f.hotspot)) > 200);
        QVERIFY(qGray(f.image.pixel(f.hotspot)) < 80);
        QCOMPARE(qAlpha(f.image.pixel(31, 0)), 0);
    }

    void iconsLoadAsCursorsPointingWithTheirCentre_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("program icon") << "icons/quellor.ico";
        QTest::newRow("frame icon") << "frame/icon.ico";
    }
    void iconsLoadAsCursorsPointingWithTheirCentre() {
        QFETCH(QString, file);
        const auto cursor = parseCursorData(readAsset(file));
        QVERIFY(cursor);
        const CursorFrame& f = cursor->frames.front();
        QCOMPARE(f.image.size(), QSize(32, 32));
        QCOMPARE(f.hotspot, QPoint(16, 16));
        QCOMPARE(qAlpha(f.image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(f.image.pixel(16, 16)), 255);
    }

    void monochromeMaskAndPalette_data() {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("white") << QPoint(0, 0) << qRgba(255, 255, 255, 255);
        QTest::newRow("black") << QPoint(4, 0) << qRgba(0, 0, 0, 255);
        QTest::newRow("masked") << QPoint(7, 0) << qRgba(0, 0, 0, 0);
        QTest::newRow("inverting shows black") << QPoint(7, 1) << qRgba(0, 0, 0, 255);
        QTest::newRow("black below") << QPoint(0, 1) << qRgba(0, 0, 0, 255);
    }
    void monochromeMaskAndPalette() {
        QFETCH(QPoint, pixel);
        QFETCH(QRgb, expected);
        const auto cursor = parseCursorData(monochromeCursor());
        QVERIFY(cursor);
        QCOMPARE(cursor->frames.front().image.size(), QSize(8, 2));
        QCOMPARE(cursor->frames.front().hotspot, QPoint(3, 1));
        QCOMPARE(cursor->frames.front().image.pixel(pixel), expected);
    }

    void hotspotOutsideTheImageIsClamped() {
        QByteArray d = monochromeCursor();
        put16(d, 10, 500);
        put16(d, 12, 9);
        const auto cursor = parseCursorData(d);
        QVERIFY(cursor);
        QCOMPARE(cursor->frames.front().hotspot, QPoint(7, 1));
    }

    void jiffies_data() {
        QTest::addColumn<quint32>("jiffies");
        QTest::addColumn<int>("ms");
        QTest::newRow("zero would spin") << 0u << 17;
        QTest::newRow("one") << 1u << 17;
        QTest::newRow("six") << 6u << 100;
        QTest::newRow("half second") << 30u << 500;
        QTest::newRow("absurd") << 0xffffffffu << 3600 * 1000;
    }
    void jiffies() {
        QFETCH(quint32, jiffies);
        QFETCH(int, ms);
        QCOMPARE(jiffiesToMs(jiffies), ms);
    }

    void rateFallsBackToHeaderWithoutRateChunk() {
        QByteArray ani = readAsset("cursors/hand.ani");
        ani.replace(ani.indexOf("rate"), 4, "junk");
        const auto cursor = parseCursorData(ani);
        QVERIFY(cursor);
        QCOMPARE(cursor->frames.size(), size_t(6));
        for (const CursorFrame& f : cursor->frames) {
            QCOMPARE(f.durationMs, 500); // the header's default rate
        }
    }

    void corruptedInputIsRefused_data() {
        QTest::addColumn<QByteArray>("data");
        const QByteArray ani = readAsset("cursors/hand.ani");
        const QByteArray cur = readAsset("cursors/hand1.cur");
        const QByteArray ico = readAsset("icons/quellor.ico");
        QVERIFY(!ani.isEmpty() && !cur.isEmpty() && !ico.isEmpty());
        auto edit = [](QByteArray d, auto&& change) {
            change(d);
            return d;
        };
        const qsizetype anih = chunk(ani, "anih") + 4; // first field of the header

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("four bytes") << QByteArray("RIFF");
        QTest::newRow("text file") << QByteArray("not a cursor at all\n");
        QTest::newRow("riff wrong magic") << edit(ani, [](QByteArray& d) { d[3] = 'X'; });
        QTest::newRow("riff not ACON") << edit(ani, [](QByteArray& d) { d[11] = 'X'; });
        QTest::newRow("riff size past end")
            << edit(ani, [](QByteArray& d) { put32(d, 4, quint32(d.size())); });
        QTest::newRow("ani truncated header") << ani.left(40);
        QTest::newRow("ani truncated half") << ani.left(ani.size() / 2);
        QTest::newRow("ani truncated last byte") << ani.left(ani.size() - 1);
        QTest::newRow("ani no header chunk")
            << edit(ani, [&](QByteArray& d) { d.replace(anih - 8, 4, "junk"); });
        QTest::newRow("ani header too short") << edit(ani, [&](QByteArray& d) { put32(d, anih - 4, 8); });
        QTest::newRow("ani chunk size huge")
            << edit(ani, [&](QByteArray& d) { put32(d, anih - 4, 0x7fffffffu); });
        QTest::newRow("ani zero frames") << edit(ani, [&](QByteArray& d) { put32(d, anih + 4, 0); });
        QTest::newRow("ani more frames than icons")
            << edit(ani, [&](QByteArray& d) { put32(d, anih + 4, 5); });
        QTest::newRow("ani absurd frame count")
            << edit(ani, [&](QByteArray& d) { put32(d, anih + 4, 0xffffffffu); });
        QTest::newRow("ani absurd step count")
            << edit(ani, [&](QByteArray& d) { put32(d, anih + 8, 0x10000000u); });
        QTest::newRow("ani steps beyond sequence")
            << edit(ani, [&](QByteArray& d) { put32(d, anih + 8, 7); });
        QTest::newRow("ani raw frames") << edit(ani, [&](QByteArray& d) { put32(d, anih + 32, 2); });
        QTest::newRow("ani sequence flag without sequence")
            << edit(ani, [](QByteArray& d) { d.replace(d.indexOf("seq "), 4, "junk"); });
        QTest::newRow("ani sequence past last frame")
            << edit(ani, [](QByteArray& d) { put32(d, chunk(d, "seq ") + 4 + 8, 4); });
        QTest::newRow("ani rate chunk short")
            << edit(ani, [](QByteArray& d) { put32(d, chunk(d, "rate"), 8); });
        QTest::newRow("ani broken frame")
            << edit(ani, [](QByteArray& d) { put16(d, d.indexOf("icon") + 8 + 2, 7); });
        QTest::newRow("ani no frame list")
            << edit(ani, [](QByteArray& d) { d.replace(d.indexOf("fram"), 4, "junk"); });
        QTest::newRow("cur truncated directory") << cur.left(10);
        QTest::newRow("cur truncated bitmap header") << cur.left(40);
        QTest::newRow("cur truncated last byte") << cur.left(cur.size() - 1);
        QTest::newRow("cur reserved set") << edit(cur, [](QByteArray& d) { put16(d, 0, 1); });
        QTest::newRow("cur unknown type") << edit(cur, [](QByteArray& d) { put16(d, 2, 3); });
        QTest::newRow("cur zero images") << edit(cur, [](QByteArray& d) { put16(d, 4, 0); });
        QTest::newRow("cur absurd image count") << edit(cur, [](QByteArray& d) { put16(d, 4, 0xffff); });
        QTest::newRow("cur offset past end") << edit(cur, [](QByteArray& d) { put32(d, 18, 0xfffffff0u); });
        QTest::newRow("cur size past end") << edit(cur, [](QByteArray& d) { put32(d, 14, 0x7fffffffu); });
        QTest::newRow("bitmap header size huge") << edit(cur, [](QByteArray& d) { put32(d, 22, 0x10000u); });
        QTest::newRow("bitmap width zero") << edit(cur, [](QByteArray& d) { put32(d, 26, 0); });
        QTest::newRow("bitmap width absurd") << edit(cur, [](QByteArray& d) { put32(d, 26, 100000); });
        QTest::newRow("bitmap width negative") << edit(cur, [](QByteArray& d) { put32(d, 26, 0xffffffe0u); });
        QTest::newRow("bitmap height odd") << edit(cur, [](QByteArray& d) { put32(d, 30, 63); });
        QTest::newRow("bitmap taller than its data") << edit(cur, [](QByteArray& d) { put32(d, 30, 128); });
        QTest::newRow("bitmap two planes") << edit(cur, [](QByteArray& d) { put16(d, 34, 2); });
        QTest::newRow("bitmap seven bits") << edit(cur, [](QByteArray& d) { put16(d, 36, 7); });
        QTest::newRow("bitmap compressed") << edit(cur, [](QByteArray& d) { put32(d, 38, 1); });
        QTest::newRow("bitmap palette too large") << edit(ico, [](QByteArray& d) { put32(d, 54, 17); });
        QTest::newRow("bitmap palette past data") << edit(ico, [](QByteArray& d) {
            put32(d, 54, 16);
            put16(d, 36, 8);
        });
        QTest::newRow("oversized file") << QByteArray("RIFF") + QByteArray(kMaxCursorFileBytes, '\0');
    }
    void corruptedInputIsRefused() {
        QFETCH(QByteArray, data);
        QVERIFY(!parseCursorData(data).has_value());
    }

    // Every prefix of a valid file is a truncated file.
    void everyTruncationIsRefused_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("cur") << "cursors/hand1.cur";
        QTest::newRow("ani") << "cursors/hand.ani";
        QTest::newRow("ico") << "icons/quellor.ico";
    }
    void everyTruncationIsRefused() {
        QFETCH(QString, file);
        const QByteArray data = readAsset(file);
        QVERIFY(parseCursorData(data));
        for (qsizetype n = 0; n < data.size(); ++n) {
            if (parseCursorData(data.left(n))) {
                QFAIL(qPrintable(QStringLiteral("accepted the first %1 bytes").arg(n)));
            }
        }
    }

    // Random byte damage must never crash, and whatever is still accepted must be usable.
    void randomDamageYieldsNothingOrSaneFrames_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("cur") << "cursors/hand1.cur";
        QTest::newRow("ani") << "cursors/hand.ani";
        QTest::newRow("ico") << "icons/quellor.ico";
    }
    void randomDamageYieldsNothingOrSaneFrames() {
        QFETCH(QString, file);
        const QByteArray original = readAsset(file);
        quint32 state = 12345;
        auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return state >> 8;
        };
        int accepted = 0;
        for (int round = 0; round < 1500; ++round) {
            QByteArray data = original;
            // Damage the headers more often than the pixels: that is where counts and offsets live.
            const quint32 span =
                round % 2 ? quint32(data.size()) : quint32(std::min<qsizetype>(data.size(), 160));
            for (quint32 n = next() % 4 + 1; n > 0; --n) {
                data[next() % span] = char(next() & 0xff);
            }
            const auto cursor = parseCursorData(data);
            if (!cursor) {
                continue;
            }
            ++accepted;
            QVERIFY(!cursor->frames.empty());
            for (const CursorFrame& f : cursor->frames) {
                QVERIFY(!f.image.isNull());
                QVERIFY(f.image.width() <= kMaxCursorSide && f.image.height() <= kMaxCursorSide);
                QVERIFY(QRect(QPoint(0, 0), f.image.size()).contains(f.hotspot));
                QVERIFY(cursor->animated() ? f.durationMs > 0 : f.durationMs == 0);
            }
        }
        // Damage in the pixels leaves a readable cursor: the sweep exercised both outcomes.
        QVERIFY(accepted > 0);
        QVERIFY(accepted < 1500);
    }

    // The budget counts the distinct images a file asks for, not how often an animation shows them.
    void pixelBudget_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("accepted");
        const QByteArray big = png(kMaxCursorSide);
        const int fit = int(kMaxCursorPixels / (kMaxCursorSide * kMaxCursorSide));
        QTest::newRow("one large image in every step") << aniOf({big}, kMaxCursorSteps) << true;
        QTest::newRow("large images up to the budget") << aniOf(QList<QByteArray>(fit, big), fit) << true;
        QTest::newRow("one large image past the budget")
            << aniOf(QList<QByteArray>(fit + 1, big), fit + 1) << false;
        QByteArray huge = png(32);
        qToBigEndian(quint32(60000), huge.data() + 16); // declared, never decoded
        qToBigEndian(quint32(60000), huge.data() + 20);
        QTest::newRow("png declaring a huge size") << pngCursor(huge) << false;
        QTest::newRow("png larger than a cursor") << pngCursor(png(kMaxCursorSide + 1)) << false;
    }
    void pixelBudget() {
        QFETCH(QByteArray, data);
        QFETCH(bool, accepted);
        const std::optional<CursorFrames> parsed = parseCursorData(data);
        QCOMPARE(parsed.has_value(), accepted);
    }

    void loadingFromDisk() {
        QCOMPARE(loadCursorFile(QStringLiteral(QUELLOR_ASSETS_DIR "/cursors/hand.ani"))->frames.size(),
                 size_t(6));
        QTemporaryDir dir;
        QVERIFY(!loadCursorFile(dir.filePath("missing.cur")).has_value());
        QVERIFY(!loadCursorFile(dir.path()).has_value());
        // One left in the program's way must not hold up the start, waiting for a writer.
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("hand.ani")).constData(), 0600), 0);
        QVERIFY(!loadCursorFile(dir.filePath("hand.ani")).has_value());
    }
};

QTEST_GUILESS_MAIN(TestCursorFile)
#include "test_cursor_file.moc"
