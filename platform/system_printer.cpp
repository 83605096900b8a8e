#include "platform/system_printer.h"

#include <fcntl.h>
#include <stdio.h>
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
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <system_error>
#include <thread>

#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/seam.h"

namespace {
// How long a page waits for the default printer before it goes to a file.
constexpr double kLookupWait = 0.6;
// How long a page waits for the printer to take it before it goes to a file.
constexpr double kJobWait = 1.0;
// How long the end of the program waits for calls to the service to stop.
constexpr auto kEndingWait = std::chrono::milliseconds(250);

// The page the games lay out: a letter page, in points.
QSizeF letterPage(bool landscape) { return landscape ? QSizeF(792, 612) : QSizeF(612, 792); }

void tell(const QString& text, MsgIcon icon) {
    seam().msgBox(text, MsgButtons::OK, icon, "Quenvale", nullptr);
}

void cannotPrint() { tell("The page could not be printed.", MsgIcon::Exclamation); }

QString savedBecause(DefaultPrinter::State why) {
    switch (why) {
        case DefaultPrinter::State::NoDefault:
            return "No printer is chosen as the default, so the page was saved as a file:\r";
        case DefaultPrinter::State::NoService:
            return "The print service is not running, so the page was saved as a file:\r";
        case DefaultPrinter::State::Unreachable:
            return "The printer could not be reached in time, so the page was saved as a file:\r";
        case DefaultPrinter::State::Failed:
        case DefaultPrinter::State::Ready:
            return "The page could not be sent to the printer, so it was saved as a file:\r";
        case DefaultPrinter::State::NoPrinter:
            break;
    }
    return "There is no printer on this computer, so the page was saved as a file:\r";
}

// Puts a finished file under a new name, never over what stands there, file
// or link, and never by copying.
bool renameNew(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot rename so: a new link never replaces either.
    if (::link(from.constData(), to.constData()) != 0) return false;
    ::unlink(from.constData());
    return true;
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

SystemPrinter::~SystemPrinter() {
    discardDocument();
    // Calls still waiting for the service are told to stop and given a moment
    // to do so; one that takes longer ends on its own, holding all it uses, so
    // the end of the program never waits long for a service that is stuck.
    for (const auto& call : calls_) call->ending = true;
    const auto until = std::chrono::steady_clock::now() + kEndingWait;
    for (const auto& call : calls_)
        while (!call->finished && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

template <class Result>
std::shared_ptr<PrintErrand<Result>> SystemPrinter::start(
    std::function<Result(PrintService&, const PrintCall&)> work, Result ifBroken) {
    std::erase_if(calls_, [](const auto& call) { return call->finished.load(); });
    auto errand = std::make_shared<PrintErrand<Result>>();
    errand->result = ifBroken;
    try {
        std::thread([errand, service = service_, work = std::move(work)] {
            try {
                errand->result = work(*service, *errand);
            } catch (...) {
            }
            errand->finished = true;
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    calls_.push_back(errand);
    return errand;
}

DefaultPrinter SystemPrinter::lookUpPrinter() {
    if (!service_) return {};
    DefaultPrinter late;
    late.state = DefaultPrinter::State::Failed;
    // A lookup that ended after an earlier page gave up on it may be out of
    // date by now; one still waiting is waited for again.
    if (lookup_ && lookup_->finished) lookup_.reset();
    if (!lookup_)
        lookup_ = start<DefaultPrinter>(
            [](PrintService& service, const PrintCall& call) { return service.defaultPrinter(call); }, late);
    if (!lookup_) return late;
    const auto lookup = lookup_;
    late.state = DefaultPrinter::State::Unreachable;
    if (!seam().waitFor([&] { return lookup->finished.load(); }, kLookupWait)) return late;
    lookup_.reset();
    return lookup->result;
}

JobOutcome SystemPrinter::send(const QByteArray& pdf) {
    const auto job = start<JobOutcome>(
        [target = target_, pdf](PrintService& service, const PrintCall& call) {
            return service.submit(target, pdf, "Quenvale printout", call);
        },
        JobOutcome::Failed);
    if (!job) return JobOutcome::Failed;
    if (seam().waitFor([&] { return job->finished.load(); }, kJobWait)) return job->result;
    job->abandoned = true;
    // A job that ended in the moment between stands as it ended.
    return job->finished ? job->result : JobOutcome::Late;
}

void SystemPrinter::discardDocument() {
    if (painter_.isActive()) painter_.end();
    writer_.reset();
    document_.reset();
}

QPainter& SystemPrinter::painter() {
    // A page that could not be started stays undrawn until endDoc() says so.
    if (painter_.isActive() || failed_) return painter_;
    target_ = lookUpPrinter();
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
    DefaultPrinter::State why = target_.state;
    if (finished && why == DefaultPrinter::State::Ready) {
        // A page that the printer has not taken within a moment is kept as a file.
        switch (send(pdf)) {
            case JobOutcome::Printed:
                return;
            case JobOutcome::Refused:
                tell("The printer refused the page, so it was not printed.", MsgIcon::Exclamation);
                return;
            case JobOutcome::Late:
                why = DefaultPrinter::State::Unreachable;
                break;
            case JobOutcome::Failed:
                why = DefaultPrinter::State::Failed;
                break;
        }
    }
    if (finished) lastPdf_ = savePdf(pdf);
    if (lastPdf_.isEmpty()) {
        cannotPrint();
        return;
    }
    tell(savedBecause(why) + QDir::toNativeSeparators(lastPdf_), MsgIcon::Information);
}

QString SystemPrinter::savePdf(const QByteArray& pdf) const {
    QString folder = pdfFolder_;
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    if (!QDir().mkpath(folder)) return {};
    // Written whole under a new hidden name first, so that a full disk or a
    // crash leaves no broken file behind; made like any file the user saves.
    const std::optional<std::string> part = writeNewTemporary(
        pathBytes(folder + "/.Quenvale printout"), std::string_view(pdf.constData(), pdf.size()), 0666);
    if (!part) return {};
    // Two pages printed within one second get a file each.
    const QString stem = folder + "/Quenvale printout " + now_().toString("yyyy-MM-dd hh.mm.ss");
    for (int n = 1; n < 1000; ++n) {
        const QString path = stem + (n == 1 ? QString() : QString(" (%1)").arg(n)) + ".pdf";
        if (renameNew(QByteArray::fromStdString(*part), QFile::encodeName(path))) return path;
        if (errno != EEXIST) break;
    }
    ::unlink(part->c_str());
    return {};
}
