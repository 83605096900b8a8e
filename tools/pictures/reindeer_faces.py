"""The nine reindeer behind the barn doors of Where's Rudolph.

A child peeks at the open doors and must remember who stands where, so each
reindeer looks like no other at a glance, without reading its name: its own
coat, antlers, hat and neckwear, and a tilt of the head or a face of its own.
Only Rudolph has the shining red nose.

Each is an SVG of the door's size (105 by 97 pixels), the reindeer's head and
shoulders in a stall.
"""

import math

INK = "#3a2418"


def _ellipse(cx, cy, rx, ry, fill, extra=""):
    return f'<ellipse cx="{cx:g}" cy="{cy:g}" rx="{rx:g}" ry="{ry:g}" fill="{fill}"{extra}/>'


def _circle(cx, cy, r, fill, extra=""):
    return f'<circle cx="{cx:g}" cy="{cy:g}" r="{r:g}" fill="{fill}"{extra}/>'


OUTLINE = f' stroke="{INK}" stroke-width="1.2"'

ANTLERS = {
    # branching, as most reindeer wear them
    "tall": ["M44 30 Q37 16 31 5", "M39 20 Q30 19 24 13", "M35 12 Q37 6 40 2",
             "M61 30 Q68 16 74 5", "M66 20 Q75 19 81 13", "M70 12 Q68 6 65 2"],
    # short and young
    "small": ["M45 30 Q41 22 37 15", "M42 24 Q37 23 34 20", "M60 30 Q64 22 68 15", "M63 24 Q68 23 71 20"],
    # wide, with many points
    "big": ["M44 30 Q32 18 18 12", "M36 22 Q33 12 35 3", "M28 17 Q22 8 22 2", "M24 14 Q14 16 9 20",
            "M61 30 Q73 18 87 12", "M69 22 Q72 12 70 3", "M77 17 Q83 8 83 2", "M81 14 Q91 16 96 20"],
    # like lightning
    "zigzag": ["M44 30 L37 22 L42 17 L33 6", "M61 30 L68 22 L63 17 L72 6"],
    # curled round at the tips
    "curly": ["M44 30 Q34 20 36 10 Q38 2 45 5 Q49 8 44 12",
              "M61 30 Q71 20 69 10 Q67 2 60 5 Q56 8 61 12"],
    # swept back, for speed
    "swept": ["M45 30 Q36 22 22 18", "M36 24 Q30 14 22 10", "M60 30 Q69 22 83 18", "M69 24 Q75 14 83 10"],
}


def antlers(style, colour):
    paths = " ".join(ANTLERS[style])
    return (f'<path d="{paths}" stroke="{INK}" stroke-width="6" stroke-linecap="round" '
            f'stroke-linejoin="round" fill="none"/>'
            f'<path d="{paths}" stroke="{colour}" stroke-width="3.8" stroke-linecap="round" '
            f'stroke-linejoin="round" fill="none"/>')


def eyes(kind):
    out = []
    if kind == "happy":  # closed, smiling
        for x in (45.5, 59.5):
            out.append(f'<path d="M{x - 4} 42 Q{x} 37 {x + 4} 42" stroke="#1a1a40" stroke-width="2" '
                       'fill="none" stroke-linecap="round"/>')
        return out
    for k, x in enumerate((45.5, 59.5)):
        if kind == "wink" and k == 1:
            out.append(f'<path d="M{x - 4} 41 Q{x} 44 {x + 4} 41" stroke="#1a1a40" stroke-width="2" '
                       'fill="none" stroke-linecap="round"/>')
            continue
        out.append(_circle(x, 41, 4.3, "#ffffff"))
        out.append(_circle(x + (0.5 if k == 0 else -0.5), 41.8, 2.5, "#1a1a40"))
        out.append(_circle(x + (1.4 if k == 0 else 0.4), 40.8, 0.9, "#ffffff"))
        if kind == "lashes":
            side = -1 if k == 0 else 1
            out.append(f'<path d="M{x + side * 3} 37.5 L{x + side * 5.5} 35 M{x + side * 4.3} 39 '
                       f'L{x + side * 7} 37.5" stroke="#1a1a40" stroke-width="1.2" stroke-linecap="round"/>')
        if kind == "brows":
            out.append(f'<path d="M{x - 4.5} {35 if k == 0 else 33.5} L{x + 4.5} {33.5 if k == 0 else 35}" '
                       'stroke="#1a1a40" stroke-width="2.2" stroke-linecap="round"/>')
    return out


