// The Number! command against an in-memory Edit control.
#include "number_lines.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_edit_control.h"
#include "numbering_test_state.h"

namespace {

std::string numberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "\r\n" : "") + std::to_string(i) + ". x";
  return text;
}

struct NumberingCase {
  const char* name;
  NumberingMode mode;
  const char* separator;
  std::string before;
  std::string after;
};

void PrintTo(const NumberingCase& c, std::ostream* os) {
  *os << c.name;
}

class NumberLines : public testing::TestWithParam<NumberingCase> {};

TEST_P(NumberLines, LabelsEveryLine) {
  const NumberingCase& c = GetParam();
  NumberingState state = stateWithMode(c.mode);
  FakeEditControl editor(c.before);

  numberLines(state, editor, c.separator);

  EXPECT_EQ(editor.text(), c.after);
  EXPECT_TRUE(editor.allUndoable());
}

std::string tenLines() {
  std::string text;
  for (int i = 0; i < 10; ++i) text += i ? "\r\nx" : "x";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberLines,
    testing::Values(
        NumberingCase{"EmptyField", 1, ". ", "", "1. "},
        NumberingCase{"ThreeLinesArabic", 1, ". ", "apple\r\npear\r\nplum",
                      "1. apple\r\n2. pear\r\n3. plum"},
        NumberingCase{"ThreeLinesRoman", 2, " - ", "apple\r\npear\r\nplum",
                      "I - apple\r\nII - pear\r\nIII - plum"},
        NumberingCase{"TrailingLineBreakIsALine", 1, ". ", "apple\r\npear\r\n",
                      "1. apple\r\n2. pear\r\n3. "},
        NumberingCase{"EmptyLinesInsideAreLabelled", 2, ")", "a\r\n\r\nb", "I)a\r\nII)\r\nIII)b"},
        NumberingCase{"NoLeadingZeros", 1, ". ", tenLines(), numberedLines(10)},
        NumberingCase{"EmptySeparator", 1, "", "a\r\nb", "1a\r\n2b"},
        NumberingCase{"UnknownModeLeavesTextUnchanged", 7, ". ", "apple\r\npear", "apple\r\npear"},
        NumberingCase{"NegativeModeLeavesTextUnchanged", -1, ". ", "", ""}),
    [](const testing::TestParamInfo<NumberingCase>& param) { return param.param.name; });

TEST(NumberLinesCommand, RunTwicePutsNewLabelsInFront) {
  NumberingState state = stateWithMode(kArabicNumbering);
  FakeEditControl editor("apple\r\npear");

  numberLines(state, editor, ". ");
  numberLines(state, editor, ". ");

  EXPECT_EQ(editor.text(), "1. 1. apple\r\n2. 2. pear");
}

TEST(NumberLinesCommand, LeavesCaretAfterLastLabelAndKeepsState) {
  NumberingState state = stateWithMode(kRomanNumbering);
  FakeEditControl editor("a\r\nb\r\nc\r\nd");

  numberLines(state, editor, ". ");

  EXPECT_EQ(editor.caret(),
            static_cast<int32_t>(std::string("I. a\r\nII. b\r\nIII. c\r\nIV. ").size()));
  EXPECT_EQ(state.lineCount, 4);
  EXPECT_EQ(state.separator, ". ");
  EXPECT_EQ(state.label, "IV. ");
  EXPECT_EQ(state.lineStart,
            static_cast<int32_t>(std::string("I. a\r\nII. b\r\nIII. c\r\n").size()));
}

TEST(NumberLinesCommand, SeparatorIsTakenAfreshEachRun) {
  NumberingState state = stateWithMode(kArabicNumbering);
  FakeEditControl editor("a");

  numberLines(state, editor, ". ");
  numberLines(state, editor, " - ");

  EXPECT_EQ(editor.text(), "1 - 1. a");
  EXPECT_EQ(state.separator, " - ");
}

TEST(NumberLinesCommand, ModeSwitchBetweenRunsChangesTheStyle) {
  NumberingState state = stateWithMode(kRomanNumbering);
  FakeEditControl editor("a\r\nb");

  numberLines(state, editor, " ");
  state.mode = kArabicNumbering;
  numberLines(state, editor, " ");

  EXPECT_EQ(editor.text(), "1 I a\r\n2 II b");
}

// An editor whose line starts move under it: the count is taken once, before any insertion.
class GrowingEditor : public FakeEditControl {
 public:
  using FakeEditControl::FakeEditControl;
  int32_t lineCount() override {
    ++countQueries;
    return FakeEditControl::lineCount();
  }
  int countQueries = 0;
};

TEST(NumberLinesCommand, TakesLineCountOnceEvenWhenLabelsAddLines) {
  NumberingState state = stateWithMode(kArabicNumbering);
  GrowingEditor editor("a\r\nb");

  numberLines(state, editor, "\r\n");

  EXPECT_EQ(editor.countQueries, 1);
  // Two lines labelled; the line breaks the labels brought in shift the later line starts.
  EXPECT_EQ(editor.text(), "1\r\n2\r\na\r\nb");
  EXPECT_EQ(editor.replaceCount(), 2);
}

}  // namespace
