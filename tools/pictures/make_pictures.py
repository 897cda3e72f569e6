#!/usr/bin/env python3
"""Draws Seamster's pictures and program icon and writes them for the resource script.

The shape definitions below are the sources of the pictures.  Run

    python3 tools/pictures/make_pictures.py          # write src/res/pictures/ and the sheet
    python3 tools/pictures/make_pictures.py --check  # verify the committed files are current

Only the Python 3 standard library is used.  Every picture shares one palette,
one outline colour and a soft top-left light; the 16-pixel pictures are drawn
on the 16-pixel grid (outlines fall on whole pixels) rather than shrunk.
"""

import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from raster import (Canvas, Linear, Path, Radial, bounds, coverage, dashes, ellipse,  # noqa: E402
                    lighter, darker, rect, rgb, rotate, rounded_rect, star, stroke,
                    transform, with_alpha, WHITE)
import formats  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT_DIR = os.path.join(ROOT, 'src', 'res', 'pictures')
SHEET = os.path.join(ROOT, 'tools', 'pictures', 'contact_sheet.png')

# ---------------------------------------------------------------- palette

OUTLINE = rgb('#2b3042')
LINEN = rgb('#f3e4c8')
WOOD = rgb('#b8773e')
THREAD = rgb('#e0403a')
TAPE = rgb('#f7c744')
FOLDER = rgb('#f4b63f')
BLUE = rgb('#3b7dd8')
SKY = rgb('#8ccff4')
GREEN = rgb('#4caf50')
PINK = rgb('#ef6a9c')
STEEL = rgb('#c2cbd8')
GREY = rgb('#98a2b3')
ORANGE = rgb('#f2632a')
CARD = rgb('#d8a25a')
PAPER = rgb('#fcfcfa')
TEAL = rgb('#2fa3a8')


# ----------------------------------------------------------------- drawing

class Draw:
    """Draws in design units mapped onto a canvas by scale and offset.

    `outline` is the outline weight in pixels; outlines are drawn outside the
    filled area so that overlapping pieces of one shape share one outline.
    """

    def __init__(self, canvas, scale=1.0, dx=0.0, dy=0.0, outline=1.0):
        self.canvas = canvas
        self.s, self.dx, self.dy = scale, dx, dy
        self.ow = outline

    # coordinates
    def px(self, contours):
        return transform(contours, lambda x, y: (self.dx + x * self.s, self.dy + y * self.s))

    def pt(self, x, y):
        return (self.dx + x * self.s, self.dy + y * self.s)

    # paints
    def linear(self, p0, p1, stops):
        return Linear(self.pt(*p0), self.pt(*p1), stops)

    def shade(self, contours, base, light=0.45, dark=0.12):
        """Soft light from the top left: lighter above, a little darker below."""
        x0, y0, x1, y1 = bounds(contours)
        w = x1 - x0
        return Linear((x0 + 0.25 * w, y0), (x1 - 0.25 * w, y1),
                      [(0.0, lighter(base, light)), (0.55, base), (1.0, darker(base, dark))])

    # filling
    def mask(self, contours, evenodd=False):
        c = self.canvas
        return coverage(self.px(contours), c.width, c.height, evenodd)

    def fill(self, contours, paint, evenodd=False, clip=None, opacity=1.0):
        return self.canvas.fill(self.px(contours), paint, evenodd, clip, opacity)

    def shape(self, contours, paint, evenodd=False, outline=None, light=0.45, dark=0.12):
        """Filled shape with the common outline; a bare colour gets the soft shading."""
        pc = self.px(contours)
        weight = self.ow if outline is None else outline
        if weight > 0:
            pieces = []
            for c in pc:
                pieces.extend(stroke(c, 2 * weight, closed=True))
            self.canvas.fill(pieces, OUTLINE)
        if isinstance(paint, tuple):
            paint = self.shade(pc, paint, light, dark)
        return self.canvas.fill(pc, paint, evenodd)

    def line(self, points, width, colour, outline=0.0, caps=True, clip=None, px_width=False):
        """Polyline in design units; width in design units unless px_width."""
        pts = self.px([points])[0]
        w = width if px_width else width * self.s
        if outline > 0:
            self.canvas.fill(stroke(pts, w + 2 * outline, caps=caps), OUTLINE, clip=clip)
        return self.canvas.fill(stroke(pts, w, caps=caps), colour, clip=clip)

    def dashed(self, points, width, dash, gap, colour, clip=None, offset=0.0):
        for piece in dashes(points, dash, gap, offset):
            self.line(piece, width, colour, clip=clip)


def curve_points(start, *segments):
    """Polyline of a chain of cubic Bézier segments given as 6-tuples."""
    p = Path().move(*start)
    for seg in segments:
        p.curve(*seg)
    return p.contours[0]


def mirrored(right, axis):
    """A closed outline from its right half (top to bottom) mirrored about x = axis."""
    left = [(2 * axis - x, y) for x, y in reversed(right)]
    return right + left


def icon_canvas(w, h=None):
    return Canvas(w, h or w)


# ------------------------------------------------------- shared motifs

def torso_outline():
    """The dress form's body, in 256-unit design space."""
    right = curve_points((144, 46),
                         (152, 60, 180, 58, 194, 70),
                         (204, 80, 200, 100, 200, 120),
                         (200, 144, 170, 148, 168, 168),
                         (166, 188, 198, 192, 198, 210),
                         (198, 218, 194, 222, 188, 224),
                         (160, 230, 140, 232, 128, 232))
    return [squash(mirrored(right[:-1], 128))]