def mouth(kind):
    if kind == "laugh":
        return ['<path d="M46.5 57.5 Q52.5 67 58.5 57.5 Z" fill="#7a2a2a" stroke="#5a3018" stroke-width="1.2"/>',
                _ellipse(52.5, 62, 3, 1.8, "#ff7a8a")]
    if kind == "grin":
        return ['<path d="M46 57.5 Q52.5 64 59 57.5" stroke="#5a3018" stroke-width="1.6" fill="none" '
                'stroke-linecap="round"/>',
                '<path d="M56 60 Q58 64 60.5 61.5" fill="#ff7a8a" stroke="#5a3018" stroke-width="1"/>']
    return ['<path d="M47.5 58.5 Q52.5 63 57.5 58.5" stroke="#5a3018" stroke-width="1.4" fill="none" '
            'stroke-linecap="round"/>']


def nose(glowing):
    if glowing:
        return [_circle(52.5, 51.5, 10, "#ff5a5a", ' opacity="0.3"'), _circle(52.5, 51.5, 7, "#ff3a3a",
                ' opacity="0.4"'), _circle(52.5, 51.5, 5.2, "#ff1e1e", OUTLINE),
                _circle(51, 50, 1.5, "#ffffff", ' opacity="0.85"')]
    return [_ellipse(52.5, 51.5, 4.2, 3.2, "#2a1a14"), _circle(51.2, 50.4, 1, "#ffffff", ' opacity="0.6"')]


def headwear(kind):
    if kind == "star":  # a gold star between the antlers
        pts = []
        for i in range(10):
            r = 9 if i % 2 == 0 else 4
            a = math.radians(-90 + 36 * i)
            pts.append(f"{52.5 + r * math.cos(a):.1f},{17 + r * math.sin(a):.1f}")
        return [f'<polygon points="{" ".join(pts)}" fill="#ffd23f" stroke="#b8860b" stroke-width="1.2"/>',
                '<path d="M44 17 Q33 22 28 18 M61 17 Q72 22 77 18" stroke="#ffe98a" stroke-width="1.4" '
                'fill="none"/>']
    if kind == "bow":  # a big pink bow on top of the head
        return ['<path d="M52.5 28 L38 20 L39 35 Z M52.5 28 L67 20 L66 35 Z" fill="#ff6fae"' + OUTLINE + '/>',
                _circle(52.5, 28, 3.6, "#ff3f8e", OUTLINE)]
    if kind == "cap":  # a blue cap with a lightning bolt
        return ['<path d="M37 33 Q37 18 52.5 18 Q68 18 68 33 Z" fill="#2f6fe0"' + OUTLINE + '/>',
                '<path d="M60 31 Q74 30 80 34 Q70 36 60 34 Z" fill="#1f3a8a"' + OUTLINE + '/>',
                '<path d="M53 20 L48 27 L53 27 L49 33 L58 25 L53 25 L56 20 Z" fill="#ffd23f"/>']
    if kind == "beanie":  # a purple bobble hat
        return ['<path d="M36 34 Q36 15 52.5 15 Q69 15 69 34 Z" fill="#8a4fd8"' + OUTLINE + '/>',
                '<rect x="35" y="29" width="35" height="6" rx="3" fill="#c9a3f0"' + OUTLINE + '/>',
                _circle(52.5, 13, 5, "#ffffff", OUTLINE)]
    if kind == "goggles":  # flying goggles pushed up on the forehead
        return ['<path d="M36 31 H69" stroke="#5e3418" stroke-width="3"/>',
                _circle(45.5, 31, 5.2, "#6cc4ff", ' stroke="#5e3418" stroke-width="2.4"'),
                _circle(59.5, 31, 5.2, "#6cc4ff", ' stroke="#5e3418" stroke-width="2.4"'),
                _circle(44, 29.5, 1.4, "#ffffff")]
    if kind == "flowers":  # a crown of flowers
        out = ['<path d="M36 31 Q52.5 22 69 31" stroke="#2fb344" stroke-width="2.4" fill="none"/>']
        for k, (x, colour) in enumerate(((37, "#ff7eb6"), (44, "#ffd21f"), (52.5, "#6cc4ff"), (61, "#ff7eb6"),
                                         (68, "#ffd21f"))):
            y = 31 - 8 * math.sin(math.pi * (x - 36) / 33) * 0.9
            for p in range(5):
                a = 2 * math.pi * p / 5
                out.append(_circle(x + 2.4 * math.cos(a), y + 2.4 * math.sin(a), 2, colour))
            out.append(_circle(x, y, 1.4, "#ffffff" if k % 2 else "#ff8a1c"))
        return out
    if kind == "tophat":  # a black top hat with a red band
        return ['<rect x="41" y="9" width="23" height="20" fill="#2a2838"' + OUTLINE + '/>',
                '<rect x="41" y="22" width="23" height="4" fill="#e8302a"/>',
                '<rect x="35" y="28" width="35" height="4" rx="2" fill="#2a2838"' + OUTLINE + '/>']
    if kind == "earmuffs":  # orange earmuffs over the head
        return ['<path d="M33 37 Q33 19 52.5 19 Q72 19 72 37" stroke="#9aa3b5" stroke-width="3" fill="none"/>',
                _circle(32, 38, 6.5, "#ff8a1c", OUTLINE), _circle(73, 38, 6.5, "#ff8a1c", OUTLINE),
                _circle(30.5, 36.5, 2, "#ffc070"), _circle(71.5, 36.5, 2, "#ffc070")]
    return []


