// A scenario: a name, the settings file it starts with, and the steps and checks it runs
// against a fresh program in a fresh directory.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app_session.h"
#include "report.h"

namespace e2e {

inline constexpr const char* kSettingsFile = "num.ini";

struct Scenario {
  std::string name;
  std::optional<std::string> settings;  // bytes of num.ini at the start; none: no file at all
  bool settingsReadOnly = false;        // num.ini must refuse to be rewritten
  std::function<void(const Paths&, Report&)> run;
  // Puts num.ini in place instead of `settings` when its bytes are made at preparation time
  // (files too big to keep in the table) or it is no plain file; false when that fails.
  std::function<bool()> makeSettings = nullptr;
};

using Scenarios = std::vector<Scenario>;

void addWindowScenarios(Scenarios* scenarios);
void addNumberingScenarios(Scenarios* scenarios);
void addFocusScenarios(Scenarios* scenarios);
void addExitScenarios(Scenarios* scenarios);
void addSettingsScenarios(Scenarios* scenarios);
void addTextLimitScenarios(Scenarios* scenarios);
void addHostileSettingsScenarios(Scenarios* scenarios);

}  // namespace e2e
