// Centring the main window.
#include "window_placement.h"

#include <algorithm>

int32_t centredOffset(int32_t outer, int32_t screen) {
  return (screen - std::min(outer, screen)) / 2;
}
