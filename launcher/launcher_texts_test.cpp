#include "launcher/launcher_texts.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WithoutTrailingBlanks, DropsTheSystemTextsLineBreak) {
  EXPECT_EQ(WithoutTrailingBlanks("File not found.\r\n"), "File not found.");
  EXPECT_EQ(WithoutTrailingBlanks("a b \t\r\n \n"), "a b");
  EXPECT_EQ(WithoutTrailingBlanks("  lead"), "  lead");
  EXPECT_EQ(WithoutTrailingBlanks("\r\n"), "");
  EXPECT_EQ(WithoutTrailingBlanks(""), "");
}

TEST(HostStartFailedText, NamesThePathAndTheReason) {
  EXPECT_EQ(HostStartFailedText("C:\\AIM\\aim.exe", "File not found.\r\n"),
            "Corvane could not start the messenger:\n\nC:\\AIM\\aim.exe\n\nFile not found.");
}

TEST(HostStartFailedText, LeavesOutAMissingReason) {
  EXPECT_EQ(HostStartFailedText("aim.exe", ""),
            "Corvane could not start the messenger:\n\naim.exe");
}

TEST(HostPathUnusableText, NamesTheValueAndWhereToSetIt) {
  EXPECT_EQ(HostPathUnusableText("aim.exe"),
            "Corvane cannot start the messenger. Its path, the AppPath setting, is\n\naim.exe\n\n"
            "which is not the full path of a program on this computer.\n\n"
            "Set the messenger's path (\"AIM:\") in the Corvane preferences.");
  EXPECT_EQ(HostPathUnusableText(""),
            "Corvane cannot start the messenger. Its path, the AppPath setting, is empty.\n\n"
            "Set the messenger's path (\"AIM:\") in the Corvane preferences.");
}

TEST(LibraryLoadFailedText, NamesTheLibraryAndAdvisesReinstalling) {
  EXPECT_EQ(LibraryLoadFailedText("C:\\Corvane\\Corvane.dll", "Module not found.\r\n"),
            "Corvane could not load its hook library:\n\nC:\\Corvane\\Corvane.dll\n\n"
            "Module not found.\n\nPlease re-install Corvane.");
}

TEST(ExportMissingText, NamesTheFunction) {
  EXPECT_EQ(ExportMissingText("C:\\Corvane\\Corvane.dll", "_Init@4"),
            "The hook library\n\nC:\\Corvane\\Corvane.dll\n\nlacks the function \"_Init@4\"."
            "\n\nPlease re-install Corvane.");
}

TEST(LibraryVersionDiffersText, NamesBothVersions) {
  EXPECT_EQ(LibraryVersionDiffersText("C:\\Corvane\\Corvane.dll", "3.0", "2.2.1 (build 65)"),
            "Corvane cannot use this hook library:\n\nC:\\Corvane\\Corvane.dll\n\n"
            "It is version 3.0, but this Corvane.exe is version 2.2.1 (build 65). Both must come "
            "from the same release.\n\nPlease re-install Corvane.");
}

TEST(LibraryVersionDiffersText, SaysWhenTheLibraryHasNoVersion) {
  EXPECT_EQ(LibraryVersionDiffersText("Corvane.dll", "", "2.2.1"),
            "Corvane cannot use this hook library:\n\nCorvane.dll\n\n"
            "It carries no version, but this Corvane.exe is version 2.2.1. Both must come "
            "from the same release.\n\nPlease re-install Corvane.");
}

TEST(HookInstallFailedText, AddsTheReason) {
  EXPECT_EQ(HookInstallFailedText("Access denied.\r\n"),
            "Corvane could not install its window hook.\n\nAccess denied.");
  EXPECT_EQ(HookInstallFailedText(""), "Corvane could not install its window hook.");
}

}  // namespace
}  // namespace corvane
