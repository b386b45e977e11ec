// The multi-line text field as the Number! command sees it: the editor operations plus the
// control's text limit.
#pragma once

#include <cstdint>

#include "text_editor.h"

class TextField : public TextEditor {
 public:
  // Length of the whole text, in the units the text limit counts.
  virtual int64_t textLength() = 0;
  // Most the control lets insertions make the text; insertions beyond it are refused whole.
  virtual int64_t textLimit() = 0;
  virtual void setTextLimit(int64_t limit) = 0;
};
