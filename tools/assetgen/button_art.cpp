// SPDX-License-Identifier: MIT

#include "button_art.h"

#include "icon_art.h"
#include "paint_kit.h"

#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr int kSize = 24;

void smallClock(QPainter& p, const QPointF& c, double r) {
    p.save();
    p.setPen(QPen(QColor(10, 44, 120), 1));
    QRadialGradient rim(c - QPointF(r / 3, r / 3), r * 1.6);
    rim.setColorAt(0, QColor(140, 196, 255));
    rim.setColorAt(1, QColor(16, 70, 180));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    p.setBrush(QColor(255, 255, 255));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r - 1.6, r - 1.6);
    p.setPen(QPen(QColor(20, 34, 80), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -(r - 2.4)));
    p.drawLine(c, c + QPointF(r - 2.8, 0));
    p.restore();
}

// Timed shutdown: the red-orange power button with a small clock badge.
QImage shutdown() {
    QImage image = canvas(kSize, kSize);
    ArtPainter p(&image);
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 1.5, 19, 19), 4, 4);
    softShadow(p, body, QPointF(0.8, 1), 1);
    gelPanel(p, QRectF(1, 1, 20, 20), 4.5,
             Ramp{{0, QColor(255, 170, 120)}, {0.45, QColor(232, 88, 40)}, {1, QColor(176, 44, 16)}},
             QColor(120, 30, 10));
    paintPowerGlyph(p, QPointF(11, 11.8), 5.2, QColor(0, 0, 0, 70), 2.2);
    paintPowerGlyph(p, QPointF(11, 11), 5.2, QColor(255, 255, 255), 2.2);
    smallClock(p, QPointF(18, 18), 5.2);
    return image;
}

