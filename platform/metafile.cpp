#include "platform/metafile.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/data_file.h"
#include "platform/metafile_parser.h"

// Reading: the placeable header, the loop over the records and the table of
// objects they create. The records that draw are read in metafile_records.cpp,
// the work they ask for is counted in metafile_work.cpp, and the steps are
// drawn in metafile_render.cpp.

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
// Files larger than this are not pictures we could mean.
constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

}  // namespace

namespace wmf {

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

}  // namespace wmf

using wmf::Parser;

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
