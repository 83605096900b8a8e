#include "picturepuzzles/picture_list.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <fstream>

#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = QUENVALE_SOURCE_DIR "/assets";

class PictureListTest : public ::testing::Test {
protected:
    void SetUp() override {
        cbo->onClick([this] { ++clicks; });
    }
    void copyPicture(const char* from, const std::string& to) {
        fs::copy_file(kAssets / from, dir.path() / to);
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir.file(name)) << text; }
    std::string folder() const { return dir.path().string() + "/"; }
    void setUp(std::initializer_list<float> draws) {
        ScriptedRandom random(draws);
        ScopedRandom scoped(random);
        setUpPictureList(*fil, *cbo, folder());
        EXPECT_EQ(random.remaining(), 0u);
    }

    TempDir dir;
    QWidget window;
    FileListBox* fil = new FileListBox(&window, "filFiles");
    DropDownList* cbo = new DropDownList(&window, "cboFiles");
    int clicks = 0;
};

}  // namespace

TEST_F(PictureListTest, ListsEveryPictureFileByItsUpperCaseNameInAlphabeticalOrder) {
    copyPicture("bear.wmf", "Bells.wmf");
    copyPicture("duck.wmf", "angel.wmf");
    copyPicture("drum.wmf", "x.y.wmf");
    copyPicture("ball.wmf", "Zebra.WMF");
    write("readme.txt", "not a picture");
    write(".hidden.wmf", "hidden");
    fs::create_directory(dir.path() / "folder.wmf");

    setUp({0.3f});  // Int(0.3 x 4) = 1
    ASSERT_EQ(cbo->ListCount(), 4);
    EXPECT_EQ(cbo->List(0), "ANGEL");
    EXPECT_EQ(cbo->List(1), "BELLS");
    EXPECT_EQ(cbo->List(2), "X.Y");
    EXPECT_EQ(cbo->List(3), "ZEBRA");
    EXPECT_EQ(cbo->ListIndex(), 1);
    EXPECT_EQ(cbo->Text(), "BELLS");
    EXPECT_EQ(clicks, 1);
    // The entry's picture comes from its own file, whatever the case of its name.
    EXPECT_EQ(fil->List(1), "Bells.wmf");
    EXPECT_TRUE(loadSelectedPicture(*fil, *cbo).has_value());
}

TEST_F(PictureListTest, OnePictureIsAlwaysTheOneChosen) {
    copyPicture("bear.wmf", "bear.wmf");
    setUp({0.9999f});
    EXPECT_EQ(cbo->ListIndex(), 0);
    EXPECT_EQ(cbo->Text(), "BEAR");
}

TEST_F(PictureListTest, WithoutPicturesNothingIsDrawnSelectedOrLoaded) {
    write("notes.txt", "words");
    setUp({});
    EXPECT_EQ(cbo->ListCount(), 0);
    EXPECT_EQ(cbo->ListIndex(), -1);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(loadSelectedPicture(*fil, *cbo).has_value());
}

TEST_F(PictureListTest, AFileThatIsNoPictureIsListedButLoadsNothing) {
    write("broken.wmf", "this is not a metafile");
    copyPicture("bear.wmf", "good.wmf");
    setUp({0.0f});
    EXPECT_EQ(cbo->Text(), "BROKEN");
    EXPECT_FALSE(loadSelectedPicture(*fil, *cbo).has_value());
    cbo->setListIndex(1);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(loadSelectedPicture(*fil, *cbo).has_value());
}

TEST(PictureNameTest, DropsTheLastFourCharactersAndUpperCases) {
    EXPECT_EQ(pictureName("Bells.wmf"), "BELLS");
    EXPECT_EQ(pictureName("x.y.wmf"), "X.Y");
    EXPECT_EQ(pictureName("gingerbread.WMF"), "GINGERBREAD");
}
