#pragma once
// The program's folder and the routines every game calls. No Qt here, so the
// games' rules can use it.
#include <string>
#include <vector>

// The program's folder followed by one separator; every data file is named by
// joining it with a plain file name.
extern std::string gAppPath;

std::string FullPath(const std::string& fileName);

// Plays a sound file: nothing at all for an empty name; otherwise stops the
// sound still playing, then plays. Flags 0 waits until it ends, 1 returns at once.
void PlaySoundFile(const std::string& soundFile, int flags);

// Fills Order at positions 1 to N with a random order of 1 to N, drawing
// exactly N - 1 numbers from Rnd (for j = N down to 2). Order must have room
// for position N; other positions are left alone.
void Shuffle(int N, std::vector<int>& Order);
void Shuffle(int N, int* Order);

// Returns after the given seconds without handling other events.
void Delay(double seconds);
