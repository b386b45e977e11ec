// The window as it comes up without a settings file: frame, place, class, menu, panel, fields,
// fonts, tooltips and focus; and maximising it, which must leave panel and fields alone.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "menu.h"
#include "scenario.h"
#include "steps.h"
#include "wait.h"
#include "window_view.h"

namespace e2e {
namespace {

constexpr LONG_PTR kFieldStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr LONG_PTR kTextFieldStyle = kFieldStyle | ES_MULTILINE | ES_RIGHT | ES_CENTER;
constexpr LONG_PTR kPanelStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

void checkFrame(AppSession& app) {
  Report& report = app.report();
  HWND window = app.window;
  // The system adds WS_CLIPSIBLINGS to every top-level window and WS_EX_WINDOWEDGE to every
  // captioned one; anything else would be the program's own.
  report.equal("window style", styleOf(window) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
               static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW));
  report.equal("window extended style", exStyleOf(window) & ~WS_EX_WINDOWEDGE, LONG_PTR{0});
  report.check(IsWindowVisible(window) && !IsIconic(window) && !IsZoomed(window),
               "the window is shown in the normal state");
  report.check(GetForegroundWindow() == window && activeOf(app.threadId()) == window,
               "the window is the active foreground window");

  RECT outer{0, 0, 640, 480};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const RECT expected{(screenWidth - std::min(width, screenWidth)) / 2,
                      (screenHeight - std::min(height, screenHeight)) / 2, 0, 0};
  const RECT actual = screenRect(window);
  report.equal(
      "outer rectangle (640 x 480 client without menu, centred)", describe(actual),
      describe({expected.left, expected.top, expected.left + width, expected.top + height}));

  // The menu bar was attached after sizing: it takes its height from the client area.
  POINT clientOrigin{0, 0};
  ClientToScreen(window, &clientOrigin);
  const int menuBarHeight = static_cast<int>(clientOrigin.y - actual.top + outer.top);
  report.equal("height of the menu bar band", menuBarHeight, GetSystemMetrics(SM_CYMENU));
  report.equal("client rectangle", describe(clientRect(window)),
               describe({0, 0, 640, 480 - menuBarHeight}));
}

void checkClasses(AppSession& app) {
  Report& report = app.report();
  for (HWND window : {app.window, app.panel}) {
    const bool isMain = window == app.window;
    const std::string who = isMain ? "window class" : "panel class";
    const auto rows = app.probe("class " + app.handle(window));
    if (!report.check(rows.size() == 1 && rows[0].size() == 9, who + " readable")) continue;
    const Row& row = rows[0];
    WNDCLASSEXA system{};
    system.cbSize = sizeof system;
    report.check(!GetClassInfoExA(nullptr, row[1].c_str(), &system),
                 who + " \"" + row[1] + "\" is a private class, not a system one");
    report.equal(who + " style", std::atol(row[2].c_str()), isMain ? long{CS_DBLCLKS} : 0L);
    report.equal(who + " has the arrow cursor", row[3], std::string("1"));
    report.equal(who + " has the button-face background", row[4], std::string("1"));
    if (isMain) {
      report.equal("class icon size", row[6] + "x" + row[7], std::string("32x32"));
      report.equal("class icon is icon resource 1", row[8], std::string("1"));
    }
  }
  std::vector<std::string> images;
  for (const Row& row : app.probe("icon")) images.push_back(row[1] + "x" + row[2] + "x" + row[3]);
  std::sort(images.begin(), images.end());
  std::string list;
  for (const auto& image : images) list += image + " ";
  report.equal("images of icon resource 1", list, std::string("16x16x32 32x32x32 "));
}

struct ExpectedItem {
  const char* path;
  unsigned type;
  unsigned state;
  int id;  // -1: a bar title or a separator line, whose id means nothing
  const char* text;
  bool dropDown;
};

void checkMenu(AppSession& app) {
  static const ExpectedItem expected[] = {
      {"0", MFT_STRING, 0, -1, "File", true},
      {"0.0", MFT_STRING, 0, 1, "Number!", false},
      {"0.1", MFT_SEPARATOR, 0, -1, "", false},
      {"0.2", MFT_STRING, 0, 0, "Quit", false},
      {"1", MFT_STRING, 0, -1, "Options", true},
      {"1.0", MFT_STRING, MFS_CHECKED, 2, "Arabic numbers", false},
      {"1.1", MFT_STRING, 0, 3, "Roman Numbers", false},
  };
  Report& report = app.report();
  const auto items = readMenu(app);
  report.equal("number of menu entries (titles and items)", items.size(), std::size(expected));
  for (std::size_t i = 0; i < std::min(items.size(), std::size(expected)); ++i) {
    const MenuItem& item = items[i];
    const ExpectedItem& want = expected[i];
    const std::string who = std::string("menu ") + want.path + " \"" + want.text + "\"";
    report.equal(who + " position", item.path, std::string(want.path));
    report.equal(who + " type", item.type, want.type);
    // The system marks a separator line disabled on its own; only real items have a state to check.
    if (want.type != MFT_SEPARATOR) report.equal(who + " state", item.state, want.state);
    if (want.id >= 0) report.equal(who + " id", item.id, static_cast<unsigned>(want.id));
    if (want.type == MFT_STRING) report.equal(who + " text", item.text, std::string(want.text));
    report.equal(who + " has a drop-down", item.hasDropDown, want.dropDown);
    report.check(!item.customCheckMarks, who + " uses the ordinary check mark");
  }
}

// The default text limit of a fresh Edit control with the same styles, made by the driver.
LRESULT defaultLimit(LONG_PTR style) {
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "",
                              static_cast<DWORD>(style & ~WS_VISIBLE) | WS_POPUP, 0, 0, 100, 100,
                              nullptr, nullptr, nullptr, nullptr);
  const LRESULT limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
  DestroyWindow(edit);
  return limit;
}

