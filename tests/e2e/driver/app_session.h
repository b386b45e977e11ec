// One run of the program under test: started in the scenario's directory, its window and fields
// found, the probe loaded; ended by the scenario or, failing that, terminated at the end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "probe_client.h"
#include "report.h"
#include "wait.h"

namespace e2e {

inline constexpr const char* kWindowTitle = "Tolvane v0.1";

struct Paths {
  std::string program;  // tolvane.exe
  std::string probe;    // the probe DLL
};

class AppSession {
 public:
  AppSession(const Paths& paths, Report& report) : paths_(paths), report_(report) {}
  ~AppSession();
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  // Starts the program and waits for its window and then for it to be ready for input; false
  // (already reported) when that fails.
  bool start(unsigned readyTimeoutMs = kStartTimeoutMs);

  // Asks the probe; a failed request is reported and gives no rows.
  std::vector<Row> probe(const std::string& request);
  std::string handle(HWND of) const;

  bool running() const;
  // Waits for the process to end; reports when it does not.
  bool waitForExit(unsigned timeoutMs);
  DWORD exitCode() const;

  HWND focus() const;

  DWORD processId() const { return process_.dwProcessId; }
  DWORD threadId() const { return process_.dwThreadId; }
  Report& report() { return report_; }

  HWND window = nullptr;
  HWND panel = nullptr;
  HWND textField = nullptr;
  HWND separatorField = nullptr;

 private:
  // Finds panel and fields once they exist; false until then.
  bool findParts();

  Paths paths_;
  Report& report_;
  PROCESS_INFORMATION process_{};
  std::optional<ProbeClient> probe_;
};

}  // namespace e2e
