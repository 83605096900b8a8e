#include "picturepuzzles/picture_list.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "picturepuzzles/jigsaw_rules.h"
#include "picturepuzzles/puzzle_picture.h"
#include "picturepuzzles/spuz_rules.h"
#include "platform/metafile.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = QUENVALE_SOURCE_DIR "/assets";

class PictureListTest : public ::testing::Test {
protected:
    void SetUp() override {
        cbo->onClick([this] { ++clicks; });
    }
    void copyPicture(const char* from, const std::string& to) {
        fs::copy_file(kAssets / from, dir.path() / to);
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir.file(name)) << text; }
    std::string folder() const { return dir.path().string() + "/"; }
    void setUp(std::initializer_list<float> draws) {
        ScriptedRandom random(draws);
        ScopedRandom scoped(random);
        setUpPictureList(*fil, *cbo, folder());
        EXPECT_EQ(random.remaining(), 0u);
    }

    TempDir dir;
    QWidget window;
    FileListBox* fil = new FileListBox(&window, "filFiles");
    DropDownList* cbo = new DropDownList(&window, "cboFiles");
    int clicks = 0;
};

// A board as a puzzle cuts it: the picture drawn once, square, then cut from
// its top left corner into rows x cols pieces of pieceW x pieceH pixels.
struct Board {
    std::string name;
    int rows, cols, pieceW, pieceH;
};

std::vector<Board> puzzleBoards() {
    std::vector<Board> boards;
    JigsawRules jigsaw;
    jigsaw.BoardSizePx = twipsToPixels(4095);
    for (int size = 0; size <= 2; ++size) {
        jigsaw.sizeBoard(size);
        boards.push_back({"jigsaw " + std::to_string(jigsaw.n) + " x " + std::to_string(jigsaw.n), jigsaw.n,
                          jigsaw.n, jigsaw.PieceSizePx, jigsaw.PieceSizePx});
    }
    SPuzRules sliders;
    sliders.BoardSizePx = twipsToPixels(3855);
    for (int size = 0; size <= 3; ++size) {
        sliders.setSize(size);
        sliders.sizeBoard();
        boards.push_back({"sliders " + std::to_string(sliders.NumPieces), sliders.Rows, sliders.Cols,
                          sliders.PieceWidthPx, sliders.PieceHeightPx});
    }
    return boards;
}

// What the eye takes in of a piece at a glance: the mean colour of each of
// 4 x 4 patches. Fine texture (stripes, scattered stars, snowflakes, the
// antialiasing of outlines) averages out, so two pieces of one wallpaper or one
// starry sky count as alike, while an object a quarter of the piece wide or a
// change of colour across the board counts in full.
constexpr int kPatches = 4;
using Glance = std::array<double, kPatches * kPatches * 3>;

Glance glance(const QImage& board, int left, int top, int width, int height) {
    Glance g{};
    auto* out = g.begin();
    for (int py = 0; py < kPatches; ++py) {
        for (int px = 0; px < kPatches; ++px) {
            const int x0 = left + px * width / kPatches, x1 = left + (px + 1) * width / kPatches;
            const int y0 = top + py * height / kPatches, y1 = top + (py + 1) * height / kPatches;
            double sum[3] = {0, 0, 0};
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const QRgb c = board.pixel(x, y);
                    sum[0] += qRed(c);
                    sum[1] += qGreen(c);
                    sum[2] += qBlue(c);
                }
            }
            for (double channel : sum) *out++ = channel / ((x1 - x0) * (y1 - y0));
        }
    }
    return g;
}

// Mean difference of two glances on the 0 to 255 scale of a colour channel.
double difference(const Glance& a, const Glance& b) {
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i) d += std::abs(a[i] - b[i]);
    return d / static_cast<double>(a.size());
}

}  // namespace

TEST_F(PictureListTest, ListsEveryPictureFileByItsUpperCaseNameInAlphabeticalOrder) {
    copyPicture("bear.wmf", "Bells.wmf");
    copyPicture("duck.wmf", "angel.wmf");
    copyPicture("drum.wmf", "x.y.wmf");
    copyPicture("ball.wmf", "Zebra.WMF");
    write("readme.txt", "not a picture");
    write(".hidden.wmf", "hidden");
    fs::create_directory(dir.path() / "folder.wmf");

    setUp({0.3f});  // Int(0.3 x 4) = 1
    ASSERT_EQ(cbo->ListCount(), 4);
    EXPECT_EQ(cbo->List(0), "ANGEL");
    EXPECT_EQ(cbo->List(1), "BELLS");
    EXPECT_EQ(cbo->List(2), "X.Y");
    EXPECT_EQ(cbo->List(3), "ZEBRA");
    EXPECT_EQ(cbo->ListIndex(), 1);
    EXPECT_EQ(cbo->Text(), "BELLS");
    EXPECT_EQ(clicks, 1);
    // The entry's picture comes from its own file, whatever the case of its name.
    EXPECT_EQ(fil->List(1), "Bells.wmf");
    EXPECT_TRUE(loadSelectedPicture(*fil, *cbo).has_value());
}

