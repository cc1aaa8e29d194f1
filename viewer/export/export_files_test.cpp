// The export's files on a real disk: written under a temporary name and
// gone unless committed, its destination's rules, the code page's text in
// UTF-8.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "viewer/export/ansi_text.h"
#include "viewer/export/export_destination.h"
#include "viewer/export/export_file.h"

namespace corvane {
namespace {

class ExportFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char dir[MAX_PATH];
    std::snprintf(dir, sizeof dir, "%scorvane-export-%lu-%lu", temp, GetCurrentProcessId(),
                  static_cast<unsigned long>(GetTickCount()));
    root_ = dir;
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Path("History").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Path("out").c_str(), nullptr));
  }

  void TearDown() override {
    for (const std::string& name : Entries("out")) DeleteFileA(Path("out\\" + name).c_str());
    RemoveDirectoryA(Path("out").c_str());
    RemoveDirectoryA(Path("History").c_str());
    RemoveDirectoryA(root_.c_str());
  }

  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

  std::vector<std::string> Entries(const std::string& folder) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(Path(folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = entry.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
  }

  std::string Read(const std::string& relative) const {
    std::ifstream file(Path(relative), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }

  std::string root_;
};

TEST_F(ExportFilesTest, AFileKeepsATemporaryNameUntilCommitted) {
  std::string error;
  {
    ExportFile file;
    ASSERT_TRUE(file.Open(Path("out\\a.txt"), error)) << error;
    ASSERT_TRUE(file.Write("half", error)) << error;
    const std::vector<std::string> names = Entries("out");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].substr(names[0].size() - 4), ".tmp");
  }
  EXPECT_TRUE(Entries("out").empty());  // never committed: gone

  std::ofstream(Path("out\\a.txt"), std::ios::binary) << "the old export";
  ExportFile file;
  ASSERT_TRUE(file.Open(Path("out\\a.txt"), error)) << error;
  ASSERT_TRUE(file.Write("whole", error));
  ASSERT_TRUE(file.Finish(error)) << error;
  EXPECT_EQ(Read("out\\a.txt"), "the old export");
  ASSERT_TRUE(file.Commit(error)) << error;
  EXPECT_EQ(Read("out\\a.txt"), "whole");
  EXPECT_EQ(Entries("out"), std::vector<std::string>{"a.txt"});
}

TEST_F(ExportFilesTest, AFolderThatIsNotThereCannotTakeAFile) {
  std::string error;
  ExportFile file;
  EXPECT_FALSE(file.Open(Path("missing\\a.txt"), error));
  EXPECT_NE(error.find(Path("missing")), std::string::npos) << error;
}

TEST_F(ExportFilesTest, TheDestinationsRules) {
  const std::string history = Path("History");
  const auto refuse = [&](ExportFormat format, const std::string& path) {
    return RefuseExportDestination(history, format, FullExportPath(path));
  };
  EXPECT_EQ(refuse(ExportFormat::kText, Path("out\\a.txt")), "");
  EXPECT_EQ(refuse(ExportFormat::kHtml, Path("out")), "");
  EXPECT_EQ(refuse(ExportFormat::kHtml, Path("out\\new")), "");
  const std::string inside = "Choose a place outside the history folder " +
                             FullExportPath(history) +
                             ": the viewer would list what is saved there as history.";
  EXPECT_EQ(refuse(ExportFormat::kText, Path("History\\a.txt")), inside);
  EXPECT_EQ(refuse(ExportFormat::kJsonLines, Path("HISTORY\\user\\a.jsonl")), inside);
  EXPECT_EQ(refuse(ExportFormat::kHtml, Path("history")), inside);
  EXPECT_EQ(refuse(ExportFormat::kHtml, Path("out\\..\\History\\.\\x")), inside);
  EXPECT_EQ(refuse(ExportFormat::kText, Path("out")),
            FullExportPath(Path("out")) + " is a folder; choose a file name in it.");
  EXPECT_EQ(refuse(ExportFormat::kText, Path("missing\\a.txt")),
            "The folder " + FullExportPath(Path("missing")) + " does not exist.");
  EXPECT_EQ(refuse(ExportFormat::kHtml, Path("missing\\deeper")),
            "The folder " + FullExportPath(Path("missing")) + " does not exist.");
  EXPECT_EQ(RefuseExportDestination(history, ExportFormat::kText, ""),
            "Choose a file to export to.");
  std::ofstream(Path("out\\file"), std::ios::binary) << "x";
  EXPECT_EQ(refuse(ExportFormat::kHtml, Path("out\\file")),
            FullExportPath(Path("out\\file")) + " is a file; HTML is exported into a folder.");
}

TEST(SystemAnsiToUtf8, ConvertsThroughTheCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the expected bytes are those of code page 1252";
  SystemAnsiToUtf8 convert;
  EXPECT_EQ(convert.Convert("caf\xe9 \x80 5"), "caf\xc3\xa9 \xe2\x82\xac 5");
  EXPECT_EQ(convert.Convert(""), "");
  std::string out = "kept ";
  convert.Append("\xe9t\xe9", out);
  EXPECT_EQ(out, "kept \xc3\xa9t\xc3\xa9");
}

}  // namespace
}  // namespace corvane
