// Sounds parsed in memory, and read from their file through the careful
// reader, which reads no further than the header says the sound needs. Read
// as they stand and with notes longer than one piece of the reader's after
// the RIFF header, so that the header is looked at at every kind of place the
// input holds: both ways must give exactly what parsing the whole file gives.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "platform/wav.h"

namespace {

// A file in memory, so that a run leaves nothing behind however it ends.
const std::string& filePath() {
    static const std::string path = "/proc/self/fd/" + std::to_string(::memfd_create("sound.wav", 0));
    return path;
}

void readAsParsed(const std::string& bytes) {
    std::ofstream(filePath(), std::ios::binary | std::ios::trunc) << bytes;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::optional<WavSound> parsed = parseWav(data, bytes.size());
    const std::optional<WavSound> read = readWavFile(filePath());
    if (parsed.has_value() != read.has_value()) std::abort();
    if (parsed && (parsed->sampleRate != read->sampleRate || parsed->samples != read->samples)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    readAsParsed(bytes);
    if (size >= 12) {
        constexpr std::uint32_t kNotes = 70000;
        std::string notes = "JUNK";
        for (int shift = 0; shift < 32; shift += 8) notes += static_cast<char>((kNotes >> shift) & 0xFF);
        notes.append(kNotes, 'x');
        readAsParsed(bytes.substr(0, 12) + notes + bytes.substr(12));
    }
    return 0;
}
