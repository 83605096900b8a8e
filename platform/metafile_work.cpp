#include <QRectF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/metafile_parser.h"

// Counting the cost of drawing: the reader adds up what each record asks of
// the painter and refuses a file past any bound.

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

namespace wmf {

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

}  // namespace wmf
