// GoogleTest main with a QApplication, so window tests can create widgets.
// Tests run headless and silent: Qt's offscreen platform and SDL's dummy
// audio driver, unless the caller chose others.
#include <gtest/gtest.h>

#include <QApplication>

extern "C" {
// Leaks inside system libraries that live until the process ends.
const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libdbus\n"
           "leak:libSDL2\nleak:libglib\nleak:libX11\nleak:libxkbcommon\nleak:libasound\n";
}
const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
