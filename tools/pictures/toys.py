"""The fifteen toys of the memory game and the wrapped card back.

Every picture here is also a puzzle picture, so each is square, 975 twips a
side, and fills its square: the toy stands large in a setting of its own
(backdrops.py) that makes every piece of a puzzle differ. On the memory
game's card (65 by 57 pixels) the square sits in the middle with the card's
colour at its sides; bold shapes and outlines keep the toy readable there.
"""

import math
import random

import backdrops
from palette import *  # noqa: F401,F403
from scenery import shaded_grid
from wmf import INK, OUTLINE, arc_points, ellipse_points, mix, smooth, star_points

SIDE = 1950        # two units a twip
B = SIDE / 100.0   # the settings are designed on a grid 100 square
TOY = 0.86         # the toy's share of the picture's width
U = B * TOY        # the toys are designed on a grid 100 wide and 87.7 high


def wheel(c, x, y, r, hub=SILVER, tyre=BLACK, spokes=True):
    c.circle(x, y, r, tyre)
    c.circle(x, y, r * 0.72, SILVER if hub != SILVER else WHITE, INK, OUTLINE * 0.8)
    if spokes:
        for k in range(6):
            a = math.pi * k / 6
            c.stroke([(x - r * 0.7 * math.cos(a), y - r * 0.7 * math.sin(a)),
                      (x + r * 0.7 * math.cos(a), y + r * 0.7 * math.sin(a))], GREY, OUTLINE * 0.7)
    c.circle(x, y, r * 0.22, hub)


def highlight(c, x, y, rx, ry):
    c.ellipse(x, y, rx, ry, WHITE, None)


def ball(c):
    with c.at(scale=U):
        cx, cy, r = 50, 44.5, 38
        hub = (41, 30)
        colours = [RED, WHITE, BLUE, WHITE, GREEN, WHITE]
        cuts = [100, 150, 205, 262, 318, 20]
        for i, colour in enumerate(colours):
            a0, a1 = cuts[i], cuts[(i + 1) % len(cuts)]
            c.poly([hub] + arc_points(cx, cy, r, r, a0, a1), colour)
        c.circle(cx, cy, r, None)
        c.circle(hub[0], hub[1], 7, YELLOW)
        highlight(c, 62, 24, 6, 3.5)


def bike(c):
    with c.at(scale=U):
        for x in (22, 78):
            wheel(c, x, 60, 19)
        crank, seat, head = (48, 61), (40, 31), (70, 31)
        w = 4.2 * U
        c.thick([(22, 60), crank, seat, (22, 60)], RED, w)
        c.thick([seat, head, crank], RED, w)
        c.thick([(74, 22), head, (78, 60)], RED, w)
        c.thick([(68, 20), (80, 17)], BLACK, 3 * U)          # handlebar
        c.thick([(40, 31), (38, 24)], GREY, 2.5 * U)          # seat post
        c.poly(smooth([(29, 20), (44, 19), (47, 23), (38, 26), (30, 25)]), BLACK)
        c.circle(*crank, 5, SILVER)
        c.thick([(48, 61), (53, 69)], BLACK, 2 * U)
        c.rect(50, 68, 58, 71.5, BLACK)


def trike(c):
    with c.at(scale=U):
        wheel(c, 15, 66, 11, hub=RED)                      # the far rear wheel
        c.thick([(15, 66), (33, 70)], GREY, 3 * U)          # rear axle
        c.thick([(33, 70), (44, 44), (62, 26)], RED, 5 * U)
        wheel(c, 33, 70, 12, hub=RED)
        c.thick([(60, 22), (70, 64)], RED, 4.5 * U)         # fork
        wheel(c, 70, 63, 21, hub=YELLOW, spokes=True)
        c.thick([(52, 18), (64, 20)], BLUE, 3.5 * U)       # handlebar
        c.poly(smooth([(34, 38), (50, 36), (54, 42), (42, 46), (34, 44)]), BLUE)  # seat
        c.circle(70, 63, 5, YELLOW)
        c.thick([(70, 63), (78, 70)], BLACK, 2.2 * U)
        c.rect(75, 69, 84, 73, BLACK)


