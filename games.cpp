#include "games.h"

#include "launcher/frmMenu.h"

void registerGames() {}
