// SPDX-License-Identifier: MIT

#include "dock_geometry.h"

#include <algorithm>
#include <cmath>

namespace quellor {

DockGeometry::DockGeometry(const ScreenRect& desktop, const Twips& twips)
    : m_twips(twips), m_screenWidth(toInt32(double(desktop.right - desktop.left) * twips.x)),
      m_screenLeft(desktop.left * twips.x), m_screenTop(desktop.top * twips.y) {}

double DockGeometry::centredLeft(double hostWidth) const {
    return m_screenLeft + (m_screenWidth - hostWidth) / 2;
}

double DockGeometry::parkedTop(int hangDown, double hostHeight) const {
    const double strip = std::clamp(hangDown * m_twips.y, 0.0, std::max(hostHeight, 0.0));
    return m_screenTop + strip - hostHeight;
}

std::int32_t DockGeometry::slideStep(double hostHeight, int numSteps, bool down) const {
    const double height = down ? hostHeight : -hostHeight;
    std::int32_t step = toInt32(height / std::max(numSteps, 1));
    const auto pixel = static_cast<std::int32_t>(std::ceil(m_twips.y));
    if (std::abs(step) < pixel) {
        step = down ? pixel : -pixel;
    }
    return step;
}

bool insideInclusive(const ScreenPoint& p, const ScreenRect& r) {
    return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

} // namespace quellor
