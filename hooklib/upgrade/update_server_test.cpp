#include "hooklib/upgrade/update_server.h"

#include <gtest/gtest.h>

#include <string>

#include "common/test_environment.h"

namespace corvane {
namespace {

void SetServerVariable(const char* value) {
  SetTestEnvironmentVariable(kUpdateServerVariable, value);
}

class UpdateServerUrlTest : public testing::Test {
 protected:
  void TearDown() override { SetServerVariable(""); }
};

TEST_F(UpdateServerUrlTest, DefaultsToTheMakersServer) {
  SetServerVariable("");
  EXPECT_EQ(UpdateServerUrl(), "http://www.halvard.example/version3.php?product=corvane");
}

TEST_F(UpdateServerUrlTest, EnvironmentNamesAnotherServer) {
  SetServerVariable("http://127.0.0.1:8765");
  EXPECT_EQ(UpdateServerUrl(), "http://127.0.0.1:8765/version3.php?product=corvane");
}

TEST_F(UpdateServerUrlTest, TrailingSlashOfTheServerIsDropped) {
  SetServerVariable("http://127.0.0.1:8765/");
  EXPECT_EQ(UpdateServerUrl(), "http://127.0.0.1:8765/version3.php?product=corvane");
}

}  // namespace
}  // namespace corvane
