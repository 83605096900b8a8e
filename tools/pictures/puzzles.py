"""The winter pictures of the puzzles.

Each is square, 4095 twips a side (the size of the puzzle boards), and busy
all over: sky bands, stars, snowflakes and many small coloured details, so that
every piece of a four by four puzzle can be told from the others.
"""

import math
import random

from palette import *  # noqa: F401,F403
from scenery import (U, bird, fence, flakes, garland, gradient, ground, house, kid, lamp, moon, penguin, pine, present,
                     reindeer, round_tree, shaded_grid, sky, sled, smoke, snow_texture, snowman, stars)
from wmf import INK, OUTLINE, Path, arc_points, mix, smooth, star_points

SIZE = 8190  # two units a twip


def snowman_picture(c):
    rng = random.Random(11)
    with c.at(scale=U):
        sky(c, ["#3a1466", "#5a2f96", "#9a55b5", "#f08fb0", "#ffc9a8"], 0, 58, 3,
            ["#0c2f66", "#13548c", "#3f8fb0", "#8fd0c0", "#e0f2c0"])
        stars(c, rng, 60, 0, 0, 100, 40)
        moon(c, 80, 13, 6.5, ["#4a4aa8", "#5a58b0"])
        for k, colour in enumerate(("#ff8ad0", "#ffb0e0", "#8af0c0")):
            pts = [(x, 22 + k * 2.2 + 4 * math.sin(x / 9 + 1.5)) for x in range(26, 71, 3)]
            c.poly(pts + [(x, y + 3.2 - k) for x, y in reversed(pts)], colour, None)
        for k, colour in enumerate(("#fff6b0", "#ffd0f0", "#b0e8ff")):
            c.thick([(6 + k * 1.5, 6 + k * 1.2), (20, 15)], colour, 90 - 25 * k, None)
        c.poly(star_points(20, 15, 4, 1.7), YELLOW)
        ground(c, rng, 50, ["#c9d9f2", "#d7e4f7"], 2.5, 3, 0.5)
        for k in range(9):
            round_tree(c, 4 + k * 12 + rng.uniform(-2, 2), 53 + rng.uniform(-1, 1), rng.uniform(9, 14),
                       mix(PINE, "#7fa3c8", 0.45))
        ground(c, rng, 60, [SNOW, "#eef4ff", "#e6eefc", "#dde8fa", "#d3e1f7"], 3, 1.6, 2.0)
        # the snow takes the sky's colours: lilac on the left, green by the moon
        shaded_grid(c, 0, 64, 100, 100, 20, 8,
                    lambda fx, fy: mix(mix("#f0e0ff", "#dff8e8", fx), "#c8d4f2", fy * 0.6))
        fence(c, 54, 100, 66, 7)
        for x, h in ((8, 22), (20, 17), (90, 25)):
            pine(c, x, 64 + h * 0.05, h)
        snow_texture(c, rng, 70, 0, 66, 100, 100)
        snowman(c, 38, 92, 44, rng)
        sled(c, 62, 90, 24)
        bird(c, 80, 59.5, 4.5)
        bird(c, 66, 59.5, 3.5, "#3b74d6", -1)
        c.stroke([(58, 97), (61, 96.5), (64, 97)], "#b8cbe8", 40)
        present(c, 10, 97, 13, 11, BLUE, YELLOW)
        present(c, 82, 97, 9, 7, GREEN, RED)
        flakes(c, rng, 110)


