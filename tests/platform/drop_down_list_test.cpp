#include "platform/drop_down_list.h"

#include <gtest/gtest.h>

#include <QWidget>

TEST(DropDownListTest, SelectingAnEntryByProgramOrByTheChildRunsTheClickHandler) {
    QWidget window;
    DropDownList cbo(&window, "cboFiles");
    int clicks = 0;
    cbo.onClick([&] { ++clicks; });
    EXPECT_FALSE(cbo.isEditable());
    EXPECT_EQ(cbo.AddItem("ANGEL"), 0);
    EXPECT_EQ(cbo.AddItem("BELLS"), 1);
    EXPECT_EQ(cbo.ListCount(), 2);
    EXPECT_EQ(cbo.List(1), "BELLS");
    EXPECT_EQ(cbo.List(2), "");

    cbo.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(cbo.ListIndex(), 1);
    EXPECT_EQ(cbo.Text(), "BELLS");

    // The child's pick, even of the entry already selected.
    emit cbo.activated(1);
    EXPECT_EQ(clicks, 2);

    cbo.setListIndex(-1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(cbo.ListIndex(), -1);
    EXPECT_EQ(cbo.Text(), "");
    cbo.setListIndex(7);
    EXPECT_EQ(cbo.ListIndex(), -1);
    EXPECT_EQ(clicks, 2);

    cbo.Clear();
    EXPECT_EQ(cbo.ListCount(), 0);
}
