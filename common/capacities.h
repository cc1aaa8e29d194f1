// Capacities of the fixed text buffers, NUL included.
#pragma once

#include <cstddef>

namespace corvane {

// Screen, buddy and room names; they are also the user and buddy folder names.
inline constexpr std::size_t kNameCapacity = 42;
inline constexpr std::size_t kSessionKeyCapacity = 18;
inline constexpr std::size_t kPathCapacity = 260;
inline constexpr std::size_t kClassNameCapacity = 256;

}  // namespace corvane