def duck(c):
    with c.at(scale=U):
        body = smooth([(8, 36), (18, 48), (40, 48), (60, 46), (82, 52), (86, 64), (76, 78),
                       (50, 82), (24, 78), (10, 64), (8, 48)])
        c.poly(body, YELLOW)
        c.poly(smooth([(28, 58), (44, 52), (60, 56), (54, 68), (36, 70)]), GOLD)  # wing
        c.circle(66, 30, 18, YELLOW)
        c.poly(smooth([(80, 30), (94, 33), (96, 38), (90, 42), (80, 41)]), ORANGE)  # beak
        c.stroke([(82, 37), (93, 37)], INK)
        c.circle(70, 25, 4.2, BLACK, None)
        c.circle(71.3, 23.7, 1.5, WHITE, None)
        c.ellipse(60, 36, 4, 2.5, ORANGE, None)  # cheek
        highlight(c, 58, 18, 5, 2.5)


def buggy(c):
    with c.at(scale=U):
        c.thick([(30, 62), (62, 74)], GREY, 2.2 * U)
        c.thick([(62, 62), (30, 74)], GREY, 2.2 * U)
        for x in (28, 66):
            wheel(c, x, 74, 11.5, hub=SKY)
        c.thick([(74, 34), (88, 12)], GREY, 2.6 * U)      # handle
        c.thick([(84, 11), (94, 14)], BLACK, 3.2 * U)
        c.chord(48, 34, 34, 28, 180, 360, SKY)             # the basket
        c.rect(14, 32, 82, 37, WHITE)
        c.pie(46, 36, 30, 30, 90, 180, NAVY)               # the hood
        for a in (112, 135, 158):
            c.stroke([(46, 36), (46 + 30 * math.cos(math.radians(a)), 36 - 30 * math.sin(math.radians(a)))],
                     WHITE, 1.6 * U)
        c.pie(46, 36, 30, 30, 90, 180, None)
        c.circle(46, 36, 4, WHITE)
        for x in (30, 42, 54, 66):
            c.circle(x, 48, 2.2, WHITE, None)


def wagon(c):
    with c.at(scale=U):
        c.thick([(70, 48), (92, 20)], GREY, 2.8 * U)      # handle
        c.thick([(86, 18), (98, 22)], BLACK, 3.5 * U)
        c.poly([(8, 30), (76, 30), (72, 60), (12, 60)], RED)
        c.rect(8, 30, 76, 36, DARK_RED)
        c.rect(16, 42, 66, 44.5, WHITE, None)
        for x in (24, 62):
            wheel(c, x, 64, 13, hub=RED)


def doll(c):
    with c.at(scale=U):
        c.circle(31, 26, 8, BROWN)                          # bunches
        c.circle(69, 26, 8, BROWN)
        c.circle(31, 16, 3.5, PINK)
        c.circle(69, 16, 3.5, PINK)
        c.thick([(44, 46), (34, 62)], SKIN, 3.6 * U)        # arms
        c.thick([(56, 46), (66, 62)], SKIN, 3.6 * U)
        c.thick([(44, 70), (44, 80)], WHITE, 4 * U)         # legs
        c.thick([(56, 70), (56, 80)], WHITE, 4 * U)
        c.ellipse(42, 83, 5.5, 3, RED)
        c.ellipse(58, 83, 5.5, 3, RED)
        c.poly(smooth([(42, 42), (58, 42), (62, 56), (72, 74), (28, 74), (38, 56)]), PINK)  # dress
        c.poly([(42, 42), (58, 42), (50, 50)], WHITE)        # collar
        for x in (40, 50, 60):
            c.circle(x, 66, 2, WHITE, None)
        c.circle(50, 28, 15, SKIN)
        c.chord(50, 28, 15, 15, 15, 165, BROWN)              # fringe
        c.circle(44.5, 29, 2.4, BLACK, None)
        c.circle(55.5, 29, 2.4, BLACK, None)
        c.circle(41, 34, 2.6, CHEEK, None)
        c.circle(59, 34, 2.6, CHEEK, None)
        c.arc(50, 31, 5, 4.5, 200, 340, INK)


