// num.ini files that nobody writes by hand: huge, binary, badly encoded, a directory, held open by
// another process. Each time the program must come up showing what the file says (or the
// defaults), end on Escape, and leave the file as the saving rules say.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>

#include "files.h"
#include "input.h"
#include "message_box.h"
#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;
constexpr int kArabic = 1;
constexpr int kRoman = 2;
// Generous for a file of many megabytes on a busy machine: with a 10 MB separator the Edit
// control alone takes some 15 s here.
constexpr unsigned kBigFileStartTimeoutMs = 120000;
// Reading a 10 MB separator across processes takes about a second here.
constexpr unsigned kBigTextTimeoutMs = 30000;

const std::string kRomanSettings = "[options]\r\nnumber = 2\r\nsepa = ) \r\n";

// What the program writes at exit into a file it can rewrite.
std::string savedSettings(int mode, const std::string& separator) {
  return "[options]\r\nnumber = " + std::to_string(mode) + "\r\nsepa = " + separator + "\r\n";
}

// Compares file contents; for big ones a mismatch is told by the sizes and the first difference
// rather than by megabytes of text.
void expectBytes(Report& report, const std::string& what, const std::string& actual,
                 const std::string& expected) {
  if (actual.size() + expected.size() < 1000) {
    report.equal(what, actual, expected);
    return;
  }
  if (actual == expected) return;
  const auto differ = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const auto at = static_cast<std::size_t>(differ.first - actual.begin());
  report.check(false, what + ": expected " + std::to_string(expected.size()) + " bytes, got " +
                          std::to_string(actual.size()) + "; from byte " + std::to_string(at) +
                          " expected " + quoted(expected.substr(at, 24)) + ", got " +
                          quoted(actual.substr(at, 24)));
}

// The same bytes on every run: the sequence of mt19937_64 is fixed by the language standard.
std::string randomBytes(std::size_t size, std::uint64_t seed) {
  std::mt19937_64 generator(seed);
  std::string bytes(size, '\0');
  for (std::size_t at = 0; at < size; at += sizeof(std::uint64_t)) {
    const std::uint64_t word = generator();
    std::memcpy(bytes.data() + at, &word, std::min(sizeof word, size - at));
  }
  return bytes;
}

// Whether "[options" occurs in any letter case. Without it no group "options" can exist, so
// every setting read from the bytes is its default.
bool mayHoldOptionsGroup(const std::string& bytes) {
  static constexpr char kHeader[] = "[options";
  const std::size_t length = sizeof kHeader - 1;
  for (std::size_t at = bytes.find('['); at != std::string::npos; at = bytes.find('[', at + 1)) {
    std::size_t matched = 1;
    while (matched < length && at + matched < bytes.size() &&
           (bytes[at + matched] | 0x20) == kHeader[matched]) {
      ++matched;
    }
    if (matched == length) return true;
  }
  return false;
}

// Random bytes that hold no group "options": the first seed from the given one whose bytes
// qualify (practically always the given one).
std::string randomBytesWithoutOptions(std::size_t size, std::uint64_t seed) {
  for (;; ++seed) {
    std::string bytes = randomBytes(size, seed);
    if (!mayHoldOptionsGroup(bytes)) return bytes;
  }
}

// The files, made when the scenario is prepared.
std::string random100Mb() {
  return randomBytesWithoutOptions(100 * kMegabyte, 5);
}
// The group at the very end is found only when the whole file is read and its garbage lines
// are passed over one by one.
std::string randomThenOptions() {
  return randomBytesWithoutOptions(10 * kMegabyte, 17) +
         "\r\n[options]\r\nnumber = 2\r\nsepa = ~\r\n";
}
std::string nulBytes() {
  return std::string(kMegabyte, '\0');
}
// NUL ends a line here like CR and LF.
std::string nulLineEnds() {
  return std::string("[options]\0number = 2\0\0\0sepa = ;", 31) + std::string(kMegabyte, '\0');
}
std::string longLineX() {
  return std::string(10 * kMegabyte, 'x');
}
// A key line ahead of any group: "options" does not exist.
std::string longKeyLineAlone() {
  return "sepa = " + longLineX();
}
std::string longKeyLineInOptions() {
  return "[options]\r\nnumber = 2\r\nsepa = " + longLineX();
}
std::string millionGroups() {
  std::string bytes;
  bytes.reserve(5 * 1000000 + 64);
  for (int i = 0; i < 1000000; ++i) bytes += "[g]\r\n";
  return bytes + "[options]\r\nnumber = 2\r\nsepa = :\r\n";
}
// After the mark: C3 28 (lead byte, no continuation), E2 82 (cut short by the next lead byte),
// F0 9F 92 (cut short by FF), FF, 80 (out of place), 41, C4 80 (beyond Latin-1), E2 28 A1 (lead
// byte before a plain one, then a stray continuation), C0 (too near the end).
std::string utf8Invalid() {
  return "\xEF\xBB\xBF[options]\r\nnumber = 2\r\nsepa = "
         "\xC3\x28\xE2\x82\xF0\x9F\x92\xFF\x80\x41\xC4\x80\xE2\x28\xA1\xC0\r\n";
}

