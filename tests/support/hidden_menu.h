#pragma once
// The menu as it stands behind an open game window: loaded from a copy of the
// shipped settings in a folder of the test's own, then hidden. The game's
// pictures and sounds still come from the source tree. unload() (or the end
// of the scope) unloads the menu, which writes the settings into that folder,
// never beside the sources.
#include <QCoreApplication>
#include <QEvent>
#include <filesystem>

#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "support/temp_dir.h"

class HiddenMenu {
public:
    HiddenMenu() {
        std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", dir_.file("vantrel5.ini"));
        frmMenu::setProgramFolder(dir_.path().string());
        menu().Load();
        menu().Hide();
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
    }
    ~HiddenMenu() { unload(); }
    HiddenMenu(const HiddenMenu&) = delete;
    HiddenMenu& operator=(const HiddenMenu&) = delete;

    static frmMenu& menu() { return frmMenu::instance(); }
    bool started() const { return !menu().startFailed(); }

    void unload() {
        if (unloaded_) return;
        unloaded_ = true;
        gAppPath = dir_.path().string() + "/";
        menu().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmMenu::setProgramFolder("");
    }

private:
    TempDir dir_;
    bool unloaded_ = false;
};
