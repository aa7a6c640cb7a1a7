// SPDX-License-Identifier: MIT
// quellor_assetgen <output dir>: writes sounds/, icons/, buttons/, cursors/, splash/ and frame/.

#include "button_art.h"
#include "cursor_art.h"
#include "file_formats.h"
#include "frame_art.h"
#include "icon_art.h"
#include "paint_kit.h"
#include "sounds.h"
#include "splash_art.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

using namespace assetgen;

namespace {

class Output {
public:
    explicit Output(const QString& root) : m_root(root) {}

    bool bytes(const QString& relative, const QByteArray& data) {
        const QString path = m_root.filePath(relative);
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            return fail(path);
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
            return fail(path);
        }
        return true;
    }

    bool png(const QString& relative, const QImage& image) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
            return fail(relative);
        }
        return bytes(relative, data);
    }

    bool ok() const { return m_ok; }

private:
    bool fail(const QString& what) {
        std::fprintf(stderr, "quellor_assetgen: cannot write %s\n", qPrintable(what));
        m_ok = false;
        return false;
    }

    QDir m_root;
    bool m_ok = true;
};

void writeSounds(Output& out) {
    for (const Cue& cue : makeCues()) {
        out.bytes("sounds/" + cue.fileName, waveFile(cue.samples, cue.sampleRate));
    }
}

void writeIcons(Output& out) {
    out.bytes("icons/quellor.ico", icon4bpp(programIcon(32, false)));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        out.png(QStringLiteral("icons/quellor-%1.png").arg(size), programIcon(size));
    }
}

void writeButtons(Output& out) {
    for (const NamedImage& picture : buttonPictures()) {
        out.png("buttons/" + picture.fileName, picture.image);
    }
}

void writeCursors(Output& out) {
    out.bytes("cursors/hand1.cur", cursor32(handCursor(0), kHandHotspot));
    std::vector<QByteArray> frames;
    for (int glint = 0; glint <= 3; ++glint) {
        frames.push_back(cursor32(handCursor(glint), kHandHotspot));
    }
    // A rest on the plain hand, then the glint swells and fades.
    const std::vector<AniStep> steps{{0, 30}, {1, 4}, {2, 4}, {3, 6}, {2, 4}, {1, 4}};
    out.bytes("cursors/hand.ani", aniFile(frames, steps, QStringLiteral("Quellor hand")));
}

void writeSplash(Output& out) {
    out.bytes("splash/splash.bmp",
              bmp24(splashPicture(QStringLiteral("定时关机 · 闹钟定时 · 锁定计算机"), chineseFont(17))));
    out.bytes(
        "splash/splash_en.bmp",
        bmp24(splashPicture(QStringLiteral("Shutdown timer · Alarm clock · Lock"), latinFont(16, false))));
    out.bytes("splash/title.bmp", bmp24(titleStrip()));
}

void writeFrame(Output& out) {
    const FrameArt silver = silverFrame();
    const FrameArt green = greenFrame();
    for (int i = 0; i < 8; ++i) {
        out.png(QStringLiteral("frame/silver%1.png").arg(i + 1), silver.pieces[static_cast<size_t>(i)]);
        out.png(QStringLiteral("frame/green%1.png").arg(i + 1), green.pieces[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < 6; ++i) {
        out.png(QStringLiteral("frame/tops%1.png").arg(i), silver.faces[static_cast<size_t>(i)]);
        out.png(QStringLiteral("frame/top1_%1.png").arg(i), green.faces[static_cast<size_t>(i)]);
    }
    out.bytes("frame/icon.ico", icon4bpp(frameIcon()));
    out.bytes("frame/toolbox.bmp", bmp24(toolboxPicture()));
}

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed for drawing into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quellor_assetgen <output directory>\n");
        return 2;
    }
    Output out(args.at(1));
    writeSounds(out);
    writeIcons(out);
    writeButtons(out);
    writeCursors(out);
    writeSplash(out);
    writeFrame(out);
    return out.ok() ? 0 : 1;
}
