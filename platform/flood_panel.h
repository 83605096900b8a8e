#pragma once
// A raised 3-D panel with a flood bar: the bar fills the panel's sunken inside
// from the left to a given percentage, and the percentage is written across
// the middle, in the bar's colour over the empty part and in white over the
// filled part, so it reads wherever the bar's edge lies.
#include <QColor>
#include <QWidget>

class FloodPanel : public QWidget {
    Q_OBJECT
public:
    FloodPanel(QWidget* parent, const QString& name);

    // 0 to 100; values outside are held at the nearer end.
    void setFloodPercent(int percent);
    int floodPercent() const { return percent_; }
    void setFloodColor(const QColor& c);
    QColor floodColor() const { return flood_; }

    // The sunken inside that the bar fills at 100 %.
    QRect floodArea() const;
    // The part of floodArea() that the bar fills now.
    QRect floodBar() const;
    // The text written across the middle, such as "45%".
    QString floodText() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int percent_ = 0;
    QColor flood_ = QColor(0, 0, 0xFF);
};
