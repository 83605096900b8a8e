"""Writes placeable Windows metafiles from a small drawing vocabulary.

Standard library only, and deterministic: the same drawing always gives the
same bytes. Shapes are drawn in picture units (the placeable bounding box),
through a stack of transforms so that trees, stars and people can be placed,
scaled and turned. Outlines keep one weight whatever the scale, so every
picture shares the same look.
"""

import contextlib
import math
import struct

# Record function numbers.
SAVE_DC = 0x001E
SET_BK_MODE = 0x0102
SET_POLY_FILL_MODE = 0x0106
SELECT_OBJECT = 0x012D
DELETE_OBJECT = 0x01F0
SET_WINDOW_ORG = 0x020B
SET_WINDOW_EXT = 0x020C
CREATE_PEN = 0x02FA
CREATE_BRUSH = 0x02FC
POLYGON = 0x0324
POLYLINE = 0x0325
ELLIPSE = 0x0418
RECTANGLE = 0x041B
POLYPOLYGON = 0x0538
ROUND_RECT = 0x061C
ARC = 0x0817
PIE = 0x081A
CHORD = 0x0830

INCH = 2880          # units per inch: two units a twip
OUTLINE = 44         # the one outline weight of every picture (about 1.5 pixels at natural size)
INK = "#1d1b33"      # the outline colour
MAX_LIVE_OBJECTS = 24


def colorref(color):
    """'#rrggbb' to 0x00BBGGRR."""
    r, g, b = int(color[1:3], 16), int(color[3:5], 16), int(color[5:7], 16)
    return r | (g << 8) | (b << 16)


def mix(a, b, t):
    """The colour t of the way from a to b."""
    ca = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    cb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join("%02x" % round(x + (y - x) * t) for x, y in zip(ca, cb))