def squash(points):
    """Body coordinates drawn with the torso shortened to leave room for the stand."""
    return [(x, 42 + (y - 46) * 0.88) for x, y in points]


def dress_form(d, detail=1, body=LINEN, base=True):
    """Dress form on its stand.  detail 0: plain, 1: seams, 2: seams and darts."""
    if base:
        d.shape([ellipse(128, 240, 40, 8)], WOOD)
        d.shape([rect(121, 196, 14, 42)], WOOD)
    d.shape([rect(115, 24, 26, 22)], body, dark=0.2)
    torso = torso_outline()
    d.shape(torso, d.linear((70, 40), (200, 230), [(0.0, lighter(body, 0.5)), (0.45, body),
                                                   (1.0, darker(body, 0.14))]))
    clip = d.mask(torso)
    if detail >= 1:
        seam = darker(body, 0.3)
        width = 3.0 if detail >= 2 else 4.0
        for side in (-1, 1):
            pts = squash(curve_points((128 + side * 36, 52),
                               (128 + side * 44, 96, 128 + side * 40, 128, 128 + side * 22, 164),
                               (128 + side * 10, 190, 128 + side * 30, 212, 128 + side * 32, 232)))
            if detail >= 2:
                d.dashed(pts, width, 9, 6, seam, clip=clip)
            else:
                d.line(pts, width, seam, clip=clip)
    # a soft sheen on the left of the bust
    d.fill([ellipse(96, 96, 16, 26)], with_alpha(WHITE, 0.35), clip=clip)
    d.shape([ellipse(128, 24, 18, 7)], WOOD, light=0.5)
    return clip


def folder(d, x, y, w, h, tab_w, tab_h, body=FOLDER, slant=0.0):
    """Manila folder: back with a tab, then the front panel."""
    back = [(x, y + tab_h), (x, y), (x + tab_w, y), (x + tab_w + tab_h, y + tab_h),
            (x + w, y + tab_h), (x + w, y + h), (x, y + h)]
    d.shape([back], darker(body, 0.15))
    front_top = y + tab_h + max(1.0, h * 0.22)
    front = [(x + slant, front_top), (x + w + slant, front_top), (x + w, y + h), (x, y + h)]
    d.shape([front], body, light=0.55)
    return front


def check_mark(d, x, y, size, width, colour, outline=0.0):
    pts = [(x, y + size * 0.5), (x + size * 0.38, y + size * 0.88), (x + size, y)]
    d.line(pts, width, colour, outline=outline)


def needle(d, eye, tip, width, thread_from_eye=None):
    """Sewing needle from its eye end to its point."""
    (ex, ey), (tx, ty) = eye, tip
    length = math.hypot(tx - ex, ty - ey)
    ux, uy = (tx - ex) / length, (ty - ey) / length
    nx, ny = -uy, ux
    hw = width / 2
    body = [(ex - ux * hw + nx * hw * 0.9, ey - uy * hw + ny * hw * 0.9),
            (ex + ux * length * 0.7 + nx * hw, ey + uy * length * 0.7 + ny * hw),
            (tx, ty),
            (ex + ux * length * 0.7 - nx * hw, ey + uy * length * 0.7 - ny * hw),
            (ex - ux * hw - nx * hw * 0.9, ey - uy * hw - ny * hw * 0.9)]
    hole_len, hole_w = width * 1.3, width * 0.22
    hole = [(ex + ux * (hw * 0.2) + nx * hole_w, ey + uy * (hw * 0.2) + ny * hole_w),
            (ex + ux * (hw * 0.2 + hole_len) + nx * hole_w, ey + uy * (hw * 0.2 + hole_len) + ny * hole_w),
            (ex + ux * (hw * 0.2 + hole_len) - nx * hole_w, ey + uy * (hw * 0.2 + hole_len) - ny * hole_w),
            (ex + ux * (hw * 0.2) - nx * hole_w, ey + uy * (hw * 0.2) - ny * hole_w)]
    d.shape([body], d.linear((ex + nx * hw, ey + ny * hw), (ex - nx * hw, ey - ny * hw),
                             [(0, rgb('#ffffff')), (0.5, STEEL), (1, darker(STEEL, 0.25))]))
    d.fill([hole], OUTLINE)


# The thread runs from the needle's eye and writes an S down the body.
THREAD_PATH = ((204, 50), (196, 60, 192, 66, 182, 68), (130, 72, 86, 74, 86, 100),
               (88, 126, 168, 123, 170, 151), (172, 183, 110, 190, 78, 172))


def s_thread(d, width, outline, highlight=True):
    pts = curve_points(*THREAD_PATH)
    mask = d.line(pts, width, THREAD, outline=outline)
    if highlight:
        d.line([(x - width * 0.2, y - width * 0.2) for x, y in pts], width * 0.3,
               with_alpha(lighter(THREAD, 0.6), 0.8), clip=mask)


# ------------------------------------------------------------- pictures

def emblem(size):
    """The program icon at one of its sizes."""
    if size == 16:
        return emblem16()
    if size == 24:
        return emblem24()
    c = icon_canvas(size)
    ow = {32: 1.0, 48: 1.5, 256: 5.0}.get(size, size / 32)
    d = Draw(c, size / 256.0, outline=ow)
    dress_form(d, detail=2 if size >= 128 else (1 if size >= 48 else 0))
    if size >= 128:
        waist_tape(d)
    s_thread(d, 12 if size >= 128 else 256 / size * 1.8, ow, highlight=size >= 48)
    needle(d, (196, 60), (250, 4), 14 if size >= 48 else 20)
    return c


