#pragma once
// A picture box: a drawing surface that keeps what is drawn on it (so a cover
// or a blocking wait never loses it), with a scale of its own, a current
// position for text, and the mouse, key and paint events of a control.
//
// Its unit is the logical pixel, but what it keeps is drawn at the density of
// the screen its window is on (the device pixel ratio), so pictures, lines
// and text stay as sharp as the rest of the window on a scaled screen.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "platform/metafile.h"

class QPainter;
class QPen;

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum ScaleMode { User = 0, Twips = 1, Pixels = 3 };

    PictureBox(QWidget* parent, const QString& name);

    // Places the box (in pixels) and gives it a kept image and a scale of its
    // new size at once: a box on a window not shown yet would otherwise get
    // them only when shown, after what was meant for it had been drawn.
    void place(const QRect& pixels);

    // The scale: twips by default; pixels; or a user scale whose top-left
    // corner is (x1, y1) and bottom-right corner (x2, y2).
    void setScaleMode(ScaleMode mode);
    void setScale(double x1, double y1, double x2, double y2);
    ScaleMode scaleMode() const { return mode_; }
    double scaleLeft() const { return left_; }
    double scaleTop() const { return top_; }
    double scaleWidth() const { return width_; }
    double scaleHeight() const { return height_; }
    QPointF toPixels(double x, double y) const;
    double xToPixels(double x) const;
    double yToPixels(double y) const;

    void setBackColor(const QColor& c);
    QColor backColor() const { return back_; }
    void setForeColor(const QColor& c) { fore_ = c; }
    QColor foreColor() const { return fore_; }
    void setFillColor(const QColor& c) { fill_ = c; }
    // Fill of closed figures: false is transparent (the default), true solid in the fill colour.
    void setFillSolid(bool solid) { fillSolid_ = solid; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels; }
    void setTextFont(const QFont& f) { textFont_ = f; }
    // A single black line around the box.
    void setBorder(bool on);

    // Clears to the back colour; the current position goes to the top left.
    void Cls();
    void Line(double x1, double y1, double x2, double y2, std::optional<QColor> color = std::nullopt);
    // A box from corner to corner, both corners included: outlined, or filled in its colour.
    void Box(double x1, double y1, double x2, double y2, std::optional<QColor> color = std::nullopt,
             bool filled = false);
    void Circle(double x, double y, double radius, std::optional<QColor> color = std::nullopt);
    void PSet(double x, double y, std::optional<QColor> color = std::nullopt);
    // A polygon in pixels, outlined in the fore colour and filled as set.
    void Polygon(const std::vector<QPointF>& pixelPoints);
    // Text at the current position; afterwards the position is at the start of the next line.
    void Print(const QString& text);
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;
    double currentX = 0, currentY = 0;

    // Pictures drawn into a rectangle of the scale.
    void PaintPicture(const Metafile& picture, double x, double y, double w, double h,
                      Metafile::Fit fit = Metafile::Fit::Stretch);
    void PaintPicture(const QImage& picture, double x, double y, double w, double h);
    // A kept picture shown under everything drawn (as a loaded picture is); Cls keeps it.
    void setPicture(std::optional<Metafile> picture, Metafile::Fit fit = Metafile::Fit::Stretch);
    // The same for a picture already drawn, shown from the top left corner
    // at its own size; each Cls copies it rather than drawing it again.
    void setPicture(const QImage& picture);
    bool hasPicture() const { return picture_.has_value() || !pictureImage_.isNull(); }

    // Copies a rectangle of pixels from a box (this one or another) to this one:
    // the device pixels under it, so nothing is lost or smoothed on the way.
    void BitBlt(int x, int y, int w, int h, const PictureBox& source, int sx, int sy);

    // What the box shows now: its kept picture, then what was drawn, in device
    // pixels (its devicePixelRatio() is the density it is drawn at).
    const QImage& image() const {
        ensureImage();
        return image_;
    }
    // The image's size in logical pixels, the unit of the pixel scale.
    QSize logicalSize() const {
        ensureImage();
        return logical_;
    }

    // Events.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    // Button 1 left, 2 right, 4 middle; x and y in the box's scale.
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseUp;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    std::function<void(int& KeyCode, int Shift)> onKeyDown;
    std::function<void(int& KeyCode, int Shift)> onKeyUp;
    std::function<void(int& KeyAscii)> onKeyPress;
    // Runs before the box is shown on screen, to redraw it from the game's state.
    std::function<void()> onPaint;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void resetImage();
    // A hidden box gets no resize event, yet what is drawn on it must be kept
    // at its size from the start; and a window moved to a screen of another
    // density gets no event that every Qt version sends, so the density is
    // checked wherever the image is drawn on or shown.
    void ensureImage() const;
    QRect deviceRect(const QRect& logical) const;
    template <class Draw>
    void strokeAndFill(QPainter& p, const QPen& pen, const QBrush& brush, Draw draw);
    void changed();
    // Something was drawn over what Cls leaves.
    void drawn();
    bool inPaint_ = false;
    void drawKeptPicture();
    QColor penColor(std::optional<QColor> c) const { return c ? *c : fore_; }
    QRect innerRect() const;

    QImage image_;
    QSize logical_;
    // Nothing drawn since the last Cls: a new density draws the box anew
    // rather than enlarging what it showed.
    bool onlyKept_ = true;
    ScaleMode mode_ = Twips;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    QColor back_ = QColor(0xC0, 0xC0, 0xC0), fore_ = Qt::black, fill_ = Qt::black;
    bool fillSolid_ = false;
    int drawWidth_ = 1;
    bool border_ = false;
    QFont textFont_;
    std::optional<Metafile> picture_;
    Metafile::Fit pictureFit_ = Metafile::Fit::Stretch;
    QImage pictureImage_;
    bool pressed_ = false;
};
