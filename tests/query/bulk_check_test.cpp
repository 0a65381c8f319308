// The bulk-check exchange against the registrar simulator over loopback sockets: the form body
// on the wire, free names from every page form, refusals, failed transfers and HTTPS.
#include <gtest/gtest.h>

#include "gzip_deflate.h"
#include "host/desktop.h"
#include "http/gzip_inflate.h"
#include "http/request_worker.h"
#include "http/response_decoding.h"
#include "query/bulk_check.h"
#include "support/registrar_sim.h"
#include "support/scripted_desktop.h"
#include "support/table_test.h"
#include "text/charset.h"

namespace yc::query {
namespace {

using sim::Fault;
using sim::PageEncoding;
using sim::SimOptions;
using test::freeDotCom;
using test::RegistrarSim;

const std::string kFormTail =
    "&picCode=&Submit=+++%E6%89%B9%E9%87%8F%E6%9F%A5%E8%AF%A2&suffix%5B%5D=.com&suffix%5B%5D=.cn"
    "&suffix%5B%5D=.cn.com&suffix%5B%5D=.wang&suffix%5B%5D=.top";

struct Exchange {
    BatchOutcome outcome;
    FreeNames available;
};

Exchange check(const RegistrarSim& sim, const Batch& batch) {
    RegistrarExchange exchange(sim.url());
    exchange.onPageWithoutFreeNames(
        [](const Text& page) { host::desktop().setClipboardText(page); });
    Exchange result{BatchOutcome::Failed, {"left over"}};
    result.outcome = exchange.CheckBatch(batch, result.available);
    return result;
}

class BulkCheckTest : public testing::Test {
  protected:
    test::ScriptedDesktop desktop;
};

TEST_F(BulkCheckTest, PostsTheEncodedBatchWithTheFixedTail) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    const Batch batch{"abc.com", text::utf8ToGbk("中文.com"), "x_y-z+1.net"};
    const Exchange result = check(sim, batch);
    EXPECT_EQ(result.outcome, BatchOutcome::Accepted);
    EXPECT_EQ(result.available, (FreeNames{"abc.com", text::utf8ToGbk("中文.com")}));
    const auto requests = sim.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "POST /domain/bulkregister_submit.php HTTP/1.1");
    EXPECT_EQ(requests[0].body,
              "domainToCheck=abc.com%0D%0A%D6%D0%CE%C4.com%0D%0Ax_y-z%2B1.net%0D%0A" + kFormTail);
}

struct PageFormCase : test::TableCase {
    PageEncoding encoding;
    bool gzip;
    bool upper;
};

class BulkCheckPageFormTest : public BulkCheckTest,
                              public testing::WithParamInterface<PageFormCase> {};

TEST_P(BulkCheckPageFormTest, EveryPageFormGivesTheSameFreeNames) {
    SimOptions options = freeDotCom();
    options.encoding = GetParam().encoding;
    options.gzip = GetParam().gzip;
    options.upperCaseMarkup = GetParam().upper;
    options.padTo = 100000;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Exchange result = check(sim, {"a.com", "b.net", text::utf8ToGbk("中文.com")});
    EXPECT_EQ(result.outcome, BatchOutcome::Accepted);
    EXPECT_EQ(result.available, (FreeNames{"a.com", text::utf8ToGbk("中文.com")}));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BulkCheckPageFormTest,
    testing::Values(PageFormCase{"utf8 header", PageEncoding::Utf8Header, false, false},
                    PageFormCase{"utf8 meta", PageEncoding::Utf8Meta, false, false},
                    PageFormCase{"gbk", PageEncoding::Gbk, false, false},
                    PageFormCase{"utf16", PageEncoding::Utf16Bom, false, false},
                    PageFormCase{"gzip", PageEncoding::Utf8Header, true, false},
                    PageFormCase{"upper-case markup", PageEncoding::Gbk, false, true}),
    test::ByLabel());

TEST_F(BulkCheckTest, RefusalMarkerAnywhereOnThePageIsARefusal) {
    SimOptions options = freeDotCom();
    options.refuseAfter = 1;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(check(sim, {"a.com"}).outcome, BatchOutcome::Accepted);
    const Exchange refused = check(sim, {"a.com"});
    EXPECT_EQ(refused.outcome, BatchOutcome::Refused);
    EXPECT_TRUE(refused.available.empty());

    // The marker beside "domain[]" inputs: the page lists a free name that holds it.
    SimOptions everyName;
    everyName.freePattern = ".*";
    RegistrarSim listing(everyName);
    ASSERT_TRUE(listing.started());
    const Exchange marked = check(listing, {"a.com", RefusalMarker()});
    EXPECT_EQ(marked.outcome, BatchOutcome::Refused);
}

