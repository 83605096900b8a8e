#include "platform/help_file.h"

#include <charconv>

namespace {

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

}  // namespace

std::optional<HelpFile> parseHelpFile(std::string_view text) {
    HelpFile file;
    HelpTopic* current = nullptr;
    bool haveContents = false;
    std::string paragraph;
    auto flush = [&] {
        if (current && !paragraph.empty()) current->paragraphs.push_back(paragraph);
        paragraph.clear();
    };

    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = trimRight(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);

        if (line.starts_with(":contents")) {
            flush();
            if (haveContents) return std::nullopt;
            haveContents = true;
            file.contents.title = std::string(trimLeft(line.substr(9)));
            current = &file.contents;
        } else if (line.starts_with(":topic")) {
            flush();
            std::string_view rest = trimLeft(line.substr(6));
            int number = 0;
            auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
            if (ec != std::errc() || number < 0 || file.topics.count(number)) return std::nullopt;
            rest = trimLeft(rest.substr(static_cast<std::size_t>(end - rest.data())));
            current = &file.topics[number];
            current->title = std::string(rest);
        } else if (trimLeft(line).empty()) {
            flush();
        } else if (line.starts_with("- ")) {
            flush();
            paragraph = std::string(line);
            flush();
        } else {
            if (!paragraph.empty()) paragraph += ' ';
            paragraph += std::string(trimLeft(line));
        }
    }
    flush();
    if (!haveContents) return std::nullopt;
    return file;
}