def drum(c):
    with c.at(scale=U):
        c.thick([(18, 6), (52, 30)], TAN, 3 * U)             # sticks
        c.thick([(82, 6), (48, 30)], TAN, 3 * U)
        c.circle(18, 6, 4, RED)
        c.circle(82, 6, 4, RED)
        cx, rx, ry, top, bottom = 50, 33, 10, 36, 70
        c.poly([(cx - rx, top)] + arc_points(cx, bottom, rx, ry, 180, 360) + [(cx + rx, top)], RED)
        c.poly(arc_points(cx, bottom, rx, ry, 180, 360) + arc_points(cx, bottom - 7, rx, ry, 180, 360)[::-1],
               BLUE)
        c.poly(arc_points(cx, top + 7, rx, ry, 180, 360) + arc_points(cx, top, rx, ry, 180, 360)[::-1], BLUE)
        zig = []
        for k in range(9):
            t = math.pi * (k + 0.5) / 9
            zig.append((cx - rx * math.cos(t), (top + 7 + ry * math.sin(t) + 2) if k % 2 == 0
                        else (bottom - 7 + ry * math.sin(t) - 2)))
        c.thick(zig, WHITE, 2 * U)
        c.ellipse(cx, top, rx, ry, CREAM)


def horse(c):
    with c.at(scale=U):
        c.poly(arc_points(50, 40, 46, 44, 200, 340, 24) + arc_points(50, 36, 42, 42, 202, 338, 24)[::-1],
               YELLOW)
        for x0, x1 in ((34, 26), (40, 40), (60, 60), (66, 74)):
            c.thick([(x0, 50), (x1, 74)], CREAM, 4.5 * U)
        c.poly(smooth([(24, 42), (14, 46), (8, 58), (14, 60), (22, 52)]), DARK_BROWN)  # tail
        c.ellipse(50, 46, 28, 12, CREAM)
        neck = smooth([(62, 42), (64, 24), (72, 12), (84, 12), (96, 24), (94, 30), (84, 28), (78, 34), (76, 44)])
        c.poly(neck, CREAM)
        c.poly([(74, 9), (64, 12), (67, 16), (59, 20), (63, 24), (56, 29), (61, 32), (56, 38), (63, 40), (67, 24)],
               DARK_BROWN)  # mane
        c.poly([(74, 13), (76, 4), (80, 12)], CREAM)           # ear
        c.circle(82, 19, 2.3, BLACK, None)
        c.circle(93, 26, 1.3, BLACK, None)
        c.rect(40, 34, 56, 42, BLUE)                         # saddle
        c.rect(44, 42, 52, 52, RED)
        c.thick([(68, 24), (86, 27)], RED, 1.5 * U)          # bridle


def block(c):
    with c.at(scale=U):
        def cube(x, y, s, front, top, side, letter):
            d = s * 0.3
            c.poly([(x, y), (x + d, y - d * 0.8), (x + s + d, y - d * 0.8), (x + s, y)], top)
            c.poly([(x + s, y), (x + s + d, y - d * 0.8), (x + s + d, y + s - d * 0.8), (x + s, y + s)], side)
            c.rect(x, y, x + s, y + s, front)
            with c.at(x + s / 2, y + s / 2, s / 30):
                letter()

        w = 3.6 * U

        def a():
            c.thick([(-7, 10), (0, -10), (7, 10)], WHITE, w)
            c.thick([(-4, 3), (4, 3)], WHITE, w)

        def b():
            c.thick([(-6, -10), (-6, 10)] + [(p[0], p[1]) for p in arc_points(0, 5, 7, 5, 270, 450, 8)]
                    + [(-6, 0)] + arc_points(-1, -5, 6, 5, 270, 450, 8)[::-1] + [(-6, -10)], WHITE, w)

        def cc():
            c.thick(arc_points(0, 0, 9, 10, 40, 320, 14), WHITE, w)

        cube(8, 48, 32, RED, "#ff8a80", DARK_RED, a)
        cube(48, 48, 32, BLUE, "#8fb6ff", NAVY, b)
        cube(28, 14, 32, GREEN, LIGHT_GREEN, DARK_GREEN, cc)


def top(c):
    with c.at(scale=U):
        for side in (-1, 1):
            c.arc(50 + side * 2, 46, 44, 22, 110 if side < 0 else -30, 210 if side < 0 else 70, WHITE, 1.6 * U)

        def half_width(y):
            if y <= 40:
                t = (y - 22) / 18.0
                return 6 + 30 * math.sin(t * math.pi / 2)
            t = min(1.0, (y - 40) / 38.0)
            return 36 * (1 - t) ** 1.3 + 1.5

        bands = [(22, 30, YELLOW), (30, 40, BLUE), (40, 50, WHITE), (50, 62, GREEN), (62, 79, YELLOW)]
        for y0, y1, colour in bands:
            ys = [y0 + (y1 - y0) * k / 8 for k in range(9)]
            left = [(50 - half_width(y), y) for y in ys]
            right = [(50 + half_width(y), y) for y in reversed(ys)]
            c.poly(left + right, colour)
        c.thick([(50, 4), (50, 22)], BLUE, 4 * U)
        c.circle(50, 5, 4, RED)
        c.poly([(47, 78), (53, 78), (50, 86)], GREY)
        for x in (36, 48, 60):
            c.circle(x, 45, 2.3, RED, None)


