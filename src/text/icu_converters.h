// ICU converters by charset name. Opening one costs more than converting a page, and a converter
// keeps state between calls, so each thread keeps its own, opened once and reset for each use.
#pragma once

#include <unicode/ucnv.h>

#include <memory>

namespace yc::text {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

/// A new converter for `name`; null when ICU has none.
ConverterPtr openConverter(const char* name);

/// This thread's converter for `name`, reset; null when ICU has none.
UConverter* cachedConverter(const char* name);

}  // namespace yc::text
