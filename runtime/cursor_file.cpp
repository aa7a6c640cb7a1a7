// SPDX-License-Identifier: MIT

#include "cursor_file.h"

#include "image_read.h"

#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <algorithm>
#include <climits>

namespace quellor {
namespace {

// Bounds-checked little-endian reads over one region of the file.
class Region {
public:
    Region() = default;
    Region(const QByteArray& data, qint64 offset, qint64 size)
        : m_data(&data), m_offset(offset), m_size(size) {}

    qint64 size() const { return m_size; }

    bool has(qint64 at, qint64 count) const {
        return at >= 0 && count >= 0 && at <= m_size && count <= m_size - at;
    }

    std::optional<quint8> u8(qint64 at) const {
        if (!has(at, 1)) {
            return std::nullopt;
        }
        return static_cast<quint8>(m_data->at(m_offset + at));
    }
    std::optional<quint16> u16(qint64 at) const {
        const auto lo = u8(at), hi = u8(at + 1);
        if (!lo || !hi) {
            return std::nullopt;
        }
        return static_cast<quint16>(*lo | (*hi << 8));
    }
    std::optional<quint32> u32(qint64 at) const {
        const auto lo = u16(at), hi = u16(at + 2);
        if (!lo || !hi) {
            return std::nullopt;
        }
        return static_cast<quint32>(*lo) | (static_cast<quint32>(*hi) << 16);
    }
    std::optional<qint32> i32(qint64 at) const {
        const auto v = u32(at);
        if (!v) {
            return std::nullopt;
        }
        return static_cast<qint32>(*v);
    }
    bool tagIs(qint64 at, const char (&tag)[5]) const {
        return has(at, 4) && std::equal(tag, tag + 4, m_data->constData() + m_offset + at);
    }
    std::optional<Region> sub(qint64 at, qint64 count) const {
        if (!has(at, count)) {
            return std::nullopt;
        }
        return Region(*m_data, m_offset + at, count);
    }
    QByteArray bytes() const { return m_data->mid(m_offset, m_size); }

private:
    const QByteArray* m_data = nullptr;
    qint64 m_offset = 0;
    qint64 m_size = 0;
};

constexpr quint32 kInfoHeaderMin = 40;

bool isPng(const Region& r) {
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    const QByteArray head = r.sub(0, 8) ? r.sub(0, 8)->bytes() : QByteArray();
    return head == QByteArray(signature, 8);
}

// A device-independent bitmap as icons and cursors store it: the XOR image, then the AND mask,
// with the header's height counting both.
std::optional<QImage> decodeDib(const Region& r) {
    const auto headerSize = r.u32(0);
    const auto width = r.i32(4), doubleHeight = r.i32(8);
    const auto planes = r.u16(12), bits = r.u16(14);
    const auto compression = r.u32(16), coloursUsed = r.u32(32);
    if (!headerSize || *headerSize < kInfoHeaderMin || !r.has(0, *headerSize) || !width || !doubleHeight ||
        !planes || !bits || !compression || !coloursUsed) {
        return std::nullopt;
    }
    if (*width < 1 || *width > kMaxCursorSide || *doubleHeight < 2 || *doubleHeight > 2 * kMaxCursorSide ||
        *doubleHeight % 2 != 0 || *planes != 1 || *compression != 0) {
        return std::nullopt;
    }
    const int bpp = *bits;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
        return std::nullopt;
    }
    const int w = *width, h = *doubleHeight / 2;
    const qint64 paletteCount = bpp <= 8 ? (*coloursUsed ? qint64(*coloursUsed) : qint64(1) << bpp) : 0;
    if (paletteCount > (qint64(1) << std::min(bpp, 8))) {
        return std::nullopt;
    }
    const qint64 paletteAt = *headerSize;
    const qint64 xorAt = paletteAt + paletteCount * 4;
    const qint64 xorRow = ((qint64(w) * bpp + 31) / 32) * 4;
    const qint64 andRow = ((qint64(w) + 31) / 32) * 4;
    const qint64 andAt = xorAt + xorRow * h;
    if (!r.has(xorAt, xorRow * h)) {
        return std::nullopt;
    }
    // Some 32-bit cursors leave the mask out; every other depth needs it.
    const bool hasMask = r.has(andAt, andRow * h);
    if (!hasMask && bpp != 32) {
        return std::nullopt;
    }

