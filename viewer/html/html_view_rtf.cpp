#include "viewer/html/html_view_rtf.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane {
namespace {

// What a browser shows an anchor in when nothing else colours it.
constexpr Rgb kLinkBlue{0x00, 0x00, 0xFF};

const char kHexDigits[] = "0123456789abcdef";

void AppendHexEscape(std::string& rtf, unsigned char byte) {
  rtf += "\\'";
  rtf += kHexDigits[byte >> 4];
  rtf += kHexDigits[byte & 0x0F];
}

// Text bytes of one line as RTF: the three special characters escaped,
// control and non-ASCII bytes as hex escapes in the document's code page.
void AppendEscaped(std::string& rtf, std::string_view text) {
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      rtf += '\\';
      rtf += c;
    } else if (byte < 0x20 || byte >= 0x80) {
      AppendHexEscape(rtf, byte);
    } else {
      rtf += c;
    }
  }
}

// A face name inside the font table: no font's name holds a control
// character, and ';' would end the entry.
void AppendFaceName(std::string& rtf, std::string_view face) {
  for (char c : face) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != ';')
      AppendEscaped(rtf, std::string_view(&c, 1));
  }
}

// Each distinct value once, numbered in order of first use from `first`.
template <typename Key>
class Table {
 public:
  explicit Table(int first) : first_(first) {}
  int IndexOf(const Key& key) {
    const auto [it, added] = indices_.emplace(key, first_ + static_cast<int>(keys_.size()));
    if (added) keys_.push_back(key);
    return it->second;
  }
  const std::vector<Key>& Keys() const { return keys_; }

 private:
  int first_;
  std::map<Key, int> indices_;
  std::vector<Key> keys_;
};

std::uint32_t ColourKey(const Rgb& rgb) {
  return static_cast<std::uint32_t>(rgb.red) << 16 | static_cast<std::uint32_t>(rgb.green) << 8 |
         rgb.blue;
}

// The run's format as it is drawn: a link shows as a link.
CharFormat DrawnFormat(const CharFormat& format) {
  CharFormat drawn = format;
  if (drawn.link != kNoLink) {
    drawn.underline = true;
    if (!drawn.colour) drawn.colour = kLinkBlue;
  }
  if (drawn.face.empty()) drawn.face = kHtmlViewDefaultFace;
  return drawn;
}

// Control words that set every property of a run from scratch.  The
// background goes both as \highlight and as \cb, since RichEdit versions
// differ in which of the two they read.
void AppendRunFormat(std::string& rtf, const CharFormat& format, Table<std::string>& fonts,
                     Table<std::uint32_t>& colours) {
  rtf += "\\plain\\f" + std::to_string(fonts.IndexOf(format.face));
  rtf += "\\fs" + std::to_string(format.points * 2);
  if (format.bold) rtf += "\\b";
  if (format.italic) rtf += "\\i";
  if (format.underline) rtf += "\\ul";
  if (format.strike) rtf += "\\strike";
  if (format.colour) rtf += "\\cf" + std::to_string(colours.IndexOf(ColourKey(*format.colour)));
  if (format.background) {
    const std::string index = std::to_string(colours.IndexOf(ColourKey(*format.background)));
    rtf += "\\highlight" + index + "\\cb" + index;
  }
  rtf += ' ';
}

// Spaces show no text colour unless a line is drawn through or under them.
// Wine's RichEdit spends most of a load on each run, so a run of spaces that
// differs from the text before it only in colour is not made a run of its own.
bool SpacesLookTheSame(std::string_view text, CharFormat a, CharFormat b) {
  if (text.find_first_not_of(' ') != std::string_view::npos) return false;
  if (a.underline || a.strike || b.underline || b.strike) return false;
  a.colour = b.colour;
  return a == b;
}

// A zero-width space in a group of its own that hides it: a run of another
// format, which RichEdit never joins to its neighbours, so that the text on
// either side is measured apart; and where a RichEdit shows hidden text, it
// is still nothing to see and a place to wrap.
constexpr char kBreakRtf[] = "{\\v\\u8203?}";

// Where the breaks of a piece are, which of them are paragraph ends, and
// which line ends end a paragraph.
struct BreaksAhead {
  std::vector<std::size_t>::const_iterator next, end;
  std::vector<std::size_t>::const_iterator nextLine, linesEnd;
  std::vector<std::size_t>::const_iterator nextParagraphEnd, paragraphEndsEnd;
};

