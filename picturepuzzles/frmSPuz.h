#pragma once
// Vantrel Sliders: a picture from the list is cut into 6, 9, 12 or 16 pieces,
// the bottom right one is set aside to leave a hole, and the pieces are slid
// about at random; the child slides them back, or has the program undo every
// move, one every 25 ms.
//
// The piece boxes never move: a slide copies a piece's picture into the box of
// the hole and clears its own. The rules (SPuzRules) keep the board and the
// logs; this window turns them into pictures, sounds and buttons.
#include <array>
#include <optional>
#include <string>

#include "launcher/game_window.h"
#include "picturepuzzles/puzzle_picture.h"
#include "picturepuzzles/spuz_rules.h"
#include "platform/drop_down_list.h"
#include "platform/file_list_box.h"
#include "platform/picture_box.h"

class QTimer;

class frmSPuz : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmSPuz", "Vantrel Sliders", 8760, 5745, 0x00FFC0C0, 12, false};
    static frmSPuz& instance();

    bool running() const override { return rules.GameOn == 1; }

    void optSize_Click(int Index);
    void optDiff_Click(int Index);
    // Piece sizes for the board, and the board picture fitted to whole pieces.
    void SizeBoard();
    // Starts a game when none runs; otherwise has the program solve it.
    void cmdScramble_Click();
    // Slides the piece at board position t into the hole.
    void MovePiece(int t);
    // The child's click on board position Index.
    void picPiece_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void cmdOK_Click();
    // One undo step of the program's solve.
    void Timer1_Timer();
    void cboFiles_Click();

    // Controls; arrays keep the designed indices.
    PictureBox* picPuzzle = nullptr;
    PictureBox* pichide = nullptr;
    std::array<PictureBox*, kSPuzMaxPieces + 1> picPiece{};
    FileListBox* filFiles = nullptr;
    DropDownList* cboFiles = nullptr;
    Label* lblPuzzle = nullptr;
    Frame* fraSize = nullptr;
    std::array<OptionButton*, 4> optSize{};
    Frame* fraDiff = nullptr;
    std::array<OptionButton*, 4> optDiff{};
    Button3D* cmdScramble = nullptr;
    Frame* fraChoice = nullptr;
    Button3D* cmdExit = nullptr;
    Button3D* cmdHelp = nullptr;
    CommandButton* cmdOK = nullptr;
    std::array<Label*, 2> lblMoves{};
    Label* lblFinish = nullptr;
    Shape* shpFinish = nullptr;
    Shape* Shape1 = nullptr;
    QTimer* Timer1 = nullptr;

    // The board, the logs and the moves.
    SPuzRules rules;
    int PreviewLeft = 0;
    int BoardLeft = 0, BoardTop = 0;
    std::string WowSound, UhOhSound, DingSound, SpaceSound;
    // The picture that pichide keeps; nothing when the list has none that can be read.
    PuzzlePicture Picture;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmSPuz();
    // The piece set aside at the start fills the hole; the finished puzzle
    // waits for OK or Stop.
    void showFinished();
    // The chosen picture, drawn for the board as it is sized now.
    const QImage& boardPicture();
    // Clears a piece box to black, without a picture.
    void clearPiece(PictureBox* box);
};
