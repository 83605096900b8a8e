"""Pieces of winter scenery the puzzle pictures are built from.

Every routine draws in the picture's 100 by 100 design grid (the caller sets
the scale) and takes its own random source, so a picture is the same on every run.
"""

import math

from palette import *  # noqa: F401,F403
from wmf import INK, OUTLINE, arc_points, mix, smooth, star_points

U = 81.9  # picture units per design unit: the puzzles are 100 design units square


def gradient(a, b, n):
    return [mix(a, b, i / (n - 1)) for i in range(n)]


def shaded_grid(c, x0, y0, x1, y1, columns, rows, colour_at):
    """A surface whose colour changes smoothly in both directions: colour_at(fx, fy), each 0 to 1."""
    for j in range(rows):
        for i in range(columns):
            left = x0 + (x1 - x0) * i / columns
            right = x0 + (x1 - x0) * (i + 1) / columns
            top = y0 + (y1 - y0) * j / rows
            bottom = y0 + (y1 - y0) * (j + 1) / rows
            # Each cell overlaps the next a little, so no seam shows between them.
            c.rect(left, top, right + (0.3 if i < columns - 1 else 0), bottom + (0.3 if j < rows - 1 else 0),
                   colour_at((i + 0.5) / columns, (j + 0.5) / rows), None)


def sky(c, colours, y0=0, y1=60, bands_per_step=4, right=None, columns=20):
    """Sky bands running through the given colours from top to bottom; with
    right, the colours at the right edge, the light also changes from left to
    right, so that no two stretches of sky look alike."""
    def shades(stops):
        out = []
        for i in range(len(stops) - 1):
            out += gradient(stops[i], stops[i + 1], bands_per_step + 1)[:-1]
        return out + [stops[-1]]

    if right is None:
        c.bands(0, y0, 100, y1, shades(colours))
        return
    lefts, rights = shades(colours), shades(right)
    n = len(lefts)
    shaded_grid(c, 0, y0, 100, y1, columns, n, lambda fx, fy: mix(lefts[int(fy * n)], rights[int(fy * n)], fx))


def stars(c, rng, n, x0=0, y0=0, x1=100, y1=50, colours=(LIGHT_YELLOW, WHITE, "#ffe08a")):
    for _ in range(n):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        r = rng.uniform(0.5, 1.2)
        colour = rng.choice(colours)
        if r > 0.95:
            c.poly(star_points(x, y, r * 1.6, r * 0.55, 4, -90), colour, None)
        else:
            c.circle(x, y, r * 0.5, colour, None)


def flakes(c, rng, n, x0=0, y0=0, x1=100, y1=100, colour=WHITE):
    """Falling snow: dots and a few six-armed flakes."""
    for _ in range(n):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        if rng.random() < 0.25:
            r = rng.uniform(0.9, 1.5)
            for k in range(3):
                a = math.pi * k / 3 + 0.3
                c.stroke([(x - r * math.cos(a), y - r * math.sin(a)), (x + r * math.cos(a), y + r * math.sin(a))],
                         colour, 26)
        else:
            c.circle(x, y, rng.uniform(0.3, 0.65), colour, None)


def moon(c, x, y, r, glow=None):
    if glow:
        for k, g in enumerate(glow):
            c.circle(x, y, r * (1.9 - 0.3 * k), g, None)
    c.circle(x, y, r, "#fff6c8")
    c.circle(x - r * 0.3, y - r * 0.2, r * 0.18, "#efe2a0", None)
    c.circle(x + r * 0.35, y + r * 0.25, r * 0.24, "#efe2a0", None)
    c.circle(x + r * 0.1, y - r * 0.5, r * 0.1, "#efe2a0", None)


