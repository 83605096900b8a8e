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
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/metafile_data.h"

// Drawing the read steps with QPainter, as vectors.

namespace {

using namespace wmf;

// Text is laid out in a font of this pixel size, then scaled to the wanted height.
constexpr double kReferencePixels = 256.0;

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
