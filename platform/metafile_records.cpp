#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "platform/metafile_parser.h"

// The records that draw or change how later records draw: each is checked
// against its size, turned into drawing steps in frame units, and its work
// counted before it is kept.

namespace {

// Deeper nesting than this is no drawing program's doing.
constexpr std::size_t kMaxSavedStates = 1024;

}  // namespace

namespace wmf {

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

}  // namespace wmf
