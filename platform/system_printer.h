#pragma once
// The Printer on the system's default printer, or, where the machine has
// none, on a PDF file in the user's documents folder.
#include <QPainter>
#include <QString>
#include <QTransform>
#include <memory>

#include "platform/printer.h"

class QPrinter;

class SystemPrinter : public Printer {
public:
    // With an empty pdfPath the default printer is used when there is one,
    // else a new PDF file in the documents folder.
    explicit SystemPrinter(QString pdfPath = QString());
    ~SystemPrinter() override;

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

    // The PDF file of the last document, when it went to one.
    QString lastPdf() const { return lastPdf_; }

private:
    QPainter& painter();
    QFont font() const;
    void updateTransform();

    QString fixedPdf_;
    QString lastPdf_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QTransform toDevice_;
    int orientation_ = 1;
    QString fontName_ = "Courier New";
    double fontSize_ = 12;
    bool bold_ = false;
    double sx1_ = 0, sy1_ = 0, sx2_ = 1440, sy2_ = 1440;
    bool twipsScale_ = true;
    // The page could not be started (no room for the file, a printer that refused it).
    bool failed_ = false;
    double x_ = 0, y_ = 0;
};
