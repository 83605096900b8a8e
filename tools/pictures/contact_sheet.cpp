// Draws every picture of assets/ onto one sheet, to judge them by eye: each
// toy on its card colour at card size and three times larger, the card back,
// then every other picture as the puzzles show it, 273 pixels square.
//
// Built by hand, not by the project:
//   g++ -std=c++20 -O2 -fPIC -I../.. $(pkg-config --cflags Qt6Gui) contact_sheet.cpp \
//       ../../platform/metafile.cpp $(pkg-config --libs Qt6Gui) -o /tmp/contact_sheet
//   QT_QPA_PLATFORM=offscreen /tmp/contact_sheet ../../assets sheet.png [zoom]
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "platform/metafile.h"

namespace {

struct Toy {
    const char* file;
    QRgb card;
};

// The card colours of the classic palette.
constexpr QRgb kYellow = 0xFFFF00, kCyan = 0x00FFFF, kBlue = 0x0000FF, kMagenta = 0xFF00FF, kGreen = 0x00FF00,
               kRed = 0xFF0000;
const Toy kToys[] = {
    {"ball.wmf", kYellow},   {"bike.wmf", kCyan},    {"trike.wmf", kYellow}, {"duck.wmf", kBlue},
    {"buggy.wmf", kMagenta}, {"wagon.wmf", kGreen},  {"doll.wmf", kYellow},  {"drum.wmf", kYellow},
    {"horse.wmf", kRed},     {"block.wmf", kYellow}, {"top.wmf", kRed},      {"skate.wmf", kMagenta},
    {"yoyo.wmf", kBlue},     {"jack.wmf", kYellow},  {"bear.wmf", kCyan},    {"gift.wmf", 0x000000}};

bool drawPicture(QPainter& p, const QString& path, const QRectF& box, QRgb background, Metafile::Fit fit) {
    p.fillRect(box, QColor::fromRgb(background));
    std::string error;
    const auto m = Metafile::load(path, &error);
    if (!m) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), error.c_str());
        return false;
    }
    m->render(p, box, fit);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: contact_sheet <assets folder> <out.png> [zoom]\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const int zoom = argc > 3 ? std::atoi(argv[3]) : 3;
    QStringList puzzles = dir.entryList({"*.wmf"}, QDir::Files, QDir::Name);
    for (const Toy& t : kToys) puzzles.removeAll(t.file);

    const int cell = 65 * zoom + 100, rowH = 57 * zoom + 40;
    const int toyCols = 4, puzzleCols = 4;
    const int toyRows = (std::size(kToys) + toyCols - 1) / toyCols;
    const int puzzleRows = (puzzles.size() + puzzleCols - 1) / puzzleCols;
    const int width = std::max(toyCols * cell, puzzleCols * 283) + 10;
    QImage sheet(width, toyRows * rowH + puzzleRows * 300 + 20, QImage::Format_RGB32);
    sheet.fill(QColor(90, 90, 90));
    QPainter p(&sheet);
    p.setFont(QFont("DejaVu Sans", 9));
    bool ok = true;
    for (std::size_t i = 0; i < std::size(kToys); ++i) {
        const int x = 10 + static_cast<int>(i % toyCols) * cell,
                  y = 10 + static_cast<int>(i / toyCols) * rowH;
        const QString path = dir.filePath(kToys[i].file);
        ok &= drawPicture(p, path, QRectF(x, y, 65, 57), kToys[i].card, Metafile::Fit::Contain);
        drawPicture(p, path, QRectF(x + 75, y, 65 * zoom, 57 * zoom), kToys[i].card, Metafile::Fit::Contain);
        p.setPen(Qt::white);
        p.drawText(QPointF(x, y + 57 * zoom + 14), kToys[i].file);
    }
    const int top = 10 + toyRows * rowH;
    for (int i = 0; i < puzzles.size(); ++i) {
        const int x = 10 + (i % puzzleCols) * 283, y = top + (i / puzzleCols) * 300;
        ok &=
            drawPicture(p, dir.filePath(puzzles[i]), QRectF(x, y, 273, 273), 0xFF00FF, Metafile::Fit::Cover);
        p.setPen(Qt::white);
        p.drawText(QPointF(x, y + 288), puzzles[i]);
    }
    p.end();
    sheet.save(QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
