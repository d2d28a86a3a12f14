"""Full-screen pictures and the television frame of the playing screen: TV.png, TV_Static.png,
Screen-Fade.png, the menu background Arcade-Room-01.png and the scene backgrounds
Supermarket.png, Warehouse.png and Warehouse_Sunrise.png (all 1024 x 512, of which only the
middle 640 x 480 is seen)."""
import math
import random

from PIL import Image, ImageChops, ImageDraw

from art_common import (Canvas, SANS_BOLD, opaque, blur, dilate, erode, intersect, mix, subtract, union)

# The visible part of a centred 1024 x 512 picture.
VX0, VY0 = 192, 16

# --- television frame of the playing screen: drawn at (420, 290) scaled 1.6 -----------------------------
TV_X, TV_Y, TV_SCALE = 420.0, 290.0, 1.6
TV_W, TV_H = 1024, 512
# Screen-space shape of the see-through glass (x0, y0, x1, y1, corner radius).
TV_MAIN_WINDOW = (18, 22, 622, 418, 18)
TV_MAP_WINDOW = (488, 323, 622, 459, 10)


def tv_point(sx, sy):
    """Screen point -> pixel of TV.png, as the playing screen places it."""
    return ((sx - TV_X) / TV_SCALE + TV_W / 2.0, (sy - TV_Y) / TV_SCALE + TV_H / 2.0)


def _tv_rect(c, rect, grow=0.0):
    x0, y0, x1, y1, r = rect
    a = tv_point(x0 - grow, y0 - grow)
    b = tv_point(x1 + grow, y1 + grow)
    return c.rrect_mask((a[0], a[1], b[0], b[1]), max(0.5, (r + grow) / TV_SCALE))


def _wood(c, rng, base=(126, 72, 36)):
    c.fill(c.rect_mask((0, 0, c.w, c.h)), c.vertical(0, c.h, mix(base, (255, 220, 170), 0.12),
                                                      mix(base, (0, 0, 0), 0.25)))
    d = c.draw()
    for k in range(140):
        y = rng.uniform(0, c.h)
        amp, per, ph = rng.uniform(0.5, 3.0), rng.uniform(60, 220), rng.uniform(0, 6.3)
        dark = rng.random() < 0.6
        col = mix(base, (40, 18, 6), 0.5) if dark else mix(base, (220, 150, 90), 0.35)
        alpha = rng.randint(40, 110)
        pts = [(x * c.ss, (y + amp * math.sin(x / per * 6.283 + ph)) * c.ss) for x in range(0, c.w + 8, 8)]
        d.line(pts, fill=col + (alpha,), width=max(1, int(rng.uniform(0.4, 1.4) * c.ss)))


