// Menu bar contents and item rectangles. Under Wine a menu handle means nothing outside the
// process that made it, so these are read here.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "reports.h"

namespace probe {
namespace {

void reportItems(HMENU menu, const std::string& prefix, std::string* out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_CHECKMARKS;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
      *out += "error\tGetMenuItemInfo failed at " + prefix + std::to_string(i) + "\n";
      continue;
    }
    const std::string path = prefix + std::to_string(i);
    *out += "item\t" + path + "\t" + std::to_string(info.fType) + "\t" +
            std::to_string(info.fState) + "\t" + std::to_string(info.wID) + "\t" + text + "\t" +
            (info.hSubMenu ? "1" : "0") + "\t" + handleText(info.hbmpChecked) + "\t" +
            handleText(info.hbmpUnchecked) + "\n";
    if (info.hSubMenu) reportItems(info.hSubMenu, path + ".", out);
  }
}

}  // namespace

std::string reportMenu(HWND window) {
  HMENU bar = GetMenu(window);
  if (!bar) return "ok\nbar\t-1\n";
  std::string out = "ok\nbar\t" + std::to_string(GetMenuItemCount(bar)) + "\n";
  reportItems(bar, "", &out);
  return out;
}

std::string reportMenuItemRect(HWND window, const std::string& path) {
  HMENU menu = GetMenu(window);
  HWND owner = window;
  const char* cursor = path.c_str();
  for (;;) {
    char* end = nullptr;
    const long index = std::strtol(cursor, &end, 10);
    if (end == cursor || !menu) return "error\tbad path " + path + "\n";
    if (*end == '\0') {
      RECT rect{};
      // A drop-down's items have a rectangle only while it is open; its window is then known to
      // the menu, hence no window here.
      if (!GetMenuItemRect(owner, menu, static_cast<UINT>(index), &rect)) {
        return "error\tno rectangle for " + path + "\n";
      }
      return "ok\nrect\t" + std::to_string(rect.left) + "\t" + std::to_string(rect.top) + "\t" +
             std::to_string(rect.right) + "\t" + std::to_string(rect.bottom) + "\n";
    }
    menu = GetSubMenu(menu, static_cast<int>(index));
    owner = nullptr;
    cursor = end + 1;
  }
}

}  // namespace probe
