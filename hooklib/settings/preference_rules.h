// How the preferences dialog turns settings into control values and back,
// and what OK decides, as plain values: the dialog procedure applies them.
#pragma once

#include <cstdint>

namespace corvane {

// Both opacity sliders run from 0 (opaque, 255) to 205 (opacity 50): the
// right end sits under the "Very Transparent" label.
inline constexpr int kOpacitySliderMax = 205;

// A stored opacity below 50 puts the slider at its right end.
int SliderPositionFromOpacity(uint8_t opacity);
// Positions outside the slider's range count as its nearest end.
uint8_t OpacityFromSliderPosition(int position);

// The hot-key control's 16-bit value: low byte the virtual key, high byte
// Shift 1, Ctrl 2, Alt 4, extended key 8.  The stored HotKey keeps the key in
// bits 0-7 and the hot-key registration's modifiers in bits 16-18: Alt 1,
// Ctrl 2, Shift 4.  Coming back, the extended-key flag is dropped.
uint16_t HotKeyControlValue(uint32_t hotKey);
uint32_t HotKeyFromControlValue(uint16_t controlValue);

enum class PreferenceField { kHistoryFolder, kHostPath };

struct OkDecision {
  bool accepted;
  const char* message;    // for the "Corvane Error" box when not accepted
  PreferenceField focus;  // the field at fault when not accepted
};

// History folder must be an existing directory only while history is on,
// given with its drive or share (the messenger and the viewer would each
// resolve a relative one against a folder of their own); the host path must
// always name an existing file.  The folder is reported first.  With
// history off the folder's controls are disabled and it is stored as typed:
// every reader of the setting takes a relative folder for none.
OkDecision DecideOk(bool historyOn, bool folderIsRelative, bool folderIsDirectory,
                    bool hostPathIsFile);

}  // namespace corvane
