// SPDX-License-Identifier: MIT

#include "sounds.h"

#include "synth.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr int kRate = 44100;

double note(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A soft mallet: strong fundamental, quickly fading upper partials.
std::vector<Partial> mallet(double body) {
    return {{1, 1.0, body}, {2, 0.35, body * 0.45}, {3, 0.12, body * 0.3}, {4.2, 0.05, body * 0.2}};
}

// A small bell: slightly inharmonic partials ring on after the strike.
std::vector<Partial> bell(double body) {
    return {{1, 1.0, body}, {2.0, 0.45, body * 0.6}, {2.76, 0.22, body * 0.45}, {5.4, 0.08, body * 0.25}};
}

// Click / confirm: a short rising two-step "tock-tick".
Cue confirm() {
    Track t(0.16, kRate);
    Tone a;
    a.frequency = note(86); // D6
    a.length = 0.09;
    a.attack = 0.002;
    a.release = 0.03;
    a.pitchDrop = 0.06;
    a.pitchSettle = 0.01;
    a.partials = mallet(0.03);
    t.add(a);
    Tone b = a;
    b.start = 0.045;
    b.length = 0.11;
    b.frequency = note(91); // G6
    b.level = 0.8;
    b.partials = mallet(0.04);
    t.add(b);
    t.add(NoiseBurst{0, 0.006, 0.25, 0.0015, 0.3});
    return {"2.wav", kRate, t.render(0.55)};
}

// Key tick: a dry, quiet wooden tick with a short tail.
Cue keyTick() {
    Tone tick;
    tick.frequency = 2093; // C7
    tick.length = 0.05;
    tick.attack = 0.0008;
    tick.release = 0.02;
    tick.pitchDrop = 0.15;
    tick.pitchSettle = 0.004;
    tick.partials = {{1, 1.0, 0.008}, {0.5, 0.6, 0.014}, {1.5, 0.2, 0.005}};
    Track t(0.1, kRate);
    t.add(tick);
    t.add(NoiseBurst{0, 0.008, 0.35, 0.0012, 0.55});
    return {"4.wav", kRate, t.render(0.4)};
}

// Soft chime: two bell notes a fifth apart, the second a touch later.
Cue chime() {
    Track t(0.4, kRate);
    Tone low;
    low.frequency = note(84); // C6
    low.length = 0.4;
    low.attack = 0.003;
    low.release = 0.12;
    low.partials = bell(0.16);
    t.add(low);
    Tone high = low;
    high.start = 0.05;
    high.length = 0.35;
    high.frequency = note(91); // G6
    high.level = 0.6;
    high.partials = bell(0.13);
    t.add(high);
    return {"5.wav", kRate, t.render(0.5)};
}

// "Back": two falling notes, the opposite gesture of the confirm cue.
Cue back() {
    Track t(0.3, kRate);
    Tone first;
    first.frequency = note(79); // G5
    first.length = 0.15;
    first.attack = 0.004;
    first.release = 0.05;
    first.partials = mallet(0.08);
    t.add(first);
    Tone second = first;
    second.start = 0.11;
    second.length = 0.19;
    second.frequency = note(72); // C5
    second.release = 0.08;
    second.partials = mallet(0.1);
    t.add(second);
    return {"6.wav", kRate, t.render(0.55)};
}

// Start-up jingle: a rising arpeggio that lands on a warm, slowly fading chord.
Cue jingle() {
    Track t(2.0, kRate);
    const int arpeggio[] = {72, 76, 79, 84}; // C5 E5 G5 C6
    for (int i = 0; i < 4; ++i) {
        Tone n;
        n.start = 0.02 + i * 0.16;
        n.length = 0.5;
        n.frequency = note(arpeggio[i]);
        n.level = 0.75;
        n.attack = 0.006;
        n.release = 0.2;
        n.partials = mallet(0.22);
        t.add(n);
    }
    // The chord: each note doubled a few cents apart for a gentle chorus.
    const int chord[] = {60, 64, 67, 72, 76};
    for (int i = 0; i < 5; ++i) {
        for (double detune : {-0.0025, 0.0025}) {
            Tone n;
            n.start = 0.68 + i * 0.012;
            n.length = 2.0 - n.start;
            n.frequency = note(chord[i]) * (1 + detune);
            n.level = 0.28;
            n.attack = 0.02;
            n.release = 0.6;
            n.partials = {{1, 1.0, 0.9}, {2, 0.3, 0.5}, {3, 0.1, 0.3}};
            t.add(n);
        }
    }
    Tone sparkle;
    sparkle.start = 0.7;
    sparkle.length = 0.9;
    sparkle.frequency = note(96); // C7
    sparkle.level = 0.22;
    sparkle.release = 0.4;
    sparkle.partials = bell(0.25);
    t.add(sparkle);
    Tone bass;
    bass.start = 0.66;
    bass.length = 1.34;
    bass.frequency = note(48); // C3
    bass.level = 0.5;
    bass.attack = 0.03;
    bass.release = 0.7;
    bass.partials = {{1, 1.0, 0.8}, {2, 0.25, 0.4}};
    t.add(bass);
    return {"3.wav", kRate, t.render(0.6)};
}

} // namespace

std::vector<Cue> makeCues() {
    return {confirm(), jingle(), keyTick(), chime(), back()};
}

} // namespace assetgen
