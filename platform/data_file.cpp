#include "platform/data_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "platform/seam.h"
#include "platform/session_end.h"
#include "platform/text.h"

namespace fs = std::filesystem;

namespace {

// Closes the descriptor it holds when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0) ::close(fd_);
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now and tells whether the system took all that was written.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The random part of a temporary file's name: eight of these.
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporaryLetters = 8;

bool isOrdinaryFile(const struct stat& st) { return S_ISREG(st.st_mode); }

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool writeAllAt(int fd, std::string_view content, std::size_t offset) {
    while (!content.empty()) {
        const ssize_t n = ::pwrite(fd, content.data(), content.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(n));
        offset += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAll(int fd, std::string_view content) { return writeAllAt(fd, content, 0); }

std::nullopt_t failedWith(const std::error_code& ec) {
    errno = ec.value();
    return std::nullopt;
}

// The file a path finally names, following symbolic links as the system does
// (at most 40 of them), so that a save replaces the target and not the link.
// A path naming nothing yet is its own target; nothing, with errno telling
// why, for a loop of links or a link that cannot be looked at.
std::optional<fs::path> finalTarget(fs::path path) {
    for (int links = 0; links <= 40; ++links) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (status.type() == fs::file_type::not_found) return path;
        if (ec) return failedWith(ec);
        if (status.type() != fs::file_type::symlink) return path;
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) return failedWith(ec);
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return failedWith(std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

// A parent who takes every write permission from a file wants it kept as it
// is, even from a program that runs with the rights to write it regardless.
bool mayWrite(const fs::path& target, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// A new file beside the target under a name nobody can foresee, made
// exclusively: a file or link already standing under that name is never opened.
Descriptor createTemporary(const fs::path& target, mode_t mode, fs::path& made) {
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target.filename().string() + ".";
        for (std::size_t i = 0; i < kTemporaryLetters; ++i) name += kLetters[pick(random)];
        made = folderOf(target) / (name + ".tmp");
        const int fd = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return Descriptor(fd);
    }
    return Descriptor();
}

// The new file takes the place of the old one as the parent set it up: its
// permissions, and its owner where that was somebody else.
bool matchOldFile(int fd, const struct stat& old) {
    struct stat now;
    if (::fstat(fd, &now) != 0) return false;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Makes a rename lasting; the new file is in place already if this fails.
void syncFolder(const fs::path& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) ::fsync(dir.get());
}

// For a file whose folder takes no new file. No moment of it leaves a file
// that reads as anything but the old content or the new one, save a kill
// inside the one write of a file longer than a page, which the system may
// stop at a page's end. Line ends, which every reader of ours skips, stand in
// for what is not yet there or no longer wanted: room for longer content is
// first claimed by writing them after the old content, so that a full disk
// fails with the old file whole; the new content is written padded with them
// to the old length, and only then cut to its own.
bool writeInPlace(const fs::path& target, std::string_view content) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (!fd || ::fstat(fd.get(), &st) != 0 || !isOrdinaryFile(st)) return false;
    const auto oldLength = static_cast<std::size_t>(st.st_size);
    if (content.size() > oldLength &&
        !writeAllAt(fd.get(), std::string(content.size() - oldLength, '\n'), oldLength)) {
        // Whatever was claimed before the disk ran full is given back; the save has failed either way.
        [[maybe_unused]] const int givenBack = ::ftruncate(fd.get(), st.st_size);
        return false;
    }
    std::string padded(content);
    if (oldLength > padded.size()) padded.resize(oldLength, '\n');
    bool ok = writeAllAt(fd.get(), padded, 0) &&
              ::ftruncate(fd.get(), static_cast<off_t>(content.size())) == 0 && ::fsync(fd.get()) == 0;
    return fd.close() && ok;
}

// Whether a name in the folder is one that createTemporary made for the file.
bool isTemporaryOf(std::string_view name, std::string_view file) {
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() != file.size() + 1 + kTemporaryLetters + kSuffix.size()) return false;
    if (!name.starts_with(file) || name[file.size()] != '.' || !name.ends_with(kSuffix)) return false;
    const std::string_view random = name.substr(file.size() + 1, kTemporaryLetters);
    return std::all_of(random.begin(), random.end(),
                       [](char c) { return std::string_view(kLetters).find(c) != std::string_view::npos; });
}

// Removes what saves of the file that were killed before their rename left
// beside it. Only what is surely ours goes: an ordinary file (a link is never
// followed, nor removed), owned by this user, named exactly as createTemporary
// names them, and untouched for a minute, since another copy of the program
// may be saving the same file just now.
void removeLeftoverTemporaries(const fs::path& file) {
    DIR* folder = ::opendir(folderOf(file).c_str());
    if (!folder) return;
    const std::string name = file.filename().string();
    const time_t stale = ::time(nullptr) - 60;
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTemporaryOf(entry->d_name, name)) continue;
        struct stat st;
        if (::fstatat(::dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (isOrdinaryFile(st) && st.st_uid == ::geteuid() && st.st_mtime < stale)
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

// Opens an ordinary file for reading. It is looked at before it is opened, so
// that a device is never opened at all; opened without blocking, so that a
// named pipe put there since does not wait for a writer; and looked at again
// once open, for what was really opened.
FileRead openForReading(const std::string& path, Descriptor& fd, std::size_t& size) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? FileRead::Missing : FileRead::Refused;
    if (!isOrdinaryFile(st)) return FileRead::Refused;
    fd = Descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd) return errno == ENOENT ? FileRead::Missing : FileRead::Refused;
    if (::fstat(fd.get(), &st) != 0 || !isOrdinaryFile(st) || st.st_size < 0) return FileRead::Refused;
    size = static_cast<std::size_t>(st.st_size);
    return FileRead::Done;
}

// Hands the file on piece by piece. A file that grows while it is read is held
// to the same bound as one that was large from the start.
FileRead readPieces(int fd, std::size_t maxBytes, const std::function<bool(std::string_view)>& take) {
    std::array<char, 65536> buffer;
    std::size_t total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return FileRead::Refused;
        if (n == 0) return FileRead::Done;
        total += static_cast<std::size_t>(n);
        if (total > maxBytes) return FileRead::Refused;
        if (!take(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) return FileRead::Done;
    }
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    Descriptor fd;
    std::size_t size = 0;
    if (openForReading(path, fd, size) != FileRead::Done || size > maxBytes) return std::nullopt;
    std::string bytes;
    bytes.reserve(size);
    const FileRead read = readPieces(fd.get(), maxBytes, [&](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    if (read != FileRead::Done) return std::nullopt;
    return bytes;
}

FileRead readFileInPieces(const std::string& path, std::size_t maxBytes,
                          const std::function<bool(std::string_view)>& take, std::size_t* size) {
    Descriptor fd;
    std::size_t opened = 0;
    const FileRead result = openForReading(path, fd, opened);
    if (size) *size = opened;
    return result == FileRead::Done ? readPieces(fd.get(), maxBytes, take) : result;
}

std::string pathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::string executableFolder() {
    // The link names the program by the very bytes the system knows it by.
    std::string exe(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
    if (n > 0 && static_cast<std::size_t>(n) < exe.size()) {
        exe.resize(static_cast<std::size_t>(n));
        const std::size_t slash = exe.rfind('/');
        if (slash != std::string::npos) return slash == 0 ? "/" : exe.substr(0, slash);
    }
    return pathBytes(QCoreApplication::applicationDirPath());
}

bool writeFileReplacing(const std::string& path, std::string_view content) {
    const std::optional<fs::path> target = finalTarget(path);
    if (!target) return false;
    removeLeftoverTemporaries(*target);
    struct stat old;
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && !isOrdinaryFile(old)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : ENOTSUP;
        return false;
    }
    if (exists && !mayWrite(*target, old)) {
        if ((old.st_mode & 0222) == 0) errno = EACCES;
        return false;
    }

    fs::path tempPath;
    Descriptor temp = createTemporary(*target, exists ? 0600 : 0666, tempPath);
    if (!temp) return exists && writeInPlace(*target, content);

    bool written = writeAll(temp.get(), content);
    const bool likeOld = !exists || matchOldFile(temp.get(), old);
    written = written && ::fsync(temp.get()) == 0;
    written = temp.close() && written;
    if (written && likeOld && ::rename(tempPath.c_str(), target->c_str()) == 0) {
        syncFolder(folderOf(*target));
        return true;
    }
    const int why = errno;
    ::unlink(tempPath.c_str());
    errno = why;
    // A new file that cannot be given the old one's owner gives way to writing the old one in place.
    return written && !likeOld && writeInPlace(*target, content);
}

std::optional<std::string> writeNewTemporary(const std::string& path, std::string_view content,
                                             unsigned mode) {
    fs::path made;
    Descriptor temp = createTemporary(path, static_cast<mode_t>(mode), made);
    if (!temp) return std::nullopt;
    bool written = writeAll(temp.get(), content) && ::fsync(temp.get()) == 0;
    written = temp.close() && written;
    if (written) return made.string();
    ::unlink(made.c_str());
    return std::nullopt;
}

void removeStaleTemporaries(const std::string& path) { removeLeftoverTemporaries(path); }

void tellNotSaved(const std::string& what, const std::string& path, int error, QWidget* owner) {
    if (sessionEnding()) {
        reportNotSavedAtSessionEnd(what, path, std::generic_category().message(error));
        return;
    }
    seam().msgBox(QString::fromStdString("The " + what + " could not be saved.") + kCR +
                      "Please check that this file can be written:" + kCR + QString::fromStdString(path),
                  MsgButtons::OK, MsgIcon::Exclamation, "Quenvale", owner);
}
