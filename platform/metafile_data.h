#pragma once
// The drawing steps a metafile is read into, shared by the reader, which
// fills them, and the renderer, which draws them. Only the metafile's own
// files include this.
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <tuple>
#include <vector>

#include "platform/metafile.h"

namespace wmf {

struct PenStyle {
    QRgb color;
    float width;  // frame units; 0 is the thinnest line the device can draw
    std::uint16_t style;
    bool operator<(const PenStyle& o) const {
        return std::tie(color, width, style) < std::tie(o.color, o.width, o.style);
    }
};

enum class BrushKind : std::uint8_t { None, Solid, Hatched };

struct BrushStyle {
    QRgb color;
    BrushKind kind;
    std::uint8_t hatch;
    bool operator<(const BrushStyle& o) const {
        return std::tie(color, kind, hatch) < std::tie(o.color, o.kind, o.hatch);
    }
};

struct FontStyle {
    QString face;
    float height;  // frame units; negative: character height, positive: cell height, 0: default
    int weight;
    bool italic, underline, strikeOut;
    std::uint8_t pitchAndFamily;
    bool operator<(const FontStyle& o) const {
        return std::tie(face, height, weight, italic, underline, strikeOut, pitchAndFamily) <
               std::tie(o.face, o.height, o.weight, o.italic, o.underline, o.strikeOut, o.pitchAndFamily);
    }
};

// Text alignment bits.
enum : std::uint16_t {
    kTaUpdateCp = 1,
    kTaRight = 2,
    kTaCenter = 6,
    kTaBottom = 8,
    kTaBaseline = 24,
};

struct TextItem {
    QString text;
    QPointF pos;
    std::uint32_t font;
    QRgb color, bk;
    bool opaqueBk;
    std::uint16_t align;
    QRectF rect;
    bool fillRect, clipRect;
};

struct ImageItem {
    QImage image;
    QRectF dest, source;
};

enum class OpKind : std::uint8_t {
    Polygon,
    Polyline,
    PolyPolygon,
    Line,
    Rect,
    RoundRect,
    Ellipse,
    Arc,
    Pie,
    Chord,
    Text,
    Image
};

// One drawing step. Geometry lives in the shared arenas: points (first, count),
// paths, texts or images (first); rectangles are two points.
struct Op {
    OpKind kind;
    bool winding;
    bool opaqueBk;  // a hatched fill lays the background colour under its lines
    std::uint32_t pen, brush;
    std::uint32_t first, count;
    float a, b;  // corner radii, or start and sweep angles in degrees
    QRgb bk;
};

}  // namespace wmf

struct Metafile::Data {
    QRectF bounds;
    int inch = 0;
    Metafile::Work work;
    std::vector<wmf::Op> ops;
    std::vector<QPointF> points;
    std::vector<QPainterPath> paths;
    std::vector<wmf::PenStyle> pens;
    std::vector<wmf::BrushStyle> brushes;
    std::vector<wmf::FontStyle> fonts;
    std::vector<wmf::TextItem> texts;
    std::vector<wmf::ImageItem> images;
};
