// Number! on a field with a text limit: no label is ever refused, and the field's own limit is
// back in place after the run.
#include "number_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_edit_control.h"
#include "fake_text_field.h"
#include "numbering_test_state.h"

namespace {

std::string linesOf(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? "\r\n" : "") + line;
  return text;
}

// What Number! makes of the text on a field without any limit.
std::string numberedWithoutLimit(NumberingMode mode, const std::string& separator,
                                 const std::string& text) {
  NumberingState state = stateWithMode(mode);
  FakeEditControl editor(text);
  numberLines(state, editor, separator);
  return editor.text();
}

struct LimitCase {
  const char* name;
  NumberingMode mode;
  const char* separator;
  int lines;
  // The field's limit relative to the length of the fully numbered text.
  int64_t limitOffset;
  bool raisesLimit;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.name;
}

class NumberTextField : public testing::TestWithParam<LimitCase> {};

TEST_P(NumberTextField, InsertsEveryLabelAndPutsTheLimitBack) {
  const LimitCase& c = GetParam();
  const std::string text = linesOf(c.lines, "item");
  const std::string numbered = numberedWithoutLimit(c.mode, c.separator, text);
  const auto numberedLength = static_cast<int64_t>(numbered.size());
  const int64_t limit = numberedLength + c.limitOffset;
  NumberingState state = stateWithMode(c.mode);
  FakeTextField field(text, limit);

  numberTextField(state, field, c.separator);

  EXPECT_EQ(field.text(), numbered);
  EXPECT_EQ(field.refused(), 0);
  EXPECT_EQ(field.textLimit(), limit);
  const std::vector<int64_t> expectedLimits =
      c.raisesLimit ? std::vector<int64_t>{numberedLength, limit} : std::vector<int64_t>{};
  EXPECT_EQ(field.limitsSet(), expectedLimits);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextField,
    testing::Values(LimitCase{"FarBelowTheLimit", kArabicNumbering, ". ", 3, 30000, false},
                    LimitCase{"ArabicExactFit", kArabicNumbering, ". ", 12, 0, false},
                    LimitCase{"ArabicOneOver", kArabicNumbering, ". ", 12, -1, true},
                    LimitCase{"RomanExactFit", kRomanNumbering, " - ", 14, 0, false},
                    LimitCase{"RomanOneOver", kRomanNumbering, " - ", 14, -1, true},
                    LimitCase{"EmptySeparatorOneOver", kArabicNumbering, "", 3, -1, true},
                    // The text alone is already longer than the limit.
                    LimitCase{"TextAlreadyOverTheLimit", kArabicNumbering, ". ", 40, -200, true},
                    LimitCase{"UnknownModeInsertsNothing", 7, ". ", 5, 0, false}),
    [](const testing::TestParamInfo<LimitCase>& param) { return param.param.name; });

TEST(NumberTextField, WithoutTheGuardTheFieldRefusesLabels) {
  // The fault the guard prevents, on the same fake: a text near the limit loses its last labels.
  const std::string text = linesOf(3, "item");
  NumberingState state = stateWithMode(kArabicNumbering);
  FakeTextField field(text, static_cast<int64_t>(text.size()) + 4);

  numberLines(state, field, ". ");

  EXPECT_EQ(field.refused(), 2);
}

TEST(RaisedTextLimit, StaysWithinWhatTheControlAccepts) {
  EXPECT_EQ(raisedTextLimit(kLargestTextLimit - 10, 100, 30000), kLargestTextLimit);
  EXPECT_EQ(raisedTextLimit(29990, 20, 30000), 30010);
  EXPECT_EQ(raisedTextLimit(29990, 10, 30000), std::nullopt);
  // Nothing to insert: nothing to make room for, even over the limit.
  EXPECT_EQ(raisedTextLimit(40000, 0, 30000), std::nullopt);
}

}  // namespace