def neckwear(kind, colour):
    if kind == "scarf":
        return [f'<rect x="33" y="63" width="39" height="8" rx="4" fill="{colour}"' + OUTLINE + '/>',
                f'<rect x="61" y="67" width="8" height="16" rx="3" fill="{colour}"' + OUTLINE + '/>',
                '<path d="M39 63 V71 M46 63 V71 M61 75 H69" stroke="#ffffff" stroke-width="1.6" opacity="0.8"/>']
    if kind == "flying scarf":  # blown out sideways, for speed
        return [f'<rect x="33" y="63" width="39" height="8" rx="4" fill="{colour}"' + OUTLINE + '/>',
                f'<path d="M68 65 Q84 58 100 64 L98 70 Q84 66 70 71 Z" fill="{colour}"' + OUTLINE + '/>',
                '<path d="M86 61 L85 68 M93 62 L92 68" stroke="#ffffff" stroke-width="1.6"/>']
    if kind == "zigzag scarf":
        return [f'<rect x="33" y="63" width="39" height="8" rx="4" fill="{colour}"' + OUTLINE + '/>',
                '<path d="M35 67 L39 64 L43 70 L47 64 L51 70 L55 64 L59 70 L63 64 L67 70 L70 66" '
                'stroke="#2a2838" stroke-width="1.6" fill="none"/>']
    if kind == "stripes":
        out = [f'<rect x="33" y="63" width="39" height="8" rx="4" fill="#ffffff"' + OUTLINE + '/>']
        for x in (36, 44, 52, 60, 68):
            out.append(f'<rect x="{x}" y="63.5" width="4" height="7" fill="{colour}"/>')
        out.append(f'<rect x="61" y="67" width="8" height="16" rx="3" fill="{colour}"' + OUTLINE + '/>')
        return out
    if kind == "heart":
        return [f'<path d="M35 63 Q52.5 72 70 63" stroke="{colour}" stroke-width="3" fill="none"/>',
                '<path d="M52.5 79 L45.5 71.5 Q43.5 66 48.5 65.5 Q51.5 65.5 52.5 68.5 Q53.5 65.5 56.5 65.5 '
                'Q61.5 66 59.5 71.5 Z" fill="#ff3f8e"' + OUTLINE + '/>']
    if kind == "ruff":  # a frilly collar
        out = []
        for k in range(9):
            x = 34 + k * 4.6
            out.append(_circle(x, 67 + 1.5 * math.sin(k), 3.6, colour if k % 2 else "#ffffff", OUTLINE))
        return out
    if kind == "bowtie":
        return [f'<path d="M52.5 67 L42 61 L42 73 Z M52.5 67 L63 61 L63 73 Z" fill="{colour}"' + OUTLINE + '/>',
                _circle(52.5, 67, 2.8, colour, OUTLINE)]
    return []


def bell():
    return [_circle(52.5, 75, 4.2, "#ffd23f", ' stroke="#b8860b" stroke-width="1"'), _circle(52.5, 76.6, 1, "#8a5a00")]


