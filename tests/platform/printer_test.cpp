#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <filesystem>

#include "platform/recording_printer.h"
#include "platform/recording_seam.h"
#include "platform/system_printer.h"
#include "support/temp_dir.h"

TEST(RecordingPrinter, RecordsCommandsAndAdvancesALineAfterText) {
    RecordingPrinter p;
    p.setFontName("Courier New");
    p.setFontSize(12);
    p.setScale(0, 0, 850, 1100);
    p.setCurrentX(100);
    p.setCurrentY(50);
    p.print("CROSSWORD");
    // 12 points on an 11-inch page of 1100 units: 100 units an inch, a line of 19.17 with its leading.
    EXPECT_DOUBLE_EQ(p.currentX(), 0);
    EXPECT_NEAR(p.currentY(), 50 + 12.0 / 72.0 * 100.0 * 1.15, 1e-9);
    p.box(10, 10, 20, 20, QColor(0x80, 0x80, 0x80), true);
    p.endDoc();
    ASSERT_EQ(p.documents.size(), 1u);
    EXPECT_EQ(p.documents[0], (std::vector<std::string>{"fontname Courier New", "fontsize 12",
                                                        "scale 0 0 850 1100", "text 100 50 CROSSWORD",
                                                        "box 10 10 20 20 #808080 filled", "enddoc"}));
    EXPECT_TRUE(p.commands.empty());
}

namespace {
// A print service that says what a test tells it to and keeps what it is sent.
class FakePrintService : public PrintService {
public:
    DefaultPrinter printer;
    bool acceptsJobs = true;
    std::vector<QByteArray> jobs;
    DefaultPrinter defaultPrinter() override { return printer; }
    bool submit(const DefaultPrinter&, const QByteArray& pdf, const QString&) override {
        jobs.push_back(pdf);
        return acceptsJobs;
    }
};

void printAPage(Printer& p) {
    p.setScale(0, 0, 850, 1100);
    p.setFontName("Courier New");
    p.setFontSize(12);
    p.setCurrentX(100);
    p.setCurrentY(100);
    p.print("CROSSWORD");
    p.box(100, 200, 728, 828, QColor(0xc0, 0xc0, 0xc0), true);
    p.endDoc();
}

QStringList filesIn(const TempDir& dir) {
    return QDir(QString::fromStdString(dir.path().string()))
        .entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QString kCannotPrint = "The page could not be printed.";
}  // namespace

TEST(SystemPrinter, APageThatCannotGoToAPrinterIsSavedAsANewFileWithWhy) {
    ScopedRecordingSeam rec;
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    auto service = std::make_unique<FakePrintService>();
    FakePrintService& cups = *service;
    // Both pages within the same second.
    SystemPrinter p(folder, std::move(service),
                    [] { return QDateTime(QDate(2025, 12, 24), QTime(17, 30, 5)); });

    printAPage(p);
    cups.printer.state = DefaultPrinter::State::Unreachable;
    printAPage(p);

    EXPECT_EQ(filesIn(dir), (QStringList{"Quenvale printout 2025-12-24 17.30.05 (2).pdf",
                                         "Quenvale printout 2025-12-24 17.30.05.pdf"}));
    for (const QString& name : filesIn(dir)) {
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        EXPECT_TRUE(data.startsWith("%PDF"));
        EXPECT_GT(data.size(), 500);
    }
    ASSERT_EQ(rec->boxes.size(), 2u);
    EXPECT_EQ(rec->boxes[0].text, "There is no printer on this computer, so the page was saved as a file:\r" +
                                      folder + "/Quenvale printout 2025-12-24 17.30.05.pdf");
    EXPECT_EQ(rec->boxes[1].text, "The printer could not be reached, so the page was saved as a file:\r" +
                                      folder + "/Quenvale printout 2025-12-24 17.30.05 (2).pdf");
    EXPECT_EQ(rec->boxes[1].icon, MsgIcon::Information);
    EXPECT_TRUE(cups.jobs.empty());
}

TEST(SystemPrinter, AFullDiskLeavesNoFileAndIsTold) {
    ScopedRecordingSeam rec;
    TempDir dir;
    SystemPrinter p(QString::fromStdString(dir.path().string()));
    // A file may grow to 1 KiB only: past that, writing fails as on a full disk.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit tiny = before;
    tiny.rlim_cur = 1024;
    auto* previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    printAPage(p);
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, previous);

