// SPDX-License-Identifier: MIT

#include "frame_art.h"

#include "paint_kit.h"

#include <cmath>
#include <vector>

namespace assetgen {
namespace {

constexpr int kBarHeight = 29;

struct Look {
    std::vector<QColor> barRows; // one colour per title-bar row, top to bottom
    QColor outline;              // outer line around the rounded top corners and down the sides
    QColor highlight;            // inner bevel line along the top and the sides of the ends
    int cornerRadius;
    std::array<QColor, 5> leftEdge;  // outer to inner
    std::array<QColor, 5> rightEdge; // outer to inner; also the bottom edge
};

std::vector<QColor> rows(const QColor& top, const QColor& highlight, const Ramp& body, int bodyFirst,
                         const QColor& bottom) {
    std::vector<QColor> out(kBarHeight);
    out[0] = top;
    out[1] = highlight;
    const int bodyLast = kBarHeight - 2;
    for (int y = 2; y <= bodyLast; ++y) {
        out[static_cast<size_t>(y)] = y < bodyFirst
                                          ? mix(highlight, body.at(0), double(y - 1) / (bodyFirst - 1))
                                          : body.at(double(y - bodyFirst) / (bodyLast - bodyFirst));
    }
    out[kBarHeight - 1] = bottom;
    return out;
}

Look silverLook() {
    // Bright under the highlight, a quick dip to the darkest band, then a long steady rise to white.
    const Ramp body{{0.0, QColor(232, 232, 241)},
                    {0.16, QColor(162, 161, 188)},
                    {0.96, QColor(253, 253, 253)},
                    {1.0, QColor(253, 253, 253)}};
    const QColor dark(101, 101, 125), white(249, 250, 251), grey(166, 167, 185);
    Look look;
    look.barRows = rows(dark, QColor(253, 253, 253), body, 2, QColor(118, 118, 144));
    look.outline = dark;
    look.highlight = QColor(253, 253, 253);
    look.cornerRadius = 7;
    look.leftEdge = {dark, white, white, grey, dark};
    look.rightEdge = look.leftEdge;
    return look;
}

Look greenLook() {
    const Ramp body{{0.0, QColor(167, 181, 128)}, {1.0, QColor(187, 201, 143)}};
    Look look;
    look.barRows = rows(QColor(139, 161, 105), QColor(234, 245, 201), body, 3, QColor(150, 168, 103));
    look.outline = QColor(139, 161, 105).darker(115);
    look.highlight = QColor(234, 245, 201);
    look.cornerRadius = 7;
    const QColor inner(203, 215, 152);
    auto shade = [&](const QColor& outer) {
        std::array<QColor, 5> out;
        for (int i = 0; i < 5; ++i) {
            out[static_cast<size_t>(i)] = mix(outer, inner, i / 4.0);
        }
        return out;
    };
    look.leftEdge = shade(QColor(117, 141, 94));
    look.rightEdge = shade(QColor(94, 118, 79));
    return look;
}

QImage barStrip(const Look& look, int width) {
    QImage image(width, kBarHeight, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < kBarHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(x, y, look.barRows[static_cast<size_t>(y)]);
        }
    }
    return image;
}

// Left end with its rounded top-left corner; the right end is its mirror image.
QImage barEnd(const Look& look, int width) {
    const double r = look.cornerRadius;
    const double w = width, h = kBarHeight;
    QImage image = canvas(width, kBarHeight);
    ArtPainter p(&image);

    QPainterPath shape;
    shape.moveTo(0, h);
    shape.lineTo(0, r);
    shape.arcTo(QRectF(0, 0, 2 * r, 2 * r), 180, -90);
    shape.lineTo(w, 0);
    shape.lineTo(w, h);
    shape.closeSubpath();
    p.fillPath(shape, QBrush(barStrip(look, width)));

    QPainterPath outer;
    outer.moveTo(0.5, h);
    outer.lineTo(0.5, r);
    outer.arcTo(QRectF(0.5, 0.5, 2 * r - 1, 2 * r - 1), 180, -90);
    outer.lineTo(w, 0.5);
    p.strokePath(outer, QPen(look.outline, 1));

    QPainterPath bevel;
    bevel.moveTo(1.5, h - 1);
    bevel.lineTo(1.5, r);
    bevel.arcTo(QRectF(1.5, 1.5, 2 * r - 3, 2 * r - 3), 180, -90);
    bevel.lineTo(w, 1.5);
    p.strokePath(bevel, QPen(look.highlight, 1));
    p.end();

    // The straight runs must carry the exact key colours, whatever the antialiasing made of them.
    for (int x = look.cornerRadius + 1; x < width; ++x) {
        image.setPixelColor(x, 0, look.barRows[0]);
        image.setPixelColor(x, 1, look.barRows[1]);
    }
    for (int x = 1; x < width; ++x) {
        image.setPixelColor(x, kBarHeight - 1, look.barRows[kBarHeight - 1]);
    }
    return image;
}

// Vertical edge: column colours outer to inner, stretched along the height.
QImage sideEdge(const std::array<QColor, 5>& lines, bool outerOnLeft, int height) {
    QImage image(5, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < 5; ++i) {
            image.setPixelColor(outerOnLeft ? i : 4 - i, y, lines[static_cast<size_t>(i)]);
        }
    }
    return image;
}

