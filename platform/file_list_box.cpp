#include "platform/file_list_box.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) == lower(y); });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        // One is a prefix of the other (ignoring case): the shorter first, then
        // the exact bytes, so names differing only in case keep a fixed order.
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    }
    return lower(*mismatch.first) < lower(*mismatch.second);
}

}  // namespace

bool matchesFilePattern(const std::string& name, const std::string& pattern) {
    // Iterative matching with one back-track point for the latest "*": linear
    // in practice and never recursive, whatever the pattern holds.
    std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& pattern) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return names;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        if (matchesFilePattern(name, pattern)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

FileListBox::FileListBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    hide();
}

void FileListBox::setPattern(const std::string& pattern) {
    pattern_ = pattern;
    Refresh();
}

void FileListBox::setPath(const std::string& folder) {
    path_ = folder;
    Refresh();
}

void FileListBox::Refresh() {
    files_ = path_.empty() ? std::vector<std::string>{} : listMatchingFiles(path_, pattern_);
}

std::string FileListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return files_[static_cast<std::size_t>(index)];
}
