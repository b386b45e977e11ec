// The main window on Win32: the window with its menu bar, panel, two fields and their tips.
#pragma once

#include <windows.h>

#include "main_window.h"
#include "menu_bar_win32.h"
#include "text_field_win32.h"
#include "tooltip_win32.h"
#include "window_layer_win32.h"

class Win32MainWindow : public MainWindow {
 public:
  explicit Win32MainWindow(Win32WindowLayer& layer) : layer_(layer) {}

  bool open() override;
  void setMenuItemChecked(int32_t item, bool checked) override;
  void focusTextField() override;
  TextField& textEditor() override { return textField_; }
  void shutdown() override;

  std::string separatorText() override;
  void setSeparatorText(const std::string& text) override;
  void showMessage(const std::string& title, const std::string& text) override;

 private:
  Win32WindowLayer& layer_;
  MenuBar menuBar_;
  FieldTips tips_;
  Win32TextField textField_;
};
