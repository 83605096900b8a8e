// GoogleTest main with a QApplication, so window tests can create widgets.
// Tests run headless and silent: Qt's offscreen platform and SDL's dummy
// audio driver, unless the caller chose others.
#include <gtest/gtest.h>

#include <QApplication>

extern "C" {
// What Qt keeps until the process ends, and nothing else: a leak of our own,
// even in a handler that a Qt timer or event calls, must fail the test. Each
// entry names a library that never calls back into our code, so it cannot
// stand in any stack of ours:
// - the fontconfig cache, which Qt's font database fills and never frees;
// - the read buffer of the session bus connection that Qt's D-Bus thread
//   keeps open (on a real display; the stack is cut inside libdbus, so it
//   can only be named by its library).
const char* __lsan_default_suppressions() { return "leak:libfontconfig\nleak:libdbus-1\n"; }
const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
