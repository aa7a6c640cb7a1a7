#pragma once
// SPDX-License-Identifier: MIT
// The falling points of the lock screen, in twips: each frame moves every point down by its
// speed and reports two pixel writes per point (black over the old place, the scheme's colour at
// the new one), and one more for a point that wraps to the top. Pure, with the random source injected, so its
// rules are checked without a window.

#include <array>
#include <cstdint>
#include <random>

namespace quellor {

// Uniform values in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint64_t value) = 0;
    virtual double next() = 0;
};

class SeededRandom : public RandomSource {
public:
    void seed(std::uint64_t value) override { m_engine.seed(value); }
    double next() override { return m_uniform(m_engine); }

private:
    std::mt19937_64 m_engine;
    std::uniform_real_distribution<double> m_uniform{0.0, 1.0};
};

// Receives the pixel writes of a frame, in twips.
class PixelSink {
public:
    virtual ~PixelSink() = default;
    virtual void setPixel(int x, int y, std::uint32_t colour) = 0;
};

// Coordinates and speeds are 32-bit: twips of a screen wider than 2184 pixels overflow 16 bits.
struct Star {
    int x = 0;
    int y = 0;
    int speed = 0;
    bool operator==(const Star&) const = default;
};

class StarField {
public:
    static constexpr int kCount = 325;
    static constexpr int kSchemes = 6;
    static constexpr std::uint32_t kBlack = 0;

    explicit StarField(RandomSource& random) : m_random(random) {}

    // 0 to 5 with equal chance.
    int pickScheme();
    // RGB packed as blue*65536 + green*256 + red; black for an unknown scheme.
    static std::uint32_t schemeColour(int scheme);

    // Every point at a random place in the field, with a speed of 10 to 30 twips per frame.
    void scatter(int width, int height);
    // One frame over a field of the given size (read afresh each frame, so it follows resizes).
    void frame(int width, int height, std::uint32_t colour, PixelSink& sink);

    std::array<Star, kCount>& stars() { return m_stars; }
    const std::array<Star, kCount>& stars() const { return m_stars; }

private:
    int randomBelow(int limit) { return static_cast<int>(m_random.next() * limit); }
    int randomSpeed(double range, double least);

    RandomSource& m_random;
    std::array<Star, kCount> m_stars{};
};

} // namespace quellor
