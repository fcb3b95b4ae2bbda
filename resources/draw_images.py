#!/usr/bin/python3
"""Draws every picture the style sheets name into resources/image.

Each picture is drawn on a grid of logical pixels, supersampled and scaled
down, so the same drawing gives the 1x files and, with --scale 2, @2x files
for high-density screens. Run it again after changing a drawing:

    /usr/bin/python3 resources/draw_images.py             # 1x, into resources/image
    /usr/bin/python3 resources/draw_images.py --scale 2   # name@2x.png beside them

Needs python3-pil and the DejaVu fonts.
"""

import argparse
import math
import os
import struct
import zlib

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SUPERSAMPLE = 6

FONT_DIRS = ["/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu"]

# Grey at rest, blue under the mouse. Each palette: outline, body, highlight, paper.
PALETTES = {
    "gray": {
        "dark": (84, 84, 84),
        "main": (116, 116, 116),
        "light": (172, 172, 172),
        "paper": (236, 236, 236),
    },
    "blue": {
        "dark": (0, 84, 170),
        "main": (22, 132, 235),
        "light": (120, 185, 250),
        "paper": (214, 234, 255),
    },
}

WHITE = (255, 255, 255)
BRAND = (22, 132, 235)
BRAND_DEEP = (8, 74, 150)


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    for folder in FONT_DIRS:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    raise SystemExit("DejaVu fonts not found: apt-get install fonts-dejavu-core")


class Canvas:
    """A transparent picture of w x h logical pixels drawn at scale x supersample."""

    def __init__(self, width, height, scale, design=None, background=(0, 0, 0, 0)):
        self.width, self.height, self.scale = width, height, scale
        self.k = scale * SUPERSAMPLE
        self.image = Image.new("RGBA", (width * self.k, height * self.k), background)
        self.draw = ImageDraw.Draw(self.image)
        # Icons are designed on a 55 x 55 grid and centred on their own size.
        self.dx = (width - design[0]) / 2 if design else 0
        self.dy = (height - design[1]) / 2 if design else 0

    def p(self, x, y):
        return ((x + self.dx) * self.k, (y + self.dy) * self.k)

    def pts(self, points):
        return [self.p(x, y) for x, y in points]

    def box(self, x0, y0, x1, y1):
        (a, b), (c, d) = self.p(x0, y0), self.p(x1, y1)
        return [a, b, c, d]

    def line(self, points, width, color, round_caps=True):
        self.draw.line(self.pts(points), fill=color, width=round(width * self.k), joint="curve")
        if round_caps:
            for x, y in (points[0], points[-1]):
                self.dot(x, y, width / 2, color)

    def dot(self, x, y, radius, color):
        self.draw.ellipse(self.box(x - radius, y - radius, x + radius, y + radius), fill=color)

    def polygon(self, points, fill=None, outline=None, width=0):
        self.draw.polygon(self.pts(points), fill=fill)
        if outline:
            self.line(points + [points[0]], width, outline)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=0, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=radius * self.k, fill=fill,
                                    outline=outline, width=round(width * self.k))

    def ring(self, cx, cy, radius, width, color, fill=None):
        self.draw.ellipse(self.box(cx - radius, cy - radius, cx + radius, cy + radius),
                          fill=fill, outline=color, width=round(width * self.k))

    def text(self, x, y, string, size, color, bold=True, anchor="lm"):
        self.draw.text(self.p(x, y), string, font=font(round(size * self.k), bold), fill=color,
                       anchor=anchor)

    def text_width(self, string, size, bold=True):
        return self.draw.textlength(string, font=font(round(size * self.k), bold)) / self.k

    def result(self):
        return self.image.resize((self.width * self.scale, self.height * self.scale),
                                 Image.LANCZOS)


# --- badges shared by several icons ---------------------------------------

def plus_badge(c, pal, cx=41, cy=41, r=9):
    c.dot(cx, cy, r + 1.6, WHITE)
    c.dot(cx, cy, r, pal["main"])
    c.line([(cx - r * 0.52, cy), (cx + r * 0.52, cy)], 2.8, WHITE)
    c.line([(cx, cy - r * 0.52), (cx, cy + r * 0.52)], 2.8, WHITE)


# --- toolbar icons (55 x 55 design grid) ----------------------------------

