// The disable and lower rule around the message box.
#include "message_box_guard.h"

WindowChangeForBox changeForMessageBox(const WindowBeforeBox& window) {
  WindowChangeForBox change;
  change.disabled = window.enabled && !window.foreground;
  change.lowered = window.topmost;
  return change;
}
