#include "common/path_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(IsFullyQualifiedPath, TakesADriveWithItsRootOrANetworkShare) {
  for (const char* path : {"C:\\", "C:\\AIM Histories", "d:/histories", "\\\\server\\share",
                           "//server/share/x", "\\\\?\\C:\\long"}) {
    EXPECT_TRUE(IsFullyQualifiedPath(path)) << path;
  }
}

TEST(IsFullyQualifiedPath, RefusesWhatResolvesAgainstACurrentFolder) {
  for (const char* path : {"", "History", "Corvane History\\x", "C:", "C:History", "\\History",
                           "/History", "\\\\", "\\\\\\server", ".\\History", "..\\History",
                           "1:\\x", " C:\\x"}) {
    EXPECT_FALSE(IsFullyQualifiedPath(path)) << path;
  }
}

TEST(DefaultHistoryFolder, ACopyOfItsOwnKeepsHistoryBesideIt) {
  EXPECT_EQ(DefaultHistoryFolder("D:\\Tools\\Corvane", false, "C:\\Users\\ann\\Documents"),
            "D:\\Tools\\Corvane\\Corvane History");
  EXPECT_EQ(DefaultHistoryFolder("D:\\", false, ""), "D:\\Corvane History");
}

TEST(DefaultHistoryFolder, AnInstalledCopyKeepsItInTheUsersDocuments) {
  EXPECT_EQ(DefaultHistoryFolder("C:\\Program Files\\Corvane", true, "C:\\Users\\ann\\Documents"),
            "C:\\Users\\ann\\Documents\\Corvane History");
  EXPECT_EQ(DefaultHistoryFolder("C:\\Program Files\\Corvane", true, "\\\\home\\ann\\"),
            "\\\\home\\ann\\Corvane History");
  // No usable documents folder: beside the launcher after all.
  EXPECT_EQ(DefaultHistoryFolder("C:\\Program Files\\Corvane", true, ""),
            "C:\\Program Files\\Corvane\\Corvane History");
  EXPECT_EQ(DefaultHistoryFolder("C:\\Program Files\\Corvane", true, "Documents"),
            "C:\\Program Files\\Corvane\\Corvane History");
}

}  // namespace
}  // namespace corvane