def sleigh_picture(c):
    rng = random.Random(22)
    with c.at(scale=U):
        sky(c, ["#0b1240", "#17246b", "#2a3f92", "#4d6fb8", "#8fb0de"], 0, 75, 3,
            ["#2a0f4a", "#4a1f72", "#7a3f98", "#b56fb0", "#f0b0c8"])
        stars(c, rng, 90, 0, 0, 100, 60)
        moon(c, 18, 18, 9, ["#26357f", "#31439a"])
        for cx, cy, r in ((72, 48, 1.0), (92, 58, 0.8), (56, 60, 0.6)):
            for dx, dy, rr in ((-4, 1, 3), (0, 0, 4.2), (4.3, 1, 3.2), (7.5, 2, 2.2)):
                c.circle(cx + dx * r, cy + dy * r, rr * r, "#c8b8e8", None)
        # the sleigh flies from lower left to upper right
        with c.at(0, 0):
            c.stroke([(46, 38), (57, 31), (70, 24), (84, 17)], GOLD, 40)
            for k, (rx, ry) in enumerate(((59, 32), (72, 25), (85, 18))):
                reindeer(c, rx, ry + 6, 15, 1, BROWN, RED if k == 2 else BLACK, RED, (-0.16, 0.14, -0.18, 0.12))
            c.poly(smooth([(30, 36), (48, 35), (50, 42), (44, 48), (28, 48), (24, 42)], True, 4), RED)
            c.thick([(22, 50), (48, 50), (52, 46)], GOLD, 60)
            c.circle(36, 30, 5.5, RED)  # Santa
            c.circle(38, 24, 3.2, SKIN)
            c.ellipse(38.5, 26.3, 3, 1.8, WHITE)
            c.poly([(35, 22.5), (41, 22.5), (36, 17), (32, 19)], RED)
            c.circle(32, 19, 1.1, WHITE)
            c.rect(34.6, 21.8, 41.4, 23.2, WHITE)
            c.circle(39.2, 23.4, 0.4, BLACK, None)
            present(c, 25, 36, 6, 6, GREEN, YELLOW)
            present(c, 30, 34, 5, 8, PURPLE, WHITE)
        ground(c, rng, 68, ["#c2d4f0", "#cfddf4"], 2, 2.5, 0.3)
        for k in range(8):
            round_tree(c, 3 + k * 13.5, 71, rng.uniform(8, 12), "#2d5a78")
        roofs = [(2, 95, 20, 15, "#c84b3c", RED), (24, 97, 18, 18, "#4b6fc8", NAVY), (46, 94, 22, 13, "#e0a23a", BROWN),
                 (72, 96, 19, 16, "#6bb06b", DARK_RED)]
        for x, y, w, h, wall, roof in roofs:
            house(c, x, y, w, h, wall, roof, rng)
            smoke(c, x + w * 0.73, y - h * 1.6, rng)
        ground(c, rng, 96, [SNOW, "#e3ecfa"], 0.8, 4, 0)
        snow_texture(c, rng, 20, 0, 96, 100, 100)
        flakes(c, rng, 90, 0, 0, 100, 100)


