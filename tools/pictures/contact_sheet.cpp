// Draws every picture of assets/ onto one sheet, to judge them by eye: each
// toy on its card colour at card size and three times larger, the card back,
// then every picture as the jigsaw cuts it at 4 x 4 (a 272 pixel board of 68
// pixel pieces), the pieces pulled a little apart so that each can be seen on
// its own.
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

// The picture fitted whole into the jigsaw's 4 x 4 board, cut into its
// pieces, drawn with gaps between them.
bool drawCut(QPainter& p, const QString& path, QPointF at) {
    constexpr int kPieces = 4, kPiece = 68, kGap = 3;
    QImage board(kPieces * kPiece, kPieces * kPiece, QImage::Format_RGB32);
    QPainter bp(&board);
    const bool ok = drawPicture(bp, path, QRectF(board.rect()), 0xFFFFFF, Metafile::Fit::Contain);
    bp.end();
    for (int r = 0; r < kPieces; ++r)
        for (int c = 0; c < kPieces; ++c)
            p.drawImage(at + QPointF(c * (kPiece + kGap), r * (kPiece + kGap)),
                        board.copy(c * kPiece, r * kPiece, kPiece, kPiece));
    return ok;
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
    const QStringList pictures = dir.entryList({"*.wmf"}, QDir::Files, QDir::Name);

    const int cell = 65 * zoom + 100, rowH = 57 * zoom + 40;
    const int toyCols = 4, cutCols = 4, cutSide = 4 * 68 + 3 * 3, cutCell = cutSide + 16;
    const int toyRows = (std::size(kToys) + toyCols - 1) / toyCols;
    const int cutRows = (pictures.size() + cutCols - 1) / cutCols;
    const int width = std::max(toyCols * cell, cutCols * cutCell) + 10;
    QImage sheet(width, toyRows * rowH + cutRows * (cutSide + 30) + 20, QImage::Format_RGB32);
    sheet.fill(QColor(90, 90, 90));
    QPainter p(&sheet);
    p.setFont(QFont("DejaVu Sans", 9));
    bool ok = true;
    for (std::size_t i = 0; i < std::size(kToys); ++i) {
        const int x = 10 + static_cast<int>(i % toyCols) * cell,
                  y = 10 + static_cast<int>(i / toyCols) * rowH;
        const QString path = dir.filePath(kToys[i].file);
        // The card back is stretched over the whole card, the toys kept whole.
        const auto fit = kToys[i].card == 0 ? Metafile::Fit::Stretch : Metafile::Fit::Contain;
        ok &= drawPicture(p, path, QRectF(x, y, 65, 57), kToys[i].card, fit);
        drawPicture(p, path, QRectF(x + 75, y, 65 * zoom, 57 * zoom), kToys[i].card, fit);
        p.setPen(Qt::white);
        p.drawText(QPointF(x, y + 57 * zoom + 14), kToys[i].file);
    }
    const int top = 10 + toyRows * rowH;
    for (int i = 0; i < pictures.size(); ++i) {
        const int x = 10 + (i % cutCols) * cutCell, y = top + (i / cutCols) * (cutSide + 30);
        ok &= drawCut(p, dir.filePath(pictures[i]), QPointF(x, y));
        p.setPen(Qt::white);
        p.drawText(QPointF(x, y + cutSide + 15), pictures[i]);
    }
    p.end();
    sheet.save(QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
