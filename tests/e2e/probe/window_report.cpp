// Window class fields and fonts: Wine answers these only inside the process that owns them.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "reports.h"

namespace probe {
namespace {

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

IconImage readIcon(HICON icon) {
  IconImage image;
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return image;
  BITMAP bitmap{};
  if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
    image.width = bitmap.bmWidth;
    image.height = bitmap.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    image.pixels.resize(static_cast<std::size_t>(bitmap.bmWidth) *
                        static_cast<std::size_t>(bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), image.pixels.data(),
              &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return image;
}

// True when the class icon shows the executable's icon resource 1, whether it was loaded shared
// (same handle) or as a copy of its own (same pixels).
bool isIconResourceOne(HICON icon) {
  HINSTANCE program = GetModuleHandleA(nullptr);
  HICON shared = LoadIconA(program, MAKEINTRESOURCEA(1));
  if (icon && icon == shared) return true;
  const IconImage actual = readIcon(icon);
  HANDLE own = LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON, actual.width, actual.height, 0);
  const IconImage expected = readIcon(static_cast<HICON>(own));
  if (own) DestroyIcon(static_cast<HICON>(own));
  return !actual.pixels.empty() && actual.width == expected.width &&
         actual.height == expected.height && actual.pixels == expected.pixels;
}

bool isButtonFace(HBRUSH brush) {
  return brush == reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)) ||
         brush == GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

std::string reportClass(HWND window) {
  char name[256] = {};
  if (!GetClassNameA(window, name, sizeof name)) return "error\tno such window\n";
  const auto style = GetClassLongPtrA(window, GCL_STYLE);
  const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(window, GCLP_HCURSOR));
  const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
  const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
  const IconImage image = readIcon(icon);
  return "ok\nclass\t" + std::string(name) + "\t" + std::to_string(style) + "\t" +
         (cursor && cursor == LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)) ? "1" : "0") + "\t" +
         (isButtonFace(brush) ? "1" : "0") + "\t" + handleText(icon) + "\t" +
         std::to_string(image.width) + "\t" + std::to_string(image.height) + "\t" +
         (isIconResourceOne(icon) ? "1" : "0") + "\n";
}

std::string reportFont(HWND window) {
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
  return "ok\nfont\t" + std::string(font && font == GetStockObject(DEFAULT_GUI_FONT) ? "1" : "0") +
         "\t" + handleText(font) + "\n";
}

}  // namespace probe
