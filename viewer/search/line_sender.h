// Who said a line of a day, as the view shows the day: the name before the
// line's first ": ", after a time stamp in parentheses where the line has
// one ("(10:02:11 PM) bob: hi").  A line without a name (the rest of a
// message with line breaks) is its sender's of the line before; a notice
// ("(IM Window Cleared)") is nobody's, nor is what follows it unnamed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "viewer/html/text_find.h"

namespace corvane {

enum class LineKind { kSaid, kNotice, kContinued };

struct LineSender {
  LineKind kind = LineKind::kContinued;
  std::string_view name;  // kSaid: the sender as written
};

// The line alone, without its line feed.  A name longer than a screen name
// can be (a sentence with a colon in it) is no name.
LineSender SenderOfLine(std::string_view line);

// Names compare as screen names do: without their spaces, through `fold`.
class SaidBy {
 public:
  // An empty `name`: anyone.
  SaidBy(std::string_view name, const FoldTable& fold);

  bool Anyone() const { return wanted_.empty(); }
  // Whether a name as written in a line is the one wanted.
  bool Is(std::string_view name) const;

 private:
  std::string Key(std::string_view name) const;

  FoldTable fold_;
  std::string wanted_;  // without spaces, folded
};

// Walks a day's view text line by line, telling whose each line is.
class LineWalk {
 public:
  LineWalk(std::string_view text, const SaidBy& saidBy) : text_(text), saidBy_(saidBy) {}

  // Moves to the line holding `offset` (never back); whether the wanted
  // sender said it.
  bool SaidAt(std::size_t offset);

  // The next line the wanted sender said, and not empty, from where the
  // walk stands; false at the end.  `begin` is its offset.
  bool NextSaid(std::size_t& begin);

 private:
  void Step();  // takes in the line at next_

  std::string_view text_;
  const SaidBy& saidBy_;
  std::size_t begin_ = 0;  // of the line taken in
  std::size_t next_ = 0;   // the next line's offset; text_.size() + 1 after the last
  bool started_ = false;
  bool said_ = false;  // the line taken in is the wanted sender's
};

}  // namespace corvane
