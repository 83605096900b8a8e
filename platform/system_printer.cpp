#include "platform/system_printer.h"

#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/seam.h"

namespace {
// The page the games lay out: a letter page, in points.
QSizeF letterPage(bool landscape) { return landscape ? QSizeF(792, 612) : QSizeF(612, 792); }

void cannotPrint() {
    seam().msgBox("The page could not be printed.", MsgButtons::OK, MsgIcon::Exclamation, "Quenvale",
                  nullptr);
}
}  // namespace

QTransform userScaleOnPaper(const QRectF& scale, QSizeF paper, QMarginsF margins, bool landscape) {
    if (landscape) {
        paper.transpose();
        // Which way a printer turns a landscape page is its own affair: keep
        // clear of the wider margin of each pair either way.
        const double across = std::max(margins.top(), margins.bottom());
        const double down = std::max(margins.left(), margins.right());
        margins = QMarginsF(across, down, across, down);
    }
    const QRectF printable = QRectF(QPointF(0, 0), paper).marginsRemoved(margins);
    const QSizeF letter = letterPage(landscape);
    const double fit = std::min(printable.width() / letter.width(), printable.height() / letter.height());
    QRectF page(QPointF(0, 0), letter * fit);
    page.moveCenter(printable.center());
    QTransform t;
    t.translate(page.left(), page.top());
    t.scale(page.width() / (scale.width() == 0 ? 1 : scale.width()),
            page.height() / (scale.height() == 0 ? 1 : scale.height()));
    t.translate(-scale.left(), -scale.top());
    return t;
}

std::unique_ptr<Printer> makeSystemPrinter() {
    return std::make_unique<SystemPrinter>(QString(), makeCupsPrintService());
}

SystemPrinter::SystemPrinter(QString pdfFolder, std::unique_ptr<PrintService> service,
                             std::function<QDateTime()> now)
    : pdfFolder_(std::move(pdfFolder)), service_(std::move(service)), now_(std::move(now)) {}

SystemPrinter::~SystemPrinter() { discardDocument(); }

void SystemPrinter::discardDocument() {
    if (painter_.isActive()) painter_.end();
    writer_.reset();
    document_.reset();
}

QPainter& SystemPrinter::painter() {
    // A page that could not be started stays undrawn until endDoc() says so.
    if (painter_.isActive() || failed_) return painter_;
    target_ = service_ ? service_->defaultPrinter() : DefaultPrinter();
    if (target_.state != DefaultPrinter::State::Ready) {
        // A page saved as a file is on the paper it was laid out for.
        target_.paper = letterPage(false);
        target_.margins = QMarginsF();
    }
    const bool landscape = orientation_ == 2;
    document_ = std::make_unique<QBuffer>();
    document_->open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(document_.get());
    writer_->setCreator("Quenvale");
    writer_->setTitle("Quenvale printout");
    writer_->setPageLayout(QPageLayout(QPageSize(target_.paper, QPageSize::Point),
                                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                       QMarginsF()));
    if (!painter_.begin(writer_.get())) {
        failed_ = true;
        return painter_;
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF letter = letterPage(landscape);
    fit_ = userScaleOnPaper(QRectF(QPointF(0, 0), letter), target_.paper, target_.margins, landscape).m11();
    updateTransform();
    return painter_;
}

QRectF SystemPrinter::scale() const {
    // Until a scale is set, the page is measured in twips from its top left.
    if (twipsScale_) return QRectF(QPointF(0, 0), letterPage(orientation_ == 2) * 20.0);
    return QRectF(QPointF(sx1_, sy1_), QPointF(sx2_, sy2_));
}

void SystemPrinter::updateTransform() {
    if (!painter_.isActive()) return;
    const double dotsPerPoint = writer_->resolution() / 72.0;
    toDevice_ = userScaleOnPaper(scale(), target_.paper, target_.margins, orientation_ == 2) *
                QTransform::fromScale(dotsPerPoint, dotsPerPoint);
    painter_.setWorldTransform(toDevice_);
}

// The orientation of a document is fixed when its page starts.
void SystemPrinter::setOrientation(int orientation) { orientation_ = orientation == 2 ? 2 : 1; }

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
// whatever the scale; only its position goes through the scale, and its size
// follows the letter page as that is fitted to the paper.
void SystemPrinter::print(const QString& text) {
    QPainter& p = painter();
    if (!p.isActive()) return;
    const QPointF at = toDevice_.map(QPointF(x_, y_));
    p.save();
    p.setWorldTransform(QTransform::fromScale(fit_, fit_) * QTransform::fromTranslate(at.x(), at.y()));
    p.setFont(QFont(font(), writer_.get()));
    p.setPen(Qt::black);
    QFontMetricsF m(p.font(), writer_.get());
    p.drawText(QPointF(0, m.ascent()), text);
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
        discardDocument();
        cannotPrint();
        return;
    }
    if (!painter_.isActive()) return;
    const bool finished = painter_.end();
    writer_.reset();
    const QByteArray pdf = document_->data();
    document_.reset();
    lastPdf_.clear();
    if (target_.state == DefaultPrinter::State::Ready) {
        if (!finished || !service_->submit(target_, pdf, "Quenvale printout")) cannotPrint();
        return;
    }
    if (finished) lastPdf_ = savePdf(pdf);
    if (lastPdf_.isEmpty()) {
        cannotPrint();
        return;
    }
    const QString why = target_.state == DefaultPrinter::State::Unreachable
                            ? "The printer could not be reached, so the page was saved as a file:\r"
                            : "There is no printer on this computer, so the page was saved as a file:\r";
    seam().msgBox(why + QDir::toNativeSeparators(lastPdf_), MsgButtons::OK, MsgIcon::Information, "Quenvale",
                  nullptr);
}

QString SystemPrinter::savePdf(const QByteArray& pdf) const {
    QString folder = pdfFolder_;
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    if (!QDir().mkpath(folder)) return {};
    // Written whole under a hidden name first, so that a full disk or a crash
    // leaves no broken file behind.
    QTemporaryFile part(folder + "/.Quenvale printout XXXXXX");
    if (!part.open()) return {};
    bool written = part.write(pdf) == pdf.size() && part.flush() && ::fsync(part.handle()) == 0;
    part.close();
    if (!written || part.error() != QFileDevice::NoError) return {};
    // Two pages printed within one second get a file each.
    const QString stem = folder + "/Quenvale printout " + now_().toString("yyyy-MM-dd hh.mm.ss");
    for (int n = 1; n < 1000; ++n) {
        const QString path = stem + (n == 1 ? QString() : QString(" (%1)").arg(n)) + ".pdf";
        // Never over an existing file.
        if (QFile::rename(part.fileName(), path)) return path;
        if (!QFileInfo::exists(path)) return {};
    }
    return {};
}
