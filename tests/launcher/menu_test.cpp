#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "launcher/frmMenu.h"
#include "launcher/game_window.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/data_file.h"
#include "platform/recording_seam.h"
#include "support/temp_dir.h"

namespace {

const char* kGood =
    "2,5,1,4\r\n0,4\r\n1,3,0\r\n1\r\n\"Player 1\"\r\n\"Player 2\"\r\n\"Player 3\"\r\n\"Player 4\"\r\n"
    "1\r\n2\r\n2,30,2\r\n1\r\n0,0\r\n1,4,0\r\n52\r\n2\r\n\"Player 1\"\r\n\"Player 2\"\r\n\"Player 3\"\r\n"
    "\"Player 4\"\r\n";

// A game window with the frame's behaviour and nothing else.
class frmTestGame : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmTestGame", "Test Game", 6000, 4000, 0x00FFC0C0, 13, true};
    frmTestGame() : GameWindow(kSpec) {}
    int GameOn = 0;
    int loads = 0;
    Button3D* cmdNew = nullptr;
    Button3D* cmdExit = nullptr;
    bool running() const override { return GameOn == 1; }
    void cmdNew_Click() {
        GameOn = 1;
        beginRunning();
    }

protected:
    void createControls() override {
        cmdNew = new Button3D(form(), "cmdNew", "&New Game");
        cmdExit = new Button3D(form(), "cmdExit", "E&xit");
        exitButton = cmdExit;
        lockedWhileRunning = {cmdNew};
    }
    void Form_Load() override {
        seedFromClock();
        centre();
        ++loads;
    }
    void StopGame() override {
        GameOn = 0;
        endRunning();
    }
};

frmTestGame& testGame() {
    static frmTestGame g;
    return g;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        frmMenu::setProgramFolder(dir.path().string());
        frmMenu::clearGames();
        frmMenu::registerGame(11, []() -> FormWindow& { return testGame(); });
    }
    void TearDown() override {
        testGame().Unload();
        frmMenu::instance().Unload();
        frmMenu::clearGames();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void writeSettings(const std::string& text) {
        std::ofstream(dir.file("vantrel5.ini"), std::ios::binary) << text;
    }
    std::string settingsFile() { return readWholeFile(dir.file("vantrel5.ini")).value_or("<missing>"); }

    TempDir dir;
    ScopedRecordingSeam rec;
};

}  // namespace

TEST_F(MenuTest, StartUpShowsTheMenuWithItsFifteenButtonsAndStartsTheJingle) {
    writeSettings(kGood);
    frmMenu& m = frmMenu::instance();
    m.Load();
    ASSERT_FALSE(m.startFailed());
    EXPECT_TRUE(m.form()->isVisible());
    EXPECT_EQ(m.form()->windowTitle(), "Quenvale, Version 5.0");
    EXPECT_EQ(m.form()->size(), QSize(644, 266));
    EXPECT_EQ(gAppPath, dir.path().string() + "/");
    EXPECT_EQ(std::filesystem::current_path(), dir.path());
    EXPECT_EQ(rec->log,
              (std::vector<std::string>{"helpfile vantrel.hlp", "repaint frmMenu", "sound jingle.wav"}));

    // Row by row, as the grid reads.
    const char* grid[5][3] = {{"Gift Match", "Vantrel Puzzles", "Dreidel Game"},
                              {"Where's Rudolph", "Vantrel Sliders", "Santa's Maze"},
                              {"Build Frosty", "Snow-Man", "Santa's Sleigh"},
                              {"Trim a Tree", "Vantrel Search", "Snowball Toss"},
                              {"Mancala", "Crosswords", "Gift Drop"}};
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 3; ++col) {
            QWidget* at = m.form()->childAt(QPoint(192 + 152 * col + 10, 16 + 48 * row + 10));
            auto* b = qobject_cast<Button3D*>(at);
            ASSERT_TRUE(b) << row << "," << col;
            EXPECT_EQ(b->caption(), grid[row][col]);
        }
    }
    // Only the games that are built can be chosen.
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(m.cmdChoice[static_cast<std::size_t>(i)]->isEnabled(), i == 11) << i;
    EXPECT_EQ(m.cmdHelp->caption(), "&Help");
    EXPECT_TRUE(m.cmdHelp->hasPicture() || !std::filesystem::exists(dir.file("help.svg")));
}

