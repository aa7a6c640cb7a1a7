#pragma once
// SPDX-License-Identifier: MIT
// The binary containers the program and the frame library read: PCM wave, 24-bit BMP,
// 16-colour ICO, 32-bit CUR and the RIFF "ACON" animated cursor.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

namespace assetgen {

QByteArray waveFile(const std::vector<std::int16_t>& samples, int sampleRate);

// Opaque 24-bit, bottom-up rows; alpha is dropped, so callers flatten first.
QByteArray bmp24(const QImage& image);

// One 4-bit image with its own 16-entry palette and an AND mask (alpha below half is transparent).
QByteArray icon4bpp(const QImage& image);

// One 32-bit BGRA image with an AND mask, the hotspot stored in the directory entry.
QByteArray cursor32(const QImage& image, QPoint hotspot);

struct AniStep {
    int frame;   // index into the frames
    int jiffies; // display time in 1/60 s
};

// Animated cursor: frames are complete .cur files; steps become the "seq " and "rate" chunks.
QByteArray aniFile(const std::vector<QByteArray>& curFrames, const std::vector<AniStep>& steps,
                   const QString& title);

} // namespace assetgen
