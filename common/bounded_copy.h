// Copies into fixed-capacity char buffers that never overrun and always end
// with a NUL.
#pragma once

#include <cstddef>

namespace corvane {

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
