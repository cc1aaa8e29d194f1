// The maker's web addresses.  Each site has a named default and can be
// pointed elsewhere through an environment variable (tests use local
// servers, so no test ever reaches the real site).
#pragma once

#include <string>

namespace corvane {

inline constexpr char kDefaultWebSite[] = "http://www.halvard.example";
inline constexpr char kWebSiteVariable[] = "CORVANE_WEB_SITE";
inline constexpr char kHelpPagePath[] = "/help.php?product=corvane";

// Scheme and host (and port) from `variable` when it is set and not empty,
// else `fallback`; without a trailing slash.
std::string ConfiguredSite(const char* variable, const char* fallback);

// The home page ("Web") and the help page ("Help") of the maker's site.
std::string WebSiteHomeUrl();
std::string HelpPageUrl();

}  // namespace corvane
