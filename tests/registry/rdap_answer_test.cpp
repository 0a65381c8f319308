// What RDAP answers mean, beyond those the simulator gives over loopback.
#include "registry/rdap_answer.h"

#include <gtest/gtest.h>

#include <ctime>

#include "support/table_test.h"

namespace yc::registry {
namespace {

struct RdapCase {
    const char* label;
    long status;
    const char* body;
    const char* retryAfter;
    Verdict verdict;
    int retryAfterSeconds;
};

class RdapAnswerMeaning : public testing::TestWithParam<RdapCase> {};

TEST_P(RdapAnswerMeaning, Classifies) {
    const RdapCase& c = GetParam();
    const LookupOutcome outcome = rdapOutcome({c.status, c.body, c.retryAfter, "refused"});
    EXPECT_EQ(outcome.verdict, c.verdict);
    EXPECT_EQ(outcome.retryAfterSeconds, c.retryAfterSeconds);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RdapAnswerMeaning,
    testing::Values(
        RdapCase{"not found", 404, "", "", Verdict::Free, 0},
        RdapCase{"domain object", 200, R"({"objectClassName":"domain"})", "", Verdict::Taken, 0},
        RdapCase{"other object", 200, R"({"objectClassName":"entity"})", "", Verdict::Failed, 0},
        RdapCase{"not an object", 200, R"(["domain"])", "", Verdict::Failed, 0},
        RdapCase{"too many requests", 429, "", "30", Verdict::Limited, 30},
        RdapCase{"too many requests, no wait", 429, "", "", Verdict::Limited, 0},
        RdapCase{"busy with a wait", 503, "", "5", Verdict::Limited, 5},
        RdapCase{"busy without a wait", 503, "", "", Verdict::Failed, 0},
        RdapCase{"forbidden", 403, "", "", Verdict::Failed, 0},
        RdapCase{"no answer", 0, "", "", Verdict::Failed, 0}),
    test::ByLabel{});

TEST(RetryAfter, ReadsSecondsAndDates) {
    EXPECT_EQ(retryAfterSeconds("120"), 120);
    EXPECT_EQ(retryAfterSeconds("soon"), 0);
    EXPECT_EQ(retryAfterSeconds("Thu, 01 Jan 1970 00:00:00 GMT"), 0);  // already past
    const std::time_t later = std::time(nullptr) + 100;
    char date[64];
    std::strftime(date, sizeof date, "%a, %d %b %Y %H:%M:%S GMT", std::gmtime(&later));
    EXPECT_NEAR(retryAfterSeconds(date), 100, 2);
}

}  // namespace
}  // namespace yc::registry
