"""The settings the toys stand in: a playroom or a snowy park.

A toy's picture is also a puzzle picture, so what lies behind the toy must
make every piece of every board its own: the light changes across the whole
picture in two directions (so no two bits of wall, sky or floor share a
colour), bunting runs along the top in changing colours, and each corner and
side holds something of its own. Shapes are soft and lightly outlined so that
the boldly outlined toy stays the subject, even on a small card.

Every routine draws in a 100 by 100 design grid; the caller sets the scale.
"""

import math

from palette import *  # noqa: F401,F403
from scenery import shaded_grid
from wmf import INK, mix, smooth, star_points

LINE = 16  # the light outline of the settings, in picture units
FLAGS = [RED, ORANGE, YELLOW, GREEN, SKY, BLUE, PURPLE, PINK]


def bunting(c, first, y=3.0, sag=7.0, count=9):
    """Little flags on a sagging string across the top, colours running on from first."""
    def string_y(x):
        return y + sag * (1 - ((x - 50) / 50) ** 2)

    c.stroke([(x, string_y(x)) for x in range(-2, 103, 4)], INK, LINE)
    for k in range(count):
        x = 100 * (k + 0.5) / count
        top = string_y(x)
        colour = FLAGS[(first + k) % len(FLAGS)]
        c.poly([(x - 4.2, top - 0.4), (x + 4.2, top + 0.4), (x, top + 8.5)], colour, INK, LINE)


def motif(c, kind, x, y, colour, r=1.3):
    if kind == "dots":
        c.circle(x, y, r, colour, None)
    elif kind == "stars":
        c.poly(star_points(x, y, r * 1.5, r * 0.6), colour, None)
    elif kind == "hearts":
        c.poly(smooth([(x, y + r * 1.3), (x - r * 1.4, y - r * 0.1), (x - r * 0.8, y - r * 1.0), (x, y - r * 0.4),
                       (x + r * 0.8, y - r * 1.0), (x + r * 1.4, y - r * 0.1)], True, 3), colour, None)
    elif kind == "diamonds":
        c.poly([(x, y - r * 1.4), (x + r, y), (x, y + r * 1.4), (x - r, y)], colour, None)
    elif kind == "flakes":
        for k in range(3):
            a = math.pi * k / 3
            c.stroke([(x - r * 1.3 * math.cos(a), y - r * 1.3 * math.sin(a)),
                      (x + r * 1.3 * math.cos(a), y + r * 1.3 * math.sin(a))], colour, LINE)


def window(c, x, y, w, h, curtain, night, rng):
    """A window onto falling snow, with curtains drawn aside."""
    glass = ("#1d2f6e", "#3c5aa8") if night else ("#7fc8ff", "#d6efff")
    c.rect(x - 1.5, y - 1.5, x + w + 1.5, y + h + 1.5, WHITE, INK, LINE)
    shaded_grid(c, x, y, x + w, y + h, 1, 6, lambda fx, fy: mix(glass[0], glass[1], fy))
    if night:
        c.circle(x + w * 0.72, y + h * 0.25, w * 0.12, "#fff6c8", None)
        c.circle(x + w * 0.68, y + h * 0.22, w * 0.1, mix(glass[0], glass[1], 0.2), None)
    else:
        c.circle(x + w * 0.75, y + h * 0.25, w * 0.13, YELLOW, None)
    c.poly([(x, y + h * 0.8), (x + w * 0.4, y + h * 0.62), (x + w, y + h * 0.75), (x + w, y + h), (x, y + h)],
           SNOW, None)
    for _ in range(14):
        fx, fy = rng.uniform(0.05, 0.95), rng.uniform(0.05, 0.7)
        c.circle(x + w * fx, y + h * fy, rng.uniform(0.35, 0.7), WHITE, None)
    c.rect(x + w / 2 - 0.6, y, x + w / 2 + 0.6, y + h, WHITE, None)
    c.rect(x, y + h / 2 - 0.6, x + w, y + h / 2 + 0.6, WHITE, None)
    c.rect(x - 3, y + h + 1.5, x + w + 3, y + h + 4, WHITE, INK, LINE)  # sill
    for side in (0, 1):
        edge = x - 4 if side == 0 else x + w + 4
        inner = x + w * 0.16 if side == 0 else x + w * 0.84
        c.poly(smooth([(edge, y - 3), (inner, y - 3), (inner - (2 if side == 0 else -2), y + h * 0.45),
                       (edge + (1 if side == 0 else -1), y + h + 4)], True, 4), curtain, INK, LINE)
    c.rect(x - 5, y - 4.5, x + w + 5, y - 2.5, BROWN, INK, LINE)  # rail


