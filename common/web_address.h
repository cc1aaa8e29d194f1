// The maker's web addresses, and which addresses the programs hand to the
// shell as web pages: a download address from the network or a site address
// from the configuration must never make the shell start a program or open
// a local file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// True for an http or https URL (scheme in any letter case).
bool IsWebAddress(const std::string& address);

// The host of an http or https address in lower case, without its port:
// "http://WWW.Halvard.example:8080/get.exe" gives "www.halvard.example".
// Empty when the address is no web address, names no host, or carries user
// information ("http://www.halvard.example@elsewhere/": the host there is
// "elsewhere", which a reader of the address is meant to miss).
std::string WebAddressHost(std::string_view address);

// True when every character is printable ASCII other than a space, a quote
// or a backslash: nothing that a browser reads differently from how it
// looks (it takes '\' for '/' and drops tabs and line breaks), nor that
// splits a command line.
bool HasOnlyPlainUrlCharacters(std::string_view address);

// The download address a version reply offers, when it is a web address of
// plain characters on the host of one of `makerSites`; otherwise
// `homePage`.  Whoever answers the version request writes the reply, so it
// must not be able to send the user anywhere else.
std::string DownloadAddressToOpen(std::string_view offered,
                                  const std::vector<std::string>& makerSites,
                                  const std::string& homePage);

// Each of the maker's sites has a named default and can be pointed
// elsewhere through an environment variable (tests use local servers, so no
// test ever reaches the real site).
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