def tree_picture(c):
    rng = random.Random(33)
    with c.at(scale=U):
        # wallpaper, warmer near the fire on the right
        for k in range(20):
            c.rect(k * 5, 0, k * 5 + 5.2, 78, mix("#e8d0e8" if k % 2 else "#dcb8dc", "#ffc890", k / 19), None)
        for row in range(8):
            for col in range(10):
                x, y = col * 10 + (5 if row % 2 else 0) + 2.5, row * 10 + 4
                c.poly(star_points(x, y, 1.3, 0.55, 4), "#e49a7a", None)
        # window on the night
        c.rect(4, 8, 30, 40, "#1f2f72")
        stars(c, rng, 10, 5, 9, 29, 30)
        flakes(c, rng, 18, 5, 9, 29, 39)
        c.rect(4, 32, 30, 40, SNOW, None)
        c.rect(4, 8, 30, 40, None)
        c.thick([(17, 8), (17, 40)], "#fff4e6", 80)
        c.thick([(4, 24), (30, 24)], "#fff4e6", 80)
        c.rect(2, 40, 32, 43, "#fff4e6")
        # a clock and a picture of a snowman
        c.circle(58, 15, 6, "#7a4a2a")
        c.circle(58, 15, 4.8, CREAM)
        for k in range(12):
            a = math.pi * k / 6
            c.circle(58 + 3.9 * math.cos(a), 15 + 3.9 * math.sin(a), 0.35, INK, None)
        c.thick([(58, 15), (58, 11.8)], INK, 50)
        c.thick([(58, 15), (60.4, 15)], INK, 50)
        c.poly([(56, 21), (60, 21), (58.8, 30), (57.2, 30)], "#7a4a2a")
        c.circle(58, 31, 2, GOLD)
        c.rect(76, 6, 96, 26, GOLD)
        c.rect(78, 8, 94, 24, "#9fd0ff")
        c.rect(78, 19, 94, 24, SNOW, None)
        c.circle(86, 18.5, 3, WHITE)
        c.circle(86, 13.5, 2.2, WHITE)
        c.rect(84.2, 9.6, 87.8, 11.8, BLACK, None)
        c.poly([(86, 13.3), (88.2, 13.8), (86, 14.3)], ORANGE, None)
        c.rect(78, 8, 94, 24, None)
        # fireplace on the right
        c.rect(70, 36, 100, 80, "#b5503c")
        for row in range(9):
            for col in range(7):
                x = 70 + col * 5 + (2.5 if row % 2 else 0)
                c.rect(x, 36 + row * 5, x + 5, 41 + row * 5, None, "#8a3a2b", 22)
        c.rect(66, 32, 100, 37, "#7a4a2a")
        c.rrect(76, 52, 100, 80, 6, "#2a1a1a")
        for k, colour in enumerate((ORANGE, YELLOW, "#ff5a2a")):
            c.poly(smooth([(80 + k * 5, 78), (82 + k * 5, 66 - k * 2), (85 + k * 5, 72), (88 + k * 5, 62 + k),
                           (90 + k * 5, 78)], True, 3), colour, None)
        c.rect(78, 76, 100, 80, DARK_BROWN)
        for k, colour in enumerate((RED, GREEN, BLUE)):
            x = 72 + k * 9
            c.poly(smooth([(x, 37), (x + 5, 37), (x + 5, 46), (x + 7.5, 49), (x + 6, 51.5), (x + 1, 49), (x, 46)],
                          True, 2), colour)
            c.rect(x - 0.3, 37, x + 5.3, 39.5, WHITE)
        # floor
        for k in range(8):
            c.rect(0, 78 + k * 2.8, 100, 81 + k * 2.8, "#b07a45" if k % 2 else "#c48b52", None)
        for k in range(12):
            c.stroke([(rng.uniform(0, 100), 78 + (k % 8) * 2.8 + 1.4), (rng.uniform(0, 100), 78 + (k % 8) * 2.8 + 1.4)],
                     "#8a5a30", 20)
        c.ellipse(42, 92, 36, 7, "#c43a4a")  # rug
        c.ellipse(42, 92, 30, 5, "#e8b04a", None)
        c.ellipse(42, 92, 24, 3.8, "#c43a4a", None)
        # the tree
        c.rect(39, 76, 47, 86, BROWN)
        c.rect(35, 82, 51, 88, RED)
        tiers = [(8, 30, 14), (20, 44, 20), (32, 60, 26), (46, 78, 31)]
        for top, bottom, half in tiers:
            c.poly([(43, top), (43 + half, bottom), (43 - half, bottom)], GREEN)
            for k in range(14):
                t = (k % 7 + 1) / 8
                x = 43 + rng.uniform(-0.85, 0.85) * half * t
                y = top + (bottom - top) * t
                c.stroke([(x - 1.2, y - 1.0), (x, y + 0.6), (x + 1.2, y - 1.0)], DARK_GREEN, 30)
        for top, bottom, half in tiers:
            pts = [(43 - half * 0.85 + i * half * 1.7 / 10, bottom - 3 + 2.2 * math.sin(i * math.pi / 10))
                   for i in range(11)]
            garland(c, pts, [YELLOW, WHITE, PINK], rng, 0.55)
        baubles = [RED, BLUE, YELLOW, PURPLE, ORANGE, SKY, PINK, WHITE]
        for k in range(40):
            top, bottom, half = tiers[k % 4]
            y = rng.uniform(top + 4, bottom - 1)
            span = half * (y - top) / (bottom - top) * 0.9
            c.circle(43 + rng.uniform(-span, span), y, 0.6, rng.choice([YELLOW, WHITE, "#ffb0e0", "#b0f0ff"]), None)
        for k in range(34):
            top, bottom, half = tiers[k % 4]
            y = rng.uniform(top + 6, bottom - 1)
            span = half * (y - top) / (bottom - top) * 0.85
            c.circle(43 + rng.uniform(-span, span), y, 1.6, baubles[k % len(baubles)])
        c.poly(star_points(43, 7, 6, 2.6), YELLOW)
        # presents
        for x, w, h, paper, ribbon in ((14, 12, 9, BLUE, YELLOW), (26, 9, 12, PURPLE, WHITE), (52, 11, 8, GREEN, RED),
                                       (61, 8, 10, YELLOW, BLUE), (6, 8, 6, PINK, GREEN)):
            present(c, x, 93 if x not in (6, 61) else 96, w, h, paper, ribbon)


