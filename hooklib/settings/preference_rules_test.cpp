#include "hooklib/settings/preference_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(SliderMapping, PositionIsTheDistanceFromOpaque) {
  const struct {
    int opacity;
    int position;
  } cases[] = {{255, 0},  {254, 1},  {230, 25}, {200, 55}, {51, 204},
               {50, 205}, {49, 205}, {10, 205}, {0, 205}};
  for (const auto& c : cases) {
    EXPECT_EQ(SliderPositionFromOpacity(static_cast<uint8_t>(c.opacity)), c.position)
        << "opacity " << c.opacity;
  }
}

TEST(SliderMapping, OpacityComesBackFromEveryPosition) {
  for (int position = 0; position <= kOpacitySliderMax; ++position) {
    const uint8_t opacity = OpacityFromSliderPosition(position);
    EXPECT_EQ(opacity, 255 - position);
    EXPECT_EQ(SliderPositionFromOpacity(opacity), position);
  }
}

TEST(SliderMapping, StoredOpacityBelowFiftyComesBackAsFifty) {
  for (int opacity = 0; opacity < 50; ++opacity) {
    EXPECT_EQ(OpacityFromSliderPosition(SliderPositionFromOpacity(static_cast<uint8_t>(opacity))),
              50);
  }
}

TEST(SliderMapping, PositionsBeyondTheRangeCountAsItsEnds) {
  EXPECT_EQ(OpacityFromSliderPosition(-1), 255);
  EXPECT_EQ(OpacityFromSliderPosition(206), 50);
  EXPECT_EQ(OpacityFromSliderPosition(1000), 50);
}

TEST(HotKeyMapping, ModifiersMoveBetweenTheTwoLayouts) {
  const struct {
    uint32_t stored;
    uint16_t control;
  } cases[] = {
      {0x30041, 0x0641},  // Ctrl+Alt+A, the default
      {0x10041, 0x0441},  // Alt
      {0x20041, 0x0241},  // Ctrl
      {0x40041, 0x0141},  // Shift
      {0x70070, 0x0770},  // Ctrl+Alt+Shift+F1
      {0x0005A, 0x005A},  // no modifier
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HotKeyControlValue(c.stored), c.control) << std::hex << c.stored;
    EXPECT_EQ(HotKeyFromControlValue(c.control), c.stored) << std::hex << c.control;
  }
}

TEST(HotKeyMapping, ExtendedKeyFlagIsDropped) {
  EXPECT_EQ(HotKeyFromControlValue(0x0E2D), 0x3002Du);  // Ctrl+Alt+Insert, extended
  EXPECT_EQ(HotKeyFromControlValue(0x0800 | 0x21), 0x21u);
}

TEST(HotKeyMapping, BitsOutsideKeyAndModifiersAreNotShown) {
  EXPECT_EQ(HotKeyControlValue(0xFFF80041u), 0x0041);
  EXPECT_EQ(HotKeyControlValue(0x0000FF41u), 0x0041);
}

TEST(OkValidation, EveryCombination) {
  const std::string folder = "Enter a valid folder for your AIM Histories.";
  const std::string host = "Enter the path to your AIM executable.";
  const struct {
    bool historyOn, folderIsDirectory, hostPathIsFile;
    bool accepted;
    const std::string* message;
    PreferenceField focus;
  } cases[] = {
      {true, true, true, true, nullptr, PreferenceField::kHistoryFolder},
      {false, false, true, true, nullptr, PreferenceField::kHistoryFolder},
      {false, true, true, true, nullptr, PreferenceField::kHistoryFolder},
      {true, false, true, false, &folder, PreferenceField::kHistoryFolder},
      {true, false, false, false, &folder, PreferenceField::kHistoryFolder},
      {true, true, false, false, &host, PreferenceField::kHostPath},
      {false, false, false, false, &host, PreferenceField::kHostPath},
      {false, true, false, false, &host, PreferenceField::kHostPath},
  };
  for (const auto& c : cases) {
    const OkDecision d = DecideOk(c.historyOn, false, c.folderIsDirectory, c.hostPathIsFile);
    SCOPED_TRACE(testing::Message() << c.historyOn << c.folderIsDirectory << c.hostPathIsFile);
    EXPECT_EQ(d.accepted, c.accepted);
    if (c.message == nullptr) continue;
    EXPECT_EQ(d.message, *c.message);
    EXPECT_EQ(d.focus, c.focus);
  }
}

TEST(OkValidation, AFolderWithoutItsDriveOrShareIsRefusedFirstWhileHistoryIsOn) {
  const std::string relative =
      "Enter the full path of the folder for your AIM Histories, beginning with its drive "
      "(such as C:\\) or its network share (such as \\\\server\\share).";
  for (bool folderIsDirectory : {true, false}) {
    for (bool hostPathIsFile : {true, false}) {
      const OkDecision d = DecideOk(true, true, folderIsDirectory, hostPathIsFile);
      EXPECT_FALSE(d.accepted);
      EXPECT_EQ(d.message, relative);
      EXPECT_EQ(d.focus, PreferenceField::kHistoryFolder);
    }
  }
  // History off: its folder is not checked, as any other folder text.
  EXPECT_TRUE(DecideOk(false, true, false, true).accepted);
}

}  // namespace
}  // namespace corvane
