#include "boardgames/players_frame.h"

#include "platform/option_column.h"

Frame* makePlayersFrame(QWidget* parent, double left, double top, double width,
                        std::array<OptionButton*, 4>& optNum, std::function<void(int)> onClick) {
    auto* frame = new Frame(parent, "Frame1", "Players?");
    placeTwips(frame, left, top, width, 1560);
    greyFrame(frame, LockedCaptions::Black);
    addOptionColumn(frame, "optNum", {"One (1)", "Two (2)", "Three (3)", "Four (4)"}, 240, 300, 300,
                    width - 360, optNum, onClick);
    return frame;
}
