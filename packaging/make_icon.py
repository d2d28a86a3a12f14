#!/usr/bin/python3
"""Writes the desktop icon: the hero from the game's own art, cropped to a
square and scaled. Usage: make_icon.py SOURCE.png SIZE OUTPUT.png"""
import sys

from PIL import Image


def main():
    source, size, output = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    picture = Image.open(source).convert("RGBA")
    # The hero alone: its drop shadow is faint, so only solid pixels count.
    solid = picture.getchannel("A").point(lambda alpha: 255 if alpha > 200 else 0)
    left, top, right, bottom = solid.getbbox()
    side = max(right - left, bottom - top) + 8
    square = Image.new("RGBA", (side, side), (0, 0, 0, 0))
    square.paste(picture.crop((left, top, right, bottom)),
                 ((side - (right - left)) // 2, (side - (bottom - top)) // 2))
    # No time stamp or text chunks, so the same art always gives the same bytes.
    square.resize((size, size), Image.LANCZOS).save(output, "PNG", optimize=False)


if __name__ == "__main__":
    main()
