// The Number! command: puts "<number><separator>" in front of every line of a text field.
#pragma once

#include <cstdint>
#include <string>

#include "roman.h"

class TextEditor;

// 1 is Arabic, 2 is Roman; any other value (only a settings file can bring one) is unrecognised.
using NumberingMode = int32_t;
inline constexpr NumberingMode kArabicNumbering = 1;
inline constexpr NumberingMode kRomanNumbering = 2;

// What the command reads and keeps between runs; part of the program-wide state.
struct NumberingState {
  NumberingMode mode = kArabicNumbering;
  std::string separator;  // copy of the separator field's text taken by the last run
  std::string label;      // the label last built; kept as it is under an unrecognised mode
  int32_t lineCount = 0;
  int32_t lineStart = 0;
  RomanTable romanTable;
};

// Labels every line of the editor in place. separatorText is the separator field's text now.
void numberLines(NumberingState& state, TextEditor& editor, const std::string& separatorText);
