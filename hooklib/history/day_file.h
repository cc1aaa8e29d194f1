// The content of a day file: session blocks, each headed by its key line.
//
// Everything here works on the logical text, in which a line ends with "\n".
// On disk the files are text-mode files: each "\n" is stored as "\r\n" and a
// "\r\n" read back is one "\n"; any other '\r' stays as it is.  ToDiskText
// and FromDiskText do exactly that translation, and FromDiskText undoes
// ToDiskText for every text, '\r' characters included.  Used with binary
// file I/O they also keep text after a Ctrl-Z, which a text-mode read would
// take for the end of the file.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The block that starts a new day file: key line, text, line feed.
std::string FormatCreationBlock(std::string_view session_key, std::string_view text);

// The block written into an existing day file: key line, a BASE line that
// opens links in a new window, the text, "<BR>" and a line feed.
std::string FormatRewriteBlock(std::string_view session_key, std::string_view text);

// The day file's new content when the session writes its block again.
//
// The file is read as a stream reads it with a 255-character line buffer:
// in pieces that end after a line feed or after 254 characters.  The block
// starts at the first piece that is exactly the key line with its line feed
// and ends before the next piece that starts with "<!--": block texts never
// contain "<!--", so that piece is the next block's key line.  The block is
// replaced by the rewrite form; everything before and after it is kept, so
// a second window writing into the same file keeps its block.  A session
// whose block is not found appends one, after a line feed if the content
// does not end with one, so that the next rewrite finds it again.
std::string RewriteDayFile(std::string_view content, std::string_view session_key, std::string_view text);

std::string ToDiskText(std::string_view logical);
std::string FromDiskText(std::string_view disk);

}  // namespace corvane
