#pragma once
// A printer that records what is drawn, one command a line, for tests.
#include <QString>
#include <string>
#include <vector>

#include "platform/printer.h"

class RecordingPrinter : public Printer {
public:
    void setOrientation(int orientation) override;
    int orientation() const override { return orientation_; }
    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setScale(double x1, double y1, double x2, double y2) override;
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void print(const QString& text) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;
    void line(double x1, double y1, double x2, double y2, QColor color) override;
    void box(double x1, double y1, double x2, double y2, QColor color, bool filled) override;
    void paintPicture(const QImage& picture, double x, double y, double w, double h) override;
    void endDoc() override;

    // Commands of the document under way, e.g. "scale 0 0 850 1100", "font Courier New 12",
    // "text 100 50 CROSSWORD", "box 10 10 20 20 #808080 filled", "picture 1 2 3 4", "orientation 2".
    std::vector<std::string> commands;
    // Each finished document's commands.
    std::vector<std::vector<std::string>> documents;

private:
    void add(const std::string& c) { commands.push_back(c); }
    int orientation_ = 1;
    double x_ = 0, y_ = 0;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleHeight_ = 1;
    double fontSize_ = 12;
    QString fontName_ = "Courier New";
};

std::string fmtNumber(double v);
