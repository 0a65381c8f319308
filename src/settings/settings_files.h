// File access for the settings store. Paths are GBK texts, converted to UTF-8 at each system
// call. A file is never rewritten in place: new content goes to a temporary file beside it that
// is then swapped in by one rename, so a process killed at any moment leaves either the old or
// the new content under the file's name, never a mix.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::settings {

/// The whole content of a file; nullopt when it cannot be opened or read.
std::optional<ByteBuffer> readWholeFile(std::string_view gbkPath);

/// Replaces the file's content with `bytes` through a temporary file of this process. False,
/// with the old content untouched, when the file is read-only or the new one cannot be written.
bool replaceFile(std::string_view gbkPath, std::string_view bytes);

/// Creates one directory level; an existing directory is fine.
bool makeDirectory(std::string_view gbkPath);

/// The exclusive right to write one settings file, held as a lock on a companion lock file
/// (file name + ".lock") so that it survives the renames of the file itself. While it is held,
/// no other process (and no other hold in this process) can take it.
class FileHold {
  public:
    /// Locks, and creates the file when it is missing (never truncating it). nullopt when another
    /// hold exists or the file or its folder cannot be written.
    static std::optional<FileHold> acquire(std::string_view gbkPath);

    FileHold(FileHold&& other) noexcept;
    FileHold& operator=(FileHold&& other) noexcept;
    FileHold(const FileHold&) = delete;
    FileHold& operator=(const FileHold&) = delete;
    /// Releases the lock; see release().
    ~FileHold();

    /// A second handle on the same hold: the lock lasts until every handle is released.
    std::optional<FileHold> share() const;

    /// Replaces the held file's content with `bytes`; false leaves the old content in place.
    bool replace(std::string_view bytes);

    /// Flushes the file to the storage device and lets the lock go.
    void release();

    const std::string& utf8Path() const { return path_; }

  private:
    FileHold(std::string path, int lockFd) : path_(std::move(path)), lockFd_(lockFd) {}

    std::string path_;
    int lockFd_ = -1;
};

}  // namespace yc::settings
