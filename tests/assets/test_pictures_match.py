#!/usr/bin/python3
"""Runs the picture generator into a temporary folder and checks that data/ matches it.

Checks: every file of the sprite table, the GUI table and the icon
exists in data/; every generated file decodes to the same size and the same RGBA pixels as the
committed one, but for the edges of glyphs, which FreeType's releases draw a few levels apart; every PNG is a power of two in both dimensions; Screen-Fade.png is opaque black;
TV.png is see-through where the playing screen must show through it; the wall tile is opaque
and joins its neighbours without a seam; every ghost wears a dark outline and the scared ghost is
far from all eight colours; the maker logo's pixels come out square at its 5 x 8 stretch.
Run from the project root with Debian's /usr/bin/python3 (Pillow from python3-pil)."""
import math
import os
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from checks import ROOT, check, verdict

sys.path.insert(0, os.path.join(ROOT, "tools", "assets"))

from PIL import Image, ImageChops, ImageFilter  # noqa: E402

import pictures  # noqa: E402

DATA = os.path.join(ROOT, "data")
# FreeType's releases antialias the edges of glyphs a few levels apart (Debian 12 and 13 by up
# to 9 levels, on a few hundred pixels of a picture with text); any other change is larger or
# wider than this.
GLYPH_EDGE_LEVELS = 16
GLYPH_EDGE_SHARE = 0.01


def rgba(path):
    with Image.open(path) as im:
        return im.convert("RGBA")


def difference(new, old):
    """None when the two are the same picture, else what tells them apart."""
    diff = ImageChops.difference(new, old)
    largest = diff.getchannel("R")
    for channel in "GBA":
        largest = ImageChops.lighter(largest, diff.getchannel(channel))
    counts = largest.histogram()
    changed = sum(counts[1:])
    beyond = sum(counts[GLYPH_EDGE_LEVELS + 1:])
    if beyond == 0 and changed <= GLYPH_EDGE_SHARE * new.width * new.height:
        return None
    return "%d pixels differ, %d by more than %d levels, in box %s" % (changed, beyond, GLYPH_EDGE_LEVELS,
                                                                        largest.getbbox())


def tv_pixel(sx, sy, w, h):
    """Screen point -> TV.png pixel, TV.png being drawn at (420, 290) scaled 1.6."""
    return (sx - 420.0) / 1.6 + w / 2.0, (sy - 290.0) / 1.6 + h / 2.0


def tv_clear_at(tv, a, sx, sy):
    """True when every TV.png pixel (alpha a) that linear filtering blends at this screen point is clear."""
    px, py = tv_pixel(sx, sy, tv.width, tv.height)
    for x in (int(px - 0.5), int(px - 0.5) + 1):
        for y in (int(py - 0.5), int(py - 0.5) + 1):
            if 0 <= x < tv.width and 0 <= y < tv.height and a.getpixel((x, y)) != 0:
                return False
    return True


def check_tv(tv):
    regions = [
        # board view: the hero's tile at (320, 240) with 3 tiles either side and 2 above and below
        ("board view", 320 - 3 * 64 - 32, 240 - 2 * 64 - 32, 320 + 3 * 64 + 32, 240 + 2 * 64 + 32),
        ("mini-map", 503, 340, 611, 448),
        ("score panel strip", 36, 36, 604, 74),
    ]
    alpha = tv.getchannel("A")
    for name, x0, y0, x1, y1 in regions:
        bad = []
        for sy in range(y0, y1 + 1, 2):
            for sx in range(x0, x1 + 1, 2):
                if not tv_clear_at(tv, alpha, sx, sy):
                    bad.append((sx, sy))
        check(not bad, "TV.png is not transparent over the %s at screen points %s" % (name, bad[:5]))
    # and it does frame the picture: the screen corners are covered by the set
    corners = [(2, 2), (637, 2), (2, 477), (637, 477), (100, 460)]
    for sx, sy in corners:
        px, py = tv_pixel(sx, sy, tv.width, tv.height)
        check(alpha.getpixel((int(px), int(py))) == 255,
              "TV.png should be opaque at screen corner %s" % ((sx, sy),))
    check(tv.size == (1024, 512), "TV.png should be 1024 x 512, is %s" % (tv.size,))


def column_steps(im):
    """Mean colour change from each column to the next, the last column wrapping to the first."""
    px = im.load()
    w, h = im.size
    return [sum(abs(px[x, y][c] - px[(x + 1) % w, y][c]) for y in range(h) for c in range(3)) / (3.0 * h)
            for x in range(w)]


def check_wall(wall):
    check(wall.size == (64, 64), "BoundaryLEGO.png should be 64 x 64, is %s" % (wall.size,))
    check(wall.getchannel("A").getextrema() == (255, 255), "BoundaryLEGO.png should be opaque")
    # Wall cells side by side must read as one mass: the step across the join may be no sharper
    # than the tile's own strongest step inside.
    for name, pic in (("left-right", wall), ("top-bottom", wall.transpose(Image.TRANSPOSE))):
        steps = column_steps(pic)
        join, inside = max(steps[-2:] + steps[:2]), max(steps[4:-4])
        check(join <= inside, "BoundaryLEGO.png shows a seam %s: step %.1f at the join, %.1f inside"
              % (name, join, inside))


def body_colour(im):
    px = [p for p in im.getdata() if p[3] == 255]
    return tuple(sum(p[c] for p in px) / float(len(px)) for c in range(3))