TEST_F(MenuTest, AnyUnreadableSettingsFileShowsOnlyTheMessageAndWritesNothing) {
    std::string good = kGood;
    std::string nineteen = good.substr(0, good.rfind("\"Player 4\""));
    std::string oneShort = good;
    oneShort.replace(0, 9, "2,5,1\r\n");
    std::string notNumber = good;
    notNumber.replace(0, 1, "two");
    std::string tooBig = good;
    tooBig.replace(0, 1, "40000");
    const std::vector<std::optional<std::string>> cases = {std::nullopt, oneShort, nineteen, notNumber,
                                                           tooBig};
    for (const auto& c : cases) {
        std::filesystem::remove(dir.file("vantrel5.ini"));
        if (c) writeSettings(*c);
        rec->take();
        rec->boxes.clear();
        frmMenu& m = frmMenu::instance();
        m.Load();
        EXPECT_TRUE(m.startFailed());
        EXPECT_FALSE(m.form()->isVisible());
        ASSERT_EQ(rec->boxes.size(), 1u);
        EXPECT_EQ(rec->boxes[0].text, "File missing/incomplete - Reinstall program");
        EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Critical);
        EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OK);
        EXPECT_EQ(rec->boxes[0].title, "Quenvale");
        EXPECT_EQ(rec->log, (std::vector<std::string>{"helpfile vantrel.hlp", "msgbox Quenvale: OK", "end"}));
        EXPECT_EQ(settingsFile(), c ? *c : "<missing>");
        EXPECT_FALSE(std::filesystem::exists(dir.file("vantrel5.ini.tmp")));
        m.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(MenuTest, ANamedPipeOrAHugeFileAsSettingsIsUnreadableAndNeverWaitedFor) {
    const std::string path = dir.file("vantrel5.ini");
    const std::vector<std::function<void()>> cases = {
        [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); },
        [&] { writeSettings(kGood + std::string(kMaxDataFileBytes, ' ')); },
    };
    for (const auto& plant : cases) {
        std::filesystem::remove(path);
        plant();
        rec->take();
        frmMenu& m = frmMenu::instance();
        m.Load();
        EXPECT_TRUE(m.startFailed());
        EXPECT_EQ(rec->log, (std::vector<std::string>{"helpfile vantrel.hlp", "msgbox Quenvale: OK", "end"}));
        m.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(MenuTest, SettingsThatCannotBeSavedAtExitAreToldAndTheProgramEnds) {
    writeSettings(kGood);
    namespace fs = std::filesystem;
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(dir.file("vantrel5.ini"), readOnly);
    frmMenu& m = frmMenu::instance();
    m.Load();
    gMatchPairs = 12;
    rec->take();
    m.cmdexit_Click();
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text,
              "The settings could not be saved.\rPlease check that this file can be written:\r" +
                  QString::fromStdString(dir.file("vantrel5.ini")));
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(rec->log, (std::vector<std::string>{"msgbox Quenvale: OK", "end"}));
    EXPECT_FALSE(m.form()->isVisible());
    EXPECT_EQ(settingsFile(), kGood);
    EXPECT_EQ(fs::status(dir.file("vantrel5.ini")).permissions(), readOnly);
}

