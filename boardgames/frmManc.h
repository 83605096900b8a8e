#pragma once
// Mancala: six pits a side and a store at each end, three seeds to a pit. One
// child plays the computer, or two children take turns at one screen.
//
// The rules (MancRules) move the seeds; this window runs the turn flow, draws
// every seed into its box as it lands, keeps the scores and the prompt, and
// paces the play with the sounds and pauses. The computer's turn runs inside
// the click that gave it the turn, so clicks made meanwhile wait in the queue.
#include <array>
#include <string>
#include <vector>

#include "boardgames/manc_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"

class frmManc : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmManc", "Mancala", 9150, 5850, 0x00FFC0C0, 14, false};
    static frmManc& instance();

    void cmdNew_Click();
    // A click on cell Index, 1 to 14.
    void picSeeds_Click(int Index);

    bool running() const override { return rules_.GameOn == 1; }
    // The board, to look at, or to set up a position.
    const MancRules& rules() const { return rules_; }
    MancRules& rules() { return rules_; }

    // Controls; arrays keep the designed indices.
    std::array<PictureBox*, kMancCells + 1> picSeeds{};
    std::array<Shape*, kMancCells + 1> shpBowl{};
    std::array<Label*, 3> lblScore{};
    std::array<Label*, 4> lblPlayer{};
    Label* lblMessage = nullptr;
    ImageBox* imgLeft = nullptr;
    ImageBox* imgRight = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdOptions = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // Drawing state, kept while the window lives.
    std::array<int, kMancCells + 1> SmallSeeds{};
    int PitStepX = 0, PitStepY = 0;
    int StoreStepX = 0, StoreStepY = 0;
    std::array<int, 3> StoreX{}, StoreY{};
    std::string UhOhSound, BubbleSound, CheerSound, DingSound, TadaSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmManc();

    // Sows a pit and shows it seed by seed; freeTurn as the rules say.
    void SowSeeds(int player, int pit, bool& freeTurn);
    // Sweeps the board when a side is empty; true when the game has ended.
    bool CheckGameEnd();
    void AddSeedToPit(int cell, int count);
    void DrawSeed(int cell, int k);
    void ShowScore(int p);
    // Picks the computer's pit and flashes its bowl.
    int ChooseComputerPit();
    // The computer's moves until one gives no free turn; true when the game
    // ended on one of them. The opening turn does not test for the end.
    bool computerTurn(bool testEnd);
    void clearCell(int cell);
    void playSteps(const std::vector<MancStep>& steps);
    void showNames(bool onePlayer);
    void setMessage(const QString& text);
    // The end of a game by a move: the result, then the cheering.
    void endByMove(bool waitForCheer);

    MancRules rules_;
};