def draw_open(c, pal):
    # The back of the folder with its tab, the open front flap over it.
    c.polygon([(8, 13), (21, 13), (25, 18), (43, 18), (43, 26), (8, 26)], fill=pal["dark"])
    c.rect(8, 13, 43, 44, fill=pal["dark"], radius=2.5)
    c.rect(12, 21, 40, 30, fill=pal["paper"], radius=1)
    c.polygon([(15, 27), (50, 27), (43, 45), (8, 45)], fill=pal["main"])
    c.line([(15, 27), (50, 27)], 1.6, pal["light"], round_caps=False)


def draw_page(c, pal, x0=13, y0=7, x1=42, y1=48, fold=10):
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.polygon(outline, fill=pal["paper"])
    c.line(outline + [outline[0]], 2.6, pal["main"])
    corner = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    c.polygon(corner, fill=pal["light"])
    c.line(corner, 2.2, pal["main"])


def draw_new_file(c, pal):
    draw_page(c, pal)


def draw_floppy(c, pal, x0=8, y0=8, size=39):
    s = size / 39
    X = lambda v: x0 + v * s
    Y = lambda v: y0 + v * s
    body = [(X(0), Y(3)), (X(3), Y(0)), (X(32), Y(0)), (X(39), Y(7)), (X(39), Y(36)),
            (X(36), Y(39)), (X(3), Y(39)), (X(0), Y(36))]
    c.polygon(body, fill=pal["main"])
    c.line(body + [body[0]], 1.2 * s, pal["dark"])
    c.rect(X(8), Y(0), X(29), Y(12), fill=pal["light"], radius=1 * s)
    c.rect(X(22), Y(2.5), X(26), Y(9.5), fill=pal["dark"], radius=0.8 * s)
    c.rect(X(5), Y(18), X(34), Y(39), fill=pal["paper"], radius=1.5 * s)
    for v in (24, 29.5):
        c.line([(X(10), Y(v)), (X(29), Y(v))], 1.8 * s, pal["light"])


def draw_save(c, pal):
    draw_floppy(c, pal)


def draw_save_add(c, pal):
    draw_floppy(c, pal, 6, 6, 36)
    plus_badge(c, pal, 41, 41, 9)


def draw_delete_trash(c, pal):
    c.rect(22, 7, 33, 13, outline=pal["dark"], width=2.6, radius=2)
    c.rect(9, 11, 46, 16, fill=pal["dark"], radius=2)
    body = [(12, 18), (43, 18), (40, 48), (15, 48)]
    c.polygon(body, fill=pal["main"])
    c.rect(14, 45, 41, 48.5, fill=pal["main"], radius=2)
    for x0, x1 in ((20, 21), (27.5, 27.5), (35, 34)):
        c.line([(x0, 23), (x1, 42)], 2.6, pal["paper"])


def draw_pencil(c, pal, ox=0, oy=0, size=1.0):
    # A pencil lying from the lower left to the upper right.
    angle = math.radians(-45)
    ux, uy = math.cos(angle), math.sin(angle)      # along the pencil
    vx, vy = -uy, ux                                # across it
    half = 5.2 * size
    tip = (11 * size + ox, 44 * size + oy)

    def at(a, b):
        return (tip[0] + ux * a + vx * b, tip[1] + uy * a + vy * b)

    length = 44 * size
    cone = 10 * size
    c.polygon([at(0, 0), at(cone, -half), at(cone, half)], fill=pal["paper"])
    c.polygon([at(0, 0), at(cone * 0.42, -half * 0.42), at(cone * 0.42, half * 0.42)],
              fill=pal["dark"])
    c.polygon([at(cone, -half), at(length - 8 * size, -half), at(length - 8 * size, half),
               at(cone, half)], fill=pal["main"])
    c.polygon([at(cone, -half * 0.2), at(length - 8 * size, -half * 0.2),
               at(length - 8 * size, half * 0.2), at(cone, half * 0.2)], fill=pal["light"])
    c.polygon([at(length - 8 * size, -half), at(length - 5.5 * size, -half),
               at(length - 5.5 * size, half), at(length - 8 * size, half)], fill=pal["paper"])
    c.polygon([at(length - 5.5 * size, -half), at(length, -half), at(length, half),
               at(length - 5.5 * size, half)], fill=pal["dark"])


def draw_edit_pencil(c, pal):
    draw_pencil(c, pal)
    c.line([(27, 48), (46, 48)], 2.6, pal["main"])


