#include "viewer/html/html_to_view.h"

#include <functional>
#include <unordered_map>
#include <utility>

#include "viewer/html/html_tokenizer.h"
#include "viewer/html/view_text_rules.h"

namespace corvane {
namespace {

// Deeper nesting is not honoured (its tags are dropped), which bounds the
// work per tag.
constexpr std::size_t kMaxOpenElements = 256;

// What one open element sets; the rest is inherited from the elements
// around it.
struct FormatChange {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  std::optional<std::string> face;
  std::optional<int> points;
  std::optional<Rgb> colour;
  std::optional<Rgb> background;
  std::optional<std::size_t> link;  // index into the view's links

  void ApplyTo(CharFormat& format) const {
    format.bold |= bold;
    format.italic |= italic;
    format.underline |= underline;
    format.strike |= strike;
    if (face) format.face = *face;
    if (points) format.points = *points;
    if (colour) format.colour = colour;
    if (background) format.background = background;
    if (link) format.link = *link;
  }
};

struct OpenElement {
  std::string name;
  FormatChange change;
  CharFormat format;  // the format inside it
};

FormatChange FontChange(const HtmlToken& tag) {
  FormatChange change;
  if (const std::string* face = FindAttribute(tag, "FACE")) change.face = FirstFontFace(*face);
  if (const std::string* size = FindAttribute(tag, "SIZE"))
    change.points = PointsForFontSize(*size);
  if (const std::string* colour = FindAttribute(tag, "COLOR"))
    change.colour = ParseHtmlColour(*colour);
  if (const std::string* back = FindAttribute(tag, "BACK"))
    change.background = ParseHtmlColour(*back);
  return change;
}

std::size_t HashOf(const CharFormat& format) {
  const auto colourBits = [](const std::optional<Rgb>& rgb) -> std::size_t {
    return rgb ? (std::size_t{1} << 24 | std::size_t{rgb->red} << 16 |
                  std::size_t{rgb->green} << 8 | rgb->blue)
               : 0;
  };
  std::size_t hash = std::hash<std::string>()(format.face);
  for (const std::size_t part :
       {std::size_t{format.bold} | std::size_t{format.italic} << 1 |
            std::size_t{format.underline} << 2 | std::size_t{format.strike} << 3,
        static_cast<std::size_t>(format.points), colourBits(format.colour),
        colourBits(format.background), format.link}) {
    hash = hash * 1000003u ^ part;
  }
  return hash;
}

struct FormatHash {
  std::size_t operator()(const CharFormat& format) const { return HashOf(format); }
};

// The view's Output of the text rules: the text in runs of formats.
class ViewBuilder {
 public:
  void StartTag(const HtmlToken& tag);
  void EndTag(const HtmlToken& tag) { Close(tag.name); }
  FormattedText Finish() { return std::move(out_); }

  void Visible(const char* bytes, std::size_t count) { Append({bytes, count}, Current()); }
  // The space shows in the format it was met in.
  void SpaceMet() { spaceFormat_ = Current(); }
  void Space() { Append(" ", spaceFormat_); }
  void LineBreak() { Append("\n", Current()); }
  void Separator() { Append(SeparatorLine(), base_); }

 private:
  const CharFormat& Current() const { return open_.empty() ? base_ : open_.back().format; }
  std::size_t Intern(const CharFormat& format);
  std::size_t InternLink(const std::string& target);
  std::optional<FormatChange> ChangeForTag(const HtmlToken& tag);
  void Append(std::string_view text, const CharFormat& format);
  void Open(const HtmlToken& tag, FormatChange change);
  void Close(const std::string& name);

