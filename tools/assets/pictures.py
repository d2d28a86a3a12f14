#!/usr/bin/python3
"""Picture part of the asset generator: writes every PNG of the sprite table,
the GUI images and the window icon under the given data folder.

Run through generate.py:  /usr/bin/python3 tools/assets/generate.py [out_dir] pictures
Needs Pillow (Debian python3-pil) and the DejaVu fonts (Debian fonts-dejavu-core and -extra)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art_actors  # noqa: E402
import art_gui  # noqa: E402
import art_logos  # noqa: E402
import art_screens  # noqa: E402
import art_common  # noqa: E402

# Sprite table: index -> file under data/ (73 slots, some files shared).
SPRITE_FILES = {0: "graphics/Screen-Fade.png", 1: "graphics/Screen-Fade.png",
                2: "graphics/Brickwell-Logo.png", 3: "graphics/Keyboard-Controls.png",
                4: "graphics/Arcade-Room-01.png", 5: "graphics/TV_Static.png", 6: "graphics/TV.png",
                7: "graphics/WobblerSaga-Text-Logo.png", 8: "graphics/Sponsor-Logo.png"}
for _d, _name in enumerate(("UP", "RIGHT", "DOWN", "LEFT")):
    for _f in range(5):
        SPRITE_FILES[10 + 10 * _d + _f] = "graphics/Player_%s%d.png" % (_name, _f + 1)
    SPRITE_FILES[15 + 10 * _d] = "graphics/Player_Die.png"
    SPRITE_FILES[46 + _d] = "graphics/Player_%s3.png" % _name
for _c, _name in enumerate(("Red", "Orange", "Cyan", "Yellow", "Green", "Blue", "Purple", "Black")):
    SPRITE_FILES[60 + 2 * _c] = "graphics/Ghost_%s1.png" % _name
    SPRITE_FILES[61 + 2 * _c] = "graphics/Ghost_%s2.png" % _name
SPRITE_FILES.update({76: "graphics/Ghost_Scared1.png", 77: "graphics/Ghost_Scared2.png",
                     78: "graphics/Ghost_Eyes_UP.png", 79: "graphics/Ghost_Eyes_RIGHT.png",
                     80: "graphics/Ghost_Eyes_DOWN.png", 81: "graphics/Ghost_Eyes_LEFT.png",
                     91: "graphics/Map_Pellet.png", 92: "graphics/MapBG.png", 93: "graphics/Map_Gob.png",
                     97: "graphics/Pellet.png", 98: "graphics/Power_Pellet.png",
                     99: "graphics/BoundaryLEGO.png", 110: "graphics/Supermarket.png",
                     111: "graphics/Warehouse.png", 112: "graphics/Warehouse_Sunrise.png",
                     121: "graphics/Wobbler_Right.png", 123: "graphics/Wobbler2.png",
                     130: "graphics/MsWobbler.png", 140: "graphics/Ghost_Character.png",
                     141: "graphics/Ghost_Character2.png"})

# GUI images (records 0 to 30 use these four files).
GUI_FILES = ["interface/Button-Selector-Left.png", "interface/Button-Selector-Right.png",
             "interface/Button.png", "interface/Selector-Line.png"]

ICON_FILE = "graphics/Icon.bmp"


def all_files():
    """Every file this generator writes, relative to the data folder."""
    return sorted(set(SPRITE_FILES.values()) | set(GUI_FILES) | {ICON_FILE})


def generate(out_dir):
    written = []

    def save(img, path):
        art_common.save_png(img, path)
        written.append(path)

    art_actors.generate(out_dir, save)
    art_gui.generate(out_dir, save)
    art_logos.generate(out_dir, save)
    art_screens.generate(out_dir, save)
    return written


if __name__ == "__main__":
    generate(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data"))
