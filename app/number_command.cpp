// Number! with the text-limit guard.
#include "number_command.h"

#include <algorithm>

#include "text_field.h"

namespace {

int64_t decimalDigits(int32_t n) {
  int64_t digits = 1;
  for (int32_t rest = n / 10; rest > 0; rest /= 10) ++digits;
  return digits;
}

}  // namespace

int64_t labelsLength(const NumberingState& state, int32_t lineCount,
                     const std::string& separatorText) {
  const auto separatorLength = static_cast<int64_t>(separatorText.size());
  int64_t total = 0;
  for (int32_t number = 1; number <= lineCount; ++number) {
    if (state.mode == kArabicNumbering) {
      total += decimalDigits(number) + separatorLength;
    } else if (state.mode == kRomanNumbering) {
      total += static_cast<int64_t>(toRoman(state.romanTable, number).size()) + separatorLength;
    } else {
      // An unrecognised mode inserts the kept label on every line.
      total += static_cast<int64_t>(state.label.size());
    }
  }
  return total;
}

std::optional<int64_t> raisedTextLimit(int64_t textLength, int64_t labelsLength,
                                       int64_t currentLimit) {
  const int64_t needed = textLength + labelsLength;
  if (labelsLength == 0 || needed <= currentLimit) return std::nullopt;
  return std::min(needed, kLargestTextLimit);
}

void numberTextField(NumberingState& state, TextField& field, const std::string& separatorText) {
  const int64_t previousLimit = field.textLimit();
  const std::optional<int64_t> runLimit = raisedTextLimit(
      field.textLength(), labelsLength(state, field.lineCount(), separatorText), previousLimit);
  if (runLimit) field.setTextLimit(*runLimit);

  numberLines(state, field, separatorText);

  if (runLimit) field.setTextLimit(previousLimit);
}
