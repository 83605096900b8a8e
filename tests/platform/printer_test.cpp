#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

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
    EXPECT_EQ(p.documents[0],
              (std::vector<std::string>{"fontname Courier New", "fontsize 12", "scale 0 0 850 1100", "text 100 50 CROSSWORD",
                                        "box 10 10 20 20 #808080 filled", "enddoc"}));
    EXPECT_TRUE(p.commands.empty());
}

TEST(SystemPrinter, WritesAPdfWithWhatWasDrawn) {
    ScopedRecordingSeam rec;
    TempDir dir;
    const QString pdf = QString::fromStdString(dir.file("page.pdf"));
    SystemPrinter p(pdf);
    p.setOrientation(2);
    p.setScale(0, 0, 1100, 850);
    p.setFontName("Courier New");
    p.setFontSize(12);
    p.setCurrentX(100);
    p.setCurrentY(100);
    p.print("SANTA'S MAZE");
    p.box(100, 200, 1000, 800, QColor(0x80, 0x80, 0x80), true);
    p.endDoc();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray data = f.readAll();
    EXPECT_TRUE(data.startsWith("%PDF"));
    EXPECT_GT(data.size(), 500);
    // A named file is what the caller asked for: nobody needs telling where it went.
    EXPECT_TRUE(rec->boxes.empty());
    EXPECT_EQ(p.lastPdf(), pdf);
}
