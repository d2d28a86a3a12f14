"""Drawing helpers shared by the picture generators (Pillow only, deterministic).

Pictures are drawn on a supersampled canvas (SS times the final size) and
scaled down with LANCZOS at the end, so edges come out smooth.
"""
import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 4
FONT_DIR = "/usr/share/fonts/truetype/dejavu/"  # fonts-dejavu-core (Debian package path)
SANS = FONT_DIR + "DejaVuSans.ttf"
SANS_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
SANS_COND_BOLD = FONT_DIR + "DejaVuSansCondensed-Bold.ttf"  # fonts-dejavu-extra, the game's own text face
SERIF_BOLD = FONT_DIR + "DejaVuSerif-Bold.ttf"
MONO_BOLD = FONT_DIR + "DejaVuSansMono-Bold.ttf"

_font_cache = {}


def font(path, size):
    """A TrueType font at the given pixel size (already multiplied by SS where needed)."""
    key = (path, int(size))
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(path, int(size))
    return _font_cache[key]


def mix(a, b, t):
    """Linear blend of two colours (tuples of equal length), t in 0..1."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def rgba(c, a=255):
    return (c[0], c[1], c[2], c[3] if len(c) > 3 else a)


class Canvas:
    """An RGBA picture drawn at SS times its final size, coordinates in final pixels."""

    def __init__(self, w, h, ss=SS, bg=(0, 0, 0, 0)):
        self.w, self.h, self.ss = w, h, ss
        self.W, self.H = w * ss, h * ss
        self.img = Image.new("RGBA", (self.W, self.H), bg)
        self._layer = None

    def flush(self):
        """Blend what was drawn through draw() into the picture."""
        if self._layer is not None and self._layer.getbbox() is not None:
            self.img.alpha_composite(self._layer)
            self._layer.paste((0, 0, 0, 0), (0, 0, self.W, self.H))

    # coordinate helpers -------------------------------------------------
    def p(self, v):
        return v * self.ss

    def pts(self, points):
        return [(x * self.ss, y * self.ss) for x, y in points]

    def box(self, b):
        return [b[0] * self.ss, b[1] * self.ss, b[2] * self.ss, b[3] * self.ss]

    # masks ----------------------------------------------------------------
    def mask(self):
        return Image.new("L", (self.W, self.H), 0)

    def ellipse_mask(self, b):
        m = self.mask()
        ImageDraw.Draw(m).ellipse(self.box(b), fill=255)
        return m

    def circle_mask(self, cx, cy, r):
        return self.ellipse_mask((cx - r, cy - r, cx + r, cy + r))

    def polygon_mask(self, points):
        m = self.mask()
        ImageDraw.Draw(m).polygon(self.pts(points), fill=255)
        return m

    def rrect_mask(self, b, r):
        """Corners on whole pixels: Pillow's releases round fractional ones differently."""
        m = self.mask()
        ImageDraw.Draw(m).rounded_rectangle([round(v) for v in self.box(b)], radius=round(r * self.ss), fill=255)
        return m

    def rect_mask(self, b):
        m = self.mask()
        ImageDraw.Draw(m).rectangle(self.box(b), fill=255)
        return m

    # fills -----------------------------------------------------------------
    def fill(self, mask, paint, alpha=1.0):
        """Composite paint (a colour or an RGBA image of canvas size) through mask."""
        self.flush()
        if isinstance(paint, tuple):
            layer = Image.new("RGBA", (self.W, self.H), rgba(paint))
        else:
            layer = paint.copy()
        a = layer.getchannel("A")
        a = ImageChops.multiply(a, mask)
        if alpha < 1.0:
            a = a.point(lambda v: int(v * alpha + 0.5))
        layer.putalpha(a)
        self.img.alpha_composite(layer)

    def radial(self, cx, cy, r, inner, outer, power=1.0):
        """Canvas-size RGBA paint: inner colour at (cx, cy) blending to outer at radius r."""
        return radial_paint(self.W, self.H, cx * self.ss, cy * self.ss, r * self.ss, inner, outer, power)

    def vertical(self, y0, y1, top, bottom):
        return vertical_paint(self.W, self.H, y0 * self.ss, y1 * self.ss, top, bottom)

    def horizontal(self, x0, x1, left, right):
        return horizontal_paint(self.W, self.H, x0 * self.ss, x1 * self.ss, left, right)

    def draw(self):
        """An ImageDraw on a fresh transparent layer that is blended over the picture on the next
        fill, text or result (drawing straight into RGBA would replace alpha, not blend)."""
        self.flush()
        if self._layer is None:
            self._layer = Image.new("RGBA", (self.W, self.H), (0, 0, 0, 0))
        return ImageDraw.Draw(self._layer)

    def text(self, xy, s, path, size, fill, anchor="mm", stroke=0, stroke_fill=None):
        d = self.draw()
        d.text((xy[0] * self.ss, xy[1] * self.ss), s, font=font(path, size * self.ss), fill=rgba(fill),
               anchor=anchor, stroke_width=int(round(stroke * self.ss)),
               stroke_fill=rgba(stroke_fill) if stroke_fill else None)

    def text_mask(self, xy, s, path, size, anchor="mm", stroke=0):
        m = self.mask()
        ImageDraw.Draw(m).text((xy[0] * self.ss, xy[1] * self.ss), s, font=font(path, size * self.ss), fill=255,
                               anchor=anchor, stroke_width=int(round(stroke * self.ss)), stroke_fill=255)
        return m

    def result(self):
        self.flush()
        if self.ss == 1:
            return self.img.copy()
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def gradient_mask_radial(W, H, cx, cy, r, power=1.0):
    """L image: 0 at (cx, cy) rising to 255 at distance r and beyond."""
    # Pillow's radial gradient is 256 x 256 with 0 in the centre and about 181 at radius 128;
    # stretch it so that 255 falls at radius 128 (clipped beyond), then size it to the radius.
    g = Image.radial_gradient("L").point(lambda v: min(255, int(255 * (min(1.0, v / 181.0) ** power) + 0.5)))
    size = max(2, int(round(2 * r)))
    g = g.resize((size, size), Image.BILINEAR)
    m = Image.new("L", (W, H), 255)
    m.paste(g, (int(round(cx - size / 2)), int(round(cy - size / 2))))
    return m


