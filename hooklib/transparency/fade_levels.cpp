#include "hooklib/transparency/fade_levels.h"

namespace corvane {

FadeLevels& ProcessFadeLevels() {
  static FadeLevels levels;
  return levels;
}

}  // namespace corvane
