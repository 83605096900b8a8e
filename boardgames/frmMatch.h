#pragma once
// Gift Match: a memory game of 2 to 15 pairs of toys dealt face down as gifts,
// played alone, against the computer or by two children at one screen.
//
// The rules (MatchRules) decide what a card click does; this window turns each
// step they report into drawing, prompts, counters, sounds and pauses, in
// order. The computer's turn runs inside the click that gave it the turn: each
// of its cards goes through picHidden_Click like a click, so clicks made
// meanwhile wait in the queue and count for whoever's turn it is afterwards.
#include <array>
#include <optional>
#include <string>

#include "boardgames/match_rules.h"
#include "launcher/game_window.h"
#include "platform/metafile.h"
#include "platform/picture_box.h"

class frmMatch : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmMatch", "Gift Match", 8265, 5880, 0x00000000, 1, false};
    static frmMatch& instance();

    void cmdNew_Click();
    // A click on card slot Index (1 to 30); the computer's cards come here too.
    void picHidden_Click(int Index);

    bool running() const override { return rules_.GameOn == 1; }
    // The game's state, for whoever needs to look at the board.
    const MatchRules& rules() const { return rules_; }

    // Controls; arrays keep the designed indices (element 0 unused).
    std::array<PictureBox*, kMatchMaxSlots + 1> picHidden{};
    Label* lblMessage = nullptr;
    std::array<Label*, 3> lblP{};
    std::array<Label*, 3> lblMatch{};
    Frame* fraChoice = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdOptions = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // The card back and the toys, read from their files at load; a file that
    // is missing or unreadable leaves its picture empty.
    std::optional<Metafile> picGift;
    std::array<std::optional<Metafile>, kMatchMaxPairs + 1> picChoice;
    // The palette colour behind each toy while it is face up.
    std::array<int, kMatchMaxPairs + 1> ToyColor{};
    std::string WowSound, BoingSound, TadaSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmMatch();

    void ShowToy(PictureBox* box, int toy);
    void CoverCard(int slot);
    void RemoveCard(int slot);
    // The card back on a slot, without the immediate redraw.
    void paintCardBack(PictureBox* box);
    void showHeadings();
    // The frame's end of a game and the closing text; the game has already stopped.
    void showEnd(const std::string& text);
    void setMessage(const std::string& text);
    QColor windowColor() const;

    MatchRules rules_;
};
