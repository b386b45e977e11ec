// The probe's answers: each reads one kind of user-interface state of this process, which only
// code running inside the process can read under Wine, and renders it as reply lines.
#pragma once

#include <windows.h>

#include <string>

namespace probe {

// "bar<TAB>count", then one "item" line per menu item, depth first, paths such as "0.2".
std::string reportMenu(HWND window);
// Screen rectangle of the item at a path ("1" on the bar, "0.2" in an open drop-down).
std::string reportMenuItemRect(HWND window, const std::string& path);
// Class name, class style and whether cursor, background and icon are the expected ones.
std::string reportClass(HWND window);
// Whether the window's font is the stock DEFAULT_GUI_FONT.
std::string reportFont(HWND window);
// Every tooltip control of this process with its styles, owner and tools.
std::string reportTooltips();
// The images of the executable's icon group resource 1.
std::string reportIconResource();

// Reply helpers shared by the reports.
std::string handleText(const void* handle);
HWND parseWindow(const std::string& text);

}  // namespace probe
