#!/usr/bin/python3
"""Runs the picture generator into a temporary folder and checks that data/ matches it.

Checks: every file of the sprite table, the GUI table and the icon
exists in data/; every generated file decodes to the same size and the same RGBA pixels as the
committed one; every PNG is a power of two in both dimensions; Screen-Fade.png is opaque black;
and TV.png is see-through where the playing screen must show through it.
Run from the project root with Debian's /usr/bin/python3 (Pillow from python3-pil)."""
import os
import shutil
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "assets"))

from PIL import Image, ImageChops  # noqa: E402

import pictures  # noqa: E402

DATA = os.path.join(ROOT, "data")
passed = 0
failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAIL:", what)


def rgba(path):
    with Image.open(path) as im:
        return im.convert("RGBA")


def tv_pixel(sx, sy, w, h):
    """Screen point -> TV.png pixel, TV.png being drawn at (420, 290) scaled 1.6."""
    return (sx - 420.0) / 1.6 + w / 2.0, (sy - 290.0) / 1.6 + h / 2.0


def tv_clear_at(tv, sx, sy):
    """True when every TV.png pixel that linear filtering blends at this screen point is clear."""
    px, py = tv_pixel(sx, sy, tv.width, tv.height)
    a = tv.getchannel("A")
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
    for name, x0, y0, x1, y1 in regions:
        bad = []
        for sy in range(y0, y1 + 1, 2):
            for sx in range(x0, x1 + 1, 2):
                if not tv_clear_at(tv, sx, sy):
                    bad.append((sx, sy))
        check(not bad, "TV.png is not transparent over the %s at screen points %s" % (name, bad[:5]))
    # and it does frame the picture: the screen corners are covered by the set
    corners = [(2, 2), (637, 2), (2, 477), (637, 477), (100, 460)]
    for sx, sy in corners:
        px, py = tv_pixel(sx, sy, tv.width, tv.height)
        check(tv.getchannel("A").getpixel((int(px), int(py))) == 255,
              "TV.png should be opaque at screen corner %s" % ((sx, sy),))
    check(tv.size == (1024, 512), "TV.png should be 1024 x 512, is %s" % (tv.size,))


def main():
    # 1. the tables' files exist in data/
    check(len(pictures.SPRITE_FILES) == 73, "sprite table has %d slots, expected 73" % len(pictures.SPRITE_FILES))
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
            diff = ImageChops.difference(new, old).getbbox()
            check(diff is None, "%s: pixels differ from the generator's output in box %s" % (rel, diff))
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

    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
