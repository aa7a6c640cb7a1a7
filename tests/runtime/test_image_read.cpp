// SPDX-License-Identifier: MIT

#include "image_read.h"

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace quellor;

class TestImageRead : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Pictures are read in the format named, never in one guessed from their bytes.
    void readImageInTheNamedFormat_data() {
        QTest::addColumn<QByteArray>("savedAs");
        QTest::addColumn<QByteArray>("readAs");
        QTest::addColumn<bool>("readable");
        QTest::newRow("png as png") << QByteArray("PNG") << QByteArray("PNG") << true;
        QTest::newRow("bmp as bmp") << QByteArray("BMP") << QByteArray("BMP") << true;
        QTest::newRow("png as bmp") << QByteArray("PNG") << QByteArray("BMP") << false;
        QTest::newRow("bmp as png") << QByteArray("BMP") << QByteArray("PNG") << false;
    }
    void readImageInTheNamedFormat() {
        QFETCH(QByteArray, savedAs);
        QFETCH(QByteArray, readAs);
        QFETCH(bool, readable);
        QImage picture(5, 3, QImage::Format_RGB32);
        picture.fill(QColor(10, 200, 30));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(picture.save(&buffer, savedAs.constData()));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("picture.img"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        for (const QImage& read :
             {readImageData(bytes, readAs.constData()), readImage(path, readAs.constData())}) {
            QCOMPARE(!read.isNull(), readable);
            if (readable) {
                QCOMPARE(read.size(), QSize(5, 3));
                QCOMPARE(read.pixelColor(4, 2), QColor(10, 200, 30));
            }
        }
        QCOMPARE(readIcon(path, readAs.constData()).isNull(), !readable);
        QVERIFY(readImage(dir.filePath(QStringLiteral("missing.png")), "PNG").isNull());
    }
};

QTEST_MAIN(TestImageRead)
#include "test_image_read.moc"
