#include "anchor_repaint.h"

namespace corvane {
namespace {

constexpr std::uint32_t kButtonTypeMask = 0x0F;
constexpr std::uint32_t kGroupBox = 0x07;
constexpr std::uint32_t kStaticTypeMask = 0x1F;
constexpr std::uint32_t kStaticRight = 0x02;
constexpr std::uint32_t kStaticSimple = 0x0B;
constexpr std::uint32_t kStaticCenterImage = 0x200;

}  // namespace

bool IsGroupBoxStyle(std::uint32_t style) { return (style & kButtonTypeMask) == kGroupBox; }

bool StaticNeedsRepaint(std::uint32_t style) {
  const std::uint32_t type = style & kStaticTypeMask;
  if (type == kStaticSimple) {
    return false;
  }
  return type <= kStaticRight || (style & kStaticCenterImage) != 0;
}

bool ListBoxNeedsRepaint(int scroll_limit, int scroll_position, const LayoutRect& current, const LayoutRect& target) {
  return scroll_limit > 0 && scroll_limit + Width(current) - Width(target) < scroll_position;
}

}  // namespace corvane
