#pragma once
// The results dialog: the finishers of a party game, in a two-by-two grid.
#include <array>
#include <string>

#include "platform/forms.h"

class frmResults : public FormWindow {
public:
    static frmResults& instance();
    void cmdOK_Click();

    std::array<Label*, 2> Label1{};
    std::array<Label*, 4> lblWin{};
    Shape* Shape1 = nullptr;
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    frmResults();
};

// Lists the names of the finished players (Finished(i) not 0), in player order,
// and shows the dialog modally; returns when it is closed. Finished and Names
// are indexed from 1.
void ShowResults(const std::string& Title, const std::string& Line1, const std::string& Line2, int NumPlayers,
                 const int* Finished, const std::string* Names, int HelpID);
