#include "launcher/library_version.h"

#include "common/product_version.h"
#include "common/version_info.h"
#include "common/version_text.h"
#include "launcher/launcher_texts.h"

namespace corvane {

std::string OwnVersionText() {
  return FormatVersionText(CORVANE_VERSION_MAJOR, CORVANE_VERSION_MINOR, CORVANE_VERSION_RELEASE,
                           CORVANE_VERSION_BUILD);
}

bool LibraryVersionMatches(const std::string& path, std::string* error) {
  char found[kVersionTextCapacity] = "";
  GetVersionText(found, path.c_str());
  const std::string own = OwnVersionText();
  if (own == found) return true;
  *error = LibraryVersionDiffersText(path, found, own);
  return false;
}

}  // namespace corvane
