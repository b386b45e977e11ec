// Roman table contents and the greedy conversion.
#include "roman.h"

#include <gtest/gtest.h>

#include <string>

namespace {

RomanTable filledTable() {
  RomanTable table;
  fillRomanTable(table);
  return table;
}

TEST(RomanTable, HoldsTheThirteenPairsLargestFirst) {
  const RomanTable table = filledTable();
  const char* symbols[] = {"M", "CM", "D", "CD", "C", "XC", "L", "XL", "X", "IX", "V", "IV", "I"};
  const int32_t values[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].symbol, symbols[i]) << "index " << i;
    EXPECT_EQ(table[i].value, values[i]) << "index " << i;
  }
}

struct RomanCase {
  int32_t number;
  const char* roman;
};

void PrintTo(const RomanCase& c, std::ostream* os) {
  *os << c.number;
}

class ToRoman : public testing::TestWithParam<RomanCase> {};

TEST_P(ToRoman, ConvertsGreedily) {
  const RomanTable table = filledTable();
  EXPECT_EQ(toRoman(table, GetParam().number), GetParam().roman);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToRoman,
    testing::Values(RomanCase{0, ""}, RomanCase{-1, ""}, RomanCase{-1994, ""},
                    RomanCase{INT32_MIN, ""}, RomanCase{1, "I"}, RomanCase{2, "II"},
                    RomanCase{3, "III"}, RomanCase{4, "IV"}, RomanCase{5, "V"}, RomanCase{9, "IX"},
                    RomanCase{14, "XIV"}, RomanCase{40, "XL"}, RomanCase{49, "XLIX"},
                    RomanCase{90, "XC"}, RomanCase{400, "CD"}, RomanCase{444, "CDXLIV"},
                    RomanCase{900, "CM"}, RomanCase{1994, "MCMXCIV"}, RomanCase{2026, "MMXXVI"},
                    RomanCase{3999, "MMMCMXCIX"}, RomanCase{4000, "MMMM"},
                    RomanCase{12345, "MMMMMMMMMMMMCCCXLV"}));

TEST(ToRoman, HasNoUpperLimit) {
  const RomanTable table = filledTable();
  const std::string roman = toRoman(table, 1'000'999);
  EXPECT_EQ(roman, std::string(1000, 'M') + "CMXCIX");
}

}  // namespace
