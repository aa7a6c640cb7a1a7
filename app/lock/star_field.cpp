// SPDX-License-Identifier: MIT

#include "star_field.h"

#include "units.h"

namespace quellor {

int StarField::pickScheme() {
    return randomBelow(kSchemes);
}

std::uint32_t StarField::schemeColour(int scheme) {
    static constexpr std::array<std::uint32_t, kSchemes> kColours{
        rgb(255, 255, 255), rgb(100, 100, 255), rgb(100, 255, 255),
        rgb(255, 255, 100), rgb(255, 100, 255), rgb(100, 255, 100),
    };
    return scheme >= 0 && scheme < kSchemes ? kColours[static_cast<std::size_t>(scheme)] : kBlack;
}

int StarField::randomSpeed(double range, double least) {
    return toInt32(m_random.next() * range + least);
}

void StarField::scatter(int width, int height) {
    for (Star& s : m_stars) {
        s.x = randomBelow(width);
        s.y = randomBelow(height);
        s.speed = randomSpeed(20, 10);
    }
}

void StarField::frame(int width, int height, std::uint32_t colour, PixelSink& sink) {
    for (Star& s : m_stars) {
        int oldX = s.x;
        int oldY = s.y;
        s.y += s.speed;
        if (s.y > height) {
            s.y = 0;
            s.speed = randomSpeed(30, 5);
            s.x = randomBelow(width);
            // A wrapping point blacks out the corner pixel, and its own last place as well: left lit,
            // that place would stay so for good, and where the window has no title bar to hide the
            // field's last twips, the bottom row fills with dots.
            sink.setPixel(oldX, oldY, kBlack);
            oldX = 0;
            oldY = 0;
        }
        sink.setPixel(oldX, oldY, kBlack);
        sink.setPixel(s.x, s.y, colour);
    }
}

} // namespace quellor
