// Value formatting for report lines: every event is one line, so texts are
// escaped (\\ \n \r \t \" and \xHH for other control characters).
#pragma once

#include <string>

namespace testhost {

std::string EscapeForLine(const std::string& text);
// The escaped text in double quotes.
std::string Quoted(const std::string& text);
// A name as a value: bare when it is a non-empty plain word, else quoted.
std::string Value(const std::string& text);

}  // namespace testhost
