// Hands the settings file to loadSettings and saveSettings.
#include "settings_file_store.h"

#include "settings.h"

void SettingsFileStore::load(NumberingMode& mode, SettingsWindow& window) {
  loadSettings(file_, mode, window);
}

void SettingsFileStore::save(NumberingMode mode, SettingsWindow& window) {
  saveSettings(file_, mode, window);
}

void SettingsFileStore::closeFile() {
  file_.close();
}
