#pragma once
// SPDX-License-Identifier: MIT
// The two colour styles and the artwork built into the library.

#include <QColor>
#include <QPixmap>

#include <cstdint>

namespace vantrel {

struct StyleColours {
    std::uint32_t backColor; // packed blue*65536 + green*256 + red
    std::uint32_t caption;
    std::uint32_t shadow;
};

const StyleColours& styleColours(bool silver);

// A colour as the frame's properties carry it: an RGB value, or with the high bit set a system
// colour by index.
QColor oleColor(std::uint32_t value);

namespace artwork {
// Frame piece i (1..8) of a style: silver is the pieces' initial set, green the alternative.
QPixmap framePiece(bool silver, int i);
// Caption-button face 0..5 of a style (minimise rest, hover, pressed; close rest, hover, pressed).
QPixmap buttonFace(bool silver, int index);
QPixmap defaultIcon();
QByteArray toolboxBitmap();
} // namespace artwork

} // namespace vantrel
