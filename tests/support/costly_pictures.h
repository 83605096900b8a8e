#pragma once
// The costliest pictures a file can ask to draw, for the tests and the
// benchmark of the reader's bounds on drawing work. Each shape is drawn k
// times over (k points, lines, records, pixels...) on a square picture of
// kCostlySide units, so the largest k the reader still accepts gives the
// worst picture of that shape that a child could ever have drawn.
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/metafile.h"
#include "support/wmf_writer.h"

inline constexpr int kCostlySide = 1000;

inline Wmf costlyPicture() { return Wmf(0, 0, kCostlySide, kCostlySide, 1440, 32); }

struct CostlyShape {
    const char* name;
    // Words of the reason a file is refused for when k goes past the bounds.
    const char* reason;
    // Appends the shape k times; every object it makes, it deletes again, so
    // that shapes can follow one another in one file.
    std::function<void(Wmf&, int k)> draw;
};

namespace costly {

inline Wmf& font(Wmf& w, int height, int weight, const std::string& face) {
    Bytes f;
    for (int v : {-height, 0, 0, 0, weight}) put16(f, v);
    for (int i = 0; i < 8; ++i) f.push_back(0);
    for (char c : face) f.push_back(static_cast<std::uint8_t>(c));
    f.resize(f.size() + 2 - f.size() % 2, 0);
    return w.raw(0x02FB, f);
}

// A font of a face installed nowhere and never used before, so that the
// painter looks it up afresh.
inline Wmf& freshFont(Wmf& w, int i) {
    static int made = 0;
    return font(w, 40, 100 * (1 + i % 9), "Face" + std::to_string(++made));
}

}  // namespace costly

