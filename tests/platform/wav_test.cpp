#include "platform/wav.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

void putId(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

// A chunk with its real size, or a claimed one; odd bodies get their pad byte.
Bytes chunk(const char* id, const Bytes& body, std::int64_t claimedSize = -1) {
    Bytes b;
    putId(b, id);
    put32(b, claimedSize < 0 ? static_cast<std::uint32_t>(body.size())
                             : static_cast<std::uint32_t>(claimedSize));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) b.push_back(0);
    return b;
}

struct Fmt {
    unsigned tag = 1;
    unsigned channels = 1;
    std::uint32_t rate = 8000;
    unsigned bits = 16;
    int blockAlign = -1;  // -1: the consistent value
};

Bytes fmtChunk(const Fmt& f, std::int64_t claimedSize = -1) {
    Bytes body;
    const unsigned align = f.blockAlign < 0 ? f.channels * f.bits / 8 : static_cast<unsigned>(f.blockAlign);
    put16(body, f.tag);
    put16(body, f.channels);
    put32(body, f.rate);
    put32(body, f.rate * align);
    put16(body, align);
    put16(body, f.bits);
    return chunk("fmt ", body, claimedSize);
}

Bytes riff(std::initializer_list<Bytes> chunks, std::int64_t claimedSize = -1) {
    Bytes body;
    putId(body, "WAVE");
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    putId(b, "RIFF");
    put32(b, claimedSize < 0 ? static_cast<std::uint32_t>(body.size())
                             : static_cast<std::uint32_t>(claimedSize));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes pcm16(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) put16(b, static_cast<unsigned>(static_cast<std::uint16_t>(v)));
    return b;
}

std::optional<WavSound> parse(const Bytes& b) { return parseWav(b.data(), b.size()); }

// The plain 16-bit mono file most tests start from: 44 bytes of header, then 4 frames.
Bytes simpleFile() { return riff({fmtChunk({}), chunk("data", pcm16({0, 16384, -32768, 32767}))}); }

TEST(WavTest, Mono16BitGivesSamplesScaledToOne) {
    auto s = parse(simpleFile());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->sampleRate, 8000);
    ASSERT_EQ(s->samples.size(), 4u);
    EXPECT_FLOAT_EQ(s->samples[0], 0.0f);
    EXPECT_FLOAT_EQ(s->samples[1], 0.5f);
    EXPECT_FLOAT_EQ(s->samples[2], -1.0f);
    EXPECT_NEAR(s->samples[3], 1.0f, 1e-4);
    EXPECT_LE(s->samples[3], 1.0f);
    EXPECT_DOUBLE_EQ(s->seconds(), 4.0 / 8000);
    EXPECT_DOUBLE_EQ(WavSound{}.seconds(), 0.0);
}

TEST(WavTest, StereoIsMixedDownToMono) {
    auto s = parse(riff({fmtChunk({.channels = 2, .rate = 44100}),
                         chunk("data", pcm16({16384, 0, -32768, -32768, 32767, -32768, 8192, 8192}))}));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->sampleRate, 44100);
    ASSERT_EQ(s->samples.size(), 4u);
    EXPECT_FLOAT_EQ(s->samples[0], 0.25f);
    EXPECT_FLOAT_EQ(s->samples[1], -1.0f);
    EXPECT_NEAR(s->samples[2], 0.0f, 1e-4);
    EXPECT_FLOAT_EQ(s->samples[3], 0.25f);
}

TEST(WavTest, EightBitIsUnsignedAroundTheMiddle) {
    auto mono = parse(riff({fmtChunk({.rate = 11025, .bits = 8}), chunk("data", {128, 0, 255, 192, 64})}));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->sampleRate, 11025);
    ASSERT_EQ(mono->samples.size(), 5u);  // an odd data chunk, padded, still gives all five
    EXPECT_FLOAT_EQ(mono->samples[0], 0.0f);
    EXPECT_FLOAT_EQ(mono->samples[1], -1.0f);
    EXPECT_FLOAT_EQ(mono->samples[2], 127.0f / 128.0f);
    EXPECT_FLOAT_EQ(mono->samples[3], 0.5f);
    EXPECT_FLOAT_EQ(mono->samples[4], -0.5f);

    auto stereo =
        parse(riff({fmtChunk({.channels = 2, .bits = 8}), chunk("data", {0, 0, 255, 1, 192, 128})}));
    ASSERT_TRUE(stereo);
    ASSERT_EQ(stereo->samples.size(), 3u);
    EXPECT_FLOAT_EQ(stereo->samples[0], -1.0f);
    EXPECT_FLOAT_EQ(stereo->samples[1], 0.0f);
    EXPECT_FLOAT_EQ(stereo->samples[2], 0.25f);
}

