// The process's entry: sets up COM and the common controls, runs the main sequence, exits 0.
// commctrl.h and objbase.h need windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
// clang-format on

#include "app_state.h"
#include "main_sequence.h"
#include "main_window_win32.h"
#include "settings_file_store.h"
#include "window_layer_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  {
    AppState state;
    Win32WindowLayer layer(instance);
    Win32MainWindow window(layer);
    SettingsFileStore settings;
    runMainSequence(state, window, layer, settings);
  }

  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
