// Tooltip controls and their tools. The tool list travels through pointers in messages, which
// Wine does not carry from one process to another.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <string>

#include "reports.h"

namespace probe {
namespace {

std::string reportTools(HWND tip) {
  const auto count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
  std::string out = "tip\t" + handleText(tip) + "\t" +
                    std::to_string(GetWindowLongPtrA(tip, GWL_STYLE)) + "\t" +
                    std::to_string(GetWindowLongPtrA(tip, GWL_EXSTYLE)) + "\t" +
                    handleText(GetWindow(tip, GW_OWNER)) + "\t" + std::to_string(count) + "\n";
  for (LRESULT i = 0; i < count; ++i) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    if (!SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&tool))) {
      out += "error\tTTM_ENUMTOOLS failed at " + std::to_string(i) + "\n";
      continue;
    }
    char text[1024] = {};
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    out += "tool\t" + std::to_string(i) + "\t" + std::to_string(tool.uFlags) + "\t" +
           handleText(tool.hwnd) + "\t" + std::to_string(tool.uId) + "\t" + text + "\n";
  }
  return out;
}

BOOL CALLBACK collectTooltip(HWND window, LPARAM lines) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (process == GetCurrentProcessId() && lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) {
    *reinterpret_cast<std::string*>(lines) += reportTools(window);
  }
  return TRUE;
}

}  // namespace

std::string reportTooltips() {
  std::string lines = "ok\n";
  EnumWindows(collectTooltip, reinterpret_cast<LPARAM>(&lines));
  return lines;
}

}  // namespace probe
