// When a translucent window turns opaque, fades down or takes its target
// opacity, as plain values: the window procedure applies the result.
#pragma once

#include <cstdint>

namespace corvane {

enum class FadeEvent { kActivated, kDeactivated, kFadeTick };

struct TransparencySettings {
  int alphaOn;
  int opaqueOnTop;
  int alphaFadeDown;
};

struct FadeAction {
  uint8_t fadeLevel;  // the level after the event
  bool applyAlpha = false;
  uint8_t alpha = 0;  // opacity to apply when applyAlpha
  bool startFadeTimer = false;
  bool killFadeTimer = false;
};

// `target` is the window kind's opacity when inactive; `fadeLevel` the kind's
// current fade level.  Levels step down by 10 modulo 256, so the last level
// applied may lie up to 9 below the target.
FadeAction DecideFade(FadeEvent event, const TransparencySettings& settings, uint8_t target,
                      uint8_t fadeLevel);

}  // namespace corvane
