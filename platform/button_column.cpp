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

void ButtonColumn::placeNext(QWidget* button) {
    placeTwips(button, left_ + stepLeft_ * count_, top_ + stepTop_ * count_, width_, height_);
    if (font_) button->setFont(*font_);
    ++count_;
}

CommandButton* makeOkButton(QWidget* parent, double left, double top, std::function<void()> onClick) {
    auto* ok = new CommandButton(parent, "cmdOK", "&OK");
    placeTwips(ok, left, top, 1095, 495);
    ok->onClick(std::move(onClick));
    return ok;
}