def tv_frame():
    rng = random.Random(31)
    c = Canvas(TV_W, TV_H, ss=2)
    _wood(c, rng)
    main = _tv_rect(c, TV_MAIN_WINDOW)
    pip = _tv_rect(c, TV_MAP_WINDOW)
    window = union(main, pip)
    # bezel around the glass: a dark bevel under a brushed-metal ring with a black rubber lip
    ring_outer = union(_tv_rect(c, TV_MAIN_WINDOW, 9), _tv_rect(c, TV_MAP_WINDOW, 9))
    c.fill(blur(dilate(ring_outer, 3 * c.ss), 3 * c.ss), (30, 14, 4), 0.7)
    c.fill(ring_outer, c.vertical(0, TV_H, (226, 228, 236), (120, 124, 136)))
    lip = union(_tv_rect(c, TV_MAIN_WINDOW, 4), _tv_rect(c, TV_MAP_WINDOW, 4))
    c.fill(lip, (14, 14, 18))
    # controls on the cabinet below the glass (screen coordinates -> picture)
    grille = c.rrect_mask(_box(40, 428, 206, 472), 6 / TV_SCALE)
    c.fill(dilate(grille, 1 * c.ss), (60, 30, 10))
    c.fill(grille, (36, 22, 14))
    d = c.draw()
    for k in range(7):
        y = tv_point(0, 433 + k * 5.6)[1]
        x0, x1 = tv_point(48, 0)[0], tv_point(198, 0)[0]
        d.line([(x0 * c.ss, y * c.ss), (x1 * c.ss, y * c.ss)], fill=(150, 110, 70, 150), width=c.ss)
    plate = c.rrect_mask(_box(228, 436, 356, 462), 5 / TV_SCALE)
    c.fill(dilate(plate, 1 * c.ss), (50, 30, 10))
    c.fill(plate, c.vertical(tv_point(0, 436)[1], tv_point(0, 462)[1], (246, 236, 200), (176, 150, 96)))
    px, py = tv_point(292, 449)
    c.text((px, py + 0.3), "BRICKWELL", SANS_BOLD, 10.5, (90, 40, 10))
    for kx in (392, 446):
        kx_, ky_ = tv_point(kx, 449)
        r = 15 / TV_SCALE
        c.fill(blur(c.circle_mask(kx_ + 1, ky_ + 1.5, r + 1), 1.5 * c.ss), (20, 8, 0), 0.7)
        c.fill(c.circle_mask(kx_, ky_, r), c.radial(kx_ - r * 0.4, ky_ - r * 0.5, r * 2, (240, 240, 246), (96, 98, 110)))
        c.fill(c.circle_mask(kx_, ky_, r * 0.62), c.radial(kx_ + r * 0.3, ky_ + r * 0.3, r * 1.4, (236, 236, 244), (150, 152, 164)))
        d.line([((kx_) * c.ss, (ky_ - r * 0.58) * c.ss), (kx_ * c.ss, (ky_ - r * 0.15) * c.ss)],
               fill=(40, 40, 50, 255), width=c.ss)
    lx, ly = tv_point(362, 449)
    c.fill(c.circle_mask(lx, ly, 4), (255, 60, 40), 0.35)
    c.fill(c.circle_mask(lx, ly, 2.1), c.radial(lx - 0.6, ly - 0.6, 3, (255, 220, 200), (230, 30, 20)))
    # the glass itself: fully clear, with a soft shadow just inside the bezel
    c.flush()
    img = c.img
    a = img.getchannel("A")
    a = ImageChops.subtract(a, window)
    img.putalpha(a)
    shadow_band = subtract(window, erode(window, 7 / TV_SCALE * c.ss))
    shade = Image.new("RGBA", img.size, (0, 0, 0, 0))
    shade.putalpha(blur(shadow_band, 2 * c.ss).point(lambda v: int(v * 0.55)))
    shade.putalpha(ImageChops.multiply(shade.getchannel("A"), shadow_band))
    img.alpha_composite(shade)
    return c.result()


def _box(x0, y0, x1, y1):
    a, b = tv_point(x0, y0), tv_point(x1, y1)
    return (a[0], a[1], b[0], b[1])