def shelf(c, x, y, w, colours):
    """A shelf with books, a clock and a little plant."""
    c.rect(x, y, x + w, y + 2.2, BROWN, INK, LINE)
    c.poly([(x + 2, y + 2.2), (x + 5, y + 2.2), (x + 2, y + 6)], BROWN, INK, LINE)
    c.poly([(x + w - 2, y + 2.2), (x + w - 5, y + 2.2), (x + w - 2, y + 6)], BROWN, INK, LINE)
    bx = x + 1.5
    for k, colour in enumerate(colours):
        h = (9, 11, 8, 10)[k % 4]
        c.rect(bx, y - h, bx + 3, y, colour, INK, LINE)
        c.rect(bx + 0.6, y - h + 2, bx + 2.4, y - h + 3, WHITE, None)
        bx += 3.2
    cx = bx + 5
    c.circle(cx, y - 4.8, 4.6, WHITE, INK, LINE)
    c.stroke([(cx, y - 4.8), (cx, y - 8)], INK, LINE * 1.6)
    c.stroke([(cx, y - 4.8), (cx + 2.3, y - 4.8)], INK, LINE * 1.6)
    px = x + w - 4.5
    c.poly([(px - 3, y - 5), (px + 3, y - 5), (px + 2, y), (px - 2, y)], "#d9603f", INK, LINE)
    for a in (-50, -20, 10, 40):
        lx = px + 5 * math.sin(math.radians(a))
        ly = y - 5 - 5 * math.cos(math.radians(a))
        c.ellipse(lx, ly, 1.6, 2.6, GREEN, INK, LINE)


def frame_picture(c, x, y, w, h, sky_colour, hill):
    """A framed picture of a sunny hill."""
    c.rect(x - 1.5, y - 1.5, x + w + 1.5, y + h + 1.5, GOLD, INK, LINE)
    c.rect(x, y, x + w, y + h, sky_colour, None)
    c.circle(x + w * 0.3, y + h * 0.35, h * 0.16, YELLOW, None)
    c.poly(smooth([(x, y + h * 0.7), (x + w * 0.5, y + h * 0.45), (x + w, y + h * 0.65), (x + w, y + h), (x, y + h)],
                  True, 4)[:-2] + [(x + w, y + h), (x, y + h)], hill, None)
    c.rect(x, y, x + w, y + h, None, INK, LINE)
    c.stroke([(x + w / 2, y - 1.5), (x + w * 0.3, y - 6), (x + w * 0.7, y - 6), (x + w / 2, y - 1.5)], INK, LINE)


