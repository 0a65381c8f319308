// A results file opened for writing (created or emptied), that remembers the first write error so
// that a save can tell the user it failed instead of reporting success.
#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::query {

class ResultFile {
  public:
    /// Opens `gbkPath` for writing; isOpen() tells whether that worked and error() why not.
    explicit ResultFile(std::string_view gbkPath);
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;
    ~ResultFile();

    bool isOpen() const { return file_ != nullptr; }
    /// Writes the bytes as they are; an empty text writes nothing.
    void write(std::string_view bytes);
    /// Flushes and closes; true when every write and the close succeeded.
    bool close();
    /// The system's reason for the first failure, empty while all is well.
    const Text& error() const { return error_; }

  private:
    void fail();

    std::FILE* file_ = nullptr;
    Text error_;
};

}  // namespace yc::query
