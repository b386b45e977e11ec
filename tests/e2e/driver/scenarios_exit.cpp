// The four ways out (Escape, Quit, the close box, Alt+F4) each save the settings and end the
// process with exit code 0.
#include <windows.h>

#include "files.h"
#include "input.h"
#include "menu.h"
#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

// The old file's extra comment, group and key are gone after the save; the separator field's
// text at exit is what is written.
const std::string kOldSettings =
    "[options]\r\nnumber = 2\r\nsepa = ) \r\n; a note\r\n[more]\r\nkey = value\r\n";
const std::string kTypedSeparator = "] ";
const std::string kSavedSettings = "[options]\r\nnumber = 2\r\nsepa = ] \r\n";

struct ExitCase {
  const char* name;
  bool (*leave)(AppSession& app);
};

bool holdEscape(AppSession& app) {
  // The program tests the key's physical state before each wait: it must still be down when
  // the key message wakes the loop, so it is held until the program has gone.
  keyDown(VK_ESCAPE);
  const bool ended = waitUntil([&] { return !app.running(); }, kExitTimeoutMs);
  keyUp(VK_ESCAPE);
  return ended;
}

bool chooseQuit(AppSession& app) {
  return chooseMenuItem(app, kFileMenu, kQuitItem);
}

bool clickCloseBox(AppSession& app) {
  return clickCaptionButton(app, HTCLOSE);
}

bool pressAltF4(AppSession&) {
  chord({VK_MENU, VK_F4});
  return true;
}

void runExit(const ExitCase& test, const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  report.equal("separator field from the settings", textOf(app.separatorField), std::string(")"));
  if (!typeIntoField(app, app.separatorField, {kTypedSeparator})) return;
  if (!report.check(test.leave(app), std::string("the way out (") + test.name + ") can be taken") ||
      !app.waitForExit(kExitTimeoutMs)) {
    return;
  }
  report.equal("exit code", app.exitCode(), DWORD{0});
  report.equal("num.ini after exit", readFileBytes(kSettingsFile).value_or("(missing)"),
               kSavedSettings);
}

}  // namespace

void addExitScenarios(Scenarios* scenarios) {
  static const ExitCase cases[] = {
      {"exit-escape", holdEscape},
      {"exit-quit", chooseQuit},
      {"exit-close-box", clickCloseBox},
      {"exit-alt-f4", pressAltF4},
  };
  for (const ExitCase& test : cases) {
    scenarios->push_back(
        {test.name, kOldSettings, false,
         [&test](const Paths& paths, Report& report) { runExit(test, paths, report); }});
  }
}

}  // namespace e2e
