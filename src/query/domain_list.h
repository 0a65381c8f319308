// Turns the user's raw list into the names that are sent: split into lines, then each line cut
// down to its registrable domain.
#pragma once

#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::query {

/// Lines separated by CR LF or "|"; inner empty lines stay, a trailing empty piece does not.
std::vector<Text> SplitDomainList(std::string_view text);

/// The lines SplitDomainList gives, read one at a time as views into the list, so that a long
/// list is never held twice.
class DomainListLines {
  public:
    explicit DomainListLines(std::string_view text) : text_(text) {}

    /// Sets `line` to the next line; false when none is left.
    bool next(std::string_view& line);
    /// True once the last line has been read.
    bool atEnd() const { return position_ >= text_.size(); }
    /// How many lines are left to read.
    std::size_t remaining() const;

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

/// Trimmed, cut to the main domain, every "www." removed in any case. May be empty.
Text NormaliseDomainLine(std::string_view line);

/// The host a line names, for sources that find the registrable domain themselves: trimmed, cut
/// free of scheme, path, query and port, lower case (ASCII), without leading "www." labels or
/// trailing dots. May be empty.
Text HostOfLine(std::string_view line);

/// The host of a URL-like text cut to its last two labels (three with a compound suffix).
Text MainDomainOf(std::string_view text);

/// True when ".label." occurs in `host` for a generic label such as com, net or org.
bool HasCompoundSuffix(std::string_view host);

}  // namespace yc::query
