// Where the version check asks: the maker's update server, or the server
// named by the environment (tests point it at a local one).
#pragma once

#include <string>
#include <string_view>

namespace corvane {

inline constexpr char kDefaultUpdateServer[] = "http://www.halvard.example";
// Scheme and host (and port) without a trailing slash, e.g. "http://127.0.0.1:8765".
inline constexpr char kUpdateServerVariable[] = "CORVANE_UPDATE_SERVER";
inline constexpr char kVersionRequestPath[] = "/version3.php?product=corvane";

// The full address of the version request.
std::string UpdateServerUrl();

// What "Download Now!" opens for the address a reply offers: the address
// when it lies on the host of the maker's web site or of the update server,
// else the web site's home page (see DownloadAddressToOpen).
std::string DownloadAddressFromReply(std::string_view offered);

}  // namespace corvane
