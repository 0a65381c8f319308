// What WHOIS answers mean, and reading them in GBK, UTF-8 and Latin-1.
#include "registry/whois_answer.h"

#include <gtest/gtest.h>

#include "support/gbk_literals.h"
#include "support/table_test.h"

namespace yc::registry {
namespace {

struct AnswerCase {
    const char* label;
    const char* answer;
    const char* domain;
    const char* notFoundText;
    Verdict verdict;
};

class WhoisAnswer : public testing::TestWithParam<AnswerCase> {};

TEST_P(WhoisAnswer, Classifies) {
    const AnswerCase& c = GetParam();
    EXPECT_EQ(whoisOutcome(c.answer, c.domain, c.notFoundText).verdict, c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WhoisAnswer,
    testing::Values(
        AnswerCase{"table text wins over an echoed domain", "Domain: x.de\nStatus: free\n", "x.de",
                   "Status: free", Verdict::Free},
        AnswerCase{"table text absent, domain named", "Domain: x.de\nStatus: connect\n", "x.de",
                   "Status: free", Verdict::Taken},
        AnswerCase{"table text absent, other domain", "Domain: y.de\nStatus: connect\n", "x.de",
                   "Status: free", Verdict::Failed},
        AnswerCase{"table text replaces the common ones", "No match for x.cn\n", "x.cn",
                   "No matching record", Verdict::Failed},
        AnswerCase{"domain line beats a common text", "Domain Name: X.COM\r\nNo match for y\r\n",
                   "x.com", "", Verdict::Taken},
        AnswerCase{"common text", "No match for \"X.IO\".\r\n", "x.io", "", Verdict::Free},
        AnswerCase{"common text in other case", "no entries found\n", "x.io", "", Verdict::Free},
        AnswerCase{"common text in a sentence", "The queried object does not exist: x\n", "x.io",
                   "", Verdict::Free},
        AnswerCase{"bracketed label", "a. [Domain Name]   X.JP\n", "x.jp", "", Verdict::Taken},
        AnswerCase{"value on the next line", "    Domain name:\r\n        x.uk\r\n", "x.uk", "",
                   Verdict::Taken},
        AnswerCase{"underscored label, root dot", "domain_name: x.com.\n", "x.com", "",
                   Verdict::Taken},
        AnswerCase{"unicode echo", "Domain Name: 中文.cn\n", "xn--fiq228c.cn", "", Verdict::Taken},
        AnswerCase{"registrar line is no domain line", "Registrar Domain: x.com\n", "x.com", "",
                   Verdict::Failed},
        AnswerCase{"rate limit text", "Queried interval is too short.\r\n", "x.io", "",
                   Verdict::Failed},
        AnswerCase{"empty", "", "x.io", "", Verdict::Failed}),
    test::ByLabel{});

TEST(WhoisAnswerText, ReadsGbkUtf8AndLatin1) {
    EXPECT_EQ(whoisAnswerText(test::gbk("注册商: 翎杉")), "注册商: 翎杉");
    EXPECT_EQ(whoisAnswerText("Registrant: 翎杉"), "Registrant: 翎杉");
    EXPECT_EQ(whoisAnswerText("Soci\xE9t\xE9 Exemple"), "Société Exemple");
}

}  // namespace
}  // namespace yc::registry
