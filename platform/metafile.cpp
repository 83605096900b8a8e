#include "platform/metafile.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <set>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/data_file.h"

// Each bound is five times or more what the busiest of our own pictures ask
// for (up to about 2500 records, 2500 points, a length of 220, crossings of
// 330, an area of 5.4, a pen a tenth of the side; no text, no bitmaps), yet
// low enough that a file spending all of them at once draws onto a puzzle
// board within a tenth of a second (bench/metafile_bench.cpp).
const Metafile::Work Metafile::kMaxWork{
    .records = 15000,
    .points = 30000,
    .length = 2000,
    .crossings = 3000,
    .area = 60,
    .widestPen = 1,
    .tallestFont = 1,
    .characters = 2000,
    .fonts = 16,
    .bitmapPixels = 1u << 21,
};

namespace {

// Record function numbers.
enum : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSetStretchBltMode = 0x0107,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePalette = 0x00F7,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
};

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
// Deeper nesting than this is no drawing program's doing.
constexpr std::size_t kMaxSavedStates = 1024;
// Files larger than this are not pictures we could mean.
constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;
// Text is laid out in a font of this pixel size, then scaled to the wanted height.
constexpr double kReferencePixels = 256.0;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int16_t s16(const std::uint8_t* p) { return static_cast<std::int16_t>(u16(p)); }
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(u16(p)) | (static_cast<std::uint32_t>(u16(p + 2)) << 16);
}
std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

// 0x00BBGGRR (palette-relative flags in the top byte are ignored).
QRgb colorRef(std::uint32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// The parameters of one record, addressed in 16-bit words.
struct Params {
    const std::uint8_t* p;
    std::size_t bytes;
    std::size_t words() const { return bytes / 2; }
    int s(std::size_t i) const { return s16(p + 2 * i); }
    unsigned w(std::size_t i) const { return u16(p + 2 * i); }
    std::uint32_t dw(std::size_t i) const { return u32(p + 2 * i); }
    const std::uint8_t* at(std::size_t i) const { return p + 2 * i; }
};

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

}  // namespace

struct Metafile::Data {
    QRectF bounds;
    int inch = 0;
    Metafile::Work work;
    std::vector<Op> ops;
    std::vector<QPointF> points;
    std::vector<QPainterPath> paths;
    std::vector<PenStyle> pens;
    std::vector<BrushStyle> brushes;
    std::vector<FontStyle> fonts;
    std::vector<TextItem> texts;
    std::vector<ImageItem> images;
};

