// Our import of GetTickCount64, in a program it is linked into as in the
// shipped ones: kernel32's where the system has it, and the fallback of
// Windows XP forced by a lookup that finds nothing.
#include "common/tick_count_64.h"

#include <pthread.h>
#include <time.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

// What winpthreads calls through; tick_count_64.cpp defines it.
extern "C" const corvane::TickCount64Function kGetTickCount64Import __asm__(
    CORVANE_TICK_COUNT_64_IMPORT);

namespace corvane {
namespace {

TickCount64Function NoTickCount64() { return nullptr; }

ULONGLONG WINAPI FixedTickCount64() { return 0x123456789ull; }
TickCount64Function FixedLookup() { return FixedTickCount64; }

// GetTickCount's readings, scripted.
const DWORD kScript[] = {0xFFFFFFF0u, 0xFFFFFFFFu, 0x5u,        0x5u,
                         0x10u,       0x7FFFFFFFu, 0xFFFFFFFEu, 0x3u};
std::atomic<int> g_scriptAt{0};
DWORD WINAPI ScriptedTickCount() { return kScript[g_scriptAt++]; }

std::atomic<int> g_readings{0};
DWORD WINAPI CountedTickCount() {
  ++g_readings;
  return GetTickCount();
}

class TickCount64Test : public ::testing::Test {
 protected:
  void TearDown() override {
    SetTickCount64LookupForTesting(nullptr);
    SetTickCountSourceForTesting(nullptr);
  }
};

TEST_F(TickCount64Test, TheProgramsImportIsOurs) { EXPECT_EQ(kGetTickCount64Import, &TickCount64); }

TEST_F(TickCount64Test, WhereKernel32HasItItsOwnIsCalled) {
  SetTickCount64LookupForTesting(FixedLookup);
  EXPECT_EQ(kGetTickCount64Import(), 0x123456789ull);

  // This system's (Wine's kernel32 has it): within a moment of it.
  SetTickCount64LookupForTesting(nullptr);
  const auto kernels = reinterpret_cast<TickCount64Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  ASSERT_NE(kernels, nullptr);
  const ULONGLONG before = kernels();
  const ULONGLONG ours = kGetTickCount64Import();
  EXPECT_GE(ours, before);
  EXPECT_LE(ours, kernels());
}

TEST_F(TickCount64Test, WithoutGetTickCount64TheCountGoesOnOverGetTickCountsWrap) {
  SetTickCount64LookupForTesting(NoTickCount64);
  SetTickCountSourceForTesting(ScriptedTickCount);
  g_scriptAt = 0;
  EXPECT_EQ(kGetTickCount64Import(), 0xFFFFFFF0ull);
  EXPECT_EQ(kGetTickCount64Import(), 0xFFFFFFFFull);
  EXPECT_EQ(kGetTickCount64Import(), 0x100000005ull);
  EXPECT_EQ(kGetTickCount64Import(), 0x100000005ull);
  EXPECT_EQ(kGetTickCount64Import(), 0x100000010ull);
  EXPECT_EQ(kGetTickCount64Import(), 0x17FFFFFFFull);
  EXPECT_EQ(kGetTickCount64Import(), 0x1FFFFFFFEull);
  EXPECT_EQ(kGetTickCount64Import(), 0x200000003ull);
  EXPECT_EQ(g_scriptAt, 8) << "one reading of GetTickCount a call";
}

TEST_F(TickCount64Test, WithoutGetTickCount64WinpthreadsTimedWaitsRunOnTheFallback) {
  SetTickCount64LookupForTesting(NoTickCount64);
  SetTickCountSourceForTesting(CountedTickCount);
  g_readings = 0;
  const DWORD started = GetTickCount();
  // nanosleep waits through winpthreads' _pthread_wait_for_single_object,
  // which reads the count before and after its wait.
  const timespec wait{0, 60 * 1000 * 1000};
  ASSERT_EQ(nanosleep(&wait, nullptr), 0);
  EXPECT_GE(GetTickCount() - started, 60u);
  EXPECT_GE(g_readings, 2);
}

TEST_F(TickCount64Test, WithoutGetTickCount64ThreadsReadingAtOnceNeverSeeItGoBack) {
  SetTickCount64LookupForTesting(NoTickCount64);
  SetTickCountSourceForTesting(nullptr);
  const ULONGLONG first = kGetTickCount64Import();
  std::vector<std::thread> threads;
  std::atomic<int> backwards{0};
  std::atomic<ULONGLONG> highest{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      ULONGLONG last = 0;
      for (int i = 0; i < 200000; ++i) {
        const ULONGLONG now = kGetTickCount64Import();
        if (now < last) ++backwards;
        last = now;
      }
      ULONGLONG seen = highest;
      while (last > seen && !highest.compare_exchange_weak(seen, last)) {
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  const ULONGLONG after = kGetTickCount64Import();
  EXPECT_EQ(backwards, 0);
  EXPECT_LE(highest.load(), after);
  // No reading taken for one a wrap (49.7 days) on.
  EXPECT_LT(after - first, 60000u);
}

}  // namespace
}  // namespace corvane
