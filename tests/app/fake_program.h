// A scripted stand-in for the main window, the window layer and the settings file: it writes
// every call into one log, so tests can check what happened in which order.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "event.h"
#include "fake_text_field.h"
#include "main_window.h"
#include "settings_store.h"

// One turn of the event loop as the layer answers it: the Escape state, then the event.
struct Turn {
  bool escapeDown = false;
  Event event;
};

inline Turn escapeTurn() {
  return Turn{true, {}};
}
inline Turn eventTurn(Event event) {
  return Turn{false, event};
}
inline Turn menuTurn(int32_t item) {
  return eventTurn({EventKind::kMenu, 0, item});
}

class FakeProgram : public MainWindow, public WindowLayer, public SettingsStore {
 public:
  // MainWindow
  bool open() override {
    log.push_back("open");
    return openSucceeds;
  }
  void setMenuItemChecked(int32_t item, bool checked) override {
    log.push_back((checked ? "check " : "uncheck ") + std::to_string(item));
  }
  void focusTextField() override { log.push_back("focus text field"); }
  TextField& textEditor() override { return field; }
  void shutdown() override { log.push_back("shutdown"); }
  std::string separatorText() override { return separator; }
  void setSeparatorText(const std::string& text) override {
    log.push_back("set separator " + text);
    separator = text;
  }
  void showMessage(const std::string& title, const std::string& text) override {
    log.push_back("message " + title + ": " + text);
  }

  // WindowLayer. A script that runs out answers Escape, so a faulty loop cannot run forever.
  bool escapeDown() override {
    log.push_back("escape?");
    if (turns.empty()) {
      scriptRanOut = true;
      return true;
    }
    return turns.front().escapeDown;
  }
  Event waitEvent() override {
    log.push_back("wait");
    const Event event = turns.front().event;
    turns.pop_front();
    return event;
  }

  // SettingsStore
  void load(NumberingMode& mode, SettingsWindow& window) override {
    log.push_back("load");
    if (modeInFile) mode = *modeInFile;
    if (separatorInFile) window.setSeparatorText(*separatorInFile);
  }
  void save(NumberingMode mode, SettingsWindow& window) override {
    log.push_back("save " + std::to_string(mode) + " '" + window.separatorText() + "'");
  }
  void closeFile() override { log.push_back("close file"); }

  std::vector<std::string> log;
  bool openSucceeds = true;
  std::deque<Turn> turns;
  bool scriptRanOut = false;
  std::optional<NumberingMode> modeInFile;
  std::optional<std::string> separatorInFile;
  std::string separator = ". ";
  FakeTextField field;
};
