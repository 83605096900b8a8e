#pragma once
// Gift Drop: catch the gifts and sacks that fall down five lanes with a bar
// moved by the arrow keys, for ninety seconds, and try to beat the high score.
#include <array>
#include <string>

#include "actiongames/drop_rules.h"
#include "launcher/game_window.h"
#include "platform/flood_panel.h"
#include "platform/picture_box.h"

class QTimer;

class frmDrop : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmDrop", "Gift Drop", 8970, 5655, 0x00C000C0, 16, false};
    static frmDrop& instance();

    bool running() const override { return rules.GameOn == 1; }

    void Form_Activate();
    void cmdNew_Click();
    void cmdReset_Click();
    // Index 0 is the field; element 1 is the hidden back buffer, which never has the focus.
    void picBalloons_KeyDown(int Index, int& KeyCode, int Shift);
    // The fall step, every 100 ms while a game runs.
    void timBalloons_Timer();
    // The game clock: half time, then the end of the game.
    void timGame_Timer();

    // 0 the field that is seen, 1 the back buffer every redraw is made in.
    std::array<PictureBox*, 2> picBalloons{};
    // 0 to 3 the gifts, 4 the sack.
    std::array<PictureBox*, DropRules::kObjects> picBalloon{};
    PictureBox* picArrow = nullptr;
    FloodPanel* pnlTime = nullptr;
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    Label* Label5 = nullptr;
    Label* lblScore = nullptr;
    Label* lblHigh = nullptr;
    CommandButton* cmdReset = nullptr;
    Frame* Frame2 = nullptr;
    std::array<Label*, 2> Label6{};
    Button3D* cmdNew = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;
    QTimer* timBalloons = nullptr;
    QTimer* timGame = nullptr;

    // GameOn, HalfTime, StartTime, the catcher, the lanes and the objects.
    DropRules rules;
    std::string TadaSound, HighbingSound, MissSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmDrop();
    // Redraws the field: everything is drawn in the back buffer, then shown with one copy.
    void DrawScene();
    // The time bar from the clock.
    void showTimeLeft();
    // While a game runs the buttons take no focus, so the arrow keys always reach the field.
    void keepFocusOnField(bool on);
};
