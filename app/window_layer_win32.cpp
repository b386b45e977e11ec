// Win32 window layer: classes, message translation, the wait, Tab order and focus restore.
#include "window_layer_win32.h"

#include "ui_numbers.h"
#include "window_placement.h"

namespace {

constexpr char kMainClassName[] = "TolvaneMainWindow";
constexpr char kPanelClassName[] = "TolvanePanel";
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW;
constexpr WORD kIconResource = 1;

// Command ids of the keyboard table; above the menu items so they never meet.
constexpr WORD kNextFieldCommand = 0x7F00;
constexpr WORD kPreviousFieldCommand = 0x7F01;
// WM_COMMAND's notification word for a command that came through the keyboard table.
constexpr WORD kFromKeyboardTable = 1;

// The window procedures find the layer in the window's user data, set at WM_NCCREATE from the
// creation parameter.
Win32WindowLayer* layerOf(HWND window) {
  return reinterpret_cast<Win32WindowLayer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void storeLayer(HWND window, LPARAM createParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createParam);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

bool isModifierKey(WPARAM key) {
  return key == VK_CONTROL || key == VK_SHIFT || key == VK_MENU;
}

}  // namespace

bool Win32WindowLayer::openMainWindow(const char* title, int clientWidth, int clientHeight) {
  if (!registerClasses()) return false;
  // Without the table Tab would reach the fields; the window still works, so go on.
  createKeyboardTable();

  // The size for the client area without a menu: the menu bar added later takes its height from
  // the client area.
  RECT outer{0, 0, clientWidth, clientHeight};
  if (!AdjustWindowRectEx(&outer, kMainStyle, FALSE, 0)) return false;
  mainWindow_ =
      CreateWindowExA(0, kMainClassName, title, kMainStyle, 0, 0, outer.right - outer.left,
                      outer.bottom - outer.top, nullptr, nullptr, instance_, this);
  if (!mainWindow_) return false;

  centreOnScreen();
  ShowWindow(mainWindow_, SW_SHOWNORMAL);
  return true;
}

bool Win32WindowLayer::registerClasses() {
  WNDCLASSEXA mainClass{};
  mainClass.cbSize = sizeof mainClass;
  mainClass.style = CS_DBLCLKS;
  mainClass.lpfnWndProc = mainWindowProc;
  mainClass.hInstance = instance_;
  mainClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(kIconResource));
  mainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  mainClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  mainClass.lpszClassName = kMainClassName;
  mainClass_ = RegisterClassExA(&mainClass);

  WNDCLASSEXA panelClass{};
  panelClass.cbSize = sizeof panelClass;
  panelClass.lpfnWndProc = panelProc;
  panelClass.hInstance = instance_;
  panelClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  panelClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  panelClass.lpszClassName = kPanelClassName;
  panelClass_ = RegisterClassExA(&panelClass);

  return mainClass_ != 0;
}

bool Win32WindowLayer::createKeyboardTable() {
  ACCEL entries[] = {
      {FVIRTKEY, VK_TAB, kNextFieldCommand},
      {FVIRTKEY | FSHIFT, VK_TAB, kPreviousFieldCommand},
  };
  keyboardTable_ = CreateAcceleratorTableA(entries, static_cast<int>(std::size(entries)));
  return keyboardTable_ != nullptr;
}

void Win32WindowLayer::centreOnScreen() {
  RECT outer{};
  if (!GetWindowRect(mainWindow_, &outer)) return;
  const int32_t x = centredOffset(outer.right - outer.left, GetSystemMetrics(SM_CXSCREEN));
  const int32_t y = centredOffset(outer.bottom - outer.top, GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(mainWindow_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Win32WindowLayer::createPanel(int32_t field, int x, int y, int width, int height) {
  const HWND panel = CreateWindowExA(
      0, kPanelClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, width, height,
      mainWindow_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(field)), instance_, this);
  remember(field, panel);
  return panel;
}

HWND Win32WindowLayer::createEditField(int32_t field, HWND parent, DWORD extraStyle, int x, int y,
                                       int width, int height, const char* text) {
  const EventQueue::Silence silence(queue_);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL | extraStyle;
  const HWND edit =
      CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text, style, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(field)), instance_, nullptr);
  if (edit) {
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
  }
  remember(field, edit);
  return edit;
}

void Win32WindowLayer::remember(int32_t field, HWND window) {
  if (field < 0 || static_cast<std::size_t>(field) >= fields_.size()) return;
  fields_[static_cast<std::size_t>(field)] = window;
  focus_.addField(field);
}

HWND Win32WindowLayer::fieldWindow(int32_t field) const {
  if (field < 0 || static_cast<std::size_t>(field) >= fields_.size()) return nullptr;
  return fields_[static_cast<std::size_t>(field)];
}

int32_t Win32WindowLayer::fieldOf(HWND window) const {
  if (!window) return kNoField;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i] == window) return static_cast<int32_t>(i);
  }
  return kNoField;
}

