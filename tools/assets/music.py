"""The five music tracks as 4-channel ProTracker "M.K." modules.

Each module is written byte by byte: header, 31 sample headers, order table,
64-row patterns and 8-bit signed samples. The instruments are synthesised
here too, a set of its own for each tune. Channel 0 carries the tune,
channel 1 the chords (a chip-style arpeggio, broken chords, a held chord or
a second tune), channel 2 the bass and channel 3 the drums. Every note sets
its own volume, so sections can swell and fall away.

Tunes are written as "note:length" tokens, the length in rows (sixteenths),
with "r" for a rest. Notes use the tracker's octaves 1 to 3.
"""
import math
import os
import random
import struct

ROWS = 64
CHANNELS = 4

# Amiga periods for C-1 .. B-3 at finetune 0.
PERIODS = (
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
)
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
# Drums are played at C-2, where a sample runs at about 8287 Hz.
DRUM_RATE = 8287.0

CHORD_TONES = {"": (0, 4, 7, 12), "m": (0, 3, 7, 12), "dim": (0, 3, 6, 12), "7": (0, 4, 7, 10),
               "sus": (0, 5, 7, 12)}
MINOR_QUALITIES = ("m", "dim")

EFFECT_ARPEGGIO = 0x0
EFFECT_VIBRATO = 0x4
EFFECT_VOLUME_SLIDE = 0xA
EFFECT_VOLUME = 0xC
EFFECT_SPEED = 0xF
VIBRATO_AFTER = 4       # rows a note holds before it starts to waver
ACCENT = 1.2            # a note marked ">" against its neighbours
SOFT_HIT = 0.55         # a drum written in lower case
FADE_OUT = 0x0F         # volume slide down 15 a tick: a held note is gone within the row

# The game restarts a tune when the mixer reports it stopped, and the mixer
# only learns of the end while rendering the chunk in which it falls: the
# rest of that chunk is the gap before the next pass. Each tune's tempo is
# chosen so that its pass ends just before a chunk boundary.
MIXER_RATE = 22050
MIXER_CHUNK = 1024
LOOP_GAP_LIMIT = 128    # samples, under 6 ms


def note_index(name):
    """"C#2" -> semitone index into PERIODS."""
    letter, rest = name[0], name[1:]
    semitone = NOTE_NAMES[letter]
    while rest and rest[0] in "#b":
        semitone += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    index = (int(rest) - 1) * 12 + semitone
    if not 0 <= index < len(PERIODS):
        raise ValueError("note out of range: " + name)
    return index


def parse_chord(symbol):
    """"F#m" -> (root semitone 0..11, quality)."""
    root = NOTE_NAMES[symbol[0]]
    quality = symbol[1:]
    if quality[:1] in ("#", "b"):
        root += 1 if quality[0] == "#" else -1
        quality = quality[1:]
    if quality not in CHORD_TONES:
        raise ValueError("unknown chord: " + symbol)
    return root % 12, quality


def arpeggio_parameter(quality):
    tones = CHORD_TONES[quality]
    upper = tones[3] if quality == "7" else tones[2]
    return (tones[1] << 4) | upper


# Instruments: single cycles, looped, and one-shot drums. A cycle of 32
# bytes sounds at the note's pitch in the tracker's octaves; 16 bytes an
# octave higher, 64 an octave lower.

class Instrument:
    def __init__(self, name, data, volume, looped=True):
        self.name = name
        self.data = data
        self.volume = volume
        self.looped = looped


def scaled(values, amplitude=120):
    top = max(abs(v) for v in values) or 1.0
    return [int(round(v * amplitude / top)) for v in values]


def cycle(fn, length, repeats=1):
    """`repeats` periods of fn (a function of phase 0..1), length bytes each."""
    return scaled([fn(i / length) for i in range(length * repeats)])


def pulse(duty):
    # Without a DC offset, so narrow pulses are as loud as they sound.
    return lambda p: (1.0 if p % 1.0 < duty else -1.0) + 1.0 - 2.0 * duty


def triangle(p):
    p %= 1.0
    return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p


def saw(p):
    return 2.0 * (p % 1.0) - 1.0


def harmonics(*weights):
    """Additive tone: weights of the 1st, 2nd, 3rd ... harmonic."""
    return lambda p: sum(w * math.sin(2.0 * math.pi * (k + 1) * p) for k, w in enumerate(weights))


def rounded(fn, width=0.06):
    """fn averaged over a short stretch of phase: the edges soften, warmer."""
    taps = 7
    return lambda p: sum(fn(p + width * (t / (taps - 1) - 0.5)) for t in range(taps)) / taps


