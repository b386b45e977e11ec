// The settings kept in "num.ini" through PreferenceFile.
#pragma once

#include "preference_file.h"
#include "settings_store.h"

class SettingsFileStore : public SettingsStore {
 public:
  void load(NumberingMode& mode, SettingsWindow& window) override;
  void save(NumberingMode mode, SettingsWindow& window) override;
  void closeFile() override;

 private:
  PreferenceFile file_;
};
