// Centring the main window on the primary screen.
#include "window_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(CentredOffset, CentresOrGoesToZero) {
  struct Case {
    int32_t outer, screen, expected;
  };
  const Case cases[] = {
      {656, 1280, 312},  // 640 client plus frame on a 1280 screen
      {539, 1024, 242},  // odd remainder: whole pixels, rounded down
      {1024, 1024, 0},   // exactly the screen
      {2000, 1024, 0},   // larger than the screen
      {0, 800, 400},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(centredOffset(c.outer, c.screen), c.expected) << c.outer << " on " << c.screen;
  }
}

}  // namespace