def draw_edit_add_pencil(c, pal):
    draw_pencil(c, pal, -1, -1, 0.9)
    plus_badge(c, pal, 41, 41, 9)


def draw_apply(c, pal):
    c.ring(27.5, 27.5, 19, 2.6, pal["main"])
    c.line([(17.5, 28), (24.5, 35), (38, 20.5)], 4.6, pal["main"])


def draw_delete(c, pal):
    c.ring(27.5, 27.5, 19, 2.6, pal["main"])
    c.line([(20, 20), (35, 35)], 4.6, pal["main"])
    c.line([(35, 20), (20, 35)], 4.6, pal["main"])


def draw_print(c, pal):
    c.rect(16, 7, 39, 20, fill=pal["paper"], outline=pal["main"], width=2.2, radius=1)
    c.rect(7, 18, 48, 39, fill=pal["main"], radius=4)
    c.rect(11, 22, 15, 25, fill=pal["light"], radius=1)
    c.rect(16, 32, 39, 48, fill=pal["paper"], outline=pal["main"], width=2.2, radius=1)
    for y in (37, 42):
        c.line([(20, y), (35, y)], 1.8, pal["light"])


# --- window buttons on the dark title band ---------------------------------

def draw_close(c, variant):
    w, h = c.width, c.height
    if variant == "blue":
        c.rect(0, 0, w, h, fill=BRAND, radius=3)
        color = WHITE
    else:
        color = (205, 205, 205)
    m = 5.2
    c.line([(m, m + 0.5), (w - m, h - m - 0.5)], 1.9, color)
    c.line([(w - m, m + 0.5), (m, h - m - 0.5)], 1.9, color)


def draw_min(c, variant):
    w, h = c.width, c.height
    if variant == "blue":
        c.rect(0, 0, w, h, fill=BRAND, radius=3)
        color = WHITE
    else:
        color = (205, 205, 205)
    c.line([(4.8, h / 2 + 0.5), (w - 4.8, h / 2 + 0.5)], 2.0, color)


def draw_fold(c):
    color = (128, 128, 128)
    c.ring(9.5, 9.5, 8.2, 1.3, color)
    c.line([(5.8, 8), (9.5, 11.7), (13.2, 8)], 1.9, color)


def draw_limit(c, kind):
    amber, red = (236, 150, 20), (214, 48, 40)
    color = red if kind == "hard_max" else amber
    c.rect(1, 1, 24, 23, fill=(255, 255, 255, 230), outline=color, width=1.4, radius=4)
    if kind == "soft_min":
        c.line([(12.5, 5.5), (12.5, 14)], 2.2, color)
        c.polygon([(7.5, 12), (17.5, 12), (12.5, 17.5)], fill=color)
        c.line([(6.5, 19.5), (18.5, 19.5)], 2.0, color)
    else:
        c.line([(6.5, 4.5), (18.5, 4.5)], 2.0, color)
        if kind == "hard_max":
            c.line([(6.5, 7.5), (18.5, 7.5)], 2.0, color)
        c.polygon([(7.5, 14), (17.5, 14), (12.5, 8.8)], fill=color)
        c.line([(12.5, 12), (12.5, 19.5)], 2.2, color)


# --- brand ---------------------------------------------------------------

def draw_initial(c, x, y, size, tile=BRAND, glyph=WHITE):
    """The small Morvex mark: its initial on a rounded tile."""
    c.rect(x, y, x + size, y + size, fill=tile, radius=size * 0.24)
    # A sturdy M drawn as strokes, crisper than a font at this size.
    s = size / 100
    stroke = 15 * s
    c.line([(x + 26 * s, y + 74 * s), (x + 26 * s, y + 28 * s), (x + 50 * s, y + 56 * s),
            (x + 74 * s, y + 28 * s), (x + 74 * s, y + 74 * s)], stroke, glyph)


def draw_mark(c, x, y, size, tile=BRAND, glyph=WHITE):
    """The Morvex mark: a rounded tile holding a microwave's door and dial."""
    s = size / 100
    c.rect(x, y, x + 100 * s, y + 100 * s, fill=tile, radius=22 * s)
    c.rect(x + 16 * s, y + 26 * s, x + 84 * s, y + 74 * s, outline=glyph, width=7 * s,
           radius=8 * s)
    c.rect(x + 25 * s, y + 35 * s, x + 60 * s, y + 65 * s, fill=glyph, radius=4 * s)
    c.dot(x + 72 * s, y + 42 * s, 4.5 * s, glyph)
    c.line([(x + 68 * s, y + 58 * s), (x + 76 * s, y + 58 * s)], 4 * s, glyph)


