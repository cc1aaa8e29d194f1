#include "viewer/framework/anchor_repaint.h"

#include <algorithm>
#include <iterator>

namespace corvane {
namespace {

constexpr std::uint32_t kButtonTypeMask = 0x0F;
constexpr std::uint32_t kGroupBox = 0x07;
constexpr std::uint32_t kStaticTypeMask = 0x1F;
constexpr std::uint32_t kStaticRight = 0x02;
constexpr std::uint32_t kStaticSimple = 0x0B;
constexpr std::uint32_t kStaticCenterImage = 0x200;
constexpr std::uint32_t kTransparentWindow = 0x20;
// Black, grey and white frames; owner-drawn; etched lines and frame.
constexpr std::uint32_t kStaticSeeThroughTypes[] = {0x07, 0x08, 0x09, 0x0D, 0x10, 0x11, 0x12};

}  // namespace

bool IsGroupBoxStyle(std::uint32_t style) { return (style & kButtonTypeMask) == kGroupBox; }

bool CoversItsRectangle(std::string_view upperClass, std::uint32_t style, std::uint32_t exStyle) {
  if ((exStyle & kTransparentWindow) != 0) return false;
  if (upperClass == "BUTTON") return !IsGroupBoxStyle(style);
  if (upperClass == "STATIC") {
    const std::uint32_t type = style & kStaticTypeMask;
    return std::none_of(std::begin(kStaticSeeThroughTypes), std::end(kStaticSeeThroughTypes),
                        [type](std::uint32_t seeThrough) { return type == seeThrough; });
  }
  return true;
}

bool StaticNeedsRepaint(std::uint32_t style) {
  const std::uint32_t type = style & kStaticTypeMask;
  if (type == kStaticSimple) {
    return false;
  }
  return type <= kStaticRight || (style & kStaticCenterImage) != 0;
}

bool ListBoxNeedsRepaint(int scrollLimit, int scrollPosition, const LayoutRect& current,
                         const LayoutRect& target) {
  return scrollLimit > 0 && scrollLimit + Width(current) - Width(target) < scrollPosition;
}

}  // namespace corvane
