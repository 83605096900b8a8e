#include "launcher/settings.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "launcher/shared_settings.h"
#include "platform/data_file.h"
#include "support/temp_dir.h"

namespace {

const char* kGood =
    "2,5,1,4\r\n0,4\r\n1,3,0\r\n1\r\n\"Player 1\"\r\n\"Player 2\"\r\n\"Player 3\"\r\n\"Player 4\"\r\n"
    "1\r\n2\r\n2,30,2\r\n1\r\n0,0\r\n1,4,0\r\n52\r\n2\r\n\"Ann\"\r\n\"Bo\"\r\n\"Cy\"\r\n\"Di\"\r\n";

namespace fs = std::filesystem;
using Names = std::set<std::string>;

std::string readBack(const std::string& path) { return readWholeFile(path).value_or("<missing>"); }

Names filesIn(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// Runs a stretch of a test with the rights of an ordinary user, so that
// permissions bind as they do at home even where the tests run as the superuser.
class AsOrdinaryUser {
public:
    static constexpr uid_t kNobody = 65534;
    AsOrdinaryUser() : dropped_(::geteuid() == 0) {
        if (dropped_) {
            EXPECT_TRUE(::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0);
        }
    }
    ~AsOrdinaryUser() {
        if (dropped_) {
            EXPECT_TRUE(::seteuid(0) == 0 && ::setegid(0) == 0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
    // Gives a file to the user the stretch runs as; call it before the stretch.
    static void handOver(const std::string& path) {
        if (::geteuid() == 0) {
            EXPECT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
        }
    }

private:
    bool dropped_;
};

// No file may grow beyond the given size while it lives: a disk that is full.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace

TEST(Settings, GoodFileReadsEveryItemAndWritesBackTheSameBytes) {
    ASSERT_TRUE(parseSettings(kGood));
    EXPECT_EQ(gMatchPlayers, 2);
    EXPECT_EQ(gMatchPairs, 5);
    EXPECT_EQ(gMatchDifficulty, 4);
    EXPECT_EQ(gTrimDifficulty, 3);
    EXPECT_EQ(gFrostyNames[1], "Player 1");
    EXPECT_EQ(gFightBalls, 30);
    EXPECT_EQ(gMancDifficulty, 4);
    EXPECT_EQ(gDropHighScore, 52);
    EXPECT_EQ(gDreidNames[4], "Di");
    EXPECT_EQ(formatSettings(), kGood);
}

TEST(Settings, ItemsOnOneLineOrWithBlanksAndExtraLinesReadAlike) {
    ASSERT_TRUE(parseSettings(kGood));
    const std::string expected = formatSettings();
    std::string oneLine = kGood;
    for (std::size_t p; (p = oneLine.find("\r\n")) != std::string::npos;) oneLine.replace(p, 2, ",");
    ASSERT_TRUE(parseSettings(oneLine));
    EXPECT_EQ(formatSettings(), expected);

    ASSERT_TRUE(parseSettings(std::string(kGood) + "\"extra\"\r\n99,98\r\n"));
    EXPECT_EQ(formatSettings(), expected);

    std::string blanks =
        "  2,  5,1,4\n0,4\n1,3,0\n1\n  \"Player 1\"\n\"Player 2\"\n\"Player 3\"\n\"Player 4\"\n"
        "1\n2\n2,30,2\n1\n0,0\n1,4,0\n52\n2\n\"Ann\"\n\"Bo\"\n\"Cy\"\n\"Di\"";
    ASSERT_TRUE(parseSettings(blanks));
    EXPECT_EQ(formatSettings(), expected);
}

TEST(Settings, ShortOrUnreadableFilesFail) {
    std::string text = kGood;
    // Nineteen lines.
    std::string nineteen = text.substr(0, text.rfind("\"Di\""));
    EXPECT_FALSE(parseSettings(nineteen));
    // One item short on the first line shifts everything: the file ends one item early.
    std::string shortItem = text;
    shortItem.replace(0, 9, "2,5,1\r\n");
    EXPECT_FALSE(parseSettings(shortItem));
    EXPECT_FALSE(parseSettings(""));

    std::string notNumber = text;
    notNumber.replace(0, 1, "x");
    EXPECT_FALSE(parseSettings(notNumber));
    std::string tooBig = text;
    tooBig.replace(0, 1, "40000");
    EXPECT_FALSE(parseSettings(tooBig));
    std::string edge = text;
    edge.replace(0, 1, "-32768");
    EXPECT_TRUE(parseSettings(edge));
    EXPECT_EQ(gMatchPlayers, -32768);
    EXPECT_FALSE(ReadSettings("/nonexistent/vantrel5.ini"));
}

TEST(Settings, EmptyItemsReadAsZeroOrEmptyName) {
    std::string text = kGood;
    text.replace(text.find("\"Player 2\""), 10, "");
    text.replace(0, 1, "");
    ASSERT_TRUE(parseSettings(text));
    EXPECT_EQ(gMatchPlayers, 0);
    EXPECT_EQ(gFrostyNames[2], "");
    EXPECT_NE(formatSettings().find("\r\n\"\"\r\n"), std::string::npos);
}

TEST(Settings, NamesWithCommasEmptyOrQuotesSurviveAWriteAndARead) {
    TempDir dir;
    ASSERT_TRUE(parseSettings(kGood));
    gFrostyNames[1] = "Smith, Anna";
    gFrostyNames[2] = "";
    gDreidNames[3] = "Bo \"the best\"";
    const std::string path = dir.file("vantrel5.ini");
    ASSERT_TRUE(WriteSettings(path));
    gFrostyNames[1] = gFrostyNames[2] = gDreidNames[3] = "changed";
    ASSERT_TRUE(ReadSettings(path));
    EXPECT_EQ(gFrostyNames[1], "Smith, Anna");
    EXPECT_EQ(gFrostyNames[2], "");
    // The file has no escape for a quote: it is kept readable with an apostrophe.
    EXPECT_EQ(gDreidNames[3], "Bo 'the best'");
    EXPECT_EQ(gDreidNames[4], "Di");
}

TEST(Settings, NamesInTheWindowsCharacterSetKeepTheirLetters) {
    std::string text = kGood;
    text.replace(text.find("Player 1"), 8, "J\xfcrgen");
    text.replace(text.find("Player 2"), 8,
                 "Ren\xe9"
                 "e");
    text.replace(text.find("Cy"), 2, "Zo\xc3\xab");  // as the program wrote it before
    ASSERT_TRUE(parseSettings(text));
    EXPECT_EQ(gFrostyNames[1], "J\u00fcrgen");
    EXPECT_EQ(gFrostyNames[2], "Ren\u00e9e");
    EXPECT_EQ(gDreidNames[3], "Zo\u00eb");
    // Read and written without a change, no byte of a name differs.
    EXPECT_EQ(formatSettings(), text);

    // Changed names go back in the Windows character set where they can, so
    // that they read back as they were shown.
    gFrostyNames[1] = "J\u00fcrgen \u00c6";
    gFrostyNames[2] = "\u0141ukasz \u20ac";   // no Windows letter for the first
    gFrostyNames[3] = "\u00c3\u00a9";         // would read back as another letter
    gDreidNames[1] = "\u201cZo\u00eb\u201d";  // curly quotes are letters there
    const std::string written = formatSettings();
    EXPECT_NE(written.find("\"J\xfcrgen \xc6\"\r\n"), std::string::npos);
    EXPECT_NE(written.find("\"\xc5\x81ukasz \xe2\x82\xac\"\r\n"), std::string::npos);
    EXPECT_NE(written.find("\"\x93Zo\xeb\x94\"\r\n"), std::string::npos);
    const auto shown = std::make_tuple(gFrostyNames, gDreidNames);
    ASSERT_TRUE(parseSettings(written));
    EXPECT_EQ(std::make_tuple(gFrostyNames, gDreidNames), shown);
}

TEST(Settings, SavesFollowTheFileAsALinkButNeverALinkPlantedBesideIt) {
    TempDir dir;
    ASSERT_TRUE(parseSettings(kGood));
    gMatchPairs = 9;
    const std::string saved = formatSettings();

    // Links planted where a save used to make its temporary file.
    const std::string victim = dir.file("victim");
    std::ofstream(victim) << "precious";
    const std::string path = dir.file("vantrel5.ini");
    std::ofstream(path, std::ios::binary) << kGood;
    fs::create_symlink(victim, path + ".tmp");
    ASSERT_TRUE(WriteSettings(path));
    EXPECT_EQ(readBack(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(readBack(path), saved);
    EXPECT_EQ(filesIn(dir.path()), (Names{"vantrel5.ini", "vantrel5.ini.tmp", "victim"}));

    // The settings file is itself a link to a file elsewhere.
    fs::remove(path);
    fs::create_directory(dir.file("store"));
    std::ofstream(dir.file("store/real.ini"), std::ios::binary) << kGood;
    fs::create_symlink("store/real.ini", path);
    ASSERT_TRUE(WriteSettings(path));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readBack(dir.file("store/real.ini")), saved);
    EXPECT_EQ(filesIn(dir.path() / "store"), Names{"real.ini"});
}

TEST(Settings, AReplacedFileKeepsThePermissionsTheParentGaveIt) {
    TempDir dir;
    ASSERT_TRUE(parseSettings(kGood));
    const std::string path = dir.file("vantrel5.ini");
    std::ofstream(path, std::ios::binary) << kGood;
    // Shared with the family's group, readable by all.
    const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::group_write | fs::perms::others_read;
    fs::permissions(path, shared);
    struct stat before;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    gMatchPairs = 9;
    ASSERT_TRUE(WriteSettings(path));
    struct stat after;
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the old one's place
    EXPECT_EQ(fs::status(path).permissions(), shared);
    EXPECT_EQ(readBack(path), formatSettings());
}

TEST(Settings, AFileThatCannotBeReplacedIsWrittenInPlaceOrLeftWhole) {
    TempDir dir;
    const std::string path = dir.file("vantrel5.ini");
    ASSERT_TRUE(parseSettings(kGood));
    gFrostyNames[1] = "A much longer name than before";
    const std::string longer = formatSettings();
    gFrostyNames[1] = "";
    const std::string shorter = formatSettings();

    // A folder that takes no new file, holding a file that may be written.
    std::ofstream(path, std::ios::binary) << kGood;
    AsOrdinaryUser::handOver(path);
    fs::permissions(dir.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto mode = fs::status(path).permissions();
    struct stat before;
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    {
        AsOrdinaryUser user;
        EXPECT_TRUE(writeFileReplacing(path, longer));
        EXPECT_EQ(readBack(path), longer);
        EXPECT_TRUE(writeFileReplacing(path, shorter));
        EXPECT_EQ(readBack(path), shorter);
        // Without room for the longer text the shorter one stays whole.
        FileSizeLimit full(shorter.size());
        EXPECT_FALSE(writeFileReplacing(path, longer));
    }
    EXPECT_EQ(readBack(path), shorter);
    struct stat after;
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(fs::status(path).permissions(), mode);
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(filesIn(dir.path()), Names{"vantrel5.ini"});

    // A full disk: the old file stays whole and nothing is left beside it.
    std::ofstream(path, std::ios::binary) << kGood;
    {
        FileSizeLimit full(100);
        EXPECT_FALSE(writeFileReplacing(path, longer));
    }
    EXPECT_EQ(readBack(path), kGood);
    EXPECT_EQ(filesIn(dir.path()), Names{"vantrel5.ini"});

    // A file the parent made read-only stays read-only and as it was.
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(writeFileReplacing(path, longer));
    EXPECT_EQ(readBack(path), kGood);
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST(Settings, ASaveRemovesOnlyTheStaleTemporaryFilesOfItsOwnEarlierSaves) {
    TempDir dir;
    ASSERT_TRUE(parseSettings(kGood));
    const std::string path = dir.file("vantrel5.ini");
    std::ofstream(path, std::ios::binary) << kGood;
    const std::string victim = dir.file("victim");
    std::ofstream(victim) << "precious";
    // Made an hour ago, as a killed save's file would have been.
    auto planted = [&](const std::string& name) {
        const std::string file = dir.file(name);
        if (!fs::exists(fs::symlink_status(file))) std::ofstream(file) << "half a save";
        const struct timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, file.c_str(), hourAgo, AT_SYMLINK_NOFOLLOW), 0);
    };
    // Left by saves killed before their rename: these go.
    planted("vantrel5.ini.k3x9q0ab.tmp");
    planted("vantrel5.ini.00000000.tmp");
    // Not surely ours: these stay.
    const Names kept = {"vantrel5.ini.K3X9Q0AB.tmp", "vantrel5.ini.k3x9q0a.tmp",
                        "vantrel5.ini.k3x9q0ab.tmp.old", "words.txt.k3x9q0ab.tmp",
                        "xvantrel5.ini.k3x9q0ab.tmp"};
    for (const std::string& name : kept) planted(name);
    fs::create_symlink(victim, dir.file("vantrel5.ini.linkaaaa.tmp"));
    planted("vantrel5.ini.linkaaaa.tmp");
    fs::create_directory(dir.file("vantrel5.ini.diraaaaa.tmp"));
    planted("vantrel5.ini.diraaaaa.tmp");
    planted("vantrel5.ini.othraaaa.tmp");
    AsOrdinaryUser::handOver(dir.file("vantrel5.ini.othraaaa.tmp"));
    std::ofstream(dir.file("vantrel5.ini.nowaaaaa.tmp")) << "another copy of the program saving just now";

    ASSERT_TRUE(WriteSettings(path));
    Names expected = kept;
    expected.insert({"vantrel5.ini", "victim", "vantrel5.ini.linkaaaa.tmp", "vantrel5.ini.diraaaaa.tmp",
                     "vantrel5.ini.nowaaaaa.tmp"});
    // Another user's file can be handed over only by the superuser.
    if (::geteuid() == 0) expected.insert("vantrel5.ini.othraaaa.tmp");
    EXPECT_EQ(filesIn(dir.path()), expected);
    EXPECT_EQ(readBack(victim), "precious");
    EXPECT_EQ(readBack(path), formatSettings());
}

TEST(Settings, ValuesOutsideTheirRangesAreBroughtIntoRange) {
    ASSERT_TRUE(parseSettings(kGood));
    gMatchPairs = 40;
    gMatchDifficulty = 0;
    gRudolphCount = 1;
    gFightBalls = -5;
    gDropHighScore = -1;
    gSPuzSize = 7;
    ClampSettings();
    EXPECT_EQ(gMatchPairs, 15);
    EXPECT_EQ(gMatchDifficulty, 1);
    EXPECT_EQ(gRudolphCount, 2);
    EXPECT_EQ(gFightBalls, 1);
    EXPECT_EQ(gDropHighScore, 0);
    EXPECT_EQ(gSPuzSize, 3);
    EXPECT_EQ(gMatchPlayers, 2);  // in range: untouched
}

TEST(Settings, ShippedFileReads) {
    auto text = readWholeFile(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini");
    ASSERT_TRUE(text);
    ASSERT_TRUE(parseSettings(*text));
    EXPECT_EQ(formatSettings(), *text);
    EXPECT_EQ(gDropHighScore, 52);
}