def draw_logo(c):
    # App icon: a gradient tile, the mark's microwave drawn large, the name.
    w = c.width
    tile = Image.new("RGBA", c.image.size)
    grad = ImageDraw.Draw(tile)
    for row in range(c.image.size[1]):
        t = row / c.image.size[1]
        color = tuple(round(a + (b - a) * t) for a, b in zip((52, 160, 250), BRAND_DEEP))
        grad.line([(0, row), (c.image.size[0], row)], fill=color)
    mask = Image.new("L", c.image.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(c.box(10, 10, w - 10, w - 10), radius=70 * c.k,
                                           fill=255)
    shadow = Image.new("RGBA", c.image.size, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).rounded_rectangle(c.box(12, 16, w - 8, w - 4), radius=70 * c.k,
                                             fill=(0, 30, 70, 90))
    shadow = shadow.filter(ImageFilter.GaussianBlur(6 * c.k))
    c.image.alpha_composite(shadow)
    c.image.paste(tile, (0, 0), mask)
    c.draw = ImageDraw.Draw(c.image)
    c.rect(64, 62, 284, 212, outline=WHITE, width=14, radius=22)
    c.rect(88, 86, 206, 188, fill=(255, 255, 255, 235), radius=12)
    c.rect(100, 98, 194, 176, fill=(200, 228, 255, 255), radius=8)
    c.dot(246, 110, 13, WHITE)
    c.line([(232, 150), (260, 150)], 9, WHITE)
    c.line([(232, 172), (260, 172)], 9, WHITE)
    c.text(w / 2, 270, "Morvex", 58, WHITE, anchor="mm")


def draw_wordmark(c, words, size, mark=True):
    x = 1
    if mark:
        draw_initial(c, 1, 1, c.height - 2)
        x = c.height + 4
    c.text(x, c.height / 2 + 0.5, "Morvex", size, WHITE)
    if words:
        x += c.text_width("Morvex", size) + size * 0.35
        c.text(x, c.height / 2 + 0.5, words, size * 0.92, (205, 215, 228), bold=False)


def draw_logo_hint(c):
    draw_initial(c, 2, 0.5, 22)


def vertical_gradient(c, top, bottom):
    draw = c.draw
    height = c.image.size[1]
    for row in range(height):
        t = row / max(1, height - 1)
        color = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line([(0, row), (c.image.size[0], row)], fill=color + (255,))


def soft_waves(c, color, alpha, count, phase):
    w, h = c.width, c.height
    for i in range(count):
        # Transparent pixels carry the wave's own colour, so the blurred
        # edge fades instead of darkening.
        layer = Image.new("RGBA", c.image.size, color + (0,))
        draw = ImageDraw.Draw(layer)
        base = h * (0.30 + 0.2 * i)
        points = []
        for step in range(0, 121):
            x = w * step / 120
            y = base + h * 0.05 * math.sin(step / 120 * math.pi * 1.6 + phase + i * 1.7)
            points.append((x * c.k, y * c.k))
        points += [(w * c.k, h * c.k), (0, h * c.k)]
        draw.polygon(points, fill=color + (alpha,))
        c.image.alpha_composite(layer.filter(ImageFilter.GaussianBlur(3 * c.k)))


def draw_bgp(c):
    vertical_gradient(c, (251, 252, 254), (236, 240, 246))
    soft_waves(c, (206, 223, 243), 40, 3, 0.4)


def draw_background_pic(c):
    vertical_gradient(c, (251, 251, 251), (240, 243, 247))
    soft_waves(c, (205, 222, 242), 30, 2, 1.3)
    layer = Canvas(c.width, c.height, c.scale)
    draw_mark(layer, c.width / 2 - 90, c.height / 2 - 130, 180, tile=(22, 132, 235, 40),
              glyph=(255, 255, 255, 200))
    layer.text(c.width / 2, c.height / 2 + 90, "Morvex", 46, (22, 132, 235, 60), anchor="mm")
    c.image.alpha_composite(layer.image)


# --- the image table ---------------------------------------------------------

ICONS = {
    # name: (drawing, gray size, blue size)
    "open": (draw_open, (55, 55), (55, 55)),
    "new_file": (draw_new_file, (54, 54), (54, 55)),
    "save": (draw_save, (54, 55), (55, 55)),
    "save_add": (draw_save_add, (54, 55), (55, 55)),
    "delete_trash": (draw_delete_trash, (55, 55), (55, 55)),
    "edit_pencil": (draw_edit_pencil, (55, 54), (55, 54)),
    "edit_add_pencil": (draw_edit_add_pencil, (55, 55), (55, 55)),
    "apply": (draw_apply, (54, 54), (55, 54)),
    "delete": (draw_delete, (54, 55), (55, 55)),
}


def pictures():
    """Yields (file name, width, height, drawing taking a Canvas)."""
    for name, (drawing, gray_size, blue_size) in ICONS.items():
        for variant, size in (("gray", gray_size), ("blue", blue_size)):
            yield (f"{name}_{variant}.png", size[0], size[1], (55, 55),
                   lambda c, d=drawing, v=variant: d(c, PALETTES[v]))
    yield ("print_gray.png", 54, 55, (55, 55), lambda c: draw_print(c, PALETTES["gray"]))
    for variant, size in (("gray", (18, 19)), ("blue", (19, 19))):
        yield (f"close_{variant}.png", *size, None, lambda c, v=variant: draw_close(c, v))
        yield (f"min_{variant}.png", *size, None, lambda c, v=variant: draw_min(c, v))
    yield ("fold_gray.png", 19, 19, None, draw_fold)
    for kind in ("soft_min", "soft_max", "hard_max"):
        yield (f"{kind}_limit.png", 25, 24, None, lambda c, k=kind: draw_limit(c, k))
    yield ("logo.png", 348, 348, None, draw_logo)
    yield ("logo_corner.png", 217, 22, None, lambda c: draw_wordmark(c, "Menu Editor", 13))
    yield ("logo_drug.png", 158, 23, None, lambda c: draw_wordmark(c, "Menu", 13.5))
    yield ("logo_hint.png", 26, 23, None, draw_logo_hint)
    yield ("bgp.png", 955, 590, None, draw_bgp)
    yield ("background_pic.png", 661, 540, None, draw_background_pic)


def as_palette(image):
    """The same picture as a palette image when it has at most 256 colours,
    else None. Qt then inflates one byte per pixel instead of four: the
    window's background decodes about four times faster at start-up."""
    colors = image.getcolors(256)
    if colors is None:
        return None
    palette = [color for _, color in colors]
    index = {color: i for i, color in enumerate(palette)}
    indexed = Image.new("P", image.size)
    indexed.putdata([index[pixel] for pixel in image.getdata()])
    indexed.putpalette([channel for color in palette for channel in color[:3]])
    alphas = bytes(color[3] for color in palette)
    if any(alpha != 255 for alpha in alphas):
        indexed.info["transparency"] = alphas
    if list(indexed.convert("RGBA").getdata()) != list(image.getdata()):
        return None
    return indexed


def save_unfiltered(image, path):
    """Writes an RGBA picture with no PNG row filter. The adaptive filters
    PIL picks shrink a file little but cost libpng most of a decode: the
    logo (decoded for the window icon before the window maps) and the big
    picture behind the rows decode two to three times faster unfiltered."""
    width, height = image.size
    pixels = image.tobytes()
    stride = width * 4
    rows = b"".join(b"\0" + pixels[y * stride : (y + 1) * stride] for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        out.write(chunk(b"IEND", b""))


def save(image, path):
    indexed = as_palette(image.convert("RGBA"))
    if indexed is None:
        save_unfiltered(image.convert("RGBA"), path)
    else:
        indexed.save(path, optimize=True, transparency=indexed.info.get("transparency"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scale", type=int, default=1, help="1 for the base files, 2 for @2x")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "image"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    suffix = "" if args.scale == 1 else f"@{args.scale}x"
    for file_name, width, height, design, drawing in pictures():
        canvas = Canvas(width, height, args.scale, design)
        drawing(canvas)
        stem, ext = os.path.splitext(file_name)
        save(canvas.result(), os.path.join(args.out, stem + suffix + ext))


if __name__ == "__main__":
    main()
