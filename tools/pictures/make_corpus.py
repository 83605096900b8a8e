#!/usr/bin/env python3
"""Writes the seed files for fuzzing the metafile reader: small sound files
(ok_*.wmf) that between them use every record the reader draws, broken ones
(bad_*.wmf), each broken in one way, and the costliest shapes to draw, as
costly as the reader accepts (ok_costly_*) and past what it accepts
(bad_costly_*).

    python3 tools/pictures/make_corpus.py [corpus folder]
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import toys  # noqa: E402
import wmf  # noqa: E402


def words(*values):
    return b"".join(struct.pack("<h" if v < 0 else "<H", v) for v in values)


def dib(width, rows, bits, palette=()):
    """A bottom-up bitmap; rows top first, pixels as palette indices or 0xRRGGBB."""
    stride = (width * bits + 31) // 32 * 4
    data = b""
    for row in reversed(rows):
        line = bytearray(stride)
        for x, v in enumerate(row):
            if bits == 1:
                line[x // 8] |= (v & 1) << (7 - x % 8)
            elif bits == 4:
                line[x // 2] |= (v & 15) << (0 if x % 2 else 4)
            elif bits == 8:
                line[x] = v
            else:
                line[x * bits // 8:x * bits // 8 + 3] = bytes((v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF))
        data += bytes(line)
    header = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, bits, 0, len(data), 0, 0, len(palette), 0)
    table = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, 0) for c in palette)
    return header + table + data


def stretch_dib(x, y, w, h, src_w, src_h, bitmap):
    return struct.pack("<I", 0x00CC0020) + words(0, src_h, src_w, 0, 0, h, w, y, x) + bitmap


def dib_stretch_blt(x, y, w, h, src_w, src_h, bitmap):
    return struct.pack("<I", 0x00CC0020) + words(src_h, src_w, 0, 0, h, w, y, x) + bitmap


def font(height, weight, italic, face):
    name = face.encode("latin-1") + b"\0"
    if len(name) % 2:
        name += b"\0"
    return words(height, 0, 0, 0, weight) + bytes((italic, 0, 0, 0, 0, 0, 0, 0x20)) + name


def finish(w, objects):
    """The bytes of a file whose objects were made record by record."""
    return patch(w.bytes(), 22 + 10, "<H", objects)


def shapes():
    w = wmf.Writer(200, 200)
    w.record(wmf.CREATE_PEN, 0, 3, 0, 0x00FF, 0)      # 0: red pen
    w.record(wmf.CREATE_BRUSH, 0, 0xFF00, 0, 0)        # 1: green brush
    w.record(wmf.CREATE_BRUSH, 2, 0, 0x00FF, 5)        # 2: blue diagonal hatch
    w.record(wmf.CREATE_BRUSH, 1, 0, 0, 0)             # 3: hollow
    w.record(wmf.CREATE_PEN, 1, 0, 0, 0, 0)            # 4: dashed
    w.record(wmf.SELECT_OBJECT, 0)
    w.record(wmf.SELECT_OBJECT, 1)
    w.record(wmf.RECTANGLE, 40, 40, 10, 10)
    w.record(wmf.ROUND_RECT, 10, 10, 40, 90, 10, 50)
    w.record(wmf.ELLIPSE, 40, 130, 10, 100)
    w.record(wmf.SELECT_OBJECT, 2)
    w.record(0x0201, 0xFFFF, 0x00FF)                   # background for the hatch
    w.record(wmf.PIE, 50, 190, 100, 150, 90, 190, 50, 150)
    w.record(wmf.CHORD, 100, 150, 50, 190, 100, 100, 60, 10)
    w.record(wmf.SELECT_OBJECT, 4)
    w.record(wmf.ARC, 150, 100, 150, 160, 190, 140, 110, 60)
    w.record(wmf.SELECT_OBJECT, 3)
    w.record(wmf.POLYGON, 5, 10, 150, 40, 120, 70, 150, 60, 190, 20, 190)
    w.record(wmf.POLYLINE, 4, 80, 120, 120, 180, 160, 120, 190, 190)
    w.record(wmf.SELECT_OBJECT, 1)
    w.record(wmf.SET_POLY_FILL_MODE, 1)
    w.record(wmf.POLYPOLYGON, 2, 4, 4, 100, 100, 190, 100, 190, 190, 100, 190, 120, 120, 170, 120, 170, 170, 120, 170)
    w.record(0x0214, 0, 0)
    w.record(0x0213, 199, 199)
    w.record(wmf.DELETE_OBJECT, 4)
    return finish(w, 5)


def text():
    w = wmf.Writer(300, 200)
    w.raw(0x02FB, font(-30, 700, 0, "Arial"))
    w.raw(0x02FB, font(24, 400, 1, "Times New Roman"))
    w.record(wmf.SELECT_OBJECT, 0)
    w.record(0x0209, 0x00FF, 0)
    w.record(0x012E, 0)
    w.raw(0x0521, words(5) + b"Hello\0" + words(20, 10))
    w.record(wmf.SELECT_OBJECT, 1)
    w.record(0x0102, 2)
    w.record(0x0201, 0xFF00, 0x00FF)
    w.record(0x012E, 6 | 24)
    w.raw(0x0A32, words(120, 150, 4, 0x0006, 20, 80, 280, 140) + b"Snow")
    w.record(0x012E, 1)
    w.record(0x0214, 180, 20)
    w.raw(0x0A32, words(0, 0, 3, 0) + b"abc\0" + words(10, 10, 10))
    return finish(w, 2)


def bitmaps():
    w = wmf.Writer(160, 160)
    rgb = [[0xFF0000, 0x00FF00], [0x0000FF, 0xFFFFFF]]
    idx = [[1, 2], [3, 0]]
    pal = [0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF]
    w.raw(0x0F43, stretch_dib(0, 0, 40, 40, 2, 2, dib(2, rgb, 24)))
    w.raw(0x0F43, stretch_dib(40, 0, 40, 40, 2, 2, dib(2, rgb, 32)))
    w.raw(0x0F43, stretch_dib(80, 0, 40, 40, 2, 2, dib(2, idx, 8, pal)))
    w.raw(0x0F43, stretch_dib(120, 0, 40, 40, 2, 2, dib(2, idx, 4, pal)))
    w.raw(0x0F43, stretch_dib(0, 40, 80, 40, 9, 1, dib(9, [[1, 0, 1, 0, 1, 0, 1, 0, 1]], 1, [0, 0xFFFF00])))
    w.raw(0x0B41, dib_stretch_blt(80, 80, -80, 80, 2, 2, dib(2, rgb, 24)))
    return finish(w, 1)


def mapping():
    w = wmf.Writer(100, 100)
    w.record(wmf.CREATE_BRUSH, 0, 0x00FF, 0, 0)
    w.record(wmf.SELECT_OBJECT, 0)
    w.record(wmf.SAVE_DC)
    w.record(wmf.SET_WINDOW_ORG, 10, 0)
    w.record(wmf.SET_WINDOW_EXT, -10, 10)
    w.record(wmf.RECTANGLE, 5, 5, 0, 0)
    w.record(0x020E, 50, 50)
    w.record(0x020D, 50, 50)
    w.record(wmf.ELLIPSE, 10, 10, 0, 0)
    w.record(0x0127, -1)
    w.record(0x0103, 8)
    w.record(wmf.RECTANGLE, 100, 100, 90, 90)
    return finish(w, 1)


def objects():
    w = wmf.Writer(100, 100)
    w.record(wmf.CREATE_BRUSH, 0, 0x00FF, 0, 0)        # 0
    w.record(0x00F7, 0x0300, 1, 0, 0)                  # 1: a palette takes a slot
    w.record(wmf.CREATE_BRUSH, 0, 0xFF00, 0, 0)        # 2
    w.record(wmf.DELETE_OBJECT, 0)
    w.record(wmf.CREATE_BRUSH, 0, 0, 0x00FF, 0)        # 0 again
    w.record(wmf.SELECT_OBJECT, 0)
    w.record(wmf.SELECT_OBJECT, 1)
    w.record(0x0626, 15, 4, 0x1234, 0x5678)            # an escape: skipped
    w.record(0x0415, 10, 10, 0, 0)                     # a clip change: skipped
    w.record(wmf.RECTANGLE, 90, 90, 10, 10)
    w.record(wmf.SELECT_OBJECT, 2)
    w.record(wmf.ELLIPSE, 70, 70, 30, 30)
    return finish(w, 3)


def polypolygons_only():
    """Shapes that keep no points of their own, and nothing else."""
    w = wmf.Writer(100, 100)
    w.record(wmf.CREATE_BRUSH, 0, 0xFF00, 0, 0)
    w.record(wmf.SELECT_OBJECT, 0)
    w.record(wmf.POLYPOLYGON, 2, 3, 3, 10, 10, 90, 10, 50, 90, 30, 30, 70, 30, 50, 70)
    w.record(wmf.POLYPOLYGON, 1, 4, 0, 0, 20, 0, 20, 20, 0, 20)
    return finish(w, 1)


def toy():
    c = wmf.Canvas(toys.SIDE, toys.SIDE)
    toys.duck(c)
    return c.bytes()


def patch(data, offset, fmt, value):
    b = bytearray(data)
    struct.pack_into(fmt, b, offset, value)
    return bytes(b)


def fix_checksum(data):
    b = bytearray(data)
    s = 0
    for (v,) in struct.iter_unpack("<H", bytes(b[:20])):
        s ^= v
    struct.pack_into("<H", b, 20, s)
    return bytes(b)


def with_records(*records, objects=4):
    w = wmf.Writer(100, 100)
    for function, data in records:
        w.raw(function, data)
    data = w.bytes()
    return patch(data, 22 + 10, "<H", objects)


def bad_files():
    good = objects()
    first = 22 + 18  # the first record
    short_bits = dib(2, [[1, 2], [3, 4]], 24)[:-4]
    wrong_size = bytearray(dib(2, [[1, 2], [3, 4]], 24))
    struct.pack_into("<I", wrong_size, 20, 400)
    huge = bytearray(dib(2, [[1, 2], [3, 4]], 24))
    struct.pack_into("<ii", huge, 4, 30000, 30000)
    return {
        "bad_key.wmf": patch(good, 0, "<I", 0x9AC6CDD6),
        "bad_checksum.wmf": patch(good, 20, "<H", 0x1234),
        "bad_zero_inch.wmf": fix_checksum(patch(good, 14, "<H", 0)),
        "bad_empty_box.wmf": fix_checksum(patch(good, 10, "<h", 0)),
        "bad_header_type.wmf": patch(good, 22, "<H", 9),
        "bad_no_eof.wmf": good[:-6],
        "bad_cut_short.wmf": toy()[:300],
        "bad_record_size_zero.wmf": patch(good, first, "<I", 0),
        "bad_record_past_end.wmf": patch(good, first, "<I", 0x7FFFFFFF),
        "bad_polygon_count.wmf": with_records((wmf.POLYGON, words(300, 1, 2, 3, 4))),
        "bad_polypolygon_counts.wmf": with_records((wmf.POLYPOLYGON, words(3, 60000, 60000, 60000, 1, 1))),
        "bad_text_length.wmf": with_records((0x0521, words(1000) + b"ab" + words(1, 1))),
        "bad_object_index.wmf": with_records((wmf.SELECT_OBJECT, words(40))),
        "bad_object_table_full.wmf": with_records(*[(wmf.CREATE_BRUSH, words(0, 0, 0, 0))] * 6),
        "bad_zero_window_ext.wmf": with_records((wmf.SET_WINDOW_EXT, words(0, 100))),
        "bad_bitmap_short.wmf": with_records((0x0F43, stretch_dib(0, 0, 10, 10, 2, 2, short_bits))),
        "bad_bitmap_size_field.wmf": with_records((0x0F43, stretch_dib(0, 0, 10, 10, 2, 2, bytes(wrong_size)))),
        "bad_bitmap_huge.wmf": with_records((0x0F43, stretch_dib(0, 0, 10, 10, 2, 2, bytes(huge)))),
        "bad_saves.wmf": with_records(*[(wmf.SAVE_DC, b"")] * 1100),
        # Sound in form, absurd in content: huge scale and far-off shapes, refused for the work they ask.
        "bad_absurd_extents.wmf": with_records((wmf.SET_WINDOW_EXT, words(1, 1)),
                                               (wmf.POLYGON, words(3, -32768, -32768, 32767, 0, 0, 32767)),
                                               (wmf.ELLIPSE, words(32767, 32767, -32768, -32768))),
    }


def costly(draw, objects=2):
    """A square picture of 1000 units with one costly shape drawn on it."""
    w = wmf.Writer(1000, 1000)
    draw(w)
    return finish(w, objects)


def tangle(corners):
    """A filled polygon whose every edge runs from the top to the bottom."""
    def draw(w):
        w.record(wmf.CREATE_BRUSH, 0, 0xFF00, 0, 0)
        w.record(wmf.SELECT_OBJECT, 0)
        w.record(wmf.CREATE_PEN, 5, 0, 0, 0, 0)
        w.record(wmf.SELECT_OBJECT, 1)
        w.record(wmf.SET_POLY_FILL_MODE, 2)
        w.record(wmf.POLYGON, corners, *[v for i in range(corners) for v in (i * 997 % 1000, i % 2 * 1000)])
    return costly(draw)


def round_pen(corners):
    """A polyline zigzagging across the picture in a pen a quarter of it wide."""
    def draw(w):
        w.record(wmf.CREATE_PEN, 0, 250, 0, 0x00FF, 0)
        w.record(wmf.SELECT_OBJECT, 0)
        w.record(wmf.POLYLINE, corners, *[v for i in range(corners) for v in (100 + i * 397 % 800, 100 + i % 2 * 800)])
    return costly(draw)


def far_dashes(lines):
    """Dashed lines running from far left to far right of the picture."""
    def draw(w):
        w.record(wmf.CREATE_PEN, 1, 0, 0, 0, 0)
        w.record(wmf.SELECT_OBJECT, 0)
        for i in range(lines):
            w.record(0x0214, i * 37 % 1000, -32000)
            w.record(0x0213, 1000 - i * 37 % 1000, 32000)
    return costly(draw)


def hatches(fills):
    """Ellipses over the whole picture in a hatch on an opaque background."""
    def draw(w):
        w.record(wmf.CREATE_BRUSH, 2, 0xFF00, 0, 5)
        w.record(wmf.SELECT_OBJECT, 0)
        w.record(wmf.SET_BK_MODE, 2)
        for _ in range(fills):
            w.record(wmf.ELLIPSE, 1000, 1000, 0, 0)
    return costly(draw)


def tiny_ellipses(count):
    """Ever so many ellipses, each of a few units."""
    def draw(w):
        for i in range(count):
            x, y = i * 37 % 1000, i * 91 % 1000
            w.record(wmf.ELLIPSE, y + 3, x + 3, y, x)
    return costly(draw)


def costly_files():
    """The costliest shapes: as costly as the reader accepts, and past it."""
    return {
        "ok_costly_tangle.wmf": tangle(50),
        "ok_costly_round_pen.wmf": round_pen(20),
        "ok_costly_hatches.wmf": hatches(29),
        "bad_costly_tangle.wmf": tangle(32000),
        "bad_costly_round_pen.wmf": round_pen(16000),
        "bad_costly_far_dashes.wmf": far_dashes(2),
        "bad_costly_records.wmf": tiny_ellipses(15100),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "tests", "fuzz", "corpus", "wmf")
    os.makedirs(out, exist_ok=True)
    files = {"ok_shapes.wmf": shapes(), "ok_text.wmf": text(), "ok_bitmaps.wmf": bitmaps(),
             "ok_mapping.wmf": mapping(), "ok_objects.wmf": objects(), "ok_toy.wmf": toy(),
             "ok_polypolygons_only.wmf": polypolygons_only()}
    files.update(bad_files())
    files.update(costly_files())
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
