#include "viewer/app/viewer_command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

struct CommandLineCase {
  const char* what;
  std::string commandLine;
  std::string user;
  std::string buddy;
};

const std::string kPath = "\"C:\\Program Files\\Corvane\\Corvane History Viewer.exe\"";

TEST(ParseViewerCommandLine, TakesTheQuotedNamesFromTheEnd) {
  const CommandLineCase cases[] = {
      {"program path only", kPath, "", ""},
      {"program path and a blank", kPath + " ", "", ""},
      {"empty command line", "", "", ""},
      {"no double quote at all", "viewer.exe alice bob", "", ""},
      {"one quoted name", kPath + " \"alice\"", "alice", ""},
      {"user and buddy", kPath + " \"alice\" \"bob\"", "alice", "bob"},
      {"unquoted path, one name", "C:\\viewer.exe \"alice\"", "alice", ""},
      {"unquoted path, two names", "C:\\viewer.exe \"alice\" \"bob\"", "alice", "bob"},
      {"no path, one name", " \"alice\"", "alice", ""},
      {"three names: the last two count", kPath + " \"a\" \"b\" \"c\"", "b", "c"},
      {"unquoted words are ignored", kPath + " x \"alice\" y \"bob\" z", "alice", "bob"},
      {"names are verbatim", kPath + " \" Al Ice \" \"b\\\\ob \"", " Al Ice ", "b\\\\ob "},
      {"empty names", kPath + " \"\" \"\"", "", ""},
      {"empty user, named buddy", kPath + " \"\" \"bob\"", "", "bob"},
      // Cut before the buddy's closing quote: the quotes pair up across the
      // arguments and the blanks between them become the names.
      {"cut inside the buddy", kPath + " \"alice\" \"bo", " ", " "},
      {"cut inside the user", kPath + " \"ali", " ", ""},
      {"lone quote at the start", "\"abc", "", ""},
      {"opening quote at the start is the path", "\"alice\"", "", ""},
      {"two names without a path", "\"alice\" \"bob\"", "bob", ""},
  };
  for (const CommandLineCase& c : cases) {
    const ViewerPreselection names = ParseViewerCommandLine(c.commandLine);
    EXPECT_EQ(names.user, c.user) << c.what;
    EXPECT_EQ(names.buddy, c.buddy) << c.what;
  }
}

TEST(ParseViewerCommandLine, ReadsOnlyTheFirst519Characters) {
  const std::string names = " \"alice\" \"bob\"";
  const std::string padding(kCommandLineCapacity - 1 - kPath.size() - names.size(), 'x');
  const std::string fits = kPath + padding + names;
  ASSERT_EQ(fits.size(), kCommandLineCapacity - 1);
  EXPECT_EQ(ParseViewerCommandLine(fits), (ViewerPreselection{"alice", "bob"}));

  // One character more pushes the buddy's closing quote out of the buffer,
  // so the quotes pair up across the arguments.
  const std::string tooLong = kPath + padding + "x" + names;
  EXPECT_EQ(ParseViewerCommandLine(tooLong), (ViewerPreselection{padding + "x ", " "}));
}

TEST(ParseViewerCommandLine, StopsAtAnEmbeddedNul) {
  const std::string commandLine = kPath + " \"alice\"" + std::string(1, '\0') + " \"bob\"";
  EXPECT_EQ(ParseViewerCommandLine(commandLine), (ViewerPreselection{"alice", ""}));
}

TEST(PreselectedFolders, TakesTheFoldersTheNamesAreWrittenInto) {
  const struct {
    ViewerPreselection names;
    ViewerPreselection folders;
  } cases[] = {
      {{"alice", "bob"}, {"alice", "bob"}},
      {{"", ""}, {"", ""}},
      {{"alice", "con"}, {"alice", "con_"}},
      {{"NUL", "nul.txt"}, {"NUL_", "nul_.txt"}},
      {{"alice", "Chat- a:b*c"}, {"alice", "Chat- a-b_c"}},
      // Names that have no folder preselect nothing.
      {{"a/b", "..\\x"}, {"", ""}},
      {{"alice", ".."}, {"alice", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreselectedFolders(c.names, kSingleByteCodePage), c.folders)
        << c.names.user << " / " << c.names.buddy;
  }
}

TEST(PreselectedFolders, ReadsDoubleByteNamesByCharacter) {
  // "表示" ends in a trail byte of the value of '\\'.
  // "ポア" holds one of '|'.
  const ViewerPreselection names{"\x83\x7C\x83\x41", "\x95\x5C\x8E\xA6"};
  EXPECT_EQ(PreselectedFolders(names, ShiftJisLeadBytes()), names);
  EXPECT_EQ(PreselectedFolders(names, kSingleByteCodePage),
            (ViewerPreselection{"\x83_\x83\x41", ""}));
}

}  // namespace
}  // namespace corvane
