// Tooltip control creation and tool registration.
#include "tooltip_win32.h"

#include <commctrl.h>

#include <algorithm>

void FieldTips::setTip(HINSTANCE instance, HWND owner, HWND field, const char* text) {
  if (!tooltip_) {
    // No owner: a topmost pop-up of its own.
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  }
  if (!tooltip_ || !field) return;

  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  // The tooltip subclasses the field to see its mouse messages itself.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(field);
  tool.lpszText = const_cast<char*>(text);  // copied by the control

  const bool registered = std::find(fields_.begin(), fields_.end(), field) != fields_.end();
  if (registered) {
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
    fields_.push_back(field);
  }
}

void FieldTips::destroy() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  fields_.clear();
}
