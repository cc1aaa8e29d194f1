#include "common/web_address.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane
