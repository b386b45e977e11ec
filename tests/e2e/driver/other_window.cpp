// The driver's window sits in the screen's top-left corner, clear of the program's centred one.
#include "other_window.h"

namespace e2e {

OtherWindow::OtherWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = "TolvaneE2eOtherWindow";
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
  window_ = CreateWindowExA(0, windowClass.lpszClassName, "Another program",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240, 120, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
}

OtherWindow::~OtherWindow() {
  if (window_) DestroyWindow(window_);
}

}  // namespace e2e
