#include "platform/picture_box.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "platform/fonts.h"
#include "platform/forms.h"
#include "platform/units.h"

PictureBox::PictureBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    textFont_ = vbFont("MS Sans Serif", 8.25);
    setScaleMode(Twips);
}

void PictureBox::place(const QRect& pixels) {
    setGeometry(pixels);
    ensureImage();
}

QRect PictureBox::innerRect() const { return border_ ? rect().adjusted(1, 1, -1, -1) : rect(); }

namespace {
// Where a logical pixel's edge lies on a device of the given density.
int devicePixels(int logical, qreal ratio) { return static_cast<int>(std::lround(logical * ratio)); }
}  // namespace

void PictureBox::resetImage() {
    logical_ = innerRect().size().expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatioF();
    QImage fresh(std::max(1, devicePixels(logical_.width(), ratio)),
                 std::max(1, devicePixels(logical_.height(), ratio)), QImage::Format_RGB32);
    fresh.setDevicePixelRatio(ratio);
    fresh.fill(back_);
    image_ = fresh;
    onlyKept_ = true;
    drawKeptPicture();
    if (mode_ != User) setScaleMode(mode_);
}

void PictureBox::ensureImage() const {
    const bool sameSize = logical_ == innerRect().size().expandedTo(QSize(1, 1));
    const bool sameDensity = image_.devicePixelRatio() == devicePixelRatioF();
    if (!image_.isNull() && sameSize && sameDensity) return;
    auto* self = const_cast<PictureBox*>(this);
    QImage old = image_;
    const bool onlyKept = onlyKept_;
    self->resetImage();
    // Kept drawing survives a change of size, as far as it still fits, and a
    // change of density, enlarged or reduced to it.
    if (!old.isNull() && !(onlyKept && sameSize)) {
        QPainter p(&self->image_);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(0, 0, old);
        self->onlyKept_ = false;
    }
}

QRect PictureBox::deviceRect(const QRect& logical) const {
    // Each edge on its own, so rectangles that meet in logical pixels meet in
    // device pixels too, at any ratio.
    const qreal ratio = image_.devicePixelRatio();
    return QRect(QPoint(devicePixels(logical.left(), ratio), devicePixels(logical.top(), ratio)),
                 QPoint(devicePixels(logical.left() + logical.width(), ratio) - 1,
                        devicePixels(logical.top() + logical.height(), ratio) - 1));
}

// At a ratio of 1 the painter draws an aliased pen of odd width half a pixel
// right of and below its line, and a one-pixel outline with square corners.
// At a finer density the figure is moved that half pixel, fill and all, so
// that it covers the same logical pixels and its fill stays inside its
// outline.
template <class Draw>
void PictureBox::strokeAndFill(QPainter& p, const QPen& pen, const QBrush& brush, Draw draw) {
    QPen outline(pen);
    if (image_.devicePixelRatio() != 1) {
        if (pen.width() == 1) outline.setJoinStyle(Qt::MiterJoin);
        if (pen.width() % 2 == 1) p.translate(0.5, 0.5);
    }
    p.setPen(outline);
    p.setBrush(brush);
    draw();
}

void PictureBox::resizeEvent(QResizeEvent*) { ensureImage(); }

void PictureBox::setBorder(bool on) {
    border_ = on;
    resetImage();
    changed();
}

void PictureBox::setScaleMode(ScaleMode mode) {
    mode_ = mode;
    const QSize s = innerRect().size();
    left_ = top_ = 0;
    if (mode == Pixels) {
        width_ = s.width();
        height_ = s.height();
    } else if (mode == Twips) {
        width_ = pixelsToTwips(s.width());
        height_ = pixelsToTwips(s.height());
    }
}

void PictureBox::setScale(double x1, double y1, double x2, double y2) {
    mode_ = User;
    left_ = x1;
    top_ = y1;
    width_ = x2 - x1;
    height_ = y2 - y1;
    if (width_ == 0) width_ = 1;
    if (height_ == 0) height_ = 1;
}

double PictureBox::xToPixels(double x) const { return (x - left_) * logicalSize().width() / width_; }
double PictureBox::yToPixels(double y) const { return (y - top_) * logicalSize().height() / height_; }
QPointF PictureBox::toPixels(double x, double y) const { return {xToPixels(x), yToPixels(y)}; }