TEST_F(PictureListTest, OnePictureIsAlwaysTheOneChosen) {
    copyPicture("bear.wmf", "bear.wmf");
    setUp({0.9999f});
    EXPECT_EQ(cbo->ListIndex(), 0);
    EXPECT_EQ(cbo->Text(), "BEAR");
}

TEST_F(PictureListTest, WithoutPicturesNothingIsDrawnSelectedOrLoaded) {
    write("notes.txt", "words");
    setUp({});
    EXPECT_EQ(cbo->ListCount(), 0);
    EXPECT_EQ(cbo->ListIndex(), -1);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(loadSelectedPicture(*fil, *cbo).has_value());
}

TEST_F(PictureListTest, AFileThatIsNoPictureIsListedButLoadsNothing) {
    write("broken.wmf", "this is not a metafile");
    copyPicture("bear.wmf", "good.wmf");
    setUp({0.0f});
    EXPECT_EQ(cbo->Text(), "BROKEN");
    EXPECT_FALSE(loadSelectedPicture(*fil, *cbo).has_value());
    cbo->setListIndex(1);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(loadSelectedPicture(*fil, *cbo).has_value());
}

TEST(PictureNameTest, DropsTheLastFourCharactersAndUpperCases) {
    EXPECT_EQ(pictureName("Bells.wmf"), "BELLS");
    EXPECT_EQ(pictureName("x.y.wmf"), "X.Y");
    EXPECT_EQ(pictureName("gingerbread.WMF"), "GINGERBREAD");
}

// Two pieces that look alike can be swapped on a board that then looks
// finished while the puzzle never ends; and a picture that is not square loses
// part of itself on the square board. Every picture that ships must be square
// and cut, at every size either puzzle offers, into pieces that differ at a
// glance.
TEST(ShippedPictureTest, IsSquareAndNoTwoPiecesOfAnyBoardLookAlike) {
    // Pieces a person takes for the same (one striped wallpaper, a night sky
    // with other stars, a pink sky with other confetti) measure 1 to 9; a pale
    // cloud on a pale sky measures 9.5. Clearly different pieces must stand
    // further apart than that: something of their own a quarter of the piece
    // wide, or a change of colour that shows from one piece to the next.
    constexpr double kClearlyDifferent = 12;
    std::vector<fs::path> pictures;
    for (const auto& entry : fs::directory_iterator(kAssets))
        if (entry.path().extension() == ".wmf") pictures.push_back(entry.path());
    std::sort(pictures.begin(), pictures.end());
    ASSERT_FALSE(pictures.empty());
    const std::vector<Board> boards = puzzleBoards();
    for (const fs::path& file : pictures) {
        const auto picture = Metafile::load(QString::fromStdString(file.string()));
        ASSERT_TRUE(picture.has_value()) << file;
        EXPECT_EQ(picture->bounds().width(), picture->bounds().height()) << file;
        for (const Board& b : boards) {
            const QImage board =
                renderPuzzlePicture(*picture, std::max(b.cols * b.pieceW, b.rows * b.pieceH));
            std::vector<Glance> pieces;
            for (int r = 0; r < b.rows; ++r)
                for (int c = 0; c < b.cols; ++c)
                    pieces.push_back(glance(board, c * b.pieceW, r * b.pieceH, b.pieceW, b.pieceH));
            double least = 1e9;
            std::size_t first = 0, second = 0;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                for (std::size_t j = i + 1; j < pieces.size(); ++j) {
                    const double d = difference(pieces[i], pieces[j]);
                    if (d < least) std::tie(least, first, second) = std::tuple(d, i, j);
                }
            }
            EXPECT_GE(least, kClearlyDifferent)
                << file.filename() << ", " << b.name << ": pieces " << first + 1 << " and " << second + 1
                << " differ by only " << least;
        }
    }
}
