// The display text of a product version, e.g. "2.2.1 (build 65)".
#pragma once

#include <string>

namespace corvane {

// Buffer capacity the callers of GetVersionText provide, NUL included.
inline constexpr int kVersionTextCapacity = 33;

// major.minor, ".release" unless 0, " (build N)" unless the build is 0.
std::string FormatVersionText(unsigned major, unsigned minor, unsigned release, unsigned build);

}  // namespace corvane
