// The host of the configured bulk-check address.
#include "query/registrar_endpoint.h"

#include "text/gbk_edit.h"
#include "text/gbk_search.h"

namespace yc::query {

Text registrarHostOf(std::string_view endpoint) {
    const std::size_t scheme = text::find(endpoint, "://");
    const std::size_t start = scheme == text::npos ? 0 : scheme + 3;
    const std::size_t end = text::find(endpoint, "/", start);
    return text::trimSpaces(endpoint.substr(start, end == text::npos ? text::npos : end - start));
}

}  // namespace yc::query
