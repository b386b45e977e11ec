// The window layer on Win32: the window classes, the translation of window messages into events,
// the blocking wait with the keyboard table, and the focus rules of the fields.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "event_queue.h"
#include "field_focus.h"
#include "main_window.h"

class Win32WindowLayer : public WindowLayer {
 public:
  explicit Win32WindowLayer(HINSTANCE instance) : instance_(instance) {}
  Win32WindowLayer(const Win32WindowLayer&) = delete;
  Win32WindowLayer& operator=(const Win32WindowLayer&) = delete;

  // Registers the classes and the keyboard table, creates the main window at (0, 0) with the
  // outer size that gives a client area of clientWidth x clientHeight without a menu, centres it
  // on the primary screen and shows it normal and activated. False when the window is not there.
  bool openMainWindow(const char* title, int clientWidth, int clientHeight);
  HWND mainWindow() const { return mainWindow_; }
  HINSTANCE instance() const { return instance_; }

  // The panel, a child of the main window. Its result is not looked at by the caller.
  HWND createPanel(int32_t field, int x, int y, int width, int height);
  // An "Edit" field on `parent` with the styles both fields share plus extraStyle, the default
  // GUI font, and the given text.
  HWND createEditField(int32_t field, HWND parent, DWORD extraStyle, int x, int y, int width,
                       int height, const char* text);
  HWND fieldWindow(int32_t field) const;

  std::string fieldText(int32_t field) const;
  // Raises no field events.
  void setFieldText(int32_t field, const std::string& text);

  // Destroys the main window with its children and menu, unregisters the classes and frees the
  // keyboard table. Safe after a partial or failed openMainWindow.
  void shutdown();

  bool escapeDown() override;
  Event waitEvent() override;

 private:
  static LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool registerClasses();
  bool createKeyboardTable();
  void centreOnScreen();

  LRESULT handleMainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(WPARAM wParam, LPARAM lParam);
  void onActivate(WPARAM wParam);
  bool restoreFocus();
  void moveFocus(bool forward);
  void showKeyboardCues(bool show);
  int32_t fieldOf(HWND window) const;
  bool canTakeFocus(int32_t field) const;
  void remember(int32_t field, HWND window);

  HINSTANCE instance_;
  ATOM mainClass_ = 0;
  ATOM panelClass_ = 0;
  HACCEL keyboardTable_ = nullptr;
  HWND mainWindow_ = nullptr;
  // Field windows by field number: 0 the panel, 1 the text field, 2 the separator field.
  std::array<HWND, 3> fields_{};
  EventQueue queue_;
  FieldFocus focus_;
};
