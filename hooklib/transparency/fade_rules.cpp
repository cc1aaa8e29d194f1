#include "hooklib/transparency/fade_rules.h"

namespace corvane {
namespace {

constexpr uint8_t kOpaque = 255;
constexpr uint8_t kFadeStart = 254;
constexpr uint8_t kFadeStep = 10;

FadeAction OnActivationChange(bool activated, const TransparencySettings& settings, uint8_t target,
                              uint8_t fadeLevel) {
  FadeAction action{fadeLevel};
  if (settings.opaqueOnTop == 0 || settings.alphaOn == 0) return action;
  if (activated) {
    action.killFadeTimer = true;
    action.applyAlpha = true;
    action.alpha = kOpaque;
  } else if (settings.alphaFadeDown != 0) {
    action.fadeLevel = kFadeStart;
    action.startFadeTimer = true;
  } else {
    action.applyAlpha = true;
    action.alpha = target;
  }
  return action;
}

FadeAction OnFadeTick(uint8_t target, uint8_t fadeLevel) {
  FadeAction action{fadeLevel};
  if (fadeLevel > target) {
    action.fadeLevel = static_cast<uint8_t>(fadeLevel - kFadeStep);
    action.applyAlpha = true;
    action.alpha = action.fadeLevel;
  } else {
    action.killFadeTimer = true;
  }
  return action;
}

}  // namespace

FadeAction DecideFade(FadeEvent event, const TransparencySettings& settings, uint8_t target,
                      uint8_t fadeLevel) {
  switch (event) {
    case FadeEvent::kActivated:
      return OnActivationChange(true, settings, target, fadeLevel);
    case FadeEvent::kDeactivated:
      return OnActivationChange(false, settings, target, fadeLevel);
    case FadeEvent::kFadeTick:
      return OnFadeTick(target, fadeLevel);
  }
  return FadeAction{fadeLevel};
}

}  // namespace corvane
