#include "viewer/export/day_sessions.h"

#include "viewer/html/view_text.h"

namespace corvane {
namespace {

constexpr std::string_view kKeyOpen = "<!-- ";
constexpr std::string_view kKeyClose = " -->";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The "hh:mm:ss" a session key begins with, before its "-handle".
std::string KeyTime(std::string_view key) {
  if (key.size() < 8 || (key.size() > 8 && key[8] != '-')) return {};
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 2 || i == 5 ? key[i] != ':' : !IsDigit(key[i])) return {};
  }
  return std::string(key.substr(0, 8));
}

}  // namespace

// Key lines are few: the scan looks for their opening, not at every line.
std::vector<KeyLine> FindKeyLines(std::string_view html) {
  std::vector<KeyLine> lines;
  for (std::size_t at = html.find(kKeyOpen); at != std::string_view::npos;
       at = html.find(kKeyOpen, at + 1)) {
    if (at != 0 && html[at - 1] != '\n') continue;
    std::size_t end = html.find('\n', at);
    if (end == std::string_view::npos) end = html.size();
    std::string_view line = html.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() < kKeyOpen.size() + kKeyClose.size() ||
        line.substr(line.size() - kKeyClose.size()) != kKeyClose) {
      continue;
    }
    const std::string_view key =
        line.substr(kKeyOpen.size(), line.size() - kKeyOpen.size() - kKeyClose.size());
    lines.push_back(KeyLine{at, KeyTime(key)});
  }
  return lines;
}

void ViewTextWithSessions(std::string_view html, std::string& text,
                          std::vector<SessionStart>& sessions) {
  const std::vector<KeyLine> keys = FindKeyLines(html);
  std::vector<std::size_t> stops;
  stops.reserve(keys.size());
  for (const KeyLine& key : keys) stops.push_back(key.offset);
  std::vector<std::size_t> textOffsets;
  ViewTextOf(html, text, stops, textOffsets);
  sessions.clear();
  std::size_t line = 1;  // the line that holds `counted`
  std::size_t counted = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::size_t offset = textOffsets[i];
    for (; counted < offset; ++counted) {
      if (text[counted] == '\n') ++line;
    }
    const bool atLineStart = offset == 0 || text[offset - 1] == '\n';
    sessions.push_back(SessionStart{atLineStart ? line : line + 1, keys[i].time});
  }
}

}  // namespace corvane
