#include "tests/support/failing_allocations.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_failingFrom{SIZE_MAX};

}  // namespace

void* operator new(std::size_t size) {
  if (size >= g_failingFrom.load()) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace corvane {

LargeAllocationsFail::LargeAllocationsFail(std::size_t bytes) { g_failingFrom = bytes; }
LargeAllocationsFail::~LargeAllocationsFail() { g_failingFrom = SIZE_MAX; }

}  // namespace corvane
