#pragma once
// Puts every game window that is built on the menu's buttons.
void registerGames();