    std::vector<QRgb> palette(static_cast<size_t>(paletteCount));
    for (qint64 i = 0; i < paletteCount; ++i) {
        const quint32 bgrx = *r.u32(paletteAt + i * 4);
        palette[static_cast<size_t>(i)] = qRgb((bgrx >> 16) & 0xff, (bgrx >> 8) & 0xff, bgrx & 0xff);
    }
    auto paletteColour = [&](quint32 index) {
        return index < palette.size() ? palette[index] : qRgb(0, 0, 0);
    };

    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull()) {
        return std::nullopt;
    }
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const qint64 row = xorAt + xorRow * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            QRgb c = 0;
            switch (bpp) {
            case 1:
                c = paletteColour((*r.u8(row + x / 8) >> (7 - x % 8)) & 1);
                break;
            case 4:
                c = paletteColour((*r.u8(row + x / 2) >> ((x % 2) ? 0 : 4)) & 0xf);
                break;
            case 8:
                c = paletteColour(*r.u8(row + x));
                break;
            case 24:
                c = qRgb(*r.u8(row + x * 3 + 2), *r.u8(row + x * 3 + 1), *r.u8(row + x * 3));
                break;
            default: {
                const quint32 bgra = *r.u32(row + x * 4);
                c = qRgba((bgra >> 16) & 0xff, (bgra >> 8) & 0xff, bgra & 0xff, bgra >> 24);
                anyAlpha = anyAlpha || (bgra >> 24) != 0;
                break;
            }
            }
            image.setPixel(x, y, bpp == 32 ? c : (c | 0xff000000u));
        }
    }
    if (bpp == 32) {
        if (anyAlpha) {
            return image; // the alpha channel supersedes the mask
        }
        if (!hasMask) {
            return std::nullopt; // neither alpha nor mask: nothing says what is visible
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                image.setPixel(x, y, image.pixel(x, y) | 0xff000000u);
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        const qint64 row = andAt + andRow * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            if ((*r.u8(row + x / 8) >> (7 - x % 8)) & 1) {
                // Masked: transparent, unless the colour would invert the screen, which a
                // portable cursor can only approximate with black.
                const QRgb c = image.pixel(x, y);
                image.setPixel(x, y, (c & 0xffffff) ? qRgb(0, 0, 0) : qRgba(0, 0, 0, 0));
            }
        }
    }
    return image;
}

std::optional<quint32> bigEndian32(const Region& r, qint64 at) {
    const auto a = r.u8(at), b = r.u8(at + 1), c = r.u8(at + 2), d = r.u8(at + 3);
    if (!a || !b || !c || !d) {
        return std::nullopt;
    }
    return (quint32(*a) << 24) | (quint32(*b) << 16) | (quint32(*c) << 8) | quint32(*d);
}

// The size an embedded image says it has, read from its header before anything is decoded.
std::optional<QSize> declaredSize(const Region& image) {
    if (isPng(image)) {
        // The first chunk after the signature is IHDR: width and height, big-endian.
        const auto w = bigEndian32(image, 16), h = bigEndian32(image, 20);
        if (!image.tagIs(12, "IHDR") || !w || !h) {
            return std::nullopt;
        }
        return QSize(static_cast<int>(std::min<quint32>(*w, INT_MAX)),
                     static_cast<int>(std::min<quint32>(*h, INT_MAX)));
    }
    const auto w = image.i32(4), doubleHeight = image.i32(8);
    if (!w || !doubleHeight) {
        return std::nullopt;
    }
    return QSize(*w, *doubleHeight / 2);
}

