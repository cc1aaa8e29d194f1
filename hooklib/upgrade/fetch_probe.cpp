// Asks the configured update server once, as the version check does, and
// prints what came back: the length, then each field of the reply on its
// own line as "fieldN=<text>" with CR and LF written as \r and \n, and
// whether the system's internet cache now holds the reply ("cached=0|1").
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hooklib/upgrade/version_reply.h"

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

bool InUrlCache(const std::string& url) {
  DWORD size = 0;
  if (GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size)) return true;
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace

int main() {
  using namespace corvane;
  std::vector<char> buffer(kVersionReplyCapacity, '\0');
  std::size_t length = buffer.size();
  const std::string url = UpdateServerUrl();
  FetchUrlText(url.c_str(), buffer.data(), length);
  const std::string reply(buffer.data());

  std::printf("url=%s\n", url.c_str());
  std::printf("length=%u\n", static_cast<unsigned>(length));
  std::printf("cached=%d\n", InUrlCache(url) ? 1 : 0);
  std::printf("marker=%d\n", HasVersionInfoMarker(reply) ? 1 : 0);
  const std::size_t capacities[] = {kServerVersionCapacity,   kVersionReplyCapacity,
                                    kVersionReplyCapacity,    kVersionReplyCapacity,
                                    kDownloadAddressCapacity, kVersionReplyCapacity};
  for (int field = kFieldVersion; field <= kFieldChanges; ++field) {
    std::printf("field%d=%s\n", field,
                Escaped(GetVersionInfoField(reply, field, capacities[field])).c_str());
  }
  return 0;
}