void PictureBox::setBackColor(const QColor& c) {
    ensureImage();
    back_ = c;
    Cls();
}

void PictureBox::drawKeptPicture() {
    if (!pictureImage_.isNull()) {
        QPainter p(&image_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, pictureImage_);
        return;
    }
    if (!picture_) return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    picture_->render(p, QRectF(QPointF(0, 0), QSizeF(logical_)), pictureFit_);
}

void PictureBox::Cls() {
    ensureImage();
    image_.fill(back_);
    onlyKept_ = true;
    drawKeptPicture();
    currentX = left_;
    currentY = top_;
    changed();
}

void PictureBox::setPicture(std::optional<Metafile> picture, Metafile::Fit fit) {
    picture_ = std::move(picture);
    pictureFit_ = fit;
    pictureImage_ = QImage();
    Cls();
}

void PictureBox::setPicture(const QImage& picture) {
    picture_.reset();
    pictureImage_ = picture;
    Cls();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    ensureImage();
    QPainter p(&image_);
    const QPointF from = toPixels(x1, y1), to = toPixels(x2, y2);
    strokeAndFill(p, QPen(penColor(color), drawWidth_), Qt::NoBrush, [&] { p.drawLine(from, to); });
    currentX = x2;
    currentY = y2;
    drawn();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, std::optional<QColor> color, bool filled) {
    ensureImage();
    // Both corners belong to the box: in pixels it runs from the lower to the
    // higher corner inclusive.
    QPointF a = toPixels(x1, y1), b = toPixels(x2, y2);
    int l = static_cast<int>(std::floor(std::min(a.x(), b.x()) + 0.5));
    int t = static_cast<int>(std::floor(std::min(a.y(), b.y()) + 0.5));
    int r = static_cast<int>(std::floor(std::max(a.x(), b.x()) + 0.5));
    int btm = static_cast<int>(std::floor(std::max(a.y(), b.y()) + 0.5));
    QPainter p(&image_);
    const QColor c = penColor(color);
    if (filled) {
        p.fillRect(QRect(QPoint(l, t), QPoint(r, btm)), c);
    } else {
        const QRect outline = QRect(QPoint(l, t), QPoint(r, btm)).adjusted(0, 0, -1, -1);
        strokeAndFill(p, QPen(c, drawWidth_), fillSolid_ ? QBrush(fill_) : QBrush(Qt::NoBrush),
                      [&] { p.drawRect(outline); });
    }
    currentX = x2;
    currentY = y2;
    drawn();
}

void PictureBox::Circle(double x, double y, double radius, std::optional<QColor> color) {
    ensureImage();
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(penColor(color), drawWidth_));
    p.setBrush(fillSolid_ ? QBrush(fill_) : Qt::NoBrush);
    const double rx = radius * logical_.width() / std::fabs(width_);
    p.drawEllipse(toPixels(x, y), rx, rx);
    currentX = x;
    currentY = y;
    drawn();
}

void PictureBox::PSet(double x, double y, std::optional<QColor> color) {
    ensureImage();
    QPointF q = toPixels(x, y);
    const int px = static_cast<int>(std::floor(q.x())), py = static_cast<int>(std::floor(q.y()));
    // The whole logical pixel, in each of its device pixels.
    const QRect dot = deviceRect(QRect(px, py, 1, 1)).intersected(image_.rect());
    for (int dy = dot.top(); dy <= dot.bottom(); ++dy)
        for (int dx = dot.left(); dx <= dot.right(); ++dx) image_.setPixelColor(dx, dy, penColor(color));
    currentX = x;
    currentY = y;
    drawn();
}

void PictureBox::Polygon(const std::vector<QPointF>& pts) {
    ensureImage();
    if (pts.size() < 2) return;
    QPainter p(&image_);
    strokeAndFill(p, QPen(fore_, drawWidth_), fillSolid_ ? QBrush(fill_) : QBrush(Qt::NoBrush),
                  [&] { p.drawPolygon(pts.data(), static_cast<int>(pts.size())); });
    drawn();
}

double PictureBox::textWidth(const QString& text) const {
    ensureImage();
    return QFontMetricsF(textFont_).horizontalAdvance(text) * width_ / logical_.width();
}

