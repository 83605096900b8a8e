// Every kind of file beside the program is read through the one careful
// reader: something that is no ordinary file, or far larger than any file of
// its kind, takes the path of a missing one and never keeps the program waiting.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "launcher/settings.h"
#include "platform/data_file.h"
#include "platform/forms.h"
#include "platform/help_viewer.h"
#include "platform/metafile.h"
#include "platform/wav.h"
#include "support/temp_dir.h"
#include "wordgames/word_list.h"

namespace fs = std::filesystem;

namespace {

struct Kind {
    const char* asset;  // a shipped file of the kind, which must read
    std::size_t bound;  // the most the kind's reader takes
    std::function<bool(const std::string&)> reads;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = {
        {"vantrel5.ini", kMaxDataFileBytes, [](const std::string& path) { return ReadSettings(path); }},
        {"words.txt", kMaxWordListReadBytes,
         [](const std::string& path) { return readWordListFile(path).read == FileRead::Done; }},
        {"vantrel.hlp", kMaxHelpFileBytes,
         [](const std::string& path) {
             HelpViewer::instance().setFile(path);
             return !HelpViewer::instance().contentsHtml().contains("could not be read");
         }},
        {"logo.svg", kMaxDrawingFileBytes,
         [](const std::string& path) { return !renderSvgImage(path, QSize(40, 40)).isNull(); }},
        {"gift.wmf", 8u << 20, [](const std::string& path) { return Metafile::load(path).has_value(); }},
        {"jingle.wav", kMaxWavFileBytes,
         [](const std::string& path) { return readWavFile(path).has_value(); }},
    };
    return all;
}

}  // namespace

TEST(ProgramFiles, APipeADeviceOrAnOversizedFileOfEveryKindIsRefusedAtOnce) {
    TempDir dir;
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.asset);
        const std::string path = dir.file(kind.asset);
        fs::copy_file(fs::path(QUENVALE_SOURCE_DIR) / "assets" / kind.asset, path);
        ASSERT_TRUE(kind.reads(path));

        // A named pipe with no writer: opened the ordinary way, it would wait forever.
        fs::remove(path);
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        EXPECT_FALSE(kind.reads(path));

        // A link to an endless device: read the ordinary way, it would fill the memory.
        fs::remove(path);
        fs::create_symlink("/dev/zero", path);
        EXPECT_FALSE(kind.reads(path));

        // The shipped file grown (sparsely) past the bound of its kind.
        fs::remove(path);
        fs::copy_file(fs::path(QUENVALE_SOURCE_DIR) / "assets" / kind.asset, path);
        fs::resize_file(path, kind.bound + 1);
        EXPECT_FALSE(kind.reads(path));
        fs::remove(path);
    }
}

TEST(ProgramFiles, TheProgramFindsAFolderWhoseNameIsNotValidUtf8) {
    TempDir dir;
    // "café" as an old archive unpacks it, in the Windows character set.
    const fs::path folder = dir.path() / "caf\xE9";
    fs::create_directory(folder);
    const fs::path probe = folder / "probe";
    fs::copy_file(PROGRAM_FOLDER_PROBE, probe);
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execl(probe.c_str(), probe.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string found;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        found.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(found, folder.string());
}
