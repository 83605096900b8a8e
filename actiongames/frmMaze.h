#pragma once
// Santa's Maze: lead Santa through a fresh maze to his toy bag and out through
// the gap that opens in the top wall, against the clock; or print the maze.
#include <QString>
#include <string>

#include "actiongames/maze_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"

class QTimer;

class frmMaze : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmMaze", "Santa's Maze", 9165, 6405, 0x00FF8080, 8, true};
    static frmMaze& instance();

    bool running() const override { return Playing == 1; }

    // New maze, or start the solve of the one shown.
    void cmdNew_Click();
    void cmdPrint_Click();
    void picField_KeyDown(int& KeyCode, int Shift);
    // Redraws the whole field from the cell table.
    void picField_Paint();
    // The clock, every second while solving.
    void Timer1_Timer();
    // The sleigh's flight after a win, every 100 ms.
    void Timer2_Timer();

    // Clears the field, builds a new maze and draws it.
    void GenerateMaze();

    PictureBox* picField = nullptr;
    Frame* Frame1 = nullptr;
    CommandButton* cmdNew = nullptr;
    CommandButton* cmdPrint = nullptr;
    CommandButton* cmdHelp = nullptr;
    CommandButton* cmdExit = nullptr;
    Label* lblMessage = nullptr;
    Label* Label1 = nullptr;
    Label* lblTimer = nullptr;
    PictureBox* picArrow = nullptr;
    Label* lblArrow = nullptr;
    ImageBox* imgSleigh = nullptr;
    PictureBox* picSanta = nullptr;
    PictureBox* picBag = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // The cell table with Santa, the bag, the cell size, GotBag, Printing and MazeColor.
    MazeRules rules;
    int Playing = 0;
    int NewMazeNext = 0;
    double StartTime = 0;  // seconds on the seam's clock
    int SleighStartLeft = 0;
    std::string DingSound, GoodSound, HoHoHoSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmMaze();
    // DrawMaze onto the field.
    void drawField();
    // Copies a sprite's cell-sized block onto the cell of the field.
    void copySprite(const PictureBox& sprite, int row, int col);
    void fillField(const MazeBox& box);
    // While a solve runs the buttons take no focus, so the arrow keys always reach the field.
    void keepFocusOnField(bool on);
    void placeSleigh();

    double sleighLeft_ = 0;  // twips
};
