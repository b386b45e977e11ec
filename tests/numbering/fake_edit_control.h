// An in-memory TextEditor that behaves like the Windows multi-line Edit control without word
// wrap: lines are separated by CR LF, an empty text has one line, and replacing the selection
// leaves the caret after the inserted text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "text_editor.h"

class FakeEditControl : public TextEditor {
 public:
  explicit FakeEditControl(std::string text = {}) : text_(std::move(text)) {}

  int32_t lineCount() override { return static_cast<int32_t>(lineStarts().size()); }

  // Like EM_LINEINDEX: -1 for a line past the last one.
  int32_t lineIndex(int32_t line) override {
    const std::vector<int32_t> starts = lineStarts();
    if (line < 0 || line >= static_cast<int32_t>(starts.size())) return -1;
    return starts[static_cast<std::size_t>(line)];
  }

  void setSelection(int32_t start, int32_t end) override {
    selectionStart_ = clamp(std::min(start, end));
    selectionEnd_ = clamp(std::max(start, end));
  }

  void replaceSelection(const std::string& text, bool undoable) override {
    const auto start = static_cast<std::size_t>(selectionStart_);
    const auto end = static_cast<std::size_t>(selectionEnd_);
    text_.replace(start, end - start, text);
    selectionStart_ = selectionEnd_ = selectionStart_ + static_cast<int32_t>(text.size());
    ++replaceCount_;
    allUndoable_ = allUndoable_ && undoable;
  }

  const std::string& text() const { return text_; }
  int32_t caret() const { return selectionEnd_; }
  int replaceCount() const { return replaceCount_; }
  bool allUndoable() const { return allUndoable_; }

 private:
  std::vector<int32_t> lineStarts() const {
    std::vector<int32_t> starts{0};
    for (std::size_t at = text_.find("\r\n"); at != std::string::npos;
         at = text_.find("\r\n", at + 2)) {
      starts.push_back(static_cast<int32_t>(at + 2));
    }
    return starts;
  }

  int32_t clamp(int32_t index) const {
    return std::clamp(index, int32_t{0}, static_cast<int32_t>(text_.size()));
  }

  std::string text_;
  int32_t selectionStart_ = 0;
  int32_t selectionEnd_ = 0;
  int replaceCount_ = 0;
  bool allUndoable_ = true;
};