def edge_luminance(im):
    """Median luminance of the outermost pixel ring of the picture's shape."""
    shape = im.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    ring = ImageChops.subtract(shape, shape.filter(ImageFilter.MinFilter(3)))
    lum = sorted(0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2] for p, m in zip(im.getdata(), ring.getdata()) if m)
    return lum[len(lum) // 2]


def check_ghosts():
    scared = [body_colour(rgba(os.path.join(DATA, "graphics/Ghost_Scared%d.png" % f))) for f in (1, 2)]
    for colour in ("Red", "Orange", "Cyan", "Yellow", "Green", "Blue", "Purple", "Black"):
        for frame in (1, 2):
            rel = "graphics/Ghost_%s%d.png" % (colour, frame)
            im = rgba(os.path.join(DATA, rel))
            # the outline keeps a ghost's shape on floor and walls of any tint
            check(edge_luminance(im) < 30, "%s: the outline is not dark (%.0f)" % (rel, edge_luminance(im)))
            # scared ghosts are told apart from every normal one, also while they flash
            nearest = min(math.dist(body_colour(im), s) for s in scared)
            check(nearest > 100, "%s: colour only %.0f from a scared ghost's" % (rel, nearest))


def check_maker_logo(logo):
    """Drawn 5 x 8 times enlarged, so strokes of 3 x 2 picture pixels come out 15 x 16."""
    px = logo.load()
    w, h = logo.size
    lines = [[px[x, y] for x in range(w)] for y in range(h)]
    columns = [[px[x, y] for y in range(h)] for x in range(w)]
    for name, group, unit in (("across", lines, 3), ("down", columns, 2)):
        odd = set()
        for line in group:
            start = 0
            for i in range(1, len(line) + 1):
                if i == len(line) or line[i] != line[start]:
                    if line[start][3] and (i - start) % unit:
                        odd.add(i - start)
                    start = i
        check(not odd, "Brickwell-Logo.png: runs %s long %s, not whole art pixels of %d" % (sorted(odd), name, unit))


def game_sprite_files():
    """The game's own sprite table, slot -> file under data/: the slot names of visuals.h, and each
    entry of SPRITE_FILES in sprites.cpp (a name, or a name plus an offset within its block)."""
    visuals = os.path.join(ROOT, "src", "visuals")
    with open(os.path.join(visuals, "visuals.h")) as header, open(os.path.join(visuals, "sprites.cpp")) as table:
        slots = dict((name, int(number)) for name, number in re.findall(r"\b(SPRITE_[A-Z_]+) = (\d+)", header.read()))
        entries = re.findall(r'\{(SPRITE_[A-Z_]+)(?: \+ (\d+))?, "data/([^"]+)"\}', table.read())
    files = dict((slots[name] + int(offset or 0), rel) for name, offset, rel in entries)
    return files if len(files) == len(entries) else {}


def main():
    # 1. the generator's sprite table is the game's, and the tables' files exist in data/
    game = game_sprite_files()
    differing = [slot for slot in sorted(set(game) | set(pictures.SPRITE_FILES))
                 if game.get(slot) != pictures.SPRITE_FILES.get(slot)]
    check(len(game) == 73 and not differing, "the generator's sprite table and the game's differ at slots %s" % differing)
    for rel in pictures.all_files():
        check(os.path.isfile(os.path.join(DATA, rel)), "missing data/" + rel)

    # 2. regenerate and compare
    tmp = tempfile.mkdtemp(prefix="pictures-test-")
    try:
        written = pictures.generate(tmp)
        generated = set()
        for dirpath, _dirs, files in os.walk(tmp):
            for f in files:
                generated.add(os.path.relpath(os.path.join(dirpath, f), tmp))
        check(generated == set(pictures.all_files()),
              "generator writes %s, tables name %s" % (sorted(generated ^ set(pictures.all_files())), ""))
        check(not any(f.endswith(".ttf") for f in generated), "the picture generator must not write fonts")
        for rel in sorted(generated):
            new_path, old_path = os.path.join(tmp, rel), os.path.join(DATA, rel)
            if not os.path.isfile(old_path):
                continue
            new, old = rgba(new_path), rgba(old_path)
            if new.size != old.size:
                check(False, "%s: size %s in data/, generator makes %s" % (rel, old.size, new.size))
                continue
            diff = difference(new, old)
            check(diff is None, "%s: not the generator's picture: %s" % (rel, diff))
            if rel.endswith(".png"):
                w, h = old.size
                check(w > 0 and h > 0 and w & (w - 1) == 0 and h & (h - 1) == 0,
                      "%s: %d x %d is not a power of two in both dimensions" % (rel, w, h))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)

    # 3. particular pictures
    fade = rgba(os.path.join(DATA, "graphics/Screen-Fade.png"))
    check(fade.getextrema() == ((0, 0), (0, 0), (0, 0), (255, 255)), "Screen-Fade.png must be opaque black")
    for rel in ("graphics/TV_Static.png", "graphics/Arcade-Room-01.png", "graphics/Supermarket.png",
                "graphics/Warehouse.png", "graphics/Warehouse_Sunrise.png"):
        im = rgba(os.path.join(DATA, rel))
        check(im.size == (1024, 512), "%s should be 1024 x 512" % rel)
        check(im.getchannel("A").getextrema()[0] == 255, "%s should be opaque" % rel)
    check(rgba(os.path.join(DATA, "interface/Button.png")).size == (256, 64), "Button.png should be 256 x 64")
    check(rgba(os.path.join(DATA, "interface/Selector-Line.png")).width >= 640, "Selector-Line.png narrower than 640")
    check_tv(rgba(os.path.join(DATA, "graphics/TV.png")))
    check_wall(rgba(os.path.join(DATA, "graphics/BoundaryLEGO.png")))
    check_ghosts()
    check_maker_logo(rgba(os.path.join(DATA, "graphics/Brickwell-Logo.png")))

    return verdict()


if __name__ == "__main__":
    sys.exit(main())