TEST(WavTest, RatesAtTheLimitsAreAcceptedAndBeyondRefused) {
    for (std::uint32_t rate : {4000u, 22050u, 192000u}) {
        auto s = parse(riff({fmtChunk({.rate = rate}), chunk("data", pcm16({1, 2}))}));
        ASSERT_TRUE(s) << rate;
        EXPECT_EQ(s->sampleRate, static_cast<int>(rate));
    }
    for (std::uint32_t rate : {0u, 3999u, 192001u, 0xFFFFFFFFu})
        EXPECT_FALSE(parse(riff({fmtChunk({.rate = rate}), chunk("data", pcm16({1, 2}))}))) << rate;
}

TEST(WavTest, UnknownChunksAreSkippedWithTheirPadByte) {
    // An odd chunk before the format, one between format and data, and a
    // trailing chunk after the data that must not be read as sound.
    auto s = parse(riff({chunk("LIST", {'I', 'N', 'F', 'O', 'x'}), fmtChunk({}), chunk("fact", {9, 9, 9}),
                         chunk("data", pcm16({100, -100})), chunk("data", pcm16({5, 5, 5}))}));
    ASSERT_TRUE(s);
    ASSERT_EQ(s->samples.size(), 2u);
    EXPECT_FLOAT_EQ(s->samples[0], 100.0f / 32768);

    // A repeated format chunk does not change the first one.
    auto twice = parse(riff({fmtChunk({}), fmtChunk({.channels = 2}), chunk("data", pcm16({1, 2, 3, 4}))}));
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->samples.size(), 4u);
}

TEST(WavTest, AFileCutInsideItsHeaderIsRefused) {
    const Bytes whole = simpleFile();
    constexpr std::size_t kHeader = 44;  // RIFF + fmt + data chunk header
    for (std::size_t n = 0; n <= kHeader + 1; ++n)
        EXPECT_FALSE(parseWav(whole.data(), n)) << "first " << n << " bytes";
    EXPECT_FALSE(parseWav(nullptr, 0));
}

TEST(WavTest, AFileCutInsideItsSoundKeepsTheWholeFramesThatArrived) {
    const Bytes whole = simpleFile();
    for (std::size_t n = 46; n <= whole.size(); ++n) {
        auto s = parseWav(whole.data(), n);
        ASSERT_TRUE(s) << n;
        EXPECT_EQ(s->samples.size(), (n - 44) / 2) << n;
    }

    // The same with a data size that claims far more than the file holds,
    // as a writer that never filled the sizes in leaves it.
    auto stream = parse(riff({fmtChunk({}), chunk("data", pcm16({7, 8, 9}), 0xFFFFFFFF)}, 0xFFFFFFFF));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->samples.size(), 3u);

    // Claimed sound with not one whole frame present is a broken file, while an
    // honestly empty data chunk is an empty sound.
    EXPECT_FALSE(parse(riff({fmtChunk({}), chunk("data", {}, 1000)})));
    EXPECT_FALSE(parse(riff({fmtChunk({.channels = 2}), chunk("data", {1}, 1000)})));
    auto empty = parse(riff({fmtChunk({}), chunk("data", {})}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->samples.empty());
}

TEST(WavTest, TheRiffSizeEndsTheFile) {
    // Bytes after the RIFF's declared end are not part of the sound.
    Bytes b = riff({fmtChunk({}), chunk("data", pcm16({1, 2, 3, 4}))});
    b[4] = static_cast<std::uint8_t>(b[4] - 4);
    auto s = parse(b);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples.size(), 2u);

    // A RIFF too small to hold its own chunks, or even "WAVE", is refused.
    EXPECT_FALSE(parse(riff({fmtChunk({}), chunk("data", pcm16({1}))}, 20)));
    EXPECT_FALSE(parse(riff({fmtChunk({}), chunk("data", pcm16({1}))}, 3)));
}

TEST(WavTest, FormatsOtherThan8Or16BitPcmAreRefused) {
    const Bytes sound = pcm16({1, 2, 3, 4, 5, 6});
    EXPECT_FALSE(parse(riff({fmtChunk({.tag = 3, .bits = 32}), chunk("data", sound)})));  // float
    EXPECT_FALSE(parse(riff({fmtChunk({.tag = 2}), chunk("data", sound)})));              // ADPCM
    EXPECT_FALSE(parse(riff({fmtChunk({.tag = 0xFFFE}), chunk("data", sound)})));         // extensible
    EXPECT_FALSE(parse(riff({fmtChunk({.bits = 24}), chunk("data", sound)})));
    EXPECT_FALSE(parse(riff({fmtChunk({.bits = 0}), chunk("data", sound)})));
    EXPECT_FALSE(parse(riff({fmtChunk({.channels = 0, .blockAlign = 0}), chunk("data", sound)})));
    EXPECT_FALSE(parse(riff({fmtChunk({.channels = 0}), chunk("data", sound)})));
    EXPECT_FALSE(parse(riff({fmtChunk({.channels = 3}), chunk("data", sound)})));
    // A block size that disagrees with channels and sample size.
    EXPECT_FALSE(parse(riff({fmtChunk({.blockAlign = 4}), chunk("data", sound)})));
    EXPECT_FALSE(parse(riff({fmtChunk({.blockAlign = 0}), chunk("data", sound)})));
}

