#pragma once
// Snowball Toss: two throwers on the edges of a snowy field toss snowballs
// across it past two gliding obstacles; each hit scores a point. One child
// plays the computer, or two children share the keyboard.
//
// The rules (FightRules) keep the places, counts and scores and decide each
// 22 ms step and each of the computer's moves; this window shows them.
#include <QPicture>
#include <array>
#include <cstdint>
#include <string>

#include "actiongames/fight_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"

class QTimer;

class frmFight : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmFight", "Snowball Toss", 7605, 5730, 0x00C00000, 10, true};
    static frmFight& instance();

    bool running() const override { return GameOn == 1; }

    void cmdNew_Click();
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void picDesert_KeyDown(int& KeyCode, int Shift);
    // One step of the game, every 22 ms while a game runs.
    void Timer1_Timer();
    // One decision of the computer thrower.
    void Timer2_Timer();
    // Up, down or toss for the right thrower: the second player's keys and the computer's moves.
    void RightThrowerKey(int KeyCode);

    PictureBox* picDesert = nullptr;
    std::array<ImageBox*, 2> imgPlayer{};
    std::array<ImageBox*, 2> imgCactus{};
    ImageBox* imgSnow = nullptr;
    ImageBox* imgTree = nullptr;
    std::array<ImageBox*, 1> imgLBullet{};
    std::array<ImageBox*, 1> imgRBullet{};
    std::array<Shape*, 2> shpArsenal{};
    std::array<Shape*, FightRules::kMarkers> shpLBall{};
    std::array<Shape*, FightRules::kMarkers> shpRBall{};
    Label* pnlOver = nullptr;
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    std::array<Label*, 2> lblScore{};
    Frame* fraChoice = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdOptions = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Places, counts, scores, toss requests, obstacle speeds and the computer's parameters.
    FightRules rules;
    std::int16_t GameOn = 0;
    std::string WhooshPath, HitPath;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmFight();
    void showSideLabels();
    // Moves the pictures on the field to the places the rules hold.
    void placeSprites();
    void placeSprite(QWidget* picture, const FightSprite& at);
    void showMarkers(int count);
    Shape* makeMarker(int side, int i);
    const QPicture& picture(FightPicture which) const;

    QPicture snowmanPicture_, treePicture_;
};
