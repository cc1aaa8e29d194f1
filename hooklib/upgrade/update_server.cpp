#include "hooklib/upgrade/update_server.h"

#include "common/maker_site.h"

namespace corvane {

std::string UpdateServerUrl() {
  return ConfiguredSite(kUpdateServerVariable, kDefaultUpdateServer) + kVersionRequestPath;
}

}  // namespace corvane