// Separators as the program reads them from those files.
std::string defaultSeparator() {
  return ".";
}
std::string tilde() {
  return "~";
}
std::string semicolon() {
  return ";";
}
std::string colon() {
  return ":";
}
// Piece by piece: C3 28 "?(", E2 82 "?", F0 9F 92 "?", FF and 80 nothing, 41 "A", C4 80 "?" (a
// valid sequence but no Latin-1 code point), E2 28 A1 "?(", C0 nothing. (Kept apart, the question
// marks make no trigraphs.)
std::string decodedInvalid() {
  return std::string("?(") + "?" + "?" + "A" + "?" + "?(";
}

struct ContentCase {
  const char* name;
  std::string (*content)();    // made at preparation: too big to keep in the table
  int mode;                    // the mode read from "number"
  std::string (*separator)();  // the text read from "sepa"
  bool fieldMayCut;            // the separator field may keep only the start of a very long text
};

// Holds Escape (the program tests the key's state before each wait) until the program has gone
// or shows a message box; says which.
enum class Leaving { kEnded, kMessageBox, kStillRunning };
Leaving pressEscape(AppSession& app) {
  keyDown(VK_ESCAPE);
  Leaving leaving = Leaving::kStillRunning;
  waitUntil(
      [&] {
        if (!app.running()) {
          leaving = Leaving::kEnded;
        } else if (!topLevelWindows(app.processId(), "#32770").empty()) {
          leaving = Leaving::kMessageBox;
        }
        return leaving != Leaving::kStillRunning;
      },
      kExitTimeoutMs);
  keyUp(VK_ESCAPE);
  return leaving;
}

// Reports a message box the scenario did not expect, with what it says, and clicks it away.
void unexpectedBox(AppSession& app) {
  MessageBoxView box;
  if (!waitForMessageBox(app, &box)) return;
  app.report().check(false, "no message box expected; one titled " + quoted(box.title) + " says " +
                                quoted(box.text));
  pressOk(app, box);
}

bool noBoxAtStart(AppSession& app) {
  if (topLevelWindows(app.processId(), "#32770").empty()) return true;
  unexpectedBox(app);
  return false;
}

// Escape ends the program at once, without any message, with exit code 0.
bool leaveQuietly(AppSession& app) {
  Report& report = app.report();
  switch (pressEscape(app)) {
    case Leaving::kEnded:
      return report.equal("exit code", app.exitCode(), DWORD{0});
    case Leaving::kMessageBox:
      unexpectedBox(app);
      app.waitForExit(kExitTimeoutMs);
      return false;
    case Leaving::kStillRunning:
      break;
  }
  return report.check(
      false, "the program ends within " + std::to_string(kExitTimeoutMs / 1000) + " s of Escape");
}

std::string millisecondsSince(ULONGLONG start) {
  return std::to_string(GetTickCount64() - start) + " ms";
}

void runContent(const ContentCase& test, const Paths& paths, Report& report) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (GetFileAttributesExA(kSettingsFile, GetFileExInfoStandard, &file)) {
    report.note("num.ini holds " + std::to_string(file.nFileSizeLow) + " bytes");
  }
  AppSession app(paths, report);
  const ULONGLONG started = GetTickCount64();
  if (!app.start(kBigFileStartTimeoutMs)) return;
  report.note("ready for input " + millisecondsSince(started) + " after the start");
  if (!noBoxAtStart(app)) return;
  expectModeChecks(app, test.mode == kArabic, test.mode == kRoman);
  const std::string shown = textOf(app.separatorField, kBigTextTimeoutMs);
  const std::string separator = test.separator();
  if (test.fieldMayCut) {
    report.note("the separator field holds " + std::to_string(shown.size()) + " of the " +
                std::to_string(separator.size()) + " characters read");
    report.check(shown.size() <= separator.size() && separator.compare(0, shown.size(), shown) == 0,
                 "the separator field holds the start of the text read");
  } else {
    report.equal("separator field", shown, separator);
  }
  const ULONGLONG leaving = GetTickCount64();
  if (!leaveQuietly(app)) return;
  report.note("ended " + millisecondsSince(leaving) + " after Escape was pressed");
  expectBytes(report, "num.ini after exit", readFileBytes(kSettingsFile).value_or("(missing)"),
              savedSettings(test.mode, shown));
}

