// Real input through SendInput: it reaches the program's message queue like a user's keys and
// clicks, and its key state reaches GetAsyncKeyState while a key is held.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

void keyDown(WORD key);
void keyUp(WORD key);
void tap(WORD key);
// Presses the keys in order and releases them in reverse order, e.g. {VK_CONTROL, 'Z'}.
void chord(const std::vector<WORD>& keys);
// Types printable ASCII, CR LF or LF as Enter.
void typeText(const std::string& text);

void moveMouse(POINT at);
void click(POINT at);
// Leaves the pointer where it starts no tooltip and covers no window of the program.
void parkMouse();

// Lets go of Escape, Alt, Ctrl and Shift, whatever state a scenario left them in.
void releaseKeys();

}  // namespace e2e
