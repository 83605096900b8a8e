#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "ipp_stand_in.h"
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
    JobOutcome outcome = JobOutcome::Printed;
    std::vector<QByteArray> jobs;
    DefaultPrinter defaultPrinter(const PrintCall&) override { return printer; }
    JobOutcome submit(const DefaultPrinter&, const QByteArray& pdf, const std::string&,
                      const PrintCall&) override {
        jobs.push_back(pdf);
        return outcome;
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

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList filesIn(const TempDir& dir) { return filesIn(QString::fromStdString(dir.path().string())); }

const QString kSavedBecauseRefused = "The printer refused the page, so it was saved as a file:\r";
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
    EXPECT_EQ(rec->boxes[1].text,
              "The printer could not be reached in time, so the page was saved as a file:\r" + folder +
                  "/Quenvale printout 2025-12-24 17.30.05 (2).pdf");
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
    EXPECT_EQ(rec->boxes[0].text,
              "There is no printer on this computer, so the page was not printed.\r"
              "It could not be saved as a file either, in:\r" +
                  QString::fromStdString(dir.path().string()) + "\rFile too large.");
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Exclamation);
}

TEST(SystemPrinter, APrinterGetsThePageOnItsOwnPaperAndARefusedPageIsSaved) {
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

    cups.outcome = JobOutcome::Refused;
    printAPage(p);
    EXPECT_EQ(cups.jobs.size(), 2u);
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, kSavedBecauseRefused + p.lastPdf());
    EXPECT_EQ(filesIn(dir).size(), 1);
}

TEST(SystemPrinter, APrintoutIsANewFileMadeAsTheUserSavesNeverWrittenThroughALink) {
    ScopedRecordingSeam rec;
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    // A link planted under the name the next printout would take, pointing
    // where nothing is yet.
    const std::filesystem::path target = dir.path() / "elsewhere.pdf";
    std::filesystem::create_symlink(target, dir.path() / "Quenvale printout 2025-12-24 17.30.05.pdf");
    SystemPrinter p(folder, nullptr, [] { return QDateTime(QDate(2025, 12, 24), QTime(17, 30, 5)); });
    const mode_t before = ::umask(022);
    printAPage(p);
    ::umask(before);

    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(p.lastPdf(), folder + "/Quenvale printout 2025-12-24 17.30.05 (2).pdf");
    const auto saved = std::filesystem::symlink_status(p.lastPdf().toStdString());
    EXPECT_EQ(saved.type(), std::filesystem::file_type::regular);
    EXPECT_EQ(saved.permissions(), std::filesystem::perms(0644));
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_TRUE(rec->boxes[0].text.endsWith(p.lastPdf()));
}

namespace {
// The real CUPS layer, against a stand-in service that the test starts on a
// socket of its own, with no user or system settings of the machine.
class CupsPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"CUPS_SERVER", "CUPS_SERVERROOT", "HOME", "LPDEST", "PRINTER"})
            saved_.emplace_back(name, qgetenv(name));
        qputenv("CUPS_SERVER", socket.c_str());
        qputenv("CUPS_SERVERROOT", dir.path().c_str());
        qputenv("HOME", dir.path().c_str());
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
    }
    // Prints a page through the real service layer; what the printer says
    // goes to the recording seam.
    static QString print(const QString& folder) {
        SystemPrinter p(folder, makeCupsPrintService());
        printAPage(p);
        return p.lastPdf();
    }

    TempDir dir;
    const std::string socket = dir.file("cups.sock");

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

const QString kLate = "The printer could not be reached in time, so the page was saved as a file:\r";
}  // namespace

TEST_F(CupsPrinting, AServiceThatAnswersLateHoldsTheWindowAMomentOnlyAndThePageComesOutOnce) {
    {
        SCOPED_TRACE("no default printer named in time: the page cannot be laid out for one");
        const QString folder = QString::fromStdString(dir.file("printouts1"));
        IppStandIn service(socket, {.holdOp = ipp::kGetDefault});
        ScopedRecordingSeam rec;
        rec->waitGivesUpWhen = [&] { return service.holding(); };
        SystemPrinter p(folder, makeCupsPrintService());
        printAPage(p);
        const QString pdf = p.lastPdf();

        EXPECT_EQ(rec->log, (std::vector<std::string>{"wait 0.6: gave up", "msgbox Quenvale: OK"}));
        ASSERT_EQ(rec->boxes.size(), 1u);
        EXPECT_EQ(rec->boxes[0].text, kLate + pdf);
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith("%PDF"));
        service.release();
    }
    {
        SCOPED_TRACE("the page taken, confirmed 1.5 s and 3 s after it went");
        const QString folder = QString::fromStdString(dir.file("printouts2"));
        IppStandIn service(socket, {.holdOp = ipp::kPrintJob, .answerAfter = {1.5, 3}});
        ScopedRecordingSeam rec;
        SystemPrinter p(folder, makeCupsPrintService());
        for (int page = 0; page < 2; ++page) {
            rec->waitGivesUpWhen = [&, before = service.held()] { return service.held() > before; };
            printAPage(p);
        }
        EXPECT_EQ(rec->take(), (std::vector<std::string>{"wait 0.6: done", "wait 1: gave up",
                                                         "wait 0.6: done", "wait 1: gave up"}));
        EXPECT_TRUE(p.busy());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !p.busy(); }, 20000));
        EXPECT_EQ(service.documents(), 2);
        EXPECT_TRUE(rec->log.empty());
        EXPECT_TRUE(filesIn(folder).isEmpty());
    }
}

