#include "viewer/framework/list_controls.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

// Names as history folders and day files have them: any case, spaces,
// punctuation that the control's comparison weighs apart from letters,
// digits, accented letters of the ANSI code page.
std::vector<std::string> NamesToList() {
  std::vector<std::string> names = {"bob",
                                    "Carol",
                                    "dave",
                                    "Zoe",
                                    "a-b",
                                    "ab",
                                    "a b",
                                    "o'neil",
                                    "oneal",
                                    "_under",
                                    "10",
                                    "9",
                                    "\xC9mile",
                                    "emily",
                                    "~tilde",
                                    "2002-06-12 [Wednesday]",
                                    "2002-06-14 [Friday]"};
  std::mt19937 random(7);
  const std::string letters = "aBcDeFgh -_.'0129\xE9\xC4";
  while (names.size() < 300) {
    std::string name;
    for (int length = 1 + static_cast<int>(random() % 12); length > 0; --length)
      name += letters[random() % letters.size()];
    // Names equal but for case cannot share a folder.
    if (name.front() == ' ' || name.back() == ' ') continue;
    bool tie = false;
    for (const std::string& other : names) tie |= lstrcmpiA(other.c_str(), name.c_str()) == 0;
    if (!tie) names.push_back(name);
  }
  return names;
}

class SortedLists : public testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }

  HWND Make(const char* windowClass, DWORD style) {
    return CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VSCROLL | style, 0, 0, 150, 150,
                           parent_, nullptr, nullptr, nullptr);
  }

  HWND parent_ = nullptr;
};

template <typename List>
std::vector<std::string> Entries(const List& list, std::string (List::*text)(int) const) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.GetCount(); ++i) entries.push_back((list.*text)(i));
  return entries;
}

template <typename List>
void AddSorted(List& list, std::vector<std::string> texts) {
  SortAsList(list.GetLocale(), texts);
  list.AddSortedStrings(texts);
}

// The lists that texts sorted by SortAsList make are the ones AddString
// makes one at a time, into an empty list and into one that holds entries
// already.
TEST_F(SortedLists, SortedStringsListInTheControlsOwnOrder) {
  const std::vector<std::string> names = NamesToList();
  const std::vector<std::string> first(names.begin(), names.begin() + 200);
  const std::vector<std::string> rest(names.begin() + 200, names.end());

  CComboBox oneByOne, together;
  oneByOne.Attach(Make("COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT));
  together.Attach(Make("COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT));
  for (const std::string& name : names) oneByOne.AddString(name.c_str());
  AddSorted(together, first);
  AddSorted(together, rest);
  EXPECT_EQ(Entries(together, &CComboBox::GetLBText), Entries(oneByOne, &CComboBox::GetLBText));

  CListBox listOneByOne, listTogether, unsorted;
  listOneByOne.Attach(Make("LISTBOX", LBS_SORT));
  listTogether.Attach(Make("LISTBOX", LBS_SORT));
  unsorted.Attach(Make("LISTBOX", 0));
  for (const std::string& name : names) listOneByOne.AddString(name.c_str());
  AddSorted(listTogether, first);
  AddSorted(listTogether, rest);
  unsorted.AddSortedStrings(names);
  EXPECT_EQ(Entries(listTogether, &CListBox::GetText), Entries(listOneByOne, &CListBox::GetText));
  EXPECT_EQ(Entries(unsorted, &CListBox::GetText), names);
}

}  // namespace
}  // namespace corvane
