// The HTML view in a plain parent window, showing day files written by the
// tests into a temporary folder.
#include "viewer/html/html_view.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <string>

#include "common/joined_thread.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_links.h"
#include "viewer/html/html_view_marks.h"
#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/html/testing/html_view_link_at.h"

namespace corvane {
namespace {

constexpr int kViewId = 1001;
constexpr char kParentClass[] = "CorvaneHtmlViewTestParent";

int g_notifications = 0;
NMHDR g_lastNotification{};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.code == kHtmlViewNavigateComplete) {
      ++g_notifications;
      g_lastNotification = header;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A message line as the host writes it.
std::string Message(const std::string& sender, const std::string& colour, const std::string& text) {
  return "<FONT COLOR=\"" + colour + "\"><B>" + sender +
         "</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 COLOR=\"#000000\">" + text + "</FONT><BR>";
}

std::string CreationBlock(const std::string& key, const std::string& text) {
  return "<!-- " + key + " -->\r\n" + text + "\r\n";
}

std::string RewriteBlock(const std::string& key, const std::string& text) {
  return "<!-- " + key + " -->\r\n<BASE TARGET=\"_new\">\r\n" + text + "<BR>\r\n";
}

std::string Numbered(int first, int count) {
  std::string body;
  for (int i = first; i < first + count; ++i)
    body += Message("bob", "#0000ff", "line " + std::to_string(i));
  return "<HTML><BODY BGCOLOR=\"#ffffff\">" + body + "</BODY></HTML>";
}

class HtmlViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterHtmlViewClass(instance));
    WNDCLASSEXA parent{};
    parent.cbSize = sizeof parent;
    parent.lpfnWndProc = ParentProc;
    parent.hInstance = instance;
    parent.lpszClassName = kParentClass;
    parent.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(RegisterClassExA(&parent), 0);
  }

  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    folder_ = std::string(temp) + "corvane_html_view_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    parent_ = CreateWindowExA(0, kParentClass, "html view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              0, 0, 500, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    // The styles a dialog template gives the control.
    view_ = CreateWindowExA(0, kHtmlViewClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 400,
                            200, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewId)),
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(view_, nullptr);
    g_notifications = 0;
    g_lastNotification = NMHDR{};
  }

  void TearDown() override {
    DestroyWindow(parent_);
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = folder_ + "\\" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    files_.push_back(path);
    return path;
  }

  void AppendFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
  }

  std::string Text() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(view_)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(view_, &text[0], static_cast<int>(text.size()))));
    return text;
  }

  CHARFORMAT2A FormatAt(std::size_t position) const {
    CHARRANGE range{static_cast<LONG>(position), static_cast<LONG>(position + 1)};
    SendMessageA(view_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(view_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
  }

  COLORREF Background() const {
    const COLORREF colour =
        static_cast<COLORREF>(SendMessageA(view_, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
    SendMessageA(view_, EM_SETBKGNDCOLOR, 0, colour);
    return colour;
  }

  int FirstVisibleLine() const {
    return static_cast<int>(SendMessageA(view_, EM_GETFIRSTVISIBLELINE, 0, 0));
  }
  int LineCount() const { return static_cast<int>(SendMessageA(view_, EM_GETLINECOUNT, 0, 0)); }

  std::string LineText(int line) const {
    char buffer[1024] = {};
    *reinterpret_cast<WORD*>(buffer) = sizeof buffer - 1;
    const LRESULT length = SendMessageA(view_, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
  }

  // The view's text once the whole document is loaded: the converted text
  // with the control's line ends.
  static std::string WholeText(const std::string& html) {
    std::string whole;
    for (char c : ConvertHtml(html).text)
      whole += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return whole;
  }

  // Lets the view load behind what it shows, as the viewer's message loop
  // does, until it holds the whole text.
  void WaitUntilWhole(const std::string& html) {
    const int whole = static_cast<int>(WholeText(html).size());
    const DWORD began = GetTickCount();
    while (GetWindowTextLengthA(view_) != whole && GetTickCount() - began < 30000) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(1);
    }
    ASSERT_EQ(GetWindowTextLengthA(view_), whole) << "the view did not finish loading";
  }

  void ScrollToTop() { SendMessageA(view_, WM_VSCROLL, SB_TOP, 0); }

  // Scrolls by pixels so that the line holding the character is at the top.
  void ScrollLineToTop(std::size_t character) {
    const LRESULT line = SendMessageA(view_, EM_EXLINEFROMCHAR, 0, static_cast<LPARAM>(character));
    POINT scroll{
        0,
        PointOfCharacter(static_cast<std::size_t>(SendMessageA(view_, EM_LINEINDEX, line, 0))).y -
            PointOfCharacter(0).y};
    SendMessageA(view_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  }

  POINT PointOfCharacter(std::size_t position) const {
    POINTL point{};
    SendMessageA(view_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point),
                 static_cast<LPARAM>(position));
    return POINT{point.x, point.y};
  }

  bool LineIsVisible(int line) const {
    const LRESULT start = SendMessageA(view_, EM_LINEINDEX, line, 0);
    RECT client{};
    GetClientRect(view_, &client);
    const POINT point = PointOfCharacter(static_cast<std::size_t>(start));
    return point.y >= 0 && point.y < client.bottom;
  }

  void PressEnd() {
    SendMessageA(view_, WM_KEYDOWN, VK_END, 0);
    SendMessageA(view_, WM_KEYUP, VK_END, 0);
  }

  std::string folder_;
  std::vector<std::string> files_;
  HWND parent_ = nullptr;
  HWND view_ = nullptr;
};

const std::string kDayFile =
    CreationBlock("09:15:02-1a2b", "<HTML><BODY BGCOLOR=\"#ffffcc\">" +
                                       Message("bob", "#0000ff", "fish &amp; chips &lt;3") +
                                       Message("alice", "#ff0000",
                                               "<FONT BACK=\"#00ff00\">marked</FONT> see "
                                               "<A HREF=\"http://www.example.com/\">the site</A>") +
                                       "<SCRIPT>document.write('boom')</SCRIPT></BODY></HTML>") +
    RewriteBlock("10:01:44-3c4d",
                 "<HTML><BODY BGCOLOR=\"#ffffff\">" +
                     Message("bob", "#0000ff", "<I>back</I> <U>again</U> <S>gone</S>") +
                     "</BODY></HTML>");

TEST_F(HtmlViewTest, ShowsTheTextOfADayFile) {
  HtmlViewNavigate(view_, WriteFile("day.html", kDayFile).c_str());
  EXPECT_EQ(Text(),
            "bob: fish & chips <3\r\nalice: marked see the site\r\nbob: back again gone\r\n\r\n");
  EXPECT_EQ(Text().find("boom"), std::string::npos);
}

// The view's thread answers other threads while it converts a day: a day
// asked then is the one shown, not the older one converted last.
TEST_F(HtmlViewTest, ADayAskedWhileAnotherConvertsIsTheOneShown) {
  const std::string older = WriteFile("older.html", Numbered(0, 20000));
  const std::string newer = WriteFile("newer.html", kDayFile);
  std::atomic<bool> asked{false};
  JoinedThread asker([&](const StopRequest&) {
    HtmlViewNavigate(view_, newer.c_str());
    asked = true;
  });
  Sleep(200);  // its navigation waits until this thread answers
  HtmlViewNavigate(view_, older.c_str());
  while (!asked) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(1);
  }
  WaitUntilWhole(kDayFile);
  EXPECT_EQ(Text(),
            "bob: fish & chips <3\r\nalice: marked see the site\r\nbob: back again gone\r\n\r\n");
}

// RichEdit takes a long document in several streams; nothing may be lost or
// shifted where they meet.
TEST_F(HtmlViewTest, ShowsALongDocumentWhole) {
  std::string body;
  for (int i = 0; i < 1500; ++i) {
    body += i % 100 == 0 ? "<B>bold from here " + std::to_string(i) + "<BR>to here</B> and "
                         : Message("bob", "#0000ff", "line " + std::to_string(i) + " &amp; more");
  }
  const std::string html =
      "<HTML><BODY>" + body + "<A HREF=\"http://example.com/end\">last</A></BODY></HTML>";
  HtmlViewNavigate(view_, WriteFile("long.html", html).c_str());
  WaitUntilWhole(html);
  const std::string text = ConvertHtml(html).text;
  ASSERT_GT(text.size(), 4 * 4096u);
  std::string expected;
  for (char c : text) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(Text(), expected);
  for (std::size_t at = text.find("bold from here"); at != std::string::npos;
       at = text.find("bold from", at + 1)) {
    EXPECT_TRUE(FormatAt(at).dwEffects & CFE_BOLD) << at;
    EXPECT_TRUE(FormatAt(text.find("to here", at)).dwEffects & CFE_BOLD) << at;
    EXPECT_FALSE(FormatAt(text.find("and", at)).dwEffects & CFE_BOLD) << at;
  }
  EXPECT_STREQ(FormatAt(text.rfind("more")).szFaceName, "Arial");
  EXPECT_TRUE(FormatAt(text.find("last")).dwEffects & CFE_UNDERLINE);
}

TEST_F(HtmlViewTest, ShowsTheFormattingOfEachRun) {
  HtmlViewNavigate(view_, WriteFile("day.html", kDayFile).c_str());
  const std::string text = ConvertHtml(kDayFile).text;

  const CHARFORMAT2A sender = FormatAt(text.find("alice"));
  EXPECT_TRUE(sender.dwEffects & CFE_BOLD);
  EXPECT_FALSE(sender.dwEffects & CFE_AUTOCOLOR);
  EXPECT_EQ(sender.crTextColor, RGB(0xFF, 0x00, 0x00));
  EXPECT_STREQ(sender.szFaceName, "Times New Roman");
  EXPECT_EQ(sender.yHeight, 12 * 20);

  const CHARFORMAT2A message = FormatAt(text.find("chips"));
  EXPECT_FALSE(message.dwEffects & CFE_BOLD);
  EXPECT_EQ(message.crTextColor, RGB(0, 0, 0));
  EXPECT_STREQ(message.szFaceName, "Arial");
  EXPECT_EQ(message.yHeight, 10 * 20);

  const CHARFORMAT2A marked = FormatAt(text.find("marked"));
  EXPECT_FALSE(marked.dwEffects & CFE_AUTOBACKCOLOR);
  EXPECT_EQ(marked.crBackColor, RGB(0x00, 0xFF, 0x00));
  EXPECT_TRUE(FormatAt(text.find("chips")).dwEffects & CFE_AUTOBACKCOLOR);

  EXPECT_TRUE(FormatAt(text.find("back")).dwEffects & CFE_ITALIC);
  EXPECT_TRUE(FormatAt(text.find("again")).dwEffects & CFE_UNDERLINE);
  EXPECT_TRUE(FormatAt(text.find("gone")).dwEffects & CFE_STRIKEOUT);
  EXPECT_FALSE(FormatAt(text.find("gone")).dwEffects & (CFE_ITALIC | CFE_UNDERLINE | CFE_BOLD));

  const CHARFORMAT2A link = FormatAt(text.find("the site"));
  EXPECT_TRUE(link.dwEffects & CFE_UNDERLINE);
  EXPECT_EQ(link.crTextColor, RGB(0, 0, 0));  // the host's FONT COLOR around it

  EXPECT_EQ(Background(), RGB(0xFF, 0xFF, 0xCC));
}

TEST_F(HtmlViewTest, ShowsTextOutsideAnyFontInTheViewsOwnFormat) {
  HtmlViewNavigate(
      view_, WriteFile("plain.html", "plain <A HREF=\"mailto:bob@example.com\">mail</A>").c_str());
  const CHARFORMAT2A plain = FormatAt(0);
  EXPECT_TRUE(plain.dwEffects & CFE_AUTOCOLOR);
  EXPECT_STREQ(plain.szFaceName, "Times New Roman");
  const CHARFORMAT2A link = FormatAt(6);
  EXPECT_TRUE(link.dwEffects & CFE_UNDERLINE);
  EXPECT_EQ(link.crTextColor, RGB(0, 0, 0xFF));
  EXPECT_EQ(Background(), GetSysColor(COLOR_WINDOW));
}

// A tag cut short by the end of a block can take the next lines into its
// FACE value.
TEST_F(HtmlViewTest, AFaceWithLineBreaksAndSeparatorsChangesNoText) {
  HtmlViewNavigate(view_,
                   WriteFile("face.html", "<FONT FACE=\"Ari\r\n;{al}\\\">x</FONT> y").c_str());
  EXPECT_EQ(Text(), "x y");
  EXPECT_STREQ(FormatAt(0).szFaceName, "Ari{al}\\");
}

TEST_F(HtmlViewTest, NotifiesTheParentOncePerNavigate) {
  const std::string path = WriteFile("day.html", kDayFile);
  HtmlViewNavigate(view_, path.c_str());
  EXPECT_EQ(g_notifications, 1);
  EXPECT_EQ(g_lastNotification.hwndFrom, view_);
  EXPECT_EQ(g_lastNotification.idFrom, static_cast<UINT_PTR>(kViewId));
  HtmlViewNavigate(view_, path.c_str());
  EXPECT_EQ(g_notifications, 2);
  AppendFile(path, "more");
  HtmlViewRefresh(view_);
  EXPECT_EQ(g_notifications, 2);
}

TEST_F(HtmlViewTest, NavigatingToTheSamePathReadsTheFileAgain) {
  const std::string path = WriteFile("day.html", "first");
  HtmlViewNavigate(view_, path.c_str());
  EXPECT_EQ(Text(), "first");
  WriteFile("day.html", "second");
  HtmlViewNavigate(view_, path.c_str());
  EXPECT_EQ(Text(), "second");
}

TEST_F(HtmlViewTest, AMissingFileShowsAnEmptyViewAndStillNotifies) {
  HtmlViewNavigate(view_, WriteFile("day.html", kDayFile).c_str());
  HtmlViewNavigate(view_, (folder_ + "\\missing.html").c_str());
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(g_notifications, 2);
  EXPECT_EQ(Background(), GetSysColor(COLOR_WINDOW));
}

TEST_F(HtmlViewTest, NavigateShowsTheEndAndTheEndKeyScrollsBackToIt) {
  HtmlViewNavigate(view_, WriteFile("long.html", Numbered(1, 200)).c_str());
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
  WaitUntilWhole(Numbered(1, 200));
  ScrollToTop();
  EXPECT_EQ(FirstVisibleLine(), 0);
  PressEnd();
  EXPECT_GT(FirstVisibleLine(), 0);
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
  EXPECT_FALSE(LineIsVisible(0));
}

// The viewer sends End to the view and to every window inside it.
TEST_F(HtmlViewTest, TheEndKeyWorksOnEveryWindowOfTheView) {
  HtmlViewNavigate(view_, WriteFile("long.html", Numbered(1, 200)).c_str());
  WaitUntilWhole(Numbered(1, 200));
  ScrollToTop();
  // The page in sight; pages out of sight may linger hidden for a while.
  HWND inner = GetWindow(view_, GW_CHILD);
  while (inner && !IsWindowVisible(inner)) inner = GetWindow(inner, GW_HWNDNEXT);
  ASSERT_NE(inner, nullptr);
  SendMessageA(inner, WM_KEYDOWN, VK_END, 0);
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
  EXPECT_FALSE(LineIsVisible(0));
}

TEST_F(HtmlViewTest, KeepsTheKeyboardFocusFromDocumentToDocument) {
  const std::string path = WriteFile("long.html", Numbered(1, 200));
  SetFocus(view_);
  ASSERT_TRUE(GetFocus() == view_ || IsChild(view_, GetFocus()));
  HtmlViewNavigate(view_, path.c_str());
  EXPECT_TRUE(IsChild(view_, GetFocus()));
  AppendFile(path, "more");
  HtmlViewRefresh(view_);
  EXPECT_TRUE(IsChild(view_, GetFocus()));
}

TEST_F(HtmlViewTest, RefreshKeepsTheReadersPlace) {
  const std::string path = WriteFile("long.html", Numbered(1, 200));
  HtmlViewNavigate(view_, path.c_str());
  WaitUntilWhole(Numbered(1, 200));
  ScrollToTop();
  SendMessageA(view_, EM_LINESCROLL, 0, 50);
  const int place = FirstVisibleLine();
  ASSERT_GT(place, 20);
  AppendFile(path, RewriteBlock("11:00:00-5e6f", Numbered(201, 50)));
  HtmlViewRefresh(view_);
  EXPECT_EQ(FirstVisibleLine(), place);
  EXPECT_FALSE(LineIsVisible(LineCount() - 1));
  EXPECT_NE(Text().find("line 250"), std::string::npos);
}

TEST_F(HtmlViewTest, RefreshKeepsAViewAtTheEndAtTheNewEnd) {
  const std::string path = WriteFile("long.html", Numbered(1, 200));
  HtmlViewNavigate(view_, path.c_str());
  PressEnd();
  const int endBefore = FirstVisibleLine();
  AppendFile(path, RewriteBlock("11:00:00-5e6f", Numbered(201, 50)));
  HtmlViewRefresh(view_);
  EXPECT_GE(FirstVisibleLine(), endBefore + 50);
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
}

TEST_F(HtmlViewTest, AShortDocumentFollowsItsGrowthToTheEnd) {
  const std::string path = WriteFile("short.html", Numbered(1, 2));
  HtmlViewNavigate(view_, path.c_str());
  AppendFile(path, RewriteBlock("11:00:00-5e6f", Numbered(3, 200)));
  HtmlViewRefresh(view_);
  EXPECT_GT(FirstVisibleLine(), 0);
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
}

TEST_F(HtmlViewTest, RefreshBeforeAnyNavigateShowsNothing) {
  HtmlViewRefresh(view_);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(g_notifications, 0);
}

TEST_F(HtmlViewTest, FindsTheLinkUnderThePointer) {
  const std::string html =
      "see <A HREF=\"http://www.example.com/a\">the site</A> or <A "
      "HREF=\"javascript:alert(1)\">evil</A> now<BR>"
      "<A HREF=\"mailto:bob@example.com\">mail</A><BR>";
  HtmlViewNavigate(view_, WriteFile("links.html", html).c_str());
  const std::string text = ConvertHtml(html).text;
  auto inside = [&](const std::string& needle) {
    POINT point = PointOfCharacter(text.find(needle));
    point.x += 2;
    point.y += 3;
    return point;
  };
  EXPECT_EQ(HtmlViewLinkAt(view_, inside("the site")), "http://www.example.com/a");
  EXPECT_EQ(HtmlViewLinkAt(view_, inside("site")), "http://www.example.com/a");
  EXPECT_EQ(HtmlViewLinkAt(view_, inside("mail")), "mailto:bob@example.com");
  EXPECT_EQ(HtmlViewLinkAt(view_, inside("see")), "");
  EXPECT_EQ(HtmlViewLinkAt(view_, inside("evil")), "");
  EXPECT_FALSE(FormatAt(text.find("evil")).dwEffects & CFE_UNDERLINE);

  // The empty space after a link's line is no link.
  POINT pastLineEnd = inside("mail");
  pastLineEnd.x += 300;
  EXPECT_EQ(HtmlViewLinkAt(view_, pastLineEnd), "");
}

// A long day: its end shows at once, the rest arrives behind it without
// moving the line the reader has at the top.
TEST_F(HtmlViewTest, ShowsTheEndOfALongDayFirstAndLoadsTheRestBehindIt) {
  // Taller than the 65,535 pixels a 16-bit scroll position reaches.
  const std::string html = Numbered(1, 5000);
  HtmlViewNavigate(view_, WriteFile("long.html", html).c_str());
  EXPECT_EQ(g_notifications, 1);
  EXPECT_LT(GetWindowTextLengthA(view_), static_cast<int>(WholeText(html).size()) / 2)
      << "loaded at once";
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
  EXPECT_EQ(LineText(LineCount() - 2), "bob: line 5000\r");

  // The reader scrolls up at once.
  SendMessageA(view_, WM_VSCROLL, SB_PAGEUP, 0);
  SendMessageA(view_, WM_VSCROLL, SB_LINEUP, 0);
  const int before = FirstVisibleLine();
  const std::string top = LineText(before);
  ASSERT_NE(top.find("bob: line 49"), std::string::npos) << top;
  const POINT topCorner =
      PointOfCharacter(static_cast<std::size_t>(SendMessageA(view_, EM_LINEINDEX, before, 0)));

  WaitUntilWhole(html);
  EXPECT_EQ(LineText(FirstVisibleLine()), top);
  EXPECT_GT(FirstVisibleLine(), before);
  const POINT after = PointOfCharacter(
      static_cast<std::size_t>(SendMessageA(view_, EM_LINEINDEX, FirstVisibleLine(), 0)));
  EXPECT_EQ(after.y, topCorner.y);
  EXPECT_EQ(g_notifications, 1);

  ScrollToTop();
  EXPECT_EQ(FirstVisibleLine(), 0);
  EXPECT_EQ(LineText(0), "bob: line 1\r");
}

// The End key while only a part far from the end is loaded.
TEST_F(HtmlViewTest, TheEndKeyFindsTheEndWhileTheDayIsLoading) {
  const std::string html = Numbered(1, 3000) + Message("alice", "#ff0000", "the last word");
  const std::string path =
      WriteFile("long.html",
                "<HTML><BODY>" + Message("alice", "#ff0000", "needle") + "</BODY></HTML>" + html);
  HtmlViewSetHighlight(view_, "needle", IdentityFold());
  HtmlViewNavigate(view_, path.c_str());
  ASSERT_TRUE(HtmlViewShowOccurrence(view_, 0));
  EXPECT_TRUE(LineIsVisible(0));
  PressEnd();
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
  EXPECT_NE(LineText(LineCount() - 2).find("the last word"), std::string::npos);
}

// Lines with a query in them, some of it on a background of its own.
std::string LunchDay() {
  return "<HTML><BODY BGCOLOR=\"#ffffff\">" + Message("bob", "#0000ff", "Lunch at noon?") +
         Message("alice", "#ff0000", "<FONT BACK=\"#00ff00\">lun</FONT>ch, sure; then more LUNCH") +
         Message("bob", "#0000ff", "no break at lunch<BR>time") + "</BODY></HTML>";
}

COLORREF Yellow() {
  return RGB(kOccurrenceBackground.red, kOccurrenceBackground.green, kOccurrenceBackground.blue);
}
COLORREF Orange() {
  return RGB(kCurrentOccurrenceBackground.red, kCurrentOccurrenceBackground.green,
             kCurrentOccurrenceBackground.blue);
}

TEST_F(HtmlViewTest, HighlightsEveryOccurrenceAfterNavigateAndRefreshUntilCleared) {
  HtmlViewSetHighlight(view_, "lunch", AsciiLowerFold());
  const std::string path = WriteFile("lunch.html", LunchDay());
  HtmlViewNavigate(view_, path.c_str());
  std::string text = ConvertHtml(LunchDay()).text;
  const std::vector<std::size_t> found = FindInLines(text, "lunch", AsciiLowerFold());
  ASSERT_EQ(found.size(), 4u);
  for (std::size_t at : found) {
    for (std::size_t i = at; i < at + 5; ++i) {
      EXPECT_FALSE(FormatAt(i).dwEffects & CFE_AUTOBACKCOLOR) << i;
      EXPECT_EQ(FormatAt(i).crBackColor, Yellow()) << i;
    }
  }
  EXPECT_TRUE(FormatAt(text.find("at noon")).dwEffects & CFE_AUTOBACKCOLOR);
  EXPECT_TRUE(FormatAt(text.find("time")).dwEffects & CFE_AUTOBACKCOLOR);
  EXPECT_EQ(FormatAt(text.find("Lunch")).crTextColor, RGB(0, 0, 0));  // the text keeps its colour

  // The conversation goes on: the new occurrence is marked too.
  const std::string more =
      RewriteBlock("11:00:00-5e6f",
                   "<HTML><BODY>" + Message("bob", "#0000ff", "lunch again") + "</BODY></HTML>");
  AppendFile(path, more);
  HtmlViewRefresh(view_);
  text = ConvertHtml(LunchDay() + more).text;
  ASSERT_EQ(Text(), WholeText(LunchDay() + more));
  EXPECT_EQ(FormatAt(text.find("lunch again")).crBackColor, Yellow());
  EXPECT_EQ(FormatAt(text.find("Lunch")).crBackColor, Yellow());

  // An empty query clears the marks; the text's own backgrounds come back.
  HtmlViewSetHighlight(view_, "", AsciiLowerFold());
  EXPECT_TRUE(FormatAt(text.find("Lunch")).dwEffects & CFE_AUTOBACKCOLOR);
  EXPECT_TRUE(FormatAt(text.find("lunch again")).dwEffects & CFE_AUTOBACKCOLOR);
  EXPECT_EQ(FormatAt(text.find("lun")).crBackColor, RGB(0x00, 0xFF, 0x00));
  EXPECT_TRUE(FormatAt(text.find("ch, sure")).dwEffects & CFE_AUTOBACKCOLOR);
}

std::string Clipboard() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// A word far longer than a line reaches the page with breaks that the
// reader never gets back: the view's text and what is copied are the day's.
TEST_F(HtmlViewTest, BreaksALongWordOnThePageOnly) {
  const std::string words = std::string(1000, 'w') + " needle";
  const std::string line = "bob: " + words;
  const std::string html = "<HTML><BODY>" + Message("bob", "#0000ff", words) + "</BODY></HTML>";
  HtmlViewNavigate(view_, WriteFile("word.html", html).c_str());
  const std::string whole = WholeText(html);
  EXPECT_EQ(Text(), whole);
  GETTEXTLENGTHEX characters{GTL_NUMCHARS | GTL_USECRLF, CP_ACP};
  EXPECT_GT(SendMessageA(view_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&characters), 0),
            static_cast<LRESULT>(whole.size()))
      << "the page holds no breaks";

  HtmlViewSetHighlight(view_, "needle", IdentityFold());
  ASSERT_TRUE(HtmlViewShowOccurrence(view_, 0));
  SendMessageA(view_, WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard(), "needle");
  SendMessageA(view_, EM_SETSEL, 0, -1);
  SendMessageA(view_, WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard().substr(0, line.size() + 2), line + "\r\n");
}

// A day with the word "needle" in lines 20, 150 and 280 of 300.
std::string NeedleDay() {
  std::string body;
  for (int i = 1; i <= 300; ++i) {
    body += Message("bob", "#0000ff",
                    (i == 20 || i == 150 || i == 280 ? "a needle in line " : "hay in line ") +
                        std::to_string(i));
  }
  return "<HTML><BODY>" + body + "</BODY></HTML>";
}

TEST_F(HtmlViewTest, ShowsAnOccurrenceAndStepsFromOneToTheNext) {
  const std::string html = NeedleDay();
  const std::string text = ConvertHtml(html).text;
  const std::vector<std::size_t> needles = FindInLines(text, "needle", IdentityFold());
  ASSERT_EQ(needles.size(), 3u);
  HtmlViewSetHighlight(view_, "needle", IdentityFold());
  HtmlViewNavigate(view_, WriteFile("needles.html", html).c_str());
  WaitUntilWhole(html);

  EXPECT_FALSE(HtmlViewShowOccurrence(view_, 3));
  EXPECT_FALSE(HtmlViewShowOccurrence(view_, -1));
  ASSERT_TRUE(HtmlViewShowOccurrence(view_, 1));
  auto inSight = [&](std::size_t at) {
    RECT client{};
    GetClientRect(view_, &client);
    const POINT point = PointOfCharacter(at);
    return point.y >= 0 && point.y + 10 < client.bottom;
  };
  auto expectCurrent = [&](std::size_t index) {
    const std::size_t at = needles[index];
    EXPECT_TRUE(inSight(at)) << index;
    CHARRANGE selection{};
    SendMessageA(view_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, static_cast<LONG>(at)) << index;
    EXPECT_EQ(selection.cpMax, static_cast<LONG>(at + 6)) << index;
    for (std::size_t other = 0; other < needles.size(); ++other) {
      EXPECT_EQ(FormatAt(needles[other]).crBackColor, other == index ? Orange() : Yellow())
          << index << " " << other;
    }
  };
  expectCurrent(1);

  // F3 and Shift+F3 from the current one, up to either end and no further.
  EXPECT_TRUE(HtmlViewNextOccurrence(view_, false));
  expectCurrent(2);
  EXPECT_FALSE(HtmlViewNextOccurrence(view_, false));
  EXPECT_EQ(FormatAt(needles[2]).crBackColor, Orange());
  EXPECT_TRUE(HtmlViewNextOccurrence(view_, true));
  EXPECT_TRUE(HtmlViewNextOccurrence(view_, true));
  expectCurrent(0);
  EXPECT_FALSE(HtmlViewNextOccurrence(view_, true));

  // A new day has no current occurrence: F3 takes the first in sight or
  // below it, Shift+F3 the last above the sight's bottom.
  HtmlViewNavigate(view_, WriteFile("again.html", html).c_str());
  WaitUntilWhole(html);
  ScrollLineToTop(text.rfind('\n', needles[1]) - 40);
  ASSERT_TRUE(inSight(needles[1]));
  EXPECT_TRUE(HtmlViewNextOccurrence(view_, false));
  expectCurrent(1);
  HtmlViewNavigate(view_, WriteFile("again.html", html).c_str());
  WaitUntilWhole(html);
  ScrollLineToTop(text.find('\n', needles[1]) + 1);
  ASSERT_FALSE(inSight(needles[1]));
  EXPECT_TRUE(HtmlViewNextOccurrence(view_, true));
  expectCurrent(1);
}

// An occurrence near the top of a long day, asked for before that part has
// loaded: it shows at once, and stays in sight when the rest arrives.
TEST_F(HtmlViewTest, ShowsAnOccurrenceThatHasNotLoadedYet) {
  std::string html = NeedleDay();
  html += Numbered(301, 3000);
  const std::string text = ConvertHtml(html).text;
  const std::size_t first = FindInLines(text, "needle", IdentityFold()).front();
  HtmlViewSetHighlight(view_, "needle", IdentityFold());
  HtmlViewNavigate(view_, WriteFile("far.html", html).c_str());
  ASSERT_LT(GetWindowTextLengthA(view_), static_cast<int>(WholeText(html).size()) / 2);
  ASSERT_TRUE(HtmlViewShowOccurrence(view_, 0));
  const int line = FirstVisibleLine();
  const std::string top = LineText(line);
  EXPECT_NE(Text().find("a needle in line 20"), std::string::npos);
  WaitUntilWhole(html);
  EXPECT_EQ(LineText(FirstVisibleLine()), top);
  const POINT point = PointOfCharacter(first);
  RECT client{};
  GetClientRect(view_, &client);
  EXPECT_TRUE(point.y >= 0 && point.y < client.bottom) << point.y;
  EXPECT_EQ(FormatAt(first).crBackColor, Orange());
  EXPECT_EQ(g_notifications, 1);
}

// Links, highlighting and a refresh act on a long day's end while the rest
// is still loading, as they do on a whole day.
TEST_F(HtmlViewTest, ALongDayAnswersAtItsEndWhileTheRestLoads) {
  const std::string html =
      Numbered(1, 3000) + "<A HREF=\"http://example.com/end\">the end</A> lunch";
  const std::string path = WriteFile("long.html", html);
  HtmlViewSetHighlight(view_, "lunch", IdentityFold());
  HtmlViewNavigate(view_, path.c_str());
  ASSERT_LT(GetWindowTextLengthA(view_), static_cast<int>(WholeText(html).size()) / 2);

  // Characters of the page in sight are the document's last ones.
  const std::string shown = Text();
  const std::size_t pageStart =
      ConvertHtml(html).text.size() -
      (shown.size() - static_cast<std::size_t>(std::count(shown.begin(), shown.end(), '\r')));
  auto inPage = [&](const std::string& needle) {
    std::string page;
    for (char c : shown)
      if (c != '\r') page += c;
    return page.find(needle);
  };
  ASSERT_GT(pageStart, 0u);
  POINT link = PointOfCharacter(inPage("the end"));
  link.x += 2;
  link.y += 3;
  EXPECT_EQ(HtmlViewLinkAt(view_, link), "http://example.com/end");
  EXPECT_EQ(FormatAt(inPage("lunch")).crBackColor, Yellow());

  // The conversation goes on before the day has loaded.
  const std::string more =
      RewriteBlock("23:00:00-5e6f",
                   "<HTML><BODY>" + Message("bob", "#0000ff", "lunch later") + "</BODY></HTML>");
  AppendFile(path, more);
  HtmlViewRefresh(view_);
  EXPECT_TRUE(LineIsVisible(LineCount() - 1));
  EXPECT_NE(Text().find("lunch later"), std::string::npos);
  WaitUntilWhole(html + more);
  EXPECT_EQ(Text(), WholeText(html + more));
  const std::string text = ConvertHtml(html + more).text;
  EXPECT_EQ(FormatAt(text.find("lunch later")).crBackColor, Yellow());
  EXPECT_EQ(FormatAt(text.find("lunch")).crBackColor, Yellow());
  EXPECT_EQ(g_notifications, 1);
}

// A day rewritten near its top: it is shown anew, the reader's line kept.
TEST_F(HtmlViewTest, RefreshAfterAChangeAboveTheReaderKeepsTheirLine) {
  const std::string path = WriteFile("long.html", Numbered(1, 3000));
  HtmlViewNavigate(view_, path.c_str());
  WaitUntilWhole(Numbered(1, 3000));
  const std::string text = ConvertHtml(Numbered(1, 3000)).text;
  ScrollLineToTop(text.find("bob: line 1500\n"));
  ASSERT_EQ(LineText(FirstVisibleLine()), "bob: line 1500\r");

  const std::string changed = "<B>a new first line</B><BR>" + Numbered(1, 3000);
  WriteFile("long.html", changed);
  HtmlViewRefresh(view_);
  EXPECT_EQ(LineText(FirstVisibleLine()), "bob: line 1500\r");
  WaitUntilWhole(changed);
  EXPECT_EQ(LineText(FirstVisibleLine()), "bob: line 1500\r");
  EXPECT_EQ(LineText(0), "a new first line\r");
}

TEST_F(HtmlViewTest, KeepsTheDialogsKeys) {
  EXPECT_EQ(SendMessageA(view_, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

}  // namespace
}  // namespace corvane
