// The program's message boxes: finding one, reading it and pressing its OK button.
#pragma once

#include <windows.h>

#include <string>

#include "app_session.h"

namespace e2e {

struct MessageBoxView {
  HWND box = nullptr;
  std::string title;
  std::string text;
  HWND owner = nullptr;
  int buttons = 0;         // visible push buttons
  bool okButton = false;   // one of them is IDOK, labelled "OK"
  bool iconShown = false;  // the box shows an icon
};

// Waits for a message box of the program to be on screen; reports when none comes.
bool waitForMessageBox(AppSession& app, MessageBoxView* view);
// Checks title, text, one OK button, no icon; the owner is checked by the scenario.
void checkMessageBox(Report& report, const MessageBoxView& view, const std::string& title,
                     const std::string& text);
// Clicks OK and waits until the box is gone.
bool pressOk(AppSession& app, const MessageBoxView& view);

}  // namespace e2e
