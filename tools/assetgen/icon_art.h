#pragma once
// SPDX-License-Identifier: MIT
// The program icon: a blue-rimmed clock with a green power badge.

#include <QImage>
#include <QPainter>
#include <QRectF>

namespace assetgen {

// Without the soft shadow for the 16-colour icon, where half-transparent pixels turn to muddy grey.
QImage programIcon(int size, bool shadow = true);
// Draws the same design into any square (the splash uses it large).
void paintProgramIcon(QPainter& p, const QRectF& square, bool shadow = true);
// The power glyph (a broken ring with a bar through the gap), as drawn on the badge and buttons.
void paintPowerGlyph(QPainter& p, const QPointF& centre, double radius, const QColor& colour, double width);

} // namespace assetgen