TEST_F(MenuTest, CloseBoxWritesExactlyWhatTheExitButtonWrites) {
    writeSettings(kGood);
    frmMenu& m = frmMenu::instance();
    m.Load();
    gMatchPairs = 12;
    gFrostyNames[1] = "Smith, Anna";
    m.cmdexit_Click();
    const std::string byButton = settingsFile();
    EXPECT_FALSE(m.form()->isVisible());
    EXPECT_EQ(rec->log.back(), "end");
    m.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    writeSettings(kGood);
    rec->take();
    m.Load();
    gMatchPairs = 12;
    gFrostyNames[1] = "Smith, Anna";
    m.form()->close();
    EXPECT_EQ(settingsFile(), byButton);
    EXPECT_NE(byButton.find("2,12,1,4\r\n"), std::string::npos);
    EXPECT_NE(byButton.find("\"Smith, Anna\"\r\n"), std::string::npos);
    EXPECT_EQ(rec->log.back(), "end");
}

TEST_F(MenuTest, GameButtonHidesTheMenuAndExitBringsItBack) {
    writeSettings(kGood);
    frmMenu& m = frmMenu::instance();
    m.Load();
    rec->take();
    m.cmdChoice[11]->click();
    EXPECT_FALSE(m.form()->isVisible());
    // The jingle plays on until a sound of the game stops it.
    EXPECT_EQ(std::count(rec->log.begin(), rec->log.end(), "stop"), 0);
    frmTestGame& g = testGame();
    ASSERT_TRUE(g.isLoaded());
    EXPECT_TRUE(g.form()->isVisible());
    EXPECT_EQ(g.form()->windowTitle(), "Test Game");
    EXPECT_EQ(g.loads, 1);

    // Help while running leaves the game running.
    g.cmdNew_Click();
    EXPECT_EQ(g.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(g.cmdNew->isEnabled());
    g.cmdHelp_Click();
    EXPECT_EQ(rec->log.back(), "help 13");
    EXPECT_EQ(g.GameOn, 1);

    // Stop: the window stays open.
    g.cmdexit_Click();
    EXPECT_EQ(g.GameOn, 0);
    EXPECT_EQ(g.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(g.cmdNew->isEnabled());
    EXPECT_TRUE(g.isLoaded());

    // A close request acts as the exit button: the menu is never left hidden alone.
    g.form()->close();
    EXPECT_FALSE(g.isLoaded());
    EXPECT_TRUE(m.form()->isVisible());

    // Chosen again, the game loads afresh.
    m.cmdChoice_Click(11);
    EXPECT_EQ(g.loads, 2);
    EXPECT_EQ(g.cmdExit->caption(), "E&xit");
}

TEST_F(MenuTest, HelpButtonOpensTheContents) {
    writeSettings(kGood);
    frmMenu::instance().Load();
    rec->take();
    frmMenu::instance().cmdHelp->click();
    EXPECT_EQ(rec->log, (std::vector<std::string>{"help contents"}));
}

TEST_F(MenuTest, StartsFromAFolderWhoseNameIsNotValidUtf8) {
    // "café" as an old archive unpacks it, in the Windows character set.
    const std::filesystem::path folder = dir.path() / "caf\xE9";
    std::filesystem::create_directory(folder);
    std::ofstream(folder / "vantrel5.ini", std::ios::binary) << kGood;
    std::filesystem::copy_file(std::filesystem::path(QUENVALE_SOURCE_DIR) / "assets" / "logo.svg",
                               folder / "logo.svg");
    frmMenu::setProgramFolder(folder.string());
    frmMenu& m = frmMenu::instance();
    m.Load();
    ASSERT_FALSE(m.startFailed());
    EXPECT_TRUE(m.form()->isVisible());
    EXPECT_EQ(gAppPath, folder.string() + "/");
    EXPECT_EQ(rec->helpFile, folder.string() + "/vantrel.hlp");
    EXPECT_EQ(std::filesystem::current_path(), folder);
    EXPECT_TRUE(m.Image1->hasPicture());
    m.cmdexit_Click();
    EXPECT_EQ(readWholeFile((folder / "vantrel5.ini").string()), kGood);
}