TEST(WavTest, MalformedStructureIsRefused) {
    const Bytes sound = pcm16({1, 2, 3, 4});
    Bytes notRiff = simpleFile();
    notRiff[3] = 'X';  // "RIFX", the big-endian kind
    EXPECT_FALSE(parse(notRiff));
    Bytes notWave = simpleFile();
    notWave[8] = 'A';
    EXPECT_FALSE(parse(notWave));
    EXPECT_FALSE(parse(riff({chunk("data", sound), fmtChunk({})})));  // sound before its format
    EXPECT_FALSE(parse(riff({fmtChunk({}), chunk("LIST", sound)})));  // no sound at all
    EXPECT_FALSE(parse(riff({chunk("data", sound)})));                // no format at all
    Bytes shortFmt = riff({chunk("fmt ", {1, 0, 1, 0, 0x40, 0x1F, 0, 0}), chunk("data", sound)});
    EXPECT_FALSE(parse(shortFmt));
}

TEST(WavTest, AbsurdSizesAreRefusedWithoutReadingOrAllocatingBeyondTheInput) {
    const Bytes sound = pcm16({1, 2, 3, 4});
    for (std::int64_t claimed :
         {std::int64_t{0x7FFFFFFF}, std::int64_t{0xFFFFFFFF}, std::int64_t{0xFFFFFFF8}}) {
        EXPECT_FALSE(parse(riff({fmtChunk({}, claimed), chunk("data", sound)}))) << claimed;
        EXPECT_FALSE(parse(riff({fmtChunk({}), chunk("junk", {1, 2}, claimed), chunk("data", sound)})))
            << claimed;
        auto s = parse(riff({fmtChunk({}), chunk("data", sound, claimed)}, claimed));
        ASSERT_TRUE(s) << claimed;
        EXPECT_EQ(s->samples.size(), 4u);
    }
}

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / ("quenvale_wav_test_" + std::string(name))).string();
}

TEST(WavTest, ReadWavFileReadsFilesAndRefusesWhatIsNoSound) {
    const std::string good = tempPath("good.wav");
    const Bytes bytes = simpleFile();
    {
        std::ofstream out(good, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    auto s = readWavFile(good);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples.size(), 4u);

    const std::string text = tempPath("text.wav");
    {
        std::ofstream out(text);
        out << "not a sound";
    }
    EXPECT_FALSE(readWavFile(text));
    EXPECT_FALSE(readWavFile(tempPath("missing.wav")));
    EXPECT_FALSE(readWavFile(std::filesystem::temp_directory_path().string()));
    EXPECT_FALSE(readWavFile(""));
    std::filesystem::remove(good);
    std::filesystem::remove(text);
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(WavTest, ASoundLongerThanAMinuteIsRefusedFromItsHeader) {
    // 8-bit mono at the lowest rate: a minute is 240000 bytes.
    const Fmt format{.rate = 4000, .bits = 8};
    const Bytes minute(240000, 128);
    Bytes longer = minute;
    longer.push_back(128);
    auto s = parse(riff({fmtChunk(format), chunk("data", minute)}));
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->seconds(), 60.0);
    EXPECT_FALSE(parse(riff({fmtChunk(format), chunk("data", longer)})));

    // From a file whose sizes were never filled in, its sound behind notes
    // longer than one piece of the reader's.
    TempDir dir;
    const std::string path = dir.file("long.wav");
    const Bytes notes(100000, 'x');
    writeFile(path,
              riff({chunk("LIST", notes), fmtChunk(format), chunk("data", minute, 0xFFFFFFFF)}, 0xFFFFFFFF));
    s = readWavFile(path);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples.size(), minute.size());
    writeFile(path,
              riff({chunk("LIST", notes), fmtChunk(format), chunk("data", longer, 0xFFFFFFFF)}, 0xFFFFFFFF));
    EXPECT_FALSE(readWavFile(path));

    // Hours of sound in 64 MiB, honestly sized: refused at once, from the header.
    constexpr std::uint32_t kFile = 64u << 20;
    writeFile(path, riff({fmtChunk(format), chunk("data", {}, kFile - 44)}, kFile - 8));
    std::filesystem::resize_file(path, kFile);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(readWavFile(path));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST(WavTest, FuzzCorpusParsesAsItsNamesSay) {
    const std::filesystem::path dir = std::filesystem::path(QUENVALE_SOURCE_DIR) / "tests/fuzz/corpus/wav";
    int good = 0, bad = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        auto s = readWavFile(entry.path().string());
        if (name.rfind("ok_", 0) == 0) {
            ++good;
            ASSERT_TRUE(s) << name;
            EXPECT_GT(s->samples.size(), 0u) << name;
            for (float v : s->samples) ASSERT_TRUE(v >= -1.0f && v <= 1.0f) << name;
        } else if (name.rfind("bad_", 0) == 0) {
            ++bad;
            EXPECT_FALSE(s) << name;
        } else {
            ADD_FAILURE() << "corpus file named neither ok_ nor bad_: " << name;
        }
    }
    EXPECT_GE(good, 5);
    EXPECT_GE(bad, 10);
}

}  // namespace