def waist_tape(d):
    """A tape measure round the waist, clipped to the body."""
    clip = d.mask(torso_outline())
    top = squash(curve_points((40, 156), (90, 174, 166, 174, 216, 156)))
    bottom = squash(curve_points((216, 174), (166, 192, 90, 192, 40, 174)))
    band = d.fill([top + bottom], d.linear((0, 140), (0, 160), [(0, lighter(TAPE, 0.4)), (1, TAPE)]),
                  clip=clip)
    for i in range(-9, 10):
        x = 128 + i * 8
        t = (x - 40) / 176
        y = squash([(x, 156 + 18 * 0.75 * (1 - (2 * t - 1) ** 2))])[0][1]
        d.line([(x, y), (x, y + (8 if i % 2 == 0 else 5))], 2, OUTLINE, clip=band)
    d.line(top, 3, OUTLINE, clip=clip)
    d.line(bottom, 3, OUTLINE, clip=clip)


def emblem16():
    """The program icon drawn on the 16-pixel grid."""
    c = icon_canvas(16)
    d = Draw(c)
    d.shape([rect(5, 14, 6, 1)], WOOD)
    d.shape([rect(7, 12, 2, 2)], WOOD)
    body = [(5, 3), (11, 3), (13, 4), (13, 6.5), (11.5, 8.5), (13, 10.5), (13, 12),
            (3, 12), (3, 10.5), (4.5, 8.5), (3, 6.5), (3, 4)]
    d.shape([body], LINEN, light=0.5)
    d.shape([rect(6, 1, 4, 1)], WOOD)
    # the S, placed pixel by pixel so that it stays crisp
    red = darker(THREAD, 0.08)
    for x, y, w, h in ((7, 4, 4, 1), (6, 5, 1, 2), (7, 7, 3, 1), (10, 8, 1, 2), (5, 10, 5, 1)):
        d.fill([rect(x, y, w, h)], red)
    for x, y in ((6, 4.6), (10.4, 7.6), (9.4, 9.4)):
        d.fill([rect(x, y, 1, 1)], with_alpha(red, 0.45))
    steel = darker(STEEL, 0.45)
    for x, y in ((11, 3), (12, 2), (13, 1), (14, 0)):
        d.fill([rect(x, y, 1, 1)], steel)
    return c


def emblem24():
    c = icon_canvas(24)
    d = Draw(c, 24 / 256.0, outline=1.0)
    dress_form(d, detail=0)
    s_thread(d, 18, 1.0, highlight=False)
    needle(d, (196, 60), (250, 4), 22)
    return c


def picture_body_shop(running, size=48):
    """48 x 48 bitmap (at 100 %): the dress form with a status light."""
    k = size / 48
    c = Canvas(size, size, rgb('#e9eef4'))
    back = Draw(c, k)
    back.fill([rect(0, 0, 48, 48)], back.linear((0, 0), (0, 48), [(0, rgb('#f7f9fc')),
                                                                  (1, rgb('#d3dce7'))]))
    back.fill([ellipse(20, 44.5, 14, 2.6)], with_alpha(rgb('#56627a'), 0.35))
    d = Draw(c, 40 / 256.0 * k, dx=0, dy=4 * k, outline=k)
    dress_form(d, detail=1)
    light = Draw(c, k, outline=k)
    if running:
        light.fill([ellipse(38, 10, 9.5)], Radial(light.pt(38, 10), 9.5 * k, [(0.5, with_alpha(GREEN, 0.5)),
                                                               (1.0, with_alpha(GREEN, 0.0))]))
        light.shape([ellipse(38, 10, 6.5)], GREEN, light=0.5)
        light.fill([[(35.8, 6.6), (35.8, 13.4), (41.6, 10)]], WHITE)
    else:
        light.shape([ellipse(38, 10, 6.5)], GREY, light=0.5)
        light.fill([ellipse(38, 10, 3.2)], with_alpha(darker(GREY, 0.25), 0.7))
    return c


def picture_help(size=32):
    c = icon_canvas(size)
    d = Draw(c, size / 32, outline=size / 32)
    circle = [ellipse(16, 16, 14)]
    d.shape(circle, d.linear((8, 2), (24, 30), [(0, lighter(BLUE, 0.5)), (0.5, BLUE),
                                               (1, darker(BLUE, 0.2))]))
    clip = d.mask(circle)
    d.fill([ellipse(16, 8, 11, 6)], with_alpha(WHITE, 0.25), clip=clip)
    q = curve_points((11.2, 12.2), (11.2, 8.6, 13.6, 7, 16.2, 7), (19.4, 7, 21, 9, 21, 11.5),
                     (21, 14.6, 16.4, 15, 16.4, 18.8))
    d.line([(x + 0.6, y + 0.8) for x, y in q], 4, with_alpha(darker(BLUE, 0.5), 0.5))
    d.line(q, 4, WHITE)
    d.fill([ellipse(17, 24.6, 2.4)], with_alpha(darker(BLUE, 0.5), 0.5))
    d.fill([ellipse(16.4, 23.8, 2.4)], WHITE)
    return c


