#include "update_server.h"

#include <cstdlib>

namespace corvane {

std::string UpdateServerUrl() {
  const char* configured = std::getenv(kUpdateServerVariable);
  std::string server = (configured != nullptr && configured[0] != '\0') ? configured
                                                                         : kDefaultUpdateServer;
  while (!server.empty() && server.back() == '/') server.pop_back();
  return server + kVersionRequestPath;
}

}  // namespace corvane
