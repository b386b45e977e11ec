// Message boxes are dialogs of class "#32770"; their text is the static control 0xFFFF and their
// icon the static control 0x440 (as in Wine's and Windows' templates).
#include "message_box.h"

#include <vector>

#include "input.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x440;

MessageBoxView read(HWND box) {
  MessageBoxView view;
  view.box = box;
  view.title = textOf(box);
  view.text = textOf(GetDlgItem(box, kTextId));
  view.owner = GetWindow(box, GW_OWNER);
  // Without an icon flag the icon control stays in place, holding no icon.
  HWND icon = GetDlgItem(box, kIconId);
  view.iconShown = icon && IsWindowVisible(icon) && sendTo(icon, STM_GETICON) != 0;
  for (HWND child : childrenOf(box)) {
    if (classOf(child) != "Button" || !IsWindowVisible(child)) continue;
    ++view.buttons;
    if (GetDlgCtrlID(child) == IDOK && textOf(child) == "OK") view.okButton = true;
  }
  return view;
}

}  // namespace

bool waitForMessageBox(AppSession& app, MessageBoxView* view) {
  const bool shown = waitUntil([&] {
    const auto boxes = topLevelWindows(app.processId(), "#32770");
    if (boxes.empty()) return false;
    *view = read(boxes.front());
    return !view->text.empty();
  });
  return app.report().check(shown, "a message box appears");
}

void checkMessageBox(Report& report, const MessageBoxView& view, const std::string& title,
                     const std::string& text) {
  report.equal("message box title", view.title, title);
  report.equal("message box text", view.text, text);
  report.check(view.buttons == 1 && view.okButton, "the message box has exactly one OK button");
  report.check(!view.iconShown, "the message box shows no icon");
}

bool pressOk(AppSession& app, const MessageBoxView& view) {
  HWND ok = GetDlgItem(view.box, IDOK);
  if (!app.report().check(ok != nullptr, "the message box has an OK button")) return false;
  click(centreOf(screenRect(ok)));
  return app.report().check(waitUntil([&] { return !IsWindow(view.box); }),
                            "the message box goes away when OK is clicked");
}

}  // namespace e2e