def picture_background_colour(size=16):
    # Drawn on the 16-pixel grid; the 32-pixel copy serves the tool bar.
    c = icon_canvas(size)
    d = Draw(c, scale=size / 16, outline=size / 16)
    p = Path().move(2, 8)
    p.curve(2, 4, 5, 2, 8.5, 2).curve(12, 2, 14.5, 4, 14.5, 7).curve(14.5, 9.5, 12.5, 10, 11, 10)
    p.curve(9.5, 10, 9.5, 11.5, 10, 12.5).curve(10.5, 14, 8.5, 14.5, 7, 14.5)
    p.curve(4, 14.5, 2, 11.5, 2, 8)
    d.shape(p.contours, rgb('#e2b77a'), light=0.5)
    for (x, y), colour in (((5, 9.5), rgb('#e0403a')), ((5, 5.5), rgb('#f7c744')),
                           ((8.5, 4.5), rgb('#4caf50')), ((12, 6), rgb('#3b7dd8'))):
        d.fill([ellipse(x, y, 1.6)], colour)
        d.fill([ellipse(x - 0.5, y - 0.5, 0.6)], with_alpha(WHITE, 0.6))
    return c


def picture_background_image(size=16):
    # Drawn on the 16-pixel grid; the 32-pixel copy serves the tool bar.
    c = icon_canvas(size)
    d = Draw(c, scale=size / 16, outline=size / 16)
    frame = [rect(1, 3, 14, 11)]
    d.shape(frame, d.linear((0, 3), (0, 14), [(0, rgb('#5fb4ec')), (1, rgb('#c9ecff'))]), outline=1.0)
    clip = d.mask(frame)
    d.fill([ellipse(11.5, 6.5, 1.7)], rgb('#ffd84a'), clip=clip)
    d.fill([[(0.5, 14.5), (5, 8), (8, 11.5), (10.5, 9), (15.5, 14.5)]],
           d.linear((0, 8), (0, 14), [(0, rgb('#6cc35a')), (1, rgb('#2f8a3a'))]), clip=clip)
    d.fill([[(5, 8), (6.2, 9.7), (4.9, 9.9), (3.8, 9.7)]], with_alpha(WHITE, 0.85), clip=clip)
    return c


def picture_cleanup(size=32):
    c = icon_canvas(size)
    d = Draw(c, size / 32, outline=size / 32)
    sheet = rotate([rect(9, 2, 13, 17)], 15.5, 10.5, -14)
    d.shape(sheet, PAPER, light=0.2, dark=0.1)
    sclip = d.mask(sheet)
    for i in range(3):
        d.line(rotate([[(11.5, 6 + i * 3), (19.5, 6 + i * 3)]], 15.5, 10.5, -14)[0], 1.2,
               rgb('#9aa7bb'), clip=sclip)
    body = [(6, 13), (26, 13), (23.5, 29), (8.5, 29)]
    d.shape([body], d.linear((6, 0), (26, 0), [(0, lighter(GREY, 0.3)), (0.35, lighter(GREY, 0.55)),
                                             (1, darker(GREY, 0.2))]))
    bclip = d.mask([body])
    for x in (11, 16, 21):
        d.line([(x, 16), (x - (x - 16) * 0.12, 26.5)], 1.6, with_alpha(darker(GREY, 0.35), 0.8),
               clip=bclip)
    d.shape([rounded_rect(4, 11, 24, 4, 1.5)], GREY, light=0.6)
    return c


def closed_eye(d, cx, cy, w, stroke_w, colour):
    lid = curve_points((cx - w / 2, cy), (cx - w / 4, cy + w * 0.32, cx + w / 4, cy + w * 0.32,
                                          cx + w / 2, cy))
    d.line(lid, stroke_w, colour)
    for t, dx in ((0.2, -0.45), (0.5, 0.0), (0.8, 0.45)):
        x = cx - w / 2 + w * t
        y = cy + w * 0.24 * (1 - (2 * t - 1) ** 2) + 0.3
        d.line([(x, y), (x + dx * w * 0.18, y + w * 0.2)], stroke_w, colour)


def picture_hidden_folders(size=32):
    c = icon_canvas(size)
    d = Draw(c, size / 32, outline=size / 32)
    folder(d, 8, 3, 21, 16, 7, 2, body=darker(FOLDER, 0.08))
    folder(d, 2, 9, 23, 19, 8, 2.5)
    closed_eye(d, 13.5, 20, 11, 1.6, darker(FOLDER, 0.65))
    return c


def picture_extras(size=16):
    # Drawn on the 16-pixel grid; the 32-pixel copy serves the tool bar.
    c = icon_canvas(size)
    d = Draw(c, scale=size / 16, outline=size / 16)
    d.shape([star(8, 8.6, 7.2, 3.0)], TAPE, light=0.55, dark=0.15)
    d.fill([star(6.2, 6.8, 1.6, 0.45, points=4, rotation=0)], with_alpha(WHITE, 0.9))
    return c


def picture_options(size=32):
    c = icon_canvas(size)
    d = Draw(c, size / 32, outline=size / 32)
    d.shape([rounded_rect(5, 4, 22, 27, 2)], WOOD)
    paper = [rect(8, 8, 16, 20)]
    d.shape(paper, PAPER, light=0.1, dark=0.08, outline=0.0)
    d.shape([rounded_rect(11, 2, 10, 5, 1.5)], STEEL, light=0.6)
    for i, ticked in enumerate((True, True, False)):
        y = 11 + i * 5.5
        d.fill([rect(10, y, 4, 4)], WHITE)
        d.line([(10, y), (14, y), (14, y + 4), (10, y + 4), (10, y)], 1.0, GREY, caps=False)
        d.line([(16, y + 2), (22, y + 2)], 1.5, rgb('#9aa7bb'))
        if ticked:
            check_mark(d, 10.3, y - 0.4, 4.6, 1.7, rgb('#2e9e43'))
    return c


