#pragma once
// The "Players?" frame of the party games: a grey frame of four option
// buttons, "One (1)" to "Four (4)".
#include <array>
#include <functional>

#include "platform/forms.h"

Frame* makePlayersFrame(QWidget* parent, double left, double top, double width,
                        std::array<OptionButton*, 4>& optNum, std::function<void(int)> onClick);