class Writer:
    """The records of one metafile and its object table."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.records = []
        self.slots = []        # slot -> key of the object in it, or None
        self.live = {}         # key -> slot
        self.last_use = {}     # key -> record count at last use, to retire the oldest
        self.selected = {}     # "pen" / "brush" -> key
        self.record(SET_WINDOW_ORG, 0, 0)
        self.record(SET_WINDOW_EXT, height, width)
        self.record(SET_BK_MODE, 1)           # transparent
        self.record(SET_POLY_FILL_MODE, 2)    # winding

    def record(self, function, *words):
        data = b"".join(struct.pack("<h" if w < 0 else "<H", w) for w in words)
        self.raw(function, data)

    def raw(self, function, data):
        assert len(data) % 2 == 0
        self.records.append(struct.pack("<IH", 3 + len(data) // 2, function) + data)

    def _use(self, kind, key, create):
        self.last_use[key] = len(self.records)
        if self.selected.get(kind) == key:
            return
        if key not in self.live:
            if len(self.live) >= MAX_LIVE_OBJECTS:
                idle = [k for k in self.live if k not in self.selected.values()]
                oldest = min(idle, key=lambda k: self.last_use[k])
                slot = self.live.pop(oldest)
                self.slots[slot] = None
                self.record(DELETE_OBJECT, slot)
            create()
            # A new object takes the lowest free slot.
            slot = self.slots.index(None) if None in self.slots else len(self.slots)
            if slot == len(self.slots):
                self.slots.append(None)
            self.slots[slot] = key
            self.live[key] = slot
        self.record(SELECT_OBJECT, self.live[key])
        self.selected[kind] = key

    def pen(self, color, width):
        if color is None:
            key = ("pen", None)
            self._use("pen", key, lambda: self.record(CREATE_PEN, 5, 0, 0, 0, 0))
            return
        width = max(0, round(width))
        c = colorref(color)
        key = ("pen", color, width)
        self._use("pen", key, lambda: self.record(CREATE_PEN, 0, width, 0, c & 0xFFFF, c >> 16))

    def brush(self, color):
        if color is None:
            key = ("brush", None)
            self._use("brush", key, lambda: self.record(CREATE_BRUSH, 1, 0, 0, 0))
            return
        c = colorref(color)
        key = ("brush", color)
        self._use("brush", key, lambda: self.record(CREATE_BRUSH, 0, c & 0xFFFF, c >> 16, 0))

    def bytes(self, inch=INCH):
        self.records.append(struct.pack("<IH", 3, 0))
        body = b"".join(self.records)
        words = 9 + len(body) // 2
        largest = max(len(r) // 2 for r in self.records)
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, words, max(1, len(self.slots)), largest, 0)
        placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, self.width, self.height, inch, 0)
        checksum = 0
        for (w,) in struct.iter_unpack("<H", placeable):
            checksum ^= w
        return placeable + struct.pack("<H", checksum) + header + body


def _clamp16(v):
    v = round(v)
    assert -32768 <= v <= 32767, v
    return v


class Canvas:
    """Drawing in picture units through a transform stack."""

    def __init__(self, width, height):
        self.w = Writer(width, height)
        self.width, self.height = width, height
        self.m = (1.0, 0.0, 0.0, 1.0, 0.0, 0.0)  # a b c d e f: x' = a x + c y + e, y' = b x + d y + f
        self.stack = []

    # -- transforms --------------------------------------------------------
    @contextlib.contextmanager
    def at(self, x=0.0, y=0.0, scale=1.0, rotate=0.0, sx=None, sy=None):
        """Draw the block translated to (x, y), then rotated (degrees, clockwise on screen), then scaled."""
        self.stack.append(self.m)
        a, b, c, d, e, f = self.m
        e, f = a * x + c * y + e, b * x + d * y + f
        if rotate:
            r = math.radians(rotate)
            cs, sn = math.cos(r), math.sin(r)
            a, b, c, d = a * cs + c * sn, b * cs + d * sn, -a * sn + c * cs, -b * sn + d * cs
        kx = scale * (1 if sx is None else sx)
        ky = scale * (1 if sy is None else sy)
        self.m = (a * kx, b * kx, c * ky, d * ky, e, f)
        try:
            yield self
        finally:
            self.m = self.stack.pop()

    def pt(self, x, y):
        a, b, c, d, e, f = self.m
        return (a * x + c * y + e, b * x + d * y + f)

    def _axis_aligned(self):
        a, b, c, d, _, _ = self.m
        return abs(b) < 1e-9 and abs(c) < 1e-9 and a > 0 and d > 0

    def _style(self, fill, line, width):
        self.w.pen(line, OUTLINE if width is None else width)
        self.w.brush(fill)

    def _points(self, pts):
        words = []
        for x, y in pts:
            px, py = self.pt(x, y)
            words += [_clamp16(px), _clamp16(py)]
        return words

    # -- shapes --------------------------------------------------------------
    def poly(self, pts, fill, line=INK, width=None):
        if len(pts) < 3:
            return
        self._style(fill, line, width)
        self.w.record(POLYGON, len(pts), *self._points(pts))

    def polys(self, polygons, fill, line=INK, width=None):
        """Several polygons as one shape: where they overlap an even number of times is a hole."""
        self._style(fill, line, width)
        self.w.record(SET_POLY_FILL_MODE, 1)
        words = [len(polygons)] + [len(p) for p in polygons]
        for p in polygons:
            words += self._points(p)
        self.w.record(POLYPOLYGON, *words)
        self.w.record(SET_POLY_FILL_MODE, 2)

    def stroke(self, pts, color=INK, width=None):
        if len(pts) < 2:
            return
        self.w.pen(color, OUTLINE if width is None else width)
        self.w.record(POLYLINE, len(pts), *self._points(pts))

    def thick(self, pts, color, width, line=INK):
        """A thick band along a line, outlined like every other shape."""
        self.stroke(pts, line, width + 2 * OUTLINE)
        self.stroke(pts, color, width)

    def rect(self, x0, y0, x1, y1, fill, line=INK, width=None):
        if self._axis_aligned():
            self._style(fill, line, width)
            (l, t), (r, b) = self.pt(x0, y0), self.pt(x1, y1)
            self.w.record(RECTANGLE, _clamp16(b), _clamp16(r), _clamp16(t), _clamp16(l))
        else:
            self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill, line, width)

    def rrect(self, x0, y0, x1, y1, radius, fill, line=INK, width=None):
        if self._axis_aligned():
            self._style(fill, line, width)
            (l, t), (r, b) = self.pt(x0, y0), self.pt(x1, y1)
            rw = 2 * radius * self.m[0]
            rh = 2 * radius * self.m[3]
            self.w.record(ROUND_RECT, _clamp16(rh), _clamp16(rw), _clamp16(b), _clamp16(r), _clamp16(t), _clamp16(l))
        else:
            self.poly(rounded_rect(x0, y0, x1, y1, radius), fill, line, width)

    def ellipse(self, cx, cy, rx, ry, fill, line=INK, width=None):
        if self._axis_aligned():
            self._style(fill, line, width)
            (l, t), (r, b) = self.pt(cx - rx, cy - ry), self.pt(cx + rx, cy + ry)
            self.w.record(ELLIPSE, _clamp16(b), _clamp16(r), _clamp16(t), _clamp16(l))
        else:
            self.poly(ellipse_points(cx, cy, rx, ry), fill, line, width)

    def circle(self, cx, cy, r, fill, line=INK, width=None):
        self.ellipse(cx, cy, r, r, fill, line, width)

    def _arc_record(self, function, cx, cy, rx, ry, a0, a1):
        (l, t), (r, b) = self.pt(cx - rx, cy - ry), self.pt(cx + rx, cy + ry)
        sx, sy = self.pt(cx + rx * math.cos(math.radians(a0)), cy - ry * math.sin(math.radians(a0)))
        ex, ey = self.pt(cx + rx * math.cos(math.radians(a1)), cy - ry * math.sin(math.radians(a1)))
        self.w.record(function, _clamp16(ey), _clamp16(ex), _clamp16(sy), _clamp16(sx),
                      _clamp16(b), _clamp16(r), _clamp16(t), _clamp16(l))

    def pie(self, cx, cy, rx, ry, a0, a1, fill, line=INK, width=None):
        """A slice from angle a0 counterclockwise to a1 (degrees, 0 pointing right)."""
        if self._axis_aligned():
            self._style(fill, line, width)
            self._arc_record(PIE, cx, cy, rx, ry, a0, a1)
        else:
            self.poly([(cx, cy)] + arc_points(cx, cy, rx, ry, a0, a1), fill, line, width)

    def chord(self, cx, cy, rx, ry, a0, a1, fill, line=INK, width=None):
        if self._axis_aligned():
            self._style(fill, line, width)
            self._arc_record(CHORD, cx, cy, rx, ry, a0, a1)
        else:
            self.poly(arc_points(cx, cy, rx, ry, a0, a1), fill, line, width)

    def arc(self, cx, cy, rx, ry, a0, a1, color=INK, width=None):
        if self._axis_aligned():
            self.w.pen(color, OUTLINE if width is None else width)
            self._arc_record(ARC, cx, cy, rx, ry, a0, a1)
        else:
            self.stroke(arc_points(cx, cy, rx, ry, a0, a1), color, width)

    def bands(self, x0, y0, x1, y1, colors):
        """A gradient faked with horizontal bands, top to bottom through the given colours."""
        n = len(colors)
        for i, c in enumerate(colors):
            top = y0 + (y1 - y0) * i / n
            bottom = y0 + (y1 - y0) * (i + 1) / n + (1 if i < n - 1 else 0)
            self.rect(x0, top, x1, bottom, c, None)

    def bytes(self):
        return self.w.bytes()


# -- geometry helpers ----------------------------------------------------------

def arc_points(cx, cy, rx, ry, a0, a1, steps=None):
    sweep = (a1 - a0) % 360 or 360
    steps = steps or max(4, int(sweep / 10))
    return [(cx + rx * math.cos(math.radians(a0 + sweep * i / steps)),
             cy - ry * math.sin(math.radians(a0 + sweep * i / steps))) for i in range(steps + 1)]


def ellipse_points(cx, cy, rx, ry, steps=36):
    return [(cx + rx * math.cos(2 * math.pi * i / steps), cy + ry * math.sin(2 * math.pi * i / steps))
            for i in range(steps)]


def rounded_rect(x0, y0, x1, y1, r):
    pts = []
    for cx, cy, start in ((x1 - r, y0 + r, 0), (x0 + r, y0 + r, 90), (x0 + r, y1 - r, 180), (x1 - r, y1 - r, 270)):
        pts += arc_points(cx, cy, r, r, start, start + 90, 6)
    return pts


def star_points(cx, cy, outer, inner, n=5, turn=-90):
    pts = []
    for i in range(2 * n):
        r = outer if i % 2 == 0 else inner
        a = math.radians(turn + 180 * i / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


class Path:
    """Builds a closed outline from lines and Bezier curves, flattened to points."""

    def __init__(self, x, y):
        self.pts = [(x, y)]

    def line(self, x, y):
        self.pts.append((x, y))
        return self

    def curve(self, c1x, c1y, c2x, c2y, x, y, steps=10):
        x0, y0 = self.pts[-1]
        for i in range(1, steps + 1):
            t = i / steps
            u = 1 - t
            self.pts.append((u * u * u * x0 + 3 * u * u * t * c1x + 3 * u * t * t * c2x + t * t * t * x,
                             u * u * u * y0 + 3 * u * u * t * c1y + 3 * u * t * t * c2y + t * t * t * y))
        return self

    def quad(self, cx, cy, x, y, steps=8):
        x0, y0 = self.pts[-1]
        return self.curve(x0 + 2 / 3 * (cx - x0), y0 + 2 / 3 * (cy - y0), x + 2 / 3 * (cx - x), y + 2 / 3 * (cy - y),
                          x, y, steps)


def smooth(points, closed=True, steps=6):
    """A rounded outline through the given points (Catmull-Rom)."""
    n = len(points)
    out = []
    last = n if closed else n - 1
    for i in range(last):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                                    + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in (0, 1)))
    if not closed:
        out.append(points[-1])
    return out
