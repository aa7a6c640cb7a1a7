// SPDX-License-Identifier: MIT

#include "cursor_art.h"

#include "paint_kit.h"

namespace assetgen {
namespace {

// Straight edges sit on half pixels so the one-pixel outline stays crisp.
QPainterPath handShape() {
    QPainterPath hand;
    auto rounded = [&hand](QRectF r, double radius) {
        QPainterPath part;
        part.addRoundedRect(r, radius, radius);
        hand = hand.united(part);
    };
    rounded(QRectF(8.5, 1.5, 4, 17), 2);     // index finger
    rounded(QRectF(12.5, 8.5, 4, 10), 2);    // middle
    rounded(QRectF(16.5, 9.5, 4, 10), 2);    // ring
    rounded(QRectF(20.5, 11.5, 4, 9), 2);    // little
    rounded(QRectF(8.5, 14.5, 16, 12.5), 3); // palm
    // The thumb: a capsule from the palm's side up towards the index finger.
    QPainterPath line;
    line.moveTo(4.5, 15.5);
    line.lineTo(10, 21.5);
    QPainterPathStroker capsule;
    capsule.setWidth(4.6);
    capsule.setCapStyle(Qt::RoundCap);
    hand = hand.united(capsule.createStroke(line));
    return hand.simplified();
}

void sparkle(QPainter& p, QPointF c, double r) {
    QPainterPath star;
    const double k = r * 0.28;
    star.moveTo(c + QPointF(0, -r));
    star.quadTo(c + QPointF(k, -k), c + QPointF(r, 0));
    star.quadTo(c + QPointF(k, k), c + QPointF(0, r));
    star.quadTo(c + QPointF(-k, k), c + QPointF(-r, 0));
    star.quadTo(c + QPointF(-k, -k), c + QPointF(0, -r));
    QRadialGradient glow(c, r * 1.1);
    glow.setColorAt(0, QColor(255, 236, 150, 150));
    glow.setColorAt(1, QColor(255, 200, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 1.1, r * 1.1);
    QRadialGradient fill(c, r);
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(0.5, QColor(255, 230, 110));
    fill.setColorAt(1, QColor(240, 170, 0));
    p.setPen(QPen(QColor(150, 90, 0, 200), 0.6));
    p.setBrush(fill);
    p.drawPath(star);
}

} // namespace

QImage handCursor(int glint) {
    QImage image = canvas(32, 32);
    ArtPainter p(&image);
    const QPainterPath hand = handShape();

    softShadow(p, hand, QPointF(1.5, 1.5), 2);
    QLinearGradient fill(QPointF(8, 0), QPointF(25, 0));
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(0.7, QColor(246, 246, 250));
    fill.setColorAt(1, QColor(214, 216, 226));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(hand);

    // Creases between the folded fingers and across the palm.
    p.setPen(QPen(QColor(60, 60, 70), 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12.5, 11), QPointF(12.5, 16));
    p.drawLine(QPointF(16.5, 12), QPointF(16.5, 17));
    p.drawLine(QPointF(20.5, 14), QPointF(20.5, 18));

    p.setPen(QPen(QColor(0, 0, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hand);
    // A cuff keeps the wrist from ending in a blunt line.
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(90, 120, 200));
    p.drawRoundedRect(QRectF(9.5, 26.5, 14, 4), 1, 1);

    if (glint > 0) {
        sparkle(p, QPointF(17.5, 4.5), 1.6 + 1.3 * glint);
    }
    return image;
}

} // namespace assetgen