def chord_cycle(ratios, length):
    """A just chord in one loop: the root makes ratios[0] periods in it."""
    root = ratios[0]
    voice = harmonics(1.0, 0.3, 0.1)
    return scaled([sum(voice(i * r / length) for r in ratios) for i in range(length * root)])


def detuned_saws(length, beats):
    """Two saws a few cents apart, beating `beats` times a loop of 128 periods."""
    n = length * 128
    return scaled([saw(i / length) + saw(i * (128 + beats) / (128 * length)) for i in range(n)])


def one_shot(samples):
    """Silent first word, as trackers expect for samples that do not loop."""
    data = [0, 0] + scaled(samples)
    return data + [0] * (len(data) % 2)


def kick(start_hz=155.0, end_hz=45.0, drop=25.0, length=2000, decay=9.0):
    out, phase = [], 0.0
    for i in range(length):
        t = i / DRUM_RATE
        phase += (end_hz + (start_hz - end_hz) * math.exp(-t * drop)) / DRUM_RATE
        out.append(math.sin(2 * math.pi * phase) * math.exp(-t * decay))
    return one_shot(out)


def snare(seed, tone_hz=185.0, body=0.5, rattle=14.0, length=1600):
    rng = random.Random(seed)
    out = []
    for i in range(length):
        t = i / DRUM_RATE
        tone = body * math.sin(2 * math.pi * tone_hz * t) * math.exp(-t * 30.0)
        out.append(tone + rng.uniform(-0.8, 0.8) * math.exp(-t * rattle))
    return one_shot(out)


def hat(seed, decay=90.0, length=500):
    rng = random.Random(seed)
    out, last = [], 0.0
    for i in range(length):
        value = rng.uniform(-1.0, 1.0)
        # The difference of successive values keeps only the hiss.
        out.append((value - last) * math.exp(-i / decay))
        last = value
    return one_shot(out)


def brush(seed, length=1400):
    """A swept, darkened noise: a brush on a snare."""
    rng = random.Random(seed)
    out, last = [], 0.0
    for i in range(length):
        t = i / length
        last = 0.6 * last + 0.4 * rng.uniform(-1.0, 1.0)
        out.append(last * math.sin(math.pi * t) ** 0.5 * (1.0 - t))
    return one_shot(out)


def tom(hz):
    return kick(start_hz=hz * 1.6, end_hz=hz, drop=12.0, length=2600, decay=6.0)


# Songs.

class Song:
    def __init__(self, title, tempo, gain, instruments, patterns, order, speed=6, vibrato=0x42):
        self.title = title
        self.speed = speed
        self.gain = gain                # the song's mastering: scales every volume
        self.instruments = instruments  # role -> Instrument; drums are "drum K" and so on
        self.patterns = patterns
        self.order = order
        self.vibrato = vibrato
        self.tempo = aligned_tempo(tempo, len(order) * ROWS * speed)

    def pattern_samples(self):
        """The mixer's samples in one pattern, counted as the module player counts."""
        return ROWS * self.speed * samples_per_tick(self.tempo)

    def seconds(self):
        return len(self.order) * self.pattern_samples() / MIXER_RATE

    def unique_seconds(self):
        return len(set(self.order)) * self.pattern_samples() / MIXER_RATE

    def sample_list(self):
        return list(self.instruments.values())

    def sample_number(self, role):
        return list(self.instruments).index(role) + 1

    def volume(self, role, level, accent=1.0):
        """A note's volume: the instrument's, the section's level (of 64), the accent."""
        return max(1, min(64, int(round(self.instruments[role].volume * self.gain * level / 64.0
                                        * accent))))


def samples_per_tick(tempo):
    # The player's integer tick length at the mixer's rate.
    return MIXER_RATE * 125 // (tempo * 50)


def loop_gap(samples):
    return MIXER_CHUNK - samples % MIXER_CHUNK


def aligned_tempo(wanted, ticks):
    for offset in range(0, 40):
        for tempo in (wanted + offset, wanted - offset):
            if loop_gap(ticks * samples_per_tick(tempo)) <= LOOP_GAP_LIMIT:
                return tempo
    raise ValueError("no tempo near %d ends a pass on a mixer chunk" % wanted)


def section(chords, melody, bass, drums, harmony="arp", level=48):
    """One pattern: four bars, each with a chord, bass figure and drum figure.

    harmony: "arp" (the chord as a chip arpeggio), "broken" (its tones in
    eighths), "running" (in sixteenths), "pad" (a chord sample held through
    the bar) or "none".
    level: the section's loudness of 64, or (start, end) for a swell or a fade.
    """
    bars = lambda v: v if isinstance(v, (list, tuple)) else [v] * 4
    levels = level if isinstance(level, tuple) else (level, level)
    return {"chords": chords.split(), "melody": melody.split(),
            "bass": bars(bass), "drums": bars(drums), "harmony": harmony, "level": levels}


