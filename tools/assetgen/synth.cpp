// SPDX-License-Identifier: MIT

#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

double raisedCosine(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

// Envelope edges shared by tones and the whole track.
double edges(double t, double length, double attack, double release) {
    double g = 1;
    if (attack > 0) {
        g *= raisedCosine(t / attack);
    }
    if (release > 0) {
        g *= raisedCosine((length - t) / release);
    }
    return g;
}

} // namespace

Track::Track(double seconds, int sampleRate)
    : m_rate(sampleRate), m_mix(static_cast<size_t>(std::lround(seconds * sampleRate)), 0.0) {}

void Track::add(const Tone& tone) {
    const auto first = static_cast<size_t>(std::lround(tone.start * m_rate));
    const auto count = static_cast<size_t>(std::lround(tone.length * m_rate));
    std::vector<double> phase(tone.partials.size(), 0.0);
    for (size_t i = 0; i < count && first + i < m_mix.size(); ++i) {
        const double t = static_cast<double>(i) / m_rate;
        double f = tone.frequency;
        if (tone.pitchDrop > 0 && tone.pitchSettle > 0) {
            f *= 1 + tone.pitchDrop * std::exp(-t / tone.pitchSettle);
        }
        double v = 0;
        for (size_t p = 0; p < tone.partials.size(); ++p) {
            const Partial& partial = tone.partials[p];
            const double amp = partial.amplitude * (partial.decay > 0 ? std::exp(-t / partial.decay) : 1.0);
            v += amp * std::sin(phase[p]);
            phase[p] += 2 * std::numbers::pi * f * partial.ratio / m_rate;
            phase[p] = std::fmod(phase[p], 2 * std::numbers::pi);
        }
        m_mix[first + i] += tone.level * v * edges(t, tone.length, tone.attack, tone.release);
    }
}

void Track::add(const NoiseBurst& noise) {
    const auto first = static_cast<size_t>(std::lround(noise.start * m_rate));
    const auto count = static_cast<size_t>(std::lround(noise.length * m_rate));
    std::uint32_t state = 0x2545F491u; // fixed seed: the cues must come out byte-identical
    double low = 0;
    for (size_t i = 0; i < count && first + i < m_mix.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        const double white = static_cast<double>(state >> 8) / static_cast<double>(1u << 23) - 1.0;
        low = noise.smoothing * low + (1 - noise.smoothing) * white;
        const double t = static_cast<double>(i) / m_rate;
        m_mix[first + i] +=
            noise.level * low * std::exp(-t / noise.decay) * edges(t, noise.length, 0.0005, 0.002);
    }
}

std::vector<std::int16_t> Track::render(double peak) const {
    double max = 0;
    for (double v : m_mix) {
        max = std::max(max, std::abs(v));
    }
    const double gain = max > 0 ? peak * 32767.0 / max : 0;
    const double length = static_cast<double>(m_mix.size()) / m_rate;
    std::vector<std::int16_t> out(m_mix.size());
    for (size_t i = 0; i < m_mix.size(); ++i) {
        const double t = static_cast<double>(i) / m_rate;
        const double v = m_mix[i] * gain * edges(t, length, 0.002, 0.01);
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(v), -32767L, 32767L));
    }
    return out;
}

} // namespace assetgen
