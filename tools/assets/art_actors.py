"""Sprites of the playing field: the hero, the ghosts and their eyes, pellets, the wall brick
and the mini-map pieces, plus the big scene characters of the opening and ending scenes."""
import math

from PIL import Image

from art_common import (Canvas, dilate, erode, blur, intersect, mix, shift, subtract, union, wedge_points)

# Palette -------------------------------------------------------------------------------
HERO_LIGHT = (255, 247, 150)
HERO_MID = (255, 206, 38)
HERO_DARK = (236, 124, 10)
HERO_LINE = (96, 40, 0)

GHOST_COLOURS = [
    ("Red", (236, 38, 44)),
    ("Orange", (255, 146, 28)),
    ("Cyan", (36, 214, 236)),
    ("Yellow", (244, 232, 52)),
    ("Green", (52, 206, 74)),
    ("Blue", (40, 120, 255)),
    ("Purple", (168, 72, 232)),
    ("Black", (50, 50, 60)),
]
SCARED = (214, 224, 255)
SCARED_SHADE = (140, 156, 230)
SCARED_LINE = (20, 26, 120)

DIRECTIONS = {"UP": -90, "RIGHT": 0, "DOWN": 90, "LEFT": 180}
# Where the hero's eye sits relative to the mouth: above it when facing left or right,
# on the left when facing up or down.
EYE_ANGLE = {"UP": -162, "RIGHT": -66, "DOWN": 162, "LEFT": -114}
# Half-angle of the mouth in degrees for frames 1..5: 1 closed, 3 wide open, 4 and 5 the collapse.
MOUTH = {1: 0, 2: 24, 3: 46, 4: 105, 5: 158}


# Hero -----------------------------------------------------------------------------------
def draw_gobbler(c, cx, cy, r, facing, mouth, eye_angle=None, eye_style="dot", line=1.5,
                 lips=None, glint=True):
    """Draw the round gobbler seen from above into canvas c (final-pixel units)."""
    body = c.circle_mask(cx, cy, r)
    if mouth > 0:
        wedge = c.polygon_mask(wedge_points(cx, cy, r * 1.6, facing - mouth, facing + mouth, 64))
        body = subtract(body, wedge)
    outline = dilate(body, line * c.ss)
    c.fill(outline, HERO_LINE)
    paint = c.radial(cx - 0.38 * r, cy - 0.42 * r, 1.75 * r, HERO_LIGHT, HERO_DARK, power=1.35)
    c.fill(body, paint)
    # darker rim toward the lower right for volume
    rim = subtract(body, shift(erode(body, 0.09 * r * c.ss), -0.05 * r * c.ss, -0.07 * r * c.ss))
    c.fill(blur(rim, 0.05 * r * c.ss), HERO_DARK, 0.45)
    if glint:
        g = c.ellipse_mask((cx - 0.62 * r, cy - 0.70 * r, cx - 0.18 * r, cy - 0.40 * r))
        c.fill(intersect(blur(g, 0.06 * r * c.ss), erode(body, 0.04 * r * c.ss)), (255, 255, 235), 0.75)
    if mouth == 0:
        # closed mouth: a short crease toward the direction of travel
        d = c.draw()
        a = math.radians(facing)
        x0, y0 = cx + 0.42 * r * math.cos(a), cy + 0.42 * r * math.sin(a)
        x1, y1 = cx + 1.0 * r * math.cos(a), cy + 1.0 * r * math.sin(a)
        d.line([(x0 * c.ss, y0 * c.ss), (x1 * c.ss, y1 * c.ss)], fill=HERO_LINE + (255,),
               width=int(max(1, line * 0.9 * c.ss)))
    if lips:
        d = c.draw()
        for s in (-1, 1):
            a = math.radians(facing + s * mouth)
            pts = [(cx + k * r * math.cos(a), cy + k * r * math.sin(a)) for k in (0.62, 0.97)]
            d.line(c.pts(pts), fill=lips + (255,), width=int(0.09 * r * c.ss))
    if eye_angle is not None:
        # skip the eye if the mouth has swallowed its place
        diff = abs((eye_angle - facing + 180) % 360 - 180)
        if diff > mouth + 12:
            a = math.radians(eye_angle)
            ex, ey = cx + 0.52 * r * math.cos(a), cy + 0.52 * r * math.sin(a)
            if eye_style == "dot":
                er = 0.12 * r
                c.fill(c.ellipse_mask((ex - er, ey - er * 1.15, ex + er, ey + er * 1.15)), (40, 20, 10))
                gr = er * 0.42
                c.fill(c.circle_mask(ex - er * 0.3, ey - er * 0.45, gr), (255, 255, 255), 0.9)
            else:
                draw_big_eye(c, ex, ey, 0.17 * r, facing, eye_style)


