#include "viewer/app/script_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

const std::string kViewer = "\"C:\\Program Files\\Corvane\\Corvane History Viewer.exe\"";

TEST(SplitCommandLine, SplitsAsWindowsProgramsDo) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(SplitCommandLine(kViewer + " /export \"D:\\My Backups\\h.txt\" /format text"),
            (Words{"C:\\Program Files\\Corvane\\Corvane History Viewer.exe", "/export",
                   "D:\\My Backups\\h.txt", "/format", "text"}));
  EXPECT_EQ(SplitCommandLine("v.exe  a\tb  "), (Words{"v.exe", "a", "b"}));
  // Backslashes count only before a quote; "" inside quotes is a quote.
  EXPECT_EQ(SplitCommandLine("v.exe C:\\x\\ \"a\\\"b\" \"c\\\\\" d\\\\\\\"e \"f\"\"g\" \"\""),
            (Words{"v.exe", "C:\\x\\", "a\"b", "c\\", "d\\\"e", "f\"g", ""}));
  EXPECT_EQ(SplitCommandLine("\"C:\\a b\\v.exe\"x y"), (Words{"C:\\a b\\v.exex", "y"}));
  EXPECT_EQ(SplitCommandLine(""), (Words{""}));
}

TEST(ParseScriptCommand, OtherCommandLinesOpenTheViewer) {
  for (const std::string& line : {kViewer, kViewer + " \"alice\" \"bob\"", kViewer + " /exported x",
                                  kViewer + " export x", std::string("")}) {
    EXPECT_EQ(ParseScriptCommand(line, kSingleByteCodePage).kind, ScriptCommand::Kind::kNone)
        << line;
  }
}

TEST(ParseScriptCommand, ExportWithEveryOption) {
  const ScriptCommand command = ParseScriptCommand(
      kViewer +
          " /EXPORT \"D:\\out\\alice.jsonl\" /format JSONL /user \"John Doe\" /buddy con"
          " /from 2004-02-29 /to 2005-01-01",
      kSingleByteCodePage);
  ASSERT_EQ(command.kind, ScriptCommand::Kind::kExport) << command.error;
  EXPECT_EQ(command.destination, "D:\\out\\alice.jsonl");
  EXPECT_EQ(command.format, ExportFormat::kJsonLines);
  EXPECT_EQ(command.user, "John Doe");
  EXPECT_EQ(command.buddy, "con_");  // the folder a reserved name is kept in
  EXPECT_EQ(command.from, (CalendarDate{2004, 2, 29}));
  EXPECT_EQ(command.to, (CalendarDate{2005, 1, 1}));

  const ScriptCommand plain =
      ParseScriptCommand(kViewer + " /export out /format html", kSingleByteCodePage);
  ASSERT_EQ(plain.kind, ScriptCommand::Kind::kExport);
  EXPECT_EQ(plain.format, ExportFormat::kHtml);
  EXPECT_EQ(plain.user, "");
  EXPECT_EQ(plain.from, std::nullopt);
  EXPECT_EQ(plain.to, std::nullopt);
}

TEST(ParseScriptCommand, DeleteBefore) {
  const ScriptCommand command = ParseScriptCommand(
      kViewer + " /delete-before 2005-01-01 /buddy bob /user alice", kSingleByteCodePage);
  ASSERT_EQ(command.kind, ScriptCommand::Kind::kDeleteBefore) << command.error;
  EXPECT_EQ(command.before, (CalendarDate{2005, 1, 1}));
  EXPECT_EQ(command.user, "alice");
  EXPECT_EQ(command.buddy, "bob");
}

TEST(ParseScriptCommand, SearchTakesAnEmptyTextOnlyWithASender) {
  const ScriptCommand command = ParseScriptCommand(
      kViewer + " /search \"\" /said-by \"Bob Smith\" /from 2004-03-01 /user alice",
      kSingleByteCodePage);
  ASSERT_EQ(command.kind, ScriptCommand::Kind::kSearch) << command.error;
  EXPECT_EQ(command.query, "");
  EXPECT_EQ(command.saidBy, "Bob Smith");
  EXPECT_EQ(command.from, (CalendarDate{2004, 3, 1}));
  EXPECT_EQ(command.to, std::nullopt);
  EXPECT_EQ(command.user, "alice");
}

TEST(ParseScriptCommand, EachMistakeHasItsOneLineReason) {
  const struct {
    std::string arguments;
    std::string error;
  } cases[] = {
      {"/export", "/export needs the file or folder to export to"},
      {"/export \"\" /format text", "/export needs the file or folder to export to"},
      {"/export x", "/export needs /format text, html or jsonl"},
      {"/export x /format pdf", "/format must be text, html or jsonl, not \"pdf\""},
      {"/export x /format", "/format needs a value"},
      {"/export x /format text /format html", "/format is given twice"},
      {"/export x /format text /since 2005-01-01", "unknown option \"/since\" after /export"},
      {"/export x /format text extra", "unknown option \"extra\" after /export"},
      {"/export x /format text /buddy bob", "/buddy needs /user"},
      {"/export x /format text /user a\\b", "/user \"a\\b\" cannot name a history folder"},
      {"/export x /format text /user ..", "/user \"..\" cannot name a history folder"},
      {"/export x /format text /from 2005-02-29",
       "/from needs a date as yyyy-mm-dd, not \"2005-02-29\""},
      {"/export x /format text /to 05-01-01", "/to needs a date as yyyy-mm-dd, not \"05-01-01\""},
      {"/export x /format text /from 2005-01-02 /to 2005-01-01",
       "/from 2005-01-02 is after /to 2005-01-01"},
      {"/delete-before", "/delete-before needs a date as yyyy-mm-dd"},
      {"/delete-before yesterday", "/delete-before needs a date as yyyy-mm-dd, not \"yesterday\""},
      {"/delete-before 2005-01-01 /format text", "unknown option \"/format\" after /delete-before"},
      {"/delete-before 2005-01-01 /buddy bob", "/buddy needs /user"},
      {"/search", "/search needs a text to find, or \"\" and /said-by"},
      {"/search \"\" /said-by \" \"", "/search needs a text to find, or \"\" and /said-by"},
      {"/search x /format text", "unknown option \"/format\" after /search"},
      {"/search x /to 2003-02-30", "/to needs a date as yyyy-mm-dd, not \"2003-02-30\""},
  };
  for (const auto& c : cases) {
    const ScriptCommand command =
        ParseScriptCommand(kViewer + " " + c.arguments, kSingleByteCodePage);
    EXPECT_EQ(command.kind, ScriptCommand::Kind::kInvalid) << c.arguments;
    EXPECT_EQ(command.error, c.error) << c.arguments;
  }
}

}  // namespace
}  // namespace corvane
