#pragma once
// Reads the items of the settings file and the word list: items separated by
// commas or line ends alike, blanks before an item skipped, quoted strings.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class ItemReader {
public:
    explicit ItemReader(std::string_view text) : text_(text) {}

    // The next item without its quotes, or nothing when the text has no further
    // item. An empty item (two delimiters in a row) gives an empty string.
    std::optional<std::string> next();

private:
    void skipDelimiter();

    std::string_view text_;
    std::size_t pos_ = 0;
};

// An integer item: empty gives 0; anything but an optionally signed decimal
// number within -32768 to 32767 gives nothing.
std::optional<std::int16_t> parseInt16Item(std::string_view item);
