// The main window's menu bar: "File" and "Options" with their items, and the check marks.
#pragma once

#include <windows.h>

#include <cstdint>

class MenuBar {
 public:
  // Builds the bar and attaches it to the window; false leaves the window without a menu.
  bool create(HWND window);
  // Reads the item's state and sets or clears only its MFS_CHECKED bit.
  void setItemChecked(int32_t item, bool checked);

 private:
  HMENU options_ = nullptr;
};
