"""A small anti-aliased rasteriser for the program's pictures.

Shapes are lists of closed contours (lists of (x, y) points in pixel units).
Coverage is computed scan line by scan line: every pixel row is sampled on
SUBROWS horizontal lines, and along each line the covered span is measured
exactly, so edges are smooth in both directions without a supersampled
canvas.  Pixels hold premultiplied RGBA floats in 0..1.
"""

import math

SUBROWS = 8


# ---------------------------------------------------------------- colours

def rgb(hex_text, alpha=1.0):
    """'#rrggbb' -> (r, g, b, a) with channels in 0..1."""
    h = hex_text.lstrip('#')
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0,
            int(h[4:6], 16) / 255.0, alpha)


def mix(c1, c2, t):
    """Blend two colours: t = 0 gives c1, t = 1 gives c2."""
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def with_alpha(c, alpha):
    return (c[0], c[1], c[2], alpha)


WHITE = (1.0, 1.0, 1.0, 1.0)
BLACK = (0.0, 0.0, 0.0, 1.0)


def lighter(c, t):
    return mix(c, with_alpha(WHITE, c[3]), t)


def darker(c, t):
    return mix(c, with_alpha(BLACK, c[3]), t)


# ----------------------------------------------------------------- paints

class Linear:
    """Linear gradient from p0 to p1 through (offset, colour) stops."""

    def __init__(self, p0, p1, stops):
        self.x0, self.y0 = p0
        dx, dy = p1[0] - p0[0], p1[1] - p0[1]
        length2 = dx * dx + dy * dy or 1.0
        self.ux, self.uy = dx / length2, dy / length2
        self.stops = stops

    def at(self, x, y):
        t = (x - self.x0) * self.ux + (y - self.y0) * self.uy
        return _stop_colour(self.stops, t)


class Radial:
    """Radial gradient around a centre, elliptical when ry is given."""

    def __init__(self, centre, rx, stops, ry=None):
        self.cx, self.cy = centre
        self.rx, self.ry = rx, ry or rx
        self.stops = stops

    def at(self, x, y):
        t = math.hypot((x - self.cx) / self.rx, (y - self.cy) / self.ry)
        return _stop_colour(self.stops, t)


def _stop_colour(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / ((t1 - t0) or 1.0))
    return stops[-1][1]


# ------------------------------------------------------------------ masks