def draw_big_eye(c, ex, ey, er, facing, style):
    """A cartoon eye with white, pupil and glint, looking toward `facing` (scene characters)."""
    white = c.ellipse_mask((ex - er, ey - er * 1.25, ex + er, ey + er * 1.25))
    c.fill(dilate(white, 0.16 * er * c.ss), (70, 30, 0))
    c.fill(white, (255, 255, 255))
    a = math.radians(facing)
    px, py = ex + 0.38 * er * math.cos(a), ey + 0.38 * er * math.sin(a)
    pr = 0.55 * er
    c.fill(intersect(c.ellipse_mask((px - pr, py - pr * 1.2, px + pr, py + pr * 1.2)), white), (30, 24, 40))
    c.fill(c.circle_mask(px - pr * 0.35, py - pr * 0.5, pr * 0.33), (255, 255, 255))
    if style == "lashes":
        d = c.draw()
        for k in range(3):
            ang = math.radians(-150 + k * 30)
            x0, y0 = ex + er * 0.95 * math.cos(ang), ey + er * 1.2 * math.sin(ang)
            x1, y1 = ex + er * 1.6 * math.cos(ang - 0.15), ey + er * 1.85 * math.sin(ang - 0.15)
            d.line(c.pts([(x0, y0), (x1, y1)]), fill=(40, 20, 10, 255), width=int(0.22 * er * c.ss))


def hero_frame(direction, frame):
    c = Canvas(64, 64)
    r = 26.5 * {4: 0.94, 5: 0.84}.get(frame, 1.0)  # the death frames also shrink
    draw_gobbler(c, 32, 32, r, DIRECTIONS[direction], MOUTH[frame], EYE_ANGLE[direction])
    return c.result()


def hero_die():
    """A small puff: the hero is gone, a little cloud with sparkles remains."""
    c = Canvas(64, 64)
    puffs = [(32, 30, 8.5), (24, 34, 6.5), (40, 34, 6.5), (27, 26, 6), (38, 26, 6), (32, 38, 6)]
    m = union(*[c.circle_mask(x, y, r) for x, y, r in puffs])
    c.fill(dilate(m, 1.2 * c.ss), (120, 90, 60), 0.8)
    c.fill(m, c.radial(28, 24, 18, (255, 255, 245), (236, 214, 170)))
    d = c.draw()
    for k in range(8):
        a = math.radians(k * 45 + 22.5)
        r0, r1 = 15, 22 if k % 2 else 19
        d.line(c.pts([(32 + r0 * math.cos(a), 32 + r0 * math.sin(a)),
                      (32 + r1 * math.cos(a), 32 + r1 * math.sin(a))]),
               fill=(255, 226, 90, 255), width=int(2.2 * c.ss))
    return c.result()


# Ghosts -----------------------------------------------------------------------------------
def ghost_points(cx, top, w, bottom, phase, bumps=4, amp=None, steps=80):
    """Outline of a ghost: dome on top, straight sides, wavy skirt at the bottom."""
    r = w / 2.0
    dome_cy = top + r
    amp = amp if amp is not None else w * 0.11
    pts = []
    for i in range(steps + 1):
        a = math.pi + math.pi * i / steps  # left -> over the top -> right
        pts.append((cx + r * math.cos(a), dome_cy + r * math.sin(a)))
    x0, x1 = cx - r, cx + r
    for i in range(steps + 1):
        x = x1 - (x1 - x0) * i / steps
        t = (x - x0) / (x1 - x0)
        y = bottom - amp * abs(math.sin(math.pi * bumps * t + phase))
        pts.append((x, y))
    return pts


