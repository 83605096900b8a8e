#include "platform/help_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(HelpFile, ReadsContentsTopicsParagraphsAndLists) {
    auto file = parseHelpFile(
        "ignored before the first heading\n"
        ":contents Quenvale Help\r\n"
        "Welcome to\r\n"
        "the games.\r\n"
        "\r\n"
        "- Gift Match\n"
        "- Mancala\n"
        ":topic 13 Crosswords\n"
        "Type the words.\n"
        ":topic 1 Gift Match\n");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->contents.title, "Quenvale Help");
    ASSERT_EQ(file->contents.paragraphs.size(), 3u);
    EXPECT_EQ(file->contents.paragraphs[0], "Welcome to the games.");
    EXPECT_EQ(file->contents.paragraphs[1], "- Gift Match");
    ASSERT_EQ(file->topics.size(), 2u);
    EXPECT_EQ(file->topics.at(13).title, "Crosswords");
    EXPECT_EQ(file->topics.at(13).paragraphs.at(0), "Type the words.");
    EXPECT_TRUE(file->topics.at(1).paragraphs.empty());
}

TEST(HelpFile, RefusesFilesWithoutContentsOrWithBadHeadings) {
    EXPECT_FALSE(parseHelpFile(""));
    EXPECT_FALSE(parseHelpFile(":topic 1 Gift Match\ntext\n"));
    EXPECT_FALSE(parseHelpFile(":contents A\n:contents B\n"));
    EXPECT_FALSE(parseHelpFile(":contents A\n:topic x Title\n"));
    EXPECT_FALSE(parseHelpFile(":contents A\n:topic -3 Title\n"));
    EXPECT_FALSE(parseHelpFile(":contents A\n:topic 2 One\n:topic 2 Two\n"));
}

// Every Help button and F1 press opens its window's page by number, so the
// shipped file must hold exactly the pages the windows ask for, under the
// windows' own captions; number 11 belongs to no window.
TEST(HelpFileShipped, HasContentsAndOnePageForEveryGameWindow) {
    std::ifstream in(QUENVALE_SOURCE_DIR "/assets/vantrel.hlp", std::ios::binary);
    ASSERT_TRUE(in) << "assets/vantrel.hlp is missing";
    std::stringstream text;
    text << in.rdbuf();
    const std::string raw = text.str();

    std::string plain = "\r\n";
    for (char c = ' '; c <= '~'; ++c) plain += c;
    EXPECT_EQ(raw.find_first_not_of(plain), std::string::npos) << "only plain ASCII text";

    auto file = parseHelpFile(raw);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->contents.title.empty());
    EXPECT_GE(file->contents.paragraphs.size(), 3u);

    const struct {
        int number;
        const char* title;
    } kPages[] = {{1, "Gift Match"},     {2, "Where's Rudolph?"}, {3, "Build Frosty"},
                  {4, "Trim a Tree"},    {5, "Vantrel Puzzles"},  {6, "Snow-Man"},
                  {7, "Word Search"},    {8, "Santa's Maze"},     {9, "Santa's Sleigh"},
                  {10, "Snowball Toss"}, {12, "Vantrel Sliders"}, {13, "Crosswords"},
                  {14, "Mancala"},       {15, "Dreidel Game"},    {16, "Gift Drop"}};
    for (const auto& page : kPages) {
        SCOPED_TRACE(page.number);
        auto it = file->topics.find(page.number);
        ASSERT_NE(it, file->topics.end());
        EXPECT_EQ(it->second.title, page.title);
        EXPECT_FALSE(it->second.paragraphs.empty());
    }
    EXPECT_EQ(file->topics.count(11), 0u);
    EXPECT_EQ(file->topics.size(), std::size(kPages));
}
