// Version texts read from real version resources of small probe libraries
// built beside this test.
#include "common/version_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include "tests/support/beside_this_program.h"

namespace corvane {
namespace {

std::string VersionTextOf(const char* file) {
  char out[33] = "unchanged";
  GetVersionText(out, corvane::BesideThisProgram(file).c_str());
  return out;
}

std::string CommentsOf(const char* file) {
  char out[255] = "unchanged";
  GetVersionString("Comments", out, corvane::BesideThisProgram(file).c_str());
  return out;
}

TEST(VersionInfo, ProductVersionText) {
  EXPECT_EQ(VersionTextOf("Corvane.dll"), "2.2.1 (build 65)");
  EXPECT_EQ(VersionTextOf("version_probe_2_2_0_65.dll"), "2.2 (build 65)");
  EXPECT_EQ(VersionTextOf("version_probe_2_2_1_0.dll"), "2.2.1");
  EXPECT_EQ(VersionTextOf("version_probe_3_0_0_0.dll"), "3.0");
  EXPECT_EQ(VersionTextOf("version_probe_max.dll"), "65535.65535.65535 (build 65535)");
}

TEST(VersionInfo, CommentsString) {
  EXPECT_EQ(CommentsOf("Corvane.dll"), "[ 06.10.2002 ]");
  const std::string cut = CommentsOf("version_probe_max.dll");
  EXPECT_EQ(cut, std::string(254, 'c'));
}

TEST(VersionInfo, OutputUnchangedWithoutVersionOrString) {
  EXPECT_EQ(VersionTextOf("no_such_file.dll"), "unchanged");
  EXPECT_EQ(CommentsOf("no_such_file.dll"), "unchanged");
  // Strings only under another language block are not found.
  EXPECT_EQ(CommentsOf("version_probe_german.dll"), "unchanged");
  char out[255] = "unchanged";
  GetVersionString("NoSuchString", out, corvane::BesideThisProgram("Corvane.dll").c_str());
  EXPECT_STREQ(out, "unchanged");
  GetVersionString(nullptr, out, corvane::BesideThisProgram("Corvane.dll").c_str());
  EXPECT_STREQ(out, "unchanged");
}

TEST(VersionInfo, DefaultsToTheRunningExecutable) {
  char out[33] = "unchanged";
  GetVersionText(out);
  EXPECT_STREQ(out, "1.2.3 (build 4)");
  GetVersionText(out, "");
  EXPECT_STREQ(out, "1.2.3 (build 4)");
}

}  // namespace
}  // namespace corvane
