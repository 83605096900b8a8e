#include "platform/line_shape.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/units.h"

LineShape::LineShape(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineShape::setPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    place();
}

void LineShape::setBorderColor(const QColor& c) {
    color_ = c;
    update();
}

void LineShape::setBorderWidth(int pixels) {
    width_ = std::max(1, pixels);
    place();
}

void LineShape::place() {
    const int margin = (width_ + 1) / 2 + 1;
    const int left = std::min(twipsToPixels(x1_), twipsToPixels(x2_)) - margin;
    const int top = std::min(twipsToPixels(y1_), twipsToPixels(y2_)) - margin;
    const int right = std::max(twipsToPixels(x1_), twipsToPixels(x2_)) + margin;
    const int bottom = std::max(twipsToPixels(y1_), twipsToPixels(y2_)) + margin;
    setGeometry(left, top, right - left + 1, bottom - top + 1);
    update();
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(color_, width_);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const QPointF origin = pos();
    const double k = kTwipsPerPixel;
    p.drawLine(QPointF(x1_ / k, y1_ / k) - origin, QPointF(x2_ / k, y2_ / k) - origin);
}
