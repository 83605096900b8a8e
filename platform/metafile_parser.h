#pragma once
// The metafile reader's parser: it walks the records once, keeps the device
// state they change, and appends drawing steps, counting the drawing work
// they ask for as it goes. Only the metafile's own files include this.
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/metafile_data.h"

namespace wmf {

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

inline std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::int16_t s16(const std::uint8_t* p) { return static_cast<std::int16_t>(u16(p)); }
inline std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(u16(p)) | (static_cast<std::uint32_t>(u16(p + 2)) << 16);
}
inline std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

// 0x00BBGGRR (palette-relative flags in the top byte are ignored).
inline QRgb colorRef(std::uint32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

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

enum class DibResult { Ok, Unsupported, Bad };

// Decodes an uncompressed device-independent bitmap (header, colour table, bits)
// into image, upright, spending its pixels from pixelBudget.
DibResult decodeDib(const std::uint8_t* p, std::size_t n, bool paletteIndices, QImage& image,
                    std::uint64_t& pixelBudget, std::string& why);

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

}  // namespace wmf
