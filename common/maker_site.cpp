#include "common/maker_site.h"

#include <cstdlib>

namespace corvane {

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