TEST_F(CupsPrinting, APageOnAConnectionThatBreaksIsSavedAndTheMessageSaysWhetherItMayComeOutToo) {
    {
        SCOPED_TRACE("broken while the page is on its way");
        const QString folder = QString::fromStdString(dir.file("printouts1"));
        IppStandIn service(socket, {.dropOp = ipp::kPrintJob});
        ScopedRecordingSeam rec;
        SystemPrinter p(folder, makeCupsPrintService());
        printAPage(p);
        EXPECT_EQ(rec->log,
                  (std::vector<std::string>{"wait 0.6: done", "wait 1: done", "msgbox Quenvale: OK"}));
        ASSERT_EQ(rec->boxes.size(), 1u);
        EXPECT_EQ(rec->boxes[0].text,
                  "The connection to the printer was lost, so the page was saved as a file:\r" + p.lastPdf());
        EXPECT_TRUE(QFile::exists(p.lastPdf()));
        EXPECT_EQ(service.documents(), 0);
    }
    {
        SCOPED_TRACE("the service gone once the page went, after the window went on");
        const QString folder = QString::fromStdString(dir.file("printouts2"));
        std::optional<IppStandIn> service(std::in_place, socket, IppStandIn::Setup{.holdOp = ipp::kPrintJob});
        ScopedRecordingSeam rec;
        rec->waitGivesUpWhen = [&] { return service->holding(); };
        SystemPrinter p(folder, makeCupsPrintService());
        printAPage(p);
        EXPECT_EQ(rec->take(), (std::vector<std::string>{"wait 0.6: done", "wait 1: gave up"}));
        service.reset();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !p.busy(); }, 20000));
        EXPECT_EQ(rec->log, (std::vector<std::string>{"msgbox Quenvale: OK"}));
        ASSERT_EQ(rec->boxes.size(), 1u);
        ASSERT_EQ(filesIn(folder).size(), 1);
        EXPECT_EQ(
            rec->boxes[0].text,
            "The whole page was sent, but the print service never said that it was printed, so it may still "
            "come out of the printer.\rIt was also saved as a file:\r" +
                folder + "/" + filesIn(folder)[0]);
    }
}

TEST_F(CupsPrinting, EachPageIsPrintedOrSavedAndTheMessageSaysWhatHappened) {
    const QString folder = QString::fromStdString(dir.file("printouts"));
    {
        SCOPED_TRACE("a printer that takes the page");
        IppStandIn service(socket, {});
        ScopedRecordingSeam rec;
        EXPECT_TRUE(print(folder).isEmpty());
        EXPECT_TRUE(rec->boxes.empty());
        EXPECT_TRUE(service.document().startsWith("%PDF"));
    }
    {
        SCOPED_TRACE("the user's own default is gone, the service has one");
        std::filesystem::create_directories(dir.path() / ".cups");
        std::ofstream(dir.file(".cups/lpoptions")) << "Default Gone\n";
        IppStandIn service(socket, {});
        ScopedRecordingSeam rec;
        EXPECT_TRUE(print(folder).isEmpty());
        EXPECT_TRUE(rec->boxes.empty());
        EXPECT_TRUE(service.document().startsWith("%PDF"));
        std::filesystem::remove(dir.file(".cups/lpoptions"));
    }
    struct Saved {
        const char* what;
        IppStandIn::Setup setup;
        QString why;
    };
    const Saved saved[] = {
        {"a printer that refuses it", {.refuseOp = ipp::kPrintJob}, kSavedBecauseRefused},
        {"a printer deleted since the lookup",
         {.refuseOp = ipp::kPrintJob, .refuseStatus = 0x0406},
         "The page could not be sent to the printer, so it was saved as a file:\r"},
        {"printers but no default",
         {.hasDefault = false},
         "No printer is chosen as the default, so the page was saved as a file:\r"},
        {"no printer at all",
         {.printers = {}},
         "There is no printer on this computer, so the page was saved as a file:\r"},
    };
    for (const Saved& s : saved) {
        SCOPED_TRACE(s.what);
        IppStandIn service(socket, s.setup);
        ScopedRecordingSeam rec;
        const QString pdf = print(folder);
        ASSERT_EQ(rec->boxes.size(), 1u);
        EXPECT_EQ(rec->boxes[0].text, s.why + pdf);
        EXPECT_TRUE(QFile::exists(pdf));
    }
    {
        SCOPED_TRACE("no service");
        ScopedRecordingSeam rec;
        const QString pdf = print(folder);
        ASSERT_EQ(rec->boxes.size(), 1u);
        EXPECT_EQ(rec->boxes[0].text,
                  "The print service is not running, so the page was saved as a file:\r" + pdf);
        EXPECT_TRUE(QFile::exists(pdf));
    }
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
            // As large as the paper allows either way, and centred on it.
            const QRectF area = landscape ? printable[0].intersected(printable[1]) : printable[0];
            EXPECT_TRUE(std::abs(page.width() - area.width()) < 1e-6 ||
                        std::abs(page.height() - area.height()) < 1e-6);
            EXPECT_NEAR(page.center().x(), area.center().x(), 1e-6);
            EXPECT_NEAR(page.center().y(), area.center().y(), 1e-6);
        }
    // On letter paper without margins the page is the paper.
    EXPECT_EQ(
        userScaleOnPaper(QRectF(0, 0, 850, 1100), {612, 792}, {}, false).mapRect(QRectF(0, 0, 850, 1100)),
        QRectF(0, 0, 612, 792));
}