    EXPECT_TRUE(filesIn(dir).isEmpty());
    EXPECT_TRUE(p.lastPdf().isEmpty());
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, kCannotPrint);
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Exclamation);
}

TEST(SystemPrinter, APrinterGetsThePageOnItsOwnPaperAndARefusalIsTold) {
    ScopedRecordingSeam rec;
    TempDir dir;
    auto service = std::make_unique<FakePrintService>();
    FakePrintService& cups = *service;
    cups.printer.state = DefaultPrinter::State::Ready;
    cups.printer.name = "Office";
    cups.printer.paper = QSizeF(595, 842);
    cups.printer.margins = QMarginsF(12, 12, 12, 12);
    SystemPrinter p(QString::fromStdString(dir.path().string()), std::move(service));

    printAPage(p);
    ASSERT_EQ(cups.jobs.size(), 1u);
    EXPECT_TRUE(cups.jobs[0].contains("/MediaBox [0 0 595.000000 842.000000]"));
    EXPECT_TRUE(rec->boxes.empty());

    cups.acceptsJobs = false;
    printAPage(p);
    EXPECT_EQ(cups.jobs.size(), 2u);
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, kCannotPrint);
    // A refused page is not passed off as saved.
    EXPECT_TRUE(filesIn(dir).isEmpty());
}

TEST(PageLayout, TheLetterPageKeepsItsShapeInsideThePrintableAreaOfAnyPaper) {
    struct Paper {
        const char* name;
        QSizeF size;
        QMarginsF margins;
    };
    const Paper papers[] = {{"Letter", {612, 792}, {}},
                            {"Letter with margins", {612, 792}, {18, 18, 18, 18}},
                            {"A4", {595, 842}, {}},
                            {"A4 with margins", {595, 842}, {12, 12, 12, 12}},
                            {"A4 with uneven margins", {595, 842}, {10, 20, 30, 40}}};
    for (const Paper& paper : papers)
        for (bool landscape : {false, true}) {
            SCOPED_TRACE(std::string(paper.name) + (landscape ? " landscape" : " portrait"));
            const QRectF scale = landscape ? QRectF(0, 0, 1100, 850) : QRectF(0, 0, 850, 1100);
            const QTransform t = userScaleOnPaper(scale, paper.size, paper.margins, landscape);
            EXPECT_NEAR(t.m11(), t.m22(), 1e-9);
            EXPECT_EQ(t.m12(), 0);
            EXPECT_EQ(t.m21(), 0);
            const QRectF page = t.mapRect(scale);

            // A landscape page may be turned either way onto the paper.
            const QMarginsF m = paper.margins;
            std::vector<QRectF> printable;
            if (!landscape) {
                printable.push_back(QRectF(QPointF(0, 0), paper.size).marginsRemoved(m));
            } else {
                const QRectF sheet(QPointF(0, 0), paper.size.transposed());
                printable.push_back(
                    sheet.marginsRemoved(QMarginsF(m.bottom(), m.left(), m.top(), m.right())));
                printable.push_back(
                    sheet.marginsRemoved(QMarginsF(m.top(), m.right(), m.bottom(), m.left())));
            }
            for (const QRectF& area : printable) {
                EXPECT_LE(area.left() - 1e-9, page.left());
                EXPECT_LE(area.top() - 1e-9, page.top());
                EXPECT_GE(area.right() + 1e-9, page.right());
                EXPECT_GE(area.bottom() + 1e-9, page.bottom());
            }
            if (m.left() == m.top() && m.left() == m.right() && m.left() == m.bottom()) {
                // As large as the paper allows, and centred on it.
                const QRectF& area = printable[0];
                EXPECT_TRUE(std::abs(page.width() - area.width()) < 1e-6 ||
                            std::abs(page.height() - area.height()) < 1e-6);
                EXPECT_NEAR(page.center().x(), area.center().x(), 1e-6);
                EXPECT_NEAR(page.center().y(), area.center().y(), 1e-6);
            }
        }
    // On letter paper without margins the page is the paper.
    EXPECT_EQ(
        userScaleOnPaper(QRectF(0, 0, 850, 1100), {612, 792}, {}, false).mapRect(QRectF(0, 0, 850, 1100)),
        QRectF(0, 0, 612, 792));
}