def tv_static():
    """Dark, low-contrast blue static: the floor of the corridors on the playing screen."""
    rng = random.Random(5)
    w, h = 512, 256
    noise = Image.frombytes("L", (w, h), rng.randbytes(w * h)).resize((1024, 512), Image.NEAREST)
    r = noise.point(lambda v: 6 + v * 22 // 255)
    g = noise.point(lambda v: 8 + v * 26 // 255)
    b = noise.point(lambda v: 18 + v * 40 // 255)
    img = Image.merge("RGB", (r, g, b))
    d = ImageDraw.Draw(img, "RGBA")
    for y in range(0, 512, 2):
        d.line([(0, y), (1023, y)], fill=(0, 0, 0, 60))
    for k in range(4):  # faint rolling bands
        y0 = rng.randint(0, 500)
        d.rectangle([0, y0, 1023, y0 + rng.randint(4, 14)], fill=(90, 110, 160, 14))
    return img.convert("RGBA")


def screen_fade():
    return Image.new("RGBA", (64, 64), (0, 0, 0, 255))


# --- menu background ------------------------------------------------------------------------
def _cabinet(c, cx, base_y, s, body, glow, marquee, rng):
    """One arcade cabinet seen from the front, scaled by s (1 = 170 high)."""
    w, h = 74 * s, 172 * s
    x0, x1, top = cx - w / 2, cx + w / 2, base_y - h
    c.fill(blur(c.ellipse_mask((x0 - 6 * s, base_y - 6 * s, x1 + 6 * s, base_y + 6 * s)), 4 * c.ss), (0, 0, 0), 0.6)
    shape = c.polygon_mask([(x0, top), (x1, top), (x1, top + 40 * s), (x1 - 4 * s, top + 96 * s),
                            (x1 + 4 * s, top + 112 * s), (x1, base_y), (x0, base_y), (x0 - 4 * s, top + 112 * s),
                            (x0 + 4 * s, top + 96 * s), (x0, top + 40 * s)])
    c.fill(dilate(shape, 1 * c.ss), (4, 2, 10))
    c.fill(shape, c.vertical(top, base_y, mix(body, (255, 255, 255), 0.15), mix(body, (0, 0, 0), 0.5)))
    # side stripes
    c.fill(intersect(c.rect_mask((x0, top + 120 * s, x1, top + 128 * s)), shape), glow, 0.7)
    # marquee
    mq = c.rect_mask((x0 + 4 * s, top + 4 * s, x1 - 4 * s, top + 24 * s))
    c.fill(blur(dilate(mq, 3 * c.ss), 6 * c.ss), marquee, 0.6)
    c.fill(mq, c.vertical(top, top + 24 * s, mix(marquee, (255, 255, 255), 0.6), marquee))
    # screen with a glow and a few blocks of "game"
    sc = c.rrect_mask((x0 + 10 * s, top + 34 * s, x1 - 10 * s, top + 84 * s), 4 * s)
    c.fill(blur(dilate(sc, 4 * c.ss), 10 * c.ss), glow, 0.45)
    c.fill(sc, c.radial(cx, top + 58 * s, 40 * s, mix(glow, (255, 255, 255), 0.35), mix(glow, (0, 0, 0), 0.55)))
    for k in range(5):
        bx = x0 + (16 + rng.uniform(0, 36)) * s
        by = top + (40 + rng.uniform(0, 36)) * s
        c.fill(c.rect_mask((bx, by, bx + 4 * s, by + 4 * s)), (255, 255, 255), 0.7)
    # control panel: joystick and buttons
    c.fill(c.rect_mask((x0 - 2 * s, top + 98 * s, x1 + 2 * s, top + 110 * s)), mix(body, (0, 0, 0), 0.3))
    c.fill(c.circle_mask(cx - 16 * s, top + 98 * s, 4 * s), (230, 40, 50))
    for k in range(3):
        c.fill(c.circle_mask(cx + (4 + 9 * k) * s, top + 104 * s, 2.6 * s), [(250, 220, 40), (60, 200, 255), (80, 230, 90)][k])


def arcade_room():
    rng = random.Random(7)
    c = Canvas(1024, 512, ss=2)
    horizon = 300
    c.fill(c.rect_mask((0, 0, 1024, horizon)), c.vertical(0, horizon, (26, 10, 48), (48, 18, 74)))
    c.fill(c.rect_mask((0, horizon, 1024, 512)), c.vertical(horizon, 512, (22, 12, 50), (8, 6, 22)))
    d = c.draw()
    vp = (512, 250)
    # carpet: perspective grid in faint neon
    for k in range(-14, 15):
        x = 512 + k * 110
        d.line(c.pts([(512 + (x - 512) * 0.08, horizon), (x, 512)]), fill=(200, 60, 220, 46), width=c.ss)
    y = horizon + 4
    step = 6
    while y < 512:
        d.line(c.pts([(0, y), (1024, y)]), fill=(200, 60, 220, 46), width=c.ss)
        step *= 1.35
        y += step
    # wall panels and a glow behind the title
    c.fill(c.ellipse_mask((300, -60, 724, 220)), c.radial(512, 80, 212, (160, 40, 150, 150), (48, 18, 74, 0)))
    for x in range(192, 840, 64):
        d.line(c.pts([(x, 120), (x, horizon)]), fill=(70, 36, 100, 120), width=c.ss)
    d.line(c.pts([(0, horizon), (1024, horizon)]), fill=(255, 80, 200, 120), width=2 * c.ss)
    # ceiling neon tubes
    for k, col in enumerate([(255, 60, 190), (60, 220, 255), (255, 60, 190)]):
        y0 = 22 + k * 16
        tube = c.rect_mask((200 + k * 40, y0, 824 - k * 40, y0 + 3))
        c.fill(blur(dilate(tube, 2 * c.ss), 6 * c.ss), col, 0.6)
        c.fill(tube, mix(col, (255, 255, 255), 0.6))
    # rows of cabinets on both sides, far ones first
    palette = [((60, 30, 120), (60, 220, 255), (255, 80, 200)), ((120, 20, 40), (255, 210, 60), (255, 120, 40)),
               ((20, 70, 110), (120, 255, 140), (60, 200, 255)), ((90, 20, 100), (255, 120, 220), (255, 230, 80))]
    for k, (xl, s) in enumerate([(372, 0.72), (300, 0.95), (214, 1.25)]):
        body, glow, marquee = palette[k % 4]
        _cabinet(c, xl, horizon + 34 * s + 20, s, body, glow, marquee, rng)
        body, glow, marquee = palette[(k + 1) % 4]
        _cabinet(c, 1024 - xl, horizon + 34 * s + 20, s, body, glow, marquee, rng)
    return opaque(c.result())


# --- scene backgrounds ------------------------------------------------------------------------
def supermarket():
    rng = random.Random(11)
    c = Canvas(1024, 512, ss=2)
    floor_y = 360
    c.fill(c.rect_mask((0, 0, 1024, floor_y)), c.vertical(0, floor_y, (238, 236, 222), (206, 200, 182)))
    # ceiling lights
    for x in range(200, 840, 130):
        lamp = c.rect_mask((x, 20, x + 90, 30))
        c.fill(blur(dilate(lamp, 2 * c.ss), 8 * c.ss), (255, 255, 230), 0.8)
        c.fill(lamp, (255, 255, 250))
    # store sign band
    c.fill(c.rect_mask((0, 44, 1024, 88)), c.vertical(44, 88, (40, 170, 80), (20, 120, 60)))
    c.fill(c.rect_mask((0, 86, 1024, 90)), (250, 200, 40))
    c.text((512, 66), "NIBBLE MART", SANS_BOLD, 28, (255, 255, 255), stroke=2, stroke_fill=(10, 70, 30))
    for x, label in ((290, "FRUIT"), (734, "SNACKS")):
        c.fill(c.rrect_mask((x - 44, 96, x + 44, 118), 4), (250, 200, 40))
        c.text((x, 107), label, SANS_BOLD, 13, (80, 40, 0))
    # shelving with colourful goods
    shelves = [150, 218, 286, 352]
    c.fill(c.rect_mask((176, 124, 848, floor_y)), (168, 172, 180))
    c.fill(c.rect_mask((184, 128, 840, floor_y)), (120, 124, 134))
    goods = [(230, 50, 50), (250, 180, 30), (60, 160, 240), (80, 200, 90), (240, 110, 180), (250, 240, 220),
             (140, 80, 200), (255, 130, 40)]
    for k in range(len(shelves)):
        top = 128 if k == 0 else shelves[k - 1] + 6
        bottom = shelves[k]
        x = 186
        while x < 830:
            kind = rng.random()
            col = rng.choice(goods)
            if kind < 0.45:  # box
                w = rng.uniform(16, 30)
                h = rng.uniform(0.55, 0.92) * (bottom - top)
                c.fill(c.rect_mask((x, bottom - h, x + w, bottom)), mix(col, (0, 0, 0), 0.2))
                c.fill(c.rect_mask((x + 1.5, bottom - h + 1.5, x + w - 1.5, bottom - 1)), col)
                c.fill(c.rect_mask((x + 3, bottom - h * 0.65, x + w - 3, bottom - h * 0.4)), (255, 255, 255), 0.8)
            elif kind < 0.8:  # cans
                w = rng.uniform(10, 14)
                h = w * 1.5
                for j in range(2):
                    cx0 = x + j * (w + 1)
                    c.fill(c.rrect_mask((cx0, bottom - h, cx0 + w, bottom), 2), c.horizontal(cx0, cx0 + w, mix(col, (255, 255, 255), 0.4), mix(col, (0, 0, 0), 0.3)))
                    c.fill(c.rect_mask((cx0, bottom - h * 0.6, cx0 + w, bottom - h * 0.35)), (255, 255, 255), 0.7)
                w = 2 * w + 1
            else:  # bottle
                w = 12
                h = rng.uniform(0.7, 0.95) * (bottom - top)
                c.fill(c.rrect_mask((x, bottom - h * 0.7, x + w, bottom), 3), mix(col, (255, 255, 255), 0.2))
                c.fill(c.rect_mask((x + 4, bottom - h, x + 8, bottom - h * 0.7)), mix(col, (0, 0, 0), 0.2))
            x += w + rng.uniform(1, 4)
        c.fill(c.rect_mask((176, bottom, 848, bottom + 6)), c.vertical(bottom, bottom + 6, (230, 232, 236), (140, 144, 150)))
        c.fill(c.rect_mask((176, bottom + 1, 848, bottom + 4)), (250, 200, 40), 0.5)
    # floor tiles in perspective
    c.fill(c.rect_mask((0, floor_y, 1024, 512)), c.vertical(floor_y, 512, (214, 214, 206), (246, 246, 240)))
    d = c.draw()
    y, step = floor_y, 8
    row = 0
    while y < 512:
        y1 = y + step
        n = 40
        for i in range(-n, n):
            if (i + row) % 2:
                f0, f1 = 0.3 + 0.7 * (y - floor_y) / 152.0, 0.3 + 0.7 * (y1 - floor_y) / 152.0
                xa, xb = 512 + i * 60 * f0, 512 + (i + 1) * 60 * f0
                xc, xd = 512 + (i + 1) * 60 * f1, 512 + i * 60 * f1
                d.polygon(c.pts([(xa, y), (xb, y), (xc, y1), (xd, y1)]), fill=(150, 170, 190, 90))
        y = y1
        step *= 1.3
        row += 1
    c.fill(c.rect_mask((0, floor_y - 2, 1024, floor_y + 3)), (120, 110, 100))
    return opaque(c.result())


def _warehouse(c, rng, sunrise):
    floor_y = 350
    wall_top, wall_bot = ((70, 76, 96), (40, 44, 60)) if not sunrise else ((120, 96, 96), (70, 56, 62))
    c.fill(c.rect_mask((0, 0, 1024, floor_y)), c.vertical(0, floor_y, wall_top, wall_bot))
    d = c.draw()
    for x in range(0, 1024, 12):  # corrugated metal
        d.line(c.pts([(x, 0), (x, floor_y)]), fill=(255, 255, 255, 22), width=2 * c.ss)
        d.line(c.pts([(x + 6, 0), (x + 6, floor_y)]), fill=(0, 0, 0, 40), width=2 * c.ss)
    # roof beams
    for y in (34, 130):
        c.fill(c.rect_mask((0, y, 1024, y + 10)), (30, 30, 40) if not sunrise else (60, 40, 40))
    # high windows
    sky_top, sky_bot = ((20, 30, 70), (50, 60, 110)) if not sunrise else ((255, 150, 90), (255, 214, 140))
    for x in range(214, 820, 100):
        win = c.rect_mask((x, 62, x + 70, 112))
        c.fill(dilate(win, 3 * c.ss), (26, 26, 34))
        c.fill(win, c.vertical(62, 112, sky_top, sky_bot))
        d.line(c.pts([(x + 35, 62), (x + 35, 112)]), fill=(26, 26, 34, 255), width=2 * c.ss)
        d.line(c.pts([(x, 87), (x + 70, 87)]), fill=(26, 26, 34, 255), width=2 * c.ss)
    if sunrise:
        # the big door stands open onto the sunrise
        door = c.rect_mask((380, 150, 644, floor_y))
        c.fill(dilate(door, 8 * c.ss), (50, 40, 40))
        c.fill(door, c.vertical(150, floor_y, (60, 90, 190), (255, 170, 110)))
        c.fill(intersect(c.rect_mask((380, 250, 644, floor_y)), door), c.vertical(250, floor_y, (255, 160, 120, 0), (255, 210, 120)))
        sun = c.circle_mask(512, 318, 46)
        c.fill(intersect(blur(dilate(sun, 16 * c.ss), 18 * c.ss), door), (255, 240, 170), 0.8)
        c.fill(intersect(sun, door), c.radial(512, 310, 46, (255, 255, 230), (255, 200, 90)))
        c.fill(intersect(c.rect_mask((380, 318, 644, floor_y)), door), c.vertical(318, floor_y, (90, 70, 110), (50, 40, 70)))
        c.fill(c.rect_mask((380, 130, 644, 150)), (90, 90, 100))
        for k in range(9):
            d.line(c.pts([(380, 131 + k * 2), (644, 131 + k * 2)]), fill=(40, 40, 50, 200), width=c.ss)
    else:
        door = c.rect_mask((380, 150, 644, floor_y))
        c.fill(dilate(door, 8 * c.ss), (34, 34, 40))
        c.fill(door, (96, 100, 112))
        for k in range(0, 200, 10):
            d.line(c.pts([(380, 150 + k), (644, 150 + k)]), fill=(60, 62, 72, 255), width=2 * c.ss)
    # floor
    c.fill(c.rect_mask((0, floor_y, 1024, 512)), c.vertical(floor_y, 512, (96, 96, 104) if not sunrise else (150, 120, 110),
                                                            (56, 56, 64) if not sunrise else (90, 70, 70)))
    c.fill(c.rect_mask((0, floor_y + 30, 1024, floor_y + 36)), (230, 190, 40), 0.8)
    if sunrise:
        beam = c.polygon_mask([(380, floor_y), (644, floor_y), (760, 512), (264, 512)])
        c.fill(blur(beam, 10 * c.ss), (255, 200, 130), 0.35)
    # crates
    for (x, y, s) in ((196, 250, 100), (236, 170, 80), (300, 270, 80), (730, 250, 100), (770, 190, 60), (680, 290, 60)):
        box = c.rect_mask((x, y, x + s, y + s))
        c.fill(dilate(box, 2 * c.ss), (50, 30, 14))
        c.fill(box, c.vertical(y, y + s, (200, 150, 90), (150, 100, 50)))
        for k in range(1, 4):
            d.line(c.pts([(x, y + k * s / 4), (x + s, y + k * s / 4)]), fill=(110, 70, 30, 200), width=c.ss)
        d.line(c.pts([(x + 4, y + 4), (x + s - 4, y + s - 4)]), fill=(120, 76, 34, 255), width=3 * c.ss)
        d.rectangle(c.box((x + 2, y + 2, x + s - 2, y + s - 2)), outline=(120, 76, 34, 255), width=3 * c.ss)
    # hanging lamps
    for x in (300, 724):
        d.line(c.pts([(x, 44), (x, 150)]), fill=(20, 20, 24, 255), width=c.ss)
        shade = c.polygon_mask([(x - 16, 166), (x + 16, 166), (x + 8, 150), (x - 8, 150)])
        c.fill(shade, (40, 60, 50))
        cone = c.polygon_mask([(x - 14, 166), (x + 14, 166), (x + 110, floor_y + 60), (x - 110, floor_y + 60)])
        c.fill(blur(cone, 12 * c.ss), (255, 240, 190), 0.14 if not sunrise else 0.08)


def warehouse(sunrise=False):
    rng = random.Random(23)
    c = Canvas(1024, 512, ss=2)
    _warehouse(c, rng, sunrise)
    return opaque(c.result())


def generate(out_dir, save):
    g = out_dir + "/graphics/"
    save(screen_fade(), g + "Screen-Fade.png")
    save(tv_static(), g + "TV_Static.png")
    save(tv_frame(), g + "TV.png")
    save(arcade_room(), g + "Arcade-Room-01.png")
    save(supermarket(), g + "Supermarket.png")
    save(warehouse(False), g + "Warehouse.png")
    save(warehouse(True), g + "Warehouse_Sunrise.png")
