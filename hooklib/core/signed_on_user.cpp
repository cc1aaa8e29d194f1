#include "hooklib/core/signed_on_user.h"

namespace corvane {

ScreenNameText& ScreenName() {
  static ScreenNameText name = {};
  return name;
}

}  // namespace corvane
