#include "common/maker_site.h"

#include <gtest/gtest.h>

#include "common/testing/test_environment.h"

namespace corvane {
namespace {

class MakerSiteTest : public testing::Test {
 protected:
  void TearDown() override { SetTestEnvironmentVariable(kWebSiteVariable, ""); }
};

TEST_F(MakerSiteTest, DefaultsToTheMakersSite) {
  SetTestEnvironmentVariable(kWebSiteVariable, "");
  EXPECT_EQ(WebSiteHomeUrl(), "http://www.halvard.example/");
  EXPECT_EQ(HelpPageUrl(), "http://www.halvard.example/help.php?product=corvane");
}

TEST_F(MakerSiteTest, EnvironmentNamesAnotherSiteWithOrWithoutTrailingSlashes) {
  SetTestEnvironmentVariable(kWebSiteVariable, "http://127.0.0.1:8766//");
  EXPECT_EQ(WebSiteHomeUrl(), "http://127.0.0.1:8766/");
  EXPECT_EQ(HelpPageUrl(), "http://127.0.0.1:8766/help.php?product=corvane");
}

TEST_F(MakerSiteTest, EmptyVariableKeepsTheDefault) {
  SetTestEnvironmentVariable(kWebSiteVariable, "");
  EXPECT_EQ(ConfiguredSite(kWebSiteVariable, "http://fallback"), "http://fallback");
}

}  // namespace
}  // namespace corvane