def reindeer_picture(c):
    rng = random.Random(44)
    with c.at(scale=U):
        sky(c, ["#ffb38a", "#ffc9a0", "#ffe0b8", "#fff0cc", "#ffe4a8"], 0, 55, 3,
            ["#4fa6ea", "#74bcf2", "#a6d6f5", "#d3ecfb", "#e8f4fb"])
        c.circle(20, 36, 8, "#fff1b0", None)
        c.circle(20, 36, 6, "#ffe27a", None)
        for k in range(5):
            cx, cy = rng.uniform(30, 95), rng.uniform(6, 24)
            for dx, r in ((-4, 3.2), (0, 4.5), (4, 3.4), (7.5, 2.4)):
                c.circle(cx + dx, cy + (1 if r < 3.5 else 0), r, WHITE, None)
        flakes(c, rng, 20, 0, 0, 100, 40, "#ffffff")
        ground(c, rng, 44, ["#bcd2ea", "#c9dcef"], 3, 2, 1.0, None)
        for k in range(14):
            round_tree(c, rng.uniform(0, 100), 48 + rng.uniform(-2, 2), rng.uniform(10, 18), "#6f96b8")
        ground(c, rng, 52, ["#d7e5f4", "#e0ebf7"], 2, 2.5, 2.0, None)
        for k in range(10):
            pine(c, 4 + k * 10.5 + rng.uniform(-2, 2), 60 + rng.uniform(-1, 1), rng.uniform(16, 22), "#3f7d68")
        ground(c, rng, 64, [SNOW, "#eef4fc", "#e4edf9", "#dae6f7", "#d0e0f4"], 2.5, 1.5, 0.7)
        snow_texture(c, rng, 80, 0, 66, 100, 100)
        for x, h in ((6, 40), (90, 44), (78, 30)):
            pine(c, x, 98 if x != 78 else 80, h)
        reindeer(c, 48, 90, 40, -1, BROWN, BLACK)
        # a rabbit and some tracks
        c.ellipse(24, 90, 4, 3, WHITE)
        c.circle(27, 86.5, 2.4, WHITE)
        c.ellipse(26.5, 82, 0.9, 3, WHITE)
        c.ellipse(28.3, 82.3, 0.9, 3, WHITE)
        c.circle(28.2, 86, 0.4, BLACK, None)
        c.circle(20, 89, 1.2, WHITE)
        for k in range(7):
            c.ellipse(30 + k * 3.4, 95 - (k % 2) * 1.4, 0.9, 0.5, SNOW_SHADE, None)
        bird(c, 22, 97.5, 4, RED, 1)
        bird(c, 60, 97, 3.5, "#3b74d6", -1)
        sled(c, 66, 93, 14, BLUE)
        flakes(c, rng, 60, 0, 40, 100, 100)


def village_picture(c):
    rng = random.Random(55)
    with c.at(scale=U):
        sky(c, ["#0a0f35", "#14205e", "#1f3b7a", "#2f5d8c", "#3d7a94"], 0, 60, 3)
        for k, colour in enumerate(("#3fd69a", "#5be3b0", "#7ff0c4")):
            pts = [(x, 16 + k * 2.5 + 5 * math.sin(x / 13 + k)) for x in range(-2, 103, 4)]
            c.poly(pts + [(x, y + 4 - k) for x, y in reversed(pts)], colour, None)
        stars(c, rng, 90, 0, 0, 100, 50)
        moon(c, 84, 11, 5.5, ["#1d2e6e", "#243a80"])
        ground(c, rng, 48, ["#8aa3c8", "#97afd0"], 4, 2, 0.2, None)
        for k in range(12):
            round_tree(c, rng.uniform(0, 100), 51 + rng.uniform(-2, 2), rng.uniform(8, 12), "#1f4d5e")
        # church on the hill
        c.rect(58, 30, 72, 52, "#e7d6b8")
        c.poly([(56, 30), (65, 12), (74, 30)], "#6a3a8c")
        c.rect(62, 36, 68, 44, "#ffd45c")
        c.thick([(65, 4), (65, 12)], GOLD, 40)
        c.thick([(62.5, 7), (67.5, 7)], GOLD, 40)
        ground(c, rng, 58, ["#c9d8ee", "#d4e1f2"], 2, 3, 1.3)
        roofs = [(2, 76, 17, 15, "#d9603f", "#7a2b2b"), (22, 73, 16, 12, "#e7b54a", "#3b5fa8"),
                 (40, 78, 20, 16, "#6fa85e", "#8a3a2b"), (64, 74, 15, 12, "#5a8fd6", "#6a3a8c"),
                 (82, 77, 16, 14, "#d46a9a", "#2f6b4a")]
        for x, y, w, h, wall, roof in roofs:
            house(c, x, y, w, h, wall, roof, rng)
            smoke(c, x + w * 0.73, y - h * 1.6, rng, 3)
        ground(c, rng, 80, [SNOW, "#e9f0fb", "#dee8f8"], 1.2, 2.5, 0.0)
        c.poly([(30, 100), (44, 80), (56, 80), (72, 100)], "#c7d6ee", None)  # the lane
        for k in range(6):
            c.rect(44 + k * 0.4 - k * 2.3, 82 + k * 3, 56 - k * 0.4 + k * 2.3, 82.6 + k * 3, "#b8c8e4", None)
        for x in (26, 76):
            lamp(c, x, 96, 16)
        kid(c, 60, 97, 12, RED, BLUE, YELLOW, -1)
        kid(c, 16, 98, 10, GREEN, PINK, WHITE, 1)
        snow_texture(c, rng, 30, 0, 84, 100, 100)
        flakes(c, rng, 110)


