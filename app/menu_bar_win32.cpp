// Menu bar construction and check marks.
#include "menu_bar_win32.h"

#include "ui_numbers.h"

namespace {

bool appendItem(HMENU menu, int32_t item, const char* text) {
  return AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item), text) != FALSE;
}

bool appendPopup(HMENU bar, HMENU popup, const char* title) {
  return AppendMenuA(bar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title) != FALSE;
}

}  // namespace

bool MenuBar::create(HWND window) {
  const HMENU bar = CreateMenu();
  const HMENU file = CreatePopupMenu();
  const HMENU options = CreatePopupMenu();
  bool built = bar && file && options;
  built = built && appendItem(file, kNumberItem, "Number!") &&
          AppendMenuA(file, MF_SEPARATOR, 0, nullptr) && appendItem(file, kQuitItem, "Quit");
  built = built && appendItem(options, kArabicItem, "Arabic numbers") &&
          appendItem(options, kRomanItem, "Roman Numbers");
  // Once appended, a popup belongs to the bar and goes when the bar is destroyed.
  const bool fileAttached = built && appendPopup(bar, file, "File");
  const bool optionsAttached = fileAttached && appendPopup(bar, options, "Options");
  if (optionsAttached && SetMenu(window, bar)) {
    options_ = options;
    return true;
  }

  if (options && !optionsAttached) DestroyMenu(options);
  if (file && !fileAttached) DestroyMenu(file);
  if (bar) DestroyMenu(bar);
  return false;
}

void MenuBar::setItemChecked(int32_t item, bool checked) {
  if (!options_) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!GetMenuItemInfoA(options_, static_cast<UINT>(item), FALSE, &info)) return;
  if (checked) {
    info.fState |= MFS_CHECKED;
  } else {
    info.fState &= ~static_cast<UINT>(MFS_CHECKED);
  }
  SetMenuItemInfoA(options_, static_cast<UINT>(item), FALSE, &info);
}
