// Tab order over the fields.
#include "field_focus.h"

#include <cstddef>

int32_t FieldFocus::nextField(int32_t current, bool forward,
                              const std::function<bool(int32_t)>& canTakeFocus) const {
  const auto count = static_cast<std::ptrdiff_t>(fields_.size());
  if (count == 0) return kNoField;

  // Start one step outside the list when the focus is not on a field, so that the first step
  // lands on the first (forward) or last (backward) field.
  std::ptrdiff_t position = forward ? -1 : count;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (fields_[static_cast<std::size_t>(i)] == current) position = i;
  }

  const std::ptrdiff_t step = forward ? 1 : -1;
  for (std::ptrdiff_t taken = 1; taken <= count; ++taken) {
    const std::ptrdiff_t index = ((position + step * taken) % count + count) % count;
    const int32_t field = fields_[static_cast<std::size_t>(index)];
    if (canTakeFocus(field)) return field;
  }
  return kNoField;
}
