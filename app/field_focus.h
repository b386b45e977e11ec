// Keyboard focus bookkeeping over the fields: the Tab order and the field to give the focus back
// to when the window is activated again.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ui_numbers.h"

class FieldFocus {
 public:
  // Fields take part in the Tab order in the order they are added (their creation order).
  void addField(int32_t field) { fields_.push_back(field); }

  // The field that Tab (forward) or Shift+Tab moves the focus to from `current`: the next or
  // previous field that canTakeFocus accepts (enabled, visible, tab stop), wrapping at both ends.
  // From outside the fields, forward starts at the first and backward at the last. kNoField when
  // none qualifies.
  int32_t nextField(int32_t current, bool forward,
                    const std::function<bool(int32_t)>& canTakeFocus) const;

  // Called when the window loses activation with the field that has the focus (kNoField if none).
  void rememberFocus(int32_t focusedField) { remembered_ = focusedField; }
  // The field to focus when the window is activated again; kNoField when there is none.
  int32_t fieldToRestore() const { return remembered_; }

 private:
  std::vector<int32_t> fields_;
  int32_t remembered_ = kNoField;
};
