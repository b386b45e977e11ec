// Shows the numbering mode in the Options menu.
#pragma once

#include "number_lines.h"

class MainWindow;

// Mode 1 checks "Arabic numbers" and unchecks "Roman Numbers", mode 2 the other way round; any
// other mode leaves the check marks and says "unknown value:" with the mode in a message box.
void updateModeMenu(NumberingMode mode, MainWindow& window);
