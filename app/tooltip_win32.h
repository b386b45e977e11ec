// The one tooltip control that serves both fields.
#pragma once

#include <windows.h>

#include <vector>

class FieldTips {
 public:
  // Registers the field as a tool identified by its own handle, owned by `owner`; the control is
  // created with the first tip. Setting a field's tip again replaces the old one.
  void setTip(HINSTANCE instance, HWND owner, HWND field, const char* text);
  void destroy();

 private:
  HWND tooltip_ = nullptr;
  std::vector<HWND> fields_;  // fields registered as tools
};
