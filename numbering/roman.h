// Roman numerals: the symbol table filled once at start-up and the greedy conversion over it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct RomanEntry {
  std::string symbol;
  int32_t value = 0;
};

// Thirteen entries, largest value first; the conversion depends on this order.
using RomanTable = std::array<RomanEntry, 13>;

// Fills the table from the constant symbol and value lists kept in static data.
void fillRomanTable(RomanTable& table);

// Greedy conversion: 0 and negative numbers give the empty text; there is no upper limit,
// every full thousand adds one "M".
std::string toRoman(const RomanTable& table, int32_t n);
