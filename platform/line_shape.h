#pragma once
// A line drawn on a window or inside a container, from one end point to the
// other in twips of its parent. Like a shape it takes no input.
#include <QColor>
#include <QWidget>

class LineShape : public QWidget {
    Q_OBJECT
public:
    LineShape(QWidget* parent, const QString& name);

    // The two end points, in twips of the parent.
    void setPoints(double x1, double y1, double x2, double y2);
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }

    void setBorderColor(const QColor& c);
    QColor borderColor() const { return color_; }
    // The pen's width in pixels.
    void setBorderWidth(int pixels);
    int borderWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    // The widget covers the line's bounding box and half a pen beyond it.
    void place();
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QColor color_ = Qt::black;
    int width_ = 1;
};