QImage bottomEdge(const std::array<QColor, 5>& lines, int width) {
    QImage image(width, 5, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < width; ++x) {
        for (int i = 0; i < 5; ++i) {
            image.setPixelColor(x, 4 - i, lines[static_cast<size_t>(i)]);
        }
    }
    return image;
}

// A bottom corner: the side edge's lines turn the corner into the bottom edge's lines.
QImage bottomCorner(const Look& look, bool left, int width) {
    QImage image(width, 5, QImage::Format_ARGB32_Premultiplied);
    const auto& side = left ? look.leftEdge : look.rightEdge;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < width; ++x) {
            const int fromSide = left ? x : width - 1 - x;
            const int fromBottom = 4 - y;
            const bool sideWins = fromSide < fromBottom;
            const int ring = sideWins ? fromSide : fromBottom;
            image.setPixelColor(x, y, (sideWins ? side : look.rightEdge)[static_cast<size_t>(ring)]);
        }
    }
    return image;
}

std::array<QImage, 8> pieces(const Look& look, std::array<int, 3> barWidths, int bottomWidth,
                             int cornerWidth) {
    return {barEnd(look, barWidths[0]),
            barStrip(look, barWidths[1]),
            flipped(barEnd(look, barWidths[2])),
            sideEdge(look.leftEdge, true, 31),
            sideEdge(look.rightEdge, false, 31),
            bottomEdge(look.rightEdge, bottomWidth),
            bottomCorner(look, true, cornerWidth),
            bottomCorner(look, false, cornerWidth)};
}

// ---- caption-button faces ----

enum class Glyph { Minimise, Close };

struct FaceLook {
    Ramp fill;
    QColor border;
    QColor glyph;
    bool pressed;
};

