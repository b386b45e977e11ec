// Number! chosen from the menu with a typed list and a typed separator, in both modes; the
// caret after the run; and what the Edit control's undo takes back afterwards.
#include <windows.h>

#include "input.h"
#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

struct NumberingCase {
  const char* name;
  bool roman;
  std::vector<std::string> lines;   // typed, with Enter between
  std::string separator;            // typed over ". "
  std::vector<std::string> labels;  // expected in front of each line
  bool screenshot;
};

void runNumbering(const NumberingCase& test, const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  if (test.roman) {
    if (!chooseMode(app, kRomanItem)) return;
    expectModeChecks(app, false, true);
  }
  if (!typeIntoField(app, app.textField, test.lines) ||
      !typeIntoField(app, app.separatorField, {test.separator})) {
    return;
  }
  std::vector<std::string> numbered;
  for (std::size_t i = 0; i < test.lines.size(); ++i)
    numbered.push_back(test.labels[i] + test.lines[i]);
  const std::string expected = editLines(numbered);
  if (!numberAndExpect(app, expected)) return;
  report.equal("separator field after Number!", textOf(app.separatorField), test.separator);

  // The caret stays right after the last label. EM_GETSEL without pointers answers in its
  // result: start in the low word, end in the high word.
  const auto caret =
      static_cast<unsigned>(expected.size() - numbered.back().size() + test.labels.back().size());
  const auto selection = static_cast<DWORD>(sendTo(app.textField, EM_GETSEL));
  report.equal("selection start after Number!", static_cast<unsigned>(LOWORD(selection)), caret);
  report.equal("selection end after Number!", static_cast<unsigned>(HIWORD(selection)), caret);
  if (test.screenshot) saveScreenshot(app);
}

// The Edit control keeps one undo step: Ctrl+Z takes back the last label only, and a second
// Ctrl+Z puts it back. The scenario records that behaviour of the control as the program uses it.
void undoAfterNumber(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start() || !typeIntoField(app, app.textField, {"apple", "pear", "plum"})) return;
  const std::string numbered = editLines({"1. apple", "2. pear", "3. plum"});
  if (!numberAndExpect(app, numbered)) return;
  chord({VK_CONTROL, 'Z'});
  const std::string undone = editLines({"1. apple", "2. pear", "plum"});
  if (!waitUntil([&] { return textOf(app.textField) != numbered; }) ||
      !report.equal("text after one Ctrl+Z", textOf(app.textField), undone)) {
    return;
  }
  chord({VK_CONTROL, 'Z'});
  if (!waitUntil([&] { return textOf(app.textField) == numbered; })) {
    report.equal("text after a second Ctrl+Z", textOf(app.textField), numbered);
  }
}

}  // namespace

void addNumberingScenarios(Scenarios* scenarios) {
  // A last line break leaves an empty last line, which gets a label too.
  static const NumberingCase cases[] = {
      {"number-arabic",
       false,
       {"apple", "pear", "plum", "fig", "kiwi", "lime", "date", "sloe", "yuzu", ""},
       ": ",
       {"1: ", "2: ", "3: ", "4: ", "5: ", "6: ", "7: ", "8: ", "9: ", "10: "},
       true},
      {"number-roman",
       true,
       {"apple", "pear", "plum", "fig", "kiwi", "lime", "date", "sloe", "yuzu", "nut", "oak"},
       " - ",
       {"I - ", "II - ", "III - ", "IV - ", "V - ", "VI - ", "VII - ", "VIII - ", "IX - ", "X - ",
        "XI - "},
       false},
      {"number-empty-separator", false, {"x", "y"}, "", {"1", "2"}, false},
  };
  for (const NumberingCase& test : cases) {
    scenarios->push_back(
        {test.name, std::nullopt, false,
         [&test](const Paths& paths, Report& report) { runNumbering(test, paths, report); }});
  }
  scenarios->push_back({"undo-after-number", std::nullopt, false, undoAfterNumber});
}

}  // namespace e2e
