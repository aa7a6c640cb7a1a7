#pragma once
// SPDX-License-Identifier: MIT
// The pointing-hand cursor, plain and with a pulsing glint for the animated form cursor.

#include <QImage>
#include <QPoint>

namespace assetgen {

// Finger tip of the index finger: the cursor's hot spot.
constexpr QPoint kHandHotspot{10, 1};

// glint 0 is the plain hand; 1..3 a growing sparkle beside the finger tip.
QImage handCursor(int glint);

} // namespace assetgen
