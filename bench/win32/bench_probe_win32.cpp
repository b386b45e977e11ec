// Measures a Win32 program from outside, under the same Wine as the tool: start-up to the first
// idle wait, the moment it ends after an Escape press, Number! latency and the peak working set.
// Prints one "name value" line per figure; the bench script takes medians over several runs.
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kTimeoutMs = 20000;

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Launched {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  double startedMs = 0;
  double idleMs = 0;  // from CreateProcess to the first wait for input
};

bool launch(const char* exe, const char* title, Launched& launched) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = std::string("\"") + exe + "\"";
  launched.startedMs = nowMs();
  if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &launched.process)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", exe, GetLastError());
    return false;
  }
  if (WaitForInputIdle(launched.process.hProcess, kTimeoutMs) != 0) {
    std::fprintf(stderr, "%s never became idle\n", exe);
    return false;
  }
  launched.idleMs = nowMs() - launched.startedMs;
  for (double deadline = nowMs() + kTimeoutMs; nowMs() < deadline; Sleep(1)) {
    launched.window = FindWindowA(nullptr, title);
    if (launched.window && IsWindowVisible(launched.window)) return true;
  }
  std::fprintf(stderr, "no visible window titled \"%s\"\n", title);
  return false;
}

// Wall-clock milliseconds since 1970, comparable with the Linux clock of the bench script.
double unixTimeMs() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  constexpr ULONGLONG kTicksFrom1601To1970 = 116444736000000000ULL;
  return static_cast<double>(ticks - kTicksFrom1601To1970) / 10000.0;
}

void finish(Launched& launched) {
  if (WaitForSingleObject(launched.process.hProcess, 0) != WAIT_OBJECT_0) {
    PostMessageA(launched.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(launched.process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(launched.process.hProcess, 1);
    }
  }
  CloseHandle(launched.process.hThread);
  CloseHandle(launched.process.hProcess);
}

double peakWorkingSetKb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

BOOL CALLBACK findMultiLineEdit(HWND child, LPARAM found) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Edit") == 0 && (GetWindowLongPtrA(child, GWL_STYLE) & ES_MULTILINE)) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

std::string listText(int lines, int lineLength) {
  std::string text;
  for (int line = 0; line < lines; ++line) {
    if (line) text += "\r\n";
    text.append(static_cast<std::size_t>(lineLength), static_cast<char>('a' + line % 26));
  }
  return text;
}

// Prints the start-up time, then "ready", then waits for the bench script to press Escape
// (X input, which the program's asynchronous key test sees) and prints when the process ended.
int runStartup(const char* exe, const char* title) {
  Launched launched;
  if (!launch(exe, title, launched)) return 1;
  std::printf("startup_ms %.1f\nready\n", launched.idleMs);
  std::fflush(stdout);
  const bool ended = WaitForSingleObject(launched.process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
  if (ended) std::printf("exit_unix_ms %.1f\n", unixTimeMs());
  finish(launched);
  return ended ? 0 : 1;
}

int runNumber(const char* exe, const char* title, int lines, int lineLength) {
  Launched launched;
  if (!launch(exe, title, launched)) return 1;
  std::printf("peak_ws_start_kb %.0f\n", peakWorkingSetKb(launched.process.hProcess));

  HWND textField = nullptr;
  EnumChildWindows(launched.window, findMultiLineEdit, reinterpret_cast<LPARAM>(&textField));
  if (!textField) {
    std::fprintf(stderr, "no multi-line Edit control\n");
    finish(launched);
    return 1;
  }
  const std::string text = listText(lines, lineLength);
  SendMessageA(textField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  const LRESULT before = SendMessageA(textField, WM_GETTEXTLENGTH, 0, 0);

  // File > Number! is command 1. A message sent to the field is handled only when the program
  // is back in its wait, that is after the whole command has run; sent messages go before
  // posted ones, so the first length that differs marks the end of the run.
  const double posted = nowMs();
  PostMessageA(launched.window, WM_COMMAND, 1, 0);
  LRESULT after = before;
  while (after == before && nowMs() - posted < kTimeoutMs) {
    after = SendMessageA(textField, WM_GETTEXTLENGTH, 0, 0);
  }
  const double numberMs = nowMs() - posted;

  std::printf("number_ms %.2f\n", numberMs);
  std::printf("text_chars %ld\n", static_cast<long>(before));
  std::printf("label_chars %ld\n", static_cast<long>(after - before));
  std::printf("peak_ws_after_kb %.0f\n", peakWorkingSetKb(launched.process.hProcess));
  finish(launched);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "startup" && argc == 4) return runStartup(argv[2], argv[3]);
  if (command == "number" && argc == 6) {
    return runNumber(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
  }
  std::fprintf(stderr,
               "usage: bench_probe startup EXE TITLE\n"
               "       bench_probe number EXE TITLE LINES LINE_LENGTH\n");
  return 2;
}