  FormattedText out_;
  std::unordered_map<CharFormat, std::size_t, FormatHash> formatIndex_;
  std::unordered_map<std::string, std::size_t> linkIndex_;
  CharFormat base_;  // outside every element
  std::vector<OpenElement> open_;
  CharFormat spaceFormat_;
};

std::size_t ViewBuilder::Intern(const CharFormat& format) {
  if (const auto known = formatIndex_.find(format); known != formatIndex_.end())
    return known->second;
  formatIndex_.emplace(format, out_.formats.size());
  out_.formats.push_back(format);
  return out_.formats.size() - 1;
}

std::size_t ViewBuilder::InternLink(const std::string& target) {
  if (target.empty()) return kNoLink;
  const auto [it, added] = linkIndex_.emplace(target, out_.links.size());
  if (added) out_.links.push_back(target);
  return it->second;
}

// An anchor always sets its link, to nothing when it has no target the view
// may open, so that it never lends an outer anchor's target to its text.
std::optional<FormatChange> ViewBuilder::ChangeForTag(const HtmlToken& tag) {
  FormatChange change;
  if (tag.name == "B" || tag.name == "STRONG") {
    change.bold = true;
  } else if (tag.name == "I" || tag.name == "EM") {
    change.italic = true;
  } else if (tag.name == "U") {
    change.underline = true;
  } else if (tag.name == "S" || tag.name == "STRIKE") {
    change.strike = true;
  } else if (tag.name == "FONT") {
    change = FontChange(tag);
  } else if (tag.name == "A") {
    const std::string* href = FindAttribute(tag, "HREF");
    change.link = href ? InternLink(OpenableLinkTarget(*href).value_or(std::string())) : kNoLink;
  } else {
    return std::nullopt;
  }
  return change;
}

// Formats are interned only as runs begin, so that elements opened and
// re-derived without text of their own cost nothing that lasts.
void ViewBuilder::Append(std::string_view text, const CharFormat& format) {
  std::vector<FormatRun>& runs = out_.runs;
  if (runs.empty() || out_.FormatOf(runs.back()) != format) {
    runs.push_back(FormatRun{out_.text.size(), 0, Intern(format)});
  }
  runs.back().length += text.size();
  out_.text += text;
}

void ViewBuilder::StartTag(const HtmlToken& tag) {
  if (auto change = ChangeForTag(tag)) {
    Open(tag, std::move(*change));
  } else if (tag.name == "BODY" && !out_.background) {
    if (const std::string* colour = FindAttribute(tag, "BGCOLOR"))
      out_.background = ParseHtmlColour(*colour);
  }
}

void ViewBuilder::Open(const HtmlToken& tag, FormatChange change) {
  if (open_.size() >= kMaxOpenElements) return;
  CharFormat format = Current();
  change.ApplyTo(format);
  open_.push_back(OpenElement{tag.name, std::move(change), std::move(format)});
}

// Closes the innermost open element of that name; elements opened inside it
// and still open keep their own changes, as a browser keeps a misnested B or
// I going.  An end tag with nothing open to close is dropped.
void ViewBuilder::Close(const std::string& name) {
  std::size_t i = open_.size();
  while (i > 0 && open_[i - 1].name != name) --i;
  if (i == 0) return;
  open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(i - 1));
  for (std::size_t j = i - 1; j < open_.size(); ++j) {
    open_[j].format = j == 0 ? base_ : open_[j - 1].format;
    open_[j].change.ApplyTo(open_[j].format);
  }
}

}  // namespace

bool operator==(const CharFormat& a, const CharFormat& b) {
  return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
         a.strike == b.strike && a.points == b.points && a.colour == b.colour &&
         a.background == b.background && a.face == b.face && a.link == b.link;
}

FormattedText ConvertHtml(std::string_view html) {
  ViewBuilder builder;
  ViewTextRules<ViewBuilder> rules(builder);
  HtmlTokenizer tokenizer(html);
  for (HtmlToken token = tokenizer.Next(); token.kind != HtmlToken::Kind::kEnd;
       token = tokenizer.Next()) {
    switch (token.kind) {
      case HtmlToken::Kind::kText:
        rules.Text(token.text);
        break;
      case HtmlToken::Kind::kStartTag:
        rules.StartTag(token.name);
        builder.StartTag(token);
        break;
      case HtmlToken::Kind::kEndTag:
        rules.EndTag(token.name);
        builder.EndTag(token);
        break;
      case HtmlToken::Kind::kEnd:
        break;
    }
  }
  return builder.Finish();
}

}  // namespace corvane
