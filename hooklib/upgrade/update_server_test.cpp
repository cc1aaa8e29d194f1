#include "hooklib/upgrade/update_server.h"

#include <gtest/gtest.h>

#include <string>

#include "common/maker_site.h"
#include "common/testing/test_environment.h"

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

TEST_F(UpdateServerUrlTest, AnHttpsServerIsAskedOverHttps) {
  SetServerVariable("https://updates.halvard.example:8443/");
  EXPECT_EQ(UpdateServerUrl(), "https://updates.halvard.example:8443/version3.php?product=corvane");
  EXPECT_EQ(DownloadAddressFromReply("https://updates.halvard.example/get.exe"),
            "https://updates.halvard.example/get.exe");
}

TEST_F(UpdateServerUrlTest, DownloadOpensTheMakersHostsOnly) {
  SetServerVariable("http://127.0.0.1:8765");
  SetTestEnvironmentVariable(kWebSiteVariable, "");
  EXPECT_EQ(DownloadAddressFromReply("http://127.0.0.1:9999/get.exe"),
            "http://127.0.0.1:9999/get.exe");
  EXPECT_EQ(DownloadAddressFromReply("http://www.halvard.example/get.exe"),
            "http://www.halvard.example/get.exe");
  EXPECT_EQ(DownloadAddressFromReply("http://127.0.0.2/get.exe"), "http://www.halvard.example/");
  EXPECT_EQ(DownloadAddressFromReply(""), "http://www.halvard.example/");
}

}  // namespace
}  // namespace corvane
