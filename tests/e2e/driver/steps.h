// User actions shared by the scenarios, each done with real input and finished when its effect
// is seen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app_session.h"

namespace e2e {

// Menu positions: title, then item within its drop-down.
inline constexpr int kFileMenu = 0;
inline constexpr int kOptionsMenu = 1;
inline constexpr int kNumberItem = 0;  // File > Number!
inline constexpr int kQuitItem = 2;    // File > Quit, after the separator line
inline constexpr int kArabicItem = 0;  // Options > Arabic numbers
inline constexpr int kRomanItem = 1;   // Options > Roman Numbers

// The lines joined with CR LF, as an Edit control holds them.
std::string editLines(const std::vector<std::string>& lines);

// Clicks into the field, selects all of its text and types the new text over it (lines are
// typed with Enter); true once the field shows it.
bool typeIntoField(AppSession& app, HWND field, const std::vector<std::string>& lines);

// Runs File > Number! and waits until the text field shows the expected text.
bool numberAndExpect(AppSession& app, const std::string& expected);

// Chooses an Options item and waits for its check mark.
bool chooseMode(AppSession& app, int item);

// Checks the two Options items' check marks.
void expectModeChecks(AppSession& app, bool arabic, bool roman);

// Clicks the middle of the caption button that answers the hit-test code (HTCLOSE, ...).
bool clickCaptionButton(AppSession& app, LRESULT hit);

// Has the scenario runner save a PNG of the program's window; waits until it is done.
void saveScreenshot(AppSession& app);

}  // namespace e2e
