#pragma once
// SPDX-License-Identifier: MIT
// The dock's arithmetic in twips, kept apart from the widgets so it can be checked on its own.
// Every value is 32-bit: a 3840-pixel desktop is 57600 twips wide, past what 16 bits hold.

#include "platform.h"
#include "units.h"

#include <cstdint>

namespace quellor {

class DockGeometry {
public:
    DockGeometry() = default;
    DockGeometry(const ScreenRect& desktop, const Twips& twips);

    const Twips& twips() const { return m_twips; }
    std::int32_t screenWidth() const { return m_screenWidth; }

    // Horizontal position that centres a host of this width on the desktop; a fraction, as moves take it.
    double centredLeft(double hostWidth) const;
    // Top of the fully shown host: the top edge of the desktop.
    double shownTop() const { return m_screenTop; }
    // Top at which only `hangDown` pixels of the host stay on the desktop. The strip is held between
    // nothing and the whole host, so a bad value can neither lift the host out of reach nor push it
    // below the shown position.
    double parkedTop(int hangDown, double hostHeight) const;

    // Distance of one slide tick, signed by direction. Fewer than one step acts as one, and a step never
    // shrinks below one pixel: the host's position is read back in whole pixels, so a smaller step
    // would leave it where it is and the slide would never end.
    std::int32_t slideStep(double hostHeight, int numSteps, bool down) const;

private:
    Twips m_twips;
    std::int32_t m_screenWidth = 0;
    double m_screenLeft = 0;
    double m_screenTop = 0;
};

// Whether the point lies in the rectangle counting its right and bottom edges too, so the column and
// the row just past a window's rectangle count as over it.
bool insideInclusive(const ScreenPoint& p, const ScreenRect& r);

} // namespace quellor
