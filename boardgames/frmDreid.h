#pragma once
// Dreidel Game: one to four named players take turns stopping a spinning
// dreidel; its face wins 10 or 5 points, does nothing or loses 5. After each
// full round everyone at 50 points or more is listed as a winner.
#include <QImage>
#include <array>
#include <string>

#include "boardgames/dreidel_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"
#include "platform/text_controls.h"

class QTimer;

class frmDreid : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmDreid", "Dreidel Game", 8220, 6840, 0x000000FF, 15, false};
    static frmDreid& instance();

    bool running() const override { return rules.GameOn == 1; }

    void optNum_Click(int Index);
    void txtName_LostFocus(int Index);
    void cmdNew_Click();
    void Timer1_Timer();
    void picSpin_Click();
    void picSpin_KeyPress(int& KeyAscii);
    void cmdOK_Click();

    void AnnounceTurn();
    void NextPlayer();

    PictureBox* picSpin = nullptr;
    // 0 the spinning dreidel, 1 to 4 its faces Gimel, Hay, Nun and Shin.
    std::array<ImageBox*, 5> imgChoice{};
    std::array<ImageBox*, 2> Image1{};
    Frame* Frame2 = nullptr;
    QTimer* Timer1 = nullptr;
    Frame* Frame1 = nullptr;
    std::array<OptionButton*, 4> optNum{};
    std::array<TextBox*, 5> txtName{};  // 1 to 4
    std::array<Label*, 5> lblScore{};   // 0 is the goal, 1 to 4 the players' points
    CommandButton* cmdOK = nullptr;
    Label* lblMessage = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // GameOn, Player, Score and the winners of the last round.
    DreidelRules rules;
    int NameTop2 = 0, ScoreTop2 = 0;  // twips
    std::string TadaSound, UhohSound, MissSound, MoveSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmDreid();
    void setMessage(const std::string& text);
    void markCurrent(int player, bool current);
    // picSpin shows the picture of imgChoice(Index).
    void showChoice(int Index);
    const std::string& faceSound(int face) const;

    std::array<QImage, 5> choiceImages_;
};
