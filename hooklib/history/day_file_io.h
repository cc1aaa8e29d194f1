// Whole-file reads and crash-safe replacement of history files.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The file's bytes as they are on disk.
bool ReadWholeFile(const char* path, std::string& content);

// Writes `content` beside the file, flushes it to disk and then moves it
// over the file, so that at every instant the file holds either its old or
// its new content.  A replace refused for a moment (another program reading
// the file) is retried briefly.  False when the new content could not be
// put in place; the old file is then untouched.
bool ReplaceFileContent(const char* path, std::string_view content);

}  // namespace corvane
