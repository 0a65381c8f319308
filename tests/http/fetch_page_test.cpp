// End-to-end fetches against the registrar simulator over loopback sockets.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "host/event_pump.h"
#include "http/ca_file_check.h"
#include "http/fetch_page.h"
#include "http/request_headers.h"
#include "support/registrar_sim.h"
#include "support/table_test.h"
#include "text/charset.h"
#include "text/gbk_search.h"

namespace yc::http {
namespace {

using sim::Fault;
using sim::PageEncoding;
using sim::SimOptions;
using test::freeDotCom;
using test::RawRequest;
using test::RegistrarSim;

// "abc.com", "中文.com" and "xyz.net", CR LF after each, as the exchange encodes them.
const std::string kFormBody =
    "domainToCheck=abc.com%0D%0A%D6%D0%CE%C4.com%0D%0Axyz.net%0D%0A&picCode=&Submit=+++%E6%89%B9"
    "%E9%87%8F%E6%9F%A5%E8%AF%A2&suffix%5B%5D=.com";

std::string hostLine(const RegistrarSim& sim) {
    return "Host: 127.0.0.1:" + std::to_string(sim.port());
}

std::string acceptLine() {
    return "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
           "application/x-shockwave-flash, application/vnd.ms-excel, "
           "application/vnd.ms-powerpoint, application/msword, */*";
}

bool hasInput(const Text& page, const Text& name) {
    return text::contains(page, "name=\"domain[]\" value=\"" + name + "\"",
                          text::CaseMode::IgnoreAscii);
}

TEST(FetchPageTest, PostSendsExactlyTheExchangeHeaderLinesAndBody) {
    RegistrarSim sim(freeDotCom());
    ASSERT_TRUE(sim.started());
    Text url = sim.url();
    FetchOptions options;
    options.postText = kFormBody;
    const Text page = FetchPage(url, options);
    EXPECT_TRUE(hasInput(page, "abc.com"));
    EXPECT_TRUE(hasInput(page, YC_GBK("中文") + ".com"));
    EXPECT_FALSE(hasInput(page, "xyz.net"));

    const std::vector<RawRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].requestLine, "POST /domain/bulkregister_submit.php HTTP/1.1");
    EXPECT_EQ(
        requests[0].headerLines,
        (std::vector<std::string>{hostLine(sim), "User-Agent: " + std::string(kDefaultUserAgent),
                                  "Referer: " + url, acceptLine(), "Accept-Language: zh-cn",
                                  "Content-Type: application/x-www-form-urlencoded",
                                  "Content-Length: " + std::to_string(kFormBody.size())}));
    EXPECT_EQ(requests[0].body, kFormBody);
}

TEST(FetchPageTest, GetSendsNoBodyHeaders) {
    RegistrarSim sim;
    ASSERT_TRUE(sim.started());
    Text url = sim.url("/landing?q=1");
    EXPECT_EQ(FetchPage(url), "<html><body>landing</body></html>");
    const std::vector<RawRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].requestLine, "GET /landing?q=1 HTTP/1.1");
    EXPECT_EQ(
        requests[0].headerLines,
        (std::vector<std::string>{hostLine(sim), "User-Agent: " + std::string(kDefaultUserAgent),
                                  "Referer: " + url, acceptLine(), "Accept-Language: zh-cn"}));
    EXPECT_EQ(requests[0].body, "");
}

TEST(FetchPageTest, FragmentIsCutAndMissingSchemeAdded) {
    RegistrarSim sim;
    ASSERT_TRUE(sim.started());
    const std::string bare = "127.0.0.1:" + std::to_string(sim.port()) + "/landing";
    Text url = bare + "#part";
    EXPECT_FALSE(FetchPage(url).empty());
    EXPECT_EQ(url, "http://" + bare);
    const std::vector<RawRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].requestLine, "GET /landing HTTP/1.1");
    EXPECT_EQ(requests[0].headerLines[2], "Referer: " + bare);
}

