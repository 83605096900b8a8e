#include "games.h"

#include <QApplication>

#include "actiongames/frmDrop.h"
#include "actiongames/frmFight.h"
#include "actiongames/frmMaze.h"
#include "actiongames/frmSled.h"
#include "boardgames/frmDreid.h"
#include "boardgames/frmFrosty.h"
#include "boardgames/frmManc.h"
#include "boardgames/frmMatch.h"
#include "boardgames/frmRudolph.h"
#include "boardgames/frmTrim.h"
#include "launcher/frmMenu.h"
#include "picturepuzzles/frmPuzzle.h"
#include "picturepuzzles/frmSPuz.h"
#include "platform/seam.h"
#include "platform/session_end.h"
#include "wordgames/frmCross.h"
#include "wordgames/frmSearch.h"
#include "wordgames/frmSnow.h"

void registerGames() {
    frmMenu::registerGame(0, []() -> FormWindow& { return frmSPuz::instance(); });
    frmMenu::registerGame(1, []() -> FormWindow& { return frmMatch::instance(); });
    frmMenu::registerGame(2, []() -> FormWindow& { return frmRudolph::instance(); });
    frmMenu::registerGame(3, []() -> FormWindow& { return frmFrosty::instance(); });
    frmMenu::registerGame(4, []() -> FormWindow& { return frmTrim::instance(); });
    frmMenu::registerGame(5, []() -> FormWindow& { return frmPuzzle::instance(); });
    frmMenu::registerGame(6, []() -> FormWindow& { return frmSnow::instance(); });
    frmMenu::registerGame(7, []() -> FormWindow& { return frmSearch::instance(); });
    frmMenu::registerGame(8, []() -> FormWindow& { return frmMaze::instance(); });
    frmMenu::registerGame(9, []() -> FormWindow& { return frmSled::instance(); });
    frmMenu::registerGame(10, []() -> FormWindow& { return frmFight::instance(); });
    frmMenu::registerGame(11, []() -> FormWindow& { return frmCross::instance(); });
    frmMenu::registerGame(12, []() -> FormWindow& { return frmManc::instance(); });
    frmMenu::registerGame(13, []() -> FormWindow& { return frmDreid::instance(); });
    frmMenu::registerGame(14, []() -> FormWindow& { return frmDrop::instance(); });
}

int runProgram() {
    registerGames();
    frmMenu& menu = frmMenu::instance();
    menu.Load();
    // A failed start has ended before the event loop began; its caller (a
    // script, a desktop launcher) learns of it from the status.
    if (menu.startFailed()) return 1;
    // Ending the session ends the program as the menu's exit does, once the
    // dialogs still open have closed as they close (the word list editor
    // saves its words): the settings are saved last, with what the dialogs
    // left in them. A lost X connection leaves no window to close, and no
    // time for more than the writing.
    endSessionOnSignals([] {
        FormWindow::closeShownDialogs();
        frmMenu::instance().cmdexit_Click();
        // An exit already under way, its message still open, ends now too.
        seam().endProgram();
    });
    saveWhenDisplayLost([] {
        FormWindow::keepWhatShownDialogsKeep();
        frmMenu::saveOwedSettings();
    });
    const int status = QApplication::exec();
    // Whoever ended the session learns that something was not saved.
    return status == 0 && sessionEndFailed() ? 1 : status;
}
