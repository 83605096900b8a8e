#include "launcher/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "platform/seam.h"
#include "platform/text.h"

namespace fs = std::filesystem;

namespace {

// Closes the descriptor it holds when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
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

bool isOrdinaryFile(const struct stat& st) { return S_ISREG(st.st_mode); }

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a path finally names, following symbolic links as the system does
// (at most 40 of them), so that a save replaces the target and not the link.
// A path naming nothing yet is its own target; nothing for a loop of links.
std::optional<fs::path> finalTarget(fs::path path) {
    for (int links = 0; links <= 40; ++links) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (status.type() == fs::file_type::not_found) return path;
        if (ec) return std::nullopt;
        if (status.type() != fs::file_type::symlink) return path;
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) return std::nullopt;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return std::nullopt;
}

// A parent who takes every write permission from a file wants it kept as it
// is, even from a program that runs with the rights to write it regardless.
bool mayWrite(const fs::path& target, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// A new file beside the target under a name nobody can foresee, made
// exclusively: a file or link already standing under that name is never opened.
Descriptor createTemporary(const fs::path& target, mode_t mode, fs::path& made) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target.filename().string() + ".";
        for (int i = 0; i < 8; ++i) name += kLetters[pick(random)];
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

// For a file whose folder takes no new file. Room for all of the new content is
// claimed before a byte is changed, so that a full disk fails with the old file
// whole; once written, the file is cut to the new length.
bool writeInPlace(const fs::path& target, std::string_view content) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (!fd || ::fstat(fd.get(), &st) != 0 || !isOrdinaryFile(st)) return false;
    const auto length = static_cast<off_t>(content.size());
    if (length > st.st_size && ::posix_fallocate(fd.get(), 0, length) != 0) {
        // Whatever was claimed before the disk ran full is given back; the save has failed either way.
        [[maybe_unused]] const int givenBack = ::ftruncate(fd.get(), st.st_size);
        return false;
    }
    bool ok = writeAll(fd.get(), content) && ::ftruncate(fd.get(), length) == 0 && ::fsync(fd.get()) == 0;
    return fd.close() && ok;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    // Looked at before it is opened, so that a device is never opened at all;
    // without blocking, so that a named pipe put there since does not wait for
    // a writer; and looked at again once open, for what was really opened.
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !isOrdinaryFile(st)) return std::nullopt;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd || ::fstat(fd.get(), &st) != 0 || !isOrdinaryFile(st)) return std::nullopt;
    if (st.st_size < 0 || static_cast<std::size_t>(st.st_size) > maxBytes) return std::nullopt;

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        // A file that grows while it is read is held to the same bound.
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool writeFileReplacing(const std::string& path, std::string_view content) {
    const std::optional<fs::path> target = finalTarget(path);
    if (!target) return false;
    struct stat old;
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && (!isOrdinaryFile(old) || !mayWrite(*target, old))) return false;

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
    ::unlink(tempPath.c_str());
    // A new file that cannot be given the old one's owner gives way to writing the old one in place.
    return written && !likeOld && writeInPlace(*target, content);
}

void tellNotSaved(const std::string& what, const std::string& path, QWidget* owner) {
    seam().msgBox(QString::fromStdString("The " + what + " could not be saved.") + kCR +
                      "Please check that this file can be written:" + kCR + QString::fromStdString(path),
                  MsgButtons::OK, MsgIcon::Exclamation, "Quenvale", owner);
}
