// SPDX-License-Identifier: MIT
// quellor_frame_layouts <layouts.json> <output dir>
// Writes <output dir>/<window>.bag for every window in the file: the container's extent, then
// the frame's stored entries in the order the frame writes them.

#include "property_bag.h"
#include "units.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "quellor_frame_layouts: %s\n", qPrintable(message));
    return 1;
}

// Twips to the container's extent unit, 0.01 mm.
int extent(double twips) {
    return quellor::toInt32(twips * 2540.0 / 1440.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return fail(QStringLiteral("usage: quellor_frame_layouts <layouts.json> <output dir>"));
    }
    const QString jsonPath = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QFile json(jsonPath);
    if (!json.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read ") + jsonPath);
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json.readAll(), &error);
    if (!doc.isObject()) {
        return fail(jsonPath + QStringLiteral(": ") + error.errorString());
    }
    const QJsonObject root = doc.object();
    const QDir base = QFileInfo(jsonPath).absoluteDir();
    QFile iconFile(base.filePath(root.value("icon").toString()));
    if (!iconFile.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("cannot read the icon ") + iconFile.fileName());
    }
    const QByteArray icon = iconFile.readAll();
    if (!out.exists() && !QDir().mkpath(out.path())) {
        return fail(QStringLiteral("cannot create ") + out.path());
    }

    const QJsonObject windows = root.value("windows").toObject();
    for (auto it = windows.begin(); it != windows.end(); ++it) {
        const QJsonObject w = it.value().toObject();
        const QJsonArray back = w.value("backColor").toArray();
        const QString caption = w.value("caption").toString();
        quellor::PropertyBag bag;
        bag.append("_extentx", extent(w.value("width").toDouble()));
        bag.append("_extenty", extent(w.value("height").toDouble()));
        bag.writeProperty("标题栏高度", static_cast<qint16>(w.value("titleBarHeight").toInt()), 500);
        bag.writeProperty("Icon", quellor::PropertyBag::pictureValue(icon), QVariant());
        for (int i = 0; i < 3; ++i) {
            bag.writeProperty("Caption", caption, QString());
        }
        bag.writeProperty(
            "BackColor",
            static_cast<qint32>(quellor::rgb(back.at(0).toInt(), back.at(1).toInt(), back.at(2).toInt())),
            static_cast<qint32>(0x8000000F));
        QFile file(out.filePath(it.key() + QStringLiteral(".bag")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bag.serialize()) < 0) {
            return fail(QStringLiteral("cannot write ") + file.fileName());
        }
    }
    return 0;
}
