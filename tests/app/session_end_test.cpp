// The desktop ends the session with a signal while the program runs: the
// settings are saved as the menu's exit saves them, once, and the program ends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "games.h"
#include "launcher/frmMenu.h"
#include "launcher/settings.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "launcher/shared_words.h"
#include "platform/real_seam.h"
#include "platform/recording_seam.h"
#include "support/temp_dir.h"
#include "wordgames/frmEdit.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

ino_t fileId(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// The program in a folder of its own, on the real seam: the end under test
// is the real one, and nothing in it may wait for a person.
class SessionEnd : public ::testing::Test {
protected:
    void SetUp() override {
        setSeam(&real);
        std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", ini);
        frmMenu::setProgramFolder(dir.path().string());
        frmMenu::clearGames();
        gWordCount = 0;
    }
    void TearDown() override {
        setSeam(&*cleanup);
        frmEdit::instance().Unload();
        frmMenu::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gWordCount = 0;
    }

    // Runs the program with the word list editor open over it, in which edit
    // is done and then the session ends.
    int runWithEditor(const std::function<void(frmEdit&)>& edit) {
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                edit(frmEdit::instance());
                std::raise(SIGTERM);
            });
            frmEdit::instance().ShowModal();
        });
        return runProgram();
    }

    ScopedRecordingSeam cleanup;
    RealSeam real;
    TempDir dir;
    const std::string ini = dir.file("vantrel5.ini");
    const std::string words = dir.file("words.txt");
};

void addWord(frmEdit& e, const char* word) {
    e.cmdAdd_Click();
    QTest::keyClicks(e.txtList, word);
    QTest::keyClick(e.txtList, Qt::Key_Return);
    e.cmdCancel_Click();
}

}  // namespace

TEST_F(SessionEnd, ASignalDuringAWaitSavesTheSettingsOnceTheHandlerHasReturned) {
    const std::string before = readFile(ini);

    bool waitCut = false;
    std::string duringWait;
    // A handler that changes an option, waits, and changes another after its
    // wait; the logout comes just as it starts waiting.
    QTimer::singleShot(0, [&] {
        gMatchPairs = 12;
        // A logout sends SIGHUP right after SIGTERM; whoever sends the same
        // signal again will not wait for the end.
        std::raise(SIGTERM);
        std::raise(SIGHUP);
        EXPECT_EXIT(std::raise(SIGTERM), testing::KilledBySignal(SIGTERM), "");
        const auto start = std::chrono::steady_clock::now();
        Delay(120);
        waitCut = std::chrono::steady_clock::now() - start < std::chrono::seconds(60);
        duringWait = readFile(ini);
        gSledAbility = 5;
    });
    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(waitCut);
    EXPECT_EQ(duringWait, before);  // nothing is saved in the middle of a move
    const std::string saved = readFile(ini);
    EXPECT_NE(saved.find("2,12,1,4\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n5\r\n2,30,2\r\n"), std::string::npos);
    EXPECT_FALSE(frmMenu::instance().form()->isVisible());

    // The exit button or the end of the process afterwards write nothing more;
    // a signal once the event loop has ended ends the program at once, with
    // nothing left to save.
    const ino_t written = fileId(ini);
    gMatchPairs = 3;
    frmMenu::instance().cmdexit_Click();
    frmMenu::saveOwedSettings();
    EXPECT_EQ(fileId(ini), written);
    EXPECT_EQ(readFile(ini), saved);
    EXPECT_EXIT(std::raise(SIGTERM), testing::KilledBySignal(SIGTERM), "");
}

TEST_F(SessionEnd, ALogoutSavesTheWordsOfTheOpenEditorAsClosingItWould) {
    std::ofstream(words, std::ios::binary) << "\"BELL\"\r\n\"STAR\"\r\n";
    EXPECT_EQ(runWithEditor([](frmEdit& e) { addWord(e, "holly"); }), 0);
    EXPECT_EQ(readFile(words), "\"BELL\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    EXPECT_FALSE(frmEdit::instance().isLoaded());
    EXPECT_EQ(readFile(ini), formatSettings());
}

TEST_F(SessionEnd, SavesThatFailAtALogoutAreToldOnStandardErrorAndNobodyIsWaitedFor) {
    std::ofstream(words, std::ios::binary) << "\"BELL\"\r\n";
    // Should the end wait for an answer after all, the test ends it.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    giveUp.start(10000);
    testing::internal::CaptureStderr();
    const int status = runWithEditor([&](frmEdit& e) {
        addWord(e, "star");
        std::filesystem::remove(ini);
        std::filesystem::create_directory(ini);
        std::filesystem::permissions(words, std::filesystem::perms::owner_read);
    });
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_NE(told.find("the settings could not be saved to " + ini + ": Is a directory"), std::string::npos)
        << told;
    EXPECT_NE(told.find("the word list could not be saved to " + words + ": Permission denied"),
              std::string::npos)
        << told;
    EXPECT_EQ(readFile(words), "\"BELL\"\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(ini));
}
