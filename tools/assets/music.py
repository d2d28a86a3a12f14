"""The five music tracks as 4-channel ProTracker "M.K." modules.

Each module is written byte by byte: header, 31 sample headers, order table,
64-row patterns and 8-bit signed samples. The instruments are synthesised
here too. Channel 0 carries the tune, channel 1 the chords as a chip-style
arpeggio (effect 0xy), channel 2 the bass and channel 3 the drums.

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

# Sample numbers (1-based, as in the pattern data).
SQUARE, PULSE, BASS, PAD, KICK, SNARE, HAT, SAW = range(1, 9)
DRUM_SAMPLES = {"K": KICK, "S": SNARE, "H": HAT}

CHORD_INTERVALS = {"": 0x47, "m": 0x37, "dim": 0x36, "7": 0x4A, "sus": 0x57}

EFFECT_ARPEGGIO = 0x0
EFFECT_VIBRATO = 0x4
EFFECT_VOLUME = 0xC
EFFECT_SPEED = 0xF
VIBRATO = 0x42          # gentle: speed 4, depth 2
VIBRATO_AFTER = 4       # rows a note holds before it starts to waver


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
    """"F#m" -> (root semitone 0..11, arpeggio parameter)."""
    root = NOTE_NAMES[symbol[0]]
    quality = symbol[1:]
    if quality[:1] in ("#", "b"):
        root += 1 if quality[0] == "#" else -1
        quality = quality[1:]
    return root % 12, CHORD_INTERVALS[quality]


# Instruments.

def loop_wave(cycle, cycles, fn, amplitude):
    """A looped single waveform: `cycle` bytes per period, repeated."""
    return [int(round(amplitude * fn(i / cycle))) for i in range(cycle * cycles)]


def pulse(duty):
    return lambda p: 1.0 if p % 1.0 < duty else -1.0


def triangle(p):
    p %= 1.0
    return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p


def saw(p):
    return 2.0 * (p % 1.0) - 1.0


def kick():
    n = 2000
    out, phase = [], 0.0
    for i in range(n):
        t = i / DRUM_RATE
        phase += (45.0 + 110.0 * math.exp(-t * 25.0)) / DRUM_RATE
        out.append(110.0 * math.sin(2 * math.pi * phase) * math.exp(-t * 9.0))
    return out


def snare():
    rng = random.Random(5)
    out = []
    for i in range(1600):
        t = i / DRUM_RATE
        body = 0.5 * math.sin(2 * math.pi * 185.0 * t) * math.exp(-t * 30.0)
        out.append(100.0 * (body + rng.uniform(-0.8, 0.8) * math.exp(-t * 14.0)))
    return out


def hat():
    rng = random.Random(9)
    out, last = [], 0.0
    for i in range(500):
        value = rng.uniform(-1.0, 1.0)
        # The difference of successive values keeps only the hiss.
        out.append(80.0 * (value - last) / 2.0 * math.exp(-i / 90.0))
        last = value
    return out


def one_shot(samples):
    """Silent first word, as trackers expect for samples that do not loop."""
    data = [0, 0] + [int(round(max(-127, min(127, s)))) for s in samples]
    return data + [0] * (len(data) % 2)


# (name, data, volume, looped)
INSTRUMENTS = (
    ("square lead", loop_wave(32, 8, pulse(0.5), 60), 40, True),
    ("pulse lead", loop_wave(32, 8, pulse(0.25), 60), 42, True),
    ("triangle bass", loop_wave(64, 4, triangle, 110), 60, True),
    ("chord pad", loop_wave(32, 8, pulse(0.125), 50), 22, True),
    ("kick", one_shot(kick()), 64, False),
    ("snare", one_shot(snare()), 40, False),
    ("hat", one_shot(hat()), 22, False),
    ("saw lead", loop_wave(32, 8, saw, 60), 36, True),
)


# Songs.

class Song:
    def __init__(self, title, speed, tempo, lead, patterns, order):
        self.title = title
        self.speed = speed
        self.tempo = tempo
        self.lead = lead
        self.patterns = patterns
        self.order = order

    def seconds(self):
        """Play time of one pass: rows x speed ticks, 2.5 / tempo seconds a tick."""
        return len(self.order) * ROWS * self.speed * 2.5 / self.tempo


def section(chords, melody, bass, drums):
    """One pattern: four bars, each with a chord, bass figure and drum figure."""
    bars = lambda v: v if isinstance(v, (list, tuple)) else [v] * 4
    return {"chords": chords.split(), "melody": melody.split(),
            "bass": bars(bass), "drums": bars(drums)}


TITLE = Song("Nibbleton Title", 6, 125, SQUARE, [
    section("C Am F G",
            "E2:2 G2:2 C3:4 B2:2 C3:2 D3:4  E3:4 C3:2 A2:2 A2:4 r:4 "
            "F2:2 A2:2 C3:2 F3:2 E3:2 D3:2 C3:4  D3:4 B2:2 G2:2 D3:6 r:2",
            "R.5.O.5.R.5.O.5.", "K.H.S.H.K.H.S.HH"),
    section("C Am F C",
            "E2:2 G2:2 C3:4 B2:2 C3:2 D3:4  E3:4 G3:2 E3:2 C3:4 A2:4 "
            "F3:2 E3:2 C3:2 A2:2 G2:4 A2:2 B2:2  C3:8 r:4 G2:2 r:2",
            "R.5.O.5.R.5.O.5.", ["K.H.S.H.K.H.S.HH"] * 3 + ["K.H.S.H.K.KSSSS."]),
    section("F G Em Am",
            "A2:3 G2:1 F2:2 A2:2 C3:4 A2:4  B2:3 A2:1 G2:2 B2:2 D3:4 B2:4 "
            "G3:2 E3:2 B2:2 G2:2 E3:4 D3:4  C3:2 E3:2 A3:4 G3:4 r:4",
            "R...O.R.5...O.5.", "K...S..HK.K.S..H"),
    section("Dm G C G",
            "F3:4 E3:2 D3:2 A2:4 D3:4  B2:4 D3:2 G3:2 F3:4 D3:4 "
            "E3:2 D3:2 C3:2 G2:2 E2:2 G2:2 C3:4  D3:2 r:2 D3:2 r:2 D3:2 E3:2 F3:2 G3:2",
            "R.5.O.5.R.5.O.5.", ["K.H.S.H.K.H.S.HH"] * 3 + ["K.S.K.S.K.SSSSSS"]),
], [0, 1, 2, 3, 0, 1])

IN_GAME = Song("Nibbleton Chase", 6, 150, SQUARE, [
    section("Am F G Em",
            "A2:2 C3:2 E3:2 A2:2 C3:2 E3:2 D3:2 C3:2  A2:2 C3:2 F3:4 E3:2 C3:2 A2:4 "
            "B2:2 D3:2 G3:4 F3:2 D3:2 B2:4  E3:6 D3:2 B2:4 G2:4",
            "R.R.O.R.R.R.O.R.", "K.H.S.H.K.K.S.H."),
    section("Am F C G",
            "E3:4 E3:2 D3:2 C3:4 B2:2 C3:2  A2:4 A2:2 C3:2 F3:4 E3:4 "
            "G3:4 E3:2 C3:2 G2:4 C3:4  B2:2 D3:2 G3:2 D3:2 B2:2 G2:2 D3:4",
            "R.R.O.R.R.R.O.R.", ["K.H.S.H.K.K.S.H."] * 3 + ["K.H.S.H.K.K.SSSS"]),
    section("Dm Am E E",
            "F3:2 F3:2 E3:2 D3:2 A2:4 D3:4  C3:2 C3:2 B2:2 A2:2 E2:4 A2:4 "
            "G#2:4 B2:4 E3:4 G#2:4  B2:2 G#2:2 E2:4 r:8",
            "RRR.RRR.RRR.R.O.", ["K.HKS.H.K.HKS.HH"] * 3 + ["K.K.K.K.SSSSSSSS"]),
    section("F G Am E7",
            "C3:8 A2:4 F2:4  D3:8 B2:4 G2:4  E3:4 A3:4 G3:4 E3:4  G#2:4 B2:4 D3:4 E3:4",
            "R.O.R.O.R.O.R.O.", "K...S...K...S.H."),
], [0, 1, 0, 2, 3, 1, 2])

ENDING = Song("Nibbleton Victory", 6, 112, PULSE, [
    section("D A Bm G",
            "F#2:4 A2:4 D3:8  E3:4 C#3:4 A2:8  B2:4 D3:4 F#3:6 E3:2  D3:6 E3:2 B2:8",
            "R...R.5.O...5...", "K..KS...K.K.S.H."),
    section("D G A D",
            "A2:2 D3:2 F#3:4 A3:8  G3:4 F#3:2 E3:2 D3:4 B2:4 "
            "C#3:4 E3:4 A3:4 G3:4  F#3:8 D3:4 r:4",
            "R...R.5.O...5...", ["K..KS...K.K.S.H."] * 3 + ["K..KS...K.K.SSSS"]),
    section("G A F#m Bm",
            "B2:2 D3:2 G3:4 F#3:4 E3:4  C#3:2 E3:2 A3:4 G3:4 F#3:4 "
            "F#3:4 C#3:4 A2:4 C#3:4  D3:8 B2:8",
            "R.5.O.5.R.5.O.5.", "K.H.S.H.K.H.S.HH"),
    section("Em A D D",
            "E3:4 G3:4 B3:4 A3:4  A3:4 G3:4 E3:4 C#3:4  D3:4 F#3:4 A3:8  A3:2 F#3:2 D3:12",
            "R...5...O...5...", ["K..KS...K.K.S.H."] * 3 + ["K.S.K.S.SSSSSSSS"]),
], [0, 1, 2, 3, 1])

HIGH_SCORE = Song("Nibbleton Hi-Score", 6, 120, PULSE, [
    section("C C F G",
            "G2:2 G2:1 G2:1 C3:6 r:2 G2:2 C3:2  E3:8 r:2 E3:2 D3:2 C3:2 "
            "F3:6 E3:2 D3:2 C3:2 A2:4  G2:4 B2:4 D3:4 G3:4",
            "R.....R.R.5.R...", "K.S.K.S.K.SSK.S."),
    section("C Am F G",
            "C3:2 C3:1 C3:1 E3:6 r:2 C3:2 E3:2  A3:8 G3:4 E3:4 "
            "F3:4 A3:4 G3:4 F3:4  E3:4 D3:4 B2:4 G2:4",
            "R.....R.R.5.R...", ["K.S.K.S.K.SSK.S."] * 3 + ["K.K.SSSSK.K.SSSS"]),
    section("F G Em Am",
            "A2:4 C3:4 F3:8  B2:4 D3:4 G3:8  G3:4 E3:4 B2:8  C3:4 E3:4 A3:8",
            "R...O...5...O...", "K...S...K.K.S..."),
    section("Dm G C C",
            "D3:2 F3:2 A3:4 G3:2 F3:2 E3:4  D3:2 G2:2 B2:4 D3:4 F3:4 "
            "E3:2 G3:2 C3:4 E3:2 G3:2 r:4  C3:12 r:4",
            "R.....R.R.5.R...", ["K.S.K.S.K.SSK.S."] * 3 + ["SSSSSSSSK...K..."]),
], [0, 1, 2, 3, 0])

STAGE5 = Song("Nibbleton Stage Five", 6, 135, SAW, [
    section("Em Em C B",
            "E2:2 G2:2 B2:2 E2:2 A#2:4 B2:4  E2:2 G2:2 B2:2 C3:2 B2:4 G2:4 "
            "C3:2 E3:2 D#3:4 E3:4 C3:4  B2:4 A#2:4 A2:4 D#2:4",
            "RRR.RRR.RRR.RR5.", "K.HKH.S.K.HKH.SH"),
    section("Em F Em B7",
            "E3:6 D#3:2 E3:4 G3:4  F3:6 E3:2 C3:4 A2:4 "
            "G3:4 F#3:4 E3:4 B2:4  D#3:4 F#3:4 A3:4 F#3:4",
            "RRR.RRR.RRR.RR5.", ["K.HKH.S.K.HKH.SH"] * 3 + ["K.HKH.S.SSSSSSSS"]),
    section("Am Em C#dim B",
            "A2:2 C3:2 E3:2 A3:2 G3:4 E3:4  G3:2 E3:2 B2:2 G2:2 B2:4 E3:4 "
            "C#3:4 E3:4 G3:4 E3:4  D#3:2 r:2 D#3:2 r:2 F#3:4 B2:4",
            "R.R.R.R.R.R.O.R.", "K.H.S.H.K.H.S.H."),
    section("C Am B B",
            "r:4 G3:2 E3:2 C3:8  r:4 A3:2 E3:2 C3:8 "
            "B2:2 C3:2 B2:2 A#2:2 B2:2 C3:2 B2:2 A#2:2  B2:4 D#3:4 F#3:4 B3:4",
            "R...R...R...R...", ["K.......K.......", "K.......K.......",
                                 "K...K...K...K...", "K.K.K.K.SSSSSSSS"]),
], [0, 1, 0, 2, 3, 1])

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


def build_pattern(song, sec):
    pattern = empty_pattern()

    row = 0
    for token in sec["melody"]:
        name, length = token.split(":")
        length = int(length)
        if name == "r":
            # Cut the held note: MOD samples loop until told otherwise.
            set_cell(pattern, row, 0, effect=EFFECT_VOLUME, param=0)
        else:
            set_cell(pattern, row, 0, song.lead, note_index(name))
            for held in range(VIBRATO_AFTER, length):
                set_cell(pattern, row + held, 0, effect=EFFECT_VIBRATO, param=VIBRATO)
        row += length
    if row != ROWS:
        raise ValueError("%s: melody fills %d rows, not %d" % (song.title, row, ROWS))

    if len(sec["chords"]) != 4:
        raise ValueError("%s: a pattern has four chords" % song.title)
    for bar, chord in enumerate(sec["chords"]):
        root, arp = parse_chord(chord)
        start = bar * 16
        set_cell(pattern, start, 1, PAD, 12 + root)
        for r in range(start, start + 16):
            set_cell(pattern, r, 1, effect=EFFECT_ARPEGGIO, param=arp)

        figure = sec["bass"][bar]
        for step, mark in enumerate(figure):
            offset = {"R": 0, "5": 7, "O": 12}.get(mark)
            if offset is not None:
                set_cell(pattern, start + step, 2, BASS, root + offset)
            elif mark == "-":
                set_cell(pattern, start + step, 2, effect=EFFECT_VOLUME, param=0)

        for step, mark in enumerate(sec["drums"][bar]):
            if mark in DRUM_SAMPLES:
                set_cell(pattern, start + step, 3, DRUM_SAMPLES[mark], note_index("C2"))
    return pattern


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
    first = patterns[song.order[0]]
    # Pace set once, on the first row played: speed on the bass, tempo on the drums.
    for channel, value in ((2, song.speed), (3, song.tempo)):
        if first[0][channel][2] or first[0][channel][3]:
            raise ValueError("%s: first row has no room for the pace" % song.title)
        set_cell(first, 0, channel, effect=EFFECT_SPEED, param=value)

    out = bytearray(song.title.encode("ascii")[:20].ljust(20, b"\0"))
    for i in range(31):
        if i < len(INSTRUMENTS):
            name, data, volume, looped = INSTRUMENTS[i]
            words = len(data) // 2
            out += name.encode("ascii")[:22].ljust(22, b"\0")
            out += struct.pack(">HBBHH", words, 0, volume, 0, words if looped else 1)
        else:
            out += b"\0" * 22 + struct.pack(">HBBHH", 0, 0, 0, 0, 1)
    out += bytes((len(song.order), 0))
    out += bytes(song.order).ljust(128, b"\0")
    out += b"M.K."
    for p in patterns:
        out += pattern_bytes(p)
    for _, data, _, _ in INSTRUMENTS:
        out += bytes(v & 0xFF for v in data)
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
        print("%-20s %5.1f s" % (file_name, s.seconds()))
