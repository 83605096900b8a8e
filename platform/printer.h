#pragma once
// The system printer as the games draw on it: a user scale, a font, text at a
// current position, boxes, lines, pictures and an end of document. Nothing is
// sent until endDoc().
#include <QColor>
#include <QString>
#include <memory>

class QPicture;
class QImage;

class Printer {
public:
    virtual ~Printer() = default;

    // 1 portrait, 2 landscape; takes effect for the next page drawn.
    virtual void setOrientation(int orientation) = 0;
    virtual int orientation() const = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    // The user scale: (x1, y1) at the top left of the page, (x2, y2) at the bottom right.
    virtual void setScale(double x1, double y1, double x2, double y2) = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    // Text at the current position; afterwards the position is at the start of
    // the next line (left edge of the scale, one line lower).
    virtual void print(const QString& text) = 0;
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;
    virtual void line(double x1, double y1, double x2, double y2, QColor color) = 0;
    // A rectangle, filled with its colour or outlined in it.
    virtual void box(double x1, double y1, double x2, double y2, QColor color, bool filled) = 0;
    // A picture stretched into a box of the user scale.
    virtual void paintPicture(const QImage& picture, double x, double y, double w, double h) = 0;
    // Ends the document and sends it to the printer.
    virtual void endDoc() = 0;
};

// The height of one printed line: the font's size with a little leading, in
// the units of a scale that holds unitsPerInch to the inch.
inline double printedLineHeight(double points, double unitsPerInch) {
    return points / 72.0 * unitsPerInch * 1.15;
}

// The system's default printer; where the machine has none or it cannot be
// reached, the document is written as a PDF file and the user is told where
// it went and why.
std::unique_ptr<Printer> makeSystemPrinter();