namespace {

enum class DibResult { Ok, Unsupported, Bad };

// Decodes an uncompressed device-independent bitmap (header, colour table, bits)
// into image, upright.
DibResult decodeDib(const std::uint8_t* p, std::size_t n, bool paletteIndices, QImage& image,
                    std::uint64_t& pixelBudget, std::string& why) {
    if (n < 40) {
        why = "bitmap header is truncated";
        return DibResult::Bad;
    }
    const std::uint32_t headerSize = u32(p);
    if (headerSize == 12) return DibResult::Unsupported;  // the old core header
    if (headerSize < 40 || headerSize > n) {
        why = "bitmap header size is wrong";
        return DibResult::Bad;
    }
    const std::int32_t width = s32(p + 4), height = s32(p + 8);
    const unsigned bits = u16(p + 14);
    const std::uint32_t compression = u32(p + 16), sizeImage = u32(p + 20), colorsUsed = u32(p + 32);
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) {
        why = "bitmap has no size";
        return DibResult::Bad;
    }
    if (compression != 0 || paletteIndices) return DibResult::Unsupported;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return DibResult::Unsupported;
    const std::uint64_t w = static_cast<std::uint64_t>(width);
    const std::uint64_t h =
        static_cast<std::uint64_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    if (w * h > pixelBudget) {
        why = "bitmap is too large";
        return DibResult::Bad;
    }
    const std::uint64_t paletteSize = bits <= 8 ? (colorsUsed ? colorsUsed : (1u << bits)) : colorsUsed;
    if (bits <= 8 && paletteSize > (1u << bits)) {
        why = "bitmap colour table is too long";
        return DibResult::Bad;
    }
    const std::uint64_t offBits = headerSize + 4 * paletteSize;
    if (offBits > n) {
        why = "bitmap colour table is truncated";
        return DibResult::Bad;
    }
    const std::uint64_t stride = (w * bits + 31) / 32 * 4;
    const std::uint64_t needed = stride * h, available = n - offBits;
    if (needed > available || (sizeImage != 0 && (sizeImage < needed || sizeImage > available))) {
        why = "bitmap's declared size does not match its data";
        return DibResult::Bad;
    }
    QRgb palette[256];
    std::fill(std::begin(palette), std::end(palette), qRgb(0, 0, 0));
    if (bits <= 8) {
        for (std::uint64_t i = 0; i < paletteSize; ++i) {
            const std::uint8_t* q = p + headerSize + 4 * i;
            palette[i] = qRgb(q[2], q[1], q[0]);
        }
    }
    QImage img(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (img.isNull()) {
        why = "bitmap does not fit in memory";
        return DibResult::Bad;
    }
    const bool topDown = height < 0;
    for (std::uint64_t r = 0; r < h; ++r) {
        const std::uint8_t* src = p + offBits + r * stride;
        auto* dst = reinterpret_cast<QRgb*>(img.scanLine(static_cast<int>(topDown ? r : h - 1 - r)));
        for (std::uint64_t x = 0; x < w; ++x) {
            switch (bits) {
                case 1:
                    dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    dst[x] = palette[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15];
                    break;
                case 8:
                    dst[x] = palette[src[x]];
                    break;
                case 24:
                    dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                    break;
                default:
                    dst[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
                    break;
            }
        }
    }
    pixelBudget -= w * h;
    image = std::move(img);
    return DibResult::Ok;
}

// Logical to frame (bounding box) coordinates.
struct Mapping {
    int winOrgX, winOrgY, winExtX, winExtY;
    int vpOrgX, vpOrgY, vpExtX, vpExtY;
    double sx() const { return static_cast<double>(vpExtX) / winExtX; }
    double sy() const { return static_cast<double>(vpExtY) / winExtY; }
};

struct DcState {
    std::uint32_t pen = 0, brush = 0, font = 0;
    QRgb textColor = qRgb(0, 0, 0), bkColor = qRgb(255, 255, 255);
    bool bkOpaque = true;
    std::uint16_t textAlign = 0;
    bool winding = false;
    Mapping map{};
    QPointF cp;
};

class Parser {
public:
    Parser(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::shared_ptr<Metafile::Data> run(std::string& error);

private:
    enum class ObjectKind : std::uint8_t { Empty, Pen, Brush, Font, Other };
    struct Object {
        ObjectKind kind = ObjectKind::Empty;
        std::uint32_t style = 0;
    };

    bool fail(const std::string& why);
    bool need(const Params& a, std::size_t words) {
        return a.words() >= words || fail("record is too short for its parameters");
    }
    bool readHeader();
    bool record(std::uint16_t function, const Params& a);

    QPointF map(int x, int y) const;
    QRectF mapRect(int l, int t, int r, int b) const { return QRectF(map(l, t), map(r, b)).normalized(); }
    void setMapping(const Mapping& m);

    bool createObject(ObjectKind kind, std::uint32_t style);
    bool selectObject(unsigned index);
    bool deleteObject(unsigned index);
    std::uint32_t addPen(const PenStyle& s);
    std::uint32_t addBrush(const BrushStyle& s);

    Op newOp(OpKind kind) const;
    // Counts the work of drawing a shape with the current pen and brush: its
    // outline, of the given length through the given corners, and, when
    // filled, its inside over box. Refuses the file past any bound.
    bool spend(double outline, std::size_t corners, const QRectF& box, bool filled);
    bool spendText(const TextItem& t);
    // Refuses the file when a sum of its work has gone past its bound.
    bool withinBounds();
    // An area in frame units, as far as it lies on the picture, in picture squares.
    double visibleArea(const QRectF& r) const;
    std::uint32_t pushRect(const QRectF& r);
    bool shape(OpKind kind, const Params& a);
    bool arc(OpKind kind, const Params& a);
    bool poly(OpKind kind, const Params& a);
    bool polyPolygon(const Params& a);
    bool text(const Params& a, bool extended);
    bool bitmap(const Params& a, bool stretchDib);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t recordOffset_ = 0;
    std::string error_;
    std::shared_ptr<Metafile::Data> d_ = std::make_shared<Metafile::Data>();

    DcState state_;
    std::vector<DcState> saved_;
    double sx_ = 1, sy_ = 1;
    double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;

    std::vector<Object> objects_;
    std::set<std::uint32_t> freeSlots_;
    std::uint32_t maxObjects_ = 0;
    std::map<PenStyle, std::uint32_t> penIndex_;
    std::map<BrushStyle, std::uint32_t> brushIndex_;
    std::map<FontStyle, std::uint32_t> fontIndex_;
    std::set<std::uint32_t> fontsInText_;
    std::uint64_t pixelBudget_ = Metafile::kMaxWork.bitmapPixels;
    // The longer side of the bounding box: the unit of the work's lengths.
    double side_ = 1;
};

bool Parser::fail(const std::string& why) {
    if (error_.empty()) {
        error_ = recordOffset_ ? why + " (record at byte " + std::to_string(recordOffset_) + ")" : why;
    }
    return false;
}

bool Parser::readHeader() {
    if (size_ < kPlaceableSize + kHeaderSize) return fail("too short to be a placeable metafile");
    if (u32(data_) != kPlaceableKey) return fail("not a placeable metafile (wrong key)");
    unsigned checksum = 0;
    for (std::size_t i = 0; i < 10; ++i) checksum ^= u16(data_ + 2 * i);
    if (checksum != u16(data_ + 20)) return fail("placeable header checksum does not match");
    const int left = s16(data_ + 6), top = s16(data_ + 8), right = s16(data_ + 10), bottom = s16(data_ + 12);
    const unsigned inch = u16(data_ + 14);
    if (left == right || top == bottom) return fail("bounding box is empty");
    if (inch == 0) return fail("units per inch is zero");
    const QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    d_->bounds = box;
    side_ = std::max(box.width(), box.height());
    d_->inch = static_cast<int>(inch);

    const std::uint8_t* h = data_ + kPlaceableSize;
    const unsigned type = u16(h), headerWords = u16(h + 2), version = u16(h + 4);
    if ((type != 1 && type != 2) || headerWords != kHeaderSize / 2 ||
        (version != 0x0100 && version != 0x0300)) {
        return fail("metafile header is not valid");
    }
    maxObjects_ = u16(h + 10);

    // Coordinates far outside the picture are pulled in to a wide margin around
    // it, which keeps the painter's arithmetic in range; only shapes reaching
    // that far out change.
    const double margin = 64.0 * std::max(box.width(), box.height());
    minX_ = box.left() - margin;
    maxX_ = box.right() + margin;
    minY_ = box.top() - margin;
    maxY_ = box.bottom() + margin;

    // Until the file says otherwise, one logical unit is one unit of the bounding box.
    const int w = static_cast<int>(box.width()), hgt = static_cast<int>(box.height());
    const int l = static_cast<int>(box.left()), t = static_cast<int>(box.top());
    setMapping(Mapping{l, t, w, hgt, l, t, w, hgt});

    // The device's own pen, brush and font come first in the style tables.
    addPen(PenStyle{qRgb(0, 0, 0), 0.0f, 0});
    addBrush(BrushStyle{qRgb(255, 255, 255), BrushKind::Solid, 0});
    d_->fonts.push_back(FontStyle{QString(), 0.0f, 400, false, false, false, 0});
    return true;
}

void Parser::setMapping(const Mapping& m) {
    state_.map = m;
    sx_ = m.sx();
    sy_ = m.sy();
}

QPointF Parser::map(int x, int y) const {
    const Mapping& m = state_.map;
    const double fx = m.vpOrgX + (x - m.winOrgX) * sx_;
    const double fy = m.vpOrgY + (y - m.winOrgY) * sy_;
    return QPointF(std::clamp(fx, minX_, maxX_), std::clamp(fy, minY_, maxY_));
}

std::uint32_t Parser::addPen(const PenStyle& s) {
    auto [it, added] = penIndex_.try_emplace(s, static_cast<std::uint32_t>(d_->pens.size()));
    if (added) d_->pens.push_back(s);
    return it->second;
}

std::uint32_t Parser::addBrush(const BrushStyle& s) {
    auto [it, added] = brushIndex_.try_emplace(s, static_cast<std::uint32_t>(d_->brushes.size()));
    if (added) d_->brushes.push_back(s);
    return it->second;
}

// A new object takes the lowest free slot of the table.
bool Parser::createObject(ObjectKind kind, std::uint32_t style) {
    std::uint32_t slot;
    if (!freeSlots_.empty()) {
        slot = *freeSlots_.begin();
        freeSlots_.erase(freeSlots_.begin());
    } else {
        slot = static_cast<std::uint32_t>(objects_.size());
        if (slot >= maxObjects_) return fail("more objects than the header's object table holds");
        objects_.emplace_back();
    }
    objects_[slot] = Object{kind, style};
    return true;
}

bool Parser::selectObject(unsigned index) {
    if (index >= maxObjects_) return fail("object index out of range");
    if (index >= objects_.size()) return true;  // an empty slot: nothing changes, as on a device
    const Object& o = objects_[index];
    switch (o.kind) {
        case ObjectKind::Pen:
            state_.pen = o.style;
            break;
        case ObjectKind::Brush:
            state_.brush = o.style;
            break;
        case ObjectKind::Font:
            state_.font = o.style;
            break;
        case ObjectKind::Empty:
        case ObjectKind::Other:
            break;
    }
    return true;
}

bool Parser::deleteObject(unsigned index) {
    if (index >= maxObjects_) return fail("object index out of range");
    if (index < objects_.size() && objects_[index].kind != ObjectKind::Empty) {
        objects_[index] = Object{};
        freeSlots_.insert(index);
    }
    return true;
}

Op Parser::newOp(OpKind kind) const {
    Op op{};
    op.kind = kind;
    op.winding = state_.winding;
    op.pen = state_.pen;
    op.brush = state_.brush;
    op.opaqueBk = state_.bkOpaque && d_->brushes[state_.brush].kind == BrushKind::Hatched;
    op.bk = state_.bkColor;
    return op;
}

std::uint32_t Parser::pushRect(const QRectF& r) {
    const auto first = static_cast<std::uint32_t>(d_->points.size());
    d_->points.push_back(r.topLeft());
    d_->points.push_back(r.bottomRight());
    return first;
}

bool Parser::spendText(const TextItem& t) {
    Metafile::Work& w = d_->work;
    const FontStyle& font = d_->fonts[t.font];
    // A height of 0 is the device's own twelve points.
    const double height = font.height != 0 ? std::abs(static_cast<double>(font.height)) : d_->inch / 6.0;
    const auto characters = static_cast<std::uint64_t>(t.text.size());
    w.characters += characters;
    fontsInText_.insert(t.font);
    w.fonts = fontsInText_.size();
    w.tallestFont = std::max(w.tallestFont, height / side_);
    // No character paints more than a square of the font's height, nor its background more.
    const double letters = static_cast<double>(characters) * height * height / (side_ * side_);
    w.area += t.opaqueBk ? 2 * letters : letters;
    if (t.fillRect) w.area += visibleArea(t.rect);
    return withinBounds();
}

bool Parser::withinBounds() {
    const Metafile::Work& w = d_->work;
    const Metafile::Work& max = Metafile::kMaxWork;
    if (w.records > max.records) return fail("too many records for a picture");
    if (w.points > max.points) return fail("too many points to draw");
    if (w.length > max.length) return fail("too many lines to draw");
    if (w.crossings > max.crossings) return fail("outlines too long and tangled to draw");
    if (w.area > max.area) return fail("too much to paint");
    if (w.widestPen > max.widestPen) return fail("a pen is too wide");
    if (w.tallestFont > max.tallestFont) return fail("a font is too large");
    if (w.characters > max.characters) return fail("too much text");
    if (w.fonts > max.fonts) return fail("text in too many fonts");
    return true;
}

double Parser::visibleArea(const QRectF& r) const {
    const QRectF on = r.normalized().intersected(d_->bounds);
    return on.isEmpty() ? 0.0 : on.width() * on.height() / (side_ * side_);
}

bool Parser::spend(double outline, std::size_t corners, const QRectF& box, bool filled) {
    Metafile::Work& w = d_->work;
    const PenStyle& pen = d_->pens[state_.pen];
    const unsigned penKind = pen.style & 0x0F;
    if (penKind != 5) {
        // A pen's band is filled as a shape of its own: both edges of the
        // line (a dashed line's dashes have ends too) and a rounded rim at
        // every corner.
        const double width = pen.width;
        const double band =
            ((penKind == 0 ? 2 : 3) * outline + static_cast<double>(corners) * std::numbers::pi * width) /
            side_;
        w.length += band;
        w.crossings += band * band;
        w.area += (outline * width + static_cast<double>(corners) * width * width) / (side_ * side_);
        w.widestPen = std::max(w.widestPen, width / side_);
    }
    const BrushKind brush = d_->brushes[state_.brush].kind;
    if (filled && brush != BrushKind::None) {
        // A hatch on an opaque background is painted twice.
        const double coats = brush == BrushKind::Hatched && state_.bkOpaque ? 2.0 : 1.0;
        const double edge = outline / side_;
        w.length += coats * edge;
        w.crossings += coats * edge * edge;
        w.area += coats * visibleArea(box);
    }
    return withinBounds();
}

// Rectangle, RoundRect and Ellipse: the bounding rectangle is the last four words.
bool Parser::shape(OpKind kind, const Params& a) {
    const std::size_t base = kind == OpKind::RoundRect ? 2 : 0;
    if (!need(a, base + 4)) return false;
    const QRectF r = mapRect(a.s(base + 3), a.s(base + 2), a.s(base + 1), a.s(base));
    if (r.width() <= 0 || r.height() <= 0) return true;
    const double around = r.width() + r.height();
    if (!spend(kind == OpKind::Rect ? 2 * around : std::numbers::pi * around / 2,
               kind == OpKind::Rect ? 4 : 0, r, true))
        return false;
    Op op = newOp(kind);
    op.first = pushRect(r);
    op.count = 2;
    if (kind == OpKind::RoundRect) {
        op.a = static_cast<float>(std::min(std::abs(a.s(1) * sx_) / 2, r.width() / 2));
        op.b = static_cast<float>(std::min(std::abs(a.s(0) * sy_) / 2, r.height() / 2));
    }
    d_->ops.push_back(op);
    return true;
}

// Arc, Pie and Chord run counterclockwise from the radial through the start
// point to the radial through the end point; the same radial twice is the whole ellipse.
bool Parser::arc(OpKind kind, const Params& a) {
    if (!need(a, 8)) return false;
    const QRectF r = mapRect(a.s(7), a.s(6), a.s(5), a.s(4));
    if (r.width() <= 0 || r.height() <= 0) return true;
    // At most the whole ellipse, and two radii or a chord.
    const double around = r.width() + r.height();
    if (!spend(std::numbers::pi * around / 2 + around, 2, r, kind != OpKind::Arc)) return false;
    const QPointF c = r.center();
    const double rx = r.width() / 2, ry = r.height() / 2;
    auto angle = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180.0 / std::numbers::pi;
    };
    const double start = angle(map(a.s(3), a.s(2)));
    double sweep = angle(map(a.s(1), a.s(0))) - start;
    while (sweep <= 1e-9) sweep += 360.0;
    Op op = newOp(kind);
    op.first = pushRect(r);
    op.count = 2;
    op.a = static_cast<float>(start);
    op.b = static_cast<float>(sweep);
    d_->ops.push_back(op);
    return true;
}

bool Parser::poly(OpKind kind, const Params& a) {
    if (!need(a, 1)) return false;
    const int n = a.s(0);
    if (n < 0) return fail("negative point count");
    if (!need(a, 1 + 2 * static_cast<std::size_t>(n))) return false;
    if (n < 2) return true;
    d_->work.points += static_cast<std::uint64_t>(n);
    if (!withinBounds()) return false;
    Op op = newOp(kind);
    op.first = static_cast<std::uint32_t>(d_->points.size());
    op.count = static_cast<std::uint32_t>(n);
    for (int i = 0; i < n; ++i) d_->points.push_back(map(a.s(1 + 2 * i), a.s(2 + 2 * i)));
    const QPointF* pts = &d_->points[op.first];
    double length = 0;
    for (int i = 1; i < n; ++i) length += QLineF(pts[i - 1], pts[i]).length();
    const bool closed = kind == OpKind::Polygon;
    if (closed) length += QLineF(pts[n - 1], pts[0]).length();
    QRectF box;
    if (closed) {
        const auto [left, right] =
            std::minmax_element(pts, pts + n, [](QPointF p, QPointF q) { return p.x() < q.x(); });
        const auto [top, bottom] =
            std::minmax_element(pts, pts + n, [](QPointF p, QPointF q) { return p.y() < q.y(); });
        box = QRectF(QPointF(left->x(), top->y()), QPointF(right->x(), bottom->y()));
    }
    if (!spend(length, static_cast<std::size_t>(n), box, closed)) return false;
    d_->ops.push_back(op);
    return true;
}

bool Parser::polyPolygon(const Params& a) {
    if (!need(a, 1)) return false;
    const std::size_t polygons = a.w(0);
    if (!need(a, 1 + polygons)) return false;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < polygons; ++i) total += a.w(1 + i);
    if (!need(a, 1 + polygons + 2 * total)) return false;
    d_->work.points += total;
    if (!withinBounds()) return false;
    double length = 0;
    QPainterPath path;
    path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    std::size_t at = 1 + polygons;
    for (std::size_t i = 0; i < polygons; ++i) {
        const std::size_t n = a.w(1 + i);
        QPointF first, last;
        for (std::size_t k = 0; k < n; ++k, at += 2) {
            const QPointF p = map(a.s(at), a.s(at + 1));
            if (k == 0) {
                path.moveTo(p);
                first = p;
            } else {
                path.lineTo(p);
                length += QLineF(last, p).length();
            }
            last = p;
        }
        if (n > 0) {
            path.closeSubpath();
            length += QLineF(last, first).length();
        }
    }
    if (path.isEmpty()) return true;
    if (!spend(length, static_cast<std::size_t>(total), path.boundingRect(), true)) return false;
    Op op = newOp(OpKind::PolyPolygon);
    op.first = static_cast<std::uint32_t>(d_->paths.size());
    d_->paths.push_back(std::move(path));
    d_->ops.push_back(op);
    return true;
}

bool Parser::text(const Params& a, bool extended) {
    int x = 0, y = 0, length = 0;
    unsigned options = 0;
    std::size_t stringAt = 0;
    QRectF rect;
    if (extended) {
        if (!need(a, 4)) return false;
        y = a.s(0);
        x = a.s(1);
        length = a.s(2);
        options = a.w(3);
        stringAt = 4;
        if (options & 0x0006) {  // opaque or clipped: a rectangle comes first
            if (!need(a, 8)) return false;
            rect = mapRect(a.s(4), a.s(5), a.s(6), a.s(7));
            stringAt = 8;
        }
    } else {
        if (!need(a, 1)) return false;
        length = a.s(0);
        stringAt = 1;
    }
    if (length < 0) return fail("negative text length");
    const std::size_t stringWords = (static_cast<std::size_t>(length) + 1) / 2;
    if (!need(a, stringAt + stringWords + (extended ? 0 : 2))) return false;
    if (!extended) {
        y = a.s(stringAt + stringWords);
        x = a.s(stringAt + stringWords + 1);
    }
    TextItem t;
    t.text = QString::fromLatin1(reinterpret_cast<const char*>(a.at(stringAt)), length);
    t.pos = (state_.textAlign & kTaUpdateCp) ? state_.cp : map(x, y);
    t.font = state_.font;
    t.color = state_.textColor;
    t.bk = state_.bkColor;
    t.opaqueBk = state_.bkOpaque;
    t.align = state_.textAlign;
    t.rect = rect;
    t.fillRect = (options & 0x0002) != 0;
    t.clipRect = (options & 0x0004) != 0;
    if (!spendText(t)) return false;
    Op op = newOp(OpKind::Text);
    op.first = static_cast<std::uint32_t>(d_->texts.size());
    d_->texts.push_back(std::move(t));
    d_->ops.push_back(op);
    return true;
}

// StretchDIB and DIBStretchBlt: a bitmap stretched from a source rectangle
// into a destination rectangle; negative extents mirror it.
bool Parser::bitmap(const Params& a, bool stretchDib) {
    // Without a bitmap, DIBStretchBlt only paints a pattern: not drawn.
    if (!stretchDib && a.words() == 11) return true;
    const std::size_t base = stretchDib ? 3 : 2;  // after the raster operation (and colour usage)
    if (!need(a, base + 8 + 20)) return false;
    const bool paletteIndices = stretchDib && a.w(2) == 1;
    const int srcH = a.s(base), srcW = a.s(base + 1), ySrc = a.s(base + 2), xSrc = a.s(base + 3);
    const int dstH = a.s(base + 4), dstW = a.s(base + 5), yDst = a.s(base + 6), xDst = a.s(base + 7);
    const std::size_t dibAt = base + 8;
    QImage image;
    std::string why;
    switch (decodeDib(a.at(dibAt), a.bytes - 2 * dibAt, paletteIndices, image, pixelBudget_, why)) {
        case DibResult::Bad:
            return fail(why);
        case DibResult::Unsupported:
            return true;
        case DibResult::Ok:
            break;
    }
    d_->work.bitmapPixels = Metafile::kMaxWork.bitmapPixels - pixelBudget_;
    const double imgW = image.width(), imgH = image.height();
    const bool bottomUp = s32(a.at(dibAt) + 8) > 0;
    // StretchDIB measures a bottom-up bitmap's source from its lower left corner.
    double sx0 = xSrc, sx1 = xSrc + srcW;
    double sy0 = stretchDib && bottomUp ? imgH - ySrc - srcH : ySrc;
    double sy1 = sy0 + srcH;
    const QPointF d0 = map(xDst, yDst), d1 = map(xDst + dstW, yDst + dstH);
    const bool flipX = (sx1 < sx0) != (d1.x() < d0.x());
    const bool flipY = (sy1 < sy0) != (d1.y() < d0.y());
    QRectF src = QRectF(QPointF(sx0, sy0), QPointF(sx1, sy1)).normalized();
    QRectF dst = QRectF(d0, d1).normalized();
    if (src.width() <= 0 || src.height() <= 0 || dst.width() <= 0 || dst.height() <= 0) return true;
    if (flipX || flipY) {
        image = image.mirrored(flipX, flipY);
        if (flipX) src.moveLeft(imgW - src.right());
        if (flipY) src.moveTop(imgH - src.bottom());
    }
    // Keep only the part of the source that lies on the bitmap.
    const QRectF clipped = src.intersected(QRectF(0, 0, imgW, imgH));
    if (clipped.isEmpty()) return true;
    const double kx = dst.width() / src.width(), ky = dst.height() / src.height();
    dst = QRectF(dst.left() + (clipped.left() - src.left()) * kx,
                 dst.top() + (clipped.top() - src.top()) * ky, clipped.width() * kx, clipped.height() * ky);
    d_->work.area += visibleArea(dst);
    if (!withinBounds()) return false;
    Op op = newOp(OpKind::Image);
    op.first = static_cast<std::uint32_t>(d_->images.size());
    d_->images.push_back(ImageItem{std::move(image), dst, clipped});
    d_->ops.push_back(op);
    return true;
}

bool Parser::record(std::uint16_t function, const Params& a) {
    switch (function) {
        case kSetWindowOrg:
        case kSetWindowExt:
        case kSetViewportOrg:
        case kSetViewportExt: {
            if (!need(a, 2)) return false;
            const int y = a.s(0), x = a.s(1);
            Mapping m = state_.map;
            switch (function) {
                case kSetWindowOrg:
                    m.winOrgX = x, m.winOrgY = y;
                    break;
                case kSetViewportOrg:
                    m.vpOrgX = x, m.vpOrgY = y;
                    break;
                case kSetWindowExt:
                case kSetViewportExt:
                    if (x == 0 || y == 0) return fail("zero extent");
                    if (function == kSetWindowExt) {
                        m.winExtX = x, m.winExtY = y;
                    } else {
                        m.vpExtX = x, m.vpExtY = y;
                    }
                    break;
            }
            setMapping(m);
            return true;
        }
        case kSetMapMode:         // the placeable frame decides the mapping
        case kSetStretchBltMode:  // bitmaps are always stretched pixel by pixel
            return true;
        case kCreatePenIndirect: {
            if (!need(a, 5)) return false;
            const auto width = static_cast<float>(std::abs(a.s(1) * sx_));
            return createObject(ObjectKind::Pen, addPen(PenStyle{colorRef(a.dw(3)), width,
                                                                 static_cast<std::uint16_t>(a.w(0))}));
        }
        case kCreateBrushIndirect: {
            if (!need(a, 3)) return false;
            const unsigned style = a.w(0), hatch = a.words() >= 4 ? a.w(3) : 0;
            BrushStyle b{colorRef(a.dw(1)), BrushKind::Solid, 0};
            if (style == 1) b = BrushStyle{0, BrushKind::None, 0};
            if (style == 2 && hatch <= 5)
                b.kind = BrushKind::Hatched, b.hatch = static_cast<std::uint8_t>(hatch);
            return createObject(ObjectKind::Brush, addBrush(b));
        }
        case kCreateFontIndirect: {
            if (!need(a, 9)) return false;
            const std::uint8_t* f = a.p;
            std::size_t faceLength = 0;
            while (18 + faceLength < a.bytes && faceLength < 32 && f[18 + faceLength] != 0) ++faceLength;
            FontStyle s{
                QString::fromLatin1(reinterpret_cast<const char*>(f + 18), static_cast<int>(faceLength)),
                static_cast<float>(a.s(0) * std::abs(sy_)),
                a.s(4),
                f[10] != 0,
                f[11] != 0,
                f[12] != 0,
                f[17]};
            auto [it, added] = fontIndex_.try_emplace(s, static_cast<std::uint32_t>(d_->fonts.size()));
            if (added) d_->fonts.push_back(std::move(s));
            return createObject(ObjectKind::Font, it->second);
        }
        case kCreatePalette:
        case kCreatePatternBrush:
        case kDibCreatePatternBrush:
        case kCreateRegion:
            // Not drawn, but they take their slot, so later indices stay right.
            return createObject(ObjectKind::Other, 0);
        case kSelectObject:
            return need(a, 1) && selectObject(a.w(0));
        case kDeleteObject:
            return need(a, 1) && deleteObject(a.w(0));
        case kSetPolyFillMode:
            if (!need(a, 1)) return false;
            state_.winding = a.w(0) == 2;
            return true;
        case kSetBkMode:
            if (!need(a, 1)) return false;
            state_.bkOpaque = a.w(0) == 2;
            return true;
        case kSetBkColor:
        case kSetTextColor:
            if (!need(a, 2)) return false;
            (function == kSetBkColor ? state_.bkColor : state_.textColor) = colorRef(a.dw(0));
            return true;
        case kSetTextAlign:
            if (!need(a, 1)) return false;
            state_.textAlign = static_cast<std::uint16_t>(a.w(0));
            return true;
        case kMoveTo:
        case kLineTo: {
            if (!need(a, 2)) return false;
            const QPointF to = map(a.s(1), a.s(0));
            if (function == kLineTo) {
                d_->work.points += 2;
                if (!spend(QLineF(state_.cp, to).length(), 2, QRectF(), false)) return false;
                Op op = newOp(OpKind::Line);
                op.first = static_cast<std::uint32_t>(d_->points.size());
                op.count = 2;
                d_->points.push_back(state_.cp);
                d_->points.push_back(to);
                d_->ops.push_back(op);
            }
            state_.cp = to;
            return true;
        }
        case kPolygon:
            return poly(OpKind::Polygon, a);
        case kPolyline:
            return poly(OpKind::Polyline, a);
        case kPolyPolygon:
            return polyPolygon(a);
        case kRectangle:
            return shape(OpKind::Rect, a);
        case kRoundRect:
            return shape(OpKind::RoundRect, a);
        case kEllipse:
            return shape(OpKind::Ellipse, a);
        case kArc:
            return arc(OpKind::Arc, a);
        case kPie:
            return arc(OpKind::Pie, a);
        case kChord:
            return arc(OpKind::Chord, a);
        case kTextOut:
            return text(a, false);
        case kExtTextOut:
            return text(a, true);
        case kSaveDc:
            if (saved_.size() >= kMaxSavedStates) return fail("too many saved states");
            saved_.push_back(state_);
            return true;
        case kRestoreDc: {
            if (!need(a, 1)) return false;
            const int n = a.s(0);
            // Negative: that many states back; positive: the n-th saved state.
            const std::size_t depth = saved_.size();
            std::size_t keep;
            if (n < 0 && static_cast<std::size_t>(-n) <= depth) {
                keep = depth - static_cast<std::size_t>(-n);
            } else if (n > 0 && static_cast<std::size_t>(n) <= depth) {
                keep = static_cast<std::size_t>(n) - 1;
            } else {
                return true;  // nothing to restore: the device ignores it
            }
            state_ = saved_[keep];
            saved_.resize(keep);
            setMapping(state_.map);
            return true;
        }
        case kStretchDib:
            return bitmap(a, true);
        case kDibStretchBlt:
            return bitmap(a, false);
        default:
            return true;  // not drawn here; skipped by its size
    }
}

std::shared_ptr<Metafile::Data> Parser::run(std::string& error) {
    if (!readHeader()) {
        error = error_;
        return nullptr;
    }
    std::size_t pos = kPlaceableSize + kHeaderSize;
    for (;;) {
        recordOffset_ = pos;
        if (size_ - pos < 6) {
            fail("data ends before the end-of-file record");
            break;
        }
        const std::uint64_t bytes = 2ull * u32(data_ + pos);
        const std::uint16_t function = u16(data_ + pos + 4);
        if (bytes < 6) {
            fail("record size is too small");
            break;
        }
        if (bytes > size_ - pos) {
            fail("record runs past the end of the data");
            break;
        }
        if (function == kEof) return d_;
        ++d_->work.records;
        if (!withinBounds()) break;
        if (!record(function, Params{data_ + pos + 6, static_cast<std::size_t>(bytes - 6)})) break;
        pos += static_cast<std::size_t>(bytes);
    }
    error = error_;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Drawing

// Clip art names the faces of its time; installed look-alikes stand in for them.
void registerFaceSubstitutes() {
    static const bool done = [] {
        const QStringList sans{"Liberation Sans", "DejaVu Sans"};
        const QStringList serif{"Liberation Serif", "DejaVu Serif"};
        const QStringList mono{"Liberation Mono", "DejaVu Sans Mono"};
        for (const char* face : {"Arial", "Helvetica", "MS Sans Serif", "Microsoft Sans Serif", "System",
                                 "Tahoma", "Verdana", "Small Fonts"}) {
            QFont::insertSubstitutions(face, sans);
        }
        for (const char* face : {"Times New Roman", "Times", "MS Serif"})
            QFont::insertSubstitutions(face, serif);
        for (const char* face : {"Courier New", "Courier"}) QFont::insertSubstitutions(face, mono);
        QFont::insertSubstitutions("Comic Sans MS", {"Comic Neue", "DejaVu Sans"});
        return true;
    }();
    (void)done;
}

struct TextFont {
    QFont font;
    double ascent, descent, height;
};

TextFont makeTextFont(const FontStyle& s) {
    QFont f;
    switch (s.pitchAndFamily & 0xF0) {
        case 0x10:
            f.setStyleHint(QFont::Serif);
            break;
        case 0x30:
            f.setStyleHint(QFont::Monospace);
            break;
        case 0x40:
            f.setStyleHint(QFont::Cursive);
            break;
        case 0x50:
            f.setStyleHint(QFont::Decorative);
            break;
        default:
            f.setStyleHint(QFont::SansSerif);
            break;
    }
    f.setFamily(s.face.isEmpty() ? QStringLiteral("Arial") : s.face);
    f.setPixelSize(static_cast<int>(kReferencePixels));
    f.setWeight(static_cast<QFont::Weight>(s.weight <= 0 ? 400 : std::min(s.weight, 1000)));
    f.setItalic(s.italic);
    f.setUnderline(s.underline);
    f.setStrikeOut(s.strikeOut);
    const QFontMetricsF m(f);
    return TextFont{f, m.ascent(), m.descent(), m.height()};
}

QPen makePen(const PenStyle& s, double deviceScale) {
    const unsigned kind = s.style & 0x0F;
    if (kind == 5) return QPen(Qt::NoPen);
    QPen pen(QColor::fromRgb(s.color));
    if (s.width * deviceScale < 1.0) {
        pen.setWidthF(1.0);  // never thinner than one device pixel
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(std::min(s.width, 32767.0f));  // the widest pen the painter takes
    }
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    pen.setStyle(kind < 5 ? styles[kind] : Qt::SolidLine);
    const unsigned cap = (s.style >> 8) & 0x0F, join = (s.style >> 12) & 0x0F;
    pen.setCapStyle(cap == 1 ? Qt::SquareCap : cap == 2 ? Qt::FlatCap : Qt::RoundCap);
    // A rounded corner on a line under three pixels wide looks the same as a
    // bevelled one, and costs far more to draw.
    const bool thin = s.width * deviceScale < 3.0;
    pen.setJoinStyle(join == 1 || (join == 0 && thin) ? Qt::BevelJoin
                     : join == 2                      ? Qt::MiterJoin
                                                      : Qt::RoundJoin);
    return pen;
}

QBrush makeBrush(const BrushStyle& s) {
    static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                             Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    switch (s.kind) {
        case BrushKind::None:
            return QBrush(Qt::NoBrush);
        case BrushKind::Hatched:
            return QBrush(QColor::fromRgb(s.color), hatches[s.hatch]);
        case BrushKind::Solid:
            break;
    }
    return QBrush(QColor::fromRgb(s.color));
}

class Renderer {
public:
    Renderer(QPainter& p, const Metafile::Data& d, int inch) : p_(p), d_(d), inch_(inch) {
        const QTransform t = p.deviceTransform();
        deviceScale_ = std::sqrt(std::abs(t.determinant()));
        canDrawText_ = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
        if (canDrawText_) registerFaceSubstitutes();
    }

    void run() {
        for (const Op& op : d_.ops) {
            if (op.kind == OpKind::Text) {
                if (canDrawText_) text(d_.texts[op.first]);
                continue;
            }
            if (op.kind == OpKind::Image) {
                const ImageItem& im = d_.images[op.first];
                p_.drawImage(im.dest, im.image, im.source);
                continue;
            }
            if (op.opaqueBk) {
                // The background colour between a hatch's lines, under the shape.
                p_.setPen(Qt::NoPen);
                p_.setBrush(QColor::fromRgb(op.bk));
                shape(op);
                pen_ = brush_ = kNone;
            }
            setPen(op.pen);
            setBrush(op.brush);
            shape(op);
        }
    }

private:
    // Each pen and brush is made once a drawing: a hatch's pattern costs
    // more to make than a small shape does to paint.
    void setPen(std::uint32_t i) {
        if (i == pen_) return;
        pen_ = i;
        if (pens_.empty()) pens_.resize(d_.pens.size());
        if (!pens_[i]) pens_[i] = makePen(d_.pens[i], deviceScale_);
        p_.setPen(*pens_[i]);
    }
    void setBrush(std::uint32_t i) {
        if (i == brush_) return;
        brush_ = i;
        if (brushes_.empty()) brushes_.resize(d_.brushes.size());
        if (!brushes_[i]) brushes_[i] = makeBrush(d_.brushes[i]);
        p_.setBrush(*brushes_[i]);
    }

    void shape(const Op& op) {
        if (op.kind == OpKind::PolyPolygon) {
            p_.drawPath(d_.paths[op.first]);
            return;
        }
        // Every other shape keeps at least two points.
        const QPointF* pts = &d_.points[op.first];
        const QRectF r(pts[0], pts[1]);
        const Qt::FillRule rule = op.winding ? Qt::WindingFill : Qt::OddEvenFill;
        const auto a16 = static_cast<int>(std::lround(op.a * 16.0f));
        const auto b16 = static_cast<int>(std::lround(op.b * 16.0f));
        switch (op.kind) {
            case OpKind::Polygon:
                p_.drawPolygon(pts, static_cast<int>(op.count), rule);
                break;
            case OpKind::Polyline:
                p_.drawPolyline(pts, static_cast<int>(op.count));
                break;
            case OpKind::Line:
                p_.drawLine(pts[0], pts[1]);
                break;
            case OpKind::Rect:
                p_.drawRect(r);
                break;
            case OpKind::RoundRect:
                p_.drawRoundedRect(r, op.a, op.b);
                break;
            case OpKind::Ellipse:
                p_.drawEllipse(r);
                break;
            case OpKind::Arc:
                p_.drawArc(r, a16, b16);
                break;
            case OpKind::Pie:
                p_.drawPie(r, a16, b16);
                break;
            case OpKind::Chord:
                p_.drawChord(r, a16, b16);
                break;
            case OpKind::PolyPolygon:
            case OpKind::Text:
            case OpKind::Image:
                break;
        }
    }

    const TextFont& font(std::uint32_t i) {
        auto it = fonts_.find(i);
        if (it == fonts_.end()) it = fonts_.emplace(i, makeTextFont(d_.fonts[i])).first;
        return it->second;
    }

    void text(const TextItem& t) {
        const FontStyle& style = d_.fonts[t.font];
        const TextFont& f = font(t.font);
        // Negative heights give the character height, positive ones the whole cell.
        double k;
        if (style.height < 0) {
            k = -style.height / kReferencePixels;
        } else if (style.height > 0) {
            k = style.height / f.height;
        } else {
            k = inch_ / 6.0 / f.height;  // the device's own twelve points
        }
        const double width = QFontMetricsF(f.font).horizontalAdvance(t.text) * k;
        const double ascent = f.ascent * k, descent = f.descent * k;
        double x = t.pos.x(), baseline = t.pos.y();
        if ((t.align & kTaCenter) == kTaCenter) {
            x -= width / 2;
        } else if (t.align & kTaRight) {
            x -= width;
        }
        if ((t.align & kTaBaseline) != kTaBaseline) baseline += (t.align & kTaBottom) ? -descent : ascent;
        p_.save();
        if (t.clipRect) p_.setClipRect(t.rect, Qt::IntersectClip);
        if (t.fillRect) p_.fillRect(t.rect, QColor::fromRgb(t.bk));
        if (t.opaqueBk)
            p_.fillRect(QRectF(x, baseline - ascent, width, ascent + descent), QColor::fromRgb(t.bk));
        p_.translate(x, baseline);
        p_.scale(k, k);
        p_.setFont(f.font);
        p_.setPen(QColor::fromRgb(t.color));
        p_.drawText(QPointF(0, 0), t.text);
        p_.restore();
    }

    QPainter& p_;
    const Metafile::Data& d_;
    int inch_;
    double deviceScale_ = 1;
    bool canDrawText_ = false;
    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t pen_ = kNone, brush_ = kNone;
    std::vector<std::optional<QPen>> pens_;
    std::vector<std::optional<QBrush>> brushes_;
    std::unordered_map<std::uint32_t, TextFont> fonts_;
};

}  // namespace

std::optional<Metafile> Metafile::parse(const std::uint8_t* data, std::size_t size, std::string* error) {
    std::string why;
    // No data at all reads as empty data.
    std::shared_ptr<Data> d = Parser(data, data ? size : 0).run(why);
    if (!d) {
        if (error) *error = why;
        return std::nullopt;
    }
    if (error) error->clear();
    return Metafile(std::move(d));
}

std::optional<Metafile> Metafile::load(const std::string& path, std::string* error) {
    const std::optional<std::string> bytes = readWholeFile(path, static_cast<std::size_t>(kMaxFileSize));
    if (!bytes) {
        if (error) *error = "cannot read " + path + ": missing, no ordinary file, or too large for a picture";
        return std::nullopt;
    }
    return parse(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size(), error);
}

std::optional<Metafile> Metafile::load(const QString& path, std::string* error) {
    return load(pathBytes(path), error);
}

QRectF Metafile::bounds() const { return d_->bounds; }

const Metafile::Work& Metafile::work() const { return d_->work; }

int Metafile::unitsPerInch() const { return d_->inch; }

QSizeF Metafile::sizeInTwips() const { return d_->bounds.size() * (1440.0 / d_->inch); }

QRectF Metafile::frameIn(const QRectF& target, Fit fit) const {
    const QRectF t = target.normalized();
    if (fit == Fit::Stretch) return t;
    const QSizeF b = d_->bounds.size();
    const double sx = t.width() / b.width(), sy = t.height() / b.height();
    const double s = fit == Fit::Contain ? std::min(sx, sy) : std::max(sx, sy);
    const QSizeF size = b * s;
    return QRectF(t.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

void Metafile::render(QPainter& p, const QRectF& target) const { render(p, target, Fit::Stretch); }

void Metafile::render(QPainter& p, const QRectF& target, Fit fit) const {
    const QRectF frame = frameIn(target, fit);
    const QRectF clip = frame.intersected(target.normalized());
    if (clip.isEmpty() || !std::isfinite(frame.width()) || !std::isfinite(frame.height())) return;
    const QRectF& b = d_->bounds;
    p.save();
    p.setClipRect(clip, Qt::IntersectClip);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // Bitmaps are stretched pixel by pixel, as the devices the pictures were made for did.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.translate(frame.topLeft());
    p.scale(frame.width() / b.width(), frame.height() / b.height());
    p.translate(-b.topLeft());
    Renderer(p, *d_, d_->inch).run();
    p.restore();
}
