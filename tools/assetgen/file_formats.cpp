// SPDX-License-Identifier: MIT

#include "file_formats.h"

#include "byte_writer.h"
#include "palette.h"

namespace assetgen {
namespace {

constexpr int kInfoHeaderSize = 40;

int maskRowBytes(int width) {
    return ((width + 31) / 32) * 4;
}

// BITMAPINFOHEADER of an icon or cursor image: the height counts the XOR and the AND rows.
void iconInfoHeader(ByteWriter& w, int width, int height, int bits, int imageBytes, int paletteSize) {
    w.u32(kInfoHeaderSize);
    w.i32(width);
    w.i32(height * 2);
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(bits));
    w.u32(0); // BI_RGB
    w.u32(static_cast<std::uint32_t>(imageBytes));
    w.i32(0);
    w.i32(0);
    w.u32(static_cast<std::uint32_t>(paletteSize));
    w.u32(0);
}

// AND mask, bottom-up: a set bit lets the screen show through.
void andMask(ByteWriter& w, const QImage& image) {
    const int rowBytes = maskRowBytes(image.width());
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) < 128) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        w.bytes(row);
    }
}

QByteArray iconContainer(int type, const QImage& image, int colourCount, int planesOrX, int bitsOrY,
                         const QByteArray& imageData) {
    ByteWriter w;
    w.u16(0);
    w.u16(static_cast<std::uint16_t>(type));
    w.u16(1);
    w.u8(static_cast<std::uint8_t>(image.width() >= 256 ? 0 : image.width()));
    w.u8(static_cast<std::uint8_t>(image.height() >= 256 ? 0 : image.height()));
    w.u8(static_cast<std::uint8_t>(colourCount));
    w.u8(0);
    w.u16(static_cast<std::uint16_t>(planesOrX));
    w.u16(static_cast<std::uint16_t>(bitsOrY));
    w.u32(static_cast<std::uint32_t>(imageData.size()));
    w.u32(6 + 16);
    w.bytes(imageData);
    return w.data();
}

} // namespace

QByteArray waveFile(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    ByteWriter w;
    w.tag("RIFF");
    w.u32(36 + dataBytes);
    w.tag("WAVE");
    w.tag("fmt ");
    w.u32(16);
    w.u16(1); // PCM
    w.u16(1); // mono
    w.u32(static_cast<std::uint32_t>(sampleRate));
    w.u32(static_cast<std::uint32_t>(sampleRate * 2));
    w.u16(2);
    w.u16(16);
    w.tag("data");
    w.u32(dataBytes);
    for (std::int16_t s : samples) {
        w.i16(s);
    }
    return w.data();
}

QByteArray bmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = ((image.width() * 3 + 3) / 4) * 4;
    const int pixelBytes = rowBytes * image.height();
    ByteWriter w;
    w.u8('B');
    w.u8('M');
    w.u32(static_cast<std::uint32_t>(14 + kInfoHeaderSize + pixelBytes));
    w.u32(0);
    w.u32(14 + kInfoHeaderSize);
    w.u32(kInfoHeaderSize);
    w.i32(image.width());
    w.i32(image.height());
    w.u16(1);
    w.u16(24);
    w.u32(0);
    w.u32(static_cast<std::uint32_t>(pixelBytes));
    w.i32(3780); // 96 dpi
    w.i32(3780);
    w.u32(0);
    w.u32(0);
    for (int y = image.height() - 1; y >= 0; --y) {
        int written = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            w.u8(static_cast<std::uint8_t>(qBlue(c)));
            w.u8(static_cast<std::uint8_t>(qGreen(c)));
            w.u8(static_cast<std::uint8_t>(qRed(c)));
            written += 3;
        }
        for (; written < rowBytes; ++written) {
            w.u8(0);
        }
    }
    return w.data();
}

