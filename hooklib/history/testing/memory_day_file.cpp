#include "hooklib/history/testing/memory_day_file.h"

#include <algorithm>

#include "hooklib/history/day_file.h"

namespace corvane {

std::string RewriteDayFile(std::string_view disk, std::string_view sessionKey,
                           std::string_view text) {
  return SpliceDayFile(disk, FindSessionBlock(disk, sessionKey),
                       ToDiskText(FormatRewriteBlock(sessionKey, text)));
}

bool MemoryDayFile::Exists() { return content.has_value(); }

std::optional<std::uint64_t> MemoryDayFile::Open() {
  if (!content || lockedAway) return std::nullopt;
  isOpen = true;
  return content->size();
}

void MemoryDayFile::Close() { isOpen = false; }

bool MemoryDayFile::Read(std::uint64_t offset, std::size_t length, std::string& bytes) {
  if (!isOpen || offset > content->size() || length > content->size() - offset) return false;
  bytes.assign(*content, static_cast<std::size_t>(offset), length);
  bytesRead += length;
  return true;
}

std::size_t MemoryDayFile::Allowance(std::size_t wanted) {
  if (!bytesUntilCutOff) return wanted;
  const std::size_t allowed = std::min(wanted, *bytesUntilCutOff);
  *bytesUntilCutOff -= allowed;
  return allowed;
}

bool MemoryDayFile::WriteTail(std::uint64_t offset, std::string_view bytes) {
  if (!isOpen || offset > content->size()) return false;
  const bool cutOff = bytesUntilCutOff && *bytesUntilCutOff <= bytes.size();
  const std::size_t written = Allowance(bytes.size());
  const auto at = static_cast<std::size_t>(offset);
  if (content->size() < at + written) content->resize(at + written);
  content->replace(at, written, bytes.substr(0, written));
  bytesWritten += written;
  if (cutOff) return false;
  content->resize(at + bytes.size());
  return true;
}

// The new content goes to a temporary file in full and is then moved over
// the file: a cut-off before the move leaves the file as it was.
bool MemoryDayFile::Replace(std::string_view replacement, bool replacing) {
  if (isOpen || content.has_value() != replacing || (replacing && (holdOpen || lockedAway)))
    return false;
  const bool cutOff = bytesUntilCutOff && *bytesUntilCutOff <= replacement.size();
  bytesWritten += Allowance(replacement.size());
  if (cutOff) return false;
  content = std::string(replacement);
  return true;
}

}  // namespace corvane