def floor_item(c, kind, x, y, s=1.0):
    """Something small lying on the floor at (x, y), its bottom at y."""
    with c.at(x, y, s):
        if kind == "present":
            c.rect(-5, -8, 5, 0, PURPLE, INK, LINE)
            c.rect(-1, -8, 1, 0, YELLOW, None)
            c.rect(-5, -5, 5, -3.6, YELLOW, None)
            c.ellipse(-2, -9, 2.2, 1.5, YELLOW, INK, LINE)
            c.ellipse(2, -9, 2.2, 1.5, YELLOW, INK, LINE)
        elif kind == "books":
            for k, (colour, w) in enumerate(((BLUE, 12), (RED, 10), (GREEN, 11))):
                c.rect(-w / 2 + k * 0.8, -2.6 * (k + 1), w / 2 + k * 0.8, -2.6 * k, colour, INK, LINE)
                c.rect(-w / 2 + k * 0.8 + 1, -2.6 * (k + 1) + 0.9, w / 2 + k * 0.8 - 1, -2.6 * k - 0.9, CREAM, None)
        elif kind == "yarn":
            c.circle(0, -4.2, 4.2, PINK, INK, LINE)
            for k in range(3):
                c.arc(-1 + k, -4.2, 3.2 - k * 0.8, 3.6, 20 + k * 40, 200 + k * 40, "#d94f8f", LINE)
            c.stroke([(3.8, -1.5), (7, -0.8), (9, -1.8)], "#d94f8f", LINE * 1.5)
        elif kind == "ball":
            c.circle(0, -3.6, 3.6, ORANGE, INK, LINE)
            c.arc(0, -3.6, 3.6, 1.4, 180, 360, WHITE, LINE * 1.5)
        elif kind == "slippers":
            for dx, colour in ((-3.2, RED), (3.2, RED)):
                c.ellipse(dx, -1.8, 2.6, 1.8, colour, INK, LINE)
                c.circle(dx, -3.2, 1.2, WHITE, None)
        elif kind == "boat":
            c.poly([(-6, -3), (6, -3), (4, 0), (-4, 0)], RED, INK, LINE)
            c.stroke([(0, -3), (0, -10)], INK, LINE)
            c.poly([(0.5, -10), (5, -4), (0.5, -4)], WHITE, INK, LINE)
        elif kind == "car":
            c.rrect(-6, -5, 6, -1.6, 1, BLUE, INK, LINE)
            c.rrect(-3, -8, 3, -4.8, 1, SKY, INK, LINE)
            c.circle(-3.5, -1.2, 1.5, BLACK, None)
            c.circle(3.5, -1.2, 1.5, BLACK, None)


def playroom(c, rng, wall, shade, spot, pattern, floor, rug, flags, window_side, items, night=False):
    """A room: wallpaper lit from the window's side, bunting, a window, a shelf
    or a framed picture opposite, a floor of boards and a rug, a toy in each
    bottom corner.

    wall: the wallpaper's two colours, on the window's side and away from it;
    shade: what the wall darkens to towards the ceiling; spot: the pattern's colour;
    floor: the boards near the window and away from it; rug: two colours;
    flags: which flag colour comes first; items: left and right floor toys."""
    left = window_side == "left"

    def wall_at(fx, fy):
        lit = fx if left else 1 - fx
        base = mix(wall[0], wall[1], lit)
        return mix(base, shade, 0.45 * (1 - fy) ** 1.4)

    shaded_grid(c, 0, 0, 100, 72, 12, 10, wall_at)
    for i in range(12):  # the wallpaper's stripes
        if i % 2:
            continue
        x = 100 * (i + 0.35) / 12
        c.rect(x, 0, x + 100 * 0.3 / 12, 72, None, mix(wall_at(i / 11, 0.5), WHITE, 0.35), LINE * 1.4)
    for j in range(7):
        for i in range(12):
            x = 100 * (i + 0.5 + (0.5 if j % 2 else 0)) / 12
            y = 12 + j * 9
            if x < 100:
                motif(c, pattern, x, y, mix(spot, wall_at(x / 100, y / 72), 0.25 + 0.05 * j))

    wx = 8 if left else 64
    window(c, wx, 18, 28, 30, mix(rug[0], WHITE, 0.15), night, rng)
    other = 60 if left else 6
    if rng.random() < 0.5:
        shelf(c, other, 36, 34, [RED, BLUE, GREEN, YELLOW][rng.randrange(4):] + [PURPLE, ORANGE])
    else:
        frame_picture(c, other + 8, 22, 20, 15, SKY, LIGHT_GREEN)

    def floor_at(fx, fy):
        lit = fx if left else 1 - fx
        return mix(mix(floor[0], floor[1], lit), INK, 0.18 * (1 - fy))

    shaded_grid(c, 0, 72, 100, 100, 10, 7, floor_at)
    for j in range(7):  # board ends, staggered row by row
        y = 72 + 4 * j
        c.stroke([(0, y), (100, y)], mix(floor[1], INK, 0.35), LINE)
        for k in range(4):
            x = 12 + 26 * k + (13 if j % 2 else 0)
            c.stroke([(x, y), (x, y + 4)], mix(floor[1], INK, 0.35), LINE)
    c.rect(0, 70, 100, 72.5, WHITE, INK, LINE)  # the skirting

    c.ellipse(50, 90, 44, 8.5, rug[0], INK, LINE)
    c.ellipse(50, 90, 38, 6.5, rug[1], None)
    c.ellipse(50, 90, 31, 4.8, rug[0], None)
    bunting(c, flags)
    floor_item(c, items[0], 8, 97)
    floor_item(c, items[1], 92, 97)


