// Where the main sequence has the settings read and written.
#pragma once

#include "number_lines.h"

class SettingsWindow;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual void load(NumberingMode& mode, SettingsWindow& window) = 0;
  virtual void save(NumberingMode mode, SettingsWindow& window) = 0;
  // Closes a settings file that is still open (writing it out if changed); the first step of
  // shutting the services down.
  virtual void closeFile() = 0;
};
