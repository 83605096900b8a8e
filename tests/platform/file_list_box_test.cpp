#include "platform/file_list_box.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

TEST(FileListBoxTest, PatternsMatchIgnoringCaseWithStarsAndQuestionMarks) {
    EXPECT_TRUE(matchesFilePattern("bells.wmf", "*.wmf"));
    EXPECT_TRUE(matchesFilePattern("Bells.WMF", "*.wmf"));
    EXPECT_TRUE(matchesFilePattern("x.y.wmf", "*.wmf"));
    EXPECT_TRUE(matchesFilePattern(".wmf", "*.wmf"));
    EXPECT_FALSE(matchesFilePattern("bells.wmfx", "*.wmf"));
    EXPECT_FALSE(matchesFilePattern("bells.wm", "*.wmf"));
    EXPECT_FALSE(matchesFilePattern("wmf", "*.wmf"));
    EXPECT_TRUE(matchesFilePattern("a1.txt", "a?.*"));
    EXPECT_FALSE(matchesFilePattern("a.txt", "a?.*"));
    EXPECT_TRUE(matchesFilePattern("anything", "*"));
    // Many stars against a long name that almost matches: answered at once.
    EXPECT_FALSE(matchesFilePattern(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

TEST(FileListBoxTest, ListsMatchingPlainFilesSortedIgnoringCaseAndRereadsOnRequest) {
    TempDir dir;
    for (const char* name : {"b.wmf", "A.wmf", "c.WMF", "a.txt", ".d.wmf"})
        std::ofstream(dir.file(name)) << "x";
    std::filesystem::create_directory(dir.path() / "e.wmf");
    QWidget window;
    FileListBox fil(&window, "filFiles");
    fil.setPattern("*.wmf");
    fil.setPath(dir.path().string() + "/");
    EXPECT_FALSE(fil.isVisible());
    ASSERT_EQ(fil.ListCount(), 3);
    EXPECT_EQ(fil.List(0), "A.wmf");
    EXPECT_EQ(fil.List(1), "b.wmf");
    EXPECT_EQ(fil.List(2), "c.WMF");
    EXPECT_EQ(fil.List(3), "");
    EXPECT_EQ(fil.List(-1), "");

    std::ofstream(dir.file("B.wmf")) << "x";
    EXPECT_EQ(fil.ListCount(), 3);
    fil.Refresh();
    ASSERT_EQ(fil.ListCount(), 4);
    // Names equal but for case keep a fixed order next to each other.
    EXPECT_EQ(fil.List(1), "B.wmf");
    EXPECT_EQ(fil.List(2), "b.wmf");

    fil.setPath((dir.path() / "missing").string());
    EXPECT_EQ(fil.ListCount(), 0);
}
