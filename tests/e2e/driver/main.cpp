// The end-to-end test driver. "list" names the scenarios; "prepare NAME" writes the scenario's
// files into the current directory and names those the caller must make read-only;
// "run NAME PROGRAM PROBE" runs it. Exit code: 0 passed, 1 failed, 77 skipped, 2 misuse.
#include <cstdio>
#include <string>

#include "files.h"
#include "input.h"
#include "scenario.h"

namespace {

e2e::Scenarios allScenarios() {
  e2e::Scenarios scenarios;
  e2e::addWindowScenarios(&scenarios);
  e2e::addNumberingScenarios(&scenarios);
  e2e::addFocusScenarios(&scenarios);
  e2e::addExitScenarios(&scenarios);
  e2e::addSettingsScenarios(&scenarios);
  e2e::addTextLimitScenarios(&scenarios);
  e2e::addHostileSettingsScenarios(&scenarios);
  return scenarios;
}

int prepare(const e2e::Scenario& scenario) {
  if (scenario.settings && !e2e::writeFileBytes(e2e::kSettingsFile, *scenario.settings)) {
    std::printf("cannot write %s\n", e2e::kSettingsFile);
    return 1;
  }
  if (scenario.makeSettings && !scenario.makeSettings()) {
    std::printf("cannot put %s in place\n", e2e::kSettingsFile);
    return 1;
  }
  if (scenario.settingsReadOnly) std::printf("immutable %s\n", e2e::kSettingsFile);
  return 0;
}

int run(const e2e::Scenario& scenario, const e2e::Paths& paths) {
  e2e::Report report;
  if (scenario.settingsReadOnly && e2e::canOpenForWriting(e2e::kSettingsFile)) {
    report.skip(std::string(e2e::kSettingsFile) +
                " could not be made read-only here (chattr +i failed; Wine writes through "
                "chmod as root)");
  } else {
    scenario.run(paths, report);
    e2e::releaseKeys();
  }
  const char* outcome = report.failed() ? "FAILED" : report.skipped() ? "SKIPPED" : "PASSED";
  std::printf("%s %s\n", scenario.name.c_str(), outcome);
  return report.failed() ? 1 : report.skipped() ? 77 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Lines reach the log as they are printed, also when the driver is ended by a timeout.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const e2e::Scenarios scenarios = allScenarios();
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "list") {
    for (const auto& scenario : scenarios) std::printf("%s\n", scenario.name.c_str());
    return 0;
  }
  const e2e::Scenario* chosen = nullptr;
  for (const auto& scenario : scenarios) {
    if (argc > 2 && scenario.name == argv[2]) chosen = &scenario;
  }
  if (chosen && command == "prepare" && argc == 3) return prepare(*chosen);
  if (chosen && command == "run" && argc == 5) return run(*chosen, {argv[3], argv[4]});
  std::fprintf(stderr,
               "usage: tolvane_e2e list | prepare SCENARIO | run SCENARIO PROGRAM.exe PROBE.dll\n");
  return 2;
}
