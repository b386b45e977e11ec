// Cross-process window reads.
#include "window_view.h"

#include <cstdio>

namespace e2e {

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam, unsigned timeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

std::string textOf(HWND window, unsigned timeoutMs) {
  const auto length = sendTo(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const auto copied =
      sendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeoutMs);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void setText(HWND window, const std::string& text) {
  sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string classOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

LONG_PTR styleOf(HWND window) {
  return GetWindowLongPtrA(window, GWL_STYLE);
}
LONG_PTR exStyleOf(HWND window) {
  return GetWindowLongPtrA(window, GWL_EXSTYLE);
}

RECT rectInParent(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT screenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT clientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

POINT centreOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string describe(const RECT& rect) {
  char text[96];
  std::snprintf(text, sizeof text, "(%ld,%ld) %ldx%ld", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
  return text;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

GUITHREADINFO threadInfo(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(threadId, &info)) return GUITHREADINFO{};
  return info;
}

struct WindowSearch {
  DWORD processId;
  std::string className;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->processId && IsWindowVisible(window) &&
      (search->className.empty() || classOf(window) == search->className)) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

HWND focusOf(DWORD threadId) {
  return threadInfo(threadId).hwndFocus;
}
HWND activeOf(DWORD threadId) {
  return threadInfo(threadId).hwndActive;
}

std::vector<HWND> topLevelWindows(DWORD processId, const std::string& className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

}  // namespace e2e
