#include "platform/flood_panel.h"

#include <QPainter>
#include <algorithm>

#include "platform/fonts.h"

namespace {
// The raised outer bevel, the grey band inside it and the sunken inner bevel.
constexpr int kOuterBevel = 2;
constexpr int kBand = 3;
constexpr int kInnerBevel = 1;

const QColor kFace(0xC0, 0xC0, 0xC0);
const QColor kShadow(0x80, 0x80, 0x80);

// Light above and left, dark below and right: raised; the reverse: sunken.
void bevel(QPainter& p, QRect r, int width, const QColor& topLeft, const QColor& bottomRight) {
    for (int i = 0; i < width; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(bottomRight);
        p.drawLine(r.left() + 1, r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top() + 1, r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
}
}  // namespace

FloodPanel::FloodPanel(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(vbFont("Arial", 9.75, true));
}

void FloodPanel::setFloodPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_) return;
    percent_ = percent;
    update();
}

void FloodPanel::setFloodColor(const QColor& c) {
    flood_ = c;
    update();
}

QRect FloodPanel::floodArea() const {
    const int inset = kOuterBevel + kBand + kInnerBevel;
    return rect().adjusted(inset, inset, -inset, -inset);
}

QRect FloodPanel::floodBar() const {
    const QRect area = floodArea();
    // Rounded to the nearest pixel, so 100 % always reaches the far edge.
    const int filled = (area.width() * percent_ + 50) / 100;
    return QRect(area.left(), area.top(), filled, area.height());
}

QString FloodPanel::floodText() const { return QString::number(percent_) + "%"; }

void FloodPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kFace);
    bevel(p, rect(), kOuterBevel, Qt::white, kShadow);
    const int band = kOuterBevel + kBand;
    bevel(p, rect().adjusted(band, band, -band, -band), kInnerBevel, kShadow, Qt::white);

    const QRect area = floodArea();
    const QRect bar = floodBar();
    p.fillRect(area, Qt::white);
    p.fillRect(bar, flood_);

    p.setFont(font());
    p.setClipRect(area.adjusted(bar.width(), 0, 0, 0));
    p.setPen(flood_);
    p.drawText(area, Qt::AlignCenter, floodText());
    p.setClipRect(bar);
    p.setPen(Qt::white);
    p.drawText(area, Qt::AlignCenter, floodText());
}
