#!/usr/bin/env python3
"""Makes every sound file the games play and writes it into assets/.

    python3 tools/sounds/make_sounds.py [--out DIR] [--only NAME ...]

Everything is synthesised here from sine partials, filtered noise and simple
envelopes; the spoken words come from espeak-ng. The tunes are our own, except
the first line of "Jingle Bells" (1857), long in the public domain.

Every file is 16-bit mono PCM at 22050 Hz, its peak at -3 dBFS, with a short
fade at each end so no sound starts or stops with a click. Random choices come
from generators seeded by the sound's name, so a second run writes the same
bytes.
"""

import argparse
import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import wave
from pathlib import Path

RATE = 22050
PEAK = 10 ** (-3 / 20)  # -3 dBFS
TOP_PARTIAL = 9500.0  # partials above this would only add fizz (or alias)
TWO_PI = 2 * math.pi

ROOT = Path(__file__).resolve().parents[2]


# ---------------------------------------------------------------- basics


def count(seconds):
    return max(0, int(round(seconds * RATE)))


def silence(seconds):
    return [0.0] * count(seconds)


def add(dst, src, at=0.0, gain=1.0):
    """Mixes src into dst starting at `at` seconds, growing dst as needed."""
    start = count(at)
    need = start + len(src)
    if need > len(dst):
        dst.extend([0.0] * (need - len(dst)))
    for i, v in enumerate(src):
        dst[start + i] += v * gain
    return dst


def scale(x, gain):
    return [v * gain for v in x]


def peak_of(x):
    return max((abs(v) for v in x), default=0.0)


def normalized(x, level=1.0):
    p = peak_of(x)
    return [v * level / p for v in x] if p > 0 else list(x)


NOTE_STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def freq(note):
    """"A4" is 440 Hz; sharps as "#", flats as "b" ("F#4", "Bb3")."""
    step = NOTE_STEPS[note[0]]
    rest = note[1:]
    while rest and rest[0] in "#b":
        step += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + step
    return 440.0 * 2 ** ((midi - 69) / 12)


