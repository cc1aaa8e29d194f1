#include "viewer/search/line_sender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/html/testing/ascii_lower_fold.h"

namespace corvane {
namespace {

TEST(SenderOfLine, TheNameBeforeTheFirstColonAfterAnyTimeStamp) {
  EXPECT_EQ(SenderOfLine("bob: see you: at eight").name, "bob");
  EXPECT_EQ(SenderOfLine("(10:02:11 PM) the kid: hi").name, "the kid");
  EXPECT_EQ(SenderOfLine("(10:02:11 PM) the kid: hi").kind, LineKind::kSaid);
  EXPECT_EQ(SenderOfLine("(IM Window Cleared)").kind, LineKind::kNotice);
  EXPECT_EQ(SenderOfLine("(10:02:11 PM) ").kind, LineKind::kNotice);
  // No name: the rest of a message, a colon without its blank, a name
  // longer than any screen name.
  EXPECT_EQ(SenderOfLine("and then some").kind, LineKind::kContinued);
  EXPECT_EQ(SenderOfLine("http://example.com").kind, LineKind::kContinued);
  EXPECT_EQ(SenderOfLine(": nobody").kind, LineKind::kContinued);
  EXPECT_EQ(SenderOfLine("what I said yesterday about the flat and the car: no").kind,
            LineKind::kContinued);
  // A bracket that is no time stamp is part of the name.
  EXPECT_EQ(SenderOfLine("(away) bob: back").name, "(away) bob");
}

TEST(SaidBy, ComparesAsScreenNamesIgnoringCaseAndSpaces) {
  const SaidBy bob("Bob Smith", AsciiLowerFold());
  EXPECT_TRUE(bob.Is("bobsmith"));
  EXPECT_TRUE(bob.Is(" BOB  SMITH"));
  EXPECT_FALSE(bob.Is("bob"));
  EXPECT_FALSE(bob.Is("bobsmithy"));
  EXPECT_TRUE(SaidBy("  ", AsciiLowerFold()).Anyone());
}

std::vector<std::size_t> LinesSaid(const std::string& text, const std::string& name) {
  const SaidBy said(name, AsciiLowerFold());
  LineWalk walk(text, said);
  std::vector<std::size_t> begins;
  for (std::size_t begin = 0; walk.NextSaid(begin);) begins.push_back(begin);
  return begins;
}

TEST(LineWalk, ALineWithoutANameIsItsSendersOfTheLineBefore) {
  const std::string text =
      "more from before\nbob: hi\nthere\n\n(IM Window Cleared)\nafter it\namy: x\nbob: y";
  EXPECT_EQ(LinesSaid(text, "bob"), (std::vector<std::size_t>{17, 25, 68}));
  EXPECT_EQ(LinesSaid(text, "amy"), (std::vector<std::size_t>{61}));

  const SaidBy bob("bob", AsciiLowerFold());
  LineWalk walk(text, bob);
  EXPECT_FALSE(walk.SaidAt(3));
  EXPECT_TRUE(walk.SaidAt(27));
  EXPECT_FALSE(walk.SaidAt(text.find("after")));
  EXPECT_TRUE(walk.SaidAt(text.size() - 1));
}

}  // namespace
}  // namespace corvane
