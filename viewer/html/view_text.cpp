#include "viewer/html/view_text.h"

#include <algorithm>
#include <cstring>

#include "viewer/html/html_tokenizer.h"
#include "viewer/html/view_text_rules.h"

namespace corvane {
namespace {

// The search's Output of the text rules: the text alone.  It appends
// without the string's own capacity check per call: the string is grown
// ahead in large steps and cut to length at the end.
class TextWriter {
 public:
  explicit TextWriter(std::string& text) : text_(text) {}
  ~TextWriter() { text_.resize(used_); }

  void Visible(const char* bytes, std::size_t count) {
    Reserve(count);
    std::memcpy(&text_[used_], bytes, count);
    used_ += count;
  }
  void SpaceMet() {}
  void Space() { Put(' '); }
  void LineBreak() { Put('\n'); }
  void Separator() { Visible(SeparatorLine().data(), SeparatorLine().size()); }
  std::size_t Size() const { return used_; }

 private:
  void Put(char c) {
    Reserve(1);
    text_[used_++] = c;
  }
  void Reserve(std::size_t count) {
    if (used_ + count > text_.size())
      text_.resize(std::max(2 * text_.size(), used_ + count + 4096));
  }

  std::string& text_;
  std::size_t used_ = 0;
};

// The conversion's own pass, which writes the text alone; the text rules
// find where each text span ends as they read it.  A stop has been reached
// once everything that begins before it is written.  Without stops (the
// search's case) the checks for them, a few on every token, are compiled
// out.
template <bool kStops>
void WriteViewText(std::string_view html, std::string& text, const std::vector<std::size_t>& stops,
                   std::vector<std::size_t>& textAtStops) {
  constexpr std::size_t kNone = std::string_view::npos;
  textAtStops.clear();
  TextWriter out(text);
  ViewTextRules<TextWriter> rules(out);
  HtmlTokenizer tokenizer(html);
  auto stop = stops.begin();
  std::size_t nextStop = stops.empty() ? kNone : *stop;
  const auto reach = [&](std::size_t offset) {
    for (; stop != stops.end() && *stop <= offset; ++stop) textAtStops.push_back(out.Size());
    nextStop = stop == stops.end() ? kNone : *stop;
  };
  HtmlSpan span;
  for (;;) {
    if constexpr (kStops) {
      if (tokenizer.Position() >= nextStop) reach(tokenizer.Position());
    }
    tokenizer.NextSpan(span, HtmlTokenizer::SpanUse::kTextAlone);
    if (span.kind == HtmlTokenKind::kText) {
      if constexpr (kStops) {
        const std::size_t start = static_cast<std::size_t>(span.text.data() - html.data());
        if (start >= nextStop) reach(start);
        std::size_t done = 0;
        for (;;) {
          const std::size_t limit = nextStop == kNone ? kNone : nextStop - start;
          done = rules.Text(span.text, done, limit);
          if (done < limit) break;
          reach(start + done);
        }
        tokenizer.EndText(done);
      } else {
        tokenizer.EndText(rules.Text(span.text));
      }
    } else if (span.kind == HtmlTokenKind::kStartTag) {
      rules.StartTag(span.name);
    } else if (span.kind == HtmlTokenKind::kEndTag) {
      rules.EndTag(span.name);
    } else {
      break;
    }
  }
  reach(kNone);
}

}  // namespace

void ViewTextOf(std::string_view html, std::string& text) {
  const std::vector<std::size_t> noStops;
  std::vector<std::size_t> none;
  WriteViewText<false>(html, text, noStops, none);
}

void ViewTextOf(std::string_view html, std::string& text, const std::vector<std::size_t>& stops,
                std::vector<std::size_t>& textAtStops) {
  WriteViewText<true>(html, text, stops, textAtStops);
}

}  // namespace corvane
