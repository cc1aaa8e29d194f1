// The content of a day file: session blocks, each headed by its key line.
//
// The blocks are made in the logical text, in which a line ends with "\n".
// On disk the files are text-mode files: each "\n" is stored as "\r\n" and a
// "\r\n" read back is one "\n"; any other '\r' stays as it is.  ToDiskText
// and FromDiskText do exactly that translation, and FromDiskText undoes
// ToDiskText for every text, '\r' characters included.  The functions that
// take a file's bytes read them as a text-mode stream would, but without
// taking a Ctrl-Z for the end of the file, and keep every byte they do not
// replace as it is.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The block that starts a new day file: key line, text, line feed.
std::string FormatCreationBlock(std::string_view sessionKey, std::string_view text);

// The block written into an existing day file: key line, a BASE line that
// opens links in a new window, the text, "<BR>" and a line feed.
std::string FormatRewriteBlock(std::string_view sessionKey, std::string_view text);

// Where a session's block lies in a day file's bytes: [start, end).
struct BlockSpan {
  std::size_t start;
  std::size_t end;
};

// The file is read as a stream reads it with a 255-character line buffer:
// in pieces that end after a line feed or after 254 characters.  The block
// starts at the first piece that is exactly the key line with its line feed
// and ends before the next piece that starts with "<!--": block texts never
// contain "<!--", so that piece is the next block's key line.  Nothing when
// the session has no block in the file.
std::optional<BlockSpan> FindSessionBlock(std::string_view disk, std::string_view sessionKey);

// The day file's new bytes when the session's block, found already
// (nothing: not in the file), becomes `newBlock` (as on disk): everything
// before and after the old block is kept byte for byte, so a second window
// writing into the same file keeps its block.  A session whose block is not
// found appends one, after a line feed if the file does not end with one,
// so that the next rewrite finds it again.
std::string SpliceDayFile(std::string_view disk, std::optional<BlockSpan> oldBlock,
                          std::string_view newBlock);

// Where an in-place write may start when the session's block is the last
// one of its file: both blocks are as on disk, `oldBlock` as the previous
// write left it.  Only when both are in rewrite form and they differ nowhere
// before the closing tags that end the old text (the end tags such as
// "</BODY></HTML>" and the block's own "<BR>" and line feed): then the write
// overwrites no text that an earlier write completed, and a write cut short
// loses at most what it was adding.  The result is the first byte in which
// the blocks differ.
std::optional<std::size_t> AppendStart(std::string_view sessionKey, std::string_view oldBlock,
                                       std::string_view newBlock);

// How many bytes at the start of `a` and `b` are the same.
std::size_t FirstDifference(std::string_view a, std::string_view b);

// The name, in the day file's folder, that the new content of the day file
// of that date takes until it replaces the file: shorter than every day
// file's name, so that no path limit stops it, and not ending in ".html", so
// that the viewer never lists it.  `writer` (the writing thread) keeps two
// writers from sharing one.
std::string TemporaryDayFileName(int year, int month, int day, unsigned long writer);

std::string ToDiskText(std::string_view logical);
std::string FromDiskText(std::string_view disk);

}  // namespace corvane
