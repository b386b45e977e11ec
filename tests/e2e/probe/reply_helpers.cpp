// Rendering handles in replies and reading them back from requests.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "reports.h"

namespace probe {

std::string handleText(const void* handle) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

HWND parseWindow(const std::string& text) {
  return reinterpret_cast<HWND>(
      static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, 10)));
}

}  // namespace probe
