#include "platform/system_printer.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/session_end.h"

namespace {
// How long a page waits for the default printer before it goes to a file.
constexpr double kLookupWait = 0.6;
// How long the window waits for the printer to take a page before it goes
// on; the job goes on meanwhile, and its answer is told when it comes.
constexpr double kJobWait = 1.0;
// How often open jobs are looked at.
constexpr int kAnswerLookMsec = 100;
// How long the end of the program waits for the service's answers.
constexpr auto kEndingWait = std::chrono::milliseconds(250);

// The page the games lay out: a letter page, in points.
QSizeF letterPage(bool landscape) { return landscape ? QSizeF(792, 612) : QSizeF(612, 792); }

void cannotPrint() {
    seam().msgBox("The page could not be printed.", MsgButtons::OK, MsgIcon::Exclamation, "Quenvale",
                  nullptr);
}

NotPrinted whyNot(DefaultPrinter::State state) {
    switch (state) {
        case DefaultPrinter::State::NoPrinter:
            return NotPrinted::NoPrinter;
        case DefaultPrinter::State::NoDefault:
            return NotPrinted::NoDefault;
        case DefaultPrinter::State::NoService:
            return NotPrinted::NoService;
        case DefaultPrinter::State::Unreachable:
            return NotPrinted::Unreachable;
        case DefaultPrinter::State::Failed:
        case DefaultPrinter::State::Ready:
            break;
    }
    return NotPrinted::Failed;
}

NotPrinted whyNot(JobOutcome outcome) {
    switch (outcome) {
        case JobOutcome::Refused:
            return NotPrinted::Refused;
        case JobOutcome::NoService:
            return NotPrinted::NoService;
        case JobOutcome::NoAnswer:
            return NotPrinted::NoAnswer;
        case JobOutcome::Lost:
            return NotPrinted::Lost;
        case JobOutcome::Unconfirmed:
            return NotPrinted::Unconfirmed;
        case JobOutcome::Printed:
        case JobOutcome::Failed:
            break;
    }
    return NotPrinted::Failed;
}

QString reason(NotPrinted why) {
    switch (why) {
        case NotPrinted::NoPrinter:
            return "There is no printer on this computer";
        case NotPrinted::NoDefault:
            return "No printer is chosen as the default";
        case NotPrinted::NoService:
            return "The print service is not running";
        case NotPrinted::Unreachable:
            return "The printer could not be reached in time";
        case NotPrinted::Refused:
            return "The printer refused the page";
        case NotPrinted::NoAnswer:
            return "The printer did not answer";
        case NotPrinted::Lost:
            return "The connection to the printer was lost";
        case NotPrinted::Unconfirmed:
            return "The whole page was sent, but the print service never said that it was printed";
        case NotPrinted::Ended:
            return "The program ended before the printer had answered";
        case NotPrinted::Failed:
            break;
    }
    return "The page could not be sent to the printer";
}

// Why a file could not be written, as a parent can act on it.
QString whyNotWritten(int error) {
    switch (error) {
        case 0:
            return "It could not be written.";
        case ENOSPC:
        case EDQUOT:
            return "The disk is full.";
        case EACCES:
        case EPERM:
            return "The folder may not be written to.";
        case EROFS:
            return "The disk may only be read.";
        default:
            break;
    }
    return QString::fromStdString(std::generic_category().message(error)) + ".";
}

// The folder the printouts go to, made if it is missing; nothing, and why,
// when it cannot be made or something else stands in its place.
QString makeFolder(const QString& folder) {
    namespace fs = std::filesystem;
    const fs::path path(pathBytes(folder));
    std::error_code ec;
    if (fs::is_directory(path, ec)) return {};
    const fs::file_type there = fs::symlink_status(path, ec).type();
    if (there == fs::file_type::symlink) return "The folder is a link that leads nowhere.";
    if (there != fs::file_type::not_found) return "Something that is no folder stands in its place.";
    if (fs::create_directories(path, ec)) return {};
    return whyNotWritten(ec.value());
}

// The window that a message about a page goes over when it comes between
// handlers: the one the child is at, else one that is shown.
QWidget* currentWindow() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->isMinimized() && w->windowType() != Qt::Popup &&
            w->windowType() != Qt::ToolTip)
            return w;
    return nullptr;
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
    : pdfFolder_(std::move(pdfFolder)), service_(std::move(service)), now_(std::move(now)) {
    answers_.setInterval(kAnswerLookMsec);
    QObject::connect(&answers_, &QTimer::timeout, [this] { takeUpAnswers(); });
}

