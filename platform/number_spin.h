#pragma once
// A number shown large in a white box with a spin button beside it that steps
// it, as the options dialogs show a count. Each dialog gives its own places
// and handlers.
#include <functional>

#include "platform/forms.h"
#include "platform/spin_button.h"

struct NumberSpin {
    Label* lblNumber = nullptr;
    SpinButton* SpinButton1 = nullptr;
};

// The number's box at (left, top) of frame in twips, the spin button just
// to its right; up and down are the spin button's handlers.
NumberSpin makeNumberSpin(Frame* frame, double left, double top, std::function<void()> up,
                          std::function<void()> down);

// The same for a dialog whose number, spin button and handlers carry the
// usual names (lblNumber, SpinButton1, SpinButton1_SpinUp/SpinDown).
template <class Dialog>
void addNumberSpin(Dialog& d, Frame* frame, double left, double top) {
    const NumberSpin n = makeNumberSpin(
        frame, left, top, [&d] { d.SpinButton1_SpinUp(); }, [&d] { d.SpinButton1_SpinDown(); });
    d.lblNumber = n.lblNumber;
    d.SpinButton1 = n.SpinButton1;
}
