#pragma once
// SPDX-License-Identifier: MIT
// Lengths, rounding and integer conversions shared by every window and control.
// Positions and sizes are kept in twips (1/1440 inch) as the layouts are written in them,
// and converted to pixels through the screen's twips-per-pixel factors.

#include <cmath>
#include <cstdint>
#include <limits>

namespace quellor {

// Nearest integer, halves to even (banker's rounding), as every real-to-integer conversion does.
inline double roundHalfEven(double v) {
    return std::nearbyint(v); // default FE_TONEAREST is round-half-even
}

inline std::int32_t toInt32(double v) {
    return static_cast<std::int32_t>(roundHalfEven(v));
}

// 16-bit conversion with rounding; values outside the range saturate rather than wrap, so
// a too-large screen never turns a position negative.
inline std::int16_t toInt16(double v) {
    const double r = roundHalfEven(v);
    if (r > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    if (r < std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    return static_cast<std::int16_t>(r);
}

// Integer division operator of the forms runtime: both operands rounded to integers first,
// then divided with truncation toward zero.
inline std::int32_t intDiv(double a, double b) {
    return toInt32(a) / toInt32(b);
}

// Twips per pixel for a logical DPI (15 at 96 dpi).
inline double twipsPerPixel(double dpi) {
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

struct Twips {
    double x = 15.0; // twips per horizontal pixel
    double y = 15.0; // twips per vertical pixel

    int toPixelsX(double twips) const { return toInt32(twips / x); }
    int toPixelsY(double twips) const { return toInt32(twips / y); }
    double fromPixelsX(double px) const { return px * x; }
    double fromPixelsY(double px) const { return px * y; }
};

// Colours are packed as blue*65536 + green*256 + red.
constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// Booleans of the forms runtime: true is all bits set.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

} // namespace quellor
