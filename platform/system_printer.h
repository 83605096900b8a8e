#pragma once
// The Printer on the system's default printer, or, where there is none, it
// cannot be reached or it does not take the page, on a PDF file in the user's
// documents folder. The window waits a moment only for the printer; a page
// it has not taken by then is printed, or kept and told of, when the service
// answers.
#include <QDateTime>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QTransform>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/print_service.h"
#include "platform/printer.h"
#include "platform/seam.h"

class QBuffer;
class QPdfWriter;

// Where the user scale lands on the paper, in points from the paper's top left.
// The games lay out a letter page; that page is fitted into the printable area
// with one factor on both axes and centred, so a square stays square and
// nothing falls into the printer's margins. paper and margins are upright, as
// the printer gives them.
QTransform userScaleOnPaper(const QRectF& scale, QSizeF paper, QMarginsF margins, bool landscape);

// Why a page was not printed, or not surely: the last two may still be.
enum class NotPrinted {
    NoPrinter,
    NoDefault,
    NoService,
    Unreachable,
    Failed,
    Refused,
    NoAnswer,
    Lost,
    Unconfirmed,
    Ended,
};

// One call into the print service and its result, shared with the thread
// that makes it.
template <class Result>
struct PrintErrand : PrintCall {
    Result result{};
};

class SystemPrinter : public Printer {
public:
    // pdfFolder: where pages go that cannot go to a printer (empty: the user's
    // documents folder). Without a service every page goes there. now names
    // the files.
    explicit SystemPrinter(QString pdfFolder = QString(), std::unique_ptr<PrintService> service = nullptr,
                           std::function<QDateTime()> now = &QDateTime::currentDateTime);
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

    // The PDF file of the last document, when it went to one while the
    // window waited.
    QString lastPdf() const { return lastPdf_; }
    // Whether a page sent to the printer still waits for the service's answer,
    // or for the message that tells it.
    bool busy() const { return !openJobs_.empty() || !notices_.empty(); }

private:
    // What the parent is told about a page that was not printed.
    struct Notice {
        QString text;
        MsgIcon icon = MsgIcon::Information;
    };
    // A page whose job the window stopped waiting for.
    struct OpenJob {
        std::shared_ptr<PrintErrand<JobOutcome>> job;
        QByteArray pdf;
    };

    QPainter& painter();
    QFont font() const;
    QRectF scale() const;
    void updateTransform();
    struct SavedPdf {
        QString path;  // empty when it could not be saved
        QString folder;
        QString whyNot;
    };
    // Saves a page that was not printed, and says why and where it went;
    // path: the file's, or empty when it could not be saved.
    Notice keep(const QByteArray& pdf, NotPrinted why, QString* path = nullptr) const;
    // Writes the document as a new file beside the others, never over one nor
    // through a link.
    SavedPdf savePdf(const QByteArray& pdf) const;
    void discardDocument();
    DefaultPrinter lookUpPrinter();
    // Looks at the jobs the window went on from, keeps the pages that were
    // not printed, and tells why when nothing waits for an answer.
    void takeUpAnswers();
    void tellNotices();
    // Runs one call into the service on a thread of its own; nullptr when no
    // thread could be started.
    template <class Result>
    std::shared_ptr<PrintErrand<Result>> start(std::function<Result(PrintService&, const PrintCall&)> work,
                                               Result ifBroken);

    QString pdfFolder_;
    // Shared with the calls under way, which may outlive the printer.
    std::shared_ptr<PrintService> service_;
    // A lookup that the service has not answered yet, waited for again by the
    // next page rather than asked twice.
    std::shared_ptr<PrintErrand<DefaultPrinter>> lookup_;
    std::vector<std::shared_ptr<PrintCall>> calls_;
    std::function<QDateTime()> now_;
    std::vector<OpenJob> openJobs_;
    std::deque<Notice> notices_;
    // Looks for answers while jobs are open. A timer, since it never fires
    // while a handler waits: a message box then would come in the middle of
    // a game's move.
    QTimer answers_;
    bool telling_ = false;
    QString lastPdf_;
    DefaultPrinter target_;
    std::unique_ptr<QBuffer> document_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    QTransform toDevice_;
    // How much the letter page shrinks or grows to fit the paper; text follows.
    double fit_ = 1;
    int orientation_ = 1;
    QString fontName_ = "Courier New";
    double fontSize_ = 12;
    bool bold_ = false;
    double sx1_ = 0, sy1_ = 0, sx2_ = 1440, sy2_ = 1440;
    bool twipsScale_ = true;
    // The page could not be started.
    bool failed_ = false;
    double x_ = 0, y_ = 0;
};