def wrench(d, x0, y0, x1, y1, handle_w, head_r):
    """Open-ended wrench lying from (x0, y0) (handle end) to (x1, y1) (head)."""
    length = math.hypot(x1 - x0, y1 - y0)
    angle = math.degrees(math.atan2(y1 - y0, x1 - x0))
    jaw = head_r * 0.42
    a0 = math.degrees(math.asin(jaw / head_r))
    head = [(length + head_r * math.cos(math.radians(a)), head_r * math.sin(math.radians(a)))
            for a in [a0 + (360 - 2 * a0) * i / 40 for i in range(41)]]
    depth = head_r * 0.9
    head += [(length + head_r * math.cos(math.radians(a0)) - depth, -jaw),
             (length + head_r * math.cos(math.radians(a0)) - depth, jaw)]
    handle = rounded_rect(0, -handle_w / 2, length, handle_w, handle_w / 2)
    parts = [handle, head]
    parts = rotate(parts, 0, 0, angle)
    parts = transform(parts, lambda x, y: (x + x0, y + y0))
    d.shape(parts, d.linear((x0, y0 - 4), (x0 + 3, y0 + 4), [(0, lighter(STEEL, 0.6)),
                                                            (1, darker(STEEL, 0.2))]))
    return parts


def picture_setup(size=32):
    c = icon_canvas(size)
    d = Draw(c, size / 32, outline=size / 32)
    folder(d, 2, 5, 26, 21, 9, 2.5)
    wrench(d, 9, 28.5, 26, 11.5, 4.2, 5.2)
    return c


def picture_marker(size=16):
    c = icon_canvas(size)
    d = Draw(c, size / 16, outline=size / 16)
    d.shape([ellipse(8, 8, 6.5)], ORANGE, light=0.45, dark=0.15)
    check_mark(d, 4.8, 5.2, 6.4, 2.0, WHITE)
    return c


def picture_folder16(size=16):
    # Drawn on the 16-pixel grid; the 32-pixel copy serves the tool bar.
    c = icon_canvas(size)
    d = Draw(c, scale=size / 16, outline=size / 16)
    folder(d, 1, 3, 14, 11, 5, 1)
    return c


def picture_female(size=16):
    c = icon_canvas(size)
    d = Draw(c, size / 16, outline=size / 16)
    strap = darker(PINK, 0.4)
    d.line([(4.5, 6), (4.5, 1.5)], 1.0, strap, caps=False)
    d.line([(11.5, 6), (11.5, 1.5)], 1.0, strap, caps=False)
    left = Path().move(1, 11).curve(1, 8, 3, 5.5, 4.5, 5.5).curve(6, 5.5, 8, 8, 8, 11)
    right = Path().move(8, 11).curve(8, 8, 10, 5.5, 11.5, 5.5).curve(13, 5.5, 15, 8, 15, 11)
    d.shape(left.contours + right.contours + [rect(1, 10.5, 14, 2.5)], PINK, light=0.5)
    d.line([(8, 8), (8, 13)], 1.0, darker(PINK, 0.35), caps=False)
    d.fill([rect(1, 11, 14, 2)], darker(PINK, 0.12))
    d.fill([ellipse(8, 11, 1.3, 1.1)], WHITE)
    return c


def picture_male(size=16):
    c = icon_canvas(size)
    d = Draw(c, size / 16, outline=size / 16)
    p = Path().move(1, 4).line(15, 4).line(15, 8).quad(10.5, 8.8, 9.8, 13).line(6.2, 13)
    p.quad(5.5, 8.8, 1, 8)
    d.shape(p.contours, BLUE, light=0.45)
    d.fill([rect(1, 4, 14, 2)], lighter(BLUE, 0.55))
    d.line([(1, 6.5), (15, 6.5)], 1.0, darker(BLUE, 0.35), caps=False)
    return c


def picture_about_art():
    """122 x 176: the dress form with a tape measure, pins and a threaded needle."""
    c = Canvas(122, 176)
    s = 0.72
    d = Draw(c, s, dx=61 - 128 * s, dy=-6, outline=1.6)
    dress_form(d, detail=2)
    draped_tape(d)
    for (x, y), colour in (((170, 66), BLUE), ((184, 80), GREEN), ((80, 62), THREAD)):
        d.line([(x, y), (x - 10, y + 14)], 2.4, darker(STEEL, 0.3))
        d.shape([ellipse(x, y, 5.5)], colour, light=0.6)
    loose = curve_points((190, 132), (212, 150, 176, 168, 192, 190), (204, 208, 180, 220, 160, 226))
    d.line(loose, 3.5, THREAD, outline=1.0)
    needle(d, (192, 130), (140, 168), 10)
    return c


