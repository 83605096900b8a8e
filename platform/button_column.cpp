#include "platform/button_column.h"

#include <utility>

ButtonColumn::ButtonColumn(QWidget* parent, double left, double top, double width, double height,
                           double stepLeft, double stepTop, std::optional<QFont> font)
    : parent_(parent),
      left_(left),
      top_(top),
      width_(width),
      height_(height),
      stepLeft_(stepLeft),
      stepTop_(stepTop),
      font_(std::move(font)) {}

Button3D* ButtonColumn::add(const char* name, const char* caption) {
    auto* b = new Button3D(parent_, name, caption);
    placeTwips(b, left_ + stepLeft_ * count_, top_ + stepTop_ * count_, width_, height_);
    if (font_) b->setFont(*font_);
    ++count_;
    return b;
}
