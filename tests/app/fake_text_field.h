// An in-memory text field with the Edit control's text limit as measured under Wine: an insertion
// that would take the text past the limit is refused whole, and the default limit is 30,000.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fake_edit_control.h"
#include "text_field.h"

class FakeTextField : public TextField {
 public:
  explicit FakeTextField(std::string text = {}, int64_t limit = 30000)
      : edit_(std::move(text)), limit_(limit) {}

  int32_t lineCount() override { return edit_.lineCount(); }
  int32_t lineIndex(int32_t line) override { return edit_.lineIndex(line); }
  void setSelection(int32_t start, int32_t end) override { edit_.setSelection(start, end); }
  // Number! only ever inserts at an empty selection, which is all this fake supports.
  void replaceSelection(const std::string& text, bool undoable) override {
    if (static_cast<int64_t>(edit_.text().size() + text.size()) > limit_) {
      ++refused_;
      return;
    }
    edit_.replaceSelection(text, undoable);
  }

  int64_t textLength() override { return static_cast<int64_t>(edit_.text().size()); }
  int64_t textLimit() override { return limit_; }
  void setTextLimit(int64_t limit) override {
    limit_ = limit;
    limitsSet_.push_back(limit);
  }

  const std::string& text() const { return edit_.text(); }
  int refused() const { return refused_; }
  const std::vector<int64_t>& limitsSet() const { return limitsSet_; }

 private:
  FakeEditControl edit_;
  int64_t limit_;
  int refused_ = 0;
  std::vector<int64_t> limitsSet_;
};
