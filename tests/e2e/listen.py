#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Judges a recording of the alarm: silence before the alarm second, then the expected tones.

  listen.py watch RAW CLOCK      note the wall clock and RAW's size every 20 ms until killed
  listen.py RAW --clock CLOCK --quiet-from EPOCH --alarm EPOCH --until EPOCH --tones 880:1,440:4
            [--stopped EPOCH]

RAW is mono signed 16-bit little-endian at --rate, recorded while `watch` ran. The recording
must be quiet from --quiet-from to the alarm second; the sound then begins within --max-delay
seconds and carries each tone (Hz:seconds) in order, loud throughout, until the tones end, after
which it is quiet again up to --until, or until --stopped, after which none of its tones sounds
(the stop button's own cue may). Prints the delay from the alarm second to the first sound;
exits 1 with the reason on a fault.
"""
import argparse
import os
import sys
import time

import numpy as np

BYTES_PER_SAMPLE = 2

QUIET = 0.003  # RMS of full scale; silence reads 0
LOUD = 0.05  # the -6 dB player's tone is far above this
MARGIN = 0.15  # seconds left out at each edge of a span, for onsets and frame boundaries


def watch(raw, clock):
    with open(clock, "w", buffering=1) as out:
        while True:
            size = os.path.getsize(raw) if os.path.exists(raw) else 0
            out.write(f"{time.time():.4f} {size}\n")
            time.sleep(0.02)


def recording_start(clock, rate, near):
    """Wall-clock time of the first sample. Data written by a moment covers the sound up to that
    moment at the latest, so each note bounds the start from above; the tightest bound, among
    notes near the moment judged (the sink's clock drifts a little from the wall clock), is
    late by the recorder's latency only, which makes delays read a little long, never short."""
    bounds = []
    for line in open(clock):
        t, size = line.split()
        t, size = float(t), int(size)
        if size > 0 and abs(t - near) < 15:
            bounds.append(t - size / BYTES_PER_SAMPLE / rate)
    if not bounds:
        fail("the recording did not grow around the alarm second")
    return min(bounds)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "watch":
        watch(sys.argv[2], sys.argv[3])
        return
    ap = argparse.ArgumentParser()
    ap.add_argument("raw")
    ap.add_argument("--rate", type=int, default=44100)
    ap.add_argument("--clock", required=True)
    ap.add_argument("--quiet-from", type=float, required=True)
    ap.add_argument("--alarm", type=float, required=True)
    ap.add_argument("--until", type=float, required=True)
    ap.add_argument("--tones", required=True)
    ap.add_argument("--stopped", type=float)
    ap.add_argument("--max-delay", type=float, default=2.0)
    args = ap.parse_args()

    samples = np.fromfile(args.raw, dtype="<i2").astype(np.float64) / 32768.0
    rate = args.rate
    args.start = recording_start(args.clock, rate, args.alarm)

    def span(t0, t1):
        a, b = int((t0 - args.start) * rate), int((t1 - args.start) * rate)
        if a < 0 or b > len(samples):
            fail(f"recording lacks {t0 - args.alarm:+.2f}..{t1 - args.alarm:+.2f} s around the alarm")
        return samples[a:b]

    def windows(t0, t1, length):
        t = t0
        while t + length <= t1:
            yield t, span(t, t + length)
            t += length

    def rms(x):
        return float(np.sqrt(np.mean(x * x))) if len(x) else 0.0

    def dominant(x):
        spectrum = np.abs(np.fft.rfft(x * np.hanning(len(x))))
        return float(np.fft.rfftfreq(len(x), 1.0 / rate)[np.argmax(spectrum)])

    def band(x, freq):
        # RMS of what lies within 5 % of freq (Parseval over the positive frequencies).
        spectrum = np.fft.rfft(x * np.hanning(len(x))) / np.sqrt(np.mean(np.hanning(len(x)) ** 2))
        near = np.abs(np.fft.rfftfreq(len(x), 1.0 / rate) - freq) <= freq * 0.05
        return float(np.sqrt(2 * np.sum(np.abs(spectrum[near]) ** 2)) / len(x))

    def quiet(t0, t1, what):
        for t, x in windows(t0, t1, 0.05):
            if rms(x) > QUIET:
                fail(f"sound {what}, at {t - args.alarm:+.2f} s from the alarm second (RMS {rms(x):.4f})")

    # Before the alarm second: nothing at all.
    quiet(args.quiet_from, args.alarm, "before the alarm second")

    # The first sound, in 10 ms steps.
    onset = next((t for t, x in windows(args.alarm, args.alarm + 5, 0.01) if rms(x) > LOUD / 2), None)
    if onset is None:
        fail("no sound within 5 s of the alarm second")
    delay = onset - args.alarm
    print(f"delay from the alarm second to the first sound: {delay:.3f} s")

    # Each tone, loud and at its pitch throughout, up to a stop.
    tones = [tuple(float(v) for v in tone.split(":")) for tone in args.tones.split(",")]
    t = onset
    end = args.stopped if args.stopped else float("inf")
    for freq, seconds in tones:
        for w0, x in windows(t + MARGIN, min(t + seconds, end) - MARGIN, 0.1):
            level, pitch = rms(x), dominant(x)
            if level < LOUD or abs(pitch - freq) > freq * 0.03:
                fail(f"at {w0 - onset:+.2f} s into the music: RMS {level:.4f}, {pitch:.0f} Hz; expected {freq:.0f} Hz")
        t += seconds
    if args.stopped:
        if args.stopped >= t:
            fail("the music ended before it was stopped: nothing proven")
        for w0, x in windows(args.stopped + 0.5, args.until, 0.1):
            for freq, _ in tones:
                if band(x, freq) > QUIET:
                    fail(f"{freq:.0f} Hz still sounds {w0 - args.stopped:.2f} s after the stop")
    else:
        quiet(t + 0.5, args.until, "after the music ended")

    if delay > args.max_delay:
        fail(f"the sound began {delay:.3f} s after the alarm second, later than {args.max_delay} s")


def fail(reason):
    print(reason, file=sys.stderr)
    sys.exit(1)


if __name__ == "__main__":
    main()
