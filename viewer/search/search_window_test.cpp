// The search's Windows pieces that no other program can look at: the code
// page's fold table and the viewer's system-menu item.
#include <gtest/gtest.h>

#include <string>

#include "viewer/days/history_day.h"
#include "viewer/resources/viewer_resources.h"
#include "viewer/search/search_dialog.h"

namespace corvane {
namespace {

TEST(AnsiLowerFold, FoldsTheCodePagesCapitalsOntoTheirSmallLetters) {
  const FoldTable fold = MakeAnsiLowerFold();
  EXPECT_EQ(fold['A'], 'a');
  EXPECT_EQ(fold['z'], 'z');
  EXPECT_EQ(fold['@'], '@');
  EXPECT_EQ(fold['\n'], '\n');
  EXPECT_EQ(fold[0], 0);
  if (GetACP() == 1252) {
    EXPECT_EQ(fold[0xC4], 0xE4);  // A and a with diaeresis
    EXPECT_EQ(fold[0xE4], 0xE4);
    EXPECT_EQ(fold[0x8A], 0x9A);  // S with caron
    EXPECT_EQ(fold[0xD7], 0xD7);  // the multiplication sign has no case
  }
  for (std::size_t c = 0; c < fold.size(); ++c) EXPECT_EQ(fold[fold[c]], fold[c]) << c;
}

std::string ItemText(HMENU menu, int position) {
  char text[128] = "";
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// (Wine's system menu has more after Close.)
TEST(SearchMenuItem, GoesJustBeforeClose) {
  HWND window = CreateWindowExA(0, "STATIC", "menu test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  AddSearchMenuItem(window, IDM_SEARCH_HISTORY);
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  int close = 0;
  while (close < count && GetMenuItemID(menu, close) != SC_CLOSE) ++close;
  ASSERT_LT(close, count);
  ASSERT_GE(close, 1);
  EXPECT_EQ(GetMenuItemID(menu, close - 1), static_cast<UINT>(IDM_SEARCH_HISTORY));
  EXPECT_EQ(ItemText(menu, close - 1), "&Search History...\tCtrl+F");
  DestroyWindow(window);
}

}  // namespace
}  // namespace corvane
