// What the search index holds of a day and how a query asks it: the view's
// text with every byte through the code page's fold, and a query's
// three-byte pieces.  The index only proposes the days that hold every piece
// of a query; the matcher decides, so the pieces need not be in order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/html/text_find.h"

namespace corvane {

// The shortest query the index can answer: its tokens are three characters.
inline constexpr std::size_t kIndexGram = 3;

// What a thread keeps from one day's text to the next: the indexer's
// readers make the texts of tens of thousands of days.  Held by the thread's
// own code, never thread_local: under MinGW a thread-local object's
// destructor runs at the thread's end on storage already freed.
struct IndexTextBuffers {
  std::vector<std::string_view> lines;
  std::vector<std::uint32_t> slots;  // 0: empty; else a line's index + 1
  std::string text;
  std::string indexed;
};

// Sets `indexed` to the distinct lines of `viewText`, each byte through
// `fold` and then made one UTF-8 character (the byte's own code point; 0,
// which no query holds, as U+0100), as SQLite's trigram tokenizer reads
// characters.  One byte, one character: a query's pieces are in the text
// exactly when they are in the indexed text.  A piece never holds a line
// feed, so it lies within a line, and a line said twice adds none: chat
// repeats itself, and each piece costs the index's build its time.
void IndexTextOf(std::string_view viewText, const FoldTable& fold, std::string& indexed,
                 IndexTextBuffers& buffers);

// Replaces a day file's HTML with the text the index holds of it: that of
// IndexTextOf for the view's text.
void MakeIndexText(std::string& html, const FoldTable& fold, IndexTextBuffers& buffers);

// The FTS5 query for the days that can hold `query` where the text compares
// through `fold` (or where the case must match: a match is then a match
// through `fold` too): every distinct three-byte piece, up to a few dozen
// spread over the query, each one quoted token.  nullopt for a query the
// index cannot answer: shorter than kIndexGram, or holding a line feed.
std::optional<std::string> IndexQueryOf(std::string_view query, const FoldTable& fold);

}  // namespace corvane