def ground(c, rng, y, colours, amplitude=3, waves=2.0, phase=0.0, line=INK, bottom=100):
    """A rolling snowy band from y down to the bottom, shaded in bands."""
    top = [(x, y + amplitude * math.sin(waves * math.pi * x / 100 + phase)) for x in range(-2, 103, 3)]
    c.poly(top + [(102, bottom + 2), (-2, bottom + 2)], colours[0], line)
    n = len(colours)
    for i, colour in enumerate(colours[1:], 1):
        dy = (bottom - y) * i / n
        band = [(x, yy + dy) for x, yy in top]
        c.poly(band + [(102, bottom + 2), (-2, bottom + 2)], colour, None)


def snow_texture(c, rng, n, x0, y0, x1, y1, shade=SNOW_SHADE, sparkle=WHITE):
    """Soft shadows and glints, so that no patch of snow is one flat colour."""
    for _ in range(n):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        if rng.random() < 0.6:
            c.ellipse(x, y, rng.uniform(1.5, 4), rng.uniform(0.4, 0.9), shade, None)
        else:
            c.poly(star_points(x, y, 0.9, 0.3, 4), sparkle, None)


def pine(c, x, y, h, colour=PINE, snow=True, trunk=BROWN, line=INK):
    """A fir tree standing at (x, y), h tall, with snow on each tier."""
    w = h * 0.42
    c.rect(x - h * 0.05, y - h * 0.16, x + h * 0.05, y, trunk, line)
    tiers = 3
    for i in range(tiers):
        top = y - h + h * 0.22 * i
        bottom = y - h * 0.12 - h * 0.22 * (tiers - 1 - i) * 0.55
        half = w * (0.55 + 0.45 * (i + 1) / tiers)
        c.poly([(x, top), (x + half, bottom), (x - half, bottom)], colour, line)
        if snow:
            c.poly([(x, top), (x + half * 0.42, top + (bottom - top) * 0.42), (x + half * 0.18, top + (bottom - top) * 0.36),
                    (x, top + (bottom - top) * 0.46), (x - half * 0.2, top + (bottom - top) * 0.36),
                    (x - half * 0.42, top + (bottom - top) * 0.42)], SNOW, None)


def round_tree(c, x, y, h, colour=PINE):
    """A far-off tree: a smooth cone, no outline."""
    c.poly(smooth([(x, y - h), (x + h * 0.3, y - h * 0.3), (x + h * 0.32, y), (x - h * 0.32, y),
                   (x - h * 0.3, y - h * 0.3)]), colour, None)


def house(c, x, y, w, h, wall, roof, rng, door=BROWN, lit=True, chimney=True):
    """A cottage with its floor at y, its left wall at x."""
    window = "#ffd45c" if lit else SKY
    if chimney:
        c.rect(x + w * 0.66, y - h * 1.45, x + w * 0.8, y - h * 0.9, "#b55a43")
        c.rect(x + w * 0.64, y - h * 1.5, x + w * 0.82, y - h * 1.4, SNOW)
    c.rect(x, y - h, x + w, y, wall)
    for k in range(1, 4):
        c.stroke([(x, y - h * k / 4), (x + w, y - h * k / 4)], mix(wall, INK, 0.25), 18)
    ridge = y - h - h * 0.75
    c.poly([(x - w * 0.1, y - h), (x + w * 0.5, ridge), (x + w * 1.1, y - h)], roof)
    c.poly(smooth([(x - w * 0.12, y - h + 0.4), (x + w * 0.5, ridge - 0.6), (x + w * 1.12, y - h + 0.4),
                   (x + w * 0.95, y - h + h * 0.12), (x + w * 0.7, y - h - h * 0.05), (x + w * 0.45, y - h + h * 0.1),
                   (x + w * 0.2, y - h - h * 0.05), (x + w * 0.05, y - h + h * 0.14)], True, 4), SNOW)
    dw = w * 0.22
    c.rect(x + w * 0.14, y - h * 0.62, x + w * 0.14 + dw, y, door)
    c.circle(x + w * 0.14 + dw * 0.78, y - h * 0.3, 0.35, GOLD, None)
    for wx in (x + w * 0.5, x + w * 0.76):
        c.rect(wx - w * 0.1, y - h * 0.72, wx + w * 0.1, y - h * 0.38, window)
        c.stroke([(wx, y - h * 0.72), (wx, y - h * 0.38)], INK, 22)
        c.stroke([(wx - w * 0.1, y - h * 0.55), (wx + w * 0.1, y - h * 0.55)], INK, 22)
        c.rect(wx - w * 0.12, y - h * 0.4, wx + w * 0.12, y - h * 0.34, SNOW, None)


