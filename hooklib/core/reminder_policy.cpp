#include "hooklib/core/reminder_policy.h"

namespace corvane {

int ReminderIndexFromCheckVersion(int checkVersion) {
  if (checkVersion == kRemindEveryVersion) return 0;
  if (checkVersion == kRemindNextVersion) return 1;
  return 2;
}

int CheckVersionFromReminderIndex(int index) {
  if (index == 0) return kRemindEveryVersion;
  if (index == 1) return kRemindNextVersion;
  return kRemindNever;
}

}  // namespace corvane
