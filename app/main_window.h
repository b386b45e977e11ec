// What the main sequence needs of the main window and of the window layer under it. The Win32
// implementation lives in the *_win32 files; the unit tests drive the sequence with a fake.
#pragma once

#include <cstdint>

#include "event.h"
#include "settings.h"

class TextField;

class MainWindow : public SettingsWindow {
 public:
  // Creates the window, menu, panel, fields and tooltips; false only when the window itself
  // cannot be created, and then nothing has been shown.
  virtual bool open() = 0;
  // Reads the item's state and sets or clears only its check mark.
  virtual void setMenuItemChecked(int32_t item, bool checked) = 0;
  // A plain focus change; the selection is not touched.
  virtual void focusTextField() = 0;
  virtual TextField& textEditor() = 0;
  // Destroys what open() created, as far as it got, in the shutdown order.
  virtual void shutdown() = 0;
};

class WindowLayer {
 public:
  virtual ~WindowLayer() = default;
  // Whether the Escape key is physically down at this moment, whichever window has the focus.
  virtual bool escapeDown() = 0;
  // Hands out the oldest queued event; with none queued, waits for one message, handles it and
  // returns (a kMessage event when the message raised no event).
  virtual Event waitEvent() = 0;
};
