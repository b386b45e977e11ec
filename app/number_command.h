// Number! on the text field, with labels never lost to the field's text limit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "number_lines.h"

class TextField;

// The largest text limit an Edit control accepts.
inline constexpr int64_t kLargestTextLimit = 0x7FFFFFFE;

// Characters that one run inserts on `lineCount` lines in the state's mode.
int64_t labelsLength(const NumberingState& state, int32_t lineCount,
                     const std::string& separatorText);

// The limit a run needs when its labels would not fit under the current one; nothing when they
// fit or there is nothing to insert.
std::optional<int64_t> raisedTextLimit(int64_t textLength, int64_t labelsLength,
                                       int64_t currentLimit);

// numberLines on the field. The field refuses an insertion past its text limit whole, so when
// the labels would not fit the limit is raised for this run's insertions only and the previous
// limit is put back afterwards: typing and pasting keep the control's own limit.
void numberTextField(NumberingState& state, TextField& field, const std::string& separatorText);
