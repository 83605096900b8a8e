#include "wordgames/puzzle_page.h"

#include "platform/printer.h"
#include "platform/seam.h"

Printer* startPuzzlePage(QWidget* owner, const QString& header, const QString& instructions) {
    if (seam().msgBox("Make sure printer is on-line and ready.", MsgButtons::OKCancel, MsgIcon::Information,
                      "Print Puzzle", owner) == MsgAnswer::Cancel)
        return nullptr;

    Printer& pr = seam().printer();
    // Another printout may have left the printer turned or in bold.
    pr.setOrientation(1);
    pr.setFontName("Courier New");
    pr.setFontSize(12);
    pr.setFontBold(false);
    // Hundredths of an inch on a letter page.
    pr.setScale(0, 0, 850, 1100);

    pr.setCurrentX(100);
    pr.setCurrentY(100);
    pr.print(header);
    pr.setCurrentX(100);
    pr.print(instructions);
    return &pr;
}