def bell():
    """A struck tone that dies away over its 200 cycles (16 bytes: an octave up)."""
    tone = harmonics(1.0, 0.0, 0.35, 0.0, 0.12)
    n = 16 * 200
    return one_shot([tone(i / 16.0) * math.exp(-4.0 * i / n) for i in range(n)])


# Each tune's gain masters it to peak near -11.5 dBFS at full volume: under
# the 0.28 of full scale that an effect (peaking at 0.72) leaves it.

# Title: inviting. Soft pulse over bells, a round bass, light drums.
TITLE = Song("Nibbleton Title", 125, 0.30, {
    "lead": Instrument("soft pulse", cycle(rounded(pulse(0.25)), 32, 8), 52),
    "harmony": Instrument("bell", bell(), 56, looped=False),
    "bass": Instrument("round bass", cycle(rounded(triangle, 0.1), 64, 4), 37),
    "drum K": Instrument("soft kick", kick(130.0, 45.0, 22.0), 79, looped=False),
    "drum S": Instrument("rim", snare(5, tone_hz=330.0, body=0.8, rattle=40.0, length=700), 54,
                         looped=False),
    "drum H": Instrument("hat", hat(9), 37, looped=False),
}, [
    section("C Am F G", "r:60 C2:2 D2:2",
            "R...............", "....h.......h...", harmony="broken", level=(24, 44)),
    section("C Am F G",
            "E2:2 G2:2 C3:4 B2:2 C3:2 D3:4  E3:4 C3:2 A2:2 A2:4 r:4 "
            "F2:2 A2:2 C3:2 F3:2 E3:2 D3:2 C3:4  D3:4 B2:2 G2:2 D3:6 r:2",
            "R.5.O.5.R.5.O.5.", "K.h.S.h.K.h.S.hh", level=46),
    section("C Am F C",
            "E2:2 G2:2 C3:4 B2:2 C3:2 D3:4  E3:4 G3:2 E3:2 C3:4 A2:4 "
            "F3:2 E3:2 C3:2 A2:2 G2:4 A2:2 B2:2  C3:8 r:4 G2:2 r:2",
            "R.5.O.5.R.5.O.5.", ["K.h.S.h.K.h.S.hh"] * 3 + ["K.h.S.h.K.KSsSS."],
            harmony="broken", level=48),
    section("F G Em Am",
            "A2:3 G2:1 F2:2 A2:2 C3:4 A2:4  B2:3 A2:1 G2:2 B2:2 D3:4 B2:4 "
            "G3:2 E3:2 B2:2 G2:2 E3:4 D3:4  C3:2 E3:2 A3:4 G3:4 r:4",
            "R...O.R.5...O.5.", "K...S..hK.K.S..h", level=(38, 46)),
    section("Dm G C G",
            "F3:4 E3:2 D3:2 A2:4 D3:4  B2:4 D3:2 G3:2 F3:4 D3:4 "
            "E3:2 D3:2 C3:2 G2:2 E2:2 G2:2 C3:4  D3:2 r:2 D3:2 r:2 D3:2 E3:2 F3:2 G3:2",
            "R.5.O.5.R.5.O.5.", ["K.h.S.h.K.h.S.hh"] * 3 + ["K.S.K.S.K.sSsSSS"],
            harmony="broken", level=(44, 54)),
    section("Am Em F G",
            "C3:4 E3:4 A3:6> G3:2  G3:4 E3:4 B2:8  A2:2 C3:2 F3:4 E3:2 D3:2 C3:4 "
            "D3:4 E3:2 F3:2 G3:8>",
            "R.5.O.5.R.5.O.5.", ["K.hhS.h.K.hhS.hh"] * 3 + ["K.S.K.S.K.SSSSSS"], level=56),
    section("C Am G C",
            "E2:2 G2:2 C3:4 B2:2 C3:2 D3:4  E3:4 G3:2 E3:2 C3:4 A2:4 "
            "F3:2 E3:2 D3:2 B2:2 G2:4 B2:2 D3:2  C3:12 r:4",
            ["R.5.O.5.R.5.O.5."] * 3 + ["R.......O......."],
            ["K.h.S.h.K.h.S.hh"] * 3 + ["K...S...K......."], level=(50, 34)),
], [0, 1, 2, 3, 4, 5, 6])