def draw_ghost_body(c, cx, top, w, bottom, phase, base, line_w=1.5, outline=None, rim=None, bumps=4,
                    light=None, shade=None):
    body = c.polygon_mask(ghost_points(cx, top, w, bottom, phase, bumps))
    dark = mix(base, (0, 0, 0), 0.72)
    c.fill(dilate(body, line_w * c.ss), outline or dark)
    light = light or mix(base, (255, 255, 255), 0.5)
    shade = shade or mix(base, (0, 0, 0), 0.32)
    paint = c.radial(cx - 0.3 * w, top + 0.25 * w, 1.25 * w, light, shade, power=1.2)
    c.fill(body, paint)
    # soft inner shadow at the bottom and right for volume
    inner = subtract(body, shift(erode(body, 0.06 * w * c.ss), -0.03 * w * c.ss, -0.05 * w * c.ss))
    c.fill(blur(inner, 0.04 * w * c.ss), shade, 0.6)
    if rim:
        ring = subtract(body, erode(body, 0.05 * w * c.ss))
        c.fill(ring, rim, 0.9)
    # glossy spot on the dome
    g = c.ellipse_mask((cx - 0.36 * w, top + 0.10 * w, cx - 0.06 * w, top + 0.30 * w))
    c.fill(blur(g, 0.03 * w * c.ss), (255, 255, 255), 0.45)
    return body


# Every ghost of the board wears the same near-black outline, thick enough to keep its shape
# on the lightest wall and beside a wall of its own colour.
GHOST_OUTLINE = (14, 10, 24)
GHOST_LINE = 2.2
GHOST_BOX = (32, 5, 52, 59)  # centre x, top, width, bottom of the body in the 64 x 64 picture


def ghost_frame(base, frame, black=False):
    c = Canvas(64, 64)
    phase = 0.0 if frame == 1 else math.pi / 2
    rim = (176, 180, 198) if black else None  # the black ghost's light rim shows it on the dark floor
    # a small highlight keeps the colour strong, so the eight stay apart at a glance
    draw_ghost_body(c, *GHOST_BOX, phase, base, line_w=GHOST_LINE, outline=GHOST_OUTLINE, rim=rim,
                    light=mix(base, (255, 255, 255), 0.3))
    return c.result()


def scared_frame(frame):
    """Pale with fright: no normal ghost is near white, so a scared one is told apart from all eight
    at a glance, and flashing back to any ghost's own colour is a plain blink."""
    c = Canvas(64, 64)
    phase = 0.0 if frame == 1 else math.pi / 2
    draw_ghost_body(c, *GHOST_BOX, phase, SCARED, line_w=GHOST_LINE, outline=SCARED_LINE,
                    light=(255, 255, 255), shade=SCARED_SHADE)
    d = c.draw()
    # worried brows above where the eyes go, inner ends raised
    for outer, inner in (((15.5, 15.5), (26, 11.5)), ((48.5, 15.5), (38, 11.5))):
        d.line(c.pts([outer, inner]), fill=SCARED_LINE + (255,), width=int(2.2 * c.ss))
    # wavy frown below the eyes
    pts = []
    for i in range(33):
        x = 17 + 30 * i / 32
        y = 45 + 2.8 * math.cos(math.pi * 4 * i / 32 + (0 if frame == 1 else math.pi))
        pts.append((x, y))
    d.line(c.pts(pts), fill=SCARED_LINE + (255,), width=int(2.6 * c.ss), joint="curve")
    return c.result()


def ghost_eyes(direction):
    """Two eyes where a ghost body's eyes belong (64 x 64 ghost), looking toward direction."""
    c = Canvas(64, 64)
    a = math.radians(DIRECTIONS[direction])
    dx, dy = math.cos(a), math.sin(a)
    for ex in (23.5, 40.5):
        wx, wy = ex + 1.6 * dx, 27 + 1.6 * dy
        white = c.ellipse_mask((wx - 6.2, wy - 7.6, wx + 6.2, wy + 7.6))
        c.fill(dilate(white, 1.0 * c.ss), (30, 30, 60))
        c.fill(white, c.radial(wx - 2, wy - 3, 10, (255, 255, 255), (206, 214, 236)))
        px, py = wx + 3.0 * dx, wy + 3.6 * dy
        c.fill(intersect(c.circle_mask(px, py, 3.4), white), (26, 46, 168))
        c.fill(c.circle_mask(px - 1.0, py - 1.1, 1.0), (255, 255, 255), 0.85)
    return c.result()