std::string Win32WindowLayer::fieldText(int32_t field) const {
  const HWND window = fieldWindow(field);
  if (!window) return {};
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void Win32WindowLayer::setFieldText(int32_t field, const std::string& text) {
  const HWND window = fieldWindow(field);
  if (!window) return;
  // The Edit control notifies its parent of the change while the text is being set.
  const EventQueue::Silence silence(queue_);
  SetWindowTextA(window, text.c_str());
}

void Win32WindowLayer::shutdown() {
  if (mainWindow_) DestroyWindow(mainWindow_);
  mainWindow_ = nullptr;
  fields_ = {};
  if (mainClass_) UnregisterClassA(kMainClassName, instance_);
  if (panelClass_) UnregisterClassA(kPanelClassName, instance_);
  mainClass_ = panelClass_ = 0;
  if (keyboardTable_) DestroyAcceleratorTable(keyboardTable_);
  keyboardTable_ = nullptr;
}

bool Win32WindowLayer::escapeDown() {
  return (static_cast<unsigned short>(GetAsyncKeyState(VK_ESCAPE)) & 0x8000u) != 0;
}

Event Win32WindowLayer::waitEvent() {
  Event event;
  if (queue_.next(event)) return event;

  MSG message{};
  const BOOL got = GetMessageA(&message, nullptr, 0, 0);
  // -1: the wait itself failed and would fail again at once; leave the way the close box does.
  if (got == -1) return Event{EventKind::kClose, kMainWindowNumber, 0};
  // WM_QUIT (got == 0) is not the program's way to end; it is ignored like any other message.
  if (got == 0) return event;

  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
      isModifierKey(message.wParam)) {
    showKeyboardCues(true);
  }
  if (!(keyboardTable_ && mainWindow_ &&
        TranslateAcceleratorA(mainWindow_, keyboardTable_, &message))) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return event;
}

void Win32WindowLayer::showKeyboardCues(bool show) {
  if (!mainWindow_) return;
  const WORD action = show ? UIS_CLEAR : UIS_SET;
  SendMessageA(mainWindow_, WM_CHANGEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS | UISF_HIDEACCEL),
               0);
}

bool Win32WindowLayer::canTakeFocus(int32_t field) const {
  const HWND window = fieldWindow(field);
  return window && IsWindowEnabled(window) && IsWindowVisible(window) &&
         (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) != 0;
}

void Win32WindowLayer::moveFocus(bool forward) {
  const int32_t next = focus_.nextField(fieldOf(GetFocus()), forward,
                                        [this](int32_t field) { return canTakeFocus(field); });
  if (next != kNoField) SetFocus(fieldWindow(next));
}

bool Win32WindowLayer::restoreFocus() {
  const HWND window = fieldWindow(focus_.fieldToRestore());
  if (!window || !IsWindow(window)) return false;
  SetFocus(window);
  return true;
}

LRESULT CALLBACK Win32WindowLayer::mainWindowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  if (message == WM_NCCREATE) storeLayer(window, lParam);
  Win32WindowLayer* layer = layerOf(window);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (!layer) return DefWindowProcA(window, message, wParam, lParam);
  return layer->handleMainMessage(window, message, wParam, lParam);
}

LRESULT Win32WindowLayer::handleMainMessage(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(wParam, lParam);
      return 0;
    case WM_CLOSE:
      // Only an event: the window stays on screen until shutdown.
      queue_.post({EventKind::kClose, kMainWindowNumber, 0});
      return 0;
    case WM_ACTIVATE:
      onActivate(wParam);
      // Reactivated, not minimised: give the focus back instead of to the window itself.
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 && restoreFocus()) return 0;
      break;
    case WM_SETFOCUS:
      // The system hands the focus to the window itself, e.g. when it is restored.
      if (restoreFocus()) return 0;
      break;
    case WM_SIZE:
      queue_.post({EventKind::kSize, kMainWindowNumber, static_cast<int32_t>(wParam)});
      break;
    case WM_MOVE:
      queue_.post({EventKind::kMove, kMainWindowNumber, 0});
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Win32WindowLayer::onCommand(WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  const WORD source = HIWORD(wParam);
  if (source == kFromKeyboardTable) {
    if (id == kNextFieldCommand || id == kPreviousFieldCommand) {
      moveFocus(id == kNextFieldCommand);
    }
    return;
  }
  // A menu choice: notification word 0 and no control window.
  if (source == 0 && lParam == 0) queue_.post({EventKind::kMenu, kMenuBarNumber, id});
}

void Win32WindowLayer::onActivate(WPARAM wParam) {
  const bool active = LOWORD(wParam) != WA_INACTIVE;
  if (!active) {
    // The focus is still on the field while the deactivation is announced.
    focus_.rememberFocus(fieldOf(GetFocus()));
    showKeyboardCues(false);
  }
  queue_.post({EventKind::kActivation, kMainWindowNumber, active ? 1 : 0});
}

LRESULT CALLBACK Win32WindowLayer::panelProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) storeLayer(window, lParam);
  Win32WindowLayer* layer = layerOf(window);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  // The fields are the panel's children, so their notifications come here.
  if (layer && message == WM_COMMAND && lParam != 0) {
    layer->queue_.post({EventKind::kField, static_cast<int32_t>(LOWORD(wParam)),
                        static_cast<int32_t>(HIWORD(wParam))});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
