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
# Loudest sample of every effect as a share of full scale. The game applies
# the effect volume twice (channel and chunk), so at the default setting an
# effect plays 12 dB further down than the music does: effects are mastered
# hot and dense, the music quiet, and the two peaks together still fit at
# full volume (the modules peak under 0.28).
PEAK = 0.72
EDGE = 0.003        # seconds of fade at either end of a mastered effect
TAU = 2.0 * math.pi


def note_hz(semitones_from_a4):
    return 440.0 * 2.0 ** (semitones_from_a4 / 12.0)


# Waveforms of one cycle, phase in cycles (0..1), each without a DC offset.
# dt is the phase step of one sample: the edges of square and saw are
# rounded over it, so sweeps up high do not fold back down as whistles.
def blep(p, dt):
    """Correction of a unit step at phase 0 (polynomial band-limited step)."""
    if p < dt:
        p /= dt
        return p + p - p * p - 1.0
    if p > 1.0 - dt:
        p = (p - 1.0) / dt
        return p * p + p + p + 1.0
    return 0.0


def square(phase, dt=0.0, duty=0.5):
    p = phase % 1.0
    value = 1.0 if p < duty else -1.0
    if dt > 0.0:
        value += blep(p, dt) - blep((p - duty) % 1.0, dt)
    return value + 1.0 - 2.0 * duty


def triangle(phase, dt=0.0):
    p = phase % 1.0
    return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p


def saw(phase, dt=0.0):
    p = phase % 1.0
    return 2.0 * p - 1.0 - (blep(p, dt) if dt > 0.0 else 0.0)


def sine(phase, dt=0.0):
    return math.sin(TAU * phase)


def tone(seconds, freq, wave_fn=square, volume=1.0, attack=0.004, release=0.02, **kw):
    """A note whose pitch may change: freq is a number or a function of time."""
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq(t) if callable(freq) else freq
        out.append(wave_fn(phase, f / RATE, **kw) * volume * envelope(i, n, attack, release))
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


def master(samples, drive=1.0, edges=EDGE):
    """Soft saturation, then the common peak: the more drive, the denser the
    sound (its loudest moments come nearer its peak) and the grittier. The
    saturation lifts quiet tails too, so the ends are faded once more."""
    top = max(abs(s) for s in samples) or 1.0
    if drive > 0.0:
        scale = math.tanh(drive)
        samples = [math.tanh(drive * s / top) / scale for s in samples]
    if edges > 0.0:
        n = len(samples)
        samples = [s * envelope(i, n, edges, edges) for i, s in enumerate(samples)]
    return normalise(samples)


def write_wav(path, samples):
    data = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                    for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)


# The effects. Each is written for its place: the frequent ones short and
# above the music's lead (which lies between 260 and 1000 Hz), the rare ones
# long and striking.

def click():
    # A bright two-step blip: the menu's answer to every press.
    blip = concat(tone(0.025, 1320.0, square, attack=0.001, release=0.003),
                  tone(0.035, 1980.0, square, attack=0.001, release=0.012))
    tick = noise(0.008, random.Random(1), smooth=0.2, volume=0.6)
    return master(mix(decay(blip, 0.08), tick), 3.0)


def eat_pellet():
    # Two quick rising square chirps, an octave above the tunes' lead: light,
    # but heard over the music hundreds of times a board.
    blip = lambda lo, hi: tone(0.045, lambda t: lo + (hi - lo) * t / 0.045, square,
                               attack=0.002, release=0.012)
    return master(concat(blip(1050.0, 1400.0), silence(0.008), blip(1400.0, 1870.0)), 1.2)


def start():
    # A short bouncy fanfare: lead in pulse, bass in square, at 0.14 s a step.
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
            lead_track += tone(step * steps, note_hz(semis + 12), square, 0.6, duty=0.25,
                               release=0.03)
    for semis, steps in bass:
        bass_track += tone(step * steps, note_hz(semis), square, 0.5, release=0.04)
    return master(mix(lead_track, bass_track), 3.0)


def ghosts_scared():
    """A fast wailing siren that loops without a seam.

    The sample count is a whole number of wails, and the pitch is scaled so
    the oscillator also completes a whole number of cycles. Each wail swells
    out of silence and sinks back into it, so the loop starts and ends at
    rest: neither the first play nor the halt can click.
    """
    wails = 3
    wail = int(0.16 * RATE)
    n = wail * wails
    ramp = int(0.012 * RATE)
    freqs = [760.0 - 260.0 * math.cos(TAU * wails * i / n) for i in range(n)]
    cycles = sum(freqs) / RATE
    scale = round(cycles) / cycles
    out = []
    phase = 0.0
    for i, f in enumerate(freqs):
        # A rounded square: dense, yet no edge for the seam to jump at.
        at = i % wail
        swell = math.sin(0.5 * math.pi * min(1.0, at / ramp, (wail - at) / ramp)) ** 2
        out.append(swell * (math.tanh(2.5 * sine(phase)) + 0.2 * sine(3.0 * phase)))
        phase += f * scale / RATE
    return master(out, 0.0, edges=0.0)


def eat_ghost():
    up = tone(0.3, lambda t: 180.0 * (1600.0 / 180.0) ** (t / 0.3), square, release=0.03)
    chirp = tone(0.12, lambda t: 1600.0 + 800.0 * math.sin(TAU * 30 * t), square,
                 release=0.05)
    return master(concat(up, chirp), 1.0)


def gob_death():
    # Five falling sweeps, each starting lower, then two small pops.
    parts = []
    for k in range(5):
        top = 900.0 * 0.8 ** k
        parts.append(tone(0.22, lambda t, top=top: top * (1.0 - 0.6 * t / 0.22)
                          * (1.0 + 0.04 * math.sin(TAU * 18 * t)),
                          square, 1.0 - 0.06 * k, release=0.02))
    pop = tone(0.07, lambda t: 220.0 - 1500.0 * t, square, 0.8, release=0.03)
    return master(concat(*parts, silence(0.08), pop, silence(0.06), pop), 1.0)


def one_up():
    # A climbing sparkle: each note in square with its octave above in pulse.
    notes = [(19, 0.08), (22, 0.08), (31, 0.08), (27, 0.08), (29, 0.08), (34, 0.24)]
    bright = lambda p, dt: square(p, dt) + 0.5 * square(2.0 * p, 2.0 * dt, duty=0.25)
    return master(concat(*[tone(d, note_hz(s), bright, release=0.02) for s, d in notes]), 2.5)


def screech():
    rng = random.Random(7)
    shriek = tone(0.32, lambda t: 1700.0 + 900.0 * t / 0.32 + 120.0 * math.sin(TAU * 40 * t),
                  saw, 0.7, release=0.08)
    hiss = noise(0.32, rng, smooth=0.2, volume=0.35)
    hiss = [s * envelope(i, len(hiss), 0.003, 0.15) for i, s in enumerate(hiss)]
    return master(mix(shriek, hiss), 4.0)


def ghost_new_sheet():
    # A rising shimmer with a breath of air: the ghost's sheet is back on.
    rng = random.Random(11)
    rise = tone(0.5, lambda t: 300.0 * 4.0 ** (t / 0.5) * (1.0 + 0.03 * math.sin(TAU * 24 * t)),
                square, 0.7, release=0.12)
    sparkle = tone(0.5, lambda t: 1200.0 * 2.0 ** (t / 0.5), square, 0.25, duty=0.125,
                   attack=0.2, release=0.15)
    air = noise(0.5, rng, smooth=0.85, volume=0.6)
    air = [s * envelope(i, len(air), 0.1, 0.2) for i, s in enumerate(air)]
    return master(mix(rise, sparkle, air), 3.0)


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
    # Driven hard, as a scream is: the voice breaks into a rasp.
    return master([s * envelope(i, n, 0.03, 0.35) for i, s in enumerate(sound)], 3.0)


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
    return master([s * tremolo[i] * envelope(i, n, 0.05, 0.4) for i, s in enumerate(sound)], 5.0)


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
