#include "viewer/search/line_sender.h"

#include <algorithm>

#include "common/capacities.h"
#include "common/history_naming.h"

namespace corvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

}  // namespace

LineSender SenderOfLine(std::string_view line) {
  std::string_view said = line;
  if (!line.empty() && line.front() == '(') {
    const std::size_t close = line.find(')');
    if (close != std::string_view::npos) {
      const std::string_view after = WithoutLeadingBlanks(line.substr(close + 1));
      if (after.empty()) return {LineKind::kNotice, {}};
      if (close > 1 && IsDigit(line[1])) said = after;  // a time stamp
    }
  }
  const std::size_t colon = said.find(": ");
  if (colon == std::string_view::npos || colon == 0 || colon >= kNameCapacity) return {};
  return {LineKind::kSaid, said.substr(0, colon)};
}

SaidBy::SaidBy(std::string_view name, const FoldTable& fold) : fold_(fold), wanted_(Key(name)) {}

std::string SaidBy::Key(std::string_view name) const {
  std::string key = WithoutSpaces(name);
  for (char& c : key) c = static_cast<char>(fold_[static_cast<unsigned char>(c)]);
  return key;
}

// Without a copy: every line of a day is asked.
bool SaidBy::Is(std::string_view name) const {
  std::size_t matched = 0;
  for (char c : name) {
    if (c == ' ') continue;
    if (matched == wanted_.size() ||
        fold_[static_cast<unsigned char>(c)] != static_cast<unsigned char>(wanted_[matched])) {
      return false;
    }
    ++matched;
  }
  return matched == wanted_.size() && !wanted_.empty();
}

void LineWalk::Step() {
  begin_ = next_;
  const std::size_t end = std::min(text_.find('\n', begin_), text_.size());
  const LineSender sender = SenderOfLine(text_.substr(begin_, end - begin_));
  if (sender.kind == LineKind::kSaid) {
    said_ = saidBy_.Is(sender.name);
  } else if (sender.kind == LineKind::kNotice) {
    said_ = false;
  }
  next_ = end + 1;
  started_ = true;
}

bool LineWalk::SaidAt(std::size_t offset) {
  while (!started_ || offset >= next_) Step();
  return said_;
}

bool LineWalk::NextSaid(std::size_t& begin) {
  while (next_ <= text_.size()) {
    Step();
    if (said_ && next_ - 1 > begin_) {
      begin = begin_;
      return true;
    }
  }
  return false;
}

}  // namespace corvane
