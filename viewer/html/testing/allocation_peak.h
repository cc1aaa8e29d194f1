// Test support: the most memory a piece of code held at once.  Linking this
// replaces the program's operator new and delete with ones that count.
#pragma once

#include <cstddef>

namespace corvane {

// Counts from its making: Bytes() is the most the program held allocated
// through operator new at any moment since, above what it held then.  One
// at a time; allocations of other threads count too.
class AllocationPeak {
 public:
  AllocationPeak();
  std::size_t Bytes() const;

 private:
  std::size_t start_;
};

}  // namespace corvane
