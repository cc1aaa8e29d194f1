#include "update_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace corvane {
namespace {

void SetServerVariable(const char* value) {
#ifdef _WIN32
  _putenv_s(kUpdateServerVariable, value);
#else
  if (value[0] == '\0') {
    unsetenv(kUpdateServerVariable);
  } else {
    setenv(kUpdateServerVariable, value, 1);
  }
#endif
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
