#include "platform/eight_bit_text.h"

#include <array>
#include <cstdint>

namespace {

// Windows-1252 at 0x80 to 0x9F; the five codes it leaves free stand for the
// control characters of the same number, as Windows converts them.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point of the UTF-8 sequence at pos, moving pos past it; kInvalid for
// a sequence that is cut short, overlong, a surrogate or beyond U+10FFFF.
char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(s[pos]);
    int length = 0;
    char32_t cp = 0, least = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, least = 0x10000;
    } else {
        return kInvalid;
    }
    if (s.size() - pos < static_cast<std::size_t>(length)) return kInvalid;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(s[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kInvalid;
    pos += static_cast<std::size_t>(length);
    return cp;
}

bool isUtf8(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size();)
        if (nextCodePoint(s, pos) == kInvalid) return false;
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The Windows-1252 byte of a code point, or -1 when it has none.
int windowsByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

std::string textFromEightBit(std::string_view bytes) {
    if (isUtf8(bytes)) return std::string(bytes);
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80u] : b);
    }
    return out;
}

std::string eightBitFromText(std::string_view text) {
    std::string bytes;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = nextCodePoint(text, pos);
        const int b = cp == kInvalid ? -1 : windowsByte(cp);
        if (b < 0) return std::string(text);
        bytes += static_cast<char>(b);
    }
    // A few pairs of Windows letters ("Ã©") are valid UTF-8 as well and would
    // read back as another letter ("é"); those texts keep their UTF-8.
    return textFromEightBit(bytes) == text ? bytes : std::string(text);
}
