// A results file opened for writing (created or emptied), that remembers the first write error so
// that a save can tell the user it failed instead of reporting success.
#pragma once

#include <cstdio>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::query {

class ResultFile {
  public:
    enum class Mode { Replace, Append };
    /// Opens `gbkPath` for writing, created or emptied (or, to append, created or kept); isOpen()
    /// tells whether that worked and error() why not.
    explicit ResultFile(std::string_view gbkPath, Mode mode = Mode::Replace);
    /// Writes to an already open stream (standard output), which close() flushes but keeps open.
    explicit ResultFile(std::FILE* stream);
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;
    ~ResultFile();

    bool isOpen() const { return file_ != nullptr; }
    /// Writes the bytes as they are; an empty text writes nothing.
    void write(std::string_view bytes);
    /// Pushes buffered lines to the file; false once any write failed.
    bool flush();
    /// Flushes and closes; true when every write and the close succeeded.
    bool close();
    /// The system's reason for the first failure, empty while all is well.
    const Text& error() const { return error_; }

  private:
    void fail();

    std::FILE* file_ = nullptr;
    bool owned_ = true;
    Text error_;
};

}  // namespace yc::query
