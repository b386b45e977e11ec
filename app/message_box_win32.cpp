// showMessage: the box and the disabling and lowering of the thread's windows around it.
#include "message_box_win32.h"

#include <windows.h>

#include <vector>

namespace {

// A visible top-level window of this thread, with what was done to it for the box.
struct NotedWindow {
  HWND window;
  bool disabled;
  bool lowered;
};

BOOL CALLBACK noteVisibleWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) {
    reinterpret_cast<std::vector<NotedWindow>*>(list)->push_back({window, false, false});
  }
  return TRUE;
}

HWND foregroundWindowOfThisProcess() {
  const HWND foreground = GetForegroundWindow();
  if (!foreground) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : nullptr;
}

}  // namespace

void showMessageBox(const std::string& title, const std::string& text) {
  const HWND foreground = GetForegroundWindow();
  const HWND owner = foregroundWindowOfThisProcess();

  std::vector<NotedWindow> noted;
  EnumThreadWindows(GetCurrentThreadId(), noteVisibleWindow, reinterpret_cast<LPARAM>(&noted));
  for (NotedWindow& entry : noted) {
    if (entry.window != foreground && IsWindowEnabled(entry.window)) {
      EnableWindow(entry.window, FALSE);
      entry.disabled = true;
    }
    // A topmost window of ours would cover the box.
    if ((GetWindowLongA(entry.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
      SetWindowPos(entry.window, HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      entry.lowered = true;
    }
  }

  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK);

  // Only what was changed above is undone: a window that was disabled or not topmost before
  // stays so.
  for (const NotedWindow& entry : noted) {
    if (!IsWindow(entry.window)) continue;
    if (entry.disabled) EnableWindow(entry.window, TRUE);
    if (entry.lowered) {
      SetWindowPos(entry.window, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}
