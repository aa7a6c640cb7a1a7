// SPDX-License-Identifier: MIT

#include "palette.h"

#include <algorithm>
#include <array>

namespace assetgen {
namespace {

struct Box {
    std::vector<QRgb> pixels;

    int channel(QRgb c, int ch) const { return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c); }

    // The channel with the widest spread and that spread.
    std::pair<int, int> widest() const {
        std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
        for (QRgb c : pixels) {
            for (int ch = 0; ch < 3; ++ch) {
                lo[ch] = std::min(lo[ch], channel(c, ch));
                hi[ch] = std::max(hi[ch], channel(c, ch));
            }
        }
        int best = 0;
        for (int ch = 1; ch < 3; ++ch) {
            if (hi[ch] - lo[ch] > hi[best] - lo[best]) {
                best = ch;
            }
        }
        return {best, hi[best] - lo[best]};
    }

    QRgb mean() const {
        long long r = 0, g = 0, b = 0;
        for (QRgb c : pixels) {
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
        const long long n = static_cast<long long>(pixels.size());
        return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
    }
};

} // namespace

std::vector<QRgb> medianCutPalette(const QImage& source, int colours) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<Box> boxes(1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) >= 128) {
                boxes[0].pixels.push_back(c | 0xff000000u);
            }
        }
    }
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    if (boxes[0].pixels.empty()) {
        palette.resize(static_cast<size_t>(colours), qRgb(0, 0, 0));
        return palette;
    }
    while (static_cast<int>(boxes.size()) < colours - 1) {
        // Split the box with the widest spread, weighted by population.
        int pick = -1;
        long long pickScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const auto [ch, spread] = boxes[i].widest();
            const long long score =
                static_cast<long long>(spread) * static_cast<long long>(boxes[i].pixels.size());
            if (spread > 0 && boxes[i].pixels.size() > 1 && score > pickScore) {
                pick = static_cast<int>(i);
                pickScore = score;
            }
        }
        if (pick < 0) {
            break;
        }
        Box& box = boxes[static_cast<size_t>(pick)];
        const int ch = box.widest().first;
        std::stable_sort(box.pixels.begin(), box.pixels.end(),
                         [&](QRgb a, QRgb b) { return box.channel(a, ch) < box.channel(b, ch); });
        const auto half = static_cast<std::ptrdiff_t>(box.pixels.size() / 2);
        Box upper{std::vector<QRgb>(box.pixels.begin() + half, box.pixels.end())};
        box.pixels.resize(static_cast<size_t>(half));
        boxes.push_back(std::move(upper));
    }
    for (const Box& box : boxes) {
        palette.push_back(box.mean());
    }
    palette.resize(static_cast<size_t>(colours), qRgb(0, 0, 0));
    return palette;
}

int nearestIndex(const std::vector<QRgb>& palette, QRgb colour) {
    int best = 0;
    long long bestDistance = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        // Weighted towards green as the eye is; good enough for picking among 16 entries.
        const long long dr = qRed(palette[i]) - qRed(colour);
        const long long dg = qGreen(palette[i]) - qGreen(colour);
        const long long db = qBlue(palette[i]) - qBlue(colour);
        const long long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

} // namespace assetgen
