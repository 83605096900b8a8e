#include "platform/recording_printer.h"

#include <QImage>
#include <cmath>
#include <cstdio>

std::string fmtNumber(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

void RecordingPrinter::setOrientation(int orientation) {
    orientation_ = orientation;
    add("orientation " + std::to_string(orientation));
}

void RecordingPrinter::setFontName(const QString& name) {
    fontName_ = name;
    add("fontname " + name.toStdString());
}

void RecordingPrinter::setFontSize(double points) {
    fontSize_ = points;
    add("fontsize " + fmtNumber(points));
}

void RecordingPrinter::setFontBold(bool bold) { add(std::string("fontbold ") + (bold ? "1" : "0")); }

void RecordingPrinter::setScale(double x1, double y1, double x2, double y2) {
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleHeight_ = y2 - y1;
    x_ = x1;
    y_ = y1;
    add("scale " + fmtNumber(x1) + " " + fmtNumber(y1) + " " + fmtNumber(x2) + " " + fmtNumber(y2));
}

void RecordingPrinter::print(const QString& text) {
    add("text " + fmtNumber(x_) + " " + fmtNumber(y_) + " " + text.toStdString());
    x_ = scaleLeft_;
    y_ += textHeight(text);
}

// Lines are as high as on the real printer, on a letter page.
double RecordingPrinter::textHeight(const QString&) const {
    double pageInches = orientation_ == 2 ? 8.5 : 11.0;
    return printedLineHeight(fontSize_, std::fabs(scaleHeight_) / pageInches);
}

double RecordingPrinter::textWidth(const QString& text) const { return 0.6 * textHeight(text) * text.size(); }

void RecordingPrinter::line(double x1, double y1, double x2, double y2, QColor color) {
    add("line " + fmtNumber(x1) + " " + fmtNumber(y1) + " " + fmtNumber(x2) + " " + fmtNumber(y2) + " " +
        color.name().toStdString());
}

void RecordingPrinter::box(double x1, double y1, double x2, double y2, QColor color, bool filled) {
    add("box " + fmtNumber(x1) + " " + fmtNumber(y1) + " " + fmtNumber(x2) + " " + fmtNumber(y2) + " " +
        color.name().toStdString() + (filled ? " filled" : ""));
}

void RecordingPrinter::paintPicture(const QImage& picture, double x, double y, double w, double h) {
    add("picture " + fmtNumber(x) + " " + fmtNumber(y) + " " + fmtNumber(w) + " " + fmtNumber(h) +
        (picture.isNull() ? " empty" : ""));
}

void RecordingPrinter::endDoc() {
    add("enddoc");
    documents.push_back(commands);
    commands.clear();
}
