// The multi-line "Edit" control as the Number! command's TextField: one message per operation.
#pragma once

#include <windows.h>

#include "text_field.h"

class Win32TextField : public TextField {
 public:
  void attach(HWND edit) { edit_ = edit; }

  int32_t lineCount() override;
  int32_t lineIndex(int32_t line) override;
  void setSelection(int32_t start, int32_t end) override;
  void replaceSelection(const std::string& text, bool undoable) override;

  int64_t textLength() override;
  int64_t textLimit() override;
  void setTextLimit(int64_t limit) override;

 private:
  HWND edit_ = nullptr;
};
