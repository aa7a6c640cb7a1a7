// SPDX-License-Identifier: MIT

#include "styles.h"

#include "units.h"

#include <QApplication>
#include <QFile>
#include <QPalette>

namespace vantrel {

using quellor::rgb;

const StyleColours& styleColours(bool silver) {
    static const StyleColours kSilver{rgb(240, 240, 255), rgb(128, 128, 255), rgb(192, 192, 255)};
    static const StyleColours kGreen{rgb(239, 238, 218), rgb(105, 112, 29), rgb(152, 172, 104)};
    return silver ? kSilver : kGreen;
}

QColor oleColor(std::uint32_t value) {
    if ((value & 0x80000000u) == 0) {
        return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
    }
    const QPalette palette = QApplication::palette();
    switch (value & 0xff) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8:  // window text
    case 18: // button text
        return palette.color(QPalette::WindowText);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    default: // 15, button face, and anything this platform has no counterpart for
        return palette.color(QPalette::Button);
    }
}

namespace artwork {

QPixmap framePiece(bool silver, int i) {
    return QPixmap(QStringLiteral(":/vantrel/%1%2.png").arg(silver ? "silver" : "green").arg(i));
}

QPixmap buttonFace(bool silver, int index) {
    return QPixmap(silver ? QStringLiteral(":/vantrel/tops%1.png").arg(index)
                          : QStringLiteral(":/vantrel/top1_%1.png").arg(index));
}

QPixmap defaultIcon() {
    return QPixmap(QStringLiteral(":/vantrel/icon.ico"));
}

QByteArray toolboxBitmap() {
    QFile f(QStringLiteral(":/vantrel/bitmap/30000"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace artwork

} // namespace vantrel
