#!/usr/bin/python3
"""Regenerates boards, sounds and music into a temporary folder and compares
them with data/, so the committed files never drift from their source; then
checks the committed sounds and modules for what the game relies on."""
import os
import struct
import subprocess
import sys
import tempfile
import wave

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from checks import BOARDS, ROOT, check, verdict
SOUNDS = ("Click.wav", "Eat-Pellet.wav", "Start.wav", "Ghosts-Scared.wav", "Eat-Ghost.wav",
          "Gob-Death.wav", "1UP.wav", "Screech.wav", "Ghost-New-Sheet.wav",
          "Woman-Scream.wav", "Ghost-Scream.wav")
MUSIC = ("Title.mod", "InGame.mod", "Ending.mod", "New-High-Score.mod", "Stage5.mod")
MIXER_RATE = 22050
MIXER_CHUNK = 1024  # samples the game's mixer renders at a time
PERIODS = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113}

def read_wav(path):
    with wave.open(path, "rb") as w:
        params = (w.getnchannels(), w.getsampwidth(), w.getframerate())
        frames = w.readframes(w.getnframes())
    return params, struct.unpack("<%dh" % (len(frames) // 2), frames)


def compare(fresh):
    for name in BOARDS:
        for suffix in ("", "_Return"):
            rel = os.path.join("boards", name + suffix + ".bmp")
            a, b = Image.open(os.path.join(ROOT, "data", rel)), Image.open(os.path.join(fresh, rel))
            same = a.mode == b.mode and a.size == b.size and \
                list(a.getdata()) == list(b.getdata()) and a.getpalette() == b.getpalette()
            check(same, rel + " matches its generator")
    for name in SOUNDS:
        rel = os.path.join("sound", name)
        check(read_wav(os.path.join(ROOT, "data", rel)) == read_wav(os.path.join(fresh, rel)),
              rel + " matches its generator")
    for name in MUSIC:
        rel = os.path.join("music", name)
        with open(os.path.join(ROOT, "data", rel), "rb") as a, \
                open(os.path.join(fresh, rel), "rb") as b:
            check(a.read() == b.read(), rel + " matches its generator")


def check_sound(name):
    (channels, width, rate), samples = read_wav(os.path.join(ROOT, "data", "sound", name))
    check((channels, width, rate) == (1, 2, 22050), name + ": mono 16-bit 22050 Hz")
    check(len(samples) > 0, name + ": has samples")
    if not samples:
        return
    peak = max(abs(s) for s in samples)
    check(1000 < peak < 30000, name + ": audible without clipping (peak %d)" % peak)
    if name == "Eat-Pellet.wav":
        check(len(samples) / rate < 0.15, name + ": shorter than 0.15 s")
    if name == "Start.wav":
        check(1.5 < len(samples) / rate < 6.0, name + ": a jingle of a few seconds")
    # The looping effect's ends are checked through the mixer (tests/audio).
    if name != "Ghosts-Scared.wav":
        edge = max(abs(s) for s in samples[-20:])
        check(edge < 2000, name + ": fades out instead of stopping with a click")


def check_module(name):
    with open(os.path.join(ROOT, "data", "music", name), "rb") as f:
        data = f.read()
    check(data[1080:1084] == b"M.K.", name + ": M.K. signature")
    headers = [struct.unpack_from(">22sHBBHH", data, 20 + 30 * i) for i in range(31)]
    song_length = data[950]
    order = list(data[952:952 + song_length])
    check(0 < song_length <= 128, name + ": song length in range")
    patterns = max(data[952:952 + 128]) + 1
    sample_bytes = sum(h[1] * 2 for h in headers)
    check(len(data) == 1084 + patterns * 1024 + sample_bytes,
          name + ": size is header + %d patterns + samples" % patterns)
    for i, (_, words, finetune, volume, loop_start, loop_words) in enumerate(headers):
        if words:
            check(volume <= 64 and finetune < 16, "%s: sample %d volume and finetune" % (name, i + 1))
            check(loop_words == 1 or loop_start + loop_words <= words,
                  "%s: sample %d loop inside the sample" % (name, i + 1))

    # Walk the song as a player does, timing each row by the current pace in
    # the player's whole samples per tick at the game's mixing rate.
    speed, tempo, samples = 6, 125, 0
    bad_notes = []
    for position in order:
        base = 1084 + position * 1024
        for row in range(64):
            cells = [data[base + row * 16 + c * 4:base + row * 16 + c * 4 + 4] for c in range(4)]
            for b0, b1, b2, b3 in cells:
                sample = (b0 & 0xF0) | (b2 >> 4)
                period = ((b0 & 0x0F) << 8) | b1
                effect = b2 & 0x0F
                if period and period not in PERIODS:
                    bad_notes.append(("period", period))
                if sample and (sample > 31 or headers[sample - 1][1] == 0):
                    bad_notes.append(("sample", sample))
                if effect in (0xB, 0xD):
                    bad_notes.append(("jump", effect))
                if effect == 0xF and b3:
                    if b3 < 0x20:
                        speed = b3
                    else:
                        tempo = b3
            samples += speed * (MIXER_RATE * 125 // (tempo * 50))
    check(not bad_notes, name + ": notes use known periods and samples, no jumps %s" % bad_notes[:3])
    seconds = samples / MIXER_RATE
    check(seconds >= 30.0, name + ": plays %.1f s before it repeats" % seconds)

    # The game restarts a tune as soon as the mixer has rendered the chunk in
    # which it ended; the rest of that chunk is the gap between two passes.
    gap = MIXER_CHUNK - samples % MIXER_CHUNK
    check(gap <= MIXER_CHUNK // 8, name + ": next pass starts on the beat (gap of %d samples)" % gap)
    # No note is held over the restart: the last row cuts every channel and
    # the two before start none.
    last = 1084 + order[-1] * 1024
    closing = [data[last + row * 16 + c * 4:last + row * 16 + c * 4 + 4] for row in (62, 63) for c in range(4)]
    check(not any(((b0 & 0x0F) << 8) | b1 for b0, b1, _, _ in closing), name + ": no note starts as the pass ends")
    check(all(b2 & 0x0F == 0xC and b3 == 0 for _, _, b2, b3 in closing[4:]), name + ": the last row silences every channel")
    print("%s: %.1f s, %d patterns, gap %d samples" % (name, seconds, patterns, gap))
    return tuple(bytes(h[0]).rstrip(b"\0") for h in headers if h[1])


def main():
    with tempfile.TemporaryDirectory() as fresh:
        result = subprocess.run(["/usr/bin/python3", os.path.join(ROOT, "tools", "assets", "generate.py"),
                                 fresh, "boards", "sounds", "music"], capture_output=True, text=True)
        check(result.returncode == 0, "generator runs: " + result.stderr[-500:])
        if result.returncode == 0:
            compare(fresh)
    for name in SOUNDS:
        check_sound(name)
    instrument_sets = [check_module(name) for name in MUSIC]
    check(len(set(instrument_sets)) == len(MUSIC), "every tune has instruments of its own")
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