def ramp_ends(x, fade_in=0.004, fade_out=0.02):
    """Raised-cosine fades, so the wave starts and ends at exactly zero."""
    n = len(x)
    a = min(count(fade_in), n // 2)
    b = min(count(fade_out), n // 2)
    for i in range(a):
        x[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(b):
        x[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / b)
    if n:
        x[0] = 0.0
        x[-1] = 0.0
    return x


# ---------------------------------------------------------------- filters


def lowpass(x, cutoff):
    k = 1 - math.exp(-TWO_PI * cutoff / RATE)
    y, out = 0.0, []
    for v in x:
        y += k * (v - y)
        out.append(y)
    return out


def highpass(x, cutoff):
    k = 1 - math.exp(-TWO_PI * cutoff / RATE)
    y, out = 0.0, []
    for v in x:
        y += k * (v - y)
        out.append(v - y)
    return out


def bandpass_coefficients(centre, q):
    w = TWO_PI * min(centre, RATE * 0.45) / RATE
    alpha = math.sin(w) / (2 * q)
    a0 = 1 + alpha
    return (alpha / a0, -alpha / a0, -2 * math.cos(w) / a0, (1 - alpha) / a0)


def bandpass(x, centre, q, block=32):
    """Band-pass biquad; centre may be a function of time in seconds (a sweep)."""
    sweep = callable(centre)
    b0, b2, a1, a2 = bandpass_coefficients(centre(0.0) if sweep else centre, q)
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for i, v in enumerate(x):
        if sweep and i % block == 0:
            b0, b2, a1, a2 = bandpass_coefficients(centre(i / RATE), q)
        y = b0 * v + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, v
        y2, y1 = y1, y
        out.append(y)
    return out


def reverb(x, wet=0.14, tail=0.8):
    """A small Schroeder room: four damped combs, two all-passes."""
    out = list(x) + [0.0] * count(tail)
    n = len(out)
    mixed = [0.0] * n
    for delay, feedback in ((557, 0.80), (593, 0.79), (641, 0.78), (677, 0.77)):
        buf = [0.0] * delay
        store = 0.0
        pos = 0
        for i in range(n):
            y = buf[pos]
            store = y * 0.7 + store * 0.3
            buf[pos] = out[i] + store * feedback
            pos = pos + 1 if pos + 1 < delay else 0
            mixed[i] += y
    for delay in (225, 171):
        buf = [0.0] * delay
        pos = 0
        for i in range(n):
            b = buf[pos]
            y = -mixed[i] + b
            buf[pos] = mixed[i] + b * 0.5
            pos = pos + 1 if pos + 1 < delay else 0
            mixed[i] = y
    return [d + wet * 0.25 * w for d, w in zip(out, mixed)]


# ---------------------------------------------------------------- instruments


def struck(f, seconds, parts, attack=0.002, release=0.02):
    """A struck sound: sine partials (ratio, level, decay time) dying away."""
    n = count(seconds)
    out = [0.0] * n
    for ratio, level, decay in parts:
        pf = f * ratio
        if pf > TOP_PARTIAL:
            continue
        w = TWO_PI * pf / RATE
        k = math.exp(-1.0 / (decay * RATE))
        e = level
        for i in range(n):
            out[i] += e * math.sin(w * i)
            e *= k
    a = count(attack)
    for i in range(min(a, n)):
        out[i] *= i / a
    r = min(count(release), n)
    for i in range(r):
        out[n - 1 - i] *= i / r
    return out


def bell(f, seconds=1.2, ring=0.6):
    return struck(
        f,
        seconds,
        [(1.0, 1.0, ring), (2.0, 0.45, ring * 0.6), (2.76, 0.35, ring * 0.4), (5.4, 0.15, ring * 0.22),
         (8.93, 0.06, ring * 0.12)],
    )


def glock(f, seconds=0.9):
    return struck(f, seconds, [(1.0, 1.0, 0.45), (2.76, 0.25, 0.12), (5.4, 0.1, 0.05)], attack=0.001)


def marimba(f, seconds=0.6):
    ring = 0.35 if f < 400 else 0.22
    return struck(f, seconds, [(1.0, 1.0, ring), (3.93, 0.28, ring * 0.25), (9.2, 0.06, ring * 0.08)],
                  attack=0.003)


def pluck(f, seconds=0.6, ring=0.35):
    parts = [(n, 1.0 / n ** 1.2, ring / (1 + 0.7 * (n - 1))) for n in range(1, 9)]
    return struck(f, seconds, parts, attack=0.003)


def tone(f, seconds, harmonics, attack=0.02, decay=0.12, sustain=0.75, release=0.08, vibrato=0.004,
         bend=None):
    """A held tone from harmonics (number, level), with envelope and vibrato.
    bend(t) multiplies the pitch over time, for scoops and slides."""
    total = seconds + release
    n = count(total)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        fi = f * (1 + vibrato * math.sin(TWO_PI * 5.5 * t) * min(1.0, t / 0.2))
        if bend:
            fi *= bend(t)
        phase += TWO_PI * fi / RATE
        s = 0.0
        for h, level in harmonics:
            if h * fi < TOP_PARTIAL:
                s += level * math.sin(h * phase)
        if t < attack:
            env = t / attack
        elif t < seconds:
            env = sustain + (1 - sustain) * math.exp(-(t - attack) / decay)
        else:
            held = sustain + (1 - sustain) * math.exp(-(seconds - attack) / decay)
            env = held * (1 - (t - seconds) / release)
        out.append(s * env)
    return out


SOFT_SQUARE = [(1, 1.0), (3, 0.2), (5, 0.07), (7, 0.03)]
TRIANGLE = [(1, 1.0), (3, -1 / 9), (5, 1 / 25), (7, -1 / 49)]
FLUTE = [(1, 1.0), (2, 0.25), (3, 0.08)]
BRASS = [(n, 1.0 / n ** 1.7) for n in range(1, 7)]
REED = [(1, 1.0), (2, 0.5), (3, 0.35), (4, 0.2), (5, 0.12), (6, 0.06)]


def lead(f, seconds, harmonics=SOFT_SQUARE, **kw):
    return tone(f, seconds, harmonics, **kw)


def brass(f, seconds):
    """A toy trumpet, mellow rather than blaring."""
    blown = tone(f, seconds, BRASS, attack=0.03, decay=0.2, sustain=0.8, release=0.12,
                 bend=lambda t: 0.97 + 0.03 * min(1.0, t / 0.05))
    return lowpass(blown, 3500)


def kick(seconds=0.4):
    out, phase = [], 0.0
    for i in range(count(seconds)):
        t = i / RATE
        f = 48 + 100 * math.exp(-t / 0.035)
        phase += TWO_PI * f / RATE
        out.append(math.sin(phase) * math.exp(-t / 0.13) * min(1.0, t / 0.002))
    return out


def noise(rng, seconds):
    return [rng.uniform(-1.0, 1.0) for _ in range(count(seconds))]


def shaped(x, envelope):
    """Multiplies x by envelope(t)."""
    return [v * envelope(i / RATE) for i, v in enumerate(x)]


def sleigh_bells(rng, seconds=0.3):
    """One shake: a few tiny metal clicks close together, bright but soft."""
    out = silence(seconds)
    for k, at in enumerate((0.0, 0.018, 0.041, 0.066)):
        burst = highpass(noise(rng, 0.09), 4500)
        burst = shaped(burst, lambda t: math.exp(-t / 0.018))
        ring = struck(5200 + 900 * (k % 3), 0.15, [(1.0, 0.25, 0.03), (1.37, 0.18, 0.025)], attack=0.0005)
        add(out, burst, at, 0.8 - 0.15 * k)
        add(out, ring, at, 0.6)
    return lowpass(out, 8500)[: count(seconds)]


def poly_blep(t, dt):
    if t < dt:
        t /= dt
        return t + t - t * t - 1.0
    if t > 1.0 - dt:
        t = (t - 1.0) / dt
        return t * t + t + t + 1.0
    return 0.0


def voice(rng, seconds, pitch, vowels, loudness=1.0):
    """A sung vowel: a buzz through three moving formant filters.
    pitch(t) gives the pitch, vowels(t) the three formant frequencies."""
    n = count(seconds)
    src, phase = [], 0.0
    for i in range(n):
        t = i / RATE
        f = pitch(t) * (1 + 0.015 * math.sin(TWO_PI * 6.0 * t) + 0.004 * rng.uniform(-1, 1))
        dt = f / RATE
        phase += dt
        if phase >= 1.0:
            phase -= 1.0
        saw = 2.0 * phase - 1.0 - poly_blep(phase, dt)
        src.append(saw + 0.08 * rng.uniform(-1, 1))
    out = [0.0] * n
    for k, (gain, q) in enumerate(((1.0, 5.0), (0.55, 8.0), (0.25, 10.0))):
        band = bandpass(src, lambda t, k=k: vowels(t)[k], q)
        for i in range(n):
            out[i] += gain * band[i]
    env = lambda t: min(1.0, t / 0.05) * min(1.0, (seconds - t) / 0.25) * loudness
    return shaped(out, env)


# ---------------------------------------------------------------- music


def play(part, tempo, start=0.0):
    """Turns [(note or None, beats), ...] into [(time, note, seconds), ...]."""
    beat = 60.0 / tempo
    t = start
    events = []
    for note, beats in part:
        if note:
            events.append((t, note, beats * beat))
        t += beats * beat
    return events


def render(events, instrument, gain=1.0, into=None):
    out = into if into is not None else []
    for t, note, seconds in events:
        notes = note if isinstance(note, (list, tuple)) else [note]
        for nm in notes:
            add(out, instrument(freq(nm), seconds), t, gain)
    return out


def song_end(x, seconds):
    """Cuts a song to its length, letting the last notes die away gently."""
    x = x[: count(seconds)] + [0.0] * max(0, count(seconds) - len(x))
    fade = count(0.35)
    n = len(x)
    for i in range(fade):
        x[n - 1 - i] *= i / fade
    return x


# ---------------------------------------------------------------- speech


def espeak(text, voice_name="en-us+f3", speed=135, pitch=60):
    """The spoken text, trimmed of the silence espeak-ng puts around it."""
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "speech.wav")
        subprocess.run(["espeak-ng", "-v", voice_name, "-s", str(speed), "-p", str(pitch), "-w", path, text],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        with wave.open(path, "rb") as w:
            channels, width, rate = w.getnchannels(), w.getsampwidth(), w.getframerate()
            raw = w.readframes(w.getnframes())
    if width != 2:
        raise SystemExit(f"espeak-ng wrote {8 * width}-bit samples; 16-bit expected")
    values = struct.unpack(f"<{len(raw) // 2}h", raw)
    x = [sum(values[i:i + channels]) / (channels * 32768.0) for i in range(0, len(values), channels)]
    if rate != RATE:
        x = resample(x, rate)
    return soften_stops(trim(x))


def resample(x, rate):
    """Linear interpolation to RATE; speech needs nothing finer."""
    n = int(len(x) * RATE / rate)
    out = []
    for i in range(n):
        pos = i * rate / RATE
        j = int(pos)
        frac = pos - j
        a = x[j]
        b = x[j + 1] if j + 1 < len(x) else a
        out.append(a + (b - a) * frac)
    return out


def trim(x, threshold=0.003, margin=0.04):
    p = peak_of(x)
    loud = [i for i, v in enumerate(x) if abs(v) > threshold * p]
    if not loud:
        return x
    first = max(0, loud[0] - count(margin))
    last = min(len(x), loud[-1] + count(margin))
    return x[first:last]


def soften_stops(x, window=0.02, taper=0.04, ratio=6.0, loud=0.15):
    """espeak-ng ends a sound by cutting it dead: a loud vowel drops to near
    silence from one pitch period to the next, which a child hears as a small
    click at the end of the word. Where that happens, the hundredths of a second
    before the edge are faded down to the level that follows it, so quiet
    consonants after it (the "f" of Rudolph) are kept. The window spans a pitch
    period even of a low voice, so the gaps between pulses are not taken for
    edges."""
    k = count(window)
    p = peak_of(x)
    env = [peak_of(x[i:i + k]) for i in range(0, len(x), k)]
    for j in range(len(env) - 1):
        if env[j] > loud * p and env[j + 1] * ratio < env[j]:
            after = env[j + 1]
            edge = max(i for i in range(j * k, (j + 1) * k) if abs(x[i]) > after) + 1
            floor = after / env[j]
            n = min(count(taper), edge)
            for i in range(n):
                g = floor + (1 - floor) * (0.5 - 0.5 * math.cos(math.pi * i / n))
                x[edge - 1 - i] *= g
    return x


def name_sound(word):
    # A friendly, slightly slow and high voice. Of the voices tried, this one kept
    # the nine names apart best, so a child can tell which reindeer was found.
    return lambda rng: espeak(word, "en-us+f5", speed=140, pitch=60)


# ---------------------------------------------------------------- short sounds


def make_ding(rng):
    return bell(freq("E6"), 0.36, ring=0.1)


def make_highbing(rng):
    return struck(freq("C7"), 0.3, [(1.0, 1.0, 0.075), (2.0, 0.3, 0.04), (3.0, 0.1, 0.025)], attack=0.001)


def make_chimes(rng):
    """A quick run up four little bells. Trim a Tree rings it, waited for, for
    every ornament of a move, its own and the computer's in one wait, so it is
    kept short."""
    out = []
    for k, nm in enumerate(("C6", "E6", "G6", "C7")):
        add(out, bell(freq(nm), 0.2 - 0.03 * k, ring=0.05), 0.03 * k, 1.0 - 0.1 * k)
    return out[: count(0.2)]


def make_lgbubble(rng):
    """A big "bloop": the bubble's ring rises as it closes, after a soft pop.
    Mancala plays one, waited for, for every seed sown, so it is kept short."""
    seconds = 0.1
    out, phase = [], 0.0
    for i in range(count(seconds)):
        t = i / RATE
        f = 220 + 900 * (1 - math.exp(-t / 0.03))
        phase += TWO_PI * f / RATE
        env = min(1.0, t / 0.003) * math.exp(-t / 0.025)
        out.append(math.sin(phase) * env)
    pop = shaped(lowpass(noise(rng, 0.02), 2500), lambda t: math.exp(-t / 0.004))
    return add(out, pop, 0.0, 0.3)


def make_move(rng):
    """A small wooden tick; the spinning dreidel plays it ten times a second."""
    tick = struck(freq("D6"), 0.07, [(1.0, 1.0, 0.016), (3.93, 0.28, 0.006)], attack=0.001)
    click = shaped(bandpass(noise(rng, 0.01), 3000, 2.0), lambda t: math.exp(-t / 0.0015))
    return add(tick, click, 0.0, 0.5)


# ---------------------------------------------------------------- effects


def make_tada(rng):
    out = []
    for nm in ("C5", "E5", "G5"):
        add(out, brass(freq(nm), 0.09), 0.0, 0.5)
    for nm in ("C5", "E5", "G5", "C6"):
        add(out, brass(freq(nm), 0.75), 0.17, 0.5)
    add(out, bell(freq("C7"), 0.9, ring=0.3), 0.17, 0.25)
    add(out, sleigh_bells(rng), 0.17, 0.35)
    return song_end(reverb(out, tail=0.3), 1.3)


def make_uhoh(rng):
    """Two soft falling notes, the second sagging, like a little "uh-oh"."""
    # Decaying rather than held notes: at the same peak a held tone sounds much
    # louder, and this one is heard after every wrong try.
    out = lead(freq("G4"), 0.18, FLUTE, attack=0.02, decay=0.08, sustain=0.3, release=0.06, vibrato=0.0)
    second = lead(freq("E4"), 0.38, FLUTE, attack=0.02, decay=0.12, sustain=0.25, release=0.12, vibrato=0.01,
                  bend=lambda t: 1.0 - 0.05 * max(0.0, t - 0.15))
    add(out, second, 0.27)
    return lowpass(out, 3000)


def make_wow(rng):
    out = []
    for k, nm in enumerate(("C6", "E6", "G6", "C7", "E7")):
        add(out, glock(freq(nm), 0.9), 0.05 * k, 0.22)
    word = espeak("Wow!", "en-us+f5", speed=130, pitch=65)
    add(out, word, 0.12, 1.0 / max(peak_of(word), 1e-9))
    return out[: count(1.4)]


def make_boing(rng):
    seconds = 0.75
    out, phase = [], 0.0
    for i in range(count(seconds)):
        t = i / RATE
        base = 190 + 110 * min(1.0, t / 0.5)
        f = base * (1 + 0.3 * math.exp(-t / 0.22) * math.sin(TWO_PI * 13 * t))
        phase += TWO_PI * f / RATE
        s = math.sin(phase) + 0.3 * math.sin(2 * phase) + 0.1 * math.sin(3 * phase)
        out.append(s * min(1.0, t / 0.005) * math.exp(-t / 0.2))
    return out


def make_miss(rng):
    """A soft falling slide whistle: "pfeww"."""
    out = lead(freq("A5"), 0.38, FLUTE, attack=0.015, decay=0.1, sustain=0.25, release=0.08, vibrato=0.012,
               bend=lambda t: math.exp(-2.6 * t))
    breath = shaped(bandpass(noise(rng, 0.46), 1200, 1.5), lambda t: 0.15 * math.exp(-t / 0.1))
    return add(out, breath)


def make_scrape(rng):
    """Runners grinding over a rock: gritty noise in bumps."""
    seconds = 0.6
    grit = bandpass(noise(rng, seconds), lambda t: 1800 - 600 * t, 2.5)
    bumps = [rng.uniform(0.4, 1.0) for _ in range(40)]
    env = lambda t: (min(1.0, t / 0.03) * min(1.0, (seconds - t) / 0.2) * bumps[int(t * 60) % 40]
                     * (0.7 + 0.3 * math.sin(TWO_PI * 47 * t)))
    return lowpass(shaped(grit, env), 4000)


def make_crash(rng):
    """A soft thump into the snow, a puff of powder, and little stars."""
    out = kick(0.45)
    puff = shaped(lowpass(noise(rng, 0.8), 1400), lambda t: min(1.0, t / 0.01) * math.exp(-t / 0.18))
    add(out, puff, 0.0, 0.45)
    for k, nm in enumerate(("G6", "E6", "C6", "G5")):
        add(out, glock(freq(nm), 0.6), 0.28 + 0.09 * k, 0.18)
    return song_end(reverb(out, tail=0.3), 1.2)


def make_whoosh(rng):
    seconds = 0.55
    air = bandpass(noise(rng, seconds), lambda t: 500 + 2200 * math.sin(math.pi * min(1.0, t / seconds)), 2.0)
    return lowpass(shaped(air, lambda t: math.sin(math.pi * t / seconds) ** 2), 5000)


def make_space(rng):
    """A magic shimmer for the pieces flying apart: a rising, wobbling
    glow with sparkles on top."""
    seconds = 1.2
    out, phase = [], 0.0
    for i in range(count(seconds)):
        t = i / RATE
        f = 330 * 2 ** (1.6 * t / seconds)
        phase += TWO_PI * f / RATE
        wobble = 0.6 + 0.4 * math.sin(TWO_PI * 9 * t)
        env = min(1.0, t / 0.15) * min(1.0, (seconds - t) / 0.4)
        out.append((math.sin(phase) + 0.3 * math.sin(2 * phase)) * wobble * env * 0.6)
    scale_notes = ("C6", "D6", "E6", "G6", "A6", "C7", "D7", "E7")
    for k in range(12):
        nm = scale_notes[min(len(scale_notes) - 1, k * len(scale_notes) // 12 + rng.randrange(2))]
        add(out, glock(freq(nm), 0.35), 0.06 + 0.075 * k, 0.25)
    return song_end(reverb(out, wet=0.3, tail=0.3), 1.35)


def make_oh(rng):
    return espeak("Oh!", "en-us+f5", speed=140, pitch=72)


def make_good(rng):
    word = espeak("Good!", "en-us+f5", speed=125, pitch=65)
    out = scale(word, 1.0 / max(peak_of(word), 1e-9))
    after = len(word) / RATE + 0.05
    add(out, bell(freq("G6"), 0.5, ring=0.12), after, 0.35)
    add(out, bell(freq("C7"), 0.6, ring=0.15), after + 0.1, 0.35)
    return out


def make_thanks(rng):
    return espeak("Thank you!", "en-us+f5", speed=140, pitch=60)


def make_hohoho(rng):
    """Santa's laugh, each "Ho!" a little higher, as a jolly sing-song."""
    out = []
    at = 0.0
    for pitch in (24, 30, 38):
        ho = espeak("Ho!", "en-us", speed=230, pitch=pitch)
        ho = ramp_ends(scale(ho, 1.0 / max(peak_of(ho), 1e-9)), fade_out=0.04)
        add(out, ho, at)
        at += len(ho) / RATE + 0.06
    add(out, sleigh_bells(rng), at - 0.04, 0.3)
    return out


# ---------------------------------------------------------------- songs

# The games wait for most songs to end, and a window that does not answer for
# five seconds is taken for hung; so each song is one short, whole phrase that
# comes home to its first chord, struck once and left to ring. Where a game
# pauses before and after its song as well, the song is shorter still.
SONG_SECONDS = 3.4


def song(out, wet=0.14, seconds=SONG_SECONDS):
    return song_end(reverb(out, wet=wet), seconds)


def make_jingle(rng):
    """Jingle Bells, its first line: bells, a soft lead, bass and sleigh bells."""
    tempo = 260
    melody = [
        ("B4", 1), ("B4", 1), ("B4", 2), ("B4", 1), ("B4", 1), ("B4", 2),
        ("B4", 1), ("D5", 1), ("G4", 1.5), ("A4", 0.5), ("B4", 2),
    ]
    return song(band(rng, melody, ["G", "G", "G", "G"], tempo, beats_per_bar=4, lead_sound=FLUTE))


CHORDS = {
    "C": ("C3", ["C4", "E4", "G4"]), "F": ("F2", ["F3", "A3", "C4"]), "G": ("G2", ["G3", "B3", "D4"]),
    "D7": ("D3", ["F#3", "A3", "C4"]), "G7": ("G2", ["F3", "B3", "D4"]), "Bb": ("Bb2", ["Bb3", "D4", "F4"]),
    "C7": ("C3", ["E3", "Bb3", "C4"]), "Am": ("A2", ["A3", "C4", "E4"]), "E7": ("E3", ["G#3", "B3", "D4"]),
    "Dm": ("D3", ["D4", "F4", "A4"]), "A7": ("A2", ["G3", "C#4", "E4"]), "D": ("D3", ["D4", "F#4", "A4"]),
    "Gm": ("G2", ["Bb3", "D4", "G4"]),
}


def chord_of(name):
    """"C/G" is half a bar of C, then half of G."""
    return name.split("/")


def band(rng, melody, chords, tempo, beats_per_bar, lead_sound=SOFT_SQUARE, bells_every=1.0):
    """Melody on a soft lead doubled by glockenspiel an octave up; bass on the
    strong beats, chords on the others; sleigh bells keeping time. The last
    chord is struck once, bass and all, on its first beat."""
    beat = 60.0 / tempo
    out = []
    events = play(melody, tempo)
    render(events, lambda f, s: lead(f, s * 0.9, lead_sound, attack=0.015, release=0.07), 0.5, out)
    render(events, lambda f, s: glock(2 * f, 0.6), 0.22, out)
    last = len(chords) - 1
    for bar, name in enumerate(chords[:last]):
        parts = chord_of(name)
        for b in range(beats_per_bar):
            root, triad = CHORDS[parts[min(len(parts) - 1, b * len(parts) // beats_per_bar)]]
            t = (bar * beats_per_bar + b) * beat
            if b == 0 or (beats_per_bar == 4 and b == 2):
                add(out, pluck(freq(root), beat * 1.8, ring=0.4), t, 0.45)
            else:
                for nm in triad:
                    add(out, marimba(freq(nm), beat * 1.2), t, 0.12)
    end = last * beats_per_bar * beat
    root, triad = CHORDS[chord_of(chords[last])[0]]
    add(out, pluck(freq(root), 1.2, ring=0.5), end, 0.45)
    for nm in triad:
        add(out, marimba(freq(nm), 0.9), end, 0.12)
    t = 0.0
    while t < last * beats_per_bar - 0.01:
        accent = 0.35 if int(round(t)) % 2 == 1 else 0.22
        add(out, sleigh_bells(rng, 0.2), t * beat, accent)
        t += bells_every
    add(out, sleigh_bells(rng, 0.3), end, 0.35)
    return out


def make_mazesong(rng):
    """Our own bright waltz for Santa's sleigh flying off with the bag."""
    tempo = 200
    melody = [
        ("G4", 1), ("C5", 1), ("E5", 1),
        ("A5", 1.5), ("G5", 0.5), ("F5", 1),
        ("E5", 0.5), ("F5", 0.5), ("D5", 1), ("B4", 1),
        ("C5", 3),
    ]
    return song(band(rng, melody, ["C", "F", "G7", "C"], tempo, beats_per_bar=3, lead_sound=FLUTE))


def make_rudsong(rng):
    """Our own galloping tune for finding every reindeer. Short: the window has
    already paused for the open door and the praise before it."""
    tempo = 340  # eighth notes of a quick six-eight
    melody = [
        ("F4", 1), ("A4", 1), ("C5", 1), ("F5", 2), ("C5", 1),
        ("D5", 1), ("E5", 1), ("G5", 1),
        ("F5", 4),
    ]
    halves = ["F", "F", "C7"]  # three eighths each: bass, then the chord on the third
    out = []
    beat = 60.0 / tempo
    events = play(melody, tempo)
    render(events, lambda f, s: marimba(f, 0.7), 0.6, out)
    render(events, lambda f, s: lead(f, s * 0.8, FLUTE, attack=0.02, release=0.06), 0.3, out)
    for k, name in enumerate(halves):
        root, triad = CHORDS[name]
        t = 3 * k * beat
        add(out, pluck(freq(root), 3 * beat, ring=0.35), t, 0.45)
        for nm in triad:
            add(out, pluck(freq(nm), beat, ring=0.15), t + 2 * beat, 0.1)
        add(out, sleigh_bells(rng, 0.2), t, 0.3)
        add(out, sleigh_bells(rng, 0.2), t + 2 * beat, 0.18)
    end = 3 * len(halves) * beat
    root, triad = CHORDS["F"]
    add(out, pluck(freq(root), 1.0, ring=0.4), end, 0.45)
    for nm in triad:
        add(out, pluck(freq(nm), 0.8, ring=0.25), end, 0.1)
    add(out, sleigh_bells(rng, 0.3), end, 0.3)
    return song(out, seconds=2.4)


def make_frosty(rng):
    """Our own bouncy call for a finished snowman, climbing to a high C. Short:
    Build Frosty pauses a second before and after it."""
    tempo = 240
    melody = [("G4", 0.5), ("C5", 0.5), ("E5", 0.5), ("G5", 0.5), ("E5", 0.5), ("G5", 0.5), ("C6", 2)]
    return song(band(rng, melody, ["C", "C"], tempo, beats_per_bar=3), seconds=1.4)


def make_melting(rng):
    """A sad little tune that sinks as the snowman melts, with drips."""
    tempo = 126
    beat = 60.0 / tempo
    line = [("E5", 1), ("D#5", 1), ("D5", 1), ("C#5", 1), ("C5", 2)]
    out = []
    t = 0.0
    for k, (nm, beats) in enumerate(line):
        last = k == len(line) - 1
        seconds = beats * beat
        sag = (lambda t_, s=seconds: 1.0 - 0.18 * max(0.0, t_ - 0.3) / s) if last else (
            lambda t_: 1.0 - 0.012 * t_)
        add(out, lead(freq(nm), seconds * 0.92, TRIANGLE, attack=0.06, decay=0.4, sustain=0.7, release=0.2,
                      vibrato=0.008, bend=sag), t, 0.6)
        t += seconds
    for nm, at, beats in (("A3", 0.0, 4), ("F3", 4 * beat, 1.6)):
        for chord_note in (nm, "C4", "E4"):
            add(out, lead(freq(chord_note), beats * beat, FLUTE, attack=0.3, decay=1.0, sustain=0.6,
                          release=0.4, vibrato=0.0), at, 0.12)
    for at, nm in ((0.35, "A6"), (0.95, "F6"), (1.5, "E6"), (2.1, "C6"), (2.7, "A5")):
        drip, phase = [], 0.0
        for i in range(count(0.12)):
            tt = i / RATE
            f = freq(nm) * (1 + 0.8 * (1 - math.exp(-tt / 0.03)))
            phase += TWO_PI * f / RATE
            drip.append(math.sin(phase) * math.exp(-tt / 0.035) * min(1.0, tt / 0.002))
        add(out, drip, at, 0.2)
    return song(out, wet=0.2)


def make_dreidel(rng):
    """Our own spinning dance tune for the dreidel winner, turning from minor to major."""
    tempo = 168
    melody = [
        ("A4", 0.5), ("A4", 0.5), ("D5", 0.5), ("D5", 0.5), ("F5", 0.5), ("F5", 0.5), ("E5", 1),
        ("D5", 0.25), ("E5", 0.25), ("F5", 0.25), ("E5", 0.25), ("C#5", 0.5), ("E5", 0.5),
        (["D5", "F#5", "A5"], 2),
    ]
    halves = ["Dm", "Dm", "A7"]  # two beats each: bass, then the chord
    beat = 60.0 / tempo
    out = []
    events = play(melody, tempo)
    render(events, lambda f, s: pluck(f, max(0.3, s * 1.5), ring=0.25), 0.55, out)
    render(events, lambda f, s: lead(f, s * 0.85, REED, attack=0.02, release=0.05), 0.25, out)
    for k, name in enumerate(halves):
        root, triad = CHORDS[name]
        t = 2 * k * beat
        add(out, pluck(freq(root), beat * 1.5, ring=0.3), t, 0.45)
        for nm in triad:
            add(out, lead(freq(nm), beat * 0.45, REED, attack=0.01, release=0.04, vibrato=0.0), t + beat, 0.07)
    end = 2 * len(halves) * beat
    add(out, pluck(freq(CHORDS["D"][0]), 1.2, ring=0.5), end, 0.45)
    return song(out)


def make_cheering(rng):
    """Children cheering "yaaay!" with clapping, over a little fanfare. Short:
    it follows the computer's last sowing in the same wait."""
    seconds = 2.2
    out = silence(seconds)

    def yay_vowels(length):
        # "y" (bright, closed) opening into a wide "a", closing to "i" at the end.
        def vowels(t):
            x = t / length
            if x < 0.12:
                m = x / 0.12
                return (350 + 650 * m, 2700 - 400 * m, 3500)
            if x < 0.75:
                return (1000, 2300, 3500)
            m = (x - 0.75) / 0.25
            return (1000 - 500 * m, 2300 + 300 * m, 3500)
        return vowels

    for _ in range(9):
        length = rng.uniform(1.1, 1.5)
        base = rng.uniform(290, 430)
        pitch = (lambda t, b=base, n=length: b * (0.92 + 0.28 * math.sin(math.pi * min(1.0, t / n) ** 0.7)))
        v = voice(rng, length, pitch, yay_vowels(length), loudness=rng.uniform(0.6, 1.0))
        add(out, v, 0.05 + rng.uniform(0.0, 0.3), 0.22)

    claps = []
    t = 0.3
    while t < seconds - 0.3:
        clap = bandpass(noise(rng, 0.05), rng.uniform(1100, 1900), 1.2)
        clap = shaped(clap, lambda x: math.exp(-x / 0.009))
        claps.append((t, clap, rng.uniform(0.25, 0.6)))
        t += rng.uniform(0.04, 0.13)
    for at, clap, g in claps:
        add(out, clap, at, g)

    for k, nm in enumerate(("G4", "C5", "E5")):
        add(out, brass(freq(nm), 0.1), 0.12 * k, 0.25)
    for nm in ("C5", "E5", "G5", "C6"):
        add(out, brass(freq(nm), 1.0), 0.36, 0.16)
    for k, nm in enumerate(("G5", "C6", "E6", "G6", "C7")):
        add(out, bell(freq(nm), 0.8, ring=0.3), 0.36 + 0.07 * k, 0.12)
    return song(out, wet=0.18, seconds=seconds)


# ---------------------------------------------------------------- the set

SOUNDS = {
    "ding.wav": make_ding,
    "chimes.wav": make_chimes,
    "highbing.wav": make_highbing,
    "lgbubble.wav": make_lgbubble,
    "move.wav": make_move,
    "tada.wav": make_tada,
    "uhoh.wav": make_uhoh,
    "wow.wav": make_wow,
    "boing.wav": make_boing,
    "miss.wav": make_miss,
    "scrape.wav": make_scrape,
    "crash.wav": make_crash,
    "whoosh.wav": make_whoosh,
    "oh!!.wav": make_oh,
    "good.wav": make_good,
    "thanks.wav": make_thanks,
    "hohoho.wav": make_hohoho,
    "space.wav": make_space,
    "jingle.wav": make_jingle,
    "rudsong.wav": make_rudsong,
    "frosty.wav": make_frosty,
    "melting.wav": make_melting,
    "dreidel.wav": make_dreidel,
    "mazesong.wav": make_mazesong,
    "cheering.wav": make_cheering,
}
for _name in ("Comet", "Cupid", "Blitzen", "Vixen", "Dasher", "Dancer", "Prancer", "Donner", "Rudolph"):
    SOUNDS[_name + ".wav"] = name_sound(_name)


def finish(x):
    """DC and rumble out, clean ends, peak at -3 dBFS, as 16-bit samples."""
    x = highpass(x, 30)
    x = ramp_ends(x)
    x = normalized(x, PEAK)
    return [max(-32768, min(32767, int(round(v * 32767)))) for v in x]


def write_wav(path, samples):
    tmp = path.with_name(path.name + ".tmp")
    with wave.open(str(tmp), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack(f"<{len(samples)}h", *samples))
    os.replace(tmp, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=ROOT / "assets", help="folder to write into")
    parser.add_argument("--only", nargs="*", help="make only these files")
    args = parser.parse_args()
    if shutil.which("espeak-ng") is None:
        sys.exit("espeak-ng is needed for the spoken words (apt-get install espeak-ng)")
    names = sorted(args.only if args.only else SOUNDS)
    unknown = [n for n in names if n not in SOUNDS]
    if unknown:
        sys.exit("no such sound: " + ", ".join(unknown))
    args.out.mkdir(parents=True, exist_ok=True)
    for name in names:
        samples = finish(SOUNDS[name](random.Random("quenvale:" + name)))
        write_wav(args.out / name, samples)
        print(f"{name:14} {len(samples) / RATE:6.2f} s")


if __name__ == "__main__":
    main()