// One .cur or .ico file: the image nearest to 32 x 32 and its hot spot. Its pixels come out of
// `pixelBudget`; an image larger than what is left is refused undecoded.
std::optional<CursorFrame> parseIconDirectory(const Region& r, qint64& pixelBudget) {
    const auto reserved = r.u16(0), type = r.u16(2), count = r.u16(4);
    if (!reserved || !type || !count || *reserved != 0 || (*type != 1 && *type != 2) || *count == 0 ||
        *count > kMaxCursorFrames || !r.has(6, qint64(*count) * 16)) {
        return std::nullopt;
    }
    int best = -1, bestDistance = 0;
    for (int i = 0; i < *count; ++i) {
        const qint64 entry = 6 + qint64(i) * 16;
        const int w = *r.u8(entry) ? *r.u8(entry) : 256;
        const int h = *r.u8(entry + 1) ? *r.u8(entry + 1) : 256;
        const int distance = std::abs(w - 32) + std::abs(h - 32);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    const qint64 entry = 6 + qint64(best) * 16;
    const auto image = r.sub(*r.u32(entry + 12), *r.u32(entry + 8));
    if (!image) {
        return std::nullopt;
    }
    const std::optional<QSize> size = declaredSize(*image);
    if (!size || size->width() < 1 || size->height() < 1 || size->width() > kMaxCursorSide ||
        size->height() > kMaxCursorSide || qint64(size->width()) * size->height() > pixelBudget) {
        return std::nullopt;
    }
    pixelBudget -= qint64(size->width()) * size->height();
    std::optional<QImage> decoded;
    if (isPng(*image)) {
        QImage png = readImageData(image->bytes(), "PNG");
        if (png.size() == *size) {
            decoded = png.convertToFormat(QImage::Format_ARGB32);
        }
    } else {
        decoded = decodeDib(*image);
    }
    if (!decoded) {
        return std::nullopt;
    }
    CursorFrame frame;
    frame.image = *decoded;
    // Icons carry no hot spot; used as cursors they point with their centre.
    const QPoint hotspot = *type == 2 ? QPoint(*r.u16(entry + 4), *r.u16(entry + 6))
                                      : QPoint(decoded->width() / 2, decoded->height() / 2);
    frame.hotspot = QPoint(std::clamp(hotspot.x(), 0, decoded->width() - 1),
                           std::clamp(hotspot.y(), 0, decoded->height() - 1));
    return frame;
}

struct AniChunks {
    std::optional<Region> header;
    std::optional<Region> rates;
    std::optional<Region> sequence;
    std::vector<Region> icons;
};

// Walks a run of RIFF chunks; false when a chunk runs past its container.
bool walkChunks(const Region& r, qint64 from, AniChunks& out, bool inFrameList) {
    qint64 at = from;
    // Fewer than eight bytes left is padding, not a chunk.
    while (r.has(at, 8)) {
        const auto size = r.u32(at + 4);
        const auto body = r.sub(at + 8, *size);
        if (!body) {
            return false;
        }
        if (inFrameList) {
            if (r.tagIs(at, "icon")) {
                if (out.icons.size() >= static_cast<size_t>(kMaxCursorFrames)) {
                    return false;
                }
                out.icons.push_back(*body);
            }
        } else if (r.tagIs(at, "anih")) {
            out.header = body;
        } else if (r.tagIs(at, "rate")) {
            out.rates = body;
        } else if (r.tagIs(at, "seq ")) {
            out.sequence = body;
        } else if (r.tagIs(at, "LIST") && body->tagIs(0, "fram")) {
            if (!walkChunks(*body, 4, out, true)) {
                return false;
            }
        }
        at += 8 + qint64(*size) + (*size & 1); // chunks are word aligned
    }
    return true;
}

std::optional<CursorFrames> parseAni(const Region& file) {
    const auto riffSize = file.u32(4);
    if (!riffSize || !file.tagIs(8, "ACON")) {
        return std::nullopt;
    }
    const auto riff = file.sub(8, *riffSize);
    if (!riff) {
        return std::nullopt;
    }
    AniChunks chunks;
    if (!walkChunks(*riff, 4, chunks, false) || !chunks.header || chunks.header->size() < 36) {
        return std::nullopt;
    }
    const Region& h = *chunks.header;
    const quint32 frameCount = *h.u32(4), declaredSteps = *h.u32(8), defaultRate = *h.u32(28),
                  flags = *h.u32(32);
    constexpr quint32 kIconFrames = 1, kHasSequence = 2;
    if (!(flags & kIconFrames) || frameCount == 0 || frameCount > kMaxCursorFrames ||
        chunks.icons.size() < frameCount) {
        return std::nullopt;
    }
    const quint32 steps = declaredSteps ? declaredSteps : frameCount;
    const bool sequenced = (flags & kHasSequence) || chunks.sequence;
    if (steps > kMaxCursorSteps || (!sequenced && steps > frameCount)) {
        return std::nullopt;
    }
    if (sequenced && (!chunks.sequence || chunks.sequence->size() < qint64(steps) * 4)) {
        return std::nullopt;
    }
    if (chunks.rates && chunks.rates->size() < qint64(steps) * 4) {
        return std::nullopt;
    }

    std::vector<CursorFrame> images;
    qint64 pixelBudget = kMaxCursorPixels;
    for (quint32 i = 0; i < frameCount; ++i) {
        auto frame = parseIconDirectory(chunks.icons[i], pixelBudget);
        if (!frame) {
            return std::nullopt;
        }
        frame->imageIndex = static_cast<int>(i);
        images.push_back(std::move(*frame));
    }
    CursorFrames out;
    for (quint32 step = 0; step < steps; ++step) {
        const quint32 index = sequenced ? *chunks.sequence->u32(qint64(step) * 4) : step;
        if (index >= frameCount) {
            return std::nullopt;
        }
        CursorFrame frame = images[index];
        frame.durationMs = jiffiesToMs(chunks.rates ? *chunks.rates->u32(qint64(step) * 4) : defaultRate);
        out.frames.push_back(std::move(frame));
    }
    return out;
}

} // namespace

int jiffiesToMs(quint32 jiffies) {
    // A zero rate would spin the animation timer; an hour is plenty for any real cursor.
    const qint64 clamped = std::clamp<qint64>(jiffies, 1, 60 * 3600);
    return static_cast<int>((clamped * 1000 + 30) / 60);
}

std::optional<CursorFrames> parseCursorData(const QByteArray& data) {
    if (data.size() > kMaxCursorFileBytes) {
        return std::nullopt;
    }
    const Region file(data, 0, data.size());
    if (file.tagIs(0, "RIFF")) {
        return parseAni(file);
    }
    qint64 pixelBudget = kMaxCursorPixels;
    auto frame = parseIconDirectory(file, pixelBudget);
    if (!frame) {
        return std::nullopt;
    }
    CursorFrames out;
    out.frames.push_back(std::move(*frame));
    return out;
}

std::optional<CursorFrames> loadCursorFile(const QString& path) {
    // Only a file: opening a FIFO would wait for a writer, a device could give bytes for ever.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxCursorFileBytes) {
        return std::nullopt;
    }
    return parseCursorData(file.read(kMaxCursorFileBytes + 1));
}

} // namespace quellor
