#pragma once
// The options of Where's Rudolph?: whether the child may peek at the reindeer
// before the doors close, and how many reindeer hide. Every click writes its
// shared setting at once; the game reads them at its next New Game.
#include <array>

#include "boardgames/rudolph_rules.h"
#include "launcher/game_window.h"
#include "platform/spin_button.h"

class optRudolph : public OptionsDialog {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"optRudolph", "Where's Rudolph? Options", 5175, 1935, 0x00C0C0C0, 2,
                                      false};
    static optRudolph& instance();
    // The options as the shared settings hold them now.
    static RudolphRules::Settings stored();

    void optPeek_Click(int Index);
    void SpinButton1_SpinUp();
    void SpinButton1_SpinDown();

    Frame* Frame2 = nullptr;
    Frame* Frame3 = nullptr;
    std::array<OptionButton*, 2> optPeek{};
    SpinButton* SpinButton1 = nullptr;
    Label* lblNumber = nullptr;
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    optRudolph();
    void showCount();
};
