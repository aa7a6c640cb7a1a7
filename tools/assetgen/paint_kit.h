#pragma once
// SPDX-License-Identifier: MIT
// Small drawing helpers shared by the artwork: colour mixing, gradient ramps, canvases and the
// glossy shapes the XP look is made of.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <initializer_list>
#include <utility>
#include <vector>

namespace assetgen {

QColor mix(const QColor& a, const QColor& b, double t);

// Piecewise-linear colour ramp over positions 0..1 (stops in ascending order).
class Ramp {
public:
    Ramp(std::initializer_list<std::pair<double, QColor>> stops);
    QColor at(double t) const;
    QLinearGradient vertical(const QRectF& r) const;

private:
    std::vector<std::pair<double, QColor>> m_stops;
};

QImage canvas(int width, int height);
QImage flatten(const QImage& image, const QColor& background);
QImage flipped(const QImage& image); // mirrored left to right

// A painter with antialiasing and smooth pixmap scaling switched on.
class ArtPainter : public QPainter {
public:
    explicit ArtPainter(QImage* image);
};

// A shaded sphere with a soft highlight (the XP "gel" look).
void gelBall(QPainter& p, const QRectF& r, const QColor& base);
// A rounded rectangle with a vertical ramp, a darker outline and a one-pixel inner highlight.
void gelPanel(QPainter& p, const QRectF& r, double radius, const Ramp& fill, const QColor& outline);
// A soft, blurred-looking drop shadow under a path (several widening translucent strokes).
void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, int strength);

// Fonts by file, so the pictures do not depend on which faces fontconfig prefers.
QFont latinFont(double pixelSize, bool bold);
QFont chineseFont(double pixelSize);

} // namespace assetgen