QByteArray icon4bpp(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const std::vector<QRgb> palette = medianCutPalette(image, 16);
    const int xorRowBytes = ((image.width() * 4 + 31) / 32) * 4;
    const int imageBytes = (xorRowBytes + maskRowBytes(image.width())) * image.height();

    ByteWriter w;
    iconInfoHeader(w, image.width(), image.height(), 4, imageBytes, 16);
    for (QRgb c : palette) {
        w.u8(static_cast<std::uint8_t>(qBlue(c)));
        w.u8(static_cast<std::uint8_t>(qGreen(c)));
        w.u8(static_cast<std::uint8_t>(qRed(c)));
        w.u8(0);
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(xorRowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            // Transparent pixels stay black so the XOR pass leaves the screen untouched.
            const int index = qAlpha(c) < 128 ? 0 : nearestIndex(palette, c);
            const int shift = (x % 2) ? 0 : 4;
            row[x / 2] = static_cast<char>(row[x / 2] | (index << shift));
        }
        w.bytes(row);
    }
    andMask(w, image);
    return iconContainer(1, image, 16, 1, 4, w.data());
}

QByteArray cursor32(const QImage& source, QPoint hotspot) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int imageBytes = (image.width() * 4 + maskRowBytes(image.width())) * image.height();
    ByteWriter w;
    iconInfoHeader(w, image.width(), image.height(), 32, imageBytes, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            w.u8(static_cast<std::uint8_t>(qBlue(c)));
            w.u8(static_cast<std::uint8_t>(qGreen(c)));
            w.u8(static_cast<std::uint8_t>(qRed(c)));
            w.u8(static_cast<std::uint8_t>(qAlpha(c)));
        }
    }
    andMask(w, image);
    return iconContainer(2, image, 0, hotspot.x(), hotspot.y(), w.data());
}

QByteArray aniFile(const std::vector<QByteArray>& curFrames, const std::vector<AniStep>& steps,
                   const QString& title) {
    constexpr std::uint32_t kIconFrames = 1, kHasSequence = 2;
    ByteWriter body;
    body.tag("ACON");

    ByteWriter info;
    info.tag("INFO");
    const QByteArray name = title.toLatin1() + '\0';
    info.tag("INAM");
    info.u32(static_cast<std::uint32_t>(name.size()));
    info.bytes(name);
    info.padToEven();
    body.tag("LIST");
    body.u32(static_cast<std::uint32_t>(info.size()));
    body.bytes(info.data());

    body.tag("anih");
    body.u32(36);
    body.u32(36);
    body.u32(static_cast<std::uint32_t>(curFrames.size()));
    body.u32(static_cast<std::uint32_t>(steps.size()));
    body.u32(0); // width, height, bits and planes only matter for raw frames
    body.u32(0);
    body.u32(0);
    body.u32(0);
    body.u32(static_cast<std::uint32_t>(steps.empty() ? 10 : steps.front().jiffies));
    body.u32(kIconFrames | kHasSequence);

    body.tag("rate");
    body.u32(static_cast<std::uint32_t>(steps.size() * 4));
    for (const AniStep& s : steps) {
        body.u32(static_cast<std::uint32_t>(s.jiffies));
    }
    body.tag("seq ");
    body.u32(static_cast<std::uint32_t>(steps.size() * 4));
    for (const AniStep& s : steps) {
        body.u32(static_cast<std::uint32_t>(s.frame));
    }

    ByteWriter frames;
    frames.tag("fram");
    for (const QByteArray& cur : curFrames) {
        frames.tag("icon");
        frames.u32(static_cast<std::uint32_t>(cur.size()));
        frames.bytes(cur);
        frames.padToEven();
    }
    body.tag("LIST");
    body.u32(static_cast<std::uint32_t>(frames.size()));
    body.bytes(frames.data());

    ByteWriter file;
    file.tag("RIFF");
    file.u32(static_cast<std::uint32_t>(body.size()));
    file.bytes(body.data());
    return file.data();
}

} // namespace assetgen
