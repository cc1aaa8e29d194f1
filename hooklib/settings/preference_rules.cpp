#include "hooklib/settings/preference_rules.h"

namespace corvane {
namespace {

constexpr uint16_t kControlShift = 0x100;
constexpr uint16_t kControlCtrl = 0x200;
constexpr uint16_t kControlAlt = 0x400;

constexpr uint32_t kStoredAlt = 1u << 16;
constexpr uint32_t kStoredCtrl = 1u << 17;
constexpr uint32_t kStoredShift = 1u << 18;

constexpr char kInvalidFolderText[] = "Enter a valid folder for your AIM Histories.";
constexpr char kInvalidHostPathText[] = "Enter the path to your AIM executable.";
constexpr char kRelativeFolderText[] =
    "Enter the full path of the folder for your AIM Histories, beginning with its drive "
    "(such as C:\\) or its network share (such as \\\\server\\share).";

}  // namespace

int SliderPositionFromOpacity(uint8_t opacity) {
  const int position = 255 - opacity;
  return position > kOpacitySliderMax ? kOpacitySliderMax : position;
}

uint8_t OpacityFromSliderPosition(int position) {
  if (position < 0) position = 0;
  if (position > kOpacitySliderMax) position = kOpacitySliderMax;
  return static_cast<uint8_t>(255 - position);
}

uint16_t HotKeyControlValue(uint32_t hotKey) {
  uint16_t value = hotKey & 0xFF;
  if (hotKey & kStoredShift) value |= kControlShift;
  if (hotKey & kStoredCtrl) value |= kControlCtrl;
  if (hotKey & kStoredAlt) value |= kControlAlt;
  return value;
}

uint32_t HotKeyFromControlValue(uint16_t controlValue) {
  uint32_t hotKey = controlValue & 0xFF;
  if (controlValue & kControlAlt) hotKey |= kStoredAlt;
  if (controlValue & kControlCtrl) hotKey |= kStoredCtrl;
  if (controlValue & kControlShift) hotKey |= kStoredShift;
  return hotKey;
}

OkDecision DecideOk(bool historyOn, bool folderIsRelative, bool folderIsDirectory,
                    bool hostPathIsFile) {
  if (historyOn && folderIsRelative) {
    return {false, kRelativeFolderText, PreferenceField::kHistoryFolder};
  }
  if (historyOn && !folderIsDirectory) {
    return {false, kInvalidFolderText, PreferenceField::kHistoryFolder};
  }
  if (!hostPathIsFile) return {false, kInvalidHostPathText, PreferenceField::kHostPath};
  return {true, "", PreferenceField::kHistoryFolder};
}

}  // namespace corvane
