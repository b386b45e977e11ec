// What showMessage does to each visible top-level window of the thread while its box is up, and
// so what it undoes afterwards.
#pragma once

struct WindowBeforeBox {
  bool enabled = false;
  bool topmost = false;
  bool foreground = false;
};

struct WindowChangeForBox {
  bool disabled = false;  // disabled for the box, enabled again after it
  bool lowered = false;   // made non-topmost for the box, topmost again after it
};

// Every enabled window but the foreground one is disabled and every topmost one lowered. Only
// those changes are undone afterwards: a window that was disabled or not topmost stays so.
WindowChangeForBox changeForMessageBox(const WindowBeforeBox& window);
