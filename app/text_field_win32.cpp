// Edit control messages behind the TextField operations.
#include "text_field_win32.h"

int32_t Win32TextField::lineCount() {
  return static_cast<int32_t>(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0));
}

int32_t Win32TextField::lineIndex(int32_t line) {
  return static_cast<int32_t>(SendMessageA(edit_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

void Win32TextField::setSelection(int32_t start, int32_t end) {
  SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Win32TextField::replaceSelection(const std::string& text, bool undoable) {
  SendMessageA(edit_, EM_REPLACESEL, undoable ? TRUE : FALSE,
               reinterpret_cast<LPARAM>(text.c_str()));
}

int64_t Win32TextField::textLength() {
  return SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0);
}

int64_t Win32TextField::textLimit() {
  // The limit is an unsigned count; read it as such so that no large value turns negative.
  return static_cast<int64_t>(static_cast<UINT>(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0)));
}

void Win32TextField::setTextLimit(int64_t limit) {
  SendMessageA(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
}