inline const std::vector<CostlyShape>& costlyShapes() {
    static const std::vector<CostlyShape> shapes = {
        {"self-intersecting polygon", "tangled",
         [](Wmf& w, int corners) {
             // Every edge runs from the top of the picture to its bottom: each
             // pixel row crosses every edge.
             std::vector<QPoint> points;
             for (int i = 0; i < corners; ++i)
                 points.emplace_back(i * 997 % kCostlySide, i % 2 * kCostlySide);
             w.solid(0x00FF00).select(0).pen(5, 0, 0).select(1).rec(0x0106, {2}).poly(0x0324, points);
             w.remove(0).remove(1);
         }},
        {"wide round-joined pen", "tangled",
         [](Wmf& w, int corners) {
             std::vector<QPoint> points;
             for (int i = 0; i < corners; ++i) points.emplace_back(100 + i * 397 % 800, 100 + i % 2 * 800);
             w.pen(0, kCostlySide / 4, 0x0000FF).select(0).poly(0x0325, points).remove(0);
         }},
        {"dotted pen reaching far beyond the picture", "tangled",
         [](Wmf& w, int lines) {
             w.pen(2, 0, 0xFF0000).select(0);
             for (int i = 0; i < lines; ++i) w.rec(0x0214, {-1000, -1000 + i}).rec(0x0213, {2000, 2000 - i});
             w.remove(0);
         }},
        {"short lines", "too many lines",
         [](Wmf& w, int lines) {
             w.pen(0, 0, 0x000000).select(0);
             for (int i = 0; i < lines; ++i) {
                 const int x = i * 37 % 600, y = i * 91 % 600;
                 w.rec(0x0214, {y, x}).rec(0x0213, {y + 400, x + 300});
             }
             w.remove(0);
         }},
        {"hatched fills over the whole picture", "too much to paint",
         [](Wmf& w, int fills) {
             w.brush(2, 0x00FF00, 5).select(0).pen(0, 0, 0).select(1).rec(0x0102, {2});
             for (int i = 0; i < fills; ++i) w.rec(0x0418, {kCostlySide, kCostlySide, 0, 0});
             w.remove(0).remove(1);
         }},
        {"tiny hatched ellipses", "too many records",
         [](Wmf& w, int ellipses) {
             // A hatch on an opaque background costs the most to start painting.
             w.brush(2, 0xFF00FF, 4).select(0).rec(0x0102, {2});
             for (int i = 0; i < ellipses; ++i) {
                 const int x = i * 37 % kCostlySide, y = i * 91 % kCostlySide;
                 w.rec(0x0418, {y + 3, x + 3, y, x});
             }
             w.remove(0);
         }},
        {"a polygon of many corners", "too many points",
         [](Wmf& w, int corners) {
             std::vector<QPoint> points;
             for (int i = 0; i < corners; ++i) {
                 const double a = 2 * std::numbers::pi * i / std::max(corners, 1);
                 points.emplace_back(500 + static_cast<int>(400 * std::cos(a)),
                                     500 + static_cast<int>(400 * std::sin(a)));
             }
             w.solid(0x00FFFF).select(0).poly(0x0324, points).remove(0);
         }},
        {"letters", "too much text",
         [](Wmf& w, int letters) {
             // In as many fonts as a picture may use, each looked up afresh.
             const int fonts = std::min(letters, static_cast<int>(Metafile::kMaxWork.fonts));
             for (int f = 0; f < fonts; ++f) costly::freshFont(w, f);
             for (int i = 0; i < letters; ++i)
                 w.select(i % fonts).rec(
                     0x0A32, {i * 7 % kCostlySide, i * 13 % kCostlySide, 1, 0x0004, 0, 0, 1000, 1000, 'W'});
             for (int f = 0; f < fonts; ++f) w.remove(f);
         }},
        {"letters each in a font of its own", "too many fonts",
         [](Wmf& w, int fonts) {
             for (int i = 0; i < fonts; ++i) {
                 costly::freshFont(w, i).select(0);
                 w.rec(0x0A32, {i * 7 % kCostlySide, i * 13 % kCostlySide, 1, 0x0004, 0, 0, 1000, 1000, 'W'});
                 w.remove(0);
             }
         }},
        {"a wide pen", "pen is too wide",
         [](Wmf& w, int width) {
             w.pen(0, width, 0x0000FF).select(0).rec(0x0214, {500, 450}).rec(0x0213, {500, 550}).remove(0);
         }},
        {"a tall font", "font is too large",
         [](Wmf& w, int height) {
             costly::font(w, height, 700, "Arial").select(0).rec(0x0521, {1, 'W', 0, 0}).remove(0);
         }},
        {"a bitmap stretched over the picture", "bitmap is too large",
         [](Wmf& w, int side) {
             if (side == 0) return;
             const int stride = (side * 3 + 3) / 4 * 4;
             Bytes d;
             for (std::uint32_t v : {40u, static_cast<std::uint32_t>(side), static_cast<std::uint32_t>(side)})
                 put32(d, v);
             put16(d, 1), put16(d, 24);
             for (std::uint32_t v : {0u, static_cast<std::uint32_t>(stride * side), 0u, 0u, 0u, 0u})
                 put32(d, v);
             // Plain grey: the colours matter to nobody.
             d.resize(d.size() + static_cast<std::size_t>(stride) * side, 0x80);
             w.stretchDib(0, 0, kCostlySide, kCostlySide, side, side, d);
         }},
    };
    return shapes;
}

inline const CostlyShape& costlyShape(const std::string& name) {
    for (const CostlyShape& s : costlyShapes())
        if (name == s.name) return s;
    throw std::invalid_argument(name);
}

inline Bytes withShape(const Wmf& before, const CostlyShape& shape, int k) {
    Wmf w = before;
    shape.draw(w, k);
    return w.bytes();
}

// The largest k for which the reader still accepts the picture before + the
// shape k times (0 when it accepts none).
inline int mostAccepted(const Wmf& before, const CostlyShape& shape) {
    auto accepted = [&](int k) {
        const Bytes b = withShape(before, shape, k);
        return Metafile::parse(b.data(), b.size()).has_value();
    };
    if (!accepted(1)) return 0;
    int good = 1, bad = 2;
    while (accepted(bad)) good = bad, bad *= 2;
    while (bad - good > 1) {
        const int mid = good + (bad - good) / 2;
        (accepted(mid) ? good : bad) = mid;
    }
    return good;
}

// The shape at its worst: as many times as the reader accepts (and not at
// all, not even its pens, when it accepts none).
inline Wmf& drawWorst(Wmf& w, const CostlyShape& shape) {
    if (const int k = mostAccepted(w, shape); k > 0) shape.draw(w, k);
    return w;
}