// Alarm time: a brass alarm clock with two bells.
QImage alarm() {
    QImage image = canvas(kSize, kSize);
    ArtPainter p(&image);
    const QPointF c(12, 13.5);
    // Legs and bells behind the body.
    p.setPen(QPen(QColor(90, 60, 10), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-5, 6), c + QPointF(-7, 9));
    p.drawLine(c + QPointF(5, 6), c + QPointF(7, 9));
    gelBall(p, QRectF(1.5, 1.5, 8, 8), QColor(236, 176, 30));
    gelBall(p, QRectF(14.5, 1.5, 8, 8), QColor(236, 176, 30));
    QPainterPath round;
    round.addEllipse(c, 9, 9);
    softShadow(p, round, QPointF(0.8, 1), 1);
    QRadialGradient rim(c - QPointF(3, 4), 14);
    rim.setColorAt(0, QColor(255, 150, 130));
    rim.setColorAt(0.5, QColor(214, 40, 30));
    rim.setColorAt(1, QColor(120, 10, 10));
    p.setPen(QPen(QColor(100, 10, 10), 1));
    p.setBrush(rim);
    p.drawEllipse(c, 9, 9);
    QLinearGradient face(c - QPointF(0, 7), c + QPointF(0, 7));
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(226, 230, 238));
    p.setPen(QPen(QColor(130, 30, 30, 160), 0.8));
    p.setBrush(face);
    p.drawEllipse(c, 6.6, 6.6);
    for (int h = 0; h < 12; h += 3) {
        const double a = h * std::numbers::pi / 6;
        p.setPen(QPen(QColor(60, 60, 80), 1.1));
        p.drawLine(c + QPointF(std::sin(a) * 4.6, -std::cos(a) * 4.6),
                   c + QPointF(std::sin(a) * 6, -std::cos(a) * 6));
    }
    p.setPen(QPen(QColor(20, 30, 60), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(-2.8, -2.2));
    p.drawLine(c, c + QPointF(0, -5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(c, 1.1, 1.1);
    return image;
}

// Alarm music: two beamed notes in glossy blue.
QImage music() {
    QImage image = canvas(kSize, kSize);
    ArtPainter p(&image);
    QPainterPath notes;
    auto head = [&](QPointF centre) {
        QPainterPath h;
        h.addEllipse(QPointF(0, 0), 3.6, 2.7);
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(-22);
        notes.addPath(t.map(h));
    };
    head(QPointF(6.6, 18.4));
    head(QPointF(17.6, 16.2));
    notes.addRect(QRectF(9, 4.6, 2, 14));
    notes.addRect(QRectF(20, 2.4, 2, 14));
    QPainterPath beam;
    beam.moveTo(9, 4.6);
    beam.lineTo(22, 2.4);
    beam.lineTo(22, 6.6);
    beam.lineTo(9, 8.8);
    beam.closeSubpath();
    notes.addPath(beam);
    notes = notes.simplified();
    softShadow(p, notes, QPointF(0.8, 1), 1);
    QLinearGradient fill(QPointF(0, 2), QPointF(0, 22));
    fill.setColorAt(0, QColor(110, 170, 255));
    fill.setColorAt(0.5, QColor(30, 90, 220));
    fill.setColorAt(1, QColor(10, 40, 140));
    p.setPen(QPen(QColor(8, 28, 96), 0.9));
    p.setBrush(fill);
    p.drawPath(notes);
    // Highlights on the heads.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(5.6, 17.4), 1.3, 0.8);
    p.drawEllipse(QPointF(16.6, 15.2), 1.3, 0.8);
    return image;
}

// Lock computer: a brass padlock with a steel shackle.
QImage lock() {
    QImage image = canvas(kSize, kSize);
    ArtPainter p(&image);
    QPainterPath shackle;
    shackle.moveTo(7, 11);
    shackle.lineTo(7, 7.5);
    shackle.arcTo(QRectF(7, 2, 10, 11), 180, -180);
    shackle.lineTo(17, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 74, 90), 3.6, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);
    QLinearGradient steel(QPointF(5, 0), QPointF(19, 0));
    steel.setColorAt(0, QColor(150, 156, 176));
    steel.setColorAt(0.35, QColor(246, 248, 252));
    steel.setColorAt(1, QColor(132, 138, 160));
    p.setPen(QPen(QBrush(steel), 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);

    QPainterPath body;
    body.addRoundedRect(QRectF(3.5, 10.5, 17, 12), 2.5, 2.5);
    softShadow(p, body, QPointF(0.8, 1), 1);
    gelPanel(p, QRectF(3, 10, 18, 13), 3,
             Ramp{{0, QColor(255, 232, 140)}, {0.5, QColor(230, 170, 30)}, {1, QColor(160, 100, 10)}},
             QColor(110, 70, 10));
    // Keyhole.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 36, 4));
    p.drawEllipse(QPointF(12, 15.2), 1.8, 1.8);
    QPainterPath slot;
    slot.moveTo(11, 15.6);
    slot.lineTo(13, 15.6);
    slot.lineTo(13.5, 19.8);
    slot.lineTo(10.5, 19.8);
    slot.closeSubpath();
    p.drawPath(slot);
    return image;
}

// About: the blue information ball.
QImage about() {
    QImage image = canvas(kSize, kSize);
    ArtPainter p(&image);
    QPainterPath ball;
    ball.addEllipse(QRectF(1.5, 1.5, 20, 20));
    softShadow(p, ball, QPointF(0.8, 1), 1);
    gelBall(p, QRectF(1, 1, 21, 21), QColor(30, 100, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QPointF(11.9, 7.3), 1.9, 1.9);
    p.drawRoundedRect(QRectF(10.4, 10.3, 3, 8.4), 1, 1);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(11.5, 6.8), 1.9, 1.9);
    p.drawRoundedRect(QRectF(10, 9.8, 3, 8.4), 1, 1);
    return image;
}

} // namespace

std::vector<NamedImage> buttonPictures() {
    return {{"shutdown.png", shutdown()},
            {"alarm.png", alarm()},
            {"music.png", music()},
            {"lock.png", lock()},
            {"about.png", about()}};
}

} // namespace assetgen
