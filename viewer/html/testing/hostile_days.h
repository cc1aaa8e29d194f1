// Test support: day files crafted to hurt the viewer (one enormous word,
// many runs inside one long link, deep nesting, a face that ends in a lead
// byte), the same days tests/hostile_days.py writes for the end-to-end
// tests.  Each ends in a word of its own, for the search.
#pragma once

#include <string>
#include <vector>

namespace corvane {

struct HostileDay {
  std::string name;
  std::string html;      // the day file's bytes
  std::string lastWord;  // the last word of its text
};

std::vector<HostileDay> HostileDays();

// A plain day of many short messages, `size` bytes or a little more, to
// set the figures of a hostile day beside.
std::string PlainDayOfSize(std::size_t size);

}  // namespace corvane
