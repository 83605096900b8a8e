#include "boardgames/players_frame.h"

#include <QPalette>

Frame* makePlayersFrame(QWidget* parent, double left, double top, double width,
                        std::array<OptionButton*, 4>& optNum, std::function<void(int)> onClick) {
    auto* frame = new Frame(parent, "Frame1", "Players?");
    placeTwips(frame, left, top, width, 1560);
    frame->setAutoFillBackground(true);
    QPalette grey = frame->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    grey.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(grey);
    const char* const numbers[4] = {"One (1)", "Two (2)", "Three (3)", "Four (4)"};
    for (int i = 0; i < 4; ++i) {
        auto* o = new OptionButton(frame, QString("optNum_%1").arg(i), numbers[i]);
        placeTwips(o, 240, 300 + 300 * i, width - 360, 285);
        o->onClick([onClick, i] { onClick(i); });
        optNum[static_cast<std::size_t>(i)] = o;
    }
    return frame;
}