def smoke(c, x, y, rng, n=4):
    for k in range(n):
        c.circle(x + math.sin(k * 1.3) * 1.5 + k * 0.6, y - k * 2.6, 1.0 + k * 0.35, mix("#e8eef8", "#b9c6dc", k / n),
                 None)


def snowman(c, x, y, s, rng, scarf=RED, hat=BLACK):
    """A snowman standing at (x, y), s tall."""
    r1, r2, r3 = s * 0.2, s * 0.15, s * 0.11
    c.thick([(x - r2 * 0.8, y - r1 * 2 - r2), (x - r2 * 2.4, y - r1 * 2 - r2 * 1.9)], BROWN, 50)
    c.thick([(x + r2 * 0.8, y - r1 * 2 - r2), (x + r2 * 2.4, y - r1 * 2 - r2 * 2.0)], BROWN, 50)
    c.circle(x - r2 * 2.45, y - r1 * 2 - r2 * 1.95, r2 * 0.28, RED)
    c.circle(x + r2 * 2.45, y - r1 * 2 - r2 * 2.05, r2 * 0.28, RED)
    c.circle(x, y - r1, r1, WHITE)
    c.arc(x, y - r1, r1 * 0.8, r1 * 0.8, 200, 300, SNOW_SHADE, 40)
    c.circle(x, y - r1 * 2 - r2 * 0.8, r2, WHITE)
    head_y = y - r1 * 2 - r2 * 1.6 - r3 * 0.9
    c.circle(x, head_y, r3, WHITE)
    for k in range(3):
        c.circle(x, y - r1 * 2 - r2 * 1.3 + k * r2 * 0.55, r2 * 0.11, BLACK, None)
    c.poly([(x - r2 * 0.9, head_y + r3 * 0.75), (x + r2 * 0.9, head_y + r3 * 0.75), (x + r2 * 0.8, head_y + r3 * 1.15),
            (x - r2 * 0.8, head_y + r3 * 1.15)], scarf)
    c.poly([(x + r2 * 0.3, head_y + r3 * 1.0), (x + r2 * 0.75, head_y + r3 * 1.0), (x + r2 * 0.9, head_y + r3 * 2.2),
            (x + r2 * 0.45, head_y + r3 * 2.2)], scarf)
    for k in range(2):
        c.stroke([(x + r2 * 0.34 + k * 0.0, head_y + r3 * (1.4 + 0.4 * k)),
                  (x + r2 * 0.8, head_y + r3 * (1.4 + 0.4 * k))], WHITE, 30)
    c.poly([(x, head_y + r3 * 0.05), (x + r3 * 1.1, head_y + r3 * 0.25), (x, head_y + r3 * 0.35)], ORANGE)
    c.circle(x - r3 * 0.38, head_y - r3 * 0.3, r3 * 0.12, BLACK, None)
    c.circle(x + r3 * 0.38, head_y - r3 * 0.3, r3 * 0.12, BLACK, None)
    c.rect(x - r3 * 1.05, head_y - r3 * 0.85, x + r3 * 1.05, head_y - r3 * 0.65, hat)
    c.rect(x - r3 * 0.7, head_y - r3 * 1.9, x + r3 * 0.7, head_y - r3 * 0.75, hat)
    c.rect(x - r3 * 0.7, head_y - r3 * 1.05, x + r3 * 0.7, head_y - r3 * 0.85, RED, None)


