#include "hooklib/core/subclass_rows.h"

#include <cstring>

namespace corvane {

const RowPattern kRowPatterns[kRowCount] = {
    {"_Oscar_BuddyListWin", nullptr, nullptr},
    {"AIM_ChatWnd", nullptr, nullptr},
    {"AIM_IMessage", nullptr, nullptr},
    {"Ate32Class", "WndAte32Class", "AIM_IMessage"},
    {"WndAte32Class", "AIM_IMessage", nullptr},
    {"Edit", "_Oscar_BuddyListWin", nullptr},
    {"Ate32Class", "_Oscar_BuddyListWin", nullptr},
    {"WndAte32Class", "_Oscar_BuddyListWin", nullptr},
    {"_Oscar_TabGroup", "_Oscar_BuddyListWin", nullptr},
    {"_Oscar_IconBtn", "_Oscar_BuddyListWin", nullptr},
    {"_Oscar_Static", "_Oscar_BuddyListWin", nullptr},
    {"_Oscar_Separator", "_Oscar_BuddyListWin", nullptr},
    {"_Oscar_Tree", "_Oscar_TabGroup", nullptr},
    {"_Oscar_IconBtn", "_Oscar_TabGroup", nullptr},
};

bool PatternMatches(const RowPattern& row, const char* windowClass, const char* parentClass,
                    const char* grandparentClass) {
  auto same = [](const char* want, const char* have) {
    return want == nullptr || std::strcmp(want, have) == 0;
  };
  return same(row.windowClass, windowClass) && same(row.parentClass, parentClass) &&
         same(row.grandparentClass, grandparentClass);
}

}  // namespace corvane
