// The program-wide state: one instance per process, owned by the main sequence.
#pragma once

#include "number_lines.h"

class TextField;

struct AppState {
  // Mode, separator copy, last label, line count and start, and the Roman table.
  NumberingState numbering;
  // The text field, taken once after the window has opened; the Number! command works on it.
  TextField* textEditor = nullptr;
};
