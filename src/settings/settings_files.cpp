// Reading, replacing and locking the settings file.
#include "settings/settings_files.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "text/system_path.h"

namespace yc::settings {
namespace {

/// Links followed before a path is taken as it stands (the system's own limit).
constexpr int kMaxLinkDepth = 40;
/// Tries to lock a file that keeps being swapped away before acquire gives up.
constexpr int kLockAttempts = 16;

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    /// Closes now and reports whether the close succeeded (it can report a failed write-back).
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

std::optional<ByteBuffer> readAll(int fd) {
    ByteBuffer content;
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(content.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            return content;
        }
        content.append(chunk, static_cast<std::size_t>(n));
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// The file that `path` names once links in its last component are followed. Edits swap a new
/// file in under the name they write, so writing the link's name would replace the link.
std::string followLinks(std::string path) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) == sizeof target) {
            return path;
        }
        std::string link(target, static_cast<std::size_t>(n));
        path = link.front() == '/' ? std::move(link) : folderOf(path) + "/" + link;
    }
    return path;
}

/// A read-only file keeps its content even though the rename below would not need to write it.
bool targetWritable(const std::string& target) {
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

/// Creates `temp` (which must not exist) with the mode of `target` when that exists; -1 with
/// errno set when it cannot be created.
int createBeside(const std::string& temp, const std::string& target) {
    struct stat old {};
    const bool hadTarget = ::stat(target.c_str(), &old) == 0;
    Descriptor fd(::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() >= 0 && hadTarget && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
        ::unlink(temp.c_str());
        return -1;
    }
    return fd.release();
}

/// Swaps the written `temp` in for `target`. The exchange is preferred to a plain rename over
/// the target: both are atomic, but on ext4 a rename over an existing file forces a write-back
/// of the new data that costs more than the whole edit.
bool swapIn(const std::string& temp, const std::string& target) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temp.c_str());  // now the old content
        return true;
    }
    return ::rename(temp.c_str(), target.c_str()) == 0;
}

/// The folder refuses new files (its permissions, or a name one suffix too long), while the
/// file itself may still be writable.
bool noTemporaryFileHere(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG;
}

bool overwrite(int fd, std::string_view bytes) {
    return writeAll(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
           ::fdatasync(fd) == 0;
}

/// The edit cannot be atomic without a temporary file; one that fails half-way puts the old
/// content back so that the file still matches what the store last committed.
bool rewriteInPlace(int fd, std::string_view bytes) {
    const std::optional<ByteBuffer> old = readAll(fd);
    if (!old) {
        return false;
    }
    if (overwrite(fd, bytes)) {
        return true;
    }
    overwrite(fd, *old);
    return false;
}

bool sameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void syncFileAndFolder(int fd, const std::string& path) {
    ::fdatasync(fd);
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
}

}  // namespace

/// The locked file: `fd` is open on whatever file currently bears `path`'s name.
struct FileHold::Lock {
    Lock(std::string p, int f) : path(std::move(p)), fd(f) {}
    ~Lock() {
        syncFileAndFolder(fd, path);
        ::close(fd);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    std::string path;
    int fd;
};

std::optional<ByteBuffer> readWholeFile(std::string_view gbkPath) {
    const std::string path = text::toSystemPath(gbkPath).string();
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    return readAll(fd.get());
}

bool replaceFile(std::string_view gbkPath, std::string_view bytes) {
    const std::string target = text::toSystemPath(gbkPath).string();
    // One temporary name per process: a leftover from a dead process of the same id is stale.
    const std::string temp = target + "." + std::to_string(::getpid()) + ".tmp";
    ::unlink(temp.c_str());
    if (!targetWritable(target)) {
        return false;
    }
    Descriptor fd(createBeside(temp, target));
    if (fd.get() < 0) {
        return false;
    }
    if (!writeAll(fd.get(), bytes, 0) || !fd.close() || !swapIn(temp, target)) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool makeDirectory(std::string_view gbkPath) {
    const std::string path = text::toSystemPath(gbkPath).string();
    return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

std::optional<FileHold> FileHold::acquire(std::string_view gbkPath) {
    const std::string given = text::toSystemPath(gbkPath).string();
    if (given.empty()) {
        return std::nullopt;
    }
    std::string path = followLinks(given);
    // Every edit swaps a new, already locked file in under the name. A lock won on a file that
    // has just been swapped out holds nothing, so the name must still show the locked file.
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        Descriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            return std::nullopt;
        }
        if (sameFile(fd.get(), path)) {
            return FileHold(std::make_shared<Lock>(std::move(path), fd.release()));
        }
    }
    return std::nullopt;
}

bool FileHold::replace(std::string_view bytes) {
    if (!lock_ || !targetWritable(lock_->path)) {
        return false;
    }
    // Only the holder writes this temporary name, so a fixed one is safe, and one left by a
    // holder that was killed mid-edit is simply removed.
    const std::string temp = lock_->path + ".tmp";
    ::unlink(temp.c_str());
    Descriptor fresh(createBeside(temp, lock_->path));
    if (fresh.get() < 0) {
        return noTemporaryFileHere(errno) && rewriteInPlace(lock_->fd, bytes);
    }
    // Locked before it takes the name, so that the name never shows an unlocked file.
    if (::flock(fresh.get(), LOCK_EX | LOCK_NB) != 0 || !writeAll(fresh.get(), bytes, 0) ||
        !swapIn(temp, lock_->path)) {
        ::unlink(temp.c_str());
        return false;
    }
    ::close(std::exchange(lock_->fd, fresh.release()));  // the old content, no longer named
    return true;
}

}  // namespace yc::settings
