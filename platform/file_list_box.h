#pragma once
// A file list that is never shown: the names of the files in one folder that
// match a pattern, in alphabetical order, as the classic hidden file list
// handed them to its window.
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class FileListBox : public QWidget {
    Q_OBJECT
public:
    FileListBox(QWidget* parent, const QString& name);

    // A pattern of one name with "*" for any run of characters and "?" for
    // one character, matched ignoring case ("*.wmf" takes "Bells.WMF").
    void setPattern(const std::string& pattern);
    const std::string& pattern() const { return pattern_; }
    // The folder to list; the list is read anew.
    void setPath(const std::string& folder);
    const std::string& path() const { return path_; }
    // Reads the folder again.
    void Refresh();

    int ListCount() const { return static_cast<int>(files_.size()); }
    // File name i (name and extension, no folder); empty outside the list.
    std::string List(int index) const;

private:
    std::string pattern_ = "*.*";
    std::string path_;
    std::vector<std::string> files_;
};

// True when a file name matches a pattern of "*" and "?", ignoring case.
bool matchesFilePattern(const std::string& name, const std::string& pattern);
// The plain files of a folder (no folders, no hidden dot files) whose names
// match the pattern, sorted ignoring case; empty when the folder cannot be read.
std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& pattern);