# In-game: driving. Square lead, a thin pulse for the chords, a saw bass.
IN_GAME = Song("Nibbleton Chase", 150, 0.24, {
    "lead": Instrument("square lead", cycle(pulse(0.5), 32, 8), 46),
    "harmony": Instrument("thin pulse", cycle(pulse(0.125), 32, 8), 53),
    "bass": Instrument("saw bass", cycle(rounded(saw, 0.04), 64, 4), 54),
    "drum K": Instrument("kick", kick(), 95, looped=False),
    "drum S": Instrument("snare", snare(5), 73, looped=False),
    "drum H": Instrument("hat", hat(9), 41, looped=False),
    "drum O": Instrument("open hat", hat(13, decay=400.0, length=2400), 35, looped=False),
}, [
    section("Am Am F G", "r:60 G2:2 B2:2", "R.O.R.O.R.O.R.O.",
            ["K...K...K...K...", "K...K...K...K.h.", "K.h.K.h.K.h.K.hO", "K.h.S.h.K.h.S.SS"],
            harmony="none", level=(36, 54)),
    section("Am F G Em",
            "A2:2 C3:2 E3:2 A2:2 C3:2 E3:2 D3:2 C3:2  A2:2 C3:2 F3:4 E3:2 C3:2 A2:4 "
            "B2:2 D3:2 G3:4 F3:2 D3:2 B2:4  E3:6 D3:2 B2:4 G2:4",
            "R.R.O.R.R.R.O.R.", "K.h.S.h.K.K.S.hO", level=50),
    section("Am F C G",
            "E3:4> E3:2 D3:2 C3:4 B2:2 C3:2  A2:4 A2:2 C3:2 F3:4 E3:4 "
            "G3:4> E3:2 C3:2 G2:4 C3:4  B2:2 D3:2 G3:2 D3:2 B2:2 G2:2 D3:4",
            "R.R.O.R.R.R.O.R.", ["K.h.S.h.K.K.S.h."] * 3 + ["K.h.S.h.K.K.SsSS"],
            harmony="running", level=52),
    section("Dm Am E E",
            "F3:2 F3:2 E3:2 D3:2 A2:4 D3:4  C3:2 C3:2 B2:2 A2:2 E2:4 A2:4 "
            "G#2:4 B2:4 E3:4 G#2:4  B2:2 G#2:2 E2:4 r:8",
            "RRR.RRR.RRR.R.O.", ["K.hKS.h.K.hKS.hO"] * 3 + ["K.K.K.K.sSsSSSSS"], level=54),
    section("F G Am E7",
            "C3:8 A2:4 F2:4  D3:8 B2:4 G2:4  E3:4 A3:4 G3:4 E3:4  G#2:4 B2:4 D3:4 E3:4",
            "R.O.R.O.R.O.R.O.", "K...S...K...S.h.", harmony="broken", level=(38, 50)),
    section("F G C E",
            "A3:3> G3:3 F3:2 C3:4 A2:4  B2:3> D3:3 G3:2 B3:4 G3:4 "
            "E3:2 G3:2 C3:2 E3:2 G3:4 E3:4  G#3:4> E3:4 B2:4 G#2:4",
            "R.R.O.R.R.R.O.R.", ["K.h.S.hKK.h.S.hO"] * 3 + ["K.h.S.h.SSSSSSSS"], level=58),
    section("Am F G Am",
            "A2:2 C3:2 E3:2 A2:2 C3:2 E3:2 D3:2 C3:2  A2:2 C3:2 F3:4 E3:2 C3:2 A2:4 "
            "B2:2 D3:2 G3:4 F3:2 D3:2 B2:4  A2:8 E2:4 r:4",
            ["R.R.O.R.R.R.O.R."] * 3 + ["R.......R.O....."],
            ["K.h.S.h.K.K.S.h."] * 3 + ["K.h.S.h.K.K.S..."], level=(52, 44)),
], [0, 1, 2, 3, 4, 5, 6], vibrato=0x32)

