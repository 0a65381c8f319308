// Result lines in their three forms. JSON Lines carry the time each row was written, in UTC.
#include "cli/result_lines.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "cli/output_encoding.h"
#include "query/result_export.h"
#include "text/charset.h"
#include "text/gbk_edit.h"

namespace yc::cli {
namespace {

// The UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view utf8) {
    std::string quoted = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string utcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return stamp;
}

}  // namespace

ResultFormat formatOfPath(std::string_view path) {
    if (query::IsCsvPath(path)) {
        return ResultFormat::Csv;
    }
    return text::asciiLower(query::FileExtension(path)) == "jsonl" ? ResultFormat::JsonLines
                                                                   : ResultFormat::Txt;
}

query::ResultForm resultForm(ResultFormat format, TextEncoding encoding,
                             registry::AnswerSource source, const query::BatchChecker& checker) {
    query::ResultForm form;
    if (format == ResultFormat::Csv) {
        form.header = encodeOutput(query::CsvHeaderLine(), encoding);
    }
    form.line = [format, encoding, source, &checker](const query::ReportRows& rows, std::size_t row,
                                                     const query::ExportFilter& filter) {
        return resultLine(rows, row, filter, {format, encoding, source, checker});
    };
    return form;
}

std::string resultLine(const query::ReportRows& rows, std::size_t row,
                       const query::ExportFilter& filter, const LineForm& form) {
    const Text line = query::ResultLine(rows, row, filter);
    if (line.empty() || form.format != ResultFormat::JsonLines) {
        return encodeOutput(line, form.encoding);
    }
    const Text name(rows.cell(row, query::kColumnName));
    const bool free = rows.iconIndex(row) == query::kIconFree;
    std::string json = "{\"name\": " + jsonString(text::gbkToUtf8(name)) +
                       ", \"free\": " + (free ? "true" : "false");
    if (form.source == registry::AnswerSource::Registry) {
        // The row was appended in the batch the checker answered last, so its facts are at hand.
        static const query::NameFacts kNothingKnown;
        const query::NameFacts* known = form.checker.factsOf(name);
        const query::NameFacts& facts = known != nullptr ? *known : kNothingKnown;
        const auto orNull = [](const std::string& value) {
            return value.empty() ? std::string("null") : jsonString(value);
        };
        json += ", \"source\": \"registry\", \"registry\": " + orNull(facts.registry) +
                ", \"registered\": " + orNull(facts.registered) +
                ", \"expires\": " + orNull(facts.expires);
    } else {
        json += ", \"source\": \"registrar\"";
    }
    return json + ", \"checked_at\": \"" + utcNow() + "\"}\n";
}

}  // namespace yc::cli
