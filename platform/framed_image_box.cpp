#include "platform/framed_image_box.h"

#include <QPainter>

void FramedImageBox::setBorderStyle(int style) {
    borderStyle_ = style;
    update();
}

void FramedImageBox::paintEvent(QPaintEvent* e) {
    ImageBox::paintEvent(e);
    if (borderStyle_ != 1) return;
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