class Mask:
    """Coverage of a shape over a canvas, kept only for its bounding rows."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = {}  # y -> list of coverage per x

    def at(self, x, y):
        row = self.rows.get(y)
        return row[x] if row else 0.0

    def intersect(self, other):
        out = Mask(self.width, self.height)
        for y, row in self.rows.items():
            orow = other.rows.get(y)
            if orow:
                out.rows[y] = [a * b for a, b in zip(row, orow)]
        return out


def _edges(contours):
    edges = []
    for contour in contours:
        n = len(contour)
        for i in range(n):
            xa, ya = contour[i]
            xb, yb = contour[(i + 1) % n]
            if ya == yb:
                continue
            direction = 1
            if ya > yb:
                xa, ya, xb, yb = xb, yb, xa, ya
                direction = -1
            edges.append((ya, yb, xa, (xb - xa) / (yb - ya), direction))
    return edges


def coverage(contours, width, height, evenodd=False):
    """Mask of the area inside the contours (non-zero or even-odd rule)."""
    mask = Mask(width, height)
    edges = _edges(contours)
    if not edges:
        return mask
    top = max(0, int(math.floor(min(e[0] for e in edges))))
    bottom = min(height, int(math.ceil(max(e[1] for e in edges))))
    if top >= bottom:
        return mask
    first_sub = top * SUBROWS
    buckets = [[] for _ in range((bottom - top) * SUBROWS)]
    for e in edges:
        s0 = max(first_sub, int(math.ceil(e[0] * SUBROWS - 0.5)))
        s1 = min(bottom * SUBROWS, int(math.ceil(e[1] * SUBROWS - 0.5)))
        for s in range(s0, s1):
            buckets[s - first_sub].append(e)
    weight = 1.0 / SUBROWS
    for y in range(top, bottom):
        acc = [0.0] * (width + 1)
        delta = [0.0] * (width + 2)
        touched = False
        for k in range(SUBROWS):
            bucket = buckets[(y - top) * SUBROWS + k]
            if not bucket:
                continue
            sy = y + (k + 0.5) / SUBROWS
            crossings = sorted((e[2] + (sy - e[0]) * e[3], e[4]) for e in bucket)
            winding = 0
            start = 0.0
            for x, direction in crossings:
                before = winding
                winding = (winding ^ 1) if evenodd else winding + direction
                if before == 0 and winding != 0:
                    start = x
                elif before != 0 and winding == 0:
                    touched |= _add_span(acc, delta, start, x, width, weight)
        if touched:
            row = []
            run = 0.0
            for x in range(width):
                run += delta[x]
                row.append(min(1.0, acc[x] + run))
            mask.rows[y] = row
    return mask


def _add_span(acc, delta, left, right, width, weight):
    left = max(left, 0.0)
    right = min(right, float(width))
    if right <= left:
        return False
    i0, i1 = int(left), int(right)
    if i0 == i1:
        acc[i0] += (right - left) * weight
        return True
    acc[i0] += (i0 + 1 - left) * weight
    if i1 < width:
        acc[i1] += (right - i1) * weight
    if i1 > i0 + 1:
        delta[i0 + 1] += weight
        delta[i1] -= weight
    return True


# ----------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        n = width * height
        if background:
            r, g, b, a = background
            self.r, self.g, self.b = [r * a] * n, [g * a] * n, [b * a] * n
            self.a = [a] * n
        else:
            self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n

    def paint(self, mask, paint, opacity=1.0):
        """Composite a colour or gradient over the canvas through a mask."""
        solid = paint if isinstance(paint, tuple) else None
        for y, row in mask.rows.items():
            base = y * self.width
            for x, cov in enumerate(row):
                if cov <= 0.0:
                    continue
                r, g, b, a = solid or paint.at(x + 0.5, y + 0.5)
                a *= cov * opacity
                if a <= 0.0:
                    continue
                i = base + x
                keep = 1.0 - a
                self.r[i] = r * a + self.r[i] * keep
                self.g[i] = g * a + self.g[i] * keep
                self.b[i] = b * a + self.b[i] * keep
                self.a[i] = a + self.a[i] * keep

    def fill(self, contours, paint, evenodd=False, clip=None, opacity=1.0):
        mask = coverage(contours, self.width, self.height, evenodd)
        if clip is not None:
            mask = mask.intersect(clip)
        self.paint(mask, paint, opacity)
        return mask

    def pixel(self, x, y):
        """Straight (not premultiplied) 8-bit RGBA of one pixel."""
        i = y * self.width + x
        a = self.a[i]
        if a <= 0.0:
            return (0, 0, 0, 0)
        return (_byte(self.r[i] / a), _byte(self.g[i] / a), _byte(self.b[i] / a), _byte(a))

    def rows_rgba(self):
        return [[self.pixel(x, y) for x in range(self.width)] for y in range(self.height)]


def _byte(v):
    return max(0, min(255, int(round(v * 255.0))))


# --------------------------------------------------------------- geometry

def _segments_for(length):
    return max(4, min(96, int(length / 1.5) + 1))


class Path:
    """Builds contours from lines and Bézier curves in pixel units."""

    def __init__(self):
        self.contours = []
        self._cur = None

    def move(self, x, y):
        self._cur = [(x, y)]
        self.contours.append(self._cur)
        return self

    def line(self, x, y):
        self._cur.append((x, y))
        return self

    def curve(self, x1, y1, x2, y2, x, y):
        x0, y0 = self._cur[-1]
        length = (math.hypot(x1 - x0, y1 - y0) + math.hypot(x2 - x1, y2 - y1)
                  + math.hypot(x - x2, y - y2))
        n = _segments_for(length)
        for i in range(1, n + 1):
            t = i / n
            u = 1 - t
            self._cur.append((u * u * u * x0 + 3 * u * u * t * x1 + 3 * u * t * t * x2 + t * t * t * x,
                              u * u * u * y0 + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * y))
        return self

    def quad(self, x1, y1, x, y):
        x0, y0 = self._cur[-1]
        return self.curve(x0 + 2 / 3 * (x1 - x0), y0 + 2 / 3 * (y1 - y0),
                          x + 2 / 3 * (x1 - x), y + 2 / 3 * (y1 - y), x, y)


def ellipse(cx, cy, rx, ry=None, start=0.0, end=360.0, segments=None):
    """Points on an ellipse; a full turn unless start and end (degrees) say otherwise."""
    ry = rx if ry is None else ry
    sweep = end - start
    n = segments or _segments_for(abs(math.radians(sweep)) * max(rx, ry) * 1.3)
    full = abs(abs(sweep) - 360.0) < 1e-9
    count = n if full else n + 1
    pts = []
    for i in range(count):
        a = math.radians(start + sweep * i / n)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def rect(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def rounded_rect(x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    if r <= 0:
        return rect(x, y, w, h)
    pts = []
    for cx, cy, a0 in ((x + w - r, y + r, -90), (x + w - r, y + h - r, 0),
                       (x + r, y + h - r, 90), (x + r, y + r, 180)):
        pts.extend(ellipse(cx, cy, r, r, a0, a0 + 90))
    return pts


def star(cx, cy, outer, inner, points=5, rotation=-90.0):
    pts = []
    for i in range(points * 2):
        a = math.radians(rotation + 180.0 * i / points)
        r = outer if i % 2 == 0 else inner
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def area(contour):
    s = 0.0
    n = len(contour)
    for i in range(n):
        x0, y0 = contour[i]
        x1, y1 = contour[(i + 1) % n]
        s += x0 * y1 - x1 * y0
    return s / 2


def positive(contour):
    """The contour turned so that overlapping pieces add up under non-zero."""
    return contour if area(contour) >= 0 else contour[::-1]


def stroke(points, width, closed=False, caps=True):
    """Contours covering a polyline drawn with round joins (and round caps)."""
    half = width / 2.0
    pieces = []
    n = len(points)
    seg_count = n if closed else n - 1
    for i in range(seg_count):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0:
            continue
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        pieces.append(positive([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                                (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]))
    for i in range(n):
        endpoint = not closed and i in (0, n - 1)
        if (endpoint and caps) or (not endpoint and _needs_join(points, i)):
            x, y = points[i]
            pieces.append(positive(ellipse(x, y, half, half, segments=max(8, int(half * 6)))))
    return pieces


def _needs_join(points, i):
    n = len(points)
    (xa, ya), (xb, yb), (xc, yc) = points[i - 1], points[i], points[(i + 1) % n]
    a1 = math.atan2(yb - ya, xb - xa)
    a2 = math.atan2(yc - yb, xc - xb)
    turn = abs((a2 - a1 + math.pi) % (2 * math.pi) - math.pi)
    return turn > 0.12


def dashes(points, dash, gap, offset=0.0):
    """Split a polyline into dash polylines along its length."""
    out = []
    period = dash + gap
    pos = -offset % period
    current = []
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = math.hypot(x1 - x0, y1 - y0)
        t = 0.0
        while t < length:
            in_dash = pos < dash
            room = (dash - pos) if in_dash else (period - pos)
            step = min(room, length - t)
            if in_dash:
                if not current:
                    current.append((x0 + (x1 - x0) * t / length, y0 + (y1 - y0) * t / length))
                t += step
                current.append((x0 + (x1 - x0) * t / length, y0 + (y1 - y0) * t / length))
            else:
                if current:
                    out.append(current)
                    current = []
                t += step
            pos = (pos + step) % period
    if current:
        out.append(current)
    return [d for d in out if len(d) >= 2]


def transform(contours, fn):
    return [[fn(x, y) for x, y in c] for c in contours]


def rotate(contours, cx, cy, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    return transform(contours, lambda x, y: (cx + (x - cx) * ca - (y - cy) * sa,
                                             cy + (x - cx) * sa + (y - cy) * ca))


def bounds(contours):
    xs = [x for c in contours for x, _ in c]
    ys = [y for c in contours for _, y in c]
    return min(xs), min(ys), max(xs), max(ys)