def snow_hill(c, y, colour, amplitude, waves, phase, line=None):
    top = [(x, y + amplitude * math.sin(waves * math.pi * x / 100 + phase)) for x in range(-2, 103, 4)]
    c.poly(top + [(102, 102), (-2, 102)], colour, line, LINE)


def fir(c, x, y, h, colour):
    w = h * 0.36
    c.rect(x - h * 0.05, y - h * 0.14, x + h * 0.05, y, BROWN, None)
    for k in range(3):
        top = y - h + h * 0.22 * k
        bottom = y - h * 0.12 - h * 0.2 * (2 - k) * 0.5
        half = w * (0.55 + 0.45 * (k + 1) / 3)
        c.poly([(x, top), (x + half, bottom), (x - half, bottom)], colour, None)
        cap = top + (bottom - top) * 0.35
        c.poly([(x, top), (x + half * 0.35, cap), (x - half * 0.35, cap)], SNOW, None)


def cloud(c, x, y, s):
    for dx, dy, r in ((-4, 1, 3), (0, 0, 4.2), (4.3, 1, 3.2), (7.5, 2, 2.2), (-6.8, 2, 2.0)):
        c.circle(x + dx * s, y + dy * s, r * s, WHITE, None)


def little_snowman(c, x, y, s, scarf):
    c.circle(x, y - s * 0.28, s * 0.28, WHITE, INK, LINE)
    c.circle(x, y - s * 0.72, s * 0.2, WHITE, INK, LINE)
    c.rect(x - s * 0.2, y - s * 0.62, x + s * 0.2, y - s * 0.55, scarf, None)
    c.rect(x - s * 0.16, y - s * 1.08, x + s * 0.16, y - s * 0.88, BLACK, None)
    c.rect(x - s * 0.24, y - s * 0.9, x + s * 0.24, y - s * 0.86, BLACK, None)
    c.poly([(x, y - s * 0.73), (x + s * 0.2, y - s * 0.7), (x, y - s * 0.68)], ORANGE, None)
    c.circle(x - s * 0.07, y - s * 0.78, s * 0.025, BLACK, None)
    c.circle(x + s * 0.07, y - s * 0.78, s * 0.025, BLACK, None)