# Ending: warm. A flute over held chords, a soft bass, brushes.
ENDING = Song("Nibbleton Victory", 116, 0.33, {
    "lead": Instrument("flute", cycle(harmonics(1.0, 0.25, 0.12, 0.04), 32, 8), 52),
    "pad major": Instrument("major pad", chord_cycle((4, 5, 6), 32), 48),
    "pad minor": Instrument("minor pad", chord_cycle((10, 12, 15), 32), 48),
    "bass": Instrument("warm bass", cycle(harmonics(1.0, 0.3, 0.1), 64, 4), 41),
    "drum K": Instrument("soft kick", kick(110.0, 45.0, 20.0), 71, looped=False),
    "drum S": Instrument("brush", brush(37), 51, looped=False),
    "drum H": Instrument("shaker", hat(41, decay=50.0, length=300), 25, looped=False),
}, [
    section("D G D A", "r:60 E2:4", "R.......R.......", "........h.......",
            harmony="pad", level=(28, 40)),
    section("D A Bm G",
            "F#2:4 A2:4 D3:8  E3:4 C#3:4 A2:8  B2:4 D3:4 F#3:6 E3:2  D3:6 E3:2 B2:8",
            "R...R.5.O...5...", "K..kS...K.k.S.h.", harmony="pad", level=42),
    section("D G A D",
            "A2:2 D3:2 F#3:4 A3:8  G3:4 F#3:2 E3:2 D3:4 B2:4 "
            "C#3:4 E3:4 A3:4 G3:4  F#3:8 D3:4 r:4",
            "R...R.5.O...5...", ["K..kS...K.k.S.h."] * 3 + ["K..kS...K.k.SsSS"],
            harmony="pad", level=46),
    section("G A F#m Bm",
            "B2:2 D3:2 G3:4 F#3:4 E3:4  C#3:2 E3:2 A3:4 G3:4 F#3:4 "
            "F#3:4 C#3:4 A2:4 C#3:4  D3:8 B2:8",
            "R.5.O.5.R.5.O.5.", "K.h.S.h.K.h.S.hh", harmony="pad", level=(44, 52)),
    section("Em A D D",
            "E3:4 G3:4 B3:4 A3:4  A3:4 G3:4 E3:4 C#3:4  D3:4 F#3:4 A3:8  A3:2 F#3:2 D3:12",
            "R...5...O...5...", ["K..kS...K.k.S.h."] * 3 + ["K.S.K.S.sSsSSSSS"],
            harmony="pad", level=50),
    section("Bm G D A",
            "F#3:6> E3:2 D3:4 B2:4  D3:6 C#3:2 B2:4 G2:4  A2:4 D3:4 F#3:4 A3:4  G3:6> F#3:2 E3:8",
            "R...R.5.O...5...", "K..kS...K.k.S.h.", harmony="pad", level=54),
    section("G A D D",
            "B2:4 D3:4 G3:8  A3:4 G3:4 F#3:4 E3:4  D3:8 A2:4 F#2:4  D2:12 r:4",
            ["R...R.5.O...5..."] * 3 + ["R..............."],
            ["K..kS...K.k.S.h."] * 3 + ["K..............."], harmony="pad", level=(50, 30)),
], [0, 1, 2, 3, 4, 5, 6], speed=7, vibrato=0x43)

# New high score: triumphant. Brass over a march snare and a cymbal.
HIGH_SCORE = Song("Nibbleton Hi-Score", 120, 0.33, {
    "lead": Instrument("brass", cycle(harmonics(1.0, 0.7, 0.5, 0.35, 0.25, 0.16, 0.1, 0.06), 32, 8),
                       60),
    "harmony": Instrument("pulse", cycle(pulse(0.25), 32, 8), 26),
    "bass": Instrument("tuba", cycle(rounded(pulse(0.5), 0.08), 64, 4), 20),
    "drum K": Instrument("timpani", kick(140.0, 50.0, 18.0, 2400, 7.0), 56, looped=False),
    "drum S": Instrument("march snare", snare(23, tone_hz=240.0, body=0.3, rattle=18.0, length=1400),
                         44, looped=False),
    "drum H": Instrument("hat", hat(9), 24, looped=False),
    "drum O": Instrument("cymbal", hat(29, decay=600.0, length=3600), 26, looped=False),
}, [
    section("C F G C",
            "r:4 G2:2 G2:2 C3:8  r:4 A2:2 A2:2 F3:8  r:4 B2:2 B2:2 D3:4 G3:4  E3:12> r:4",
            "R...............",
            ["sSsSsSsSK.......", "sSsSsSsSK.......", "sSsSsSsSK...K...", "O.S.K.S.sSsSSSSS"],
            harmony="none", level=(40, 56)),
    section("C C F G",
            "G2:2 G2:1 G2:1 C3:6> r:2 G2:2 C3:2  E3:8 r:2 E3:2 D3:2 C3:2 "
            "F3:6 E3:2 D3:2 C3:2 A2:4  G2:4 B2:4 D3:4 G3:4",
            "R.....R.R.5.R...", "O.s.K.S.K.ssK.S.", level=48),
    section("C Am F G",
            "C3:2 C3:1 C3:1 E3:6> r:2 C3:2 E3:2  A3:8 G3:4 E3:4 "
            "F3:4 A3:4 G3:4 F3:4  E3:4 D3:4 B2:4 G2:4",
            "R.....R.R.5.R...", ["K.s.K.S.K.ssK.S."] * 3 + ["K.K.sSsSK.K.SSSS"], level=52),
    section("F G Em Am",
            "A2:4 C3:4 F3:8  B2:4 D3:4 G3:8  G3:4 E3:4 B2:8  C3:4 E3:4 A3:8",
            "R...O...5...O...", "K...S...K.K.S...", harmony="broken", level=42),
    section("Dm G C C",
            "D3:2 F3:2 A3:4 G3:2 F3:2 E3:4  D3:2 G2:2 B2:4 D3:4 F3:4 "
            "E3:2 G3:2 C3:4 E3:2 G3:2 r:4  C3:12 r:4",
            "R.....R.R.5.R...", ["K.s.K.S.K.ssK.S."] * 3 + ["sSsSsSSSK...K..."], level=(46, 56)),
    section("Am F G C",
            "E3:2 E3:1 E3:1 A3:6> G3:2 E3:4  F3:4 A3:4 C3:8  G3:2 G3:1 G3:1 B3:6> A3:2 G3:4 "
            "C3:4 E3:4 G3:8>",
            "R.....R.R.5.R...", ["O.s.K.S.K.ssK.S."] * 3 + ["K.K.sSsSSSSSSSSS"], level=60),
    section("F G C C",
            "A2:4 C3:4 F3:4 A3:4  B3:4 A3:4 G3:4 D3:4  E3:4 G3:4 C3:8  C3:2 G2:2 C3:4 r:8",
            ["R.....R.R.5.R..."] * 3 + ["R...O...R......."],
            ["O.s.K.S.K.ssK.S."] * 3 + ["K...K...S......."], level=(56, 44)),
], [0, 1, 2, 3, 4, 5, 6], vibrato=0x43)