def skate(c):
    with c.at(scale=U):
        c.thick([(10, 74), (80, 74), (88, 68), (88, 62)], SILVER, 3 * U)  # blade
        c.thick([(24, 62), (24, 73)], GREY, 3 * U)
        c.thick([(68, 62), (68, 73)], GREY, 3 * U)
        boot = smooth([(22, 6), (46, 6), (48, 34), (62, 40), (78, 46), (84, 56), (82, 63), (18, 63), (14, 50),
                       (18, 26)])
        c.poly(boot, WHITE)
        c.rect(14, 56, 30, 64, BLACK)                                  # heel
        c.poly([(30, 59), (82, 59), (84, 64), (30, 64)], BLACK, None)  # sole
        c.poly(smooth([(22, 6), (46, 6), (46, 14), (22, 14)]), PINK)   # cuff
        for k in range(4):
            y = 20 + 7 * k
            c.stroke([(36 + 3 * k, y), (48 + 3 * k, y + 6)], BLUE, 1.4 * U)
            c.stroke([(36 + 3 * k, y + 6), (48 + 3 * k, y)], BLUE, 1.4 * U)
        c.circle(18, 10, 5, PINK)  # pompom


def yoyo(c):
    with c.at(scale=U):
        c.thick([(50, 50), (52, 8)], WHITE, 1.4 * U)                 # string
        c.circle(52, 6, 4.5, None, WHITE, 1.6 * U)
        c.circle(53, 52, 32, DARK_RED)                               # the far half
        c.circle(49, 52, 32, RED)
        c.circle(49, 52, 22, ORANGE)
        c.circle(49, 52, 12, RED)
        c.circle(49, 52, 5, YELLOW)
        c.arc(49, 52, 27, 27, 100, 160, WHITE, 2.2 * U)


def jack(c):
    with c.at(scale=U):
        c.poly([(20, 54), (34, 46), (84, 46), (70, 54)], NAVY)         # the box's opening
        c.poly([(34, 46), (36, 22), (86, 22), (84, 46)], BLUE)        # the open lid
        c.thick([(50, 56)] + [(50 + (6 if k % 2 else -6), 52 - 4 * k) for k in range(1, 7)] + [(50, 24)],
                SILVER, 2.5 * U)                                        # spring
        c.poly([(20, 54), (70, 54), (70, 86), (20, 86)], RED)          # front
        c.poly([(70, 54), (84, 46), (84, 78), (70, 86)], DARK_RED)     # side
        c.poly(star_points(45, 70, 11, 4.5), WHITE)
        c.poly([(p[0], p[1]) for p in ellipse_points(50, 32, 16, 5, 14)], WHITE)  # collar
        c.circle(50, 20, 12, SKIN)
        c.poly([(38, 14), (50, 0), (62, 14)], GREEN)              # hat
        c.circle(50, 1.5, 3.2, YELLOW)
        c.circle(46, 18, 1.8, BLACK, None)
        c.circle(54, 18, 1.8, BLACK, None)
        c.circle(50, 22, 3.2, RED)
        c.arc(50, 23, 6, 5, 200, 340, INK)


def bear(c):
    with c.at(scale=U):
        for x in (32, 68):
            c.circle(x, 11, 8, BROWN)
            c.circle(x, 11, 4.2, TAN, None)
        c.ellipse(22, 60, 7, 12, BROWN)       # arms
        c.ellipse(78, 60, 7, 12, BROWN)
        c.ellipse(50, 64, 21, 21, BROWN)      # body
        c.ellipse(50, 67, 12, 13, TAN, None)
        c.circle(33, 80, 8.5, BROWN)          # feet
        c.circle(67, 80, 8.5, BROWN)
        c.circle(33, 80, 4.5, TAN, None)
        c.circle(67, 80, 4.5, TAN, None)
        c.circle(50, 26, 20, BROWN)           # head
        c.ellipse(50, 33, 9, 7, TAN)
        c.ellipse(50, 29.5, 3.8, 2.6, BLACK, None)
        c.arc(50, 33, 4, 3.5, 200, 340, INK)
        c.circle(42, 21, 2.6, BLACK, None)
        c.circle(58, 21, 2.6, BLACK, None)
        c.poly([(50, 46), (39, 40), (39, 52)], RED)  # bow
        c.poly([(50, 46), (61, 40), (61, 52)], RED)
        c.circle(50, 46, 3, DARK_RED)