def radial_paint(W, H, cx, cy, r, inner, outer, power=1.0):
    m = gradient_mask_radial(W, H, cx, cy, r, power)
    a = Image.new("RGBA", (W, H), rgba(inner))
    b = Image.new("RGBA", (W, H), rgba(outer))
    return Image.composite(b, a, m)


def vertical_paint(W, H, y0, y1, top, bottom):
    g = Image.linear_gradient("L").resize((W, max(1, int(round(y1 - y0)))), Image.BILINEAR)
    m = Image.new("L", (W, H), 0)
    m.paste(255, (0, int(round(y1)), W, H))
    m.paste(g, (0, int(round(y0))))
    a = Image.new("RGBA", (W, H), rgba(top))
    b = Image.new("RGBA", (W, H), rgba(bottom))
    return Image.composite(b, a, m)


def horizontal_paint(W, H, x0, x1, left, right):
    g = Image.linear_gradient("L").rotate(90, expand=True).transpose(Image.FLIP_LEFT_RIGHT)
    g = g.resize((max(1, int(round(x1 - x0))), H), Image.BILINEAR)
    m = Image.new("L", (W, H), 0)
    m.paste(255, (int(round(x1)), 0, W, H))
    m.paste(g, (int(round(x0)), 0))
    a = Image.new("RGBA", (W, H), rgba(left))
    b = Image.new("RGBA", (W, H), rgba(right))
    return Image.composite(b, a, m)


def max_filter(mask, r):
    """The largest value within r pixels across and down, the edges repeated: the same
    pixels as MaxFilter(2 r + 1), in 4 r passes over the picture rather than (2 r + 1)^2."""
    w, h = mask.size
    padded = Image.new(mask.mode, (w + 2 * r, h + 2 * r))
    padded.paste(mask, (r, r))
    padded.paste(mask.crop((0, 0, 1, h)).resize((r, h), Image.NEAREST), (0, r))
    padded.paste(mask.crop((w - 1, 0, w, h)).resize((r, h), Image.NEAREST), (w + r, r))
    top, bottom = padded.crop((0, r, w + 2 * r, r + 1)), padded.crop((0, h + r - 1, w + 2 * r, h + r))
    padded.paste(top.resize((w + 2 * r, r), Image.NEAREST), (0, 0))
    padded.paste(bottom.resize((w + 2 * r, r), Image.NEAREST), (0, h + r))
    across = padded.crop((0, 0, w, h + 2 * r))
    for step in range(1, 2 * r + 1):
        across = ImageChops.lighter(across, padded.crop((step, 0, step + w, h + 2 * r)))
    result = across.crop((0, 0, w, h))
    for step in range(1, 2 * r + 1):
        result = ImageChops.lighter(result, across.crop((0, step, w, step + h)))
    return result


def dilate(mask, r):
    """Grow a mask by about r pixels (of the mask's own resolution)."""
    r = int(round(r))
    if r <= 0:
        return mask.copy()
    if r <= 6:
        return max_filter(mask, r)
    blurred = mask.filter(ImageFilter.GaussianBlur(r / 2.0))
    return blurred.point(lambda v: 255 if v > 14 else v * 18)


def erode(mask, r):
    inv = ImageChops.invert(mask)
    return ImageChops.invert(dilate(inv, r))


def blur(mask, r):
    return mask.filter(ImageFilter.GaussianBlur(r))


def subtract(a, b):
    return ImageChops.subtract(a, b)


def union(*masks):
    m = masks[0]
    for x in masks[1:]:
        m = ImageChops.lighter(m, x)
    return m


def intersect(a, b):
    return ImageChops.multiply(a, b)


def scale_mask(mask, f):
    return mask.point(lambda v: int(v * f + 0.5))


def shift(mask, dx, dy):
    """Move a mask (or image) by whole pixels, filling with zero."""
    out = Image.new(mask.mode, mask.size, 0)
    out.paste(mask, (int(round(dx)), int(round(dy))))
    return out


def wedge_points(cx, cy, r, a0, a1, steps=48):
    """Polygon of a pie slice from angle a0 to a1 (degrees, 0 = right, clockwise on screen)."""
    pts = [(cx, cy)]
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def opaque(img, bg=(0, 0, 0)):
    """The picture laid over an opaque background (for full-screen pictures)."""
    out = Image.new("RGBA", img.size, bg + (255,))
    out.alpha_composite(img.convert("RGBA"))
    return out


def save_png(img, path):
    import os
    os.makedirs(os.path.dirname(path), exist_ok=True)
    w, h = img.size
    assert w & (w - 1) == 0 and h & (h - 1) == 0, (path, img.size)
    img.save(path, "PNG", optimize=True)
