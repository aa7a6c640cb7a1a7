// SPDX-License-Identifier: MIT

#include "star_canvas.h"

#include <algorithm>

namespace quellor {

void StarCanvas::resize(const QSize& pixels) {
    m_image = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_image.fill(Qt::black);
    m_bits = nullptr;
    m_stride = m_image.bytesPerLine() / qsizetype(sizeof(QRgb));
    m_columns = (m_image.width() + kTile - 1) / kTile;
    m_rows = (m_image.height() + kTile - 1) / kTile;
    m_dirty.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), 0);
    m_anyDirty = false;
}

void StarCanvas::setPixel(int x, int y, std::uint32_t colour) {
    const int px = m_twips.toPixelsX(x);
    const int py = m_twips.toPixelsY(y);
    if (px < 0 || py < 0 || px >= m_image.width() || py >= m_image.height()) {
        return;
    }
    const QRgb value = qRgb(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                            static_cast<int>((colour >> 16) & 0xff));
    if (!m_bits) {
        m_bits = reinterpret_cast<QRgb*>(m_image.bits());
    }
    m_bits[py * m_stride + px] = value;
    m_dirty[static_cast<std::size_t>((py / kTile) * m_columns + px / kTile)] = 1;
    m_anyDirty = true;
}

QRegion StarCanvas::takeDirty() {
    if (!m_anyDirty) {
        return {};
    }
    // Runs of dirty tiles row by row: already the banded, sorted form a region is built from.
    std::vector<QRect> rects;
    for (int row = 0; row < m_rows; ++row) {
        std::uint8_t* line = m_dirty.data() + static_cast<std::ptrdiff_t>(row) * m_columns;
        for (int col = 0; col < m_columns;) {
            if (!line[col]) {
                ++col;
                continue;
            }
            const int first = col;
            while (col < m_columns && line[col]) {
                line[col++] = 0;
            }
            rects.emplace_back(first * kTile, row * kTile, (col - first) * kTile, kTile);
        }
    }
    m_anyDirty = false;
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region & m_image.rect();
}

} // namespace quellor
