#include "common/version_info.h"

namespace corvane {

std::string FormatVersionText(unsigned major, unsigned minor, unsigned release, unsigned build) {
  std::string text = std::to_string(major) + "." + std::to_string(minor);
  if (release != 0) text += "." + std::to_string(release);
  if (build != 0) text += " (build " + std::to_string(build) + ")";
  return text;
}

}  // namespace corvane
