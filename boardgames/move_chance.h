#pragma once
// How often a computer player of Mancala or Trim a Tree moves at random
// instead of playing its best move, by the options dialog's difficulty: always
// at 1 (the easiest), half the time at 2, a quarter at 3, never at 4. A
// hand-edited value outside 1 to 4 reads as the nearest level.
float moveChanceFor(int difficulty);
