// Tab order over the fields and the field remembered across deactivation.
#include "field_focus.h"

#include <gtest/gtest.h>

#include <set>

#include "ui_numbers.h"

namespace {

// The window's fields in creation order: the panel (no tab stop), the text field, the separator
// field; plus a fourth one to show skipping and wrapping over more than two.
FieldFocus focusOverFields() {
  FieldFocus focus;
  for (int32_t field : {kPanelField, kTextField, kSeparatorField, 3}) focus.addField(field);
  return focus;
}

struct TabCase {
  const char* name;
  int32_t current;
  bool forward;
  std::set<int32_t> focusable;
  int32_t expected;
};

void PrintTo(const TabCase& c, std::ostream* os) {
  *os << c.name;
}

class TabOrder : public testing::TestWithParam<TabCase> {};

TEST_P(TabOrder, MovesToTheNextFocusableField) {
  const TabCase& c = GetParam();
  const FieldFocus focus = focusOverFields();
  const auto canTakeFocus = [&](int32_t field) { return c.focusable.count(field) > 0; };
  EXPECT_EQ(focus.nextField(c.current, c.forward, canTakeFocus), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabOrder,
    testing::Values(
        // The program's own case: Tab and Shift+Tab toggle between the two Edit fields.
        TabCase{"TabFromTextField", kTextField, true, {1, 2}, kSeparatorField},
        TabCase{"TabFromSeparatorWraps", kSeparatorField, true, {1, 2}, kTextField},
        TabCase{"ShiftTabFromTextFieldWraps", kTextField, false, {1, 2}, kSeparatorField},
        TabCase{"ShiftTabFromSeparator", kSeparatorField, false, {1, 2}, kTextField},
        TabCase{"SkipsFieldsThatCannotTakeFocus", kPanelField, true, {3}, 3},
        TabCase{"WrapsBackwardOverSkippedFields", kTextField, false, {2}, kSeparatorField},
        TabCase{"FromOutsideForwardTakesFirst", kNoField, true, {1, 2, 3}, kTextField},
        TabCase{"FromOutsideBackwardTakesLast", kNoField, false, {1, 2, 3}, 3},
        TabCase{"OnlyTheCurrentOneStays", kTextField, true, {1}, kTextField},
        TabCase{"NoneFocusable", kTextField, true, {}, kNoField}),
    [](const testing::TestParamInfo<TabCase>& param) { return param.param.name; });

TEST(FieldFocus, WithoutFieldsThereIsNowhereToGo) {
  const FieldFocus focus;
  EXPECT_EQ(focus.nextField(kNoField, true, [](int32_t) { return true; }), kNoField);
}

TEST(FieldFocus, RestoresTheFieldFocusedAtTheLastDeactivation) {
  FieldFocus focus = focusOverFields();
  EXPECT_EQ(focus.fieldToRestore(), kNoField);
  focus.rememberFocus(kSeparatorField);
  EXPECT_EQ(focus.fieldToRestore(), kSeparatorField);
  focus.rememberFocus(kNoField);  // deactivated while no field had the focus
  EXPECT_EQ(focus.fieldToRestore(), kNoField);
}

}  // namespace
