// showMessage: the box and the disabling and lowering of the thread's windows around it.
#include "message_box_win32.h"

#include <windows.h>

#include <vector>

#include "message_box_guard.h"

namespace {

// A visible top-level window of this thread, with what was done to it for the box.
struct NotedWindow {
  HWND window;
  WindowChangeForBox change;
};

BOOL CALLBACK noteVisibleWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) {
    reinterpret_cast<std::vector<NotedWindow>*>(list)->push_back({window, {}});
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
    WindowBeforeBox before;
    before.enabled = IsWindowEnabled(entry.window) != FALSE;
    before.topmost = (GetWindowLongA(entry.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    before.foreground = entry.window == foreground;
    entry.change = changeForMessageBox(before);
    if (entry.change.disabled) EnableWindow(entry.window, FALSE);
    // A topmost window of ours would cover the box.
    if (entry.change.lowered) {
      SetWindowPos(entry.window, HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }

  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK);

  for (const NotedWindow& entry : noted) {
    if (!IsWindow(entry.window)) continue;
    if (entry.change.disabled) EnableWindow(entry.window, TRUE);
    if (entry.change.lowered) {
      SetWindowPos(entry.window, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}
