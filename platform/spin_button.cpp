#include "platform/spin_button.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace {

// One half of the spin button: a raised face with an arrow pointing up or down.
class SpinArrow : public QAbstractButton {
public:
    SpinArrow(QWidget* parent, bool pointsUp) : QAbstractButton(parent), pointsUp_(pointsUp) {
        // The arrows step a value; taking the focus from the dialog's other
        // controls would only surprise the keyboard user.
        setFocusPolicy(Qt::NoFocus);
        setAutoRepeat(true);
        setAutoRepeatDelay(400);
        setAutoRepeatInterval(120);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        const bool down = isDown();
        p.fillRect(r, QColor(0xC0, 0xC0, 0xC0));
        // Light above and left, dark below and right; reversed while pressed.
        const QColor light = down ? QColor(0x80, 0x80, 0x80) : Qt::white;
        const QColor dark = down ? Qt::white : QColor(0x80, 0x80, 0x80);
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(light);
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
        p.setPen(dark);
        p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);

        // The arrow keeps its proportions in a tall or a wide half.
        const double shift = down ? 1.0 : 0.0;
        const double side = std::max(3.0, std::min(r.width() - 6.0, (r.height() - 4.0) * 1.6));
        const double h = side / 2.0;
        const double cx = r.width() / 2.0 + shift, cy = r.height() / 2.0 + shift;
        QPolygonF arrow;
        if (pointsUp_)
            arrow << QPointF(cx - h, cy + h / 2) << QPointF(cx + h, cy + h / 2) << QPointF(cx, cy - h / 2);
        else
            arrow << QPointF(cx - h, cy - h / 2) << QPointF(cx + h, cy - h / 2) << QPointF(cx, cy + h / 2);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor ink = isEnabled() ? Qt::black : QColor(0x80, 0x80, 0x80);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(arrow);
    }

private:
    bool pointsUp_;
};

}  // namespace

SpinButton::SpinButton(QWidget* parent, const QString& name)
    : QWidget(parent), up_(new SpinArrow(this, true)), down_(new SpinArrow(this, false)) {
    setObjectName(name);
    up_->setObjectName(name + "_up");
    down_->setObjectName(name + "_down");
    // A spin button steps as an arrow is pressed, and again at each repeat while it is held.
    connect(up_, &QAbstractButton::pressed, this, [this] {
        if (spinUp_) spinUp_();
    });
    connect(down_, &QAbstractButton::pressed, this, [this] {
        if (spinDown_) spinDown_();
    });
}

void SpinButton::resizeEvent(QResizeEvent*) {
    const int top = height() / 2;
    up_->setGeometry(0, 0, width(), top);
    down_->setGeometry(0, top, width(), height() - top);
}
