// The desktop ends the session with a signal while the program runs: the
// settings are saved as the menu's exit saves them, once, and the program ends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "games.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/real_seam.h"
#include "platform/recording_seam.h"
#include "support/temp_dir.h"

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

}  // namespace

TEST(SessionEnd, ASignalDuringAWaitSavesTheSettingsOnceTheHandlerHasReturned) {
    ScopedRecordingSeam cleanup;
    RealSeam real;
    setSeam(&real);
    TempDir dir;
    const std::string ini = dir.file("vantrel5.ini");
    std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", ini);
    const std::string before = readFile(ini);
    frmMenu::setProgramFolder(dir.path().string());
    frmMenu::clearGames();

    bool waitCut = false;
    std::string duringWait;
    // A handler that changes an option, waits, and changes another after its
    // wait; the logout comes just as it starts waiting.
    QTimer::singleShot(0, [&] {
        gMatchPairs = 12;
        std::raise(SIGTERM);
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

    // A second signal, the exit button or the end of the process afterwards
    // write nothing more.
    const ino_t written = fileId(ini);
    gMatchPairs = 3;
    std::raise(SIGTERM);
    QCoreApplication::processEvents();
    frmMenu::instance().cmdexit_Click();
    frmMenu::saveOwedSettings();
    EXPECT_EQ(fileId(ini), written);
    EXPECT_EQ(readFile(ini), saved);

    setSeam(&*cleanup);
    frmMenu::instance().Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
