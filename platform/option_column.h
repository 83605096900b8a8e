#pragma once
// A frame's column of option buttons, as the options dialogs and the Players
// frame build them: button i is named "<name>_<i>" and captioned captions[i],
// the first stands at (left, top) of the frame in twips, each next one step
// lower, all width wide and one line high; a click on button i calls
// onClick(i).
#include <QString>
#include <array>
#include <cstddef>
#include <functional>

#include "platform/forms.h"

template <std::size_t N>
void addOptionColumn(Frame* frame, const char* name, const char* const (&captions)[N], double left,
                     double top, double step, double width, std::array<OptionButton*, N>& buttons,
                     const std::function<void(int)>& onClick) {
    for (std::size_t i = 0; i < N; ++i) {
        const int index = static_cast<int>(i);
        auto* o = new OptionButton(frame, QString("%1_%2").arg(name).arg(index), captions[i]);
        placeTwips(o, left, top + step * index, width, 285);
        o->onClick([onClick, index] { onClick(index); });
        buttons[i] = o;
    }
}