def sledding_picture(c):
    rng = random.Random(66)
    with c.at(scale=U):
        sky(c, ["#3f8fe0", "#5aa8ee", "#82c2f5", "#b3daf9", "#dcefff"], 0, 100, 4,
            ["#8fb8f0", "#b0cff5", "#d8e4f5", "#f8ecd8", "#fff4e0"])
        c.circle(86, 12, 7, "#fff1a0", None)
        c.circle(86, 12, 5, YELLOW)
        for k in range(8):
            a = k * math.pi / 4
            c.thick([(86 + 7.5 * math.cos(a), 12 + 7.5 * math.sin(a)), (86 + 9.5 * math.cos(a), 12 + 9.5 * math.sin(a))],
                    YELLOW, 50, None)
        for cx, cy in ((20, 12), (50, 8), (66, 26), (30, 30)):
            for dx, r in ((-4, 3.0), (0, 4.4), (4.5, 3.3), (8, 2.2)):
                c.circle(cx + dx, cy + (1 if r < 3.5 else 0), r, WHITE, None)
        # far mountains
        c.poly([(-2, 50), (14, 26), (26, 42), (40, 22), (58, 46), (74, 30), (102, 50)], "#8fa8d8", None)
        c.poly([(14, 26), (18, 32), (10, 32)], SNOW, None)
        c.poly([(40, 22), (45, 30), (35, 30)], SNOW, None)
        c.poly([(74, 30), (78, 36), (70, 36)], SNOW, None)
        for k in range(10):
            round_tree(c, k * 11 + rng.uniform(-2, 2), 50 + rng.uniform(-1, 1), rng.uniform(7, 10), "#4c7fa0")
        # the hill runs down from the left
        hill = [(-2, 38)] + [(x, 38 + (x / 100) ** 1.4 * 50) for x in range(0, 103, 5)]
        c.poly(hill + [(102, 102), (-2, 102)], SNOW)
        for k, colour in enumerate(("#eaf2fd", "#dfeafa", "#d3e2f7", "#c8daf4", "#bdd2f0")):
            band = [(x, y + 7 + k * 9) for x, y in hill]
            c.poly(band + [(102, 102), (-2, 102)], colour, None)
        for k in range(6):
            x = rng.uniform(5, 95)
            pine(c, x, 38 + (x / 100) ** 1.4 * 50 + 2, rng.uniform(10, 15))
        snow_texture(c, rng, 140, 0, 45, 100, 100)
        # tracks of the sledges
        for off in (0, 2):
            c.stroke([(x, 44 + (x / 100) ** 1.4 * 50 + off) for x in range(8, 70, 6)], "#b9cdea", 40)

        def sledge(x, y, angle, coat, hat, rider2=None):
            with c.at(x, y, rotate=angle):
                c.thick([(-9, 0), (9, 0), (11, -2.5)], DARK_RED, 50)
                c.rrect(-9, -4, 8, -1.5, 1, RED)
                kid(c, -1, -3.5, 13, coat, hat, YELLOW, 1, True)
                if rider2:
                    kid(c, -6, -3.5, 10, rider2[0], rider2[1], WHITE, 1)

        sledge(32, 60, 20, BLUE, RED, (PURPLE, GREEN))
        sledge(66, 82, 28, ORANGE, BLUE)
        kid(c, 14, 52, 12, GREEN, YELLOW, RED, 1)   # climbing back up with a sledge
        c.thick([(20, 49), (26, 52)], BROWN, 40)
        c.rrect(22, 50, 32, 53, 1, "#3b74d6")
        c.thick([(22, 54), (32, 54)], NAVY, 30)
        snowman(c, 86, 96, 26, rng, GREEN, NAVY)
        for k in range(5):
            c.stroke([(4 + k * 3, 70 + k * 1.5), (8 + k * 3, 71 + k * 1.5)], "#c3d5ee", 60)
        for k in range(8):
            c.ellipse(22 + k * 4.2, 99 - (k % 2) * 1.6 - k * 0.9, 1.1, 0.55, "#a9c0e2", None)
        kid(c, 16, 96, 15, PINK, PURPLE, SKY, 1, True)
        for x, y, r in ((26, 95, 2.4), (30, 96, 1.8), (28, 92.5, 1.6)):
            c.circle(x, y, r, WHITE)
        pine(c, 4, 84, 14)
        c.thick([(44, 94), (44, 80)], BROWN, 50)
        c.poly([(44, 80), (52, 82), (44, 85)], RED)
        flakes(c, rng, 60)


