#include "viewer/framework/size_grip.h"

namespace corvane {

LayoutRect SizeGripRect(const LayoutRect& client, int gripWidth, int gripHeight) {
  LayoutRect grip = client;
  grip.left = client.right - gripWidth;
  grip.top = client.bottom - gripHeight;
  return grip;
}

bool IsOnSizeGrip(const LayoutRect& grip, int x, int y) {
  return x >= 0 && y >= 0 && x >= grip.left && x < grip.right && y >= grip.top && y < grip.bottom;
}

}  // namespace corvane
