// Prints the program's folder as the program finds it, byte for byte, so that
// a test can run a copy of it from a folder of any name.
#include <QCoreApplication>
#include <cstdio>

#include "platform/data_file.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string folder = executableFolder();
    std::fwrite(folder.data(), 1, folder.size(), stdout);
    return 0;
}
