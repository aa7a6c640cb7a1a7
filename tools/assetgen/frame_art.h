#pragma once
// SPDX-License-Identifier: MIT
// The frame library's artwork in its two looks: eight frame pieces and six caption-button faces each.

#include <QImage>
#include <array>

namespace assetgen {

struct FrameArt {
    // Title-bar left end, middle, right end; left edge, right edge; bottom middle, bottom-left,
    // bottom-right corner.
    std::array<QImage, 8> pieces;
    // Minimise rest, hover, pressed; close rest, hover, pressed.
    std::array<QImage, 6> faces;
};

FrameArt silverFrame();
FrameArt greenFrame();

// The frame's own default icon and its designer toolbox picture.
QImage frameIcon();
QImage toolboxPicture();

} // namespace assetgen