REINDEER = {
    "comet": dict(coat="#aeb6c6", muzzle="#eef1f7", ear="#d9dde8", antler="#f2e3b3", antlers="tall", tilt=0,
                  eyes="open", mouth="smile", hat="star", neck="scarf", neck_colour="#3b74d6", bell=True),
    "cupid": dict(coat="#dba58a", muzzle="#fbe3d6", ear="#ffc0cf", antler="#8a5a3a", antlers="small", tilt=-9,
                  eyes="lashes", mouth="smile", hat="bow", neck="heart", neck_colour="#ff3f8e", bell=False),
    "blitzen": dict(coat="#5a3520", muzzle="#c99a70", ear="#d98f70", antler="#e0c080", antlers="zigzag", tilt=5,
                    eyes="brows", mouth="grin", hat="cap", neck="zigzag scarf", neck_colour="#ffd23f",
                    bell=False),
    "vixen": dict(coat="#cc5f26", muzzle="#fff4e8", ear="#ffe0cc", antler="#7a4a22", antlers="curly", tilt=9,
                  eyes="wink", mouth="grin", hat="beanie", neck="stripes", neck_colour="#8a4fd8", bell=False),
    "dasher": dict(coat="#d9a441", muzzle="#fff2cc", ear="#f4c3a4", antler="#7a4a22", antlers="swept", tilt=-5,
                   eyes="open", mouth="grin", hat="goggles", neck="flying scarf", neck_colour="#e8302a",
                   bell=False),
    "dancer": dict(coat="#f5eddf", muzzle="#ffffff", ear="#ffc6d6", antler="#b08050", antlers="small", tilt=12,
                   eyes="happy", mouth="smile", hat="flowers", neck="ruff", neck_colour="#ff7eb6", bell=False),
    "prancer": dict(coat="#8a4f2a", muzzle="#f0d2b0", ear="#e8a58a", antler="#5e3418", antlers="tall", tilt=-4,
                    eyes="open", mouth="smile", hat="tophat", neck="bowtie", neck_colour="#e8302a", bell=False,
                    spots=True),
    "donner": dict(coat="#8c8580", muzzle="#ddd6ce", ear="#d8b8b0", antler="#6a4020", antlers="big", tilt=0,
                   eyes="open", mouth="laugh", hat="earmuffs", neck="scarf", neck_colour="#19a5a0", bell=False),
    "rudolph": dict(coat="#a5693a", muzzle="#f3d7b0", ear="#f4b7a4", antler="#7a4a22", antlers="small", tilt=5,
                    eyes="open", mouth="smile", hat=None, neck="scarf", neck_colour="#2e9e3e", bell=True,
                    glowing=True),
}


def svg(name, look):
    coat = look["coat"]
    rows = [
        '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 105 97" width="105" height="97">',
        f'  <!-- {name.capitalize()} in the stall behind a barn door -->',
        '  <rect width="105" height="97" fill="#f6dc9a"/>',
        '  <path d="M0 24 H105 M0 48 H105 M0 72 H105" stroke="#e3c27a" stroke-width="1.5"/>',
        '  <path d="M0 97 V88 Q10 82 18 88 Q28 80 38 87 Q52 79 64 87 Q76 80 86 87 Q96 81 105 87 V97 Z" '
        'fill="#e8b641"/>',
        '  ' + _ellipse(52.5, 92, 28, 18, coat, OUTLINE),
    ]
    spots = look.get("spots", False)
    if spots:
        rows.append('  ' + ''.join(_circle(x, y, r, "#f5e6d0") for x, y, r in ((36, 88, 2.6), (44, 82, 2),
                                                                                (66, 84, 2.4), (72, 92, 2.8))))
    head = [antlers(look["antlers"], look["antler"])]
    for side in (-1, 1):
        cx = 52.5 + side * 20.5
        head.append(f'<ellipse cx="{cx:g}" cy="38" rx="9" ry="4.5" transform="rotate({side * 25} {cx:g} 38)" '
                    f'fill="{coat}"{OUTLINE}/>')
        head.append(f'<ellipse cx="{cx:g}" cy="38" rx="5" ry="2.2" transform="rotate({side * 25} {cx:g} 38)" '
                    f'fill="{look["ear"]}"/>')
    head.append(_ellipse(52.5, 45, 17, 18.5, coat, OUTLINE))
    if spots:
        head.append(_circle(42, 33, 1.8, "#f5e6d0") + _circle(64, 35, 1.5, "#f5e6d0"))
    head.append(_ellipse(52.5, 56, 11.5, 8.5, look["muzzle"]))
    head += eyes(look["eyes"])
    head.append(_circle(41, 51, 2.6, "#ff9a9a", ' opacity="0.7"'))
    head.append(_circle(64, 51, 2.6, "#ff9a9a", ' opacity="0.7"'))
    head += mouth(look["mouth"])
    head += nose(look.get("glowing", False))
    head += headwear(look["hat"])
    rows.append(f'  <g transform="rotate({look["tilt"]} 52.5 62)">')
    rows += ['    ' + h for h in head]
    rows.append('  </g>')
    rows += ['  ' + n for n in neckwear(look["neck"], look["neck_colour"])]
    if look["bell"]:
        rows += ['  ' + b for b in bell()]
    rows.append('</svg>')
    return "\n".join(rows) + "\n"


def pictures():
    """File name and SVG text of each reindeer."""
    return [("rudolph_%s.svg" % name, svg(name, look)) for name, look in REINDEER.items()]
