#pragma once
// A fixture for the window tests of a game with an options dialog: the game's
// pictures and sounds come from the source tree, and both windows are unloaded
// after each test.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "launcher/shared_routines.h"

template <class Window, class Options>
class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override { gAppPath = QUENVALE_SOURCE_DIR "/assets/"; }
    void TearDown() override {
        Window::instance().Unload();
        Options::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Window& open() {
        Window& w = Window::instance();
        w.Show();
        return w;
    }
};