# Board pieces -----------------------------------------------------------------------------------
def pellet():
    c = Canvas(64, 64)
    c.fill(c.circle_mask(32, 32, 9), c.radial(32, 32, 9, (255, 220, 170, 110), (255, 200, 150, 0)))
    c.fill(c.circle_mask(32, 32, 5.2), (120, 60, 30))
    c.fill(c.circle_mask(32, 32, 4.4), c.radial(30.5, 30.5, 6, (255, 250, 236), (255, 196, 140)))
    return c.result()


def power_pellet():
    c = Canvas(64, 64)
    c.fill(c.circle_mask(32, 32, 24), c.radial(32, 32, 24, (255, 236, 170, 170), (255, 170, 90, 0), power=0.8))
    c.fill(c.circle_mask(32, 32, 12.5), (130, 50, 20))
    c.fill(c.circle_mask(32, 32, 11.5), c.radial(28, 27, 16, (255, 255, 250), (255, 170, 96)))
    c.fill(blur(c.ellipse_mask((24, 23, 31, 29)), 1.5 * c.ss), (255, 255, 255), 0.9)
    return c.result()


# The wall plate: lilac-blue, so that the level tints (green and blue lowered together, red
# kept) turn it orchid, magenta, raspberry and crimson instead of washing a white brick to pink;
# its red stays below the red ghost's so that he stands out on the last board.
WALL_PLATE = (156, 136, 250)
WALL_STUD_TOP = (204, 194, 255)
WALL_STUD_SIDE = (126, 104, 224)
WALL_STUD_SHADOW = (100, 70, 190)
WALL_STUD_PITCH = 32  # two studs a tile each way


