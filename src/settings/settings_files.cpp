#include "settings/settings_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "text/system_path.h"

namespace yc::settings {
namespace {

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
    /// Closes now and reports whether the close succeeded (it can report a failed write-back).
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// A read-only file keeps its content even though the rename below would not need to write it.
bool targetWritable(const std::string& target) {
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

/// Writes `bytes` to `temp` (which must not exist) and swaps it in for `target`. The exchange
/// is preferred to a plain rename over the target: both are atomic, but on ext4 a rename over an
/// existing file forces a write-back of the new data that costs more than the whole edit.
bool writeAndSwap(const std::string& target, const std::string& temp, std::string_view bytes) {
    if (!targetWritable(target)) {
        return false;
    }
    struct stat old {};
    const bool hadTarget = ::stat(target.c_str(), &old) == 0;
    Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        return false;
    }
    const bool written =
        (!hadTarget || ::fchmod(fd.get(), old.st_mode & 07777) == 0) && writeAll(fd.get(), bytes);
    if (!fd.close() || !written) {
        ::unlink(temp.c_str());
        return false;
    }
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temp.c_str());  // now the old content
        return true;
    }
    if (::rename(temp.c_str(), target.c_str()) == 0) {
        return true;
    }
    ::unlink(temp.c_str());
    return false;
}

void syncFileAndFolder(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() >= 0) {
        ::fdatasync(file.get());
    }
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
}

}  // namespace

std::optional<ByteBuffer> readWholeFile(std::string_view gbkPath) {
    const std::string path = text::toSystemPath(gbkPath).string();
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    ByteBuffer content;
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
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

bool replaceFile(std::string_view gbkPath, std::string_view bytes) {
    const std::string target = text::toSystemPath(gbkPath).string();
    // One temporary name per process: a leftover from a dead process of the same id is stale.
    const std::string temp = target + "." + std::to_string(::getpid()) + ".tmp";
    ::unlink(temp.c_str());
    return writeAndSwap(target, temp, bytes);
}

bool makeDirectory(std::string_view gbkPath) {
    const std::string path = text::toSystemPath(gbkPath).string();
    return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

std::optional<FileHold> FileHold::acquire(std::string_view gbkPath) {
    std::string path = text::toSystemPath(gbkPath).string();
    if (path.empty()) {
        return std::nullopt;
    }
    const std::string lockPath = path + ".lock";
    int lockFd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (lockFd < 0) {
        return std::nullopt;
    }
    FileHold hold(std::move(path), lockFd);
    if (::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(std::exchange(hold.lockFd_, -1));
        return std::nullopt;
    }
    // The file must be writable now, and the folder too, for the temporary file of each edit.
    Descriptor file(::open(hold.path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (file.get() < 0 ||
        ::faccessat(AT_FDCWD, folderOf(hold.path_).c_str(), W_OK, AT_EACCESS) != 0) {
        ::close(std::exchange(hold.lockFd_, -1));
        return std::nullopt;
    }
    return hold;
}

FileHold::FileHold(FileHold&& other) noexcept
    : path_(std::move(other.path_)), lockFd_(std::exchange(other.lockFd_, -1)) {}

FileHold& FileHold::operator=(FileHold&& other) noexcept {
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        lockFd_ = std::exchange(other.lockFd_, -1);
    }
    return *this;
}

FileHold::~FileHold() {
    release();
}

std::optional<FileHold> FileHold::share() const {
    const int fd = lockFd_ < 0 ? -1 : ::fcntl(lockFd_, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) {
        return std::nullopt;
    }
    return FileHold(path_, fd);
}

bool FileHold::replace(std::string_view bytes) {
    if (lockFd_ < 0) {
        return false;
    }
    // Only the holder writes this temporary name, so a fixed one is safe, and one left by a
    // holder that was killed mid-edit is simply removed.
    const std::string temp = path_ + ".tmp";
    ::unlink(temp.c_str());
    return writeAndSwap(path_, temp, bytes);
}

void FileHold::release() {
    if (lockFd_ < 0) {
        return;
    }
    syncFileAndFolder(path_);
    ::close(std::exchange(lockFd_, -1));
}

}  // namespace yc::settings
