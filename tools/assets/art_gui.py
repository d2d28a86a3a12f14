"""Menu widgets: the button, the two selector arrows and the highlight bar."""
from art_common import Canvas, blur, dilate, erode, subtract, intersect


def button():
    """256 x 64, a light pill 40 high (the labels are printed into it in black at load time)."""
    c = Canvas(256, 64)
    box = (4, 12, 252, 52)
    c.fill(blur(c.rrect_mask((6, 15, 254, 55), 18), 2 * c.ss), (0, 0, 0), 0.45)
    c.fill(c.rrect_mask(box, 19), (120, 70, 0))
    inner = c.rrect_mask((5.5, 13.5, 250.5, 50.5), 17.5)
    c.fill(inner, c.vertical(13, 51, (255, 214, 90), (226, 140, 20)))
    face = c.rrect_mask((8, 16, 248, 48), 15)
    c.fill(face, c.vertical(16, 48, (255, 253, 226), (250, 222, 140)))
    gloss = c.rrect_mask((14, 17.5, 242, 31), 7)
    c.fill(blur(gloss, 1 * c.ss), (255, 255, 255), 0.55)
    return c.result()


def selector(points_right):
    """64 x 64 glossy arrow; points right when points_right (drawn left of a button)."""
    c = Canvas(64, 64)
    pts = [(14, 13), (52, 32), (14, 51), (21, 32)]
    if not points_right:
        pts = [(64 - x, y) for x, y in pts]
    m = c.polygon_mask(pts)
    m = dilate(erode(m, 2 * c.ss), 2 * c.ss)  # round the corners a little
    c.fill(blur(dilate(m, 1 * c.ss), 2 * c.ss), (0, 0, 0), 0.5)
    c.fill(dilate(m, 1.6 * c.ss), (110, 40, 0))
    c.fill(m, c.vertical(13, 51, (255, 246, 140), (246, 128, 8)))
    top = [(x, y) for x, y in pts]
    hl = c.polygon_mask([(top[0][0], top[0][1]), (top[1][0], top[1][1]), (top[3][0], top[3][1])])
    c.fill(intersect(erode(hl, 2.5 * c.ss), m), (255, 255, 255), 0.4)
    return c.result()


def selector_line():
    """A light bar 1024 wide (at least the 640-wide screen) and 40 high with soft edges."""
    c = Canvas(1024, 64, ss=2)
    bar = c.rrect_mask((0, 12, 1024, 52), 6)
    c.fill(blur(bar, 2 * c.ss), c.vertical(12, 52, (255, 255, 255), (236, 236, 210)))
    c.fill(erode(bar, 3 * c.ss), (255, 255, 240), 0.6)
    return c.result()


def generate(out_dir, save):
    i = out_dir + "/interface/"
    save(selector(True), i + "Button-Selector-Left.png")
    save(selector(False), i + "Button-Selector-Right.png")
    save(button(), i + "Button.png")
    save(selector_line(), i + "Selector-Line.png")
