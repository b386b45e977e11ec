// What showMessage changes on the thread's windows for its box, and so undoes afterwards.
#include "message_box_guard.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxGuard, ChangesOnlyWhatItWillUndo) {
  struct Case {
    const char* name;
    WindowBeforeBox before;
    bool disabled;
    bool lowered;
  };
  const Case cases[] = {
      // Not lowered, so never made topmost after the box.
      {"enabled window behind the box", {true, false, false}, true, false},
      // The box's owner: MessageBoxA disables and enables it itself.
      {"foreground window", {true, false, true}, false, false},
      {"window disabled before: stays disabled after", {false, false, false}, false, false},
      {"topmost window", {true, true, false}, true, true},
      {"topmost foreground window", {true, true, true}, false, true},
  };
  for (const Case& c : cases) {
    const WindowChangeForBox change = changeForMessageBox(c.before);
    EXPECT_EQ(change.disabled, c.disabled) << c.name;
    EXPECT_EQ(change.lowered, c.lowered) << c.name;
  }
}

}  // namespace
