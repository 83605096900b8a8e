#pragma once
// Every sound file the games play, as it lies in the program's folder, and
// the kind of each, which says how long it may last.
#include <cstddef>
#include <iterator>

enum class SoundKind {
    Short,   // under 0.4 s: played for every letter, seed or ornament, often waited for
    Effect,  // under 1.5 s: a game's reaction to a move
    Song,    // 1.2 to 3.5 s: a tune at the end of a game or a run. Most games wait
             // for theirs, and a window that does not answer for five seconds is
             // offered to be killed as hung, so no song may be longer.
    Speech,  // up to 1.2 s: a reindeer's spoken name
};

inline constexpr const char* kSoundNames[] = {
    // Short
    "ding.wav", "chimes.wav", "highbing.wav", "lgbubble.wav", "move.wav",
    // Effect
    "tada.wav", "uhoh.wav", "wow.wav", "boing.wav", "miss.wav", "scrape.wav", "crash.wav", "whoosh.wav",
    "oh!!.wav", "good.wav", "thanks.wav", "hohoho.wav", "space.wav",
    // Song
    "jingle.wav", "rudsong.wav", "frosty.wav", "melting.wav", "dreidel.wav", "mazesong.wav", "cheering.wav",
    // Speech
    "Comet.wav", "Cupid.wav", "Blitzen.wav", "Vixen.wav", "Dasher.wav", "Dancer.wav", "Prancer.wav",
    "Donner.wav", "Rudolph.wav"};

// The kind of each sound, at the same place as its name.
inline constexpr SoundKind kSoundKinds[] = {
    SoundKind::Short,  SoundKind::Short,  SoundKind::Short,  SoundKind::Short,  SoundKind::Short,
    SoundKind::Effect, SoundKind::Effect, SoundKind::Effect, SoundKind::Effect, SoundKind::Effect,
    SoundKind::Effect, SoundKind::Effect, SoundKind::Effect, SoundKind::Effect, SoundKind::Effect,
    SoundKind::Effect, SoundKind::Effect, SoundKind::Effect, SoundKind::Song,   SoundKind::Song,
    SoundKind::Song,   SoundKind::Song,   SoundKind::Song,   SoundKind::Song,   SoundKind::Song,
    SoundKind::Speech, SoundKind::Speech, SoundKind::Speech, SoundKind::Speech, SoundKind::Speech,
    SoundKind::Speech, SoundKind::Speech, SoundKind::Speech, SoundKind::Speech};

static_assert(std::size(kSoundNames) == std::size(kSoundKinds), "every sound needs its kind");
