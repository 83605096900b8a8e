#pragma once
// Word Search: words of the list hidden across or down in a square of letters.
// The child clicks a word's letters from first to last and checks it; a word
// of the list can be revealed by clicking it. The puzzle can be printed.
#include <array>
#include <string>

#include "launcher/game_window.h"
#include "platform/forms.h"
#include "wordgames/search_rules.h"

class frmSearch : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmSearch", "Word Search", 7575, 6735, 0x00C0C0C0, 7, true};
    static frmSearch& instance();

    bool running() const override { return GameOn == 1; }

    void cmdNew_Click();
    // Index 1 to 256: (row - 1) x 16 + column.
    void lblLetter_Click(int Index);
    void cmdCheck_Click();
    void cmdClear_Click();
    // Index 1 to 20: the list, in placement order.
    void lblWord_Click(int Index);
    void cmdPrint_Click();
    void cmdEdit_Click();

    Shape* Shape1 = nullptr;
    // Element 0 is the template of the cells; 1 to 256 are created at load.
    std::array<Label*, SearchPuzzle::kSize * SearchPuzzle::kSize + 1> lblLetter{};
    Shape* shpTitle = nullptr;
    Label* lblTitle = nullptr;
    std::array<ImageBox*, 2> Image1{};
    Shape* Shape2 = nullptr;
    Label* Label1 = nullptr;
    std::array<Label*, SearchPuzzle::kMaxPlaced + 1> lblWord{};  // 1 to 20
    CommandButton* cmdNew = nullptr;
    CommandButton* cmdCheck = nullptr;
    CommandButton* cmdClear = nullptr;
    CommandButton* cmdPrint = nullptr;
    CommandButton* cmdEdit = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // The puzzle and the child's selection in it.
    SearchPuzzle Puzzle;

    int GameOn = 0;
    int SelBack = 5;    // palette: selected cells and the start text
    int FoundBack = 9;  // palette: found cells and found list words

    std::string TadaWav, UhohWav, DingWav, ChimesWav;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmSearch();
    void NewPuzzle();
    void ClearSelection();
    void MarkWordFound(int k);
    // Writes the text over the grid from (Row, Col) rightwards in the start
    // text's colours; Col is left one past the last letter.
    void PutGridText(const std::string& Text, int Row, int& Col);

    Label* cell(int row, int col) const;
    // Colours a cell as its state in the puzzle says.
    void paintCell(const SearchPuzzle::Cell& c);
    void paintCells(const std::vector<SearchPuzzle::Cell>& cells);
};
