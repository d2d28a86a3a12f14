"""The eleven sound effects: chip-style synthesis, mono 16-bit at 22050 Hz.

Everything is computed from oscillators, seeded noise and envelopes, so the
same code always writes the same bytes.
"""
import math
import os
import random
import struct
import wave

RATE = 22050
PEAK = 0.7          # loudest sample as a share of full scale: headroom for mixing
TAU = 2.0 * math.pi


def note_hz(semitones_from_a4):
    return 440.0 * 2.0 ** (semitones_from_a4 / 12.0)


# Waveforms of one cycle, phase in cycles (0..1).
def square(phase, duty=0.5):
    return 1.0 if phase % 1.0 < duty else -1.0


def triangle(phase):
    p = phase % 1.0
    return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p


def saw(phase):
    return 2.0 * (phase % 1.0) - 1.0


def sine(phase):
    return math.sin(TAU * phase)


def tone(seconds, freq, wave_fn=square, volume=1.0, attack=0.004, release=0.02, **kw):
    """A note whose pitch may change: freq is a number or a function of time."""
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq(t) if callable(freq) else freq
        out.append(wave_fn(phase, **kw) * volume * envelope(i, n, attack, release))
        phase += f / RATE
    return out


def envelope(i, n, attack, release):
    """Linear fade in and out, so no sound starts or stops with a click."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    gain = 1.0
    if i < a:
        gain = i / a
    if n - i < r:
        gain = min(gain, (n - i) / r)
    return gain


def noise(seconds, rng, smooth=0.0, volume=1.0):
    """White noise, optionally darkened by a one-pole low-pass (smooth 0..1)."""
    out = []
    last = 0.0
    for _ in range(int(seconds * RATE)):
        last = last * smooth + rng.uniform(-1.0, 1.0) * (1.0 - smooth)
        out.append(last * volume)
    return out


def decay(samples, seconds):
    """Exponential fade with the given time constant."""
    return [s * math.exp(-i / (seconds * RATE)) for i, s in enumerate(samples)]


def mix(*tracks):
    n = max(len(t) for t in tracks)
    out = [0.0] * n
    for t in tracks:
        for i, s in enumerate(t):
            out[i] += s
    return out


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def normalise(samples, peak=PEAK):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def write_wav(path, samples):
    data = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                    for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)


# The effects.

def click():
    body = decay(tone(0.03, 1800.0, square, duty=0.25, attack=0.0005, release=0.004), 0.006)
    tick = decay(noise(0.03, random.Random(1), smooth=0.3, volume=0.5), 0.003)
    tick = [t * envelope(i, len(tick), 0.0005, 0.004) for i, t in enumerate(tick)]
    return normalise(mix(body, tick), 0.5)


def eat_pellet():
    # Two soft rising blips: light enough to hear hundreds of times a board.
    blip = lambda lo, hi: tone(0.05, lambda t: lo + (hi - lo) * t / 0.05, triangle,
                               attack=0.003, release=0.015)
    return normalise(concat(blip(520.0, 780.0), silence(0.01), blip(700.0, 980.0)), 0.45)


def start():
    # A short bouncy fanfare: lead in pulse, bass in triangle, at 0.14 s a step.
    step = 0.14
    lead = [(3, 1), (7, 1), (10, 1), (15, 2), (10, 1), (15, 3), (None, 1),
            (5, 1), (8, 1), (12, 1), (17, 2), (12, 1), (17, 3), (None, 1),
            (7, 1), (10, 1), (14, 1), (19, 1), (17, 1), (15, 1), (14, 1), (15, 4)]
    bass = [(-21, 4), (-14, 4), (-19, 4), (-12, 4), (-17, 4), (-14, 4), (-21, 4)]
    lead_track, bass_track = [], []
    for semis, steps in lead:
        if semis is None:
            lead_track += silence(step * steps)
        else:
            lead_track += tone(step * steps, note_hz(semis), square, 0.5, duty=0.25,
                               release=0.03)
    for semis, steps in bass:
        bass_track += tone(step * steps, note_hz(semis), triangle, 0.8, release=0.04)
    return normalise(mix(lead_track, bass_track), 0.6)


def ghosts_scared():
    """A wobbling siren that loops without a seam.

    The sample count is a whole number of wobbles, and the pitch is scaled so
    the oscillator also completes a whole number of cycles, which makes the
    last sample run straight into the first.
    """
    n = int(0.24 * RATE) * 2
    wobbles = 2
    freqs = [330.0 + 150.0 * math.sin(TAU * wobbles * i / n) for i in range(n)]
    cycles = sum(freqs) / RATE
    scale = round(cycles) / cycles
    out = []
    phase = 0.0
    for f in freqs:
        # No square edges: with smooth waves any jump at the seam would be heard.
        out.append(0.75 * triangle(phase) + 0.25 * triangle(2.0 * phase))
        phase += f * scale / RATE
    return normalise(out, 0.5)


def eat_ghost():
    up = tone(0.3, lambda t: 180.0 * (1600.0 / 180.0) ** (t / 0.3), square, duty=0.5,
              release=0.03)
    chirp = tone(0.12, lambda t: 1600.0 + 800.0 * math.sin(TAU * 30 * t), triangle,
                 release=0.05)
    return normalise(concat(up, chirp), 0.4)


def gob_death():
    # Five falling sweeps, each starting lower, then two small pops.
    parts = []
    for k in range(5):
        top = 900.0 * 0.8 ** k
        parts.append(tone(0.22, lambda t, top=top: top * (1.0 - 0.6 * t / 0.22)
                          * (1.0 + 0.04 * math.sin(TAU * 18 * t)),
                          square, 0.8 - 0.08 * k, duty=0.5, release=0.02))
    pop = tone(0.07, lambda t: 220.0 - 1500.0 * t, triangle, 0.6, release=0.03)
    return normalise(concat(*parts, silence(0.08), pop, silence(0.06), pop), 0.42)


def one_up():
    notes = [(19, 0.08), (22, 0.08), (31, 0.08), (27, 0.08), (29, 0.08), (34, 0.24)]
    return normalise(concat(*[tone(d, note_hz(s), square, duty=0.125, release=0.02)
                              for s, d in notes]), 0.38)


def screech():
    rng = random.Random(7)
    shriek = tone(0.32, lambda t: 1700.0 + 900.0 * t / 0.32 + 120.0 * math.sin(TAU * 40 * t),
                  saw, 0.6, release=0.08)
    hiss = noise(0.32, rng, smooth=0.2, volume=0.35)
    hiss = [s * envelope(i, len(hiss), 0.003, 0.15) for i, s in enumerate(hiss)]
    return normalise(mix(shriek, hiss), 0.55)


def ghost_new_sheet():
    # A rising shimmer with a breath of air: the ghost's sheet is back on.
    rng = random.Random(11)
    rise = tone(0.5, lambda t: 300.0 * 4.0 ** (t / 0.5) * (1.0 + 0.03 * math.sin(TAU * 24 * t)),
                triangle, 0.7, release=0.12)
    sparkle = tone(0.5, lambda t: 1200.0 * 2.0 ** (t / 0.5), square, 0.15, duty=0.125,
                   attack=0.2, release=0.15)
    air = noise(0.5, rng, smooth=0.85, volume=0.6)
    air = [s * envelope(i, len(air), 0.1, 0.2) for i, s in enumerate(air)]
    return normalise(mix(rise, sparkle, air), 0.55)


def voiced(seconds, pitch, formants, vibrato=6.0, depth=0.03):
    """Harmonics shaped by vowel formants, for screams: pitch is a function of time."""
    n = int(seconds * RATE)
    phase = 0.0
    out = []
    for i in range(n):
        t = i / RATE
        f = pitch(t) * (1.0 + depth * math.sin(TAU * vibrato * t))
        s = 0.0
        for h in range(1, 12):
            fh = f * h
            gain = sum(math.exp(-((fh - fc) / bw) ** 2) for fc, bw in formants) / h ** 0.5
            s += gain * math.sin(TAU * phase * h)
        out.append(s)
        phase += f / RATE
    return out


def woman_scream():
    rng = random.Random(23)
    length = 1.4

    def pitch(t):
        if t < 0.15:
            return 650.0 + 2300.0 * t
        return 995.0 - 90.0 * (t - 0.15) / (length - 0.15)

    voice = voiced(length, pitch, ((900.0, 300.0), (1400.0, 400.0), (2900.0, 600.0)),
                   vibrato=7.0, depth=0.025)
    breath = noise(length, rng, smooth=0.5, volume=0.5)
    sound = mix(voice, breath)
    n = len(sound)
    return normalise([s * envelope(i, n, 0.03, 0.35) for i, s in enumerate(sound)], 0.6)


def ghost_scream():
    rng = random.Random(31)
    length = 1.6

    def pitch(t):
        # A low moan that shoots up, wavers and falls away.
        if t < 0.5:
            return 140.0 * 4.0 ** (t / 0.5)
        return 560.0 * 0.3 ** ((t - 0.5) / (length - 0.5))

    voice = voiced(length, pitch, ((600.0, 350.0), (1000.0, 400.0)), vibrato=9.0, depth=0.06)
    howl = noise(length, rng, smooth=0.9, volume=2.5)
    sound = mix(voice, howl)
    n = len(sound)
    tremolo = [0.8 + 0.2 * math.sin(TAU * 11 * i / RATE) for i in range(n)]
    return normalise([s * tremolo[i] * envelope(i, n, 0.05, 0.4) for i, s in enumerate(sound)],
                     0.6)


EFFECTS = (
    ("Click.wav", click),
    ("Eat-Pellet.wav", eat_pellet),
    ("Start.wav", start),
    ("Ghosts-Scared.wav", ghosts_scared),
    ("Eat-Ghost.wav", eat_ghost),
    ("Gob-Death.wav", gob_death),
    ("1UP.wav", one_up),
    ("Screech.wav", screech),
    ("Ghost-New-Sheet.wav", ghost_new_sheet),
    ("Woman-Scream.wav", woman_scream),
    ("Ghost-Scream.wav", ghost_scream),
)


def generate(out_dir):
    folder = os.path.join(out_dir, "sound")
    os.makedirs(folder, exist_ok=True)
    for name, make in EFFECTS:
        write_wav(os.path.join(folder, name), make())
