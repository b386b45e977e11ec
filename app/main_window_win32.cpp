// What open() creates, in its order, and the main window's other operations.
#include "main_window_win32.h"

#include "message_box_win32.h"
#include "ui_numbers.h"

namespace {

constexpr char kTitle[] = "Tolvane v0.1";
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
// ES_RIGHT | ES_CENTER: both alignment bits, as the text field has always had them.
constexpr DWORD kTextFieldStyle = ES_MULTILINE | ES_RIGHT | ES_CENTER;

}  // namespace

bool Win32MainWindow::open() {
  if (!layer_.openMainWindow(kTitle, kClientWidth, kClientHeight)) return false;
  const HWND window = layer_.mainWindow();
  const HINSTANCE instance = layer_.instance();

  menuBar_.create(window);

  const HWND panel = layer_.createPanel(kPanelField, 0, 0, 640, 460);
  const HWND text = layer_.createEditField(kTextField, panel, kTextFieldStyle, 0, 20, 640, 440, "");
  const HWND separator = layer_.createEditField(kSeparatorField, panel, 0, 0, 0, 640, 20, ". ");

  tips_.setTip(instance, panel, separator, "separator");
  tips_.setTip(instance, panel, text, "List lines");

  textField_.attach(text);
  return true;
}

void Win32MainWindow::setMenuItemChecked(int32_t item, bool checked) {
  menuBar_.setItemChecked(item, checked);
}

void Win32MainWindow::focusTextField() {
  if (const HWND text = layer_.fieldWindow(kTextField)) SetFocus(text);
}

std::string Win32MainWindow::separatorText() {
  return layer_.fieldText(kSeparatorField);
}

void Win32MainWindow::setSeparatorText(const std::string& text) {
  layer_.setFieldText(kSeparatorField, text);
}

void Win32MainWindow::showMessage(const std::string& title, const std::string& text) {
  showMessageBox(title, text);
}

void Win32MainWindow::shutdown() {
  tips_.destroy();
  textField_.attach(nullptr);
  layer_.shutdown();
}
