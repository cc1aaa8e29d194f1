#include "testhost/script_command.h"
#include "testhost/report.h"

#include <gtest/gtest.h>

namespace testhost {
namespace {

TEST(ScriptLines, FileLinesSkipCommentsAndBlanksAndKeepNumbers) {
  auto lines = ScriptFileLines("signon alice\r\n\n# comment\n  im bob  \nquit");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].number, 1);
  EXPECT_EQ(lines[0].text, "signon alice");
  EXPECT_EQ(lines[1].number, 4);
  EXPECT_EQ(lines[1].text, "im bob");
  EXPECT_EQ(lines[2].number, 5);
}

TEST(ScriptLines, RunArgumentSplitsAtSemicolonsAndNumbersOnward) {
  auto lines = RunArgumentLines("signon alice; ;im bob;", 10);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].number, 10);
  EXPECT_EQ(lines[1].text, "im bob");
  EXPECT_EQ(lines[1].number, 12);
}

struct Case {
  const char* line;
  bool ok;
  const char* name;
  std::vector<std::string> words;
  const char* text;
};

TEST(ParseCommand, ShapesOfCommands) {
  const Case cases[] = {
      {"signon alice", true, "signon", {}, "alice"},
      {"signon Big Al", true, "signon", {}, "Big Al"},
      {"signon-title x' Buddy List", true, "signon-title", {}, "x' Buddy List"},
      {"receive bob bob hello  there ", true, "receive", {"bob", "bob"}, "hello  there"},
      {"receive \"Big Al\" \"Big Al\" hi", true, "receive", {"Big Al", "Big Al"}, "hi"},
      {"send bob <IMG SRC=\"smile.gif\">", true, "send", {"bob"}, "<IMG SRC=\"smile.gif\">"},
      {"resize 300 500", true, "resize", {"300", "500"}, ""},
      {"quit", true, "quit", {}, ""},
      {"signon", false, "", {}, ""},
      {"receive bob", false, "", {}, ""},
      {"send bob", false, "", {}, ""},
      {"windows now", false, "", {}, ""},
      {"im \"bob", false, "", {}, ""},
      {"Quit", false, "", {}, ""},
      {"dance", false, "", {}, ""},
  };
  for (const Case& c : cases) {
    Command command;
    std::string error;
    ASSERT_EQ(ParseCommand(c.line, &command, &error), c.ok) << c.line;
    if (!c.ok) {
      EXPECT_FALSE(error.empty()) << c.line;
      continue;
    }
    EXPECT_EQ(command.name, c.name);
    EXPECT_EQ(command.words, c.words) << c.line;
    EXPECT_EQ(command.text, c.text) << c.line;
  }
}

TEST(ParseCommand, ErrorsSayWhat) {
  Command command;
  std::string error;
  ParseCommand("dance now", &command, &error);
  EXPECT_EQ(error, "unknown command dance");
  ParseCommand("resize 3", &command, &error);
  EXPECT_EQ(error, "resize needs 2 argument(s)");
}

TEST(ParseCount, AcceptsPlainDecimals) {
  int value = -1;
  EXPECT_TRUE(ParseCount("0", &value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(ParseCount("1500", &value));
  EXPECT_EQ(value, 1500);
  EXPECT_FALSE(ParseCount("", &value));
  EXPECT_FALSE(ParseCount("-1", &value));
  EXPECT_FALSE(ParseCount("12ms", &value));
  EXPECT_FALSE(ParseCount("99999999999", &value));
}

TEST(Options, AllOptions) {
  Options options;
  std::string error;
  ASSERT_TRUE(ParseOptions(
      {"--report", "r.txt", "--script", "s.txt", "--run", "quit", "--register", "--idle", "3000"},
      &options, &error));
  EXPECT_EQ(options.reportPath, "r.txt");
  EXPECT_EQ(options.scriptPath, "s.txt");
  EXPECT_EQ(options.run, "quit");
  EXPECT_TRUE(options.registerAppPath);
  EXPECT_EQ(options.idleMs, "3000");
  EXPECT_FALSE(ParseOptions({"--report"}, &options, &error));
  EXPECT_EQ(error, "--report needs a value");
  EXPECT_FALSE(ParseOptions({"--fast"}, &options, &error));
  EXPECT_EQ(error, "unknown option --fast");
}

TEST(ReportFormat, EscapesKeepOneLine) {
  EXPECT_EQ(EscapeForLine("a\\b\r\n\t\"c\x01"), "a\\\\b\\r\\n\\t\\\"c\\x01");
  EXPECT_EQ(Quoted("bob - Instant Message"), "\"bob - Instant Message\"");
  EXPECT_EQ(Value("bob"), "bob");
  EXPECT_EQ(Value("Big Al"), "\"Big Al\"");
  EXPECT_EQ(Value(""), "\"\"");
  EXPECT_EQ(Value("a=b"), "\"a=b\"");
}

}  // namespace
}  // namespace testhost
