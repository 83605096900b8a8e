#pragma once
// Words laid out as the shared word list holds them: position 0 unused, the
// words from position 1 on, so a test can hand a list to the rules directly.
#include <string>
#include <vector>

struct ListedWords {
    std::vector<std::string> list{std::string()};
    int count = 0;

    void use(const std::vector<std::string>& words) {
        list.assign(1, std::string());
        list.insert(list.end(), words.begin(), words.end());
        count = static_cast<int>(words.size());
    }
};
