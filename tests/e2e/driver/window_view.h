// Reading another process's windows with the calls Wine serves across processes: texts by
// message, rectangles, styles, classes, the focus.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// SendMessage with a deadline, so that a hung program fails a check instead of the run.
constexpr unsigned kSendTimeoutMs = 5000;
LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
               unsigned timeoutMs = kSendTimeoutMs);

// WM_GETTEXT, which crosses processes; megabytes of text take longer than the usual deadline.
std::string textOf(HWND window, unsigned timeoutMs = kSendTimeoutMs);
void setText(HWND window, const std::string& text);
std::string classOf(HWND window);
LONG_PTR styleOf(HWND window);
LONG_PTR exStyleOf(HWND window);

// A child's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child);
RECT screenRect(HWND window);
RECT clientRect(HWND window);
POINT centreOf(const RECT& rect);
std::string describe(const RECT& rect);
bool sameRect(const RECT& a, const RECT& b);

// The program's GUI thread state: focus and active window.
HWND focusOf(DWORD threadId);
HWND activeOf(DWORD threadId);

// Visible top-level windows of a process with the given class ("" for any).
std::vector<HWND> topLevelWindows(DWORD processId, const std::string& className);
// Children of a window in z-order (the first created first).
std::vector<HWND> childrenOf(HWND parent);

}  // namespace e2e
