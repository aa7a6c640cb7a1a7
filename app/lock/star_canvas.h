#pragma once
// SPDX-License-Identifier: MIT
// The picture the falling points are drawn into: one pixel per point, kept between frames (only
// the written pixels change) and repainted in the small tiles that changed.

#include "star_field.h"
#include "units.h"

#include <QImage>
#include <QRegion>

#include <vector>

namespace quellor {

class StarCanvas : public PixelSink {
public:
    static constexpr int kTile = 16;

    explicit StarCanvas(const Twips& twips) : m_twips(twips) {}

    // A new size starts black.
    void resize(const QSize& pixels);
    // Twips in, one pixel out; writes outside the picture are dropped.
    void setPixel(int x, int y, std::uint32_t colour) override;

    const QImage& image() const {
        m_bits = nullptr; // whoever reads it may share it: the next write detaches afresh
        return m_image;
    }
    const Twips& twips() const { return m_twips; }
    // The tiles written since the last call, as one region.
    QRegion takeDirty();

private:
    Twips m_twips;
    QImage m_image;
    // Pixel writes go straight to the bits; asking the image for a line per write is far slower.
    mutable QRgb* m_bits = nullptr;
    qsizetype m_stride = 0; // in pixels
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::uint8_t> m_dirty;
    bool m_anyDirty = false;
};

} // namespace quellor
