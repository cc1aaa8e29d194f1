// The memory a piece of code takes at its peak, for tests that hold it to a
// bound.  Linking this in replaces the program's operator new and delete
// with ones that count the bytes they hold.
#pragma once

#include <cstddef>

namespace corvane {

class PeakAllocation {
 public:
  // Measures from what is held now.
  PeakAllocation();
  // The most held beyond that since, in bytes asked for.
  std::size_t Bytes() const;

 private:
  std::size_t start_;
};

}  // namespace corvane