// A handle of the driver's own on num.ini, standing for another program that has it open.
class OtherHandle {
 public:
  OtherHandle(DWORD access, DWORD sharing)
      : file_(CreateFileA(kSettingsFile, access, sharing, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~OtherHandle() { release(); }
  OtherHandle(const OtherHandle&) = delete;
  OtherHandle& operator=(const OtherHandle&) = delete;

  bool held() const { return file_ != INVALID_HANDLE_VALUE; }
  void release() {
    if (held()) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE file_;
};

struct AccessCase {
  const char* name;
  DWORD access;  // of the other handle, held from before the start until after the exit
  DWORD sharing;
  bool readable;    // the program can still open the file at start
  bool rewritable;  // and create it anew at exit
};

void runAccess(const AccessCase& test, const Paths& paths, Report& report) {
  OtherHandle other(test.access, test.sharing);
  if (!report.check(other.held(), "another handle on num.ini is open")) return;
  // A writer that shares reading is what the program's save is; the test means nothing unless
  // Wine lets one in exactly when the other handle shares writing.
  if (canOpenForWriting(kSettingsFile) != test.rewritable) {
    report.skip("Wine here does not keep to the sharing mode of an open handle");
    return;
  }
  AppSession app(paths, report);
  if (!app.start() || !noBoxAtStart(app)) return;
  expectModeChecks(app, !test.readable, test.readable);
  report.equal("separator field", textOf(app.separatorField),
               std::string(test.readable ? ")" : ". "));
  if (test.rewritable) {
    if (!leaveQuietly(app)) return;
    other.release();
    report.equal("num.ini after exit", readFileBytes(kSettingsFile).value_or("(missing)"),
                 savedSettings(kRoman, ")"));
    return;
  }
  if (!report.check(pressEscape(app) == Leaving::kMessageBox,
                    "after Escape the program shows a message box")) {
    return;
  }
  MessageBoxView box;
  if (!waitForMessageBox(app, &box)) return;
  checkMessageBox(report, box, "num.ini", "Cannot create file!");
  report.check(box.owner == app.window, "the box is owned by the program's window");
  if (!pressOk(app, box) || !app.waitForExit(kExitTimeoutMs)) return;
  report.equal("exit code", app.exitCode(), DWORD{0});
  other.release();
  report.equal("num.ini after exit (the other handle closed)",
               readFileBytes(kSettingsFile).value_or("(missing)"), kRomanSettings);
}

// A directory cannot be opened as a file, and its size is not above 0: defaults at start, no
// save and no message at exit.
void runDirectory(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start() || !noBoxAtStart(app)) return;
  expectModeChecks(app, true, false);
  report.equal("separator field (nothing read)", textOf(app.separatorField), std::string(". "));
  if (!leaveQuietly(app)) return;
  report.check(isDirectory(kSettingsFile), "num.ini is still a directory after the exit");
}

}  // namespace

void addHostileSettingsScenarios(Scenarios* scenarios) {
  static const ContentCase contents[] = {
      {"hostile-random-100mb", random100Mb, kArabic, defaultSeparator, false},
      {"hostile-random-then-options", randomThenOptions, kRoman, tilde, false},
      {"hostile-nul-bytes", nulBytes, kArabic, defaultSeparator, false},
      {"hostile-nul-line-ends", nulLineEnds, kRoman, semicolon, false},
      {"hostile-long-line", longLineX, kArabic, defaultSeparator, false},
      {"hostile-long-key-line-alone", longKeyLineAlone, kArabic, defaultSeparator, false},
      {"hostile-long-key-line", longKeyLineInOptions, kRoman, longLineX, true},
      {"hostile-million-groups", millionGroups, kRoman, colon, false},
      {"hostile-utf8-invalid", utf8Invalid, kRoman, decodedInvalid, false},
  };
  for (const ContentCase& test : contents) {
    scenarios->push_back(
        {test.name, std::nullopt, false,
         [&test](const Paths& paths, Report& report) { runContent(test, paths, report); },
         [&test] { return writeFileBytes(kSettingsFile, test.content()); }});
  }
  // CreateFile's sharing: a new handle must share the access of every open one, and every open
  // one must share the access the new one asks for.
  static const AccessCase accesses[] = {
      {"hostile-locked", GENERIC_READ | GENERIC_WRITE, 0, false, false},
      {"hostile-reader-sharing-read", GENERIC_READ, FILE_SHARE_READ, true, false},
      {"hostile-reader-sharing-read-write", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true,
       true},
  };
  for (const AccessCase& test : accesses) {
    scenarios->push_back(
        {test.name, kRomanSettings, false,
         [&test](const Paths& paths, Report& report) { runAccess(test, paths, report); }});
  }
  scenarios->push_back({"hostile-directory", std::nullopt, false, runDirectory,
                        [] { return CreateDirectoryA(kSettingsFile, nullptr) != 0; }});
}

}  // namespace e2e
