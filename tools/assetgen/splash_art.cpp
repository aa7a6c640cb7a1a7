// SPDX-License-Identifier: MIT

#include "splash_art.h"

#include "icon_art.h"
#include "paint_kit.h"

#include <cmath>

namespace assetgen {
namespace {

// Where the splash window puts the title strip and the credits (pixels in the picture).
const QRectF kStripPlace(120, 160, 244, 50);
const QRectF kPanel(96, 132, 292, 190);

void sky(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(18, 52, 140));
    g.setColorAt(0.55, QColor(64, 128, 220));
    g.setColorAt(1, QColor(150, 198, 245));
    p.fillRect(r, g);
    // A soft sun glow behind the title.
    QRadialGradient glow(QPointF(380, 40), 220);
    glow.setColorAt(0, QColor(255, 255, 255, 110));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(r, glow);
}

void hills(QPainter& p, const QRectF& r) {
    QPainterPath back;
    back.moveTo(r.left(), 300);
    back.cubicTo(120, 250, 260, 290, 480, 262);
    back.lineTo(r.right(), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    QLinearGradient g1(QPointF(0, 255), QPointF(0, 367));
    g1.setColorAt(0, QColor(120, 188, 80));
    g1.setColorAt(1, QColor(40, 110, 30));
    p.fillPath(back, g1);

    QPainterPath front;
    front.moveTo(r.left(), 340);
    front.cubicTo(160, 300, 330, 320, 480, 330);
    front.lineTo(r.right(), r.bottom());
    front.lineTo(r.left(), r.bottom());
    front.closeSubpath();
    QLinearGradient g2(QPointF(0, 305), QPointF(0, 367));
    g2.setColorAt(0, QColor(96, 170, 60));
    g2.setColorAt(1, QColor(28, 90, 22));
    p.fillPath(front, g2);
}

void panel(QPainter& p) {
    QPainterPath shape;
    shape.addRoundedRect(kPanel, 12, 12);
    softShadow(p, shape, QPointF(3, 4), 3);
    QLinearGradient fill(kPanel.topLeft(), kPanel.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255, 235));
    fill.setColorAt(1, QColor(232, 238, 250, 235));
    p.setPen(QPen(QColor(101, 101, 125), 1));
    p.setBrush(fill);
    p.drawRoundedRect(kPanel.adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    // A shallow well where the title strip lands and grows.
    p.setPen(QPen(QColor(166, 167, 185), 1));
    p.setBrush(QColor(240, 240, 255));
    p.drawRoundedRect(kStripPlace.adjusted(-4.5, -4.5, 4.5, 12.5), 6, 6);
}

void shadowedText(QPainter& p, const QPointF& at, const QString& text, const QFont& font,
                  const QColor& colour) {
    p.setFont(font);
    p.setPen(QColor(0, 0, 40, 120));
    p.drawText(at + QPointF(2, 2), text);
    p.setPen(colour);
    p.drawText(at, text);
}

} // namespace

QImage splashPicture(const QString& subtitle, const QFont& font) {
    QImage image = canvas(480, 367);
    ArtPainter p(&image);
    const QRectF all(0, 0, 480, 367);
    sky(p, all);
    hills(p, all);

    paintProgramIcon(p, QRectF(22, 18, 96, 96));
    shadowedText(p, QPointF(130, 70), QStringLiteral("Quellor4.1"), latinFont(44, true),
                 QColor(255, 255, 255));
    shadowedText(p, QPointF(134, 102), subtitle, font, QColor(230, 240, 255));

    panel(p);
    // Small clock-face ticks in the panel corners, echoing the icon.
    p.setPen(QPen(QColor(128, 128, 255), 2, Qt::SolidLine, Qt::RoundCap));
    for (QPointF c : {QPointF(kPanel.left() + 16, kPanel.bottom() - 16),
                      QPointF(kPanel.right() - 16, kPanel.bottom() - 16)}) {
        p.drawEllipse(c, 5, 5);
        p.drawLine(c, c + QPointF(0, -3.5));
        p.drawLine(c, c + QPointF(2.5, 0));
    }
    p.end();
    return flatten(image, QColor(128, 128, 128));
}

QImage titleStrip() {
    QImage image = canvas(244, 50);
    ArtPainter p(&image);
    p.fillRect(QRectF(0, 0, 244, 50), QColor(240, 240, 255)); // the well it sits in
    const QRectF bar(0, 0, 244, 50);
    gelPanel(p, bar, 8,
             Ramp{{0, QColor(253, 253, 253)},
                  {0.12, QColor(232, 232, 241)},
                  {0.3, QColor(162, 161, 188)},
                  {0.95, QColor(250, 250, 252)},
                  {1, QColor(253, 253, 253)}},
             QColor(101, 101, 125));
    paintProgramIcon(p, QRectF(8, 5, 40, 40));
    QFont font = latinFont(30, true);
    p.setFont(font);
    p.setPen(QColor(192, 192, 255));
    p.drawText(QPointF(60 + 2, 37 + 2), QStringLiteral("Quellor"));
    p.setPen(QColor(70, 70, 190));
    p.drawText(QPointF(60, 37), QStringLiteral("Quellor"));
    p.setFont(latinFont(12, true));
    p.setPen(QColor(128, 128, 255));
    p.drawText(QPointF(200, 37), QStringLiteral("4.1"));
    p.end();
    return flatten(image, QColor(240, 240, 255));
}

} // namespace assetgen
