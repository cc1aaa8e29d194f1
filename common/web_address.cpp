#include "common/web_address.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "common/code_page_characters.h"

namespace corvane {
namespace {

constexpr std::string_view kSchemes[] = {"http://", "https://"};

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char p, char t) { return p == AsciiLower(t); });
}

// What follows the scheme's "://"; nothing when it is no http or https address.
bool AfterScheme(std::string_view address, std::string_view& rest) {
  for (std::string_view scheme : kSchemes) {
    if (StartsWithIgnoringCase(address, scheme)) {
      rest = address.substr(scheme.size());
      return true;
    }
  }
  return false;
}

bool IsDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The host part of "host[:port]" or "[v6]:port"; empty when malformed.
std::string_view HostOfAuthority(std::string_view authority) {
  std::size_t hostEnd;
  if (!authority.empty() && authority.front() == '[') {
    hostEnd = authority.find(']');
    if (hostEnd == std::string_view::npos) return {};
    ++hostEnd;
  } else {
    hostEnd = std::min(authority.find(':'), authority.size());
  }
  const std::string_view port = authority.substr(hostEnd);
  if (!port.empty() && (port.front() != ':' || !IsDigits(port.substr(1)))) return {};
  return authority.substr(0, hostEnd);
}

}  // namespace

bool IsWebAddress(const std::string& address) {
  std::string_view rest;
  return AfterScheme(std::string_view(address.c_str()), rest);
}

std::string WebAddressHost(std::string_view address) {
  std::string_view rest;
  if (!AfterScheme(address, rest)) return {};
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
  if (authority.find_first_of("@\\") != std::string_view::npos) return {};
  std::string host(HostOfAuthority(authority));
  std::transform(host.begin(), host.end(), host.begin(), AsciiLower);
  return host;
}

bool HasOnlyPlainUrlCharacters(std::string_view address) {
  return std::all_of(address.begin(), address.end(), [](char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7F && c != '"' && c != '\'' && c != '\\';
  });
}

std::string DownloadAddressToOpen(std::string_view offered,
                                  const std::vector<std::string>& makerSites,
                                  const std::string& homePage) {
  const std::string host = WebAddressHost(offered);
  const bool onMakerHost = !host.empty() && std::any_of(makerSites.begin(), makerSites.end(),
                                                        [&host](const std::string& site) {
                                                          return WebAddressHost(site) == host;
                                                        });
  if (onMakerHost && HasOnlyPlainUrlCharacters(offered)) return std::string(offered);
  return homePage;
}

std::string ConfiguredSite(const char* variable, const char* fallback) {
  const char* configured = std::getenv(variable);
  std::string site = (configured != nullptr && configured[0] != '\0') ? configured : fallback;
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site;
}

std::string WebSiteHomeUrl() { return ConfiguredSite(kWebSiteVariable, kDefaultWebSite) + "/"; }

std::string HelpPageUrl() {
  return ConfiguredSite(kWebSiteVariable, kDefaultWebSite) + kHelpPagePath;
}

}  // namespace corvane