TEST(FetchPageTest, BlankUrlGivesEmptyTextWithoutTraffic) {
    Text url = "  ";
    TransferOutcome outcome;
    FetchOptions options;
    options.outcome = &outcome;
    EXPECT_EQ(FetchPage(url, options), "");
    EXPECT_TRUE(outcome.failed());
    EXPECT_EQ(url, "  ");
}

std::vector<std::string> cookieLines(const RawRequest& request) {
    std::vector<std::string> lines;
    for (const std::string& line : request.headerLines) {
        if (line.starts_with("Cookie:")) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Uses the name "localhost" so that the cookies stored here stay away from the 127.0.0.1 tests.
TEST(FetchPageTest, StoredCookiesGoWithTheNextExchangeUnlessCookiesAreGiven) {
    SimOptions options = freeDotCom();
    options.sessionCookie = true;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const std::string address = "http://localhost:" + std::to_string(sim.port()) + sim::kSubmitPath;

    Text url = address;
    Text received;
    FetchOptions first;
    first.postText = kFormBody;
    first.receivedCookies = &received;
    EXPECT_TRUE(hasInput(FetchPage(url, first), "abc.com"));
    ASSERT_TRUE(received.starts_with("YCSESSION="));
    ASSERT_TRUE(received.ends_with(";"));

    FetchOptions second;
    second.postText = kFormBody;
    EXPECT_TRUE(hasInput(FetchPage(url, second), "abc.com"));

    FetchOptions own;
    own.postText = kFormBody;
    own.cookies = "mine=1";
    FetchPage(url, own);

    const std::vector<RawRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_TRUE(cookieLines(requests[0]).empty());
    EXPECT_EQ(cookieLines(requests[1]),
              std::vector<std::string>{"Cookie: " + received.substr(0, received.size() - 1)});
    EXPECT_EQ(cookieLines(requests[2]), std::vector<std::string>{"Cookie: mine=1"});
}

int closedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

TEST(FetchPageTest, RefusedConnectionGivesEmptyText) {
    Text url = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
    TransferOutcome outcome;
    FetchOptions options;
    options.outcome = &outcome;
    EXPECT_EQ(FetchPage(url, options), "");
    EXPECT_FALSE(outcome.connected);
    EXPECT_TRUE(outcome.failed());
}

struct Timed {
    Text page;
    ByteBuffer bytes;
    TransferOutcome outcome;
    double seconds = 0;
};

Timed fetchWithTimeout(const RegistrarSim& sim, float timeoutSeconds) {
    Timed result;
    Text url = sim.url();
    FetchOptions options;
    options.postText = kFormBody;
    options.timeoutSeconds = timeoutSeconds;
    options.responseBytes = &result.bytes;
    options.outcome = &result.outcome;
    const auto start = std::chrono::steady_clock::now();
    result.page = FetchPage(url, options);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// The margin is wide on purpose: it only has to tell a time-out from a hang.
constexpr double kMarginSeconds = 4.0;

TEST(FetchPageTest, StalledAnswerKeepsThePartialBodyAfterTheTimeout) {
    SimOptions options = freeDotCom();
    options.fault = Fault::Stall;
    options.encoding = PageEncoding::Gbk;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Timed result = fetchWithTimeout(sim, 1.0F);
    EXPECT_LT(result.seconds, 1.0 + kMarginSeconds);
    EXPECT_TRUE(result.outcome.timedOut);
    EXPECT_FALSE(result.outcome.complete);
    EXPECT_FALSE(result.bytes.empty());
    EXPECT_EQ(result.page, result.bytes);
    EXPECT_TRUE(text::contains(result.page, "<!DOCTYPE html>"));
}

TEST(FetchPageTest, SilentServerGivesEmptyTextAfterTheTimeout) {
    RegistrarSim sim(test::silentFor30Seconds());
    ASSERT_TRUE(sim.started());
    const Timed result = fetchWithTimeout(sim, 2.0F);
    EXPECT_LT(result.seconds, 2.0 + kMarginSeconds);
    EXPECT_EQ(result.page, "");
    EXPECT_TRUE(result.outcome.timedOut);
    EXPECT_TRUE(result.outcome.failed());
}

TEST(FetchPageTest, AnswerThatKeepsTricklingInEndsAtTheOverallLimit) {
    SimOptions options = freeDotCom();
    options.fault = Fault::Trickle;
    options.delayMs = 50;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    RequestRecord request;
    request.url = sim.url();
    request.method = "POST";
    request.body = kFormBody;
    request.timeoutMs = 300;  // never silent that long, but ten times it is the whole exchange
    const auto start = std::chrono::steady_clock::now();
    const ResultRecord result = RequestWorker(request);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 3.0 + kMarginSeconds);
    EXPECT_TRUE(result.outcome.timedOut);
    EXPECT_FALSE(result.outcome.complete);
    EXPECT_FALSE(result.body.empty());
}

// Dispatches nothing; with `ticking` it wakes up often, as a window does while the user clicks,
// otherwise only when the transfer ends.
class PollingPump final : public host::EventPump {
  public:
    explicit PollingPump(bool ticking) : ticking_(ticking) { host::installEventPump(this); }
    ~PollingPump() override { host::installEventPump(nullptr); }
    PollingPump(const PollingPump&) = delete;
    PollingPump& operator=(const PollingPump&) = delete;

    void pump() override {}
    void waitAndDispatch() override {
        std::unique_lock lock(mutex_);
        woken_.wait_for(lock, std::chrono::milliseconds(ticking_ ? 20 : 60000),
                        [this] { return wake_; });
        wake_ = false;
    }
    void wake() override {
        {
            const std::lock_guard lock(mutex_);
            wake_ = true;
        }
        woken_.notify_one();
    }

  private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool wake_ = false;
    bool ticking_;
};

TEST(FetchPageTest, StopRequestAbortsTheTransferInFlight) {
    RegistrarSim sim(test::silentFor30Seconds());
    ASSERT_TRUE(sim.started());
    PollingPump pump(true);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::steady_clock::now() - start; };
    Text url = sim.url();
    TransferOutcome outcome;
    FetchOptions fetch;
    fetch.postText = kFormBody;
    fetch.timeoutSeconds = 20.0F;
    fetch.outcome = &outcome;
    fetch.stopRequested = [&] { return elapsed() > std::chrono::milliseconds(300); };
    EXPECT_EQ(FetchPage(url, fetch), "");
    EXPECT_LT(elapsed(), std::chrono::milliseconds(300) + std::chrono::seconds(2));
    EXPECT_TRUE(outcome.aborted);
    EXPECT_TRUE(outcome.failed());
}

TEST(FetchPageTest, StopRequestedBeforeTheTransferEndsItWithoutAnotherEvent) {
    RegistrarSim sim(test::silentFor30Seconds());
    ASSERT_TRUE(sim.started());
    PollingPump pump(false);
    const auto start = std::chrono::steady_clock::now();
    Text url = sim.url();
    TransferOutcome outcome;
    FetchOptions fetch;
    fetch.postText = kFormBody;
    fetch.timeoutSeconds = 20.0F;
    fetch.outcome = &outcome;
    fetch.stopRequested = [] { return true; };
    FetchPage(url, fetch);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(outcome.aborted);
}

TEST(FetchPageTest, ResetMidBodyKeepsWhatArrived) {
    SimOptions options = freeDotCom();
    options.fault = Fault::Reset;
    options.padTo = 200000;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Timed result = fetchWithTimeout(sim, 10.0F);
    EXPECT_FALSE(result.outcome.complete);
    EXPECT_FALSE(result.outcome.timedOut);
    EXPECT_LT(result.bytes.size(), 200000U);
}

struct FaultCase : test::TableCase {
    Fault fault;
    std::string redirectTo;
    int status;
    bool failed;
    std::string page;
};

class FetchFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(FetchFaultTest, OutcomeTellsFailedTransfersApart) {
    const FaultCase& c = GetParam();
    SimOptions options = freeDotCom();
    options.fault = c.fault;
    options.redirectTo = c.redirectTo;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Timed result = fetchWithTimeout(sim, 10.0F);
    EXPECT_EQ(result.outcome.httpStatus, c.status);
    EXPECT_EQ(result.outcome.failed(), c.failed);
    EXPECT_EQ(result.page, c.page);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FetchFaultTest,
    testing::Values(FaultCase{"server error", Fault::Status500, "", 500, true, "error"},
                    FaultCase{"empty answer", Fault::Empty200, "", 200, true, ""},
                    FaultCase{"redirect followed", Fault::Redirect, "/landing", 200, false,
                              "<html><body>landing</body></html>"},
                    FaultCase{"redirect loop ends", Fault::Redirect, sim::kSubmitPath, 302, true,
                              ""},
                    FaultCase{"redirect to other scheme not followed", Fault::Redirect,
                              "ftp://127.0.0.1/x", 302, true, ""}),
    test::ByLabel{});

TEST(FetchPageTest, EndlessBodyStopsAtTheCap) {
    SimOptions options;
    options.fault = Fault::Endless;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Timed result = fetchWithTimeout(sim, 10.0F);
    EXPECT_TRUE(result.outcome.capped);
    EXPECT_EQ(result.bytes.size(), kMaxBodyBytes);
}

struct EncodingCase : test::TableCase {
    PageEncoding encoding;
    bool gzip;
    bool upper;
    int encodingAfter;  // the caller's encoding variable after the fetch
};

class FetchEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(FetchEncodingTest, AnswerArrivesAsGbkText) {
    const EncodingCase& c = GetParam();
    SimOptions options = freeDotCom();
    options.encoding = c.encoding;
    options.gzip = c.gzip;
    options.upperCaseMarkup = c.upper;
    RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    Text url = sim.url();
    int encoding = 0;
    FetchOptions fetch;
    fetch.postText = kFormBody;
    fetch.encoding = &encoding;
    const Text page = FetchPage(url, fetch);
    // Big5 cannot hold the page's simplified captions, so only names and markup are compared.
    EXPECT_TRUE(hasInput(page, "abc.com"));
    EXPECT_TRUE(hasInput(page, YC_GBK("中文") + ".com"));
    EXPECT_FALSE(hasInput(page, "xyz.net"));
    EXPECT_TRUE(text::contains(page, "<p>xyz.net ", text::CaseMode::IgnoreAscii));
    if (c.encoding != PageEncoding::Big5) {
        EXPECT_TRUE(text::contains(page, YC_GBK("批量查询结果")));
    }
    EXPECT_EQ(encoding, c.encodingAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, FetchEncodingTest,
    testing::Values(EncodingCase{"utf8 charset header", PageEncoding::Utf8Header, false, false, 2},
                    EncodingCase{"utf8 meta only", PageEncoding::Utf8Meta, false, false, 0},
                    EncodingCase{"gbk", PageEncoding::Gbk, false, false, 0},
                    EncodingCase{"utf16 with mark", PageEncoding::Utf16Bom, false, false, 0},
                    EncodingCase{"big5", PageEncoding::Big5, false, true, 0},
                    EncodingCase{"gzip gbk", PageEncoding::Gbk, true, false, 0},
                    EncodingCase{"gzip utf8 upper", PageEncoding::Utf8Header, true, true, 2}),
    test::ByLabel{});

class TlsFetchTest : public testing::Test {
  protected:
    void TearDown() override { setExtraCaFile(""); }
};

TEST_F(TlsFetchTest, TrustedExtraAuthorityServesHttpsOnItsOwnPort) {
    RegistrarSim sim(freeDotCom(), true);
    ASSERT_TRUE(sim.started());
    setExtraCaFile(test::throwAwayTls().caFile.string());
    Text url = sim.url();
    FetchOptions options;
    options.postText = kFormBody;
    EXPECT_TRUE(hasInput(FetchPage(url, options), "abc.com"));
    ASSERT_EQ(sim.requests().size(), 1U);
}

TEST_F(TlsFetchTest, RedirectsAreFollowedOnlyToHttps) {
    RegistrarSim plain;
    ASSERT_TRUE(plain.started());
    setExtraCaFile(test::throwAwayTls().caFile.string());
    for (const bool toPlain : {false, true}) {
        SimOptions options;
        options.fault = Fault::Redirect;
        options.redirectTo = toPlain ? plain.url("/landing") : "/landing";
        RegistrarSim sim(options, true);
        ASSERT_TRUE(sim.started());
        const Timed result = fetchWithTimeout(sim, 10.0F);
        EXPECT_EQ(result.outcome.failed(), toPlain);
        EXPECT_EQ(result.page, toPlain ? "" : "<html><body>landing</body></html>");
    }
    EXPECT_TRUE(plain.requests().empty());
}

TEST(CaFileProblemTest, NamesWhyAFileCannotBeTrusted) {
    test::TempDir dir;
    const std::string authority = test::throwAwayTls().caFile.string();
    const auto problem = [](const std::filesystem::path& path) {
        return CaFileProblem(path.string());
    };
    EXPECT_EQ(problem(authority), "");
    EXPECT_EQ(problem(dir.write("key-first.pem", test::TempDir::read(test::throwAwayTls().keyFile) +
                                                     test::TempDir::read(authority))),
              "");
    EXPECT_EQ(problem(dir.path() / "missing.pem"), "No such file or directory");
    EXPECT_EQ(problem(dir.path()), "Is a directory");
    EXPECT_EQ(problem(dir.write("empty.pem", "")), "no PEM certificate in it");
    EXPECT_EQ(problem(test::throwAwayTls().keyFile), "no PEM certificate in it");
}

TEST_F(TlsFetchTest, UntrustedCertificateGivesEmptyText) {
    RegistrarSim sim(freeDotCom(), true);
    ASSERT_TRUE(sim.started());
    Text url = sim.url();
    TransferOutcome outcome;
    FetchOptions options;
    options.postText = kFormBody;
    options.outcome = &outcome;
    EXPECT_EQ(FetchPage(url, options), "");
    EXPECT_TRUE(outcome.failed());
    EXPECT_TRUE(sim.requests().empty());
}

}  // namespace
}  // namespace yc::http

namespace yc::http {
namespace {

TEST(FetchPageTest, SubmissionsPastTheLimitGetTheRefusalPage) {
    sim::SimOptions options;
    options.freePattern = ".*";
    options.refuseAfter = 1;
    options.encoding = sim::PageEncoding::Utf8Meta;
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const Text marker = YC_GBK("alert(\"验证码不正确\")");
    for (const bool refused : {false, true}) {
        Text url = sim.url();
        FetchOptions fetch;
        fetch.postText = "domainToCheck=a.com%0D%0A&picCode=";
        const Text page = FetchPage(url, fetch);
        EXPECT_EQ(text::contains(page, marker), refused);
        EXPECT_EQ(text::contains(page, "value=\"a.com\""), !refused);
    }
}

}  // namespace
}  // namespace yc::http

namespace yc::http {
namespace {

// Exchanges reuse transfer handles; nothing of one exchange may leak into the next.
TEST(FetchPageTest, NextExchangeCarriesNothingOfThePreviousOne) {
    test::RegistrarSim sim;
    ASSERT_TRUE(sim.started());
    Text postUrl = sim.url();
    FetchOptions post;
    post.postText = "domainToCheck=a.com%0D%0A";
    post.extraHeaders = "User-Agent: Tester/1";
    FetchPage(postUrl, post);
    Text getUrl = sim.url("/landing");
    EXPECT_EQ(FetchPage(getUrl), "<html><body>landing</body></html>");

    const std::vector<test::RawRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_EQ(requests[0].headerLines[1], "User-Agent: Tester/1");
    EXPECT_EQ(requests[1].requestLine, "GET /landing HTTP/1.1");
    EXPECT_EQ(requests[1].headerLines[1], "User-Agent: " + std::string(kDefaultUserAgent));
    EXPECT_EQ(requests[1].headerLines.size(), 5U);
    EXPECT_EQ(requests[1].body, "");
}

}  // namespace
}  // namespace yc::http
