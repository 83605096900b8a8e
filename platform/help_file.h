#pragma once
// The help file: a contents page and topics keyed by context number, in a
// plain text format of our own:
//
//   :contents Title of the contents page
//   Text of the contents page...
//   :topic 1 Title of topic 1
//   Text...
//
// Paragraphs are separated by blank lines; a line starting with "- " is an item
// of a list. Lines before the first heading are ignored.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HelpTopic {
    std::string title;
    std::vector<std::string> paragraphs;  // list items keep their leading "- "
};

struct HelpFile {
    HelpTopic contents;
    std::map<int, HelpTopic> topics;
};

// Nothing when the text has no contents page or a heading is malformed.
std::optional<HelpFile> parseHelpFile(std::string_view text);
