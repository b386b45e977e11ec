// Keyboard focus: Tab and Shift+Tab move it between the two fields without typing a tab, and
// it comes back to the same field after another window had the activation.
#include <windows.h>

#include "input.h"
#include "other_window.h"
#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

bool expectFocus(AppSession& app, HWND field, const std::string& after) {
  const char* name = field == app.textField ? "text field" : "separator field";
  return app.report().check(waitUntil([&] { return app.focus() == field; }),
                            std::string("focus in the ") + name + " after " + after);
}

void tabAndShiftTab(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start() || !typeIntoField(app, app.textField, {"apple"})) return;
  struct Step {
    std::vector<WORD> keys;
    const char* name;
    bool toSeparator;
  };
  const Step steps[] = {
      {{VK_TAB}, "Tab", true},
      {{VK_TAB}, "a second Tab (wrapping)", false},
      {{VK_SHIFT, VK_TAB}, "Shift+Tab (wrapping)", true},
      {{VK_SHIFT, VK_TAB}, "a second Shift+Tab", false},
  };
  for (const Step& step : steps) {
    chord(step.keys);
    if (!expectFocus(app, step.toSeparator ? app.separatorField : app.textField, step.name)) return;
  }
  // Typing after the moves shows where the keys went; no tab character may be among them.
  typeText("z");
  waitUntil([&] { return textOf(app.textField) != "apple"; });
  report.equal("text field after the moves and typing z", textOf(app.textField),
               std::string("applez"));
  report.equal("separator field after the moves", textOf(app.separatorField), std::string(". "));
}

// Clicks the panel's left frame line: a spot of the window that no field covers. (A click on
// the caption would start Wine's own window-move loop, which without a window manager does not
// always end with the button release.)
bool clickPanelFrame(AppSession& app) {
  const RECT panel = screenRect(app.panel);
  const POINT frame{panel.left, (panel.top + panel.bottom) / 2};
  if (!app.report().check(WindowFromPoint(frame) == app.panel,
                          "the panel's frame line is on top at " + std::to_string(frame.x) + "," +
                              std::to_string(frame.y))) {
    return false;
  }
  click(frame);
  return true;
}

// Under load Wine now and then drops a click that lands while the window is still being mapped:
// click again, a few times, until the window is in front.
bool clickUntilForeground(HWND window) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    click(centreOf(screenRect(window)));
    if (waitUntil([&] { return GetForegroundWindow() == window; }, 5000)) return true;
  }
  return false;
}

void focusComesBack(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  OtherWindow other;
  for (HWND field : {app.separatorField, app.textField}) {
    click(centreOf(screenRect(field)));
    parkMouse();
    if (!expectFocus(app, field, "a click into it")) return;
    if (!report.check(clickUntilForeground(other.handle()),
                      "a click on another window activates it")) {
      return;
    }
    report.check(app.focus() == nullptr, "the program has no focus while another window is active");

    if (!clickPanelFrame(app)) return;
    parkMouse();
    if (!report.check(waitUntil([&] { return GetForegroundWindow() == app.window; }),
                      "a click on the panel's frame activates the program's window again")) {
      return;
    }
    expectFocus(app, field, "the window was activated again");
  }
}

}  // namespace

void addFocusScenarios(Scenarios* scenarios) {
  scenarios->push_back({"tab-and-shift-tab", std::nullopt, false, tabAndShiftTab});
  scenarios->push_back({"focus-after-reactivation", std::nullopt, false, focusComesBack});
}

}  // namespace e2e
