// The modal system message box of showMessage.
#pragma once

#include <string>

// One OK button, no icon. Owned by the foreground window when it is one of this process's,
// otherwise by none; the thread's other windows take no input while the box is up.
void showMessageBox(const std::string& title, const std::string& text);
