#include "platform/wav.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/data_file.h"

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

bool isId(const std::uint8_t* p, const char (&id)[5]) { return std::memcmp(p, id, 4) == 0; }

struct PcmFormat {
    int channels = 0;
    int bits = 0;
    int sampleRate = 0;
    std::size_t blockAlign = 0;
};

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kFmtMinSize = 16;

std::optional<PcmFormat> readFormat(const std::uint8_t* p, std::size_t size) {
    if (size < kFmtMinSize) return std::nullopt;
    PcmFormat f;
    const std::uint16_t tag = le16(p);
    f.channels = le16(p + 2);
    const std::uint32_t rate = le32(p + 4);
    // The byte rate (p + 8) is redundant and often wrong in files from careless
    // writers; nothing depends on it, so it is not checked.
    f.blockAlign = le16(p + 12);
    f.bits = le16(p + 14);
    if (tag != kFormatPcm) return std::nullopt;
    if (f.channels != 1 && f.channels != 2) return std::nullopt;
    if (f.bits != 8 && f.bits != 16) return std::nullopt;
    if (rate < 4000 || rate > 192000) return std::nullopt;
    // The frame stride follows from channels and sample size; a header that
    // says otherwise cannot be trusted about the rest either.
    if (f.blockAlign != static_cast<std::size_t>(f.channels * f.bits / 8)) return std::nullopt;
    f.sampleRate = static_cast<int>(rate);
    return f;
}

float decodeSample(const std::uint8_t* p, int bits) {
    if (bits == 8) return (static_cast<int>(p[0]) - 128) / 128.0f;
    return static_cast<std::int16_t>(le16(p)) / 32768.0f;
}

WavSound decode(const PcmFormat& f, const std::uint8_t* p, std::size_t frames) {
    WavSound sound;
    sound.sampleRate = f.sampleRate;
    sound.samples.resize(frames);
    const std::size_t step = static_cast<std::size_t>(f.bits / 8);
    for (std::size_t i = 0; i < frames; ++i, p += f.blockAlign) {
        float v = decodeSample(p, f.bits);
        if (f.channels == 2) v = 0.5f * (v + decodeSample(p + step, f.bits));
        sound.samples[i] = v;
    }
    return sound;
}

// Where the sound lies in a file of `size` bytes of which the first `have`
// are at hand, so that a reader can tell from the header how much it needs.
struct Layout {
    enum State { Found, NeedMore, Refused } state = Refused;
    PcmFormat format;
    std::size_t dataPos = 0;  // the first byte of the sound
    std::size_t frames = 0;   // the whole frames of sound the file holds
    std::size_t needed = 0;   // with NeedMore: the bytes that must be at hand to go on
};

Layout needMore(std::size_t bytes) {
    Layout l;
    l.state = Layout::NeedMore;
    l.needed = bytes;
    return l;
}

Layout locate(const std::uint8_t* data, std::size_t have, std::size_t size) {
    constexpr std::size_t kRiffHeader = 12, kChunkHeader = 8;
    if (data == nullptr || size < kRiffHeader) return {};
    if (have < kRiffHeader) return needMore(kRiffHeader);
    if (!isId(data, "RIFF") || !isId(data + 8, "WAVE")) return {};
    const std::uint32_t riffSize = le32(data + 4);
    if (riffSize < 4) return {};
    // A RIFF size beyond the file means the file was cut short or its writer
    // never came back to fill the size in; the file's end is the end then.
    const std::size_t end = riffSize <= size - 8 ? 8 + std::size_t{riffSize} : size;

    // Every position stays at or before end, and sizes are compared with the
    // bytes left rather than added to positions, so no size can overflow.
    std::optional<PcmFormat> format;
    std::size_t pos = kRiffHeader;
    while (end - pos >= kChunkHeader) {
        if (have < pos + kChunkHeader) return needMore(pos + kChunkHeader);
        const std::uint8_t* id = data + pos;
        const std::uint32_t chunkSize = le32(data + pos + 4);
        pos += kChunkHeader;
        const std::size_t available = end - pos;

        if (isId(id, "data")) {
            if (!format) return {};
            const std::size_t frames = std::min<std::size_t>(chunkSize, available) / format->blockAlign;
            if (frames == 0 && chunkSize != 0) return {};
            if (static_cast<double>(frames) > kMaxWavSeconds * format->sampleRate) return {};
            Layout l;
            l.state = Layout::Found;
            l.format = *format;
            l.dataPos = pos;
            l.frames = frames;
            return l;
        }
        if (chunkSize > available) return {};
        if (isId(id, "fmt ") && !format) {
            const std::size_t read = std::min<std::size_t>(chunkSize, kFmtMinSize);
            if (have < pos + read) return needMore(pos + read);
            format = readFormat(data + pos, chunkSize);
            if (!format) return {};
        }
        pos += chunkSize;
        if (chunkSize % 2 != 0 && pos < end) ++pos;
    }
    return {};
}

}  // namespace

double WavSound::seconds() const {
    return sampleRate <= 0 ? 0.0 : static_cast<double>(samples.size()) / sampleRate;
}

std::optional<WavSound> parseWav(const std::uint8_t* data, std::size_t size) {
    const Layout l = locate(data, size, size);
    if (l.state != Layout::Found) return std::nullopt;
    return decode(l.format, data + l.dataPos, l.frames);
}

std::optional<WavSound> readWavFile(const std::string& path) {
    std::size_t size = 0;
    std::string bytes;
    std::optional<std::size_t> needed;
    bool refused = false;
    const FileRead read = readFileInPieces(
        path, kMaxWavFileBytes,
        [&](std::string_view piece) {
            if (size > kMaxWavFileBytes) {
                refused = true;
                return false;
            }
            bytes.append(piece);
            if (!needed) {
                const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
                const Layout l = locate(data, std::min(bytes.size(), size), size);
                if (l.state == Layout::NeedMore && l.needed <= kMaxWavHeaderBytes) return true;
                if (l.state != Layout::Found) {
                    refused = true;
                    return false;
                }
                needed = l.dataPos + l.frames * l.format.blockAlign;
            }
            return bytes.size() < *needed;
        },
        &size);
    if (refused || read != FileRead::Done) return std::nullopt;
    // Parsed again from what arrived: the file may have changed since its header was read.
    if (needed && bytes.size() > *needed) bytes.resize(*needed);
    return parseWav(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