def boundary_brick():
    """One 64 x 64 piece of an endless studded plate: fully opaque, and its edges meet the opposite
    edges, so neighbouring wall cells join into one mass that stands out against the dark floor."""
    c = Canvas(192, 192)  # three tiles each way; the middle one is kept, so every stud wraps
    c.fill(c.rect_mask((0, 0, 192, 192)), WALL_PLATE)
    for sx in range(WALL_STUD_PITCH // 2, 192, WALL_STUD_PITCH):
        for sy in range(WALL_STUD_PITCH // 2, 192, WALL_STUD_PITCH):
            # soft shadow to the lower right, the stud's side, then its lit top
            c.fill(blur(c.circle_mask(sx + 2.0, sy + 2.4, 9.4), 1.4 * c.ss), WALL_STUD_SHADOW, 0.55)
            c.fill(c.circle_mask(sx + 0.5, sy + 0.8, 9.2), WALL_STUD_SIDE)
            top = c.circle_mask(sx - 0.4, sy - 0.5, 8.2)
            c.fill(top, c.radial(sx - 3.5, sy - 4, 14, WALL_STUD_TOP, WALL_PLATE))
            rim = subtract(top, c.circle_mask(sx + 0.3, sy + 0.4, 7.4))
            c.fill(intersect(rim, c.circle_mask(sx - 3, sy - 3.5, 8)), (255, 255, 255), 0.55)
    return c.result().crop((64, 64, 128, 128))


def map_pellet():
    img = Image.new("RGBA", (4, 4), (0, 0, 0, 0))
    col = (255, 226, 180)
    for x in range(4):
        for y in range(4):
            inner = 1 <= x <= 2 and 1 <= y <= 2
            edge = (1 <= x <= 2) or (1 <= y <= 2)
            if inner:
                img.putpixel((x, y), col + (255,))
            elif edge:
                img.putpixel((x, y), col + (96,))
    return img


def map_gob():
    c = Canvas(8, 8, ss=8)
    c.fill(c.circle_mask(4, 4, 3.9), (90, 36, 0))
    c.fill(c.circle_mask(4, 4, 3.0), c.radial(3, 3, 4, (255, 250, 170), (255, 190, 30)))
    return c.result()


def map_background():
    """Panel behind the 108 x 108 mini-map centred in a 128 x 128 picture."""
    c = Canvas(128, 128)
    c.fill(c.rrect_mask((0.5, 0.5, 127.5, 127.5), 9), (20, 20, 34))
    c.fill(c.rrect_mask((1.5, 1.5, 126.5, 126.5), 8), c.vertical(0, 128, (150, 156, 178), (70, 74, 96)))
    c.fill(c.rrect_mask((4, 4, 124, 124), 6), c.vertical(0, 128, (60, 64, 86), (118, 124, 150)))
    c.fill(c.rrect_mask((7.5, 7.5, 120.5, 120.5), 4), (8, 10, 20))
    c.fill(c.rrect_mask((8.5, 8.5, 119.5, 119.5), 3.5), c.radial(64, 56, 80, (18, 34, 56), (8, 12, 26)))
    d = c.draw()
    for k in range(0, 28, 3):
        v = 10 + 4 * k
        d.line(c.pts([(v, 9), (v, 119)]), fill=(60, 110, 150, 38), width=c.ss // 2)
        d.line(c.pts([(9, v), (119, v)]), fill=(60, 110, 150, 38), width=c.ss // 2)
    return c.result()


# Scene characters -----------------------------------------------------------------------------
def wobbler_right():
    """The hero facing right, big (256 x 256 so that scale 2 in the ending stays sharp)."""
    c = Canvas(256, 256)
    c.fill(blur(c.ellipse_mask((70, 200, 186, 222)), 4 * c.ss), (0, 0, 0), 0.35)
    draw_gobbler(c, 128, 128, 58, 0, 34, eye_angle=-66, eye_style="big", line=3.0)
    # eyebrow
    d = c.draw()
    d.arc(c.box((124, 80, 158, 104)), 215, 320, fill=(90, 40, 0, 255), width=3 * c.ss)
    return c.result()


def wobbler2():
    """The hero smiling with his mouth closed (loaded but not shown by the game)."""
    c = Canvas(128, 128)
    draw_gobbler(c, 64, 64, 50, 0, 0, eye_angle=-66, eye_style="big", line=2.5)
    return c.result()


def ms_wobbler():
    """The heroine: the hero's counterpart with a bow, lashes and red lips."""
    c = Canvas(128, 128)
    cx, cy, r = 64, 70, 50
    c.fill(blur(c.ellipse_mask((30, 112, 98, 124)), 3 * c.ss), (0, 0, 0), 0.3)
    draw_gobbler(c, cx, cy, r, 0, 30, eye_angle=-70, eye_style="lashes", line=2.5, lips=(226, 30, 60))
    # beauty mark
    c.fill(c.circle_mask(cx + 10, cy + 24, 2.2), (90, 40, 10))
    # bow on top
    bx, by = cx - 12, cy - r + 4
    left = c.polygon_mask([(bx, by), (bx - 24, by - 16), (bx - 27, by + 2), (bx - 20, by + 14)])
    right = c.polygon_mask([(bx, by), (bx + 24, by - 18), (bx + 28, by + 1), (bx + 20, by + 13)])
    bow = union(left, right, c.circle_mask(bx, by, 7))
    c.fill(dilate(bow, 2 * c.ss), (110, 0, 30))
    c.fill(bow, c.radial(bx - 10, by - 12, 40, (255, 120, 150), (210, 10, 50)))
    c.fill(c.circle_mask(bx, by, 6), c.radial(bx - 2, by - 2, 9, (255, 140, 170), (190, 0, 40)))
    d = c.draw()
    d.line(c.pts([(bx - 6, by - 2), (bx - 20, by - 7)]), fill=(170, 0, 40, 255), width=2 * c.ss)
    d.line(c.pts([(bx + 6, by - 2), (bx + 20, by - 8)]), fill=(170, 0, 40, 255), width=2 * c.ss)
    return c.result()


def big_ghost(base, eyes_look, mouth, outline=None, angry=False, light=None):
    """A 128 x 128 scene ghost. The scenes tint it red by dropping green and blue, so its face is
    drawn in light and dark rather than in hues: eye whites brighter than the body inside dark
    rings, black pupils, a dark mouth."""
    c = Canvas(128, 128)
    cx = 64
    c.fill(blur(c.ellipse_mask((24, 116, 104, 126)), 3 * c.ss), (0, 0, 0), 0.3)
    draw_ghost_body(c, cx, 8, 104, 120, 0.4, base, line_w=2.5, outline=outline, bumps=5, light=light)
    a = math.radians(eyes_look)
    for side in (-1, 1):
        ex, ey = cx + side * 19, 50
        white = c.ellipse_mask((ex - 12, ey - 15, ex + 12, ey + 15))
        if angry:
            # heavy brows slanting down toward the middle cut the eyes into a glare
            brow = [(ex + side * 16, ey - 25), (ex - side * 15, ey - 10), (ex - side * 14, ey - 1),
                    (ex + side * 15, ey - 18)]
            white = subtract(white, dilate(c.polygon_mask(brow), 1 * c.ss))
        c.fill(dilate(white, 2.2 * c.ss), (26, 20, 34))
        c.fill(white, (255, 255, 255))
        px, py = ex + 5 * math.cos(a), ey + 3 + 6 * math.sin(a)
        c.fill(intersect(c.circle_mask(px, py, 6.5), white), (14, 10, 20))
        c.fill(intersect(c.circle_mask(px - 2, py - 2.5, 2), white), (255, 255, 255))
        if angry:
            c.fill(c.polygon_mask(brow), (30, 22, 36))
    if mouth == "o":
        m = c.ellipse_mask((cx - 11, 74, cx + 11, 98))
        c.fill(dilate(m, 1.2 * c.ss), (30, 10, 20))
        c.fill(m, c.vertical(74, 98, (60, 10, 30), (150, 40, 70)))
    elif mouth == "fangs":
        # a wide leer, dark inside, with pointed teeth from above and below
        lips = [(cx - 30, 76)] + [(cx - 30 + 60 * i / 20, 80 + 16 * math.sin(math.pi * i / 20)) for i in range(21)]
        lips += [(cx + 30, 76)] + [(cx + 30 - 60 * i / 20, 79 + 5 * math.sin(math.pi * i / 20)) for i in range(21)]
        m = c.polygon_mask(lips)
        c.fill(dilate(m, 2 * c.ss), (26, 20, 34))
        c.fill(m, (58, 14, 26))
        teeth = []
        for i in range(5):
            x = cx - 22 + 11 * i
            teeth.append(c.polygon_mask([(x - 4.5, 80), (x + 4.5, 80), (x, 90)]))
        for x in (cx - 14, cx + 14):
            teeth.append(c.polygon_mask([(x - 4, 94), (x + 4, 94), (x, 86)]))
        c.fill(intersect(union(*teeth), m), (255, 255, 255))
    return c.result()


def ghost_character():
    """Opening-scene ghost, the chaser: light grey under the scene's red tint, glaring at the
    heroine with a fanged leer."""
    return big_ghost((186, 186, 196), 180, "fangs", outline=(40, 36, 50), angry=True, light=(212, 212, 220))


def ghost_character2():
    """Ending-scene ghost: red tint until it screams, then its own (violet) colours."""
    return big_ghost((150, 96, 236), 90, "o")


def generate(out_dir, save):
    g = out_dir + "/graphics/"
    for d in DIRECTIONS:
        for f in range(1, 6):
            save(hero_frame(d, f), g + "Player_%s%d.png" % (d, f))
    save(hero_die(), g + "Player_Die.png")
    for name, col in GHOST_COLOURS:
        for f in (1, 2):
            save(ghost_frame(col, f, black=(name == "Black")), g + "Ghost_%s%d.png" % (name, f))
    for f in (1, 2):
        save(scared_frame(f), g + "Ghost_Scared%d.png" % f)
    for d in DIRECTIONS:
        save(ghost_eyes(d), g + "Ghost_Eyes_%s.png" % d)
    save(pellet(), g + "Pellet.png")
    save(power_pellet(), g + "Power_Pellet.png")
    save(boundary_brick(), g + "BoundaryLEGO.png")
    save(map_pellet(), g + "Map_Pellet.png")
    save(map_gob(), g + "Map_Gob.png")
    save(map_background(), g + "MapBG.png")
    save(wobbler_right(), g + "Wobbler_Right.png")
    save(wobbler2(), g + "Wobbler2.png")
    save(ms_wobbler(), g + "MsWobbler.png")
    save(ghost_character(), g + "Ghost_Character.png")
    save(ghost_character2(), g + "Ghost_Character2.png")
