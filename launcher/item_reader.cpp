#include "launcher/item_reader.h"

namespace {
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
}  // namespace

void ItemReader::skipDelimiter() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

std::optional<std::string> ItemReader::next() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    if (pos_ >= text_.size()) return std::nullopt;

    std::string item;
    if (text_[pos_] == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) close = text_.size();
        item.assign(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close < text_.size() ? close + 1 : close;
        // Whatever stands between the closing quote and the delimiter is not part of the item.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
        item.assign(text_.substr(start, pos_ - start));
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.pop_back();
    }
    skipDelimiter();
    return item;
}

std::optional<std::int16_t> parseInt16Item(std::string_view item) {
    if (item.empty()) return std::int16_t{0};
    std::size_t i = 0;
    bool negative = false;
    if (item[0] == '-' || item[0] == '+') {
        negative = item[0] == '-';
        i = 1;
    }
    if (i >= item.size()) return std::nullopt;
    long value = 0;
    for (; i < item.size(); ++i) {
        char c = item[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 32768) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}