# Stage five: tense. Beating saws, a needle-thin pulse running in sixteenths,
# a hollow bass, toms.
STAGE5 = Song("Nibbleton Stage Five", 140, 0.43, {
    "lead": Instrument("detuned saws", detuned_saws(32, 1), 59),
    "harmony": Instrument("needle pulse", cycle(pulse(0.25), 16, 16), 17),
    "bass": Instrument("hollow square", cycle(pulse(0.5), 64, 4), 15),
    "drum K": Instrument("hard kick", kick(175.0, 42.0, 30.0), 48, looped=False),
    "drum S": Instrument("snare", snare(17, tone_hz=210.0, body=0.4, rattle=11.0, length=2000), 37,
                         looped=False),
    "drum H": Instrument("tight hat", hat(19, decay=60.0, length=400), 19, looped=False),
    "drum T": Instrument("tom", tom(110.0), 35, looped=False),
}, [
    section("Em Em C B", "r:60 B1:4", "R.R.R.R.R.R.R.R.",
            ["K.......K.......", "K.......K.......", "K...K...K...K...", "K.K.K.K.sSsSSSSS"],
            harmony="running", level=(30, 50)),
    section("Em Em C B",
            "E2:2 G2:2 B2:2 E2:2 A#2:4 B2:4  E2:2 G2:2 B2:2 C3:2 B2:4 G2:4 "
            "C3:2 E3:2 D#3:4 E3:4 C3:4  B2:4 A#2:4 A2:4 D#2:4",
            "RRR.RRR.RRR.RR5.", "K.hKh.S.K.hKh.Sh", level=50),
    section("Em F Em B7",
            "E3:6> D#3:2 E3:4 G3:4  F3:6> E3:2 C3:4 A2:4 "
            "G3:4 F#3:4 E3:4 B2:4  D#3:4 F#3:4 A3:4 F#3:4",
            "RRR.RRR.RRR.RR5.", ["K.hKh.S.K.hKh.Sh"] * 3 + ["K.hKh.S.sSsSSSSS"],
            harmony="running", level=52),
    section("Am Em C#dim B",
            "A2:2 C3:2 E3:2 A3:2 G3:4 E3:4  G3:2 E3:2 B2:2 G2:2 B2:4 E3:4 "
            "C#3:4 E3:4 G3:4 E3:4  D#3:2 r:2 D#3:2 r:2 F#3:4 B2:4",
            "R.R.R.R.R.R.O.R.", ["K.h.S.h.K.h.S.h."] * 3 + ["K.h.S.h.T.T.TTTT"],
            harmony="broken", level=(44, 56)),
    section("C Am B B",
            "r:4 G3:2 E3:2 C3:8  r:4 A3:2 E3:2 C3:8 "
            "B2:2 C3:2 B2:2 A#2:2 B2:2 C3:2 B2:2 A#2:2  B2:4 D#3:4 F#3:4 B3:4>",
            "R...R...R...R...", ["K.......K.......", "K.......K.......",
                                 "K...K...K...K...", "K.K.K.K.SSSSSSSS"],
            harmony="running", level=(40, 60)),
    section("Em C Am B7",
            "B3:4> G3:4 E3:4 D#3:4  C3:4 E3:4 G3:4 B3:4  A3:6> G3:2 E3:4 C3:4 "
            "B2:4 D#3:4 F#3:4 A3:4",
            "RRR.RRR.RRR.RR5.", ["K.hKh.S.K.hKh.Sh"] * 3 + ["KTKTS.S.TTTTSSSS"], level=58),
    section("Em F Em B",
            "E3:2 F3:2 E3:2 D#3:2 E3:4 B2:4  F3:2 G3:2 F3:2 E3:2 C3:4 A2:4 "
            "G2:2 B2:2 E3:4 G3:4 B3:4  D#3:8 B2:4 r:4",
            ["RRR.RRR.RRR.RR5."] * 3 + ["R.......R......."],
            ["K.hKh.S.K.hKh.Sh"] * 3 + ["K...S...T.T.T..."], level=(56, 46)),
], [0, 1, 2, 3, 4, 5, 6], vibrato=0x63)

