// File paths are GBK texts inside the program; the file system takes UTF-8 names. Every system
// call on a path goes through this conversion, so Chinese names appear correctly on disk.
#pragma once

#include <filesystem>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::text {

std::filesystem::path toSystemPath(std::string_view gbkPath);
Text fromSystemPath(const std::filesystem::path& path);

}  // namespace yc::text
