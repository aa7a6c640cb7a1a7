// SPDX-License-Identifier: MIT
// The shipped assets: their formats are what the program, the frame library and Windows read,
// and the frame artwork carries the key colours of the two looks.

#include "file_bytes.h"
#include "image_read.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

const QString kAssets = QStringLiteral(QUELLOR_ASSETS_DIR);

QByteArray readFile(const QString& path) {
    return quellor::fileBytes(path, {});
}

quint32 u32(const QByteArray& d, qsizetype at) {
    return qFromLittleEndian<quint32>(d.constData() + at);
}
quint16 u16(const QByteArray& d, qsizetype at) {
    return qFromLittleEndian<quint16>(d.constData() + at);
}
qint16 s16(const QByteArray& d, qsizetype at) {
    return qFromLittleEndian<qint16>(d.constData() + at);
}

QImage picture(const QString& relative) {
    return QImage(kAssets + "/" + relative).convertToFormat(QImage::Format_ARGB32);
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

bool columnContains(const QImage& image, int x, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y) == colour) {
            return true;
        }
    }
    return false;
}

// Files relative to a root, sorted.
QStringList listing(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(root).relativeFilePath(it.next());
    }
    files.removeAll("CMakeLists.txt");
    files.sort();
    return files;
}

bool generate(const QString& into) {
    QProcess gen;
    gen.start(QStringLiteral(QUELLOR_ASSETGEN), {into});
    return gen.waitForFinished(60000) && gen.exitStatus() == QProcess::NormalExit && gen.exitCode() == 0;
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Same bytes on every run, and exactly the files that are committed.
    void generatorIsDeterministic() {
        QTemporaryDir first, second;
        QVERIFY(generate(first.path()));
        QVERIFY(generate(second.path()));
        const QStringList files = listing(first.path());
        QCOMPARE(files, listing(kAssets));
        QCOMPARE(listing(second.path()), files);
        for (const QString& file : files) {
            QVERIFY2(readFile(first.filePath(file)) == readFile(second.filePath(file)), qPrintable(file));
        }
    }

    void cues_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("minSeconds");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("click") << "2.wav" << 0.1 << 0.4;
        QTest::newRow("jingle") << "3.wav" << 1.5 << 2.5;
        QTest::newRow("key tick") << "4.wav" << 0.1 << 0.4;
        QTest::newRow("chime") << "5.wav" << 0.1 << 0.4;
        QTest::newRow("back") << "6.wav" << 0.1 << 0.4;
    }
    void cues() {
        QFETCH(QString, file);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        const QByteArray d = readFile(kAssets + "/sounds/" + file);
        QVERIFY(d.size() > 44);
        QCOMPARE(d.left(4), QByteArray("RIFF"));
        QCOMPARE(qsizetype(u32(d, 4)) + 8, d.size());
        QCOMPARE(d.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(u16(d, 20), quint16(1));  // PCM
        QCOMPARE(u16(d, 22), quint16(1));  // mono
        QCOMPARE(u16(d, 34), quint16(16)); // bits
        const quint32 rate = u32(d, 24);
        QCOMPARE(u32(d, 28), rate * 2);
        QCOMPARE(d.mid(36, 4), QByteArray("data"));
        const qsizetype samples = u32(d, 40) / 2;
        QCOMPARE(44 + samples * 2, d.size());
        const double seconds = double(samples) / rate;
        QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));

        int peak = 0, edge = 0;
        // A click is a jump out of or into silence: the first quarter and the last millisecond
        // must still be ramping.
        const qsizetype head = rate / 4000, tail = rate / 1000;
        for (qsizetype i = 0; i < samples; ++i) {
            const int v = std::abs(s16(d, 44 + i * 2));
            peak = std::max(peak, v);
            if (i < head || i >= samples - tail) {
                edge = std::max(edge, v);
            }
        }
        QVERIFY2(peak > 32767 / 4 && peak < 32767 * 9 / 10, "audible but never clipped");
        QVERIFY2(edge < peak / 10, "fades in and out without a click");
        QVERIFY(std::abs(s16(d, 44)) < 64 && std::abs(s16(d, d.size() - 2)) < 64);
    }

    void sixteenColourIcons_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("program icon") << "icons/quellor.ico";
        QTest::newRow("frame icon") << "frame/icon.ico";
    }
    void sixteenColourIcons() {
        QFETCH(QString, file);
        const QByteArray d = readFile(kAssets + "/" + file);
        QCOMPARE(d.size(), 22 + 40 + 16 * 4 + 32 * 16 + 32 * 4); // header, palette, XOR, AND
        QCOMPARE(u16(d, 2), quint16(1));                         // icon
        QCOMPARE(u16(d, 4), quint16(1));
        QCOMPARE(quint8(d[6]), quint8(32));
        QCOMPARE(quint8(d[7]), quint8(32));
        QCOMPARE(quint8(d[8]), quint8(16));
        QCOMPARE(u16(d, 12), quint16(4));
        QCOMPARE(u32(d, 22 + 8), quint32(64)); // XOR and AND rows
        QCOMPARE(u16(d, 22 + 14), quint16(4));
        const QImage image = picture(file);
        QCOMPARE(image.size(), QSize(32, 32));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
    }

    void bitmaps_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("splash") << "splash/splash.bmp" << QSize(480, 367);
        QTest::newRow("English splash") << "splash/splash_en.bmp" << QSize(480, 367);
        QTest::newRow("title strip") << "splash/title.bmp" << QSize(244, 50);
        QTest::newRow("toolbox") << "frame/toolbox.bmp" << QSize(16, 15);
    }
    void bitmaps() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const QByteArray d = readFile(kAssets + "/" + file);
        QCOMPARE(d.left(2), QByteArray("BM"));
        QCOMPARE(qsizetype(u32(d, 2)), d.size());
        QCOMPARE(u32(d, 14), quint32(40));
        QCOMPARE(int(u32(d, 18)), size.width());
        QCOMPARE(int(u32(d, 22)), size.height()); // positive: bottom-up rows
        QCOMPARE(u16(d, 28), quint16(24));
        QCOMPARE(u32(d, 30), quint32(0));
        QCOMPARE(d.size(), 54 + ((size.width() * 3 + 3) / 4) * 4 * size.height());
    }

    void pictureSizes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        for (const char* name : {"shutdown", "alarm", "music", "lock", "about"}) {
            QTest::newRow(name) << QString("buttons/%1.png").arg(name) << QSize(24, 24);
        }
        for (int s : {16, 32, 48, 64, 128, 256}) {
            QTest::newRow(qPrintable(QString("icon %1").arg(s)))
                << QString("icons/quellor-%1.png").arg(s) << QSize(s, s);
        }
        const QList<QSize> silver{{32, 29}, {57, 29}, {37, 29}, {5, 31}, {5, 31}, {16, 5}, {7, 5}, {7, 5}};
        const QList<QSize> green{{32, 29}, {38, 29}, {36, 29}, {5, 31}, {5, 31}, {6, 5}, {6, 5}, {6, 5}};
        for (int i = 0; i < 8; ++i) {
            QTest::newRow(qPrintable(QString("silver%1").arg(i + 1)))
                << QString("frame/silver%1.png").arg(i + 1) << silver[i];
            QTest::newRow(qPrintable(QString("green%1").arg(i + 1)))
                << QString("frame/green%1.png").arg(i + 1) << green[i];
        }
        for (int i = 0; i < 6; ++i) {
            QTest::newRow(qPrintable(QString("tops%1").arg(i)))
                << QString("frame/tops%1.png").arg(i) << QSize(21, 21);
            QTest::newRow(qPrintable(QString("top1_%1").arg(i)))
                << QString("frame/top1_%1.png").arg(i) << QSize(19, 19);
        }
    }
    void pictureSizes() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QCOMPARE(picture(file).size(), size);
    }

    // Stretched pieces must look the same wherever they are cut: the middle of the bar varies
    // only downwards, the edges only across.
    void stretchedPiecesAreUniformAlongTheStretch_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("silver bar") << "frame/silver2.png" << true;
        QTest::newRow("green bar") << "frame/green2.png" << true;
        QTest::newRow("silver bottom") << "frame/silver6.png" << true;
        QTest::newRow("green bottom") << "frame/green6.png" << true;
        QTest::newRow("silver left") << "frame/silver4.png" << false;
        QTest::newRow("silver right") << "frame/silver5.png" << false;
        QTest::newRow("green left") << "frame/green4.png" << false;
        QTest::newRow("green right") << "frame/green5.png" << false;
    }
    void stretchedPiecesAreUniformAlongTheStretch() {
        QFETCH(QString, file);
        QFETCH(bool, horizontal);
        const QImage image = picture(file);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb reference = horizontal ? image.pixel(0, y) : image.pixel(x, 0);
                QCOMPARE(image.pixel(x, y), reference);
                QCOMPARE(qAlpha(image.pixel(x, y)), 255);
            }
        }
    }

    void titleBarKeyColours_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QRgb>("topLine");
        QTest::addColumn<QRgb>("highlight");
        QTest::addColumn<QRgb>("bottomLine");
        QTest::addColumn<QRgb>("bodyA");
        QTest::addColumn<QRgb>("bodyB");
        QTest::newRow("silver") << "frame/silver2.png" << qRgb(101, 101, 125) << qRgb(253, 253, 253)
                                << qRgb(118, 118, 144) << qRgb(162, 161, 188) << qRgb(253, 253, 253);
        QTest::newRow("green") << "frame/green2.png" << qRgb(139, 161, 105) << qRgb(234, 245, 201)
                               << qRgb(150, 168, 103) << qRgb(167, 181, 128) << qRgb(187, 201, 143);
    }
    void titleBarKeyColours() {
        QFETCH(QString, file);
        QFETCH(QRgb, topLine);
        QFETCH(QRgb, highlight);
        QFETCH(QRgb, bottomLine);
        QFETCH(QRgb, bodyA);
        QFETCH(QRgb, bodyB);
        const QImage bar = picture(file);
        const int last = bar.height() - 1;
        QCOMPARE(bar.pixel(0, 0), topLine);
        QCOMPARE(bar.pixel(0, 1), highlight);
        QCOMPARE(bar.pixel(0, last), bottomLine);
        QVERIFY(columnContains(bar, 0, bodyA));
        QVERIFY(columnContains(bar, 0, bodyB));
        // The body brightens towards the bottom, as the looks do.
        QVERIFY(qGray(bar.pixel(0, last - 1)) > qGray(bar.pixel(0, bar.height() / 2)));
        // The ends continue the same bar inside, and their outer top corners are rounded off.
        const QImage left = picture(QString(file).replace("2.png", "1.png"));
        const QImage right = picture(QString(file).replace("2.png", "3.png"));
        for (int y = 0; y < bar.height(); ++y) {
            QCOMPARE(left.pixel(left.width() - 1, y), bar.pixel(0, y));
            QCOMPARE(right.pixel(0, y), bar.pixel(0, y));
        }
        QVERIFY(qAlpha(left.pixel(0, 0)) < 64);
        QVERIFY(qAlpha(right.pixel(right.width() - 1, 0)) < 64);
        // A dark outline runs down the outer side.
        const int mid = bar.height() / 2;
        QVERIFY(qGray(left.pixel(0, mid)) < qGray(bar.pixel(0, mid)) - 30);
        QVERIFY(qGray(right.pixel(right.width() - 1, mid)) < qGray(bar.pixel(0, mid)) - 30);
    }

    void edgeKeyColours_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QRgb>("colour");
        const QRgb dark = qRgb(101, 101, 125), white = qRgb(249, 250, 251), grey = qRgb(166, 167, 185);
        QTest::newRow("silver left outer") << "frame/silver4.png" << QPoint(0, 0) << dark;
        QTest::newRow("silver left white") << "frame/silver4.png" << QPoint(1, 0) << white;
        QTest::newRow("silver left white 2") << "frame/silver4.png" << QPoint(2, 0) << white;
        QTest::newRow("silver left grey") << "frame/silver4.png" << QPoint(3, 0) << grey;
        QTest::newRow("silver left inner") << "frame/silver4.png" << QPoint(4, 0) << dark;
        QTest::newRow("silver right outer") << "frame/silver5.png" << QPoint(4, 0) << dark;
        QTest::newRow("silver right inner") << "frame/silver5.png" << QPoint(0, 0) << dark;
        QTest::newRow("silver bottom outer") << "frame/silver6.png" << QPoint(0, 4) << dark;
        QTest::newRow("silver bottom white") << "frame/silver6.png" << QPoint(0, 3) << white;
        QTest::newRow("green left outer") << "frame/green4.png" << QPoint(0, 0) << qRgb(117, 141, 94);
        QTest::newRow("green left inner") << "frame/green4.png" << QPoint(4, 0) << qRgb(203, 215, 152);
        QTest::newRow("green right outer") << "frame/green5.png" << QPoint(4, 0) << qRgb(94, 118, 79);
        QTest::newRow("green right inner") << "frame/green5.png" << QPoint(0, 0) << qRgb(203, 215, 152);
        QTest::newRow("green bottom outer") << "frame/green6.png" << QPoint(0, 4) << qRgb(94, 118, 79);
        QTest::newRow("green bottom inner") << "frame/green6.png" << QPoint(0, 0) << qRgb(203, 215, 152);
        // The corners turn the side lines into the bottom lines.
        QTest::newRow("silver corner left") << "frame/silver7.png" << QPoint(0, 0) << dark;
        QTest::newRow("silver corner bottom") << "frame/silver7.png" << QPoint(6, 4) << dark;
        QTest::newRow("silver corner right") << "frame/silver8.png" << QPoint(6, 0) << dark;
        QTest::newRow("green corner left") << "frame/green7.png" << QPoint(0, 0) << qRgb(117, 141, 94);
        QTest::newRow("green corner right") << "frame/green8.png" << QPoint(5, 0) << qRgb(94, 118, 79);
    }
    void edgeKeyColours() {
        QFETCH(QString, file);
        QFETCH(QPoint, pixel);
        QFETCH(QRgb, colour);
        QCOMPARE(picture(file).pixel(pixel), colour);
    }

    void captionFacesAtRest_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QRgb>("border");
        QTest::addColumn<QRgb>("fill");
        QTest::newRow("silver minimise") << "frame/tops0.png" << qRgb(106, 116, 141) << qRgb(201, 201, 218);
        QTest::newRow("silver close") << "frame/tops3.png" << qRgb(164, 56, 67) << qRgb(222, 105, 103);
        QTest::newRow("green minimise") << "frame/top1_0.png" << qRgb(86, 100, 58) << qRgb(140, 155, 104);
        QTest::newRow("green close") << "frame/top1_3.png" << qRgb(122, 48, 24) << qRgb(190, 95, 60);
    }
    void captionFacesAtRest() {
        QFETCH(QString, file);
        QFETCH(QRgb, border);
        QFETCH(QRgb, fill);
        const QImage face = picture(file);
        const int mid = face.height() / 2;
        QVERIFY(distance(face.pixel(0, mid), border) <= 6);
        QVERIFY2(distance(face.pixel(3, mid), fill) <= 30,
                 qPrintable(QString::number(face.pixel(3, mid), 16)));
        QVERIFY(qAlpha(face.pixel(0, 0)) < 255); // rounded corner
    }

    // Hover is lighter and pressed darker than rest, for both buttons and both looks.
    void captionFaceStates_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("first");
        QTest::newRow("silver minimise") << "frame/tops" << 0;
        QTest::newRow("silver close") << "frame/tops" << 3;
        QTest::newRow("green minimise") << "frame/top1_" << 0;
        QTest::newRow("green close") << "frame/top1_" << 3;
    }
    void captionFaceStates() {
        QFETCH(QString, prefix);
        QFETCH(int, first);
        auto brightness = [&](int index) {
            const QImage face = picture(QString("%1%2.png").arg(prefix).arg(index));
            qint64 sum = 0;
            for (int y = 2; y < face.height() - 2; ++y) {
                sum += qGray(face.pixel(3, y));
            }
            return sum;
        };
        QVERIFY(brightness(first + 1) > brightness(first));
        QVERIFY(brightness(first + 2) < brightness(first));
    }

    void buttonPicturesHaveTransparentSurroundings() {
        for (const char* name : {"shutdown", "alarm", "music", "lock", "about"}) {
            const QImage image = picture(QString("buttons/%1.png").arg(name));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    opaque += qAlpha(image.pixel(x, y)) == 255;
                }
            }
            QVERIFY2(opaque > 24 * 24 / 10 && opaque < 24 * 24 * 9 / 10, name); // a shape, not a block
        }
    }

    void embeddedResources_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("lock button") << ":/assets/buttons/lock.png" << QSize(24, 24);
        QTest::newRow("about button") << ":/assets/buttons/about.png" << QSize(24, 24);
        QTest::newRow("splash") << ":/assets/splash/splash.bmp" << QSize(480, 367);
        QTest::newRow("English splash") << ":/assets/splash/splash_en.bmp" << QSize(480, 367);
        QTest::newRow("title strip") << ":/assets/splash/title.bmp" << QSize(244, 50);
        QTest::newRow("16-colour icon") << ":/assets/icons/quellor.ico" << QSize(32, 32);
        QTest::newRow("desktop icon") << ":/assets/icons/quellor-32.png" << QSize(32, 32);
        QTest::newRow("large icon") << ":/assets/icons/quellor-256.png" << QSize(256, 256);
    }
    void embeddedResources() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QImage image(path);
        QCOMPARE(image.size(), size);
        // The splash's pictures lie uncompressed in the program, so their pages can be given back
        // once read; read again, they are the same.
        if (path.startsWith(QLatin1String(":/assets/splash/"))) {
            QCOMPARE(QResource(path).compressionAlgorithm(), QResource::NoCompression);
        }
        quellor::releaseResourcePages(path);
        QCOMPARE(QImage(path), image);
    }

    void cuesAndCursorsLandBesideTheProgram_data() {
        QTest::addColumn<QString>("source");
        for (const char* cue : {"2", "3", "4", "5", "6"}) {
            QTest::newRow(cue) << QString("sounds/%1.wav").arg(cue);
        }
        QTest::newRow("hand.ani") << "cursors/hand.ani";
        QTest::newRow("hand1.cur") << "cursors/hand1.cur";
    }
    void cuesAndCursorsLandBesideTheProgram() {
        QFETCH(QString, source);
        const QString copied = QStringLiteral(QUELLOR_PROGRAM_DIR "/") + QFileInfo(source).fileName();
        QCOMPARE(readFile(copied), readFile(kAssets + "/" + source));
    }
};

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