def kid(c, x, y, s, coat, hat, scarf=None, facing=1, arms_up=False):
    """A child in winter clothes standing at (x, y), s tall."""
    f = facing
    scarf = scarf or YELLOW
    c.thick([(x - s * 0.07, y - s * 0.3), (x - s * 0.09, y - s * 0.04)], NAVY, s * 0.1 * U)
    c.thick([(x + s * 0.07, y - s * 0.3), (x + s * 0.09, y - s * 0.04)], NAVY, s * 0.1 * U)
    c.ellipse(x - s * 0.09 + f * s * 0.03, y - s * 0.03, s * 0.08, s * 0.04, BLACK)
    c.ellipse(x + s * 0.09 + f * s * 0.03, y - s * 0.03, s * 0.08, s * 0.04, BLACK)
    hand_y = y - s * 0.78 if arms_up else y - s * 0.38
    c.thick([(x - s * 0.14, y - s * 0.62), (x - s * 0.25, hand_y)], coat, s * 0.09 * U)
    c.thick([(x + s * 0.14, y - s * 0.62), (x + s * 0.25, hand_y)], coat, s * 0.09 * U)
    c.circle(x - s * 0.25, hand_y, s * 0.055, scarf)
    c.circle(x + s * 0.25, hand_y, s * 0.055, scarf)
    c.poly(smooth([(x - s * 0.14, y - s * 0.68), (x + s * 0.14, y - s * 0.68), (x + s * 0.19, y - s * 0.28),
                   (x - s * 0.19, y - s * 0.28)], True, 3), coat)
    c.stroke([(x, y - s * 0.64), (x, y - s * 0.3)], mix(coat, INK, 0.4), 24)
    c.circle(x, y - s * 0.82, s * 0.14, SKIN)
    c.circle(x + f * s * 0.05, y - s * 0.83, s * 0.018, BLACK, None)
    c.circle(x + f * s * 0.1, y - s * 0.78, s * 0.03, CHEEK, None)
    c.chord(x, y - s * 0.84, s * 0.15, s * 0.14, 0, 180, hat)
    c.rect(x - s * 0.16, y - s * 0.87, x + s * 0.16, y - s * 0.82, WHITE)
    c.circle(x, y - s * 1.0, s * 0.05, WHITE)
    c.rect(x - s * 0.13, y - s * 0.7, x + s * 0.13, y - s * 0.64, scarf)


def reindeer(c, x, y, s, facing=1, body=BROWN, nose=BLACK, harness=None, legs=(0, 0, 0, 0)):
    """A reindeer standing (or leaping) with its hooves near y, s long."""
    f = facing
    bx = x
    by = y - s * 0.45
    for k, (dx, sw) in enumerate(((-0.28, legs[0]), (-0.18, legs[1]), (0.2, legs[2]), (0.3, legs[3]))):
        c.thick([(bx + f * s * dx, by + s * 0.05), (bx + f * s * (dx + sw), y)], mix(body, INK, 0.2), s * 0.065 * U)
        c.circle(bx + f * s * (dx + sw), y, s * 0.035, BLACK, None)
    c.poly(smooth([(bx - f * s * 0.38, by - s * 0.12), (bx - f * s * 0.42, by - s * 0.2),
                   (bx - f * s * 0.3, by - s * 0.12)], True, 3), CREAM)
    c.ellipse(bx, by, s * 0.38, s * 0.16, body)
    c.ellipse(bx - f * s * 0.02, by + s * 0.06, s * 0.26, s * 0.07, TAN, None)
    nx, ny = bx + f * s * 0.34, by - s * 0.36
    c.thick([(bx + f * s * 0.25, by - s * 0.04), (nx, ny)], body, s * 0.14 * U)
    for side in (-1, 1):
        base = (nx - f * s * 0.02 + side * s * 0.03, ny - s * 0.1)
        tip = (nx + side * s * 0.14 - f * s * 0.05, ny - s * 0.42)
        c.stroke([base, (base[0] + side * s * 0.04, ny - s * 0.25), tip], DARK_BROWN, s * 0.03 * U)
        c.stroke([(base[0] + side * s * 0.04, ny - s * 0.25), (base[0] + side * s * 0.16, ny - s * 0.3)], DARK_BROWN,
                 s * 0.028 * U)
    c.poly(smooth([(nx - f * s * 0.08, ny - s * 0.06), (nx + f * s * 0.06, ny - s * 0.12), (nx + f * s * 0.2, ny - s * 0.04),
                   (nx + f * s * 0.19, ny + s * 0.04), (nx + f * s * 0.02, ny + s * 0.06)], True, 3), body)
    c.circle(nx + f * s * 0.205, ny, s * 0.04 if nose == RED else s * 0.03, nose)
    c.circle(nx + f * s * 0.05, ny - s * 0.05, s * 0.022, BLACK, None)
    c.poly([(nx - f * s * 0.06, ny - s * 0.08), (nx - f * s * 0.14, ny - s * 0.16), (nx - f * s * 0.04, ny - s * 0.13)],
           body)
    if harness:
        c.thick([(bx - f * s * 0.2, by - s * 0.15), (bx - f * s * 0.2, by + s * 0.15)], harness, s * 0.05 * U)
        c.thick([(bx + f * s * 0.26, by - s * 0.1), (bx + f * s * 0.15, by + s * 0.12)], harness, s * 0.05 * U)
        c.circle(bx + f * s * 0.24, by - s * 0.02, s * 0.03, GOLD)