def gingerbread_picture(c):
    rng = random.Random(77)
    with c.at(scale=U):
        sky(c, ["#ffb0d0", "#f79ac8", "#e98fd0", "#c99fef", "#a8c4f5"], 0, 90, 4,
            ["#fff0b0", "#ffe0c0", "#d0f0e8", "#b0e0f5", "#a8d4f5"])
        for k in range(40):
            x, y = rng.uniform(0, 100), rng.uniform(0, 66)
            c.circle(x, y, rng.uniform(0.5, 1.1), rng.choice([WHITE, "#fff6b0", "#b8f0ff"]), None)
        flakes(c, rng, 40, 0, 0, 100, 70)
        for k, colour in enumerate((RED, ORANGE, YELLOW, GREEN, SKY, PURPLE)):
            c.arc(0, 36, 30 - k * 2.4, 30 - k * 2.4, 0, 90, colour, 200)
        # the house
        gb, dark = "#c07a3c", "#8a5222"
        c.rect(22, 44, 78, 86, gb)
        c.poly([(16, 46), (50, 14), (84, 46)], dark)
        c.poly(smooth([(15, 47), (50, 12.5), (85, 47), (80, 50), (74, 46), (68, 52), (62, 46), (56, 52), (50, 46),
                       (44, 52), (38, 46), (32, 52), (26, 46), (20, 50)], True, 3), WHITE)
        for k in range(7):
            for j in range(k + 1):
                x = 50 - k * 4.6 + j * 9.2
                y = 22 + k * 4
                if 20 < x < 80:
                    c.circle(x, y, 1.7, [RED, GREEN, YELLOW, PURPLE, ORANGE][(k + j) % 5])
        c.thick([(60, 20), (60, 10)], "#a0522d", 280)
        c.rect(56.5, 8, 63.5, 10.5, WHITE)
        # icing zigzags on the walls
        for y in (56, 84):
            c.stroke([(22 + k * 2, y + (1 if k % 2 else -1)) for k in range(29)], WHITE, 60)
        c.rrect(44, 62, 56, 86, 5, "#f0d070")  # door
        c.stroke([(50, 62), (50, 86)], dark, 30)
        c.circle(53, 75, 1, RED)
        for wx in (26, 62):
            c.rect(wx, 60, wx + 12, 72, "#ffe9a0")
            c.thick([(wx + 6, 60), (wx + 6, 72)], WHITE, 50, None)
            c.thick([(wx, 66), (wx + 12, 66)], WHITE, 50, None)
            c.rect(wx, 60, wx + 12, 72, None)
            c.rect(wx - 1, 72, wx + 13, 74, PINK)
        for k in range(6):
            x = 25 + k * 10
            c.circle(x, 49.5, 1.8, [GREEN, PINK, YELLOW, SKY][k % 4])
        # candy canes and lollipops
        for x in (12, 90):
            c.thick([(x, 96), (x, 66)] + arc_points(x + 3, 66, 3, 3, 0, 180, 6)[::-1] + [(x + 6, 69)], WHITE, 160)
            for k in range(8):
                c.stroke([(x - 0.9, 94 - k * 4), (x + 0.9, 92.5 - k * 4)], RED, 70)
        for x, y, colour in ((5, 80, "#ff5a8a"), (97, 78, "#5ab0ff")):
            c.thick([(x, y), (x, 98)], WHITE, 60)
            c.circle(x, y, 4.2, colour)
            c.arc(x, y, 2.6, 2.6, 0, 270, WHITE, 70)
        ground(c, rng, 86, [SNOW, "#f3e8fb", "#eadcf7"], 0.8, 3, 0)
        for k in range(40):
            x, y = rng.uniform(0, 100), rng.uniform(88, 100)
            c.rect(x, y, x + 1.2, y + 0.45, rng.choice([RED, GREEN, YELLOW, BLUE, PINK]), None)
        # gumdrops and a gingerbread man
        for x, colour in ((18, RED), (30, GREEN), (70, PURPLE), (80, ORANGE)):
            c.chord(x, 92, 3.2, 3.5, 0, 180, colour)
        with c.at(40, 91):
            c.circle(0, -5, 2.6, gb)
            c.thick([(-4, -2), (4, -2)], gb, 180, INK)
            c.thick([(-2, 1), (-3, 5)], gb, 160, INK)
            c.thick([(2, 1), (3, 5)], gb, 160, INK)
            c.ellipse(0, 0, 2.6, 3, gb)
            c.circle(-0.9, -5.5, 0.35, BLACK, None)
            c.circle(0.9, -5.5, 0.35, BLACK, None)
            c.arc(0, -4.8, 1.2, 1, 200, 340, WHITE, 30)
            for k in range(2):
                c.circle(0, -1 + k * 1.6, 0.45, RED, None)


