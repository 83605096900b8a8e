#!/usr/bin/env python3
"""Writes the program's pictures into assets/: the toys and card back of the
memory game, the winter pictures of the puzzles and the reindeer of
Where's Rudolph.

    python3 tools/pictures/make_pictures.py [assets folder]

Running it again gives the same bytes.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import puzzles  # noqa: E402
import reindeer_faces  # noqa: E402
import toys  # noqa: E402
from wmf import Canvas  # noqa: E402


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets")
    pictures = [(name, toys.SIDE, toys.SIDE, draw) for name, draw in toys.TOYS.items()]
    pictures += [(name, puzzles.SIZE, puzzles.SIZE, draw) for name, draw in puzzles.PUZZLES.items()]
    for name, width, height, draw in pictures:
        canvas = Canvas(width, height)
        draw(canvas)
        with open(os.path.join(out, name), "wb") as f:
            f.write(canvas.bytes())
    for name, text in reindeer_faces.pictures():
        with open(os.path.join(out, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)


if __name__ == "__main__":
    main()