QImage face(int size, double radius, const FaceLook& look, Glyph glyph) {
    QImage image = canvas(size, size);
    ArtPainter p(&image);
    const QRectF r(0, 0, size, size);
    gelPanel(p, r, radius, look.fill, look.border);
    if (look.pressed) {
        // Sunken: a faint shadow along the inner top instead of the highlight.
        p.setPen(QPen(QColor(0, 0, 0, 45), 1));
        p.drawLine(QPointF(2, 1.5), QPointF(size - 2, 1.5));
    }
    const double s = size;
    const double nudge = look.pressed ? 1 : 0; // the glyph sinks with the press
    QColor shadow = look.glyph.lightness() > 128 ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 140);
    if (glyph == Glyph::Minimise) {
        const QRectF bar(std::round(s * 0.29) + nudge, std::round(s * 0.62) + nudge, std::round(s * 0.36),
                         std::max(2.0, std::round(s * 0.13)));
        p.fillRect(bar.translated(1, 1), shadow);
        p.fillRect(bar, look.glyph);
    } else {
        const double a = s * 0.31 + nudge, b = s * 0.69 + nudge;
        const double width = std::max(2.0, s * 0.12);
        p.setPen(QPen(shadow, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(a + 1, a + 1), QPointF(b + 1, b + 1));
        p.drawLine(QPointF(b + 1, a + 1), QPointF(a + 1, b + 1));
        p.setPen(QPen(look.glyph, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(a, a), QPointF(b, b));
        p.drawLine(QPointF(b, a), QPointF(a, b));
    }
    return image;
}

Ramp threeStop(const QColor& top, const QColor& middle, const QColor& bottom) {
    return Ramp{{0.0, top}, {0.5, middle}, {1.0, bottom}};
}

std::array<QImage, 6> silverFaces() {
    const QColor minBorder(106, 116, 141), closeBorder(164, 56, 67);
    const QColor minGlyph(52, 60, 92), white(255, 255, 255);
    constexpr int s = 21;
    constexpr double r = 3.5;
    return {
        face(s, r,
             {threeStop(QColor(238, 238, 246), QColor(201, 201, 218), QColor(184, 185, 206)), minBorder,
              minGlyph, false},
             Glyph::Minimise),
        face(s, r,
             {threeStop(QColor(255, 255, 255), QColor(228, 230, 244), QColor(208, 212, 234)), minBorder,
              minGlyph, false},
             Glyph::Minimise),
        face(s, r,
             {threeStop(QColor(154, 158, 184), QColor(176, 178, 202), QColor(214, 214, 228)),
              minBorder.darker(115), minGlyph, true},
             Glyph::Minimise),
        face(s, r,
             {threeStop(QColor(244, 170, 160), QColor(222, 105, 103), QColor(198, 78, 80)), closeBorder,
              white, false},
             Glyph::Close),
        face(s, r,
             {threeStop(QColor(255, 198, 186), QColor(242, 124, 116), QColor(226, 94, 90)), closeBorder,
              white, false},
             Glyph::Close),
        face(s, r,
             {threeStop(QColor(170, 56, 60), QColor(204, 90, 90), QColor(234, 144, 136)),
              closeBorder.darker(115), white, true},
             Glyph::Close),
    };
}

std::array<QImage, 6> greenFaces() {
    const QColor minBorder(86, 100, 58), closeBorder(122, 48, 24), white(255, 255, 255);
    constexpr int s = 19;
    constexpr double r = 2;
    auto two = [](const QColor& top, const QColor& bottom) { return Ramp{{0.0, top}, {1.0, bottom}}; };
    return {
        face(s, r, {two(QColor(172, 186, 138), QColor(118, 135, 83)), minBorder, white, false},
             Glyph::Minimise),
        face(s, r, {two(QColor(214, 228, 160), QColor(164, 184, 104)), minBorder, white, false},
             Glyph::Minimise),
        face(s, r, {two(QColor(86, 102, 56), QColor(118, 134, 84)), minBorder.darker(120), white, true},
             Glyph::Minimise),
        face(s, r, {two(QColor(226, 128, 90), QColor(161, 67, 36)), closeBorder, white, false}, Glyph::Close),
        face(s, r, {two(QColor(250, 160, 104), QColor(210, 98, 46)), closeBorder, white, false},
             Glyph::Close),
        face(s, r, {two(QColor(124, 46, 22), QColor(158, 70, 38)), closeBorder.darker(120), white, true},
             Glyph::Close),
    };
}

// A small window: rounded silver-blue title bar with a red close box over a pale client area.
void miniWindow(QPainter& p, const QRectF& r) {
    const double bar = std::max(4.0, std::round(r.height() * 0.3));
    const double radius = std::max(1.5, r.width() / 10);
    QPainterPath frame;
    frame.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(frame, QColor(240, 240, 255));
    p.save();
    p.setClipPath(frame);
    const QRectF title(r.left(), r.top(), r.width(), bar);
    p.fillRect(
        title,
        Ramp{{0, QColor(253, 253, 253)}, {0.3, QColor(162, 161, 188)}, {1, QColor(236, 236, 246)}}.vertical(
            title));
    const double box = std::max(2.0, std::round(bar * 0.55));
    const QRectF close(r.right() - box - std::max(1.0, r.width() / 12), r.top() + (bar - box) / 2, box, box);
    p.fillRect(close, QColor(222, 105, 103));
    p.restore();
    p.setPen(QPen(QColor(101, 101, 125), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    p.drawLine(QPointF(r.left() + 1, r.top() + bar + 0.5), QPointF(r.right() - 1, r.top() + bar + 0.5));
}

} // namespace

FrameArt silverFrame() {
    return {pieces(silverLook(), {32, 57, 37}, 16, 7), silverFaces()};
}

FrameArt greenFrame() {
    return {pieces(greenLook(), {32, 38, 36}, 6, 6), greenFaces()};
}

QImage frameIcon() {
    QImage image = canvas(32, 32);
    ArtPainter p(&image);
    QPainterPath shadow;
    shadow.addRoundedRect(QRectF(3, 5, 27, 23), 3, 3);
    softShadow(p, shadow, QPointF(1, 1), 2);
    miniWindow(p, QRectF(2, 4, 27, 23));
    // Two caption lines in the client area.
    p.fillRect(QRectF(6, 16, 14, 2), QColor(128, 128, 255));
    p.fillRect(QRectF(6, 21, 10, 2), QColor(192, 192, 255));
    return image;
}

QImage toolboxPicture() {
    QImage image = canvas(16, 15);
    {
        ArtPainter p(&image);
        miniWindow(p, QRectF(0, 1, 16, 13));
    }
    return flatten(image, QColor(192, 192, 192));
}

} // namespace assetgen