def gift(c):
    """The card back: a present seen from above, its paper filling the card.

    The paper darkens from one corner to the other, the pattern changes colour
    row by row and the ribbon crosses off the middle, with a tag and a sprig
    of holly in two corners, so that no two pieces of the puzzle match."""
    with c.at(scale=B):
        def paper(fx, fy):
            return mix(mix("#ff5a3c", "#e0206e", fx), "#7a0f3a", 0.55 * fy)

        shaded_grid(c, 0, 0, 100, 100, 20, 14, paper)
        spots = [WHITE, YELLOW, "#a8f08a", WHITE, "#9fe0ff", YELLOW, "#ffc0e0", WHITE]
        for row in range(8):
            for col in range(8):
                x = 6 + col * 12.5 + (6 if row % 2 else 0)
                y = 6 + row * 12.5
                if abs(x - 44) < 9 or abs(y - 58) < 9 or x > 100:
                    continue
                c.poly(star_points(x, y, 3.4 - 0.15 * row, 1.4, 5, -90 + 12 * col), spots[row], None)
        def ribbon(fx, fy):
            return mix(mix("#ffe066", "#f2a91b", fy), "#d98a10", 0.4 * fx)

        shaded_grid(c, 37, 0, 51, 100, 1, 10, ribbon)
        shaded_grid(c, 0, 51, 100, 65, 10, 1, ribbon)
        c.rect(37, -1, 51, 101, None)
        c.rect(-1, 51, 101, 65, None)
        for a in (160, 25):
            with c.at(44, 58, rotate=-a):
                c.ellipse(15, 0, 15, 9, YELLOW)
                c.ellipse(16, 0, 7, 3.5, GOLD, None)
        c.poly([(40, 62), (30, 86), (36, 84), (38, 90), (44, 64)], YELLOW)
        c.poly([(48, 62), (60, 82), (54, 82), (53, 88), (44, 64)], YELLOW)
        c.circle(44, 58, 6, GOLD)
        # the tag, hanging from the ribbon in the top right corner
        c.stroke([(51, 30), (70, 18), (78, 14)], INK, OUTLINE)
        with c.at(84, 14, rotate=18):
            c.poly([(-7, -4), (5, -5), (9, 0), (5, 5), (-7, 4)], CREAM)
            c.circle(6, 0, 1.2, WHITE)
            c.poly(smooth([(-1, 3), (-4.5, -0.5), (-3, -3), (-1, -1.6), (1, -3), (2.5, -0.5)], True, 3), RED, None)
        # holly in the bottom right corner
        for a in (200, 250, 300):
            with c.at(86, 88, rotate=-a):
                c.poly(smooth([(0, 0), (6, -3), (12, -1), (16, 0), (12, 1), (6, 3)], True, 3), GREEN)
        for dx, dy in ((-1.5, 0), (1.8, -1), (0.5, 2)):
            c.circle(86 + dx, 88 + dy, 2, RED)
        c.rect(0.5, 0.5, 99.5, 99.5, None)


def standing_in(setting, draw, seed, **look):
    """The toy standing large in front of its setting, its feet near the bottom."""
    def picture(c):
        with c.at(scale=B):
            setting(c, random.Random(seed), **look)
        with c.at((100 - 100 * TOY) / 2 * B, (96 - 87.7 * TOY) * B):
            draw(c)
    return picture


def in_room(draw, seed, **look):
    return standing_in(backdrops.playroom, draw, seed, **look)


def in_park(draw, seed, **look):
    return standing_in(backdrops.park, draw, seed, **look)


WOOD = ("#f0c48a", "#c98a4e")
PALE_WOOD = ("#f6dcb0", "#d8aa72")

