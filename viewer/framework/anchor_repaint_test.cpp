#include "viewer/framework/anchor_repaint.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace corvane {
namespace {

constexpr std::uint32_t kChildVisibleTabStop = 0x50010000;

TEST(IsGroupBoxStyle, LooksAtTheButtonTypeOnly) {
  const struct {
    std::uint32_t style;
    bool groupBox;
  } cases[] = {
      {0x07, true},  {kChildVisibleTabStop | 0x07, true}, {0x00, false},  // push button
      {0x03, false},                                                      // check box
      {0x09, false},                                                      // radio button
      {0x17, true},  // type 7 with a higher style bit
      {0x0F, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsGroupBoxStyle(c.style), c.groupBox) << std::hex << c.style;
  }
}

TEST(CoversItsRectangle, AllButGroupBoxesAndTransparentWindows) {
  const struct {
    const char* upperClass;
    std::uint32_t style;
    std::uint32_t exStyle;
    bool covers;
  } cases[] = {
      {"BUTTON", kChildVisibleTabStop, 0, true},         // push button
      {"BUTTON", kChildVisibleTabStop | 0x03, 0, true},  // check box
      {"BUTTON", 0x07, 0, false},                        // group box
      {"BUTTON", kChildVisibleTabStop | 0x07, 0, false},
      {"STATIC", 0x02, 0, true},                         // right-aligned text
      {"STATIC", kChildVisibleTabStop | 0x03, 0, true},  // icon
      {"STATIC", 0x04, 0, true},                         // black rectangle
      {"STATIC", 0x0E, 0, true},                         // bitmap
      {"STATIC", 0x07, 0, false},                        // black frame
      {"STATIC", 0x08, 0, false},                        // grey frame
      {"STATIC", 0x09, 0, false},                        // white frame
      {"STATIC", 0x0D, 0, false},                        // owner-drawn
      {"STATIC", 0x10, 0, false},                        // etched line
      {"STATIC", 0x12, 0, false},                        // etched frame
      {"LISTBOX", 0, 0x200, true},                       // client edge
      {"RICHEDIT50W", 0, 0, true},
      {"STATIC", 0x02, 0x20, false},  // transparent
      {"BUTTON", 0x00, 0x20, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CoversItsRectangle(c.upperClass, c.style, c.exStyle), c.covers)
        << c.upperClass << ' ' << std::hex << c.style << ' ' << c.exStyle;
  }
}

TEST(StaticNeedsRepaint, AlignedTextAndCentredImages) {
  const struct {
    std::uint32_t style;
    bool repaint;
  } cases[] = {
      {0x00, true},                         // left
      {0x01, true},                         // centre
      {0x02, true},                         // right
      {kChildVisibleTabStop | 0x02, true},  // right, with window styles
      {0x03, false},                        // icon
      {0x0E, false},                        // bitmap
      {0x0E | 0x200, true},                 // centred bitmap
      {0x0B, false},                        // simple text
      {0x0B | 0x200, false},                // simple text, even centred
      {0x02 | 0x100, true},                 // right, with notify
      {0x1F, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StaticNeedsRepaint(c.style), c.repaint) << std::hex << c.style;
  }
}

TEST(ListBoxNeedsRepaint, WhenTheScrollPositionIsBeyondTheNewRange) {
  const LayoutRect current{0, 0, 100, 80};
  const struct {
    const char* what;
    int limit;
    int position;
    LayoutRect target;
    bool repaint;
  } cases[] = {
      {"no horizontal extent", 0, 50, {0, 0, 200, 80}, false},
      {"not scrolled", 300, 0, {0, 0, 200, 80}, false},
      {"widened, position still in range", 300, 150, {0, 0, 200, 80}, false},
      {"widened, position exactly at the end", 300, 200, {0, 0, 200, 80}, false},
      {"widened past the position", 300, 201, {0, 0, 200, 80}, true},
      {"narrowed", 300, 350, {0, 0, 50, 80}, false},
      {"same width", 300, 301, {10, 0, 110, 80}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ListBoxNeedsRepaint(c.limit, c.position, current, c.target), c.repaint) << c.what;
  }
}

}  // namespace
}  // namespace corvane
