// num.ini as the window shows it: a Roman mode and separator read at start, an unknown mode
// reported before the window takes input, a missing or empty file left alone, a read-only file
// reported over the still visible window; and the file's bytes after the exit.
#include <windows.h>

#include <cstdlib>

#include "files.h"
#include "input.h"
#include "menu.h"
#include "message_box.h"
#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

const std::string kRomanSettings = "[options]\r\nnumber = 2\r\nsepa = ) \r\n";
const std::string kUnknownModeSettings = "[options]\r\nnumber = 7\r\n";

// Quits through the menu and checks the exit code and what num.ini holds afterwards.
void quitAndExpectFile(AppSession& app, const std::optional<std::string>& expected) {
  Report& report = app.report();
  if (!chooseMenuItem(app, kFileMenu, kQuitItem) || !app.waitForExit(kExitTimeoutMs)) return;
  report.equal("exit code", app.exitCode(), DWORD{0});
  const auto actual = readFileBytes(kSettingsFile);
  if (!expected) {
    report.check(!actual, "no num.ini exists after the exit");
  } else {
    report.equal("num.ini after exit", actual.value_or("(missing)"), *expected);
  }
}

void romanFromFile(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  expectModeChecks(app, false, true);
  report.equal("separator field (trailing blank dropped on reading)", textOf(app.separatorField),
               std::string(")"));
  if (!typeIntoField(app, app.textField, {"apple", "pear"}) ||
      !numberAndExpect(app, editLines({"I)apple", "II)pear"})) || !chooseMode(app, kArabicItem)) {
    return;
  }
  expectModeChecks(app, true, false);
  quitAndExpectFile(app, "[options]\r\nnumber = 1\r\nsepa = )\r\n");
}

// Waits for the start-up box about the unknown mode and checks that the window has not yet
// taken input: it is disabled under the box and the focus is not in the text field yet.
bool expectUnknownModeBox(AppSession& app, MessageBoxView* box) {
  Report& report = app.report();
  if (!waitForMessageBox(app, box)) return false;
  checkMessageBox(report, *box, "Options", "unknown value:7");
  report.check(box->owner == app.window, "the box is owned by the program's window");
  report.check(IsWindowVisible(app.window) && !IsWindowEnabled(app.window),
               "the window is on screen and disabled while the box is up");
  report.check(app.focus() != app.textField, "the text field has no focus while the box is up");
  return true;
}

bool dismissUnknownModeBox(AppSession& app, const MessageBoxView& box) {
  if (!pressOk(app, box)) return false;
  Report& report = app.report();
  report.check(waitUntil([&] { return app.focus() == app.textField; }, kExitTimeoutMs),
               "the text field gets the focus after the box");
  report.check(IsWindowEnabled(app.window) != 0, "the window is enabled again after the box");
  for (const Row& row : app.probe("tips")) {
    if (row[0] == "tip") {
      report.check((std::atol(row[3].c_str()) & WS_EX_TOPMOST) != 0,
                   "the tooltip is topmost again after the box");
    }
  }
  expectModeChecks(app, false, false);
  return true;
}

void unknownMode(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  MessageBoxView box;
  if (!app.start() || !expectUnknownModeBox(app, &box) || !dismissUnknownModeBox(app, box)) return;
  report.equal("separator field (no sepa key: \".\")", textOf(app.separatorField),
               std::string("."));
  quitAndExpectFile(app, "[options]\r\nnumber = 7\r\nsepa = .\r\n");
}

// Number! in the unknown mode inserts empty labels; picking Arabic afterwards numbers as usual,
// and the picked mode is what is saved.
void unknownModeThenArabic(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  MessageBoxView box;
  if (!app.start() || !expectUnknownModeBox(app, &box) || !dismissUnknownModeBox(app, box) ||
      !typeIntoField(app, app.textField, {"apple"}) ||
      !chooseMenuItem(app, kFileMenu, kNumberItem) || !chooseMode(app, kArabicItem)) {
    return;
  }
  // Menu commands are handled in order: once the second Number! shows, the first one has run.
  if (!numberAndExpect(app, "1.apple")) return;
  expectModeChecks(app, true, false);
  quitAndExpectFile(app, "[options]\r\nnumber = 1\r\nsepa = .\r\n");
}

// An Escape that closes the start-up box and is still held at the loop's first test ends the
// program at once, with the save.
void unknownModeEscape(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  MessageBoxView box;
  if (!app.start() || !expectUnknownModeBox(app, &box)) return;
  keyDown(VK_ESCAPE);
  const bool ended = waitUntil([&] { return !app.running(); }, kExitTimeoutMs);
  keyUp(VK_ESCAPE);
  if (!report.check(ended, "Escape held on the box closes it and ends the program")) return;
  report.equal("exit code", app.exitCode(), DWORD{0});
  report.equal("num.ini after exit", readFileBytes(kSettingsFile).value_or("(missing)"),
               std::string("[options]\r\nnumber = 7\r\nsepa = .\r\n"));
}

void noFile(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  expectModeChecks(app, true, false);
  report.equal("separator field", textOf(app.separatorField), std::string(". "));
  quitAndExpectFile(app, std::nullopt);
}

void emptyFile(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  expectModeChecks(app, true, false);
  report.equal("separator field (the default of the sepa key)", textOf(app.separatorField),
               std::string("."));
  quitAndExpectFile(app, std::string());
}

void readOnlyFile(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  expectModeChecks(app, false, true);
  if (!chooseMenuItem(app, kFileMenu, kQuitItem)) return;
  MessageBoxView box;
  if (!waitForMessageBox(app, &box)) return;
  checkMessageBox(report, box, "num.ini", "Cannot create file!");
  report.check(box.owner == app.window, "the box is owned by the program's window");
  report.check(IsWindowVisible(app.window) != 0, "the window is still on screen under the box");
  if (!pressOk(app, box) || !app.waitForExit(kExitTimeoutMs)) return;
  report.equal("exit code", app.exitCode(), DWORD{0});
  report.equal("read-only num.ini after exit", readFileBytes(kSettingsFile).value_or("(missing)"),
               kRomanSettings);
}

}  // namespace

void addSettingsScenarios(Scenarios* scenarios) {
  scenarios->push_back({"settings-roman", kRomanSettings, false, romanFromFile});
  scenarios->push_back({"settings-unknown-mode", kUnknownModeSettings, false, unknownMode});
  scenarios->push_back(
      {"settings-unknown-mode-then-arabic", kUnknownModeSettings, false, unknownModeThenArabic});
  scenarios->push_back(
      {"settings-unknown-mode-escape", kUnknownModeSettings, false, unknownModeEscape});
  scenarios->push_back({"settings-none", std::nullopt, false, noFile});
  scenarios->push_back({"settings-empty", std::string(), false, emptyFile});
  scenarios->push_back({"settings-read-only", kRomanSettings, true, readOnlyFile});
}

}  // namespace e2e
