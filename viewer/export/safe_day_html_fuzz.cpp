// Fuzzing the HTML made safe for the export against a plain check of its
// own, under a single-byte code page and the four double-byte ones (each
// conversion modelled from the lead bytes, a lead byte taking whatever byte
// follows it): the output is read by the code page's characters and must
// hold only characters it makes; every '<' of it opens or closes an element
// that is kept, with attributes of the kinds kept (links only to http,
// https and mailto, styles only a background colour), every '&' is a
// reference as the writer spells them, every element opened is closed in
// order; it is no longer, and the sanitizer takes no more memory, than a
// fixed multiple of the input; and the text the view shows of it is the
// text it shows of the input, but for white space.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/testing/allocation_counter.h"
#include "common/testing/model_ansi_to_utf8.h"
#include "common/testing/test_code_pages.h"
#include "viewer/export/safe_day_html.h"
#include "viewer/html/html_to_view.h"

namespace {

// Each start tag is written at most three times, and escaping makes at most
// six bytes of one ('"' as "&quot;").
constexpr std::size_t kOutputPerInputByte = 20;
constexpr std::size_t kOutputSlack = 64;
// The output's growth, the open elements' start tags and a tag's values.
constexpr std::size_t kMemoryPerInputByte = 64;
constexpr std::size_t kMemorySlack = 4096;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != start[i]) return false;
  }
  return true;
}

bool Among(std::string_view name, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) {
    if (n == name) return true;
  }
  return false;
}

// An attribute this element may carry, with a value of its kind.
bool AllowedAttribute(std::string_view element, std::string_view name, std::string_view value) {
  if (element == "font") {
    if (name == "face") return true;
    if (name == "size") {
      const std::size_t digits = !value.empty() && (value[0] == '+' || value[0] == '-') ? 1 : 0;
      return value.size() > digits && std::all_of(value.begin() + digits, value.end(), IsDigit);
    }
    if (name == "color") {
      return value.size() == 7 && value[0] == '#' &&
             std::all_of(value.begin() + 1, value.end(), IsHex);
    }
    if (name == "style") {
      const std::string_view prefix = "background-color:#";
      return value.size() == prefix.size() + 6 && value.substr(0, prefix.size()) == prefix &&
             std::all_of(value.begin() + static_cast<std::ptrdiff_t>(prefix.size()), value.end(),
                         IsHex);
    }
    return false;
  }
  if (element == "a") {
    if (name == "href") {
      return StartsWithNoCase(value, "http:") || StartsWithNoCase(value, "https:") ||
             StartsWithNoCase(value, "mailto:");
    }
    return (name == "target" && value == "_blank") ||
           (name == "rel" && value == "noopener noreferrer");
  }
  return false;
}

// Reads the tag at html[at] ('<'); returns the position after it.
std::size_t CheckTag(std::string_view html, std::size_t at, std::vector<std::string>& open) {
  std::size_t i = at + 1;
  const bool end = i < html.size() && html[i] == '/';
  if (end) ++i;
  const std::size_t nameStart = i;
  while (i < html.size() && IsLower(html[i])) ++i;
  const std::string name(html.substr(nameStart, i - nameStart));
  const bool container = Among(name, {"b", "strong", "i", "em", "u", "s", "strike", "font", "a"});
  const bool empty = Among(name, {"br", "p", "hr"});
  Check(container || (empty && !end));
  while (!end && i < html.size() && html[i] == ' ') {
    const std::size_t attribute = ++i;
    while (i < html.size() && (IsLower(html[i]) || html[i] == '-')) ++i;
    const std::string_view attributeName = html.substr(attribute, i - attribute);
    Check(i + 1 < html.size() && html[i] == '=' && html[i + 1] == '"');
    const std::size_t close = html.find('"', i + 2);
    Check(close != std::string_view::npos);
    const std::string_view value = html.substr(i + 2, close - i - 2);
    Check(value.find_first_of("<>") == std::string_view::npos);
    Check(AllowedAttribute(name, attributeName, value));
    i = close + 1;
  }
  Check(i < html.size() && html[i] == '>');
  if (end) {
    Check(!open.empty() && open.back() == name);
    open.pop_back();
  } else if (container) {
    open.push_back(name);
  }
  return i + 1;
}

void CheckReference(std::string_view html, std::size_t at) {
  const std::string_view rest = html.substr(at);
  for (std::string_view named : {"&amp;", "&lt;", "&gt;", "&quot;"}) {
    if (rest.substr(0, named.size()) == named) return;
  }
  Check(rest.size() > 3 && rest[1] == '#' && IsDigit(rest[2]));
  std::size_t i = 2;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  Check(i < rest.size() && rest[i] == ';');
}

std::string WithoutSpace(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ' && c != '\n') kept += c;
  }
  return kept;
}

void CheckSafe(std::string_view input, const corvane::LeadBytes& lead) {
  corvane::ModelAnsiToUtf8 toUtf8(lead);
  const corvane::PeakAllocation memory;
  const corvane::SafeHtml safe = corvane::SafeDayHtml(input, toUtf8);
  Check(memory.Bytes() <= kMemoryPerInputByte * input.size() + kMemorySlack);
  const std::string_view html = safe.html;
  Check(html.size() <= kOutputPerInputByte * input.size() + kOutputSlack);
  // Read back by characters: UTF-8 bytes above 0x7F never stand for one
  // of the ASCII characters checked below.
  const std::optional<std::string> ansi = corvane::ModelAnsiOf(html);
  Check(ansi.has_value());
  std::vector<std::string> open;
  for (std::size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      i = CheckTag(html, i, open);
      continue;
    }
    Check(html[i] != '>');
    if (html[i] == '&') CheckReference(html, i);
    ++i;
  }
  Check(open.empty());
  Check(safe.background.empty() || safe.background.size() == 7);
  // With no lead bytes the characters are the bytes, as the view reads them.
  if (lead.none()) {
    Check(WithoutSpace(corvane::ConvertHtml(*ansi).text) ==
          WithoutSpace(corvane::ConvertHtml(input).text));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckSafe(input, corvane::kSingleByteCodePage);
  for (const corvane::TestCodePage& codePage : corvane::kDoubleByteCodePages) {
    CheckSafe(input, codePage.lead);
  }
  return 0;
}