SystemPrinter::~SystemPrinter() {
    discardDocument();
    answers_.stop();
    // A job still open is given a moment to be answered; the lookups are
    // told to stop at once. Then every call stops, and one that takes longer
    // ends on its own, holding all it uses, so the end of the program never
    // waits long for a service that is stuck.
    for (const auto& call : calls_)
        if (std::none_of(openJobs_.begin(), openJobs_.end(),
                         [&](const OpenJob& open) { return open.job == call; }))
            call->ending = true;
    const auto until = std::chrono::steady_clock::now() + kEndingWait;
    for (const OpenJob& open : openJobs_)
        while (!open.job->finished && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    for (const auto& call : calls_) call->ending = true;
    // Nobody may be there to answer a message box now: the page is kept, and
    // what the parent would have been told goes to standard error.
    for (const OpenJob& open : openJobs_) {
        if (open.job->finished && open.job->result == JobOutcome::Printed) continue;
        notices_.push_back(keep(open.pdf, open.job->finished ? whyNot(open.job->result) : NotPrinted::Ended));
    }
    for (Notice& notice : notices_)
        std::fprintf(stderr, "Quenvale: %s\n", notice.text.replace('\r', ' ').toLocal8Bit().constData());
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
    if (!finished) {
        cannotPrint();
        return;
    }
    JobOutcome outcome = JobOutcome::Failed;
    if (target_.state == DefaultPrinter::State::Ready) {
        const auto job = start<JobOutcome>(
            [target = target_, pdf](PrintService& service, const PrintCall& call) {
                return service.submit(target, pdf, "Quenvale printout", call);
            },
            JobOutcome::Failed);
        if (job) {
            if (!seam().waitFor([&] { return job->finished.load(); }, kJobWait)) {
                // The window goes on; the page is printed, or kept and told
                // of, when the service answers.
                openJobs_.push_back({job, pdf});
                answers_.start();
                return;
            }
            outcome = job->result;
        }
        if (outcome == JobOutcome::Printed) return;
    }
    const NotPrinted why =
        target_.state == DefaultPrinter::State::Ready ? whyNot(outcome) : whyNot(target_.state);
    const Notice notice = keep(pdf, why, &lastPdf_);
    seam().msgBox(notice.text, MsgButtons::OK, notice.icon, "Quenvale", nullptr);
}

void SystemPrinter::takeUpAnswers() {
    for (auto open = openJobs_.begin(); open != openJobs_.end();) {
        if (!open->job->finished) {
            ++open;
            continue;
        }
        // Kept at once, though it may be told only later.
        if (open->job->result != JobOutcome::Printed)
            notices_.push_back(keep(open->pdf, whyNot(open->job->result)));
        open = openJobs_.erase(open);
    }
    tellNotices();
    if (!busy()) answers_.stop();
}

void SystemPrinter::tellNotices() {
    // One message at a time, and none over a message box that waits for its
    // answer: the child would not know which question the answer is to.
    if (telling_ || sessionEnding()) return;
    telling_ = true;
    while (!notices_.empty() && !qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) &&
           !sessionEnding()) {
        const Notice notice = notices_.front();
        notices_.pop_front();
        seam().msgBox(notice.text, MsgButtons::OK, notice.icon, "Quenvale", currentWindow());
    }
    telling_ = false;
}

SystemPrinter::Notice SystemPrinter::keep(const QByteArray& pdf, NotPrinted why, QString* saved) const {
    const SavedPdf file = savePdf(pdf);
    if (saved) *saved = file.path;
    const QString path = QDir::toNativeSeparators(file.path);
    const QString notSaved = QDir::toNativeSeparators(file.folder) + "\r" + file.whyNot;
    if (why == NotPrinted::Unconfirmed || why == NotPrinted::Ended) {
        const QString first = reason(why) + ", so it may still come out of the printer.\r";
        if (!path.isEmpty()) return {first + "It was also saved as a file:\r" + path};
        return {first + "It could not be saved as a file in:\r" + notSaved, MsgIcon::Exclamation};
    }
    // Where the reason names the page already, it is "it", as these messages always said.
    const QString page = why == NotPrinted::Refused || why == NotPrinted::Failed ? "it" : "the page";
    if (!path.isEmpty()) return {reason(why) + ", so " + page + " was saved as a file:\r" + path};
    return {reason(why) + ", so " + page +
                " was not printed.\rIt could not be saved as a file either, in:\r" + notSaved,
            MsgIcon::Exclamation};
}

SystemPrinter::SavedPdf SystemPrinter::savePdf(const QByteArray& pdf) const {
    SavedPdf saved;
    saved.folder = pdfFolder_;
    if (saved.folder.isEmpty())
        saved.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (saved.folder.isEmpty()) saved.folder = QDir::homePath();
    saved.whyNot = makeFolder(saved.folder);
    if (!saved.whyNot.isEmpty()) return saved;
    const std::string part = pathBytes(saved.folder + "/.Quenvale printout");
    removeStaleTemporaries(part);
    // Written whole under a new hidden name first, so that a full disk or a
    // crash leaves no broken file behind; made like any file the user saves.
    errno = 0;
    const std::optional<std::string> written =
        writeNewTemporary(part, std::string_view(pdf.constData(), pdf.size()), 0666);
    if (!written) {
        saved.whyNot = whyNotWritten(errno);
        return saved;
    }
    // Two pages printed within one second get a file each.
    const QString stem = saved.folder + "/Quenvale printout " + now_().toString("yyyy-MM-dd hh.mm.ss");
    for (int n = 1; n < 1000; ++n) {
        const QString path = stem + (n == 1 ? QString() : QString(" (%1)").arg(n)) + ".pdf";
        errno = 0;
        if (renameNew(QByteArray::fromStdString(*written), QFile::encodeName(path))) {
            saved.path = path;
            return saved;
        }
        if (errno != EEXIST) break;
    }
    saved.whyNot = whyNotWritten(errno == EEXIST ? 0 : errno);
    ::unlink(written->c_str());
    return saved;
}
