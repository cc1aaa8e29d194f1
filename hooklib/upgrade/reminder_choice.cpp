#include "hooklib/upgrade/reminder_choice.h"

namespace corvane {

int CheckVersionForReminderChoice(int selection) {
  if (selection == 0 || selection == 1) return selection;
  return -1;
}

}  // namespace corvane
