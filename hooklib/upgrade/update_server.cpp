#include "update_server.h"

#include "maker_site.h"

namespace corvane {

std::string UpdateServerUrl() {
  return ConfiguredSite(kUpdateServerVariable, kDefaultUpdateServer) + kVersionRequestPath;
}

}  // namespace corvane
