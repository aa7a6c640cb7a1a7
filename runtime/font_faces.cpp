// SPDX-License-Identifier: MIT

#include "font_faces.h"

#include <QFont>

namespace quellor {

namespace {

// Song (Ming) serifs: their line is one em high, as the Windows Song faces' is, so texts fit the
// boxes the forms give them.
const QStringList kSongSerifs{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                              QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Source Han Serif SC")};
const QStringList kCjkSans{QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
                           QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")};
const QStringList kLatinSans{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                             QStringLiteral("FreeSans")};

struct Face {
    QStringList windowsNames;
    QStringList substitutes;
};

const QList<Face>& faces() {
    static const QList<Face> table{
        {{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体"),
          QStringLiteral("NSimSun")},
         kSongSerifs + kCjkSans},
        {{QStringLiteral("幼圆"), QStringLiteral("YouYuan")}, kCjkSans + kSongSerifs},
        {{QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")},
         kLatinSans + kCjkSans},
    };
    return table;
}

} // namespace

QStringList faceSubstitutes(const QString& windowsName) {
    for (const Face& face : faces()) {
        if (face.windowsNames.contains(windowsName, Qt::CaseInsensitive)) {
            return face.substitutes;
        }
    }
    return {};
}

void installFaceSubstitutions() {
    for (const Face& face : faces()) {
        for (const QString& name : face.windowsNames) {
            QFont::removeSubstitutions(name);
            QFont::insertSubstitutions(name, face.substitutes);
        }
    }
}

} // namespace quellor
