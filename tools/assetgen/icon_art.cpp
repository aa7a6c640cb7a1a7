// SPDX-License-Identifier: MIT

#include "icon_art.h"

#include "paint_kit.h"

#include <cmath>
#include <numbers>

namespace assetgen {

void paintPowerGlyph(QPainter& p, const QPointF& centre, double radius, const QColor& colour, double width) {
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(ring, 60 * 16, -300 * 16);
    p.drawLine(centre - QPointF(0, radius * 1.15), centre - QPointF(0, radius * 0.15));
    p.restore();
}

void paintProgramIcon(QPainter& p, const QRectF& square, bool shadow) {
    // Designed on a 256-unit square; `px` is one device pixel in design units.
    p.save();
    p.translate(square.topLeft());
    const double scale = square.width() / 256.0;
    p.scale(scale, scale);
    const double px = 1.0 / scale;
    const bool small = square.width() < 24;

    // Small renderings drop the shadow and let the clock fill the square.
    const QPointF c = small ? QPointF(124, 124) : QPointF(118, 122);
    const double rim = small ? 120 : 108, face = 86;

    if (shadow && !small) {
        p.setPen(Qt::NoPen);
        for (int i = 4; i >= 1; --i) {
            p.setBrush(QColor(0, 0, 0, 22));
            p.drawEllipse(c + QPointF(6, 10), rim + i * 3, rim + i * 3);
        }
    }

    // Blue gel rim.
    QRadialGradient rimFill(c + QPointF(-40, -50), rim * 1.6);
    rimFill.setColorAt(0, QColor(140, 196, 255));
    rimFill.setColorAt(0.45, QColor(36, 104, 222));
    rimFill.setColorAt(1, QColor(6, 38, 128));
    p.setPen(QPen(QColor(8, 32, 96), std::max(4.0, px)));
    p.setBrush(rimFill);
    p.drawEllipse(c, rim, rim);

    // Face: white fading to a cool grey at the bottom, sunk into the rim.
    QLinearGradient faceFill(c - QPointF(0, face), c + QPointF(0, face));
    faceFill.setColorAt(0, QColor(255, 255, 255));
    faceFill.setColorAt(1, QColor(214, 224, 240));
    p.setPen(QPen(QColor(10, 44, 120), std::max(3.0, px)));
    p.setBrush(faceFill);
    p.drawEllipse(c, face, face);

    if (!small) {
        // Hour marks, the quarters heavier.
        for (int h = 0; h < 12; ++h) {
            const double a = h * std::numbers::pi / 6;
            const bool quarter = h % 3 == 0;
            const double outer = face - 10, inner = face - (quarter ? 30 : 22);
            p.setPen(
                QPen(QColor(24, 50, 110), std::max(quarter ? 12.0 : 7.0, px), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(std::sin(a) * inner, -std::cos(a) * inner),
                       c + QPointF(std::sin(a) * outer, -std::cos(a) * outer));
        }
    }

    // Hands at ten past ten.
    auto hand = [&](double hours, double length, double width, const QColor& colour) {
        const double a = hours * std::numbers::pi / 6;
        p.setPen(QPen(colour, std::max(width, 1.4 * px), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(std::sin(a) * length, -std::cos(a) * length));
    };
    hand(10.2, face * 0.52, small ? 26 : 16, QColor(20, 34, 80));
    hand(2.0, face * 0.78, small ? 20 : 11, QColor(20, 34, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(c, small ? 16 : 11, small ? 16 : 11);

    // Green power badge overlapping the lower right.
    const QRectF badge = small ? QRectF(142, 142, 114, 114) : QRectF(150, 150, 100, 100);
    if (shadow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawEllipse(badge.translated(4, 5));
    }
    gelBall(p, badge, QColor(40, 168, 56));
    paintPowerGlyph(p, badge.center() + QPointF(0, 4), small ? 30 : 26, QColor(255, 255, 255),
                    std::max(12.0, 1.6 * px));
    p.restore();
}

QImage programIcon(int size, bool shadow) {
    QImage image = canvas(size, size);
    ArtPainter p(&image);
    paintProgramIcon(p, QRectF(0, 0, size, size), shadow);
    return image;
}

} // namespace assetgen
