// A NumberingState ready for a Number! run: the Roman table filled, the mode chosen.
#pragma once

#include "number_lines.h"

inline NumberingState stateWithMode(NumberingMode mode) {
  NumberingState state;
  fillRomanTable(state.romanTable);
  state.mode = mode;
  return state;
}
