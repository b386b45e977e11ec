// Number! with a text near and over the text field's limit: every line gets its whole label,
// and the control's limit is the same afterwards. The limit is lowered by the driver first so
// that the text stays within the lines the field shows (without ES_AUTOVSCROLL the Edit control
// refuses every insertion once its text has more lines than fit, and at this width a text of the
// default 30,000 characters wraps to far more).
#include <windows.h>

#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

struct LimitCase {
  const char* name;
  int limit;
  int lines;
  int lineLength;
};

void runLimit(const LimitCase& test, const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  std::vector<std::string> lines;
  std::vector<std::string> numbered;
  for (int i = 0; i < test.lines; ++i) {
    lines.emplace_back(static_cast<std::size_t>(test.lineLength), static_cast<char>('a' + i));
    numbered.push_back(std::to_string(i + 1) + ". " + lines.back());
  }
  const std::string text = editLines(lines);
  sendTo(app.textField, EM_SETLIMITTEXT, static_cast<WPARAM>(test.limit));
  setText(app.textField, text);  // WM_SETTEXT is not held to the limit
  if (!report.equal("text set by the driver", textOf(app.textField), text) ||
      !report.equal("limit set by the driver", sendTo(app.textField, EM_GETLIMITTEXT),
                    LRESULT{test.limit})) {
    return;
  }
  report.note("text of " + std::to_string(text.size()) + " characters, limit " +
              std::to_string(test.limit) + ", numbered " +
              std::to_string(editLines(numbered).size()));
  numberAndExpect(app, editLines(numbered));
  report.equal("text limit after Number! (the control's previous one)",
               sendTo(app.textField, EM_GETLIMITTEXT), LRESULT{test.limit});
}

}  // namespace

void addTextLimitScenarios(Scenarios* scenarios) {
  // 5 lines of 38 characters and 4 line breaks are 198 characters: the labels cross the limit.
  // 5 lines of 48 characters are 248: the text is over the limit before Number! starts.
  static const LimitCase cases[] = {
      {"text-limit-near", 200, 5, 38},
      {"text-limit-over", 200, 5, 48},
  };
  for (const LimitCase& test : cases) {
    scenarios->push_back(
        {test.name, std::nullopt, false,
         [&test](const Paths& paths, Report& report) { runLimit(test, paths, report); }});
  }
}

}  // namespace e2e
