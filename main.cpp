// Quenvale: loading the menu window is the start of the program.
#include <QApplication>
#include <QPixmapCache>

#include "games.h"
#include "platform/real_seam.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quenvale");
    // The program ends through the menu's exit only; hiding the menu while a
    // game opens must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // The style would keep every control's drawing under a key made from the
    // control's palette, and every window opened gets new palettes: kept, they
    // would never be drawn again and only pile up. Our windows draw little, so
    // the style draws each time instead.
    QPixmapCache::setCacheLimit(0);

    RealSeam platform;
    setSeam(&platform);
    const int result = runProgram();
    setSeam(nullptr);
    return result;
}
