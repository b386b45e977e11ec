// A bare Win32 program that opens one empty window of the main window's size: the reference
// that the start-up and shutdown figures of the bench are compared with.
#include <windows.h>

namespace {

LRESULT CALLBACK bareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = bareWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "BareWindow";
  if (!RegisterClassA(&windowClass)) return 1;

  RECT frame{0, 0, 640, 480};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExA(0, "BareWindow", "Bare window", WS_OVERLAPPEDWINDOW, x, y, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);

  // Same loop shape as the tool's: Escape is tested before every wait.
  MSG message;
  for (;;) {
    if (GetAsyncKeyState(VK_ESCAPE) & 0x8000) break;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
  return 0;
}
