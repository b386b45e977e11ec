// A plain window of the driver's own, for taking the activation away from the program.
#pragma once

#include <windows.h>

namespace e2e {

class OtherWindow {
 public:
  OtherWindow();
  ~OtherWindow();
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;

  HWND handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace e2e
