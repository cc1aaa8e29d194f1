// Capacities of the fixed text buffers, NUL included, and copies into them
// that never overrun and always end with a NUL.
#pragma once

#include <cstddef>

namespace corvane {

// Screen, buddy and room names; they are also the user and buddy folder names.
inline constexpr std::size_t kNameCapacity = 42;
inline constexpr std::size_t kSessionKeyCapacity = 18;
inline constexpr std::size_t kPathCapacity = 260;
inline constexpr std::size_t kClassNameCapacity = 256;

// Copies at most capacity - 1 characters of src and a NUL; returns dst.
inline char* CopyBounded(char* dst, size_t capacity, const char* src) {
  if (capacity == 0) return dst;
  size_t n = 0;
  if (src != nullptr) {
    while (n + 1 < capacity && src[n] != '\0') {
      dst[n] = src[n];
      ++n;
    }
  }
  dst[n] = '\0';
  return dst;
}

}  // namespace corvane
