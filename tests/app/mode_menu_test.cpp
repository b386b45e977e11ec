// The Options menu's check marks for each mode, and the message for an unrecognised one.
#include "mode_menu.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "fake_program.h"

namespace {

TEST(UpdateModeMenu, ChecksOneItemOrReportsTheMode) {
  struct Case {
    NumberingMode mode;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {1, {"check 2", "uncheck 3"}},
      {2, {"uncheck 2", "check 3"}},
      {7, {"message Options: unknown value:7"}},
      {0, {"message Options: unknown value:0"}},
      {-5, {"message Options: unknown value:-5"}},
      {INT32_MIN, {"message Options: unknown value:-2147483648"}},
  };
  for (const Case& c : cases) {
    FakeProgram window;
    updateModeMenu(c.mode, window);
    EXPECT_EQ(window.log, c.calls) << "mode " << c.mode;
  }
}

}  // namespace
