// The host taken from a configured endpoint.
#include <gtest/gtest.h>

#include "query/registrar_endpoint.h"

namespace yc::query {
namespace {

TEST(RegistrarHostOf, KeepsHostAndPortOnly) {
    EXPECT_EQ(registrarHostOf("https://reg.example:8443/domain/bulkregister_submit.php"),
              "reg.example:8443");
    EXPECT_EQ(registrarHostOf("reg.example/x"), "reg.example");
    EXPECT_EQ(registrarHostOf("http://reg.example"), "reg.example");
    EXPECT_EQ(registrarHostOf(""), "");
}

}  // namespace
}  // namespace yc::query