void checkPanelAndFields(AppSession& app) {
  Report& report = app.report();
  report.equal("children of the window", childrenOf(app.window).size(), std::size_t{1});
  report.equal("panel style", styleOf(app.panel), kPanelStyle);
  report.equal("panel extended style", exStyleOf(app.panel), LONG_PTR{0});
  report.equal("panel text", textOf(app.panel), std::string());
  report.equal("panel rectangle", describe(rectInParent(app.panel)), describe({0, 0, 640, 460}));
  report.equal("panel client rectangle", describe(clientRect(app.panel)),
               describe({0, 0, 638, 458}));

  const auto fields = childrenOf(app.panel);
  report.check(fields.size() == 2 && fields[0] == app.textField && fields[1] == app.separatorField,
               "the panel holds exactly the text field, created first, and the separator field");
  struct Field {
    const char* name;
    HWND window;
    LONG_PTR style;
    RECT rect;
    const char* text;
  };
  for (const Field& field :
       {Field{"text field", app.textField, kTextFieldStyle, {0, 20, 640, 460}, ""},
        Field{"separator field", app.separatorField, kFieldStyle, {0, 0, 640, 20}, ". "}}) {
    const std::string who = field.name;
    report.equal(who + " class", classOf(field.window), std::string("Edit"));
    report.equal(who + " style", styleOf(field.window), field.style);
    report.equal(who + " extended style", exStyleOf(field.window), LONG_PTR{WS_EX_CLIENTEDGE});
    report.equal(who + " rectangle", describe(rectInParent(field.window)), describe(field.rect));
    report.equal(who + " text", textOf(field.window), std::string(field.text));
    report.equal(who + " text limit (the control's default)", sendTo(field.window, EM_GETLIMITTEXT),
                 defaultLimit(field.style));
    const auto font = app.probe("font " + app.handle(field.window));
    report.check(font.size() == 1 && font[0][1] == "1", who + " uses DEFAULT_GUI_FONT");
  }
}

void checkTooltips(AppSession& app) {
  Report& report = app.report();
  const auto rows = app.probe("tips");
  std::vector<Row> tips;
  std::vector<Row> tools;
  for (const Row& row : rows) (row[0] == "tip" ? tips : tools).push_back(row);
  if (!report.equal("tooltip controls of the program", tips.size(), std::size_t{1})) return;
  const Row& tip = tips[0];
  const long style = std::atol(tip[2].c_str());
  const long exStyle = std::atol(tip[3].c_str());
  report.check((style & (WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX)) ==
                   (WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX),
               "tooltip style has WS_POPUP, TTS_ALWAYSTIP and TTS_NOPREFIX");
  report.check((exStyle & WS_EX_TOPMOST) != 0, "tooltip is topmost");
  report.equal("tooltip owner", tip[4], std::string("0"));
  if (!report.equal("tools of the tooltip", tools.size(), std::size_t{2})) return;
  const struct {
    HWND field;
    const char* text;
  } expected[] = {{app.separatorField, "separator"}, {app.textField, "List lines"}};
  for (std::size_t i = 0; i < 2; ++i) {
    const Row& tool = tools[i];
    const std::string who = "tool " + std::to_string(i);
    report.equal(who + " flags", std::atol(tool[2].c_str()), long{TTF_IDISHWND | TTF_SUBCLASS});
    report.equal(who + " owner window (the panel)", tool[3], app.handle(app.panel));
    report.equal(who + " id (the field's handle)", tool[4], app.handle(expected[i].field));
    report.equal(who + " text", tool[5], std::string(expected[i].text));
  }
}

void windowAtStart(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  report.equal("window title", textOf(app.window), std::string(kWindowTitle));
  checkFrame(app);
  checkClasses(app);
  checkMenu(app);
  checkPanelAndFields(app);
  checkTooltips(app);
  report.check(app.focus() == app.textField, "the text field has the focus at start");
}

void maximised(const Paths& paths, Report& report) {
  AppSession app(paths, report);
  if (!app.start()) return;
  // Wine marks the window maximised before it moves it: waiting for the move as well keeps the
  // caption from being looked for where it was.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  if (!clickCaptionButton(app, HTMAXBUTTON) ||
      !report.check(waitUntil([&] {
                      const RECT frame = screenRect(app.window);
                      return IsZoomed(app.window) && frame.left <= 0 && frame.right >= screenWidth;
                    }),
                    "the maximise box maximises the window to the screen's width")) {
    return;
  }
  report.equal("panel rectangle when maximised", describe(rectInParent(app.panel)),
               describe({0, 0, 640, 460}));
  report.equal("text field rectangle when maximised", describe(rectInParent(app.textField)),
               describe({0, 20, 640, 460}));
  report.equal("separator field rectangle when maximised",
               describe(rectInParent(app.separatorField)), describe({0, 0, 640, 20}));
  clickCaptionButton(app, HTMAXBUTTON);
  report.check(waitUntil([&] { return !IsZoomed(app.window); }),
               "the same box restores the window");
}

}  // namespace

void addWindowScenarios(Scenarios* scenarios) {
  scenarios->push_back({"window", std::nullopt, false, windowAtStart});
  scenarios->push_back({"window-maximised", std::nullopt, false, maximised});
}

}  // namespace e2e
