#pragma once
// Reading and writing the files beside the program: the user's settings and
// words, the help file, the drawings, pictures and sounds. A parent may have
// done anything to them: made them read-only, put a link, a named pipe or a
// device in their place, filled the disk. Neither a read nor a save may then
// hang, eat the memory or lose what was there. Paths are the system's bytes,
// so a folder whose name is no valid UTF-8 still works.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QString;
class QWidget;

// Far above the largest settings file the program can write (eight names of
// at most 32767 characters each) and a hundred times a full word list.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{1} << 20;
// The help file and the drawings: ours are a few kilobytes; two hundred times
// that is still no file a person wrote as one of them.
inline constexpr std::size_t kMaxHelpFileBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxDrawingFileBytes = std::size_t{4} << 20;

enum class FileRead {
    Done,     // read to its end, or as far as the reader wanted
    Missing,  // nothing stands under the name
    Refused,  // something stands there that cannot be read: no ordinary file,
              // no permission, a failed read, or more than the bound
};

// The bytes of an ordinary file (a symbolic link to one is followed). Nothing
// when it is missing or unreadable, is no ordinary file (a named pipe or a
// device is never opened or waited for) or holds more than maxBytes. Takes no
// more memory than the file's own size.
std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);

// Reads an ordinary file as readWholeFile does, but hands it to take piece by
// piece, until take returns false or the file ends. A file still going on
// beyond maxBytes is Refused, whatever was handed on before. Where size is
// given, it holds the file's size as it was opened before the first piece is
// handed on, for a reader that judges from a header how much it needs.
FileRead readFileInPieces(const std::string& path, std::size_t maxBytes,
                          const std::function<bool(std::string_view)>& take, std::size_t* size = nullptr);

// The system's bytes of a path Qt holds (which is UTF-8 on Linux).
std::string pathBytes(const QString& path);

// The folder of the running program, in the system's bytes; Qt's own answer
// is empty for a folder whose name is not valid UTF-8.
std::string executableFolder();

// Saves the content as the whole file; false, with errno telling why, when it
// could not be saved.
// - The new content goes to a freshly made file beside the target that is
//   then renamed over it, so a crash or a full disk leaves the old file whole.
// - A symbolic link is written through to its target and stays a link.
// - A file without write permission is left as it is.
// - Where the folder takes no new file, a writable file is written in place.
//   Line ends, which every reader of ours skips, stand in for bytes not yet or
//   no longer wanted, so a save killed there leaves the old or the new
//   content, unless it is killed inside the write of a file longer than a page.
// - Temporary files that an earlier save of the same file left behind, killed
//   before its rename, are removed: only ordinary files of ours, exactly so
//   named, beside the file written.
bool writeFileReplacing(const std::string& path, std::string_view content);

// Writes the content whole and synced to a new file beside the path, under a
// name nobody can foresee, made exclusively (never through a link) with the
// mode less the umask. Its name, or nothing when it could not be written
// whole; then nothing is left behind.
std::optional<std::string> writeNewTemporary(const std::string& path, std::string_view content,
                                             unsigned mode);

// Removes what writes of new temporaries beside the path (writeNewTemporary)
// left behind when they were killed, by the rules writeFileReplacing keeps.
void removeStaleTemporaries(const std::string& path);

// Tells the parent, in a message box over owner, that what the file holds
// ("settings", "word list") could not be saved, and which file to look at.
// While the session ends nobody would answer the box: the file and the
// reason, the errno value error, go to standard error instead.
void tellNotSaved(const std::string& what, const std::string& path, int error, QWidget* owner);
