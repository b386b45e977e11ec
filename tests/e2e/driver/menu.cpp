// Reading the menu through the probe and choosing items with the mouse.
#include "menu.h"

#include <windows.h>

#include <cstdlib>

#include "input.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

unsigned number(const std::string& text) {
  return static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 10));
}

// The screen rectangle of an item, once the probe can tell it (a drop-down item only while open).
bool itemRect(AppSession& app, const std::string& path, RECT* rect) {
  std::vector<Row> rows;
  std::string error;
  ProbeClient client(app.processId());
  if (!client.ask("menurect " + app.handle(app.window) + " " + path, &rows, &error) ||
      rows.empty() || rows[0].size() != 5) {
    return false;
  }
  *rect = {std::atoi(rows[0][1].c_str()), std::atoi(rows[0][2].c_str()),
           std::atoi(rows[0][3].c_str()), std::atoi(rows[0][4].c_str())};
  return rect->right > rect->left && rect->bottom > rect->top;
}

bool dropDownOpen(AppSession& app) {
  return !topLevelWindows(app.processId(), "#32768").empty();
}

}  // namespace

std::vector<MenuItem> readMenu(AppSession& app) {
  std::vector<MenuItem> items;
  for (const Row& row : app.probe("menu " + app.handle(app.window))) {
    if (row[0] != "item" || row.size() != 9) continue;
    items.push_back({row[1], number(row[2]), number(row[3]), number(row[4]), row[5], row[6] == "1",
                     row[7] != "0" || row[8] != "0"});
  }
  return items;
}

bool isChecked(AppSession& app, const std::string& path) {
  for (const MenuItem& item : readMenu(app)) {
    if (item.path == path) return (item.state & MFS_CHECKED) != 0;
  }
  app.report().check(false, "the menu has an item " + path);
  return false;
}

bool chooseMenuItem(AppSession& app, int title, int item) {
  Report& report = app.report();
  const std::string titlePath = std::to_string(title);
  const std::string itemPath = titlePath + "." + std::to_string(item);
  RECT titleRect{};
  if (!report.check(itemRect(app, titlePath, &titleRect),
                    "menu title " + titlePath + " has a place on the bar")) {
    return false;
  }
  click(centreOf(titleRect));
  RECT itemRectOnScreen{};
  if (!report.check(waitUntil([&] {
                      return dropDownOpen(app) && itemRect(app, itemPath, &itemRectOnScreen);
                    }),
                    "the drop-down of menu title " + titlePath + " opens on a click")) {
    return false;
  }
  click(centreOf(itemRectOnScreen));
  return report.check(waitUntil([&] { return !dropDownOpen(app) || !app.running(); }),
                      "the drop-down closes after clicking item " + itemPath);
}

}  // namespace e2e