def draped_tape(d):
    """A tape measure lying over the shoulders and hanging down the front."""
    width = 16.0
    left = curve_points((112, 44), (96, 52, 84, 58, 82, 80), (80, 110, 88, 140, 84, 186))
    right = curve_points((144, 44), (160, 52, 172, 58, 174, 80), (176, 110, 170, 150, 176, 200))
    neck = curve_points((112, 44), (120, 48, 136, 48, 144, 44))
    for pts in (left, right, neck):
        d.line(pts, width, TAPE, outline=d.ow)
    for pts in (left, right):
        pieces = dashes(pts, 1.6, 6.4)
        for seg in pieces:
            (x0, y0), (x1, y1) = seg[0], seg[-1]
            ln = math.hypot(x1 - x0, y1 - y0) or 1
            nx, ny = -(y1 - y0) / ln, (x1 - x0) / ln
            d.line([(x0 - nx * width * 0.5, y0 - ny * width * 0.5), (x0 - nx * width * 0.1, y0 - ny * width * 0.1)],
                   1.6, darker(TAPE, 0.55))
        end = pts[-1]
        d.shape([rect(end[0] - width / 2, end[1], width, 8)], STEEL, light=0.6)


def picture_about_banner():
    """50 x 178: a tape measure unrolling from its case down the window's edge."""
    c = Canvas(50, 178)
    d = Draw(c, 1.0, outline=1.2)
    tape = [rect(15, 30, 20, 136)]
    d.shape(tape, d.linear((15, 0), (35, 0), [(0, lighter(TAPE, 0.45)), (0.5, TAPE),
                                             (1, darker(TAPE, 0.1))]))
    tick = darker(TAPE, 0.6)
    for i in range(0, 66):
        y = 46 + i * 2
        if y > 163:
            break
        length = 7 if i % 5 == 0 else 4
        d.fill([rect(15, y, length, 0.9)], tick)
        if i % 10 == 0 and i > 0:
            digits(d, str(i // 10), 28, y - 2, tick)
    d.shape([rect(13, 166, 24, 8)], STEEL, light=0.6)
    case = [ellipse(25, 24, 21)]
    d.shape(case, d.linear((10, 4), (40, 44), [(0, lighter(THREAD, 0.45)), (0.5, THREAD),
                                              (1, darker(THREAD, 0.2))]))
    d.fill([ellipse(25, 24, 15.5)], with_alpha(darker(THREAD, 0.25), 0.6))
    d.fill([ellipse(25, 24, 14)], d.linear((14, 12), (36, 36), [(0, lighter(THREAD, 0.2)),
                                                                (1, darker(THREAD, 0.1))]))
    d.line(ellipse(25, 24, 17.5, start=200, end=260), 1.6, with_alpha(WHITE, 0.55))
    d.shape([ellipse(25, 24, 7)], STEEL, light=0.6)
    d.fill([ellipse(25, 24, 2.5)], darker(STEEL, 0.4))
    d.shape([rect(12, 40, 26, 6)], darker(THREAD, 0.15))
    return c


DIGITS = {
    '0': ('111', '101', '101', '101', '111'), '1': ('010', '110', '010', '010', '111'),
    '2': ('111', '001', '111', '100', '111'), '3': ('111', '001', '111', '001', '111'),
    '4': ('101', '101', '111', '001', '001'), '5': ('111', '100', '111', '001', '111'),
    '6': ('111', '100', '111', '101', '111'), '7': ('111', '001', '010', '010', '010'),
    '8': ('111', '101', '111', '101', '111'), '9': ('111', '101', '111', '001', '111'),
}


def digits(d, text, x, y, colour, cell=1.0):
    for ch in text:
        for row, bits in enumerate(DIGITS[ch]):
            for col, bit in enumerate(bits):
                if bit == '1':
                    d.fill([rect(x + col * cell, y + row * cell, cell, cell)], colour)
        x += 4 * cell


def picture_about(size=32):
    c = emblem(size)
    d = Draw(c, size / 32, outline=size / 32)
    d.shape([ellipse(25, 25, 5.5)], BLUE, light=0.5)
    d.fill([rect(24.2, 24, 1.8, 4.5)], WHITE)
    d.fill([ellipse(25.1, 21.9, 1.1)], WHITE)
    return c


def package(d, s, label=True):
    """Cardboard box in a 32-unit frame."""
    top = [(4, 11), (11, 5), (28, 5), (21, 11)]
    front = [rect(4, 11, 17, 17)]
    side = [(21, 11), (28, 5), (28, 22), (21, 28)]
    d.shape([side], darker(CARD, 0.18), light=0.1)
    d.shape(front, CARD, light=0.3)
    d.shape([top], lighter(CARD, 0.3), light=0.3)
    d.fill([[(10, 11), (17, 5), (21, 5), (14, 11)]], with_alpha(lighter(CARD, 0.6), 0.9))
    if label:
        d.shape([rect(7, 16, 10, 6)], PAPER, light=0.1)
        d.line([(8.5, 18.2), (15.5, 18.2)], 1.0, GREY)
        d.line([(8.5, 20.2), (13.5, 20.2)], 1.0, GREY)


def pencil(d, x0, y0, x1, y1, w):
    """Pencil from its eraser end (x0, y0) to its point (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    angle = math.degrees(math.atan2(y1 - y0, x1 - x0))
    tip = w * 1.3
    parts = {
        'eraser': rect(0, -w / 2, w * 0.7, w),
        'band': rect(w * 0.7, -w / 2, w * 0.45, w),
        'body': rect(w * 1.15, -w / 2, length - tip - w * 1.15, w),
        'wood': [(length - tip, -w / 2), (length - tip * 0.35, -w * 0.175),
                 (length - tip * 0.35, w * 0.175), (length - tip, w / 2)],
        'lead': [(length - tip * 0.35, -w * 0.175), (length, 0), (length - tip * 0.35, w * 0.175)],
    }
    placed = {k: transform(rotate([v], 0, 0, angle), lambda x, y: (x + x0, y + y0))
              for k, v in parts.items()}
    outline_all = [c for v in placed.values() for c in v]
    pieces = []
    for cc in d.px(outline_all):
        pieces.extend(stroke(cc, 2 * d.ow, closed=True))
    d.canvas.fill(pieces, OUTLINE)
    d.fill(placed['eraser'], rgb('#f48fb1'))
    d.fill(placed['band'], STEEL)
    d.fill(placed['body'], d.linear((x0 - 3, y0 - 3), (x0 + 3, y0 + 3),
                                    [(0, lighter(TAPE, 0.5)), (1, darker(TAPE, 0.15))]))
    d.fill(placed['wood'], rgb('#f1cf9c'))
    d.fill(placed['lead'], OUTLINE)


def picture_rename(size):
    c = icon_canvas(size)
    if size == 16:
        d = Draw(c)
        d.shape([[(1, 6), (4, 3), (13, 3), (10, 6)]], lighter(CARD, 0.3))
        d.shape([[(10, 6), (13, 3), (13, 11), (10, 14)]], darker(CARD, 0.18))
        d.shape([rect(1, 6, 9, 8)], CARD, light=0.3)
        d.fill([rect(2.5, 8.5, 5, 3)], PAPER)
        pencil(d, 15.3, 6.2, 7.6, 13.9, 2.4)
        return c
    d = Draw(c, size / 32, outline=size / 32)
    package(d, 1)
    pencil(d, 30, 13, 14, 29, 4.2)
    return c


# ----------------------------------------------------------- the set

# Each picture also comes drawn for 125, 150 and 200 % display scales. The
# 100 % images come first in each file, as before; a program picks the size
# it needs from the file.
SCALES = (125, 150, 200)


def at_scales(draw, size):
    return [draw(size * scale // 100) for scale in SCALES]


def build_all():
    """Every output file as (name, kind, images) with kind 'ico' or 'bmp'."""
    about = [picture_about(s) for s in (32, 40, 48, 64)]
    small_and_large = lambda draw: [draw(16), draw(32)] + [draw(s) for s in (20, 24, 40, 48, 64)]
    files = [
        ('seamster.ico', 'ico', [emblem(s) for s in (16, 24, 32, 48, 256)]),
        ('picture06.bmp', 'bmp', [picture_body_shop(True)]),
        ('picture07.bmp', 'bmp', [picture_body_shop(False)]),
        ('picture11.ico', 'ico', [picture_help()] + at_scales(picture_help, 32)),
        ('picture12.ico', 'ico', small_and_large(picture_background_colour)),
        ('picture13.ico', 'ico', small_and_large(picture_background_image)),
        ('picture14.ico', 'ico', [picture_cleanup()] + at_scales(picture_cleanup, 32)),
        ('picture15.ico', 'ico', [picture_hidden_folders()] + at_scales(picture_hidden_folders, 32)),
        ('picture16.ico', 'ico', small_and_large(picture_extras)),
        ('picture17.ico', 'ico', about),
        ('picture18.ico', 'ico', [picture_options()] + at_scales(picture_options, 32)),
        ('picture19.ico', 'ico', [picture_setup()] + at_scales(picture_setup, 32)),
        ('picture20.ico', 'ico', [picture_marker()] + at_scales(picture_marker, 16)),
        ('picture21.ico', 'ico', small_and_large(picture_folder16)),
        ('picture22.ico', 'ico', [picture_female()] + at_scales(picture_female, 16)),
        ('picture23.ico', 'ico', [picture_male()] + at_scales(picture_male, 16)),
        ('picture24.ico', 'ico', [picture_about_art()]),
        ('picture25.ico', 'ico', [picture_about_banner()]),
        ('picture26.ico', 'ico', about),
        ('picture27.ico', 'ico', [picture_rename(32), picture_rename(16)]
         + [picture_rename(s) for s in (20, 24, 40, 48, 64)]),
    ]
    for n in (6, 7):
        for scale in SCALES:
            files.append(('picture%02d-%d.bmp' % (n, scale), 'bmp',
                          [picture_body_shop(n == 6, 48 * scale // 100)]))
    return files


def encode(kind, images):
    rows = [img.rows_rgba() for img in images]
    return formats.ico_bytes(rows) if kind == 'ico' else formats.bmp8_bytes(rows[0])


# ------------------------------------------------------- contact sheet

def contact_sheet(files):
    """All pictures enlarged on one sheet, with a strip at their real size."""
    by_name = {name: images for name, _, images in files}
    sheet_w = 1000
    rows = []  # (label, image, zoom)
    groups = [
        [(n, by_name['picture%02d.ico' % n][0], 4) for n in (12, 13, 16, 20, 21, 22, 23)]
        + [(27, by_name['picture27.ico'][1], 4)],
        [(n, by_name['picture%02d.ico' % n][0], 4) for n in (11, 14, 15, 17, 18, 19)],
        [(26, by_name['picture26.ico'][0], 4), (27, by_name['picture27.ico'][0], 4),
         (6, by_name['picture06.bmp'][0], 4), (7, by_name['picture07.bmp'][0], 4)],
        [(1, img, 4 if img.width < 48 else (2 if img.width == 48 else 1))
         for img in by_name['seamster.ico']],
        [(24, by_name['picture24.ico'][0], 2), (25, by_name['picture25.ico'][0], 2)],
    ]
    heights = [max(img.height * z for _, img, z in g) + 22 for g in groups]
    strip_h = 240
    sheet_h = sum(heights) + 10 * len(groups) + strip_h + 20
    sheet = Canvas(sheet_w, sheet_h, rgb('#ffffff'))
    y = 10
    for g, h in zip(groups, heights):
        x = 10
        for label, img, zoom in g:
            _blit_zoomed(sheet, img, x, y, zoom, checker=True)
            _label(sheet, str(label), x, y + img.height * zoom + 5)
            x += img.width * zoom + 16
        y += h + 10
    _real_size_strip(sheet, by_name, 10, y, strip_h)
    return sheet


def _blit_zoomed(sheet, img, x0, y0, zoom, checker=False, background=None):
    for y in range(img.height * zoom):
        for x in range(img.width * zoom):
            i = (y0 + y) * sheet.width + x0 + x
            if background is not None:
                base = background
            elif checker:
                base = (0.93, 0.93, 0.93) if ((x // 8) + (y // 8)) % 2 else (1.0, 1.0, 1.0)
            else:
                base = (sheet.r[i], sheet.g[i], sheet.b[i])
            j = (y // zoom) * img.width + x // zoom
            a = img.a[j]
            sheet.r[i] = img.r[j] + base[0] * (1 - a)
            sheet.g[i] = img.g[j] + base[1] * (1 - a)
            sheet.b[i] = img.b[j] + base[2] * (1 - a)
            sheet.a[i] = 1.0


def _label(sheet, text, x, y):
    d = Draw(sheet)
    digits(d, text, x, y, rgb('#555555'), cell=2)


def _real_size_strip(sheet, by_name, x0, y0, h):
    """The pictures at their real size on a light and a dark window colour."""
    toolbar = [19, 18, 26, 12, 13, 14, 21, 16, 27, 11]  # left to right
    statusbar = [21, 21, 23, 22, 20, 20]
    band_h = h // 2
    for band, colour in ((0, (0.94, 0.94, 0.94)), (1, (0.18, 0.19, 0.21))):
        top = y0 + band * band_h
        Draw(sheet).fill([rect(x0, top, sheet.width - 2 * x0, band_h - 4)], colour + (1.0,))
        x = x0 + 8
        for n in toolbar:
            img = by_name['picture%02d.ico' % n][0]
            _blit_zoomed(sheet, img, x, top + 8 + (32 - img.height) // 2, 1, background=colour)
            x += 40
        x += 16
        for n in statusbar:
            img = by_name['picture%02d.ico' % n][0]
            _blit_zoomed(sheet, img, x, top + 16, 1, background=colour)
            x += 26
        x += 16
        for img in by_name['seamster.ico'][:4]:
            _blit_zoomed(sheet, img, x, top + 8 + (48 - img.height) // 2, 1, background=colour)
            x += img.width + 10
        x = x0 + 8
        row2 = top + 60
        for name in ('picture06.bmp', 'picture07.bmp'):
            _blit_zoomed(sheet, by_name[name][0], x, row2, 1, background=colour)
            x += 58
        for n in (15, 14, 17):
            _blit_zoomed(sheet, by_name['picture%02d.ico' % n][0], x, row2 + 8, 1, background=colour)
            x += 42
        _blit_zoomed(sheet, by_name['picture27.ico'][1], x, row2 + 16, 1, background=colour)


# ------------------------------------------------------------------ main

def main(argv):
    check = '--check' in argv
    files = build_all()
    stale = []
    if not check:
        os.makedirs(OUT_DIR, exist_ok=True)
    for name, kind, images in files:
        data = encode(kind, images)
        _verify(name, kind, images, data)
        path = os.path.join(OUT_DIR, name)
        if check:
            try:
                with open(path, 'rb') as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, 'wb') as f:
                f.write(data)
    if check:
        if stale:
            print('out of date: ' + ', '.join(stale))
            return 1
        print('all %d picture files are current' % len(files))
        return 0
    sheet = contact_sheet(files)
    with open(SHEET, 'wb') as f:
        f.write(formats.png_bytes(sheet.rows_rgba(), alpha=False))
    print('wrote %d files to %s and %s' % (len(files), OUT_DIR, SHEET))
    return 0


def _verify(name, kind, images, data):
    """Read the encoded file back and compare it with what was drawn."""
    if kind == 'bmp':
        w, h, rows = formats.read_bmp8(data)
        img = images[0]
        if (w, h) != (img.width, img.height):
            raise SystemExit('%s: size %dx%d read back' % (name, w, h))
        drawn = img.rows_rgba()
        worst = max(max(abs(a - b) for a, b in zip(p, q[:3]))
                    for rp, rq in zip(rows, drawn) for p, q in zip(rp, rq))
        if worst > 24:
            raise SystemExit('%s: palette too coarse (error %d)' % (name, worst))
        return
    entries = formats.read_ico(data)
    for (w, h, rows), img in zip(entries, images):
        if (w, h) != (img.width, img.height):
            raise SystemExit('%s: image %dx%d read back' % (name, w, h))
        if rows is not None and rows != img.rows_rgba():
            raise SystemExit('%s: pixels differ after reading back' % name)


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
