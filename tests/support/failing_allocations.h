// Test support: allocations that fail as they do in a host whose address
// space has run out.  Linking this replaces the program's operator new.
#pragma once

#include <cstddef>

namespace corvane {

// While it lives, every allocation of at least `bytes` throws std::bad_alloc.
class LargeAllocationsFail {
 public:
  explicit LargeAllocationsFail(std::size_t bytes);
  ~LargeAllocationsFail();
  LargeAllocationsFail(const LargeAllocationsFail&) = delete;
  LargeAllocationsFail& operator=(const LargeAllocationsFail&) = delete;
};

}  // namespace corvane
