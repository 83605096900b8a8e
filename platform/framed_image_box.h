#pragma once
// An image box with a border style: 0 none, 1 a thin single black line around
// the box, drawn over the picture's edge as the classic control did.
#include "platform/forms.h"

class FramedImageBox : public ImageBox {
    Q_OBJECT
public:
    FramedImageBox(QWidget* parent, const QString& name) : ImageBox(parent, name) {}
    void setBorderStyle(int style);
    int borderStyle() const { return borderStyle_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int borderStyle_ = 0;
};
