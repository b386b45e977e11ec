// The program's menu as the probe reads it, and choosing an item with real clicks.
#pragma once

#include <string>
#include <vector>

#include "app_session.h"

namespace e2e {

struct MenuItem {
  std::string path;  // "1" for the second title of the bar, "1.0" for its first item
  unsigned type = 0;
  unsigned state = 0;
  unsigned id = 0;
  std::string text;
  bool hasDropDown = false;
  bool customCheckMarks = false;  // own bitmaps instead of the ordinary tick
};

// Every item of the menu bar, depth first; empty (and reported) when it cannot be read.
std::vector<MenuItem> readMenu(AppSession& app);
// Whether the item at the path carries a check mark.
bool isChecked(AppSession& app, const std::string& path);
// Clicks the bar title, waits for its drop-down and clicks the item; false when it cannot.
bool chooseMenuItem(AppSession& app, int title, int item);

}  // namespace e2e
