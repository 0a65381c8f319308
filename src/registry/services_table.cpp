// Reading the registry services table from its tab-separated file.
#include "registry/services_table.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "text/gbk_edit.h"

namespace yc::registry {
namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> columns;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
         tab = line.find('\t', start)) {
        columns.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    columns.push_back(line.substr(start));
    return columns;
}

// The file writes CR LF as the four characters "\r\n" so that a row stays on one line.
std::string unescapeLineEnds(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
            out += text[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool readWhoisHost(std::string_view column, RegistryService& row) {
    const std::size_t colon = column.rfind(':');
    if (colon == std::string_view::npos) {
        row.whoisHost = text::asciiLower(column);
        return true;
    }
    const std::string_view port = column.substr(colon + 1);
    const auto [end, error] =
        std::from_chars(port.data(), port.data() + port.size(), row.whoisPort);
    row.whoisHost = text::asciiLower(column.substr(0, colon));
    return error == std::errc() && end == port.data() + port.size() && row.whoisPort > 0 &&
           row.whoisPort < 65536 && !row.whoisHost.empty();
}

}  // namespace

std::optional<ServicesTable> ServicesTable::parse(std::string_view tsv) {
    ServicesTable table;
    std::istringstream lines{std::string(tsv)};
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::vector<std::string_view> columns = splitTabs(line);
        RegistryService row;
        row.suffix = text::asciiLower(columns[0]);
        if (row.suffix.empty() || columns.size() > 5) {
            return std::nullopt;
        }
        if (columns.size() > 1 && !columns[1].empty()) {
            row.rdapBase = columns[1];
            if (row.rdapBase.back() != '/') {
                row.rdapBase += '/';
            }
        }
        if (columns.size() > 2 && !columns[2].empty() && !readWhoisHost(columns[2], row)) {
            return std::nullopt;
        }
        if (columns.size() > 3 && !columns[3].empty()) {
            row.whoisQuery = unescapeLineEnds(columns[3]);
        }
        if (columns.size() > 4) {
            row.notFoundText = columns[4];
        }
        table.rows_[row.suffix] = std::move(row);
    }
    if (table.rows_.empty()) {
        return std::nullopt;
    }
    return table;
}

std::optional<ServicesTable> ServicesTable::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return parse(bytes.str());
}

const RegistryService* ServicesTable::find(std::string_view suffix) const {
    const auto row = rows_.find(std::string(suffix));
    return row == rows_.end() ? nullptr : &row->second;
}

void ServicesTable::setRdapBase(const std::string& suffix, std::string base) {
    RegistryService& row = rows_[suffix];
    row.suffix = suffix;
    row.rdapBase = std::move(base);
}

}  // namespace yc::registry