SONGS = (
    ("Title.mod", TITLE),
    ("InGame.mod", IN_GAME),
    ("Ending.mod", ENDING),
    ("New-High-Score.mod", HIGH_SCORE),
    ("Stage5.mod", STAGE5),
)


# Patterns.

def empty_pattern():
    return [[[0, 0, 0, 0] for _ in range(CHANNELS)] for _ in range(ROWS)]


def set_cell(pattern, row, channel, sample=None, note=None, effect=None, param=0):
    cell = pattern[row][channel]
    if sample is not None:
        cell[0] = sample
    if note is not None:
        cell[1] = PERIODS[note]
    if effect is not None:
        cell[2], cell[3] = effect, param


def play(song, pattern, row, channel, role, note, level, accent=1.0):
    """A note with its volume set on the same row."""
    set_cell(pattern, row, channel, song.sample_number(role), note, EFFECT_VOLUME,
             song.volume(role, level, accent))


def level_at(sec, row):
    start, end = sec["level"]
    return start + (end - start) * row / (ROWS - 1)


def write_melody(song, pattern, sec):
    """The tune's "note:length" tokens; "r" rests, a trailing ">" accents."""
    row = 0
    for token in sec["melody"]:
        name, length = token.split(":")
        accent = ACCENT if length.endswith(">") else 1.0
        length = int(length.rstrip(">"))
        if name == "r":
            # Cut the held note: MOD samples loop until told otherwise.
            set_cell(pattern, row, 0, effect=EFFECT_VOLUME, param=0)
        else:
            play(song, pattern, row, 0, "lead", note_index(name), level_at(sec, row), accent)
            for held in range(VIBRATO_AFTER, length):
                set_cell(pattern, row + held, 0, effect=EFFECT_VIBRATO, param=song.vibrato)
        row += length
    if row != ROWS:
        raise ValueError("%s: melody fills %d rows, not %d" % (song.title, row, ROWS))


def write_harmony(song, pattern, sec, bar, root, quality):
    style = sec["harmony"]
    start = bar * 16
    level = level_at(sec, start)
    if style == "arp":
        play(song, pattern, start, 1, "harmony", 12 + root, level)
        for r in range(start + 1, start + 16):
            set_cell(pattern, r, 1, effect=EFFECT_ARPEGGIO, param=arpeggio_parameter(quality))
    elif style in ("broken", "running"):
        tones = CHORD_TONES[quality]
        figure = (0, 1, 2, 3, 2, 1, 2, 3) if style == "broken" else (0, 1, 2, 1) * 4
        step = 16 // len(figure)
        for i, tone in enumerate(figure):
            # Quieter off the beat, so the figure lilts.
            lilt = 1.0 if i % 2 == 0 else 0.8
            play(song, pattern, start + i * step, 1, "harmony", root + tones[tone],
                 level_at(sec, start + i * step), lilt)
    elif style == "pad":
        role = "pad minor" if quality in MINOR_QUALITIES else "pad major"
        play(song, pattern, start, 1, role, root, level)


