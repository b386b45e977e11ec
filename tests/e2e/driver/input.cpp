// SendInput key strokes and mouse clicks.
#include "input.h"

namespace e2e {
namespace {

bool isExtended(WORD key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RMENU:
    case VK_RCONTROL:
      return true;
    default:
      return false;
  }
}

void sendKey(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (isExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &input, sizeof input);
}

void sendMouse(DWORD flags, POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void keyDown(WORD key) {
  sendKey(key, true);
}
void keyUp(WORD key) {
  sendKey(key, false);
}

void tap(WORD key) {
  keyDown(key);
  keyUp(key);
}

void chord(const std::vector<WORD>& keys) {
  for (const WORD key : keys) keyDown(key);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) keyUp(*key);
}

void typeText(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') continue;
    if (c == '\n') {
      tap(VK_RETURN);
      continue;
    }
    const SHORT scan = VkKeyScanA(c);
    if (scan == -1) continue;  // not on this keyboard; the scenario's text check will say so
    const auto key = static_cast<WORD>(scan & 0xff);
    std::vector<WORD> keys;
    if (scan & 0x100) keys.push_back(VK_SHIFT);
    if (scan & 0x200) keys.push_back(VK_CONTROL);
    if (scan & 0x400) keys.push_back(VK_MENU);
    keys.push_back(key);
    chord(keys);
  }
}

void moveMouse(POINT at) {
  sendMouse(MOUSEEVENTF_MOVE, at);
}

void click(POINT at) {
  sendMouse(MOUSEEVENTF_MOVE, at);
  sendMouse(MOUSEEVENTF_LEFTDOWN, at);
  sendMouse(MOUSEEVENTF_LEFTUP, at);
}

void parkMouse() {
  moveMouse({GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
}

void releaseKeys() {
  for (const WORD key : {VK_ESCAPE, VK_MENU, VK_LMENU, VK_RMENU, VK_CONTROL, VK_LCONTROL,
                         VK_RCONTROL, VK_SHIFT, VK_LSHIFT, VK_RSHIFT}) {
    keyUp(key);
  }
}

}  // namespace e2e
