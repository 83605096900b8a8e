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
// that disagrees with them, or no data chunk; and for a sound longer than
// kMaxWavSeconds.
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

// Our sounds last a few seconds and the longest song three and a half. A
// minute decodes to about 5 MB at the player's rate; the hours that a large
// file beside the program can hold would take gigabytes and keep the window
// waiting while they were decoded.
inline constexpr double kMaxWavSeconds = 60.0;

// Where the sound must have begun: room for any header a sound editor writes
// before it, so that a file of other things is not read far in search of one.
inline constexpr std::size_t kMaxWavHeaderBytes = std::size_t{1} << 20;

// No sound of ours comes near this; a larger file is not a sound we would
// play, whatever it holds.
inline constexpr std::size_t kMaxWavFileBytes = 64u * 1024u * 1024u;

// Reads the file as readFileInPieces does and parses it, reading no further
// than its header and the sound it says it holds: a sound too long is refused
// from its header. Nothing when it is missing, no ordinary file (a named pipe
// or a device is never waited for), unreadable, larger than kMaxWavFileBytes,
// malformed, too long, or its sound begins beyond kMaxWavHeaderBytes.
std::optional<WavSound> readWavFile(const std::string& path);