def present(c, x, y, w, h, paper, ribbon):
    """A wrapped present with its bottom at y."""
    c.rect(x, y - h, x + w, y, paper)
    c.rect(x + w * 0.42, y - h, x + w * 0.58, y, ribbon, None)
    c.rect(x, y - h * 0.6, x + w, y - h * 0.45, ribbon, None)
    c.rect(x, y - h, x + w, y, None)
    c.ellipse(x + w * 0.36, y - h - h * 0.12, w * 0.14, h * 0.13, ribbon)
    c.ellipse(x + w * 0.64, y - h - h * 0.12, w * 0.14, h * 0.13, ribbon)


def penguin(c, x, y, s, facing=1, scarf=None, flap=0):
    """A penguin standing at (x, y), s tall."""
    f = facing
    c.ellipse(x - s * 0.1, y - s * 0.02, s * 0.12, s * 0.04, ORANGE)
    c.ellipse(x + s * 0.12, y - s * 0.02, s * 0.12, s * 0.04, ORANGE)
    c.poly(smooth([(x, y - s), (x + s * 0.26, y - s * 0.72), (x + s * 0.3, y - s * 0.25), (x + s * 0.18, y - s * 0.04),
                   (x - s * 0.18, y - s * 0.04), (x - s * 0.3, y - s * 0.25), (x - s * 0.26, y - s * 0.72)], True, 5),
           BLACK)
    c.poly(smooth([(x + f * s * 0.06, y - s * 0.8), (x + f * s * 0.2, y - s * 0.55), (x + f * s * 0.2, y - s * 0.2),
                   (x + f * s * 0.04, y - s * 0.07), (x - f * s * 0.14, y - s * 0.12), (x - f * s * 0.17, y - s * 0.4),
                   (x - f * s * 0.08, y - s * 0.72)], True, 5), WHITE, None)
    c.poly([(x - f * s * 0.2, y - s * 0.55), (x - f * s * (0.38 + flap), y - s * (0.25 + flap)),
            (x - f * s * 0.24, y - s * 0.22)], BLACK)
    c.circle(x + f * s * 0.1, y - s * 0.8, s * 0.045, WHITE, None)
    c.circle(x + f * s * 0.115, y - s * 0.8, s * 0.025, BLACK, None)
    c.poly([(x + f * s * 0.2, y - s * 0.76), (x + f * s * 0.38, y - s * 0.7), (x + f * s * 0.2, y - s * 0.66)], ORANGE)
    c.circle(x + f * s * 0.16, y - s * 0.66, s * 0.035, CHEEK, None)
    if scarf:
        c.poly([(x - s * 0.2, y - s * 0.62), (x + s * 0.2, y - s * 0.62), (x + s * 0.19, y - s * 0.54),
                (x - s * 0.19, y - s * 0.54)], scarf)
        c.poly([(x - f * s * 0.12, y - s * 0.58), (x - f * s * 0.2, y - s * 0.36), (x - f * s * 0.08, y - s * 0.38)],
               scarf)


