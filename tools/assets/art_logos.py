"""Logos and information pictures: the sponsor and maker marks (both fictional), the title
logo "Nibbleton Saga", the keyboard-controls picture and the window icon."""
import math

from PIL import Image, ImageDraw

import art_actors
from art_common import (Canvas, SANS, SANS_BOLD, SANS_COND_BOLD, SERIF_BOLD, blur, dilate, erode, intersect,
                        shift, subtract)

# --- maker logo: pixel art, shown scaled 5 x 8 with nearest filtering ------------------------------
# One art pixel is 3 x 2 picture pixels, 15 x 16 on screen: square to the eye at that stretch.
LOGO_CELL_W, LOGO_CELL_H = 3, 2
LOGO_LEFT = 2  # picture columns left of the first art column, so the art is centred
PIXEL_FONT = {
    "B": ["##.", "#.#", "##.", "#.#", "##."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "I": ["#", "#", "#", "#", "#"],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"],
    "W": ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "E": ["###", "#..", "##.", "#..", "###"],
    "L": ["#..", "#..", "#..", "#..", "###"],
}
BRICK_ICON = [  # a toy brick from the front: two studs on top
    ".s.s.",
    "hhhhh",
    "hrrrd",
    "hrrrd",
    "hrrrd",
    "ddddd",
]
ICON_COLOURS = {"s": (255, 120, 96), "h": (255, 96, 80), "r": (226, 34, 38), "d": (130, 8, 20)}
# Letter rows from light yellow at the top to orange at the bottom.
LETTER_SHADES = [(255, 246, 120), (255, 226, 80), (255, 204, 52), (255, 178, 34), (246, 148, 22)]
LOGO_TOP = 3  # art row of the studs; the letters stand on rows 4 to 8, the wall strip on row 10


def brickwell_logo():
    art = {}  # (column, row) -> colour, in art pixels
    for y, row in enumerate(BRICK_ICON):
        for x, ch in enumerate(row):
            if ch in ICON_COLOURS:
                art[(x, LOGO_TOP + y)] = ICON_COLOURS[ch]
    x0 = len(BRICK_ICON[0]) + 1
    letters = []
    x = x0
    for ch in "BRICKWELL":
        glyph = PIXEL_FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "#":
                    letters.append((x + gx, LOGO_TOP + 1 + gy, LETTER_SHADES[gy]))
        x += len(glyph[0]) + 1
    for cx, cy, shade in letters:
        art[(cx, cy)] = shade
    # a little brick wall under the name: bricks four art pixels long with dark mortar
    for cx in range(x0, x - 1):
        art[(cx, LOGO_TOP + 7)] = (90, 10, 16) if (cx - x0) % 4 == 3 else (214, 40, 40)
    img = Image.new("RGBA", (128, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for (cx, cy), col in art.items():
        left, top = LOGO_LEFT + cx * LOGO_CELL_W, cy * LOGO_CELL_H
        d.rectangle([left, top, left + LOGO_CELL_W - 1, top + LOGO_CELL_H - 1], fill=col + (255,))
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


# --- how to play (drawn centred at (320, 240)) -----------------------------------------------------
def _key(c, x0, y0, x1, y1, label=None, arrow=None, size=15):
    r = min(6, (y1 - y0) / 5.0)
    c.fill(c.rrect_mask((x0, y0 + 3, x1, y1 + 3), r), (20, 20, 30))
    c.fill(c.rrect_mask((x0, y0, x1, y1), r), c.vertical(y0, y1, (250, 250, 255), (186, 190, 206)))
    c.fill(c.rrect_mask((x0 + 2.5, y0 + 1.5, x1 - 2.5, y1 - 5), r - 1),
           c.vertical(y0, y1, (255, 255, 255), (226, 228, 238)))
    mx, my = (x0 + x1) / 2.0, (y0 + y1) / 2.0 - 2
    if label:
        c.text((mx, my), label, SANS_COND_BOLD, size, (40, 40, 60))
    if arrow is not None:
        a = math.radians(arrow)
        k = (y1 - y0) / 34.0
        pts = [(mx + k * r_ * math.cos(a + math.radians(ang)), my + k * r_ * math.sin(a + math.radians(ang)))
               for ang, r_ in ((0, 8), (140, 7), (220, 7))]
        c.fill(c.polygon_mask(pts), (40, 40, 60))


def _sprite(c, img, cx, cy, size):
    """One of the game's own pictures, shrunk to size and centred on (cx, cy)."""
    c.flush()
    big = img.resize((int(size * c.ss), int(size * c.ss)), Image.LANCZOS)
    c.img.alpha_composite(big, (int((cx - size / 2.0) * c.ss), int((cy - size / 2.0) * c.ss)))


def _rule_icons(c, row, y):
    """The little scene left of each rule, drawn with the board's own sprites."""
    if row == 0:  # the hero eating along a line of pellets
        for x in (66, 82, 98):
            _sprite(c, art_actors.pellet(), x, y, 40)
        _sprite(c, art_actors.hero_frame("RIGHT", 3), 42, y, 34)
    elif row == 1:  # three ghosts
        for x, colour in ((36, 0), (62, 2), (88, 1)):
            _sprite(c, art_actors.ghost_frame(art_actors.GHOST_COLOURS[colour][1], 1), x, y, 32)
            _sprite(c, art_actors.ghost_eyes("LEFT"), x, y, 32)
    elif row == 2:  # a power pellet turns a ghost pale
        _sprite(c, art_actors.power_pellet(), 34, y, 40)
        c.fill(c.polygon_mask([(54, y - 6), (64, y), (54, y + 6)]), (255, 210, 60))
        _sprite(c, art_actors.scared_frame(1), 86, y, 32)
        _sprite(c, art_actors.ghost_eyes("RIGHT"), 86, y, 32)
    else:  # an extra hero
        _sprite(c, art_actors.hero_frame("RIGHT", 2), 48, y, 32)
        c.text((82, y), "+1", SANS_COND_BOLD, 20, (120, 255, 120), stroke=2, stroke_fill=(0, 40, 0))


HOW_TO_PLAY_RULES = [
    ("Eat every pellet to clear the board", "Five boards to win, each one faster"),
    ("Keep away from the ghosts", "A ghost that catches you takes a life"),
    ("Power pellets turn the ghosts pale", "Eat them while they are pale: 200, 400, 600..."),
    ("Extra lives at 10,000 and 100,000", "All points are multiplied by the level"),
]


def keyboard_controls():
    """512 x 512 with the content in rows 66..346, i.e. screen y 50..330 (between the title rule
    and the lines of the player's extra keys at y 340 and 370): the rules above, the keys below."""
    c = Canvas(512, 512)
    panel = c.rrect_mask((6, 64, 506, 348), 16)
    c.fill(panel, (8, 6, 28), 0.78)
    ring = subtract(panel, erode(panel, 2 * c.ss))
    c.fill(ring, (255, 210, 60), 0.9)

    def line(x, y, s, size, colour=(255, 255, 255)):
        c.text((x, y), s, SANS_COND_BOLD, size, colour, anchor="lm", stroke=2, stroke_fill=(0, 0, 0))

    for row, (rule, detail) in enumerate(HOW_TO_PLAY_RULES):
        y = 92 + 42 * row
        _rule_icons(c, row, y)
        line(116, y - 9, rule, 19)
        line(116, y + 11, detail, 15, (255, 226, 140))
    c.fill(c.rect_mask((22, 259, 490, 261)), (255, 210, 60), 0.6)

    # keys: move, pause, leave on the first row; menus and set-up on the second
    _key(c, 44, 268, 66, 288, arrow=-90)
    _key(c, 20, 290, 42, 310, arrow=180)
    _key(c, 44, 290, 66, 310, arrow=90)
    _key(c, 68, 290, 90, 310, arrow=0)
    line(98, 289, "Move", 18)
    _key(c, 162, 274, 240, 298, "Space", size=13)
    line(248, 286, "Pause", 18)
    _key(c, 320, 274, 360, 298, "Esc", size=13)
    line(368, 286, "Leave", 18)
    _key(c, 20, 316, 66, 340, "Enter", size=12)
    _key(c, 72, 316, 96, 340, "Z", size=13)
    line(104, 328, "Choose", 18)
    _key(c, 176, 316, 206, 340, "F1", size=13)
    _key(c, 212, 316, 242, 340, "F2", size=13)
    line(250, 328, "Options: joystick / extra keys", 16)
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
