#include "viewer/search/index_text.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/html/testing/ascii_lower_fold.h"

namespace corvane {
namespace {

TEST(IndexTextOf, FoldsEveryByteAndMakesItOneCharacter) {
  std::string indexed;
  IndexTextBuffers buffers;
  IndexTextOf(std::string("Ab\n\xC4\xE4\x7F", 6) + std::string(1, '\0'), AsciiLowerFold(), indexed,
              buffers);
  // A..Z folded; bytes from 0x80 as the code points of the same number; 0
  // as U+0100, which no query byte becomes.
  EXPECT_EQ(indexed, "ab\n\xC3\x84\xC3\xA4\x7F\xC4\x80\n");
}

TEST(IndexTextOf, KeepsEachLineOnceAsFolded) {
  std::string indexed;
  IndexTextBuffers buffers;
  IndexTextOf("bob: ok\nBOB: OK\n\nalice: lol\nbob: ok", AsciiLowerFold(), indexed, buffers);
  EXPECT_EQ(indexed, "bob: ok\nalice: lol\n");
}

TEST(IndexQueryOf, AsksForEveryDistinctPieceOfThreeBytes) {
  EXPECT_EQ(IndexQueryOf("LUNCH", AsciiLowerFold()), "\"lun\" AND \"nch\" AND \"unc\"");
  EXPECT_EQ(IndexQueryOf("aaaa", IdentityFold()), "\"aaa\"");
  EXPECT_EQ(IndexQueryOf("\xE4pf", IdentityFold()), "\"\xC3\xA4pf\"");
  // A quote inside a piece is doubled, as FTS5 strings want it.
  EXPECT_EQ(IndexQueryOf("a\"b", IdentityFold()), "\"a\"\"b\"");
}

TEST(IndexQueryOf, LeavesWhatItCannotAnswerToTheFullScan) {
  EXPECT_EQ(IndexQueryOf("", IdentityFold()), std::nullopt);
  EXPECT_EQ(IndexQueryOf("ab", IdentityFold()), std::nullopt);
  EXPECT_EQ(IndexQueryOf("ab\ncd", IdentityFold()), std::nullopt);
}

TEST(IndexQueryOf, TakesAFewDozenPiecesSpreadOverALongQuery) {
  std::string query;
  for (char c = 'a'; c <= 'z'; ++c)
    query += std::string(1, c) + std::string(1, static_cast<char>('A' + (c - 'a'))) + c;
  const std::string match = *IndexQueryOf(query, IdentityFold());
  std::size_t pieces = 1;
  for (std::size_t at = match.find(" AND "); at != std::string::npos;
       at = match.find(" AND ", at + 1))
    ++pieces;
  EXPECT_EQ(pieces, 32u);
  EXPECT_NE(match.find("\"aAa\""), std::string::npos);
  EXPECT_NE(match.find("zZz\""), std::string::npos);
}

}  // namespace
}  // namespace corvane