TOYS = {
    "ball.wmf": in_room(ball, 1, wall=("#fff6c2", "#ffd98f"), shade="#f4a35c", spot=ORANGE, pattern="dots",
                        floor=WOOD, rug=(BLUE, SKY), flags=0, window_side="left", items=("books", "yarn")),
    "bike.wmf": in_park(bike, 2, sky=("#ffd9a8", "#58b4f5"), horizon="#eaf7ff", sun_side="right",
                        hills=("#a9cdea", "#d2e6f7"), ground=("#fffaf0", "#c7daf2"), path="#d7c6ae", flags=2,
                        items=("car", "present")),
    "trike.wmf": in_park(trike, 3, sky=("#ffe9a0", "#7cc6ff"), horizon="#f2fbff", sun_side="left",
                         hills=("#b7d3ee", "#dcebfa"), ground=("#fffbe8", "#cddff4"), path="#c8b8d8", flags=5,
                         items=("ball", "present")),
    "duck.wmf": in_room(duck, 4, wall=("#d6f1ff", "#9fd2f5"), shade="#4f86c8", spot=WHITE, pattern="flakes",
                        floor=("#e9f3fb", "#b9d0e6"), rug=(YELLOW, ORANGE), flags=4, window_side="right",
                        items=("boat", "ball")),
    "buggy.wmf": in_room(buggy, 5, wall=("#ffe0ef", "#f7b3d6"), shade="#c2569a", spot=WHITE, pattern="hearts",
                         floor=PALE_WOOD, rug=(PURPLE, "#c9a3f0"), flags=6, window_side="left",
                         items=("present", "slippers")),
    "wagon.wmf": in_park(wagon, 6, sky=("#ffc9b0", "#4fa4ea"), horizon="#e3f3ff", sun_side="left",
                         hills=("#9fc3e4", "#cfe3f6"), ground=("#fff6ec", "#c3d7f0"), path="#d9b98c", flags=1,
                         items=("present", "car")),
    "doll.wmf": in_room(doll, 7, wall=("#efe2ff", "#cdb3f2"), shade="#8a62c8", spot=PINK, pattern="hearts",
                        floor=WOOD, rug=(GREEN, LIGHT_GREEN), flags=3, window_side="right",
                        items=("books", "present")),
    "drum.wmf": in_room(drum, 8, wall=("#e4ffd8", "#b4e6a0"), shade="#4f9a5a", spot=YELLOW, pattern="stars",
                        floor=PALE_WOOD, rug=(RED, "#ff9a8a"), flags=7, window_side="left",
                        items=("yarn", "car"), night=True),
    "horse.wmf": in_room(horse, 9, wall=("#fff0dc", "#ffc99a"), shade="#d9703a", spot=RED, pattern="diamonds",
                         floor=WOOD, rug=(BLUE, "#9fc0ff"), flags=1, window_side="right",
                         items=("present", "books")),
    "block.wmf": in_room(block, 10, wall=("#dcfff4", "#a6ead6"), shade="#3f9f8a", spot=ORANGE, pattern="dots",
                         floor=PALE_WOOD, rug=(PURPLE, PINK), flags=2, window_side="left",
                         items=("ball", "slippers")),
    "top.wmf": in_room(top, 11, wall=("#e3ecff", "#aec3f5"), shade="#3f5fb0", spot=YELLOW, pattern="stars",
                       floor=WOOD, rug=(ORANGE, YELLOW), flags=5, window_side="right", items=("car", "yarn"),
                       night=True),
    "skate.wmf": in_park(skate, 12, sky=("#ffd0e8", "#6f9ff0"), horizon="#f0f6ff", sun_side="right",
                         hills=("#b4c8ee", "#d9e4fa"), ground=("#fffafd", "#cbd8f2"), path=("#b8ecff", "#d8c8f8"),
                         flags=6, items=("present", "ball"), rink=True),
    "yoyo.wmf": in_room(yoyo, 13, wall=("#fff9d6", "#f2de8f"), shade="#c9962f", spot=BLUE, pattern="diamonds",
                        floor=("#e6f0fa", "#a9c2de"), rug=(GREEN, LIGHT_GREEN), flags=4, window_side="left",
                        items=("boat", "books")),
    "jack.wmf": in_room(jack, 14, wall=("#ffe3e3", "#f5b0b0"), shade="#c44a4a", spot=WHITE, pattern="stars",
                        floor=PALE_WOOD, rug=(BLUE, SKY), flags=0, window_side="right",
                        items=("yarn", "present")),
    "bear.wmf": in_room(bear, 15, wall=("#fff1e0", "#f3cfa5"), shade="#b27a48", spot=GREEN, pattern="dots",
                        floor=WOOD, rug=(RED, "#ffb0a0"), flags=3, window_side="left", items=("slippers", "ball"),
                        night=True),
    "gift.wmf": gift,
}
