// The program's main sequence: start-up, the event loop, the settings save and shutdown.
#pragma once

#include <cstdint>

struct AppState;
class MainWindow;
class WindowLayer;
class SettingsStore;

enum class LoopExit : uint8_t { kEscape, kQuit, kClose };

// Turns until Escape is down before a wait, Quit is chosen or the window is asked to close.
LoopExit EventLoop(AppState& state, MainWindow& window, WindowLayer& layer);

// From mode 1 to shutdown. When the window cannot be opened, nothing is loaded, run or saved.
void runMainSequence(AppState& state, MainWindow& window, WindowLayer& layer,
                     SettingsStore& settings);
