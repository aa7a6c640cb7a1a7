#pragma once
// SPDX-License-Identifier: MIT
// Reader for Windows cursor files: .cur (and .ico) images and RIFF "ACON" animated cursors.
// Cursor files come from the working directory, so anything may be in them: every count,
// size and offset is checked, and a file that does not add up is refused as a whole.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

namespace quellor {

struct CursorFrame {
    QImage image; // ARGB32
    QPoint hotspot;
    int durationMs = 0; // display time in an animation; 0 for a still cursor
    int imageIndex = 0; // which of the file's images this is: steps that show one image share it
};

struct CursorFrames {
    // In display order: an animation's sequence may show one image several times.
    std::vector<CursorFrame> frames;
    bool animated() const { return frames.size() > 1; }
};

// Largest file, image side, image count and animation length we accept.
constexpr qint64 kMaxCursorFileBytes = 16 * 1024 * 1024;
constexpr int kMaxCursorSide = 256;
constexpr int kMaxCursorFrames = 1024;
constexpr int kMaxCursorSteps = 4096;
// Pixels of all a cursor's distinct images together: sixteen images of the largest side, or a
// thousand of the usual 32 x 32. A file asking for more is refused before anything is decoded.
constexpr qint64 kMaxCursorPixels = 16 * kMaxCursorSide * kMaxCursorSide;

// Display time of an animation step given in jiffies (1/60 s), rounded to whole milliseconds.
int jiffiesToMs(quint32 jiffies);

std::optional<CursorFrames> parseCursorData(const QByteArray& data);
std::optional<CursorFrames> loadCursorFile(const QString& path);

} // namespace quellor
