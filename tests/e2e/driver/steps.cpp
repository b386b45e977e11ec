// Shared user actions.
#include "steps.h"

#include <windows.h>

#include "files.h"
#include "input.h"
#include "menu.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {

std::string editLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

bool typeIntoField(AppSession& app, HWND field, const std::vector<std::string>& lines) {
  Report& report = app.report();
  click(centreOf(screenRect(field)));
  if (!report.check(waitUntil([&] { return app.focus() == field; }),
                    "a click into a field gives it the focus")) {
    return false;
  }
  chord({VK_CONTROL, VK_END});
  chord({VK_CONTROL, VK_SHIFT, VK_HOME});
  tap(VK_DELETE);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) tap(VK_RETURN);
    typeText(lines[i]);
  }
  parkMouse();
  const std::string expected = editLines(lines);
  if (waitUntil([&] { return textOf(field) == expected; })) return true;
  return report.equal("text typed into the field", textOf(field), expected);
}

bool numberAndExpect(AppSession& app, const std::string& expected) {
  if (!chooseMenuItem(app, kFileMenu, kNumberItem)) return false;
  if (waitUntil([&] { return textOf(app.textField) == expected; })) return true;
  return app.report().equal("text field after Number!", textOf(app.textField), expected);
}

bool chooseMode(AppSession& app, int item) {
  if (!chooseMenuItem(app, kOptionsMenu, item)) return false;
  const std::string path = std::to_string(kOptionsMenu) + "." + std::to_string(item);
  return app.report().check(waitUntil([&] { return isChecked(app, path); }),
                            "the chosen Options item gets its check mark");
}

void expectModeChecks(AppSession& app, bool arabic, bool roman) {
  const std::string options = std::to_string(kOptionsMenu) + ".";
  app.report().equal("\"Arabic numbers\" checked",
                     isChecked(app, options + std::to_string(kArabicItem)), arabic);
  app.report().equal("\"Roman Numbers\" checked",
                     isChecked(app, options + std::to_string(kRomanItem)), roman);
}

bool clickCaptionButton(AppSession& app, LRESULT hit) {
  const RECT frame = screenRect(app.window);
  const int y = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  int right = -1;
  int left = -1;
  for (int x = frame.right - 1; x > frame.left; --x) {
    const bool onButton = sendTo(app.window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit;
    if (onButton && right < 0) right = x;
    if (onButton) left = x;
    if (!onButton && right >= 0) break;
  }
  if (!app.report().check(right >= 0,
                          "the caption has the button with hit-test code " + std::to_string(hit))) {
    return false;
  }
  click({(left + right) / 2, y});
  return true;
}

void saveScreenshot(AppSession& app) {
  // The runner script watches for the request, grabs the screen with xwd and answers.
  const RECT rect = screenRect(app.window);
  const std::string request = std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                              std::to_string(rect.right - rect.left) + " " +
                              std::to_string(rect.bottom - rect.top) + "\n";
  parkMouse();
  if (!app.report().check(writeFileBytes("screenshot.request", request),
                          "screenshot request written")) {
    return;
  }
  std::optional<std::string> answer;
  waitUntil([&] { return (answer = readFileBytes("screenshot.done")).has_value(); });
  app.report().check(answer && answer->rfind("ok", 0) == 0,
                     "screenshot saved: " + (answer ? *answer : std::string("no answer")));
}

}  // namespace e2e
