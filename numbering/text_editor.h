// The four operations the Number! command needs from a multi-line text field.
#pragma once

#include <cstdint>
#include <string>

// Lines and character indexes are the editor's own, as it counts them.
class TextEditor {
 public:
  virtual ~TextEditor() = default;

  // Number of lines; at least 1, even for an empty field.
  virtual int32_t lineCount() = 0;
  // Character index of the first character of the 0-based line, in the current text.
  virtual int32_t lineIndex(int32_t line) = 0;
  // Selects [start, end); start == end places the caret with nothing selected.
  virtual void setSelection(int32_t start, int32_t end) = 0;
  // Replaces the selection with text and leaves the caret after it; undoable records the change
  // for the editor's undo.
  virtual void replaceSelection(const std::string& text, bool undoable) = 0;
};
