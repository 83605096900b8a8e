#include "platform/system_printer.h"

#include <QDateTime>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/fonts.h"
#include "platform/seam.h"

std::unique_ptr<Printer> makeSystemPrinter() { return std::make_unique<SystemPrinter>(); }

SystemPrinter::SystemPrinter(QString pdfPath) : fixedPdf_(std::move(pdfPath)) {}

SystemPrinter::~SystemPrinter() {
    if (painter_.isActive()) painter_.end();
}

QPainter& SystemPrinter::painter() {
    // A page that could not be started stays undrawn until endDoc() says so.
    if (painter_.isActive() || failed_) return painter_;
    const bool toPdf = !fixedPdf_.isEmpty() || QPrinterInfo::defaultPrinter().isNull();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (toPdf) {
        QString path = fixedPdf_;
        if (path.isEmpty()) {
            QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (dir.isEmpty()) dir = QDir::homePath();
            QDir().mkpath(dir);
            path = dir + "/Quenvale printout " +
                   QDateTime::currentDateTime().toString("yyyy-MM-dd hh.mm.ss") + ".pdf";
        }
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(path);
        // The pages are laid out in hundredths of an inch of a letter page.
        printer_->setPageSize(QPageSize(QPageSize::Letter));
        lastPdf_ = path;
    } else {
        printer_->setPrinterName(QPrinterInfo::defaultPrinter().printerName());
        lastPdf_.clear();
    }
    printer_->setFullPage(true);
    printer_->setPageOrientation(orientation_ == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!painter_.begin(printer_.get())) {
        failed_ = true;
        return painter_;
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    updateTransform();
    return painter_;
}

void SystemPrinter::updateTransform() {
    if (!painter_.isActive()) return;
    const QRectF page = printer_->pageRect(QPrinter::DevicePixel);
    double x1 = sx1_, y1 = sy1_, x2 = sx2_, y2 = sy2_;
    if (twipsScale_) {
        // Until a scale is set, the page is measured in twips from its top left.
        x1 = y1 = 0;
        x2 = page.width() / printer_->resolution() * 1440.0;
        y2 = page.height() / printer_->resolution() * 1440.0;
    }
    const double w = x2 - x1, h = y2 - y1;
    toDevice_ = QTransform();
    toDevice_.translate(page.left(), page.top());
    toDevice_.scale(page.width() / (w == 0 ? 1 : w), page.height() / (h == 0 ? 1 : h));
    toDevice_.translate(-x1, -y1);
    painter_.setWorldTransform(toDevice_);
}

void SystemPrinter::setOrientation(int orientation) {
    orientation_ = orientation == 2 ? 2 : 1;
    if (painter_.isActive()) {
        printer_->setPageOrientation(orientation_ == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
        updateTransform();
    }
}

void SystemPrinter::setFontName(const QString& name) { fontName_ = name; }
void SystemPrinter::setFontSize(double points) { fontSize_ = points; }
void SystemPrinter::setFontBold(bool bold) { bold_ = bold; }

void SystemPrinter::setScale(double x1, double y1, double x2, double y2) {
    sx1_ = x1;
    sy1_ = y1;
    sx2_ = x2;
    sy2_ = y2;
    twipsScale_ = false;
    x_ = x1;
    y_ = y1;
    updateTransform();
}

QFont SystemPrinter::font() const {
    QFont f(substituteFace(fontName_));
    f.setPointSizeF(fontSize_);
    f.setBold(bold_);
    return f;
}

// Text is drawn without the user scale, so its size in points stays true
// whatever the scale; only its position goes through the scale.
void SystemPrinter::print(const QString& text) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    QPointF at = toDevice_.map(QPointF(x_, y_));
    QFont f = font();
    p.save();
    p.resetTransform();
    p.setFont(QFont(f, printer_.get()));
    p.setPen(Qt::black);
    QFontMetricsF m(p.font(), printer_.get());
    p.drawText(QPointF(at.x(), at.y() + m.ascent()), text);
    p.restore();
    x_ = twipsScale_ ? 0 : sx1_;
    y_ += textHeight(text);
}

double SystemPrinter::textHeight(const QString&) const {
    // A point is 1/72 inch; the scale says how many of its units an inch holds.
    const double pageInches = orientation_ == 2 ? 8.5 : 11.0;
    const double unitsPerInch = twipsScale_ ? 1440.0 : std::abs(sy2_ - sy1_) / pageInches;
    return printedLineHeight(fontSize_, unitsPerInch);
}

double SystemPrinter::textWidth(const QString& text) const {
    QFontMetricsF m(font());
    const double pageInches = orientation_ == 2 ? 11.0 : 8.5;
    const double unitsPerInch = twipsScale_ ? 1440.0 : std::abs(sx2_ - sx1_) / pageInches;
    // The metrics measure in dots of the font's resolution.
    return m.horizontalAdvance(text) / m.fontDpi() * unitsPerInch;
}

void SystemPrinter::line(double x1, double y1, double x2, double y2, QColor color) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    p.setPen(QPen(color, 0));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    x_ = x2;
    y_ = y2;
}

void SystemPrinter::box(double x1, double y1, double x2, double y2, QColor color, bool filled) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    QRectF r = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    if (filled) {
        p.fillRect(r, color);
    } else {
        p.setPen(QPen(color, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
    x_ = x2;
    y_ = y2;
}

void SystemPrinter::paintPicture(const QImage& picture, double x, double y, double w, double h) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    p.drawImage(QRectF(x, y, w, h).normalized(), picture);
}

void SystemPrinter::endDoc() {
    if (failed_) {
        failed_ = false;
        printer_.reset();
        seam().msgBox("The page could not be printed.", MsgButtons::OK, MsgIcon::Exclamation, "Quenvale",
                      nullptr);
        return;
    }
    if (!painter_.isActive()) return;
    painter_.end();
    printer_.reset();
    if (!lastPdf_.isEmpty() && fixedPdf_.isEmpty()) {
        seam().msgBox("There is no printer on this computer, so the page was saved as a file:\r" +
                          QDir::toNativeSeparators(lastPdf_),
                      MsgButtons::OK, MsgIcon::Information, "Quenvale", nullptr);
    }
}
