// Every sound the games' code names lies beside the program and is one of the
// program's own sounds, so no game plays silence by a misspelt name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "platform/file_lookup.h"
#include "platform/sound_names.h"

namespace fs = std::filesystem;

TEST(SoundUse, EverySoundNamedInTheCodeIsAnAssetOfTheTable) {
    const std::regex literal("\"([A-Za-z!]+\\.wav)\"");
    std::set<std::string> used;
    for (const char* folder : {"launcher", "wordgames", "boardgames", "actiongames", "picturepuzzles"}) {
        const fs::path dir = fs::path(QUENVALE_SOURCE_DIR) / folder;
        if (!fs::is_directory(dir)) continue;  // a subsystem with no game built yet
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            const std::string s = text.str();
            for (std::sregex_iterator it(s.begin(), s.end(), literal), end; it != end; ++it) used.insert((*it)[1]);
        }
    }
    // The menu's jingle at least: an empty set would mean the scan itself is broken.
    ASSERT_TRUE(used.count("jingle.wav"));
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    for (const std::string& name : used) {
        EXPECT_FALSE(findFileIgnoringCase(std::string(QUENVALE_SOURCE_DIR "/assets/") + name).empty()) << name;
        EXPECT_TRUE(std::any_of(std::begin(kSoundNames), std::end(kSoundNames),
                                [&](const char* n) { return lower(n) == lower(name); }))
            << name << " is not in the table of sound names";
    }
}
