#pragma once
// Crosswords: a fill-in crossword without clues. The child clicks the first
// cell of a word, types it in and hears whether it was right; a word of the
// list can be revealed by clicking it. The puzzle can be printed.
#include <QFrame>
#include <array>
#include <string>

#include "launcher/game_window.h"
#include "platform/forms.h"
#include "wordgames/crossword_builder.h"

class frmCross : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmCross", "Crosswords", 9480, 6810, 0x00FFC0C0, 13, true};
    static frmCross& instance();

    bool running() const override { return Playing == 1; }

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdPrint_Click();
    // Index 1 to 256: (row - 1) x 16 + column.
    void lblLetter_Click(int Index);
    // Index 16 to 30: the list.
    void lblWord_Click(int Index);
    void Form_KeyPress(int& KeyAscii) override;

    Shape* Shape1 = nullptr;
    Shape* Shape2 = nullptr;
    Shape* Shape3 = nullptr;
    Label* Label1 = nullptr;
    // Element 0 is the template of the cells; 1 to 256 are created at load.
    std::array<Label*, CrossPuzzle::kSize * CrossPuzzle::kSize + 1> lblLetter{};
    // 1 to 15 hold the placed words and are never shown; 16 to 30 show the list.
    std::array<Label*, 31> lblWord{};
    QFrame* SSPanel1 = nullptr;
    CommandButton* cmdNew = nullptr;
    CommandButton* cmdPrint = nullptr;
    CommandButton* cmdEdit = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // The puzzle: its words, where they lie, which are solved, the cells' states.
    CrossPuzzle Puzzle;

    int Playing = 0;
    int WordSelected = 0;
    int SelWord = 0, SelListPos = 0;
    int SelRow = 0, SelCol = 0;
    int StepRow = 0, StepCol = 0;
    int SelLen = 0;
    int CursorRow = 0, CursorCol = 0;
    int TypedCount = 0;
    std::string Typed;
    // 1 while the word being completed is revealed or was just selected by a
    // click; 0 once it was completed by typing.
    int RevealMode = 0;
    int SolvedBackColor = 12;

    std::string TadaWav, UhohWav, DingWav, ChimesWav;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmCross();
    void NewPuzzle();
    void ClearSelection();
    void MarkSolved(int k);

    Label* cell(int row, int col) const;
    int& cellState(int row, int col) { return Puzzle.CellState[row][col]; }
    void showCursor();
    void showLetter(int row, int col, const QString& text);
    void moveCursor(int steps);
    // Takes the fixed letters from the cursor on as typed; true when they
    // complete the word, else the cursor is left on the next open cell.
    bool takeFixedLetters();
    void checkWord();
    void typeLetter(char letter);
    void backSpace();
};