def park(c, rng, sky, horizon, sun_side, hills, ground, path, flags, items, rink=False):
    """Out in the snow: a sky lit from the sun's side, clouds, hills with fir
    trees, a path (or a frozen pond), a snowman on one side, bunting strung
    between two poles, a toy in each bottom corner.

    sky: the sky's colours on the sun's side and away from it; horizon: what
    it pales to; hills: far and near; ground: the snow near the sun and away;
    path: the path's colour, or for a pond the ice's near the sun and away."""
    left = sun_side == "left"

    def sky_at(fx, fy):
        lit = fx if left else 1 - fx
        return mix(mix(sky[0], sky[1], lit), horizon, fy ** 1.3 * 0.75)

    shaded_grid(c, 0, 0, 100, 62, 20, 10, sky_at)
    sx = 14 if left else 86
    for k, r in enumerate((9.5, 8)):
        c.circle(sx, 20, r, mix(sky_at(0.1 if left else 0.9, 0.3), YELLOW, 0.3 + 0.25 * k), None)
    c.circle(sx, 20, 6.2, YELLOW, INK, LINE)
    for k in range(8):
        a = k * math.pi / 4 + 0.2
        c.stroke([(sx + 7.5 * math.cos(a), 20 + 7.5 * math.sin(a)), (sx + 9.5 * math.cos(a), 20 + 9.5 * math.sin(a))],
                 YELLOW, LINE * 2.5)
    cloud(c, 40 if left else 26, 24, 1.1)
    cloud(c, 66 if left else 58, 16, 0.8)
    cloud(c, 88 if left else 12, 30, 0.6)
    snow_hill(c, 48, hills[0], 5, 1.6, 0.4 if left else 2.2)
    for k in range(9):
        x = 5 + k * 11.5 + rng.uniform(-2, 2)
        fir(c, x, 52 + 4 * math.sin(1.6 * math.pi * x / 100 + (0.4 if left else 2.2)) + rng.uniform(-1, 1),
            rng.uniform(8, 13), mix(PINE, hills[0], 0.35))
    snow_hill(c, 58, hills[1], 3, 2.2, 1.0)

    def ground_at(fx, fy):
        lit = fx if left else 1 - fx
        return mix(mix(ground[0], ground[1], lit), WHITE, 0.5 * fy)

    top = [(x, 64 + 2.5 * math.sin(2.2 * math.pi * x / 100 + 1.0)) for x in range(-2, 103, 4)]
    c.poly(top + [(102, 102), (-2, 102)], ground[0], INK, LINE)
    shaded_grid(c, 0, 67, 100, 100, 10, 6, ground_at)
    c.stroke(top, INK, LINE)
    if rink:
        for k in range(12):  # the ice, lit from the sun's side, strip by strip
            a0, a1 = 180 - 15 * k, 180 - 15 * (k + 1)
            strip = [(50 + 46 * math.cos(math.radians(a)), 86 - 11 * math.sin(math.radians(a))) for a in (a0, a1)]
            strip += [(x, 172 - y) for x, y in reversed(strip)]
            lit = 1 - (k + 0.5) / 12 if left else (k + 0.5) / 12
            c.poly(strip, mix(path[1], path[0], lit), None)
        c.ellipse(50, 86, 46, 11, None, INK, LINE)
        for k in range(6):
            x = 16 + k * 13
            c.stroke([(x, 80 + (k % 3) * 3), (x + 7, 79 + (k % 3) * 3 + 1.5)], WHITE, LINE * 1.4)
    else:
        c.poly([(38, 67), (62, 67), (92, 102), (8, 102)], path, INK, LINE)
        for k in range(5):
            y = 72 + k * 6
            c.ellipse(50 + (k % 2) * 6 - 3, y, 1.4, 0.8, mix(path, INK, 0.25), None)
    # bunting between two poles
    for x in (3, 97):
        c.rect(x - 0.8, 2, x + 0.8, 66, BROWN, INK, LINE)
        c.circle(x, 2, 1.6, GOLD, INK, LINE)
    with c.at(0, 2):
        bunting(c, flags, 1.5, 6, 8)
    snow_side = 80 if left else 20
    little_snowman(c, snow_side, 70, 16, FLAGS[(flags + 3) % len(FLAGS)])
    for _ in range(40):
        x, y = rng.uniform(0, 100), rng.uniform(6, 60)
        c.circle(x, y, rng.uniform(0.35, 0.75), WHITE, None)
    floor_item(c, items[0], 9, 98)
    floor_item(c, items[1], 91, 98)
