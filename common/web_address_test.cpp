#include "common/web_address.h"

#include <gtest/gtest.h>

#include "common/testing/test_environment.h"

namespace corvane {
namespace {

TEST(IsWebAddressTest, HttpAndHttpsInAnyCaseAreOpened) {
  for (const char* address : {"http://127.0.0.1/get.exe", "https://www.halvard.example/",
                              "HTTP://HOST/", "HtTpS://host/x?y=1", "http://"}) {
    EXPECT_TRUE(IsWebAddress(address)) << address;
  }
}

TEST(IsWebAddressTest, EverythingElseIsRefused) {
  for (const char* address :
       {"", "http", "http:", "http:/host", "https:host", "httpx://host/", " http://host/",
        "ftp://host/get.exe", "file:///C:/windows/notepad.exe", "mailto:someone@example.com",
        "C:\\windows\\notepad.exe", "notepad.exe", "\\\\server\\share\\setup.exe",
        "javascript:alert(1)"}) {
    EXPECT_FALSE(IsWebAddress(address)) << address;
  }
}

TEST(IsWebAddressTest, TextAfterAnEmbeddedNulIsNotLookedAt) {
  EXPECT_FALSE(IsWebAddress(std::string("ht\0tp://host/", 13)));
}

TEST(WebAddressHostTest, TakesTheHostInLowerCaseWithoutPort) {
  const struct {
    const char* address;
    const char* host;
  } cases[] = {
      {"http://WWW.Halvard.example/get.exe", "www.halvard.example"},
      {"https://www.halvard.example:8443/get.exe", "www.halvard.example"},
      {"HTTPS://127.0.0.1:8765", "127.0.0.1"},
      {"http://127.0.0.1?x=1", "127.0.0.1"},
      {"http://127.0.0.1#top", "127.0.0.1"},
      {"http://[::1]:8080/get.exe", "[::1]"},
  };
  for (const auto& c : cases) EXPECT_EQ(WebAddressHost(c.address), c.host) << c.address;
}

TEST(WebAddressHostTest, NoHostForWhatCouldHideTheRealOne) {
  for (const char* address :
       {"ftp://www.halvard.example/", "www.halvard.example/get.exe", "http://", "http:///get.exe",
        "http://www.halvard.example@elsewhere.example/",
        "http://www.halvard.example:80@elsewhere.example/",
        "http://elsewhere.example\\@www.halvard.example/", "http://elsewhere.example\\x",
        "http://www.halvard.example:evil/", "http://[::1/"}) {
    EXPECT_EQ(WebAddressHost(address), "") << address;
  }
}

TEST(HasOnlyPlainUrlCharactersTest, RefusesSpacesQuotesControlsAndBackslashes) {
  EXPECT_TRUE(HasOnlyPlainUrlCharacters("http://h/get.exe?a=1&b=%20#x~"));
  for (const char* address : {"http://h/a b", "http://h/\"a\"", "http://h/'a'", "http://h/\tx",
                              "http://h/\r\nx", "http://h/\x7f", "http://h\\x", "http://h/\xe9"}) {
    EXPECT_FALSE(HasOnlyPlainUrlCharacters(address)) << address;
  }
}

TEST(DownloadAddressToOpenTest, OpensOnlyTheMakersHostsAndElseTheHomePage) {
  const std::vector<std::string> sites = {"http://www.halvard.example",
                                          "https://Updates.Halvard.example:8443"};
  const std::string home = "http://www.halvard.example/";
  for (const char* address :
       {"http://www.halvard.example/get.exe", "HTTPS://WWW.HALVARD.EXAMPLE:444/get.exe",
        "http://updates.halvard.example/corvane-2.3.exe",
        "https://updates.halvard.example:8443/x?y=1"}) {
    EXPECT_EQ(DownloadAddressToOpen(address, sites, home), address) << address;
  }
  for (const char* address :
       {"", "http://elsewhere.example/get.exe", "http://halvard.example/get.exe",
        "http://www.halvard.example.elsewhere.example/", "http://www.halvard.example./get.exe",
        "http://www.halvard.example@elsewhere.example/", "http://www.halvard.example/a b.exe",
        "http://www.halvard.example/\"x", "http://www.halvard.example/x\r\n",
        "file:///C:/windows/notepad.exe", "ftp://www.halvard.example/get.exe"}) {
    EXPECT_EQ(DownloadAddressToOpen(address, sites, home), home) << address;
  }
}

TEST(DownloadAddressToOpenTest, NoMakerSiteOpensNothingButTheHomePage) {
  EXPECT_EQ(DownloadAddressToOpen("http://h/get.exe", {"", "not a site"}, "http://home/"),
            "http://home/");
}

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