// Text without breaks, its line ends as paragraph ends or line breaks;
// `from` is where it begins in the document.
void AppendLines(std::string& rtf, std::string_view text, std::size_t from, BreaksAhead& breaks) {
  for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
    AppendEscaped(rtf, text.substr(0, end));
    const std::size_t place = from + end;
    auto& paragraphEnd = breaks.nextParagraphEnd;
    while (paragraphEnd != breaks.paragraphEndsEnd && *paragraphEnd < place) ++paragraphEnd;
    rtf +=
        paragraphEnd != breaks.paragraphEndsEnd && *paragraphEnd == place ? "\\par\n" : "\\line\n";
    text.remove_prefix(end + 1);
    from = place + 1;
  }
  AppendEscaped(rtf, text);
}

// Text with a break before each of the breaks ahead that lies inside it;
// `from` is where the text begins in the document.
void AppendWithBreaks(std::string& rtf, std::string_view text, std::size_t from,
                      BreaksAhead& breaks) {
  std::size_t done = 0;
  while (breaks.next != breaks.end && *breaks.next < from + text.size()) {
    const std::size_t place = *breaks.next;
    while (breaks.nextLine != breaks.linesEnd && *breaks.nextLine < place) ++breaks.nextLine;
    if (place >= from + done) {
      AppendLines(rtf, text.substr(done, place - from - done), from + done, breaks);
      rtf +=
          breaks.nextLine != breaks.linesEnd && *breaks.nextLine == place ? "\\par\n" : kBreakRtf;
      done = place - from;
    }
    ++breaks.next;
  }
  AppendLines(rtf, text.substr(done), from + done, breaks);
}

}  // namespace

std::string RtfForView(const FormattedText& view, TextRange range,
                       const std::vector<TextMark>& marks, const PageBreaks& breaks) {
  Table<std::string> fonts(0);
  fonts.IndexOf(kHtmlViewDefaultFace);
  Table<std::uint32_t> colours(1);  // entry 0 is the control's own text colour

  std::string body;
  body.reserve((range.end - range.begin) * 2);
  std::optional<CharFormat> current;  // the format the RTF sets at this point
  auto mark =
      std::upper_bound(marks.begin(), marks.end(), range.begin,
                       [](std::size_t position, const TextMark& m) { return position < m.end; });
  auto run =
      std::upper_bound(view.runs.begin(), view.runs.end(), range.begin,
                       [](std::size_t position, const FormatRun& r) { return position < r.start; });
  if (run != view.runs.begin()) --run;
  const std::vector<std::size_t>& places = breaks.Places();
  const std::vector<std::size_t>& lineStarts = breaks.LineStarts();
  const std::vector<std::size_t>& paragraphEnds = breaks.ParagraphEnds();
  BreaksAhead ahead;
  ahead.next = std::lower_bound(places.begin(), places.end(), range.begin);
  ahead.end = places.end();
  ahead.nextLine = std::lower_bound(lineStarts.begin(), lineStarts.end(), range.begin);
  ahead.linesEnd = lineStarts.end();
  ahead.nextParagraphEnd =
      std::lower_bound(paragraphEnds.begin(), paragraphEnds.end(), range.begin);
  ahead.paragraphEndsEnd = paragraphEnds.end();
  for (; run != view.runs.end() && run->start < range.end; ++run) {
    std::size_t from = std::max(run->start, range.begin);
    const std::size_t to = std::min(run->start + run->length, range.end);
    while (from < to) {
      while (mark != marks.end() && mark->end <= from) ++mark;
      CharFormat drawn = DrawnFormat(view.FormatOf(*run));
      std::size_t until = to;
      if (mark != marks.end() && mark->begin <= from) {
        drawn.background = mark->background;
        until = std::min(until, mark->end);
      } else if (mark != marks.end()) {
        until = std::min(until, mark->begin);
      }
      const std::string_view text = std::string_view(view.text).substr(from, until - from);
      if (!current || (drawn != *current && !SpacesLookTheSame(text, *current, drawn))) {
        AppendRunFormat(body, drawn, fonts, colours);
        current = drawn;
      }
      AppendWithBreaks(body, text, from, ahead);
      from = until;
    }
  }

  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (std::size_t i = 0; i < fonts.Keys().size(); ++i) {
    rtf += "{\\f" + std::to_string(i) + "\\fcharset0 ";
    AppendFaceName(rtf, fonts.Keys()[i]);
    rtf += ";}";
  }
  rtf += "}{\\colortbl ;";
  for (std::uint32_t colour : colours.Keys()) {
    rtf += "\\red" + std::to_string(colour >> 16) + "\\green" + std::to_string(colour >> 8 & 0xFF) +
           "\\blue" + std::to_string(colour & 0xFF) + ";";
  }
  rtf += "}\n\\pard ";
  rtf += body;
  rtf += "}";
  return rtf;
}

}  // namespace corvane
