#include "viewer/app/testing/dialog_template_reader.h"

#include <cstdint>

namespace corvane {
namespace {

class WordReader {
 public:
  WordReader(const BYTE* start, size_t size) : start_(start), pos_(start), end_(start + size) {}

  WORD Word() {
    WORD w = 0;
    if (pos_ + 2 <= end_) {
      w = static_cast<WORD>(pos_[0] | (pos_[1] << 8));
    }
    pos_ += 2;
    return w;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  int Short() { return static_cast<int16_t>(Word()); }

  // A NUL-terminated UTF-16 text; the templates hold ASCII only.
  std::string Text() {
    std::string text;
    for (WORD w = Word(); w != 0 && pos_ <= end_; w = Word()) {
      text += static_cast<char>(w);
    }
    return text;
  }

  // Either 0 (nothing), 0xFFFF and an ordinal, or a text.
  std::string TextOrOrdinal() {
    if (Peek() == 0xFFFF) {
      Word();
      return "#" + std::to_string(Word());
    }
    return Text();
  }

  void SkipBytes(size_t count) { pos_ += count; }
  void AlignToDword() {
    while ((pos_ - start_) % 4 != 0) ++pos_;
  }
  bool AtEnd() const { return pos_ >= end_; }

 private:
  WORD Peek() const { return pos_ + 2 <= end_ ? static_cast<WORD>(pos_[0] | (pos_[1] << 8)) : 0; }
  const BYTE* start_;
  const BYTE* pos_;
  const BYTE* end_;
};

std::string PredefinedClass(const std::string& name) {
  if (name == "#128") return "Button";
  if (name == "#129") return "Edit";
  if (name == "#130") return "Static";
  if (name == "#131") return "ListBox";
  if (name == "#133") return "ComboBox";
  return name;
}

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
  if (resource == nullptr) return std::nullopt;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  WordReader in(data, SizeofResource(module, resource));

  DialogTemplate t;
  t.style = in.Dword();
  if (HIWORD(t.style) == 0xFFFF) return std::nullopt;  // DLGTEMPLATEEX
  t.exStyle = in.Dword();
  const int count = in.Word();
  t.x = in.Short();
  t.y = in.Short();
  t.cx = in.Short();
  t.cy = in.Short();
  in.TextOrOrdinal();  // menu
  in.TextOrOrdinal();  // class
  t.caption = in.Text();
  if (t.style & DS_SETFONT) {
    t.fontSize = in.Word();
    t.font = in.Text();
  }
  for (int i = 0; i < count && !in.AtEnd(); ++i) {
    in.AlignToDword();
    TemplateControl c;
    c.style = in.Dword();
    c.exStyle = in.Dword();
    c.x = in.Short();
    c.y = in.Short();
    c.cx = in.Short();
    c.cy = in.Short();
    c.id = in.Short();
    c.className = PredefinedClass(in.TextOrOrdinal());
    c.text = in.TextOrOrdinal();
    in.SkipBytes(in.Word());  // creation data
    t.controls.push_back(c);
  }
  return t;
}

}  // namespace corvane
