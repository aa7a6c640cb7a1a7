// SPDX-License-Identifier: MIT

#include "paint_kit.h"

#include <QFontDatabase>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace assetgen {

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

Ramp::Ramp(std::initializer_list<std::pair<double, QColor>> stops) : m_stops(stops) {}

QColor Ramp::at(double t) const {
    if (t <= m_stops.front().first) {
        return m_stops.front().second;
    }
    for (size_t i = 1; i < m_stops.size(); ++i) {
        if (t <= m_stops[i].first) {
            const auto& [p0, c0] = m_stops[i - 1];
            const auto& [p1, c1] = m_stops[i];
            return mix(c0, c1, (t - p0) / (p1 - p0));
        }
    }
    return m_stops.back().second;
}

QLinearGradient Ramp::vertical(const QRectF& r) const {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    for (const auto& [pos, colour] : m_stops) {
        g.setColorAt(pos, colour);
    }
    return g;
}

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage flatten(const QImage& image, const QColor& background) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

QImage flipped(const QImage& image) {
    return image.mirrored(true, false);
}

ArtPainter::ArtPainter(QImage* image) : QPainter(image) {
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::SmoothPixmapTransform);
    setRenderHint(QPainter::TextAntialiasing);
}

void gelBall(QPainter& p, const QRectF& r, const QColor& base) {
    p.save();
    QRadialGradient body(r.center() + QPointF(-r.width() * 0.18, -r.height() * 0.22), r.width() * 0.75);
    body.setColorAt(0, base.lighter(150));
    body.setColorAt(0.55, base);
    body.setColorAt(1, base.darker(165));
    p.setPen(QPen(base.darker(210), std::max(1.0, r.width() / 20)));
    p.setBrush(body);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    // Glossy cap on the upper half.
    const QRectF cap(r.left() + r.width() * 0.2, r.top() + r.height() * 0.07, r.width() * 0.6,
                     r.height() * 0.42);
    QLinearGradient shine(cap.topLeft(), cap.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 200));
    shine.setColorAt(1, QColor(255, 255, 255, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(cap);
    p.restore();
}

void gelPanel(QPainter& p, const QRectF& r, double radius, const Ramp& fill, const QColor& outline) {
    p.save();
    const QRectF outer = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(outline, 1));
    p.setBrush(fill.vertical(r));
    p.drawRoundedRect(outer, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), std::max(0.0, radius - 1), std::max(0.0, radius - 1));
    p.restore();
}

void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, int strength) {
    p.save();
    p.translate(offset);
    p.setBrush(Qt::NoBrush);
    for (int i = strength; i >= 1; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 60 / strength), i * 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.fillPath(path, QColor(0, 0, 0, 60));
    p.restore();
}

namespace {

QString familyFromFile(const QString& path, const QString& fallback) {
    static QHash<QString, QString> loaded;
    if (auto it = loaded.find(path); it != loaded.end()) {
        return *it;
    }
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    const QString family = families.isEmpty() ? fallback : families.front();
    loaded.insert(path, family);
    return family;
}

} // namespace

QFont latinFont(double pixelSize, bool bold) {
    const QString family =
        bold ? familyFromFile(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
                              QStringLiteral("DejaVu Sans"))
             : familyFromFile(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
                              QStringLiteral("DejaVu Sans"));
    QFont font(family);
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont chineseFont(double pixelSize) {
    QFont font(familyFromFile(QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"),
                              QStringLiteral("WenQuanYi Micro Hei")));
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace assetgen
