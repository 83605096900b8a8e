#include "platform/number_spin.h"

#include <utility>

#include "platform/fonts.h"

NumberSpin makeNumberSpin(Frame* frame, double left, double top, std::function<void()> up,
                          std::function<void()> down) {
    NumberSpin n;
    n.lblNumber = new Label(frame, "lblNumber");
    placeTwips(n.lblNumber, left, top, 780, 555);
    n.lblNumber->setFont(vbFont("MS Sans Serif", 18, true));
    n.lblNumber->setAlignment(Qt::AlignCenter);
    n.lblNumber->setBackColor(Qt::white);
    n.lblNumber->setBorder(true);
    n.SpinButton1 = new SpinButton(frame, "SpinButton1");
    placeTwips(n.SpinButton1, left + 900, top - 30, 345, 615);
    n.SpinButton1->onSpinUp(std::move(up));
    n.SpinButton1->onSpinDown(std::move(down));
    return n;
}
