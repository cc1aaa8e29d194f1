#include "viewer/html/testing/hostile_days.h"

namespace corvane {
namespace {

std::string Repeated(const std::string& part, std::size_t times) {
  std::string whole;
  whole.reserve(part.size() * times);
  for (std::size_t i = 0; i < times; ++i) whole += part;
  return whole;
}

// The first `length` characters of the letters and digits over and over:
// one word, as a pasted key or link without breaks would be.
std::string Word(std::size_t length) {
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string word;
  while (word.size() < length) word += alphabet;
  word.resize(length);
  return word;
}

// A message as the host writes it.
std::string Message(const std::string& text) {
  return "<FONT COLOR=\"#0000ff\"><B>mallory</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 "
         "COLOR=\"#000000\">" +
         text + "</FONT><BR>";
}

// A day file of one block whose conversation holds `body`, then a message of
// the last word alone.
std::string Day(const std::string& body, const std::string& lastWord) {
  return "<!-- 09:00:00-10a4 -->\r\n<HTML><BODY BGCOLOR=\"#ffffff\">" + body + Message(lastWord) +
         "</BODY></HTML>\r\n";
}

HostileDay Case(std::string name, const std::string& body, std::string lastWord) {
  std::string html = Day(body, lastWord);
  return HostileDay{std::move(name), std::move(html), std::move(lastWord)};
}

}  // namespace

std::vector<HostileDay> HostileDays() {
  std::vector<HostileDay> days;
  days.push_back(Case("long word", Message(Word(57000)), "omegalongword"));
  days.push_back(Case("long line", Message(Repeated("lorem ipsum ", 4750)), "omegalongline"));
  days.push_back(
      Case("runs in a long link",
           "<A HREF=\"http://" + Word(60000) + "\">" + Repeated("<B>xy</B> ", 100000) + "</A><BR>",
           "omegalinkruns"));
  days.push_back(
      Case("lines in a long link",
           "<A HREF=\"http://" + Word(60000) + "\">" + Repeated("x<BR>", 100000) + "</A><BR>",
           "omegalinklines"));
  days.push_back(Case("nested fonts",
                      Repeated("<B>", 127) + Repeated("<FONT FACE=\"" + Word(8000) + "\">w ", 128) +
                          Repeated("</B>", 127) + Repeated("</FONT>", 128) + "<BR>",
                      "omeganestedfonts"));
  days.push_back(Case("unclosed fonts",
                      Repeated("<FONT SIZE=3 COLOR=\"#00ff00\">x", 20000) + "<BR>",
                      "omegaunclosed"));
  days.push_back(Case("lead byte face",
                      Message("<FONT FACE=\"a&#129;\">\" tabindex=1 autofocus onfocus=\"alert(1)\" "
                              "x=\"</FONT>"),
                      "omegaleadbyte"));
  days.push_back(
      Case("word of references", Message(Repeated("&eacute;", 12000)), "omegareferences"));
  return days;
}

std::string PlainDayOfSize(std::size_t size) {
  std::string body;
  for (std::size_t n = 0; body.size() < size; ++n)
    body += Message("message " + std::to_string(n) + " of a plain day, as people write them");
  return Day(body, "omegaplain");
}

}  // namespace corvane
