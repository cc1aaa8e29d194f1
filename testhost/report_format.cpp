#include "testhost/report.h"

#include <cstdio>

namespace testhost {

std::string EscapeForLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\')
      out += "\\\\";
    else if (c == '"')
      out += "\\\"";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\t')
      out += "\\t";
    else if (u < 0x20 || u == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Quoted(const std::string& text) { return "\"" + EscapeForLine(text) + "\""; }

std::string Value(const std::string& text) {
  bool plain = !text.empty();
  for (char c : text) {
    if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == '\\' || c == '=' || c == 0x7f)
      plain = false;
  }
  return plain ? text : Quoted(text);
}

}  // namespace testhost
