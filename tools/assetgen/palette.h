#pragma once
// SPDX-License-Identifier: MIT
// Reduces a drawn picture to a small palette for the 16-colour icon format.

#include <QImage>
#include <vector>

namespace assetgen {

// Median cut over the pixels whose alpha is at least half; black is always entry 0 so the
// transparent pixels of a masked icon can use it. Deterministic: ties keep pixel order.
std::vector<QRgb> medianCutPalette(const QImage& image, int colours);

int nearestIndex(const std::vector<QRgb>& palette, QRgb colour);

} // namespace assetgen
