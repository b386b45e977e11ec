// Settings load and save: the mode and the separator kept in "num.ini".
#include "settings.h"

#include "file_services.h"
#include "preference_file.h"

namespace {

constexpr char kGroup[] = "options";
constexpr char kModeKey[] = "number";
constexpr char kSeparatorKey[] = "sepa";

}  // namespace

void loadSettings(PreferenceFile& file, NumberingMode& mode, SettingsWindow& window) {
  if (!file.openForReading(kSettingsFileName)) return;  // mode and separator field stay
  file.selectGroup(kGroup);  // a missing group only means every read gives its default
  mode = file.readInteger(kModeKey, kArabicNumbering);
  window.setSeparatorText(file.readText(kSeparatorKey, "."));
  file.close();
}

void saveSettings(PreferenceFile& file, NumberingMode mode, SettingsWindow& window) {
  // Only a file already there with at least one byte is rewritten: missing (-1), a directory
  // (-2) or empty (0) means nothing is created and nothing is said.
  if (file_services::sizeOfNamedFile(kSettingsFileName) <= 0) return;
  if (!file.createForWriting(kSettingsFileName)) {
    window.showMessage(kSettingsFileName, "Cannot create file!");
    return;
  }
  file.selectGroup(kGroup);
  file.writeInteger(kModeKey, mode);
  file.writeText(kSeparatorKey, window.separatorText());
  file.close();
}
