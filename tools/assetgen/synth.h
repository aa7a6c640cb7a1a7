#pragma once
// SPDX-License-Identifier: MIT
// Additive synthesis for the short interface cues: decaying partials, a little filtered noise,
// smooth attacks and releases so no cue starts or stops with a click.

#include <cstdint>
#include <vector>

namespace assetgen {

struct Partial {
    double ratio;     // multiple of the tone's frequency
    double amplitude; // relative level
    double decay;     // seconds to fall to 1/e; 0 holds the level
};

struct Tone {
    double start = 0;    // seconds
    double length = 0.1; // seconds, release included
    double frequency = 440;
    double level = 1;
    double attack = 0.004;  // raised-cosine rise, seconds
    double release = 0.02;  // raised-cosine fall at the end, seconds
    double pitchDrop = 0;   // start this fraction above the frequency and settle within ...
    double pitchSettle = 0; // ... this many seconds (a percussive "tock")
    std::vector<Partial> partials{{1, 1, 0}};
};

struct NoiseBurst {
    double start = 0;
    double length = 0.01;
    double level = 0.1;
    double decay = 0.003;
    double smoothing = 0.5; // one-pole low-pass coefficient: higher is darker
};

class Track {
public:
    Track(double seconds, int sampleRate);

    void add(const Tone& tone);
    void add(const NoiseBurst& noise);

    // Normalises to `peak` of full scale, fades the very ends and converts to 16 bits.
    std::vector<std::int16_t> render(double peak) const;

    int sampleRate() const { return m_rate; }

private:
    int m_rate;
    std::vector<double> m_mix;
};

} // namespace assetgen
