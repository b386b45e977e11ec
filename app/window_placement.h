// Where the main window goes on the screen.
#pragma once

#include <cstdint>

// Offset along one axis that centres a window of `outer` pixels on a screen of `screen` pixels;
// a window larger than the screen goes to 0. The taskbar is not taken into account.
int32_t centredOffset(int32_t outer, int32_t screen);
