// Quenvale: loading the menu window is the start of the program.
#include <QApplication>

#include "games.h"
#include "platform/real_seam.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quenvale");
    // The program ends through the menu's exit only; hiding the menu while a
    // game opens must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    RealSeam platform;
    setSeam(&platform);
    const int result = runProgram();
    setSeam(nullptr);
    return result;
}
