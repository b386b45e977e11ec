// Start-up order, menu dispatch and shutdown order.
#include "main_sequence.h"

#include "app_state.h"
#include "main_window.h"
#include "mode_menu.h"
#include "number_command.h"
#include "settings_store.h"
#include "text_field.h"
#include "ui_numbers.h"

namespace {

// Acts on a menu item; false when the item leaves the loop.
bool dispatchMenuItem(int32_t item, AppState& state, MainWindow& window) {
  switch (item) {
    case kQuitItem:
      return false;
    case kNumberItem:
      numberTextField(state.numbering, *state.textEditor, window.separatorText());
      return true;
    case kArabicItem:
      state.numbering.mode = kArabicNumbering;
      updateModeMenu(state.numbering.mode, window);
      return true;
    case kRomanItem:
      state.numbering.mode = kRomanNumbering;
      updateModeMenu(state.numbering.mode, window);
      return true;
    default:
      return true;
  }
}

}  // namespace

LoopExit EventLoop(AppState& state, MainWindow& window, WindowLayer& layer) {
  for (;;) {
    // The physical key state, not a key event: Escape counts only while it is still held here.
    if (layer.escapeDown()) return LoopExit::kEscape;

    const Event event = layer.waitEvent();
    if (event.kind == EventKind::kClose) return LoopExit::kClose;
    if (event.kind == EventKind::kMenu && !dispatchMenuItem(event.code, state, window)) {
      return LoopExit::kQuit;
    }
  }
}

void runMainSequence(AppState& state, MainWindow& window, WindowLayer& layer,
                     SettingsStore& settings) {
  state.numbering.mode = kArabicNumbering;
  fillRomanTable(state.numbering.romanTable);

  if (window.open()) {
    settings.load(state.numbering.mode, window);
    updateModeMenu(state.numbering.mode, window);
    window.focusTextField();
    state.textEditor = &window.textEditor();

    EventLoop(state, window, layer);

    // While the window is still on screen, so a message about the file shows over it.
    settings.save(state.numbering.mode, window);
  }

  settings.closeFile();
  window.shutdown();
}
