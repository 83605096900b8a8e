#pragma once
// Vantrel Puzzles: a picture from the list is cut into 2 x 2, 3 x 3 or 4 x 4
// square pieces laid out shuffled in a tray beside an empty board with grid
// lines; the child drags the pieces onto the board until every cell holds the
// piece cut from it.
//
// The rules (JigsawRules) keep the cells, the pieces' places and the drops'
// outcomes; this window moves the piece boxes, cuts their pictures and plays
// the sounds.
#include <array>
#include <optional>
#include <string>

#include "launcher/game_window.h"
#include "picturepuzzles/jigsaw_rules.h"
#include "picturepuzzles/puzzle_picture.h"
#include "platform/drop_down_list.h"
#include "platform/file_list_box.h"
#include "platform/line_shape.h"
#include "platform/picture_box.h"

class frmPuzzle : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmPuzzle", "Vantrel Puzzles", 9000, 5895, 0x000000FF, 5, false};
    static frmPuzzle& instance();

    bool running() const override { return rules.GameOn != 0; }

    void optSize_Click(int Index);
    // Sizes, centres and grids the board.
    void SizeBoard();
    void cmdScramble_Click();
    // Lifts piece Index and starts dragging it.
    void picPiece_MouseDown(int Index, int Button, int Shift, double X, double Y);
    // A piece dropped on the board; X and Y in the board's pixel scale.
    void picPuzzle_DragDrop(QWidget* Source, double X, double Y);
    // A piece dropped on piece Index.
    void picPiece_DragDrop(int Index, QWidget* Source, double X, double Y);
    // A piece dropped on the window itself.
    void Form_DragDrop(QWidget* Source, double X, double Y);
    void cboFiles_Click();

    // Controls; arrays keep the designed indices.
    PictureBox* picPuzzle = nullptr;
    PictureBox* pichide = nullptr;
    std::array<LineShape*, 3> Line1{};  // vertical
    std::array<LineShape*, 3> Line2{};  // horizontal
    Shape* Shape1 = nullptr;
    std::array<PictureBox*, kJigsawMaxPieces + 1> picPiece{};
    FileListBox* filFiles = nullptr;
    DropDownList* cboFiles = nullptr;
    Label* Label1 = nullptr;
    Frame* Frame1 = nullptr;
    std::array<OptionButton*, 3> optSize{};
    Button3D* cmdScramble = nullptr;
    Frame* fraChoice = nullptr;
    Button3D* cmdExit = nullptr;
    Button3D* cmdHelp = nullptr;

    // The cells, the pieces and the sizes.
    JigsawRules rules;
    // The board's top left corner on the window, in twips, as centred.
    double PuzzleLeft = 0, PuzzleTop = 0;
    std::string WowSound, UhOhSound, SpaceSound;
    // The picture that pichide keeps; nothing when the list has none that can be read.
    PuzzlePicture Picture;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmPuzzle();
    void showGrid();
    void hideGrid();
    // The chosen picture, drawn for the board as it is sized now.
    const QImage& boardPicture();
    // Where a piece lies on a cell (on the pixels it was cut from) and in its tray place.
    QRect cellRect(int cell) const;
    QRect trayRect(int piece) const;
    void moveDragged(const QRect& place);
    // A refused drop: the sound holds the window, so the dragged outline is
    // cleared from the screen first.
    void refuseDrop();
    // A drag that ended where nothing takes drops leaves the piece where it lay.
    void dragNotTaken();
};