TEST_F(BulkCheckTest, PageWithoutFreeNamesIsAcceptedAndGoesToTheClipboard) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    const Exchange result = check(sim, {"a.net"});
    EXPECT_EQ(result.outcome, BatchOutcome::Accepted);
    EXPECT_TRUE(result.available.empty());
    ASSERT_TRUE(desktop.clipboard.has_value());
    EXPECT_NE(desktop.clipboard->find("a.net"), std::string::npos);
}

struct FaultCase : test::TableCase {
    Fault fault;
};

class BulkCheckFaultTest : public BulkCheckTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(BulkCheckFaultTest, FailedTransferIsNeverAnAnswer) {
    SimOptions options = freeDotCom();
    options.fault = GetParam().fault;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Exchange result = check(sim, {"a.com"});
    EXPECT_EQ(result.outcome, BatchOutcome::Failed);
    EXPECT_TRUE(result.available.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, BulkCheckFaultTest,
                         testing::Values(FaultCase{"HTTP 500", Fault::Status500},
                                         FaultCase{"empty 200", Fault::Empty200},
                                         FaultCase{"reset mid-body", Fault::Reset}),
                         test::ByLabel());

struct GzipPageCase : test::TableCase {
    std::string body;
    BatchOutcome outcome;
    FreeNames available;
};

class BulkCheckGzipTest : public BulkCheckTest, public testing::WithParamInterface<GzipPageCase> {};

// A gzip page that cannot be inflated to its end is as unreliable as a transfer cut mid-body.
TEST_P(BulkCheckGzipTest, OnlyAWhollyInflatedPageIsAnAnswer) {
    SimOptions options;
    options.answerPage = GetParam().body;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Exchange result = check(sim, {"a.com", "b.com"});
    EXPECT_EQ(result.outcome, GetParam().outcome);
    EXPECT_EQ(result.available, GetParam().available);
}

const std::string kFirstHalf = "<html><body><input name=\"domain[]\" value=\"a.com\">";
const std::string kSecondHalf = "<input name=\"domain[]\" value=\"b.com\"></body></html>";
const std::string kWholePage = sim::gzipDeflate(kFirstHalf + std::string(20000, ' ') + kSecondHalf);

INSTANTIATE_TEST_SUITE_P(
    Bodies, BulkCheckGzipTest,
    testing::Values(
        GzipPageCase{"whole", kWholePage, BatchOutcome::Accepted, {"a.com", "b.com"}},
        GzipPageCase{"two members",
                     sim::gzipDeflate(kFirstHalf) + sim::gzipDeflate(kSecondHalf),
                     BatchOutcome::Accepted,
                     {"a.com", "b.com"}},
        GzipPageCase{
            "cut short", kWholePage.substr(0, kWholePage.size() - 12), BatchOutcome::Failed, {}},
        GzipPageCase{"past the inflation cap",
                     sim::gzipDeflate(kFirstHalf + std::string(http::kMaxInflatedBytes, ' ')),
                     BatchOutcome::Failed,
                     {}},
        GzipPageCase{"gzip signature only", "\x1F\x8B" + kFirstHalf, BatchOutcome::Failed, {}}),
    test::ByLabel());

TEST_F(BulkCheckTest, NoServerIsAFailure) {
    RegistrarExchange exchange("http://127.0.0.1:1/domain/bulkregister_submit.php");
    FreeNames available{"stale"};
    EXPECT_EQ(exchange.CheckBatch({"a.com"}, available), BatchOutcome::Failed);
    EXPECT_TRUE(available.empty());
}

TEST_F(BulkCheckTest, HttpsNeedsATrustedCertificate) {
    RegistrarSim sim(freeDotCom(), true);
    ASSERT_TRUE(sim.started());
    http::setExtraCaFile("");
    EXPECT_EQ(check(sim, {"a.com"}).outcome, BatchOutcome::Failed);
    http::setExtraCaFile(test::throwAwayTls().caFile.string());
    const Exchange trusted = check(sim, {"a.com"});
    http::setExtraCaFile("");
    EXPECT_EQ(trusted.outcome, BatchOutcome::Accepted);
    EXPECT_EQ(trusted.available, FreeNames{"a.com"});
}

}  // namespace
}  // namespace yc::query
