// Quenvale: loading the menu window is the start of the program.
#include <QApplication>

#include "games.h"
#include "launcher/frmMenu.h"
#include "platform/real_seam.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quenvale");
    // The program ends through the menu's exit only; hiding the menu while a
    // game opens must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    RealSeam platform;
    setSeam(&platform);
    registerGames();

    frmMenu::instance().Load();
    int result = platform.ended() ? 0 : app.exec();
    setSeam(nullptr);
    return result;
}
