// Starting the program, finding its parts and ending it.
#include "app_session.h"

#include <cstdint>

#include "input.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {

AppSession::~AppSession() {
  releaseKeys();
  if (process_.hProcess) {
    // A scenario that ends the program checks how it ended; any other leaves it for here.
    if (running()) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kTimeoutMs);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

bool AppSession::start(unsigned readyTimeoutMs) {
  parkMouse();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + paths_.program + "\"";
  if (!CreateProcessA(paths_.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process_)) {
    return report_.check(false, "cannot start " + paths_.program + " (error " +
                                    std::to_string(GetLastError()) + ")");
  }
  const bool appeared = waitUntil(
      [&] {
        for (HWND candidate : topLevelWindows(processId(), "")) {
          if (textOf(candidate) == kWindowTitle) {
            window = candidate;
            return true;
          }
        }
        return !running();
      },
      kStartTimeoutMs);
  if (!report_.check(appeared && window, "a visible window titled \"Tolvane v0.1\" appears")) {
    return false;
  }
  // The window is shown before its panel and fields are made.
  if (!report_.check(waitUntil([&] { return findParts(); }),
                     "the window gets a panel holding a multi-line and a one-line Edit control")) {
    return false;
  }
  // The settings are read after that; the program is ready for input once the text field has
  // the focus, or waits for a message box to be closed.
  if (!report_.check(waitUntil(
                         [&] {
                           return focus() == textField ||
                                  !topLevelWindows(processId(), "#32770").empty();
                         },
                         readyTimeoutMs),
                     "at start the text field gets the focus (or a message box comes up)")) {
    return false;
  }
  std::string error;
  probe_.emplace(processId());
  if (!report_.check(injectProbe(process_.hProcess, paths_.probe, &error), error) ||
      !report_.check(probe_->connect(kTimeoutMs, &error), error)) {
    return false;
  }
  return true;
}

bool AppSession::findParts() {
  const auto top = childrenOf(window);
  if (top.empty()) return false;
  panel = top.front();
  for (HWND child : childrenOf(panel)) {
    if (classOf(child) != "Edit") continue;
    (styleOf(child) & ES_MULTILINE ? textField : separatorField) = child;
  }
  return textField && separatorField;
}

std::vector<Row> AppSession::probe(const std::string& request) {
  std::vector<Row> rows;
  std::string error;
  if (!probe_ || !probe_->ask(request, &rows, &error)) {
    report_.check(false, "probe request \"" + request + "\": " + error);
    rows.clear();
  }
  return rows;
}

std::string AppSession::handle(HWND of) const {
  return std::to_string(reinterpret_cast<std::uintptr_t>(of));
}

bool AppSession::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppSession::waitForExit(unsigned timeoutMs) {
  return report_.check(waitUntil([&] { return !running(); }, timeoutMs),
                       "the program ends within " + std::to_string(timeoutMs / 1000) + " s");
}

DWORD AppSession::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND AppSession::focus() const {
  return focusOf(threadId());
}

}  // namespace e2e