def write_bass(song, pattern, sec, bar, root):
    start = bar * 16
    for step, mark in enumerate(sec["bass"][bar]):
        offset = {"R": 0, "5": 7, "O": 12}.get(mark)
        if offset is not None:
            play(song, pattern, start + step, 2, "bass", root + offset, level_at(sec, start + step))
        elif mark == "-":
            set_cell(pattern, start + step, 2, effect=EFFECT_VOLUME, param=0)


def write_drums(song, pattern, sec, bar):
    start = bar * 16
    for step, mark in enumerate(sec["drums"][bar]):
        if mark == ".":
            continue
        role = "drum " + mark.upper()
        accent = 1.0 if mark.isupper() else SOFT_HIT
        play(song, pattern, start + step, 3, role, note_index("C2"), level_at(sec, start + step),
             accent)


def build_pattern(song, sec):
    pattern = empty_pattern()
    write_melody(song, pattern, sec)
    if len(sec["chords"]) != 4:
        raise ValueError("%s: a pattern has four chords" % song.title)
    for bar, chord in enumerate(sec["chords"]):
        root, quality = parse_chord(chord)
        write_harmony(song, pattern, sec, bar, root, quality)
        write_bass(song, pattern, sec, bar, root)
        write_drums(song, pattern, sec, bar)
    return pattern


def release_at_end(song, pattern):
    """The pass ends on silence: every channel fades in the last row but one
    and is cut in the last, so no note is held across the restart."""
    if song.order.count(song.order[-1]) != 1:
        raise ValueError("%s: the closing pattern is played only at the end" % song.title)
    for row, effect, param in ((ROWS - 2, EFFECT_VOLUME_SLIDE, FADE_OUT), (ROWS - 1, EFFECT_VOLUME, 0)):
        for channel in range(CHANNELS):
            if pattern[row][channel][1]:
                raise ValueError("%s: a note starts in the closing rows" % song.title)
            set_cell(pattern, row, channel, effect=effect, param=param)


def set_pace(song, patterns):
    """Tempo, and speed where it is not the player's 6, on the first row played,
    in cells that start no note: empty ones, or rests, which cut nothing at
    the very start of a pass."""
    if song.order.count(song.order[0]) != 1:
        raise ValueError("%s: the opening pattern is played only at the start" % song.title)
    row = patterns[song.order[0]][0]
    free = [c for c in range(CHANNELS)
            if not row[c][1] and (row[c][2], row[c][3]) in ((0, 0), (EFFECT_VOLUME, 0))]
    pace = [song.tempo] + ([song.speed] if song.speed != 6 else [])
    if len(free) < len(pace):
        raise ValueError("%s: first row has no room for the pace" % song.title)
    for channel, value in zip(free, pace):
        row[channel][2], row[channel][3] = EFFECT_SPEED, value


def pattern_bytes(pattern):
    out = bytearray()
    for row in pattern:
        for sample, period, effect, param in row:
            out += bytes((
                (sample & 0xF0) | (period >> 8),
                period & 0xFF,
                ((sample & 0x0F) << 4) | effect,
                param,
            ))
    return bytes(out)


def module_bytes(song):
    patterns = [build_pattern(song, sec) for sec in song.patterns]
    release_at_end(song, patterns[song.order[-1]])
    set_pace(song, patterns)
    samples = song.sample_list()
    out = bytearray(song.title.encode("ascii")[:20].ljust(20, b"\0"))
    for i in range(31):
        if i < len(samples):
            instrument = samples[i]
            words = len(instrument.data) // 2
            volume = min(64, int(round(instrument.volume * song.gain)))
            out += instrument.name.encode("ascii")[:22].ljust(22, b"\0")
            out += struct.pack(">HBBHH", words, 0, volume, 0, words if instrument.looped else 1)
        else:
            out += b"\0" * 22 + struct.pack(">HBBHH", 0, 0, 0, 0, 1)
    out += bytes((len(song.order), 0))
    out += bytes(song.order).ljust(128, b"\0")
    out += b"M.K."
    for p in patterns:
        out += pattern_bytes(p)
    for instrument in samples:
        out += bytes(v & 0xFF for v in instrument.data)
    return bytes(out)


def generate(out_dir):
    folder = os.path.join(out_dir, "music")
    os.makedirs(folder, exist_ok=True)
    for name, song in SONGS:
        if song.seconds() < 30:
            raise ValueError("%s plays only %.1f s" % (name, song.seconds()))
        with open(os.path.join(folder, name), "wb") as f:
            f.write(module_bytes(song))


if __name__ == "__main__":
    for file_name, s in SONGS:
        print("%-20s tempo %3d, %5.1f s a pass, %5.1f s unique, %s" % (
            file_name, s.tempo, s.seconds(), s.unique_seconds(),
            ", ".join(i.name for i in s.sample_list())))
