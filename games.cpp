#include "games.h"

#include "actiongames/frmMaze.h"
#include "boardgames/frmMatch.h"
#include "launcher/frmMenu.h"
#include "wordgames/frmCross.h"

void registerGames() {
    frmMenu::registerGame(1, []() -> FormWindow& { return frmMatch::instance(); });
    frmMenu::registerGame(8, []() -> FormWindow& { return frmMaze::instance(); });
    frmMenu::registerGame(11, []() -> FormWindow& { return frmCross::instance(); });
}
