// The Options menu's check marks.
#include "mode_menu.h"

#include <string>

#include "main_window.h"
#include "ui_numbers.h"

void updateModeMenu(NumberingMode mode, MainWindow& window) {
  if (mode == kArabicNumbering) {
    window.setMenuItemChecked(kArabicItem, true);
    window.setMenuItemChecked(kRomanItem, false);
  } else if (mode == kRomanNumbering) {
    window.setMenuItemChecked(kArabicItem, false);
    window.setMenuItemChecked(kRomanItem, true);
  } else {
    window.showMessage("Options", "unknown value:" + std::to_string(mode));
  }
}