double PictureBox::textHeight(const QString&) const {
    ensureImage();
    return QFontMetricsF(textFont_).height() * height_ / logical_.height();
}

void PictureBox::Print(const QString& text) {
    ensureImage();
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(textFont_);
    p.setPen(fore_);
    QPointF at = toPixels(currentX, currentY);
    p.drawText(QPointF(at.x(), at.y() + QFontMetricsF(textFont_).ascent()), text);
    currentX = left_;
    currentY += textHeight(text);
    drawn();
}

void PictureBox::PaintPicture(const Metafile& picture, double x, double y, double w, double h,
                              Metafile::Fit fit) {
    ensureImage();
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    QPointF a = toPixels(x, y), b = toPixels(x + w, y + h);
    picture.render(p, QRectF(a, b).normalized(), fit);
    drawn();
}

void PictureBox::PaintPicture(const QImage& picture, double x, double y, double w, double h) {
    ensureImage();
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPointF a = toPixels(x, y), b = toPixels(x + w, y + h);
    p.drawImage(QRectF(a, b).normalized(), picture);
    drawn();
}

void PictureBox::BitBlt(int x, int y, int w, int h, const PictureBox& source, int sx, int sy) {
    ensureImage();
    source.ensureImage();
    if (w <= 0 || h <= 0) return;
    const QRect from = source.deviceRect(QRect(sx, sy, w, h));
    QImage part = source.image_.copy(from);  // a copy, so a box may copy onto itself
    if (source.image_.devicePixelRatio() == image_.devicePixelRatio()) {
        // Device pixel for device pixel, painted on the image's own pixels.
        QImage pixels(image_.bits(), image_.width(), image_.height(), image_.bytesPerLine(), image_.format());
        QPainter p(&pixels);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        part.setDevicePixelRatio(1);
        p.drawImage(deviceRect(QRect(x, y, w, h)).topLeft(), part);
    } else {
        // Boxes on screens of different densities: the part is enlarged or reduced to this one's.
        QPainter p(&image_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(x, y, w, h), part);
    }
    drawn();
}

void PictureBox::drawn() {
    onlyKept_ = false;
    changed();
}

void PictureBox::changed() {
    // Drawing done by the paint handler itself is shown by that same paint.
    if (!inPaint_) update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    ensureImage();
    if (onPaint) {
        inPaint_ = true;
        onPaint();
        inPaint_ = false;
    }
    QPainter p(this);
    const QRect inner = innerRect();
    p.drawImage(inner.topLeft(), image_);
    if (border_) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    QPointF at = e->position() - innerRect().topLeft();
    if (onMouseDown)
        onMouseDown(vbButton(e->button()), vbShift(e->modifiers()),
                    left_ + at.x() * width_ / logical_.width(), top_ + at.y() * height_ / logical_.height());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    QPointF at = e->position() - innerRect().topLeft();
    if (onMouseUp)
        onMouseUp(vbButton(e->button()), vbShift(e->modifiers()), left_ + at.x() * width_ / logical_.width(),
                  top_ + at.y() * height_ / logical_.height());
    bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(e->position().toPoint()) && e->button() == Qt::LeftButton && onClick)
        onClick();
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
    QPointF at = e->position() - innerRect().topLeft();
    int buttons = (e->buttons() & Qt::LeftButton ? 1 : 0) | (e->buttons() & Qt::RightButton ? 2 : 0);
    if (onMouseMove)
        onMouseMove(buttons, vbShift(e->modifiers()), left_ + at.x() * width_ / logical_.width(),
                    top_ + at.y() * height_ / logical_.height());
}

// The second press of a double click is a double click only, not another press or click.
void PictureBox::mouseDoubleClickEvent(QMouseEvent*) {
    if (onDblClick) onDblClick();
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
    int code = vbKeyCode(e->key());
    if (code && onKeyDown) onKeyDown(code, vbShift(e->modifiers()));
    if (code == 0 && vbKeyCode(e->key()) != 0) return;
    if (const int typed = vbKeyAscii(e); typed && onKeyPress) {
        int ascii = typed;
        onKeyPress(ascii);
    }
}

void PictureBox::keyReleaseEvent(QKeyEvent* e) {
    int code = vbKeyCode(e->key());
    if (code && onKeyUp) onKeyUp(code, vbShift(e->modifiers()));
}