def penguins_picture(c):
    rng = random.Random(88)
    with c.at(scale=U):
        sky(c, ["#061a3a", "#0c2a5a", "#143f73", "#1f5a86", "#3f86a8"], 0, 56, 3,
            ["#2a0a3f", "#48145f", "#6a2a7f", "#8a4a96", "#a87fb0"])
        stars(c, rng, 70, 0, 0, 100, 40)
        for k, colour in enumerate(("#37d98f", "#5ee8a8", "#9a6be0")):
            pts = [(x, 10 + k * 4 + 6 * math.sin(x / 11 + k * 0.8)) for x in range(-2, 103, 4)]
            c.poly(pts + [(x, y + 5 - k) for x, y in reversed(pts)], colour, None)
        # icebergs on the horizon
        for x0, w, h in ((-4, 30, 18), (30, 18, 10), (60, 36, 22)):
            c.poly([(x0, 52), (x0 + w * 0.2, 52 - h * 0.7), (x0 + w * 0.45, 52 - h), (x0 + w * 0.7, 52 - h * 0.6),
                    (x0 + w, 52)], "#e6f4ff")
            c.poly([(x0 + w * 0.45, 52 - h), (x0 + w * 0.7, 52 - h * 0.6), (x0 + w, 52), (x0 + w * 0.5, 52)], "#b3d6f2",
                   None)
        # the sea
        c.bands(0, 52, 100, 70, gradient("#1f6fa8", "#3a9ad0", 6))
        for k in range(26):
            x, y = rng.uniform(0, 100), rng.uniform(53, 69)
            c.stroke([(x, y), (x + 2, y - 0.6), (x + 4, y)], "#a8dcf5", 30)
        # the ice floe
        floe = smooth([(-4, 74), (20, 68), (46, 70), (70, 66), (104, 70), (104, 104), (-4, 104)], True, 5)
        c.poly(floe, "#eef8ff")
        c.bands(0, 80, 100, 100, gradient("#eef8ff", "#cfe6f8", 5))
        for k in range(30):
            x, y = rng.uniform(0, 100), rng.uniform(74, 100)
            c.stroke([(x, y), (x + rng.uniform(2, 6), y + rng.uniform(-0.8, 0.8))], "#b6d6ef", 26)
        snow_texture(c, rng, 40, 0, 72, 100, 100, "#c6e0f5")
        # an ice hole with a fish
        c.ellipse(80, 90, 9, 3, "#2a84bf")
        c.ellipse(80, 89.3, 7.5, 2, "#3a9ad0", None)
        c.poly(smooth([(76, 86), (80, 84.5), (83, 86), (80, 87.5)], True, 3), ORANGE)
        c.poly([(83, 86), (85.5, 84.5), (85.5, 87.5)], ORANGE)
        penguin(c, 20, 92, 26, 1, RED)
        penguin(c, 42, 86, 20, -1, None, 0.08)
        penguin(c, 58, 94, 24, -1, BLUE)
        penguin(c, 31, 96, 12, 1, YELLOW)
        penguin(c, 68, 80, 13, 1, None, 0.1)
        c.circle(10, 97, 2.5, PINK)  # a ball in the snow
        c.stroke(arc_points(10, 97, 2.5, 2.5, 20, 160, 6), WHITE, 40)
        flakes(c, rng, 80)


PUZZLES = {
    "snowman.wmf": snowman_picture,
    "sleigh.wmf": sleigh_picture,
    "tree.wmf": tree_picture,
    "reindeer.wmf": reindeer_picture,
    "village.wmf": village_picture,
    "sledding.wmf": sledding_picture,
    "gingerbread.wmf": gingerbread_picture,
    "penguins.wmf": penguins_picture,
}
