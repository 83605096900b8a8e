#pragma once
// Reading and writing the files that hold the user's settings and words. A
// parent may have done anything to them: made them read-only, put a link or a
// named pipe in their place, filled the disk. Neither a read nor a save may
// then hang, eat the memory or lose what was there.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

// Far above the largest settings file the program can write (eight names of
// at most 32767 characters each) and a hundred times a full word list.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{1} << 20;

// The bytes of an ordinary file (a symbolic link to one is followed). Nothing
// when it is missing or unreadable, is no ordinary file (a named pipe or a
// device is never waited for) or holds more than maxBytes.
std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);

// Saves the content as the whole file. A symbolic link is written through to
// its target and stays a link. The new content goes to a freshly made file
// beside the target that is then renamed over it, so a crash or a full disk
// leaves the old file whole; where the folder takes no new file, a writable
// file is written in place. A file without write permission is left as it is.
// False when the content could not be saved.
bool writeFileReplacing(const std::string& path, std::string_view content);

// Tells the parent, in a message box over owner, that what the file holds
// ("settings", "word list") could not be saved, and which file to look at.
void tellNotSaved(const std::string& what, const std::string& path, QWidget* owner);
