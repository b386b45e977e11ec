// Keeps the numbering mode and the separator in "num.ini" from one run to the next.
#pragma once

#include <string>

#include "number_lines.h"

class PreferenceFile;

// The settings file, as a bare name: it lives in the process's current directory.
inline constexpr char kSettingsFileName[] = "num.ini";

// What loading and saving the settings need of the main window.
class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;
  virtual std::string separatorText() = 0;
  virtual void setSeparatorText(const std::string& text) = 0;
  virtual void showMessage(const std::string& title, const std::string& text) = 0;
};

// Reads "num.ini" from the current directory, if it can be opened.
void loadSettings(PreferenceFile& file, NumberingMode& mode, SettingsWindow& window);

// Rewrites "num.ini" only when it already exists with at least one byte.
void saveSettings(PreferenceFile& file, NumberingMode mode, SettingsWindow& window);
