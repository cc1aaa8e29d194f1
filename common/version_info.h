// Version texts: the display text of a product version, e.g.
// "2.2.1 (build 65)", from its numbers (platform-free, here), and the
// version-resource texts of an executable, the running process's by
// default (version_info.cpp).
#pragma once

#include <string>

namespace corvane {

// Writes the product version text ("2.2.1 (build 65)") into out, which holds
// at least kVersionTextCapacity characters.  On any failure out is unchanged.
void GetVersionText(char* out, const char* path = nullptr);

// Writes the string `name` of the 040904b0 block into out (at least 255
// characters; the copy is cut to 254).  On any failure out is unchanged.
void GetVersionString(const char* name, char* out, const char* path = nullptr);

// Buffer capacity the callers of GetVersionText provide, NUL included.
inline constexpr int kVersionTextCapacity = 33;

// major.minor, ".release" unless 0, " (build N)" unless the build is 0.
inline std::string FormatVersionText(unsigned major, unsigned minor, unsigned release,
                                     unsigned build) {
  std::string text = std::to_string(major) + "." + std::to_string(minor);
  if (release != 0) text += "." + std::to_string(release);
  if (build != 0) text += " (build " + std::to_string(build) + ")";
  return text;
}

}  // namespace corvane
