#include "viewer/framework/size_grip.h"

namespace corvane {

LayoutRect SizeGripRect(const LayoutRect& client, int grip_width, int grip_height) {
  LayoutRect grip = client;
  grip.left = client.right - grip_width;
  grip.top = client.bottom - grip_height;
  return grip;
}

bool IsOnSizeGrip(const LayoutRect& grip, int x, int y) {
  return x >= 0 && y >= 0 && x >= grip.left && x < grip.right && y >= grip.top && y < grip.bottom;
}

}  // namespace corvane
