#include "hooklib/upgrade/update_server.h"

#include "common/maker_site.h"
#include "common/web_address.h"

namespace corvane {

std::string UpdateServerUrl() {
  return ConfiguredSite(kUpdateServerVariable, kDefaultUpdateServer) + kVersionRequestPath;
}

std::string DownloadAddressFromReply(std::string_view offered) {
  return DownloadAddressToOpen(offered,
                               {ConfiguredSite(kWebSiteVariable, kDefaultWebSite),
                                ConfiguredSite(kUpdateServerVariable, kDefaultUpdateServer)},
                               WebSiteHomeUrl());
}

}  // namespace corvane
