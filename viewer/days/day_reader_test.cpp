#include "viewer/days/day_reader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

class DayReaderTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "corvane-day-reader-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& path : written_) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder_ + "\\" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    written_.push_back(path);
    return path;
  }

  std::string folder_;
  std::vector<std::string> written_;
  ReadGate gate_;
};

TEST_F(DayReaderTest, GivesEveryFileInOrderAndNothingForOneItCannotRead) {
  const std::string big(3 << 20, 'x');  // more than one file's worth ahead
  DayReader reader({Write("a.html", "first"), folder_ + "\\missing.html", Write("b.html", big), "",
                    Write("c.html", "last")},
                   gate_);
  std::string html = "left over";
  ASSERT_TRUE(reader.Next(html));
  EXPECT_EQ(html, "first");
  ASSERT_TRUE(reader.Next(html));
  EXPECT_EQ(html, "");
  ASSERT_TRUE(reader.Next(html));
  EXPECT_EQ(html, big);
  ASSERT_TRUE(reader.Next(html));
  EXPECT_EQ(html, "");
  ASSERT_TRUE(reader.Next(html));
  EXPECT_EQ(html, "last");
  EXPECT_FALSE(reader.Next(html));
  EXPECT_FALSE(reader.Next(html));
}

// The files are read two at a time; a small one read before a big one ahead
// of it must still come after it.
TEST_F(DayReaderTest, GivesManyFilesInTheirOrderWhateverTheirSizes) {
  std::vector<std::string> paths;
  for (int n = 0; n < 60; ++n) {
    const std::size_t size = n % 3 == 0 ? 400000 + n : 10 + n;
    paths.push_back(Write("day" + std::to_string(n) + ".html", std::string(size, 'a' + n % 26)));
  }
  DayReader reader(paths, gate_);
  std::string html;
  for (int n = 0; n < 60; ++n) {
    ASSERT_TRUE(reader.Next(html));
    EXPECT_EQ(html, std::string(n % 3 == 0 ? 400000 + n : 10 + n, 'a' + n % 26)) << n;
  }
  EXPECT_FALSE(reader.Next(html));
}

// A search that ends early (cancelled, or at its cap) leaves the reader
// waiting for room ahead; it must stop, not hang.
TEST_F(DayReaderTest, AReaderLeftEarlyStopsWithoutReadingTheRest) {
  std::vector<std::string> paths;
  const std::string megabyte(1 << 20, 'y');
  for (int n = 0; n < 40; ++n)
    paths.push_back(Write("day" + std::to_string(n) + ".html", megabyte));
  const DWORD started = GetTickCount();
  {
    DayReader reader(paths, gate_);
    std::string html;
    ASSERT_TRUE(reader.Next(html));
    EXPECT_EQ(html.size(), megabyte.size());
  }
  EXPECT_LT(GetTickCount() - started, 5000u);
}

// While the window holds the gate to draw, no file is read; once it lets go
// the reading goes on where it was.
TEST_F(DayReaderTest, ReadsNothingWhileTheGateIsHeld) {
  gate_.Hold();
  DayReader reader({Write("a.html", "first")}, gate_);
  std::atomic<bool> got{false};
  std::string html;
  std::thread matcher([&] { got = reader.Next(html); });
  Sleep(200);
  EXPECT_FALSE(got);
  gate_.Release();
  matcher.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(html, "first");
}

}  // namespace
}  // namespace corvane
