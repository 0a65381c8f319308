// The form body of a batch, and one exchange with the registrar's bulk-check form.
#include "query/bulk_check.h"

#include "host/event_pump.h"
#include "http/fetch_page.h"
#include "query/form_encoding.h"
#include "text/charset.h"
#include "text/gbk_edit.h"
#include "text/gbk_search.h"
#include "text/html_element_finder.h"

namespace yc::query {
namespace {

// Already percent-encoded; its Submit value is UTF-8 while the names are GBK.
constexpr std::string_view kFormTail =
    "&Submit=+++%E6%89%B9%E9%87%8F%E6%9F%A5%E8%AF%A2&suffix%5B%5D=.com&suffix%5B%5D=.cn"
    "&suffix%5B%5D=.cn.com&suffix%5B%5D=.wang&suffix%5B%5D=.top";

}  // namespace

Text BulkCheckFormBody(const Batch& batch) {
    // Encoded name by name into a body sized once: a very long name is not copied on the way.
    constexpr std::string_view kHead = "domainToCheck=";
    constexpr std::string_view kLineEnd = "\r\n";
    constexpr std::string_view kCodeField = "&picCode=";
    std::size_t length = kHead.size() + kCodeField.size() + kFormTail.size();
    for (const Text& name : batch) {
        length += FormValueLength(name) + FormValueLength(kLineEnd);
    }
    Text body;
    body.reserve(length);
    body.append(kHead);
    for (const Text& name : batch) {
        AppendFormValue(body, name);
        AppendFormValue(body, kLineEnd);
    }
    body.append(kCodeField).append(kFormTail);
    return body;
}

const Text& RefusalMarker() {
    static const Text marker = text::replaceAll(YC_GBK("alert(''验证码不正确'')"), "''", "\"");
    return marker;
}

BatchOutcome RegistrarExchange::CheckBatch(const Batch& batch, FreeNames& free) {
    free.clear();
    http::HttpClient client;
    client.SetUp();
    text::HtmlElementFinder finder;
    finder.CallBetweenTags(&host::processPendingEvents);

    Text url = endpoint_;
    http::TransferOutcome transfer;
    http::FetchOptions options;
    // Given as the body's bytes, which the fetch sends without a copy of its own.
    ByteBuffer body = BulkCheckFormBody(batch);
    options.postBytes = &body;
    options.outcome = &transfer;
    options.timeoutSeconds = timeoutSeconds_;
    options.proxy = proxy_;
    options.stopRequested = [this] { return stopRequested(); };
    Text page = client.FetchPage(url, options);

    if (text::contains(page, RefusalMarker())) {
        return BatchOutcome::Refused;
    }
    // A page that did not arrive whole, or could not be inflated whole, cannot say which names
    // are free: listing its missing names as taken would be a wrong result.
    if (transfer.failed() || !transfer.complete || transfer.undecodable) {
        return BatchOutcome::Failed;
    }
    // Handed over whole: the finder keeps the page, so it is not copied again.
    const int count = finder.FindElements(std::move(page), "input", {"name"}, {"domain[]"});
    for (int k = 1; k <= count; ++k) {
        const Text element = finder.ElementText(k);
        free.insert(finder.AttributeValue(element, "value"));
    }
    if (free.empty() && pageWithoutFreeNames_) {
        pageWithoutFreeNames_(finder.PageText());
    }
    return BatchOutcome::Accepted;
}

}  // namespace yc::query
