#pragma once
// Puts every game window that is built on the menu's buttons.
void registerGames();
// Loads the menu, which starts the program, and runs it until it ends.
// Returns the exit status: non-zero when the program could not start.
int runProgram();
