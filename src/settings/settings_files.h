// File access for the settings store. Paths are GBK texts, converted to UTF-8 at each system
// call. New content goes to a temporary file beside the file that is then swapped in by one
// rename, so a process killed at any moment leaves either the old or the new content under the
// file's name, never a mix. Only a held file in a folder where no file can be created is
// rewritten in place instead.
#pragma once

#include <memory>
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

/// The exclusive right to write one settings file, held as a lock on the file itself. A path
/// that is a symbolic link stands for its target: the target is locked and edited, the link
/// stays. While the hold lasts, no other process (and no other hold in this process) can take
/// it, and no file but the settings file is left beside it.
class FileHold {
  public:
    /// Locks, and creates the file when it is missing (never truncating it). nullopt when another
    /// hold exists or the file cannot be written.
    static std::optional<FileHold> acquire(std::string_view gbkPath);

    /// A second handle on the same hold: the lock lasts until every handle is released.
    FileHold share() const { return FileHold(lock_); }

    /// Replaces the held file's content with `bytes`; false leaves the old content in place.
    bool replace(std::string_view bytes);

    /// Lets this handle go; the last one flushes the file to the storage device and unlocks it.
    void release() { lock_.reset(); }

  private:
    struct Lock;
    explicit FileHold(std::shared_ptr<Lock> lock) : lock_(std::move(lock)) {}

    std::shared_ptr<Lock> lock_;
};

}  // namespace yc::settings
