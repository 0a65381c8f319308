// Resuming a run into its output file: the names the file already holds, in any of the result
// forms, after a line cut off by a crash mid-write has been taken away.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>

#include "query/batch_check.h"
#include "text/gbk_text.h"

namespace yc::cli {

struct ResumePoint {
    std::unordered_set<Text> names;  ///< GBK, as the run sends them
    bool hasLines = false;           ///< the file already holds results (or a header)
};

/// Reads `path` (a missing file is an empty start), truncates a last line that has no line end,
/// and collects the names of its lines. None, with `error` set, when the file cannot be read or
/// repaired.
std::optional<ResumePoint> readResumePoint(const std::string& path, std::string& error);

/// Removes from the list every line whose name (as `names` cuts it) is in `checked`; how many
/// were removed.
std::size_t dropCheckedNames(Text& listText, const std::unordered_set<Text>& checked,
                             const query::BatchChecker& names);

}  // namespace yc::cli
