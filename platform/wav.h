#pragma once
// Our own reader of ".wav" sound files, so the sound player gets plain samples
// whatever the file holds. No Qt here.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WavSound {
    int sampleRate = 0;          // frames per second of the file
    std::vector<float> samples;  // mono, mixed down from the file's channels, in [-1, 1]
    double seconds() const;      // samples.size() / sampleRate (0 when sampleRate is 0)
};

// Parses a RIFF/WAVE file held in memory: PCM 8-bit unsigned or 16-bit signed,
// 1 or 2 channels, rates 4000 to 192000. Unknown chunks are skipped (odd sizes
// are followed by a pad byte); the first "fmt " chunk must come before the
// first "data" chunk, later "fmt " chunks are ignored, and nothing after that
// data chunk is read.
//
// Returns nothing when the header is malformed: not RIFF/WAVE, a RIFF size too
// small for "WAVE", a chunk before the data that does not fit, a format that is
// not plain PCM, a channel count, sample size or rate out of range, a block size
// that disagrees with them, or no data chunk.
//
// A file cut short inside its sound keeps what arrived: a data chunk (or the
// RIFF size) claiming more bytes than there are is read up to the last whole
// frame present, so half-copied files and writers that leave the sizes at
// their maximum still play. A RIFF size smaller than the buffer ends the file
// there. A data chunk that claims sound but holds not one whole frame is
// refused; an honestly empty one gives an empty sound.
//
// Never reads outside [data, data + size) and allocates no more samples than
// the whole frames actually present.
std::optional<WavSound> parseWav(const std::uint8_t* data, std::size_t size);

// No sound of ours comes near this; a larger file is not a sound we would
// play, and reading it whole could exhaust memory.
inline constexpr std::size_t kMaxWavFileBytes = 64u * 1024u * 1024u;

// Reads the file as readWholeFile does and parses it; nothing when it is
// missing, no ordinary file (a named pipe or a device is never waited for),
// unreadable, larger than kMaxWavFileBytes, or malformed.
std::optional<WavSound> readWavFile(const std::string& path);
