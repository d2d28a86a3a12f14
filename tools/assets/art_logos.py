"""Logos and information pictures: the sponsor and maker marks (both fictional), the title
logo "Nibbleton Saga", the keyboard-controls picture and the window icon."""
import math

from PIL import Image, ImageDraw

import art_actors
from art_common import (Canvas, SANS, SANS_BOLD, SERIF_BOLD, blur, dilate, erode, font, intersect, mix,
                        shift, subtract, union)

# --- maker logo: pixel art, shown scaled 5 x 8 with nearest filtering -----------------------------
PIXEL_FONT = {
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "C": [".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
}
BRICK_ICON = [  # 14 x 11, seen from the front: two studs on top of a brick
    "..hhh....hhh..",
    "..sss....sss..",
    "hhhhhhhhhhhhhh",
    "hrrrrrrrrrrrrd",
    "hrrrrrrrrrrrrd",
    "hrrrrrrrrrrrrd",
    "hrrrrrrrrrrrrd",
    "hrrrrrrrrrrrrd",
    "hrrrrrrrrrrrrd",
    "hrrrrrrrrrrrrd",
    "dddddddddddddd",
]


def brickwell_logo():
    img = Image.new("RGBA", (128, 32), (0, 0, 0, 0))
    px = img.load()
    icon_cols = {"h": (255, 120, 96), "s": (176, 16, 28), "r": (226, 34, 38), "d": (130, 8, 20)}
    ix, iy = 6, 9
    for y, row in enumerate(BRICK_ICON):
        for x, ch in enumerate(row):
            if ch in icon_cols:
                px[ix + x, iy + y] = icon_cols[ch] + (255,)
    # letters: every font column doubled so strokes come out about square at the 5 x 8 stretch
    text = "BRICKWELL"
    x0, y0 = 23, 11
    shades = [(255, 246, 120), (255, 232, 90), (255, 214, 60), (255, 196, 40), (255, 176, 30), (255, 156, 24),
              (240, 130, 20)]
    cells = []
    x = x0
    for ch in text:
        for gy, row in enumerate(PIXEL_FONT[ch]):
            for gx, bit in enumerate(row):
                if bit == "#":
                    cells.append((x + 2 * gx, y0 + gy))
                    cells.append((x + 2 * gx + 1, y0 + gy))
        x += 11
    for cx, cy in cells:  # drop shadow first
        if px[cx + 1, cy + 1][3] == 0:
            px[cx + 1, cy + 1] = (120, 24, 8, 255)
    for cx, cy in cells:
        px[cx, cy] = shades[cy - y0] + (255,)
    # a little brick wall underline
    for xx in range(x0, x - 1):
        for yy, off in ((20, 0), (21, 2)):
            mortar = (xx - x0 + off) % 5 == 4
            px[xx, yy] = (90, 10, 16, 255) if mortar else ((214, 40, 40, 255) if yy == 20 else (176, 24, 30, 255))
    return img


# --- sponsor logo (shown on white) -------------------------------------------------------------------
def sponsor_logo():
    c = Canvas(512, 256)
    cx, cy, R = 104, 128, 78
    pts = []
    for k in range(42):
        a = math.pi * 2 * k / 42
        r = R if k % 2 == 0 else R - 7
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    cap = c.polygon_mask(pts)
    c.fill(blur(shift(cap, 3 * c.ss, 5 * c.ss), 4 * c.ss), (0, 0, 0), 0.25)
    c.fill(cap, c.radial(cx - 30, cy - 34, 130, (255, 90, 100), (176, 10, 40)))
    inner = c.circle_mask(cx, cy, R - 16)
    c.fill(dilate(inner, 2 * c.ss), (120, 0, 30))
    c.fill(inner, c.radial(cx - 16, cy - 20, 80, (255, 255, 255), (236, 228, 240)))
    # berry cluster with a leaf
    c.fill(c.polygon_mask([(cx + 2, cy - 30), (cx + 34, cy - 46), (cx + 26, cy - 20)]), (60, 170, 70))
    for bx, by in ((cx - 14, cy - 4), (cx + 14, cy - 4), (cx, cy + 18), (cx, cy - 22), (cx - 18, cy + 22), (cx + 18, cy + 22)):
        b = c.circle_mask(bx, by, 14)
        c.fill(dilate(b, 1.5 * c.ss), (60, 0, 80))
        c.fill(b, c.radial(bx - 5, by - 6, 20, (236, 140, 255), (120, 20, 170)))
        c.fill(c.circle_mask(bx - 5, by - 6, 3.5), (255, 255, 255), 0.8)
    c.text((356, 98), "Quibbleberry", SERIF_BOLD, 40, (112, 24, 150), stroke=1, stroke_fill=(70, 0, 100))
    c.fill(c.rrect_mask((204, 124, 508, 160), 18), (214, 20, 50))
    c.text((356, 143), "S O D A   W O R K S", SANS_BOLD, 22, (255, 255, 255))
    c.text((356, 186), "fizzing up fun since forever", SANS, 17, (110, 110, 120))
    return c.result()


# --- title logo -----------------------------------------------------------------------------------
def title_logo():
    c = Canvas(512, 128)
    word = "Nibbleton"
    size = 80
    m = c.text_mask((256, 48), word, SANS_BOLD, size)
    bbox = m.getbbox()
    top, bottom = bbox[1] / c.ss, bbox[3] / c.ss
    c.fill(blur(shift(dilate(m, 6 * c.ss), 3 * c.ss, 5 * c.ss), 3 * c.ss), (0, 0, 0), 0.55)
    c.fill(dilate(m, 6 * c.ss), (58, 8, 84))
    c.fill(dilate(m, 3 * c.ss), (255, 255, 255))
    c.fill(m, c.vertical(top, bottom, (255, 250, 150), (255, 124, 0)))
    hl = subtract(m, shift(m, 0, 3 * c.ss))
    c.fill(intersect(hl, c.rect_mask((0, 0, 512, (top + bottom) / 2))), (255, 255, 255), 0.7)
    # ribbon with SAGA, the hero chomping along it
    rb = c.polygon_mask([(168, 92), (344, 92), (356, 107), (344, 124), (168, 124), (156, 107)])
    c.fill(blur(shift(rb, 2 * c.ss, 3 * c.ss), 2 * c.ss), (0, 0, 0), 0.5)
    c.fill(dilate(rb, 2.5 * c.ss), (58, 8, 84))
    c.fill(rb, c.vertical(92, 124, (255, 80, 110), (190, 0, 50)))
    c.text((256, 108.5), "S A G A", SANS_BOLD, 24, (255, 255, 255), stroke=1.5, stroke_fill=(110, 0, 30))
    for k, x in enumerate((120, 132, 144)):
        c.fill(c.circle_mask(x, 108, 3.2), (58, 8, 84))
        c.fill(c.circle_mask(x, 108, 2.4), (255, 236, 200))
    art_actors.draw_gobbler(c, 98, 108, 11, 0, 40, eye_angle=-66, line=1.3)
    for x in (368, 380, 392):
        c.fill(c.circle_mask(x, 108, 3.2), (58, 8, 84))
        c.fill(c.circle_mask(x, 108, 2.4), (255, 236, 200))
    return c.result()


# --- keyboard controls (how-to-play screen, drawn centred at (320, 240)) ---------------------------
def _key(c, x0, y0, x1, y1, label=None, arrow=None, size=15):
    c.fill(c.rrect_mask((x0, y0 + 3, x1, y1 + 3), 6), (20, 20, 30))
    c.fill(c.rrect_mask((x0, y0, x1, y1), 6), c.vertical(y0, y1, (250, 250, 255), (186, 190, 206)))
    c.fill(c.rrect_mask((x0 + 3, y0 + 2, x1 - 3, y1 - 6), 5), c.vertical(y0, y1, (255, 255, 255), (226, 228, 238)))
    mx, my = (x0 + x1) / 2.0, (y0 + y1) / 2.0 - 2
    if label:
        c.text((mx, my), label, SANS_BOLD, size, (40, 40, 60))
    if arrow is not None:
        a = math.radians(arrow)
        pts = []
        for ang, r in ((0, 8), (140, 7), (220, 7)):
            pts.append((mx + r * math.cos(a + math.radians(ang)), my + r * math.sin(a + math.radians(ang))))
        c.fill(c.polygon_mask(pts), (40, 40, 60))


def keyboard_controls():
    """512 x 512 with the content in rows 66..346, i.e. screen y 50..330 (between the title rule
    and the lines of the player's extra keys at y 340 and 370)."""
    c = Canvas(512, 512)
    panel = c.rrect_mask((6, 64, 506, 348), 16)
    c.fill(panel, (8, 6, 28), 0.72)
    ring = subtract(panel, erode(panel, 2 * c.ss))
    c.fill(ring, (255, 210, 60), 0.9)

    def label(y, s, x=196, size=19):
        c.text((x, y), s, SANS_BOLD, size, (255, 255, 255), anchor="lm", stroke=2, stroke_fill=(0, 0, 0))

    # arrow keys
    _key(c, 70, 76, 106, 110, arrow=-90)
    _key(c, 30, 114, 66, 148, arrow=180)
    _key(c, 70, 114, 106, 148, arrow=90)
    _key(c, 110, 114, 146, 148, arrow=0)
    label(100, "Arrow keys: move")
    label(126, "your gobbler through the maze", size=15)
    # space
    _key(c, 30, 162, 176, 192, "Space", size=14)
    label(177, "Space: pause / continue")
    # escape
    _key(c, 30, 206, 80, 236, "Esc", size=14)
    label(221, "Escape: leave / go back")
    # menus
    _key(c, 30, 250, 90, 280, "Enter", size=13)
    _key(c, 96, 250, 146, 280, "Space", size=10)
    _key(c, 152, 250, 180, 280, "Z", size=14)
    label(256, "Enter, Space or Z:", size=17)
    label(276, "choose in the menus", size=15)
    # setup
    _key(c, 30, 296, 72, 326, "F1", size=14)
    _key(c, 80, 296, 122, 326, "F2", size=14)
    label(302, "F1 / F2 on the Options screen:", size=16)
    label(323, "set up joystick / extra keys", size=16)
    return c.result()


def icon():
    c = Canvas(32, 32, ss=8)
    c.fill(c.rrect_mask((0, 0, 32, 32), 6), c.vertical(0, 32, (40, 30, 90), (14, 10, 40)))
    art_actors.draw_gobbler(c, 16, 16, 12.5, 0, 40, eye_angle=-66, line=1.0)
    return c.result().convert("RGB")


def generate(out_dir, save):
    g = out_dir + "/graphics/"
    save(brickwell_logo(), g + "Brickwell-Logo.png")
    save(sponsor_logo(), g + "Sponsor-Logo.png")
    save(title_logo(), g + "WobblerSaga-Text-Logo.png")
    save(keyboard_controls(), g + "Keyboard-Controls.png")
    import os
    os.makedirs(g, exist_ok=True)
    icon().save(g + "Icon.bmp", "BMP")