def lamp(c, x, y, h):
    c.thick([(x, y), (x, y - h)], NAVY, 70)
    for k, g in enumerate(("#5a5a8c", "#8a7fa8", "#d8c184")):
        c.circle(x, y - h - 1.2, 4.2 - 1.2 * k, g, None)
    c.rect(x - 1.3, y - h - 2.6, x + 1.3, y - h + 0.2, "#ffe27a")
    c.poly([(x - 1.8, y - h - 2.6), (x, y - h - 4), (x + 1.8, y - h - 2.6)], NAVY)


def fence(c, x0, x1, y, h, colour=BROWN):
    c.thick([(x0, y - h * 0.7), (x1, y - h * 0.7)], colour, 60)
    c.thick([(x0, y - h * 0.3), (x1, y - h * 0.3)], colour, 60)
    x = x0
    while x <= x1:
        c.poly([(x - 0.9, y), (x - 0.9, y - h), (x, y - h - 1.2), (x + 0.9, y - h), (x + 0.9, y)], mix(colour, TAN, 0.3))
        c.ellipse(x, y - h - 0.2, 1.1, 0.5, SNOW, None)
        x += 4.5


def garland(c, pts, colours, rng, r=0.8):
    c.stroke(pts, DARK_GREEN, 40)
    for k, (x, y) in enumerate(pts[1:-1:2]):
        c.circle(x, y, r, colours[k % len(colours)], None)


def bird(c, x, y, s, colour=RED, facing=1):
    """A round little bird perched at (x, y), s long."""
    f = facing
    c.poly([(x - f * s * 0.3, y - s * 0.25), (x - f * s * 0.65, y - s * 0.45), (x - f * s * 0.6, y - s * 0.15)], BROWN)
    c.ellipse(x, y - s * 0.3, s * 0.38, s * 0.3, BROWN)
    c.ellipse(x + f * s * 0.08, y - s * 0.25, s * 0.24, s * 0.2, colour, None)
    c.circle(x + f * s * 0.22, y - s * 0.55, s * 0.2, BROWN)
    c.circle(x + f * s * 0.28, y - s * 0.6, s * 0.05, BLACK, None)
    c.poly([(x + f * s * 0.38, y - s * 0.6), (x + f * s * 0.55, y - s * 0.53), (x + f * s * 0.38, y - s * 0.48)], ORANGE)
    c.poly([(x - f * s * 0.15, y - s * 0.4), (x + f * s * 0.1, y - s * 0.32), (x - f * s * 0.2, y - s * 0.2)],
           mix(BROWN, INK, 0.3), None)


def sled(c, x, y, w, colour=RED, wood=TAN):
    """A sledge lying on the snow, its runners at y."""
    c.thick([(x, y), (x + w, y)] + arc_points(x + w, y - w * 0.08, w * 0.08, w * 0.08, 270, 450, 6)[1:], colour, w * 0.05 * U)
    for k in range(2):
        c.thick([(x + w * (0.2 + 0.55 * k), y), (x + w * (0.2 + 0.55 * k), y - w * 0.12)], colour, w * 0.04 * U)
    c.rrect(x - w * 0.02, y - w * 0.2, x + w * 0.95, y - w * 0.11, w * 0.03, wood)
    for k in range(1, 4):
        c.stroke([(x + w * 0.24 * k, y - w * 0.2), (x + w * 0.24 * k, y - w * 0.11)], mix(wood, INK, 0.4), 22)
