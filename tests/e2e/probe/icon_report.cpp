// The executable's icon group resource 1, read from its directory: size and colour depth of each
// image.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "reports.h"

namespace probe {

std::string reportIconResource() {
  HMODULE program = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  if (!found) return "ok\n";
  HGLOBAL loaded = LoadResource(program, found);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  const DWORD size = SizeofResource(program, found);
  if (!bytes || size < 6) return "error\ticon group too short\n";
  // GRPICONDIR: reserved, type, count (16 bits each), then 14-byte entries: width, height, colour
  // count, reserved (a byte each), planes, bit count (16 bits), bytes (32 bits), id (16 bits).
  std::uint16_t count = 0;
  std::memcpy(&count, bytes + 4, sizeof count);
  std::string out = "ok\n";
  for (std::uint16_t i = 0; i < count && 6u + (i + 1u) * 14u <= size; ++i) {
    const unsigned char* entry = bytes + 6 + i * 14;
    std::uint16_t bits = 0;
    std::memcpy(&bits, entry + 6, sizeof bits);
    const int width = entry[0] ? entry[0] : 256;
    const int height = entry[1] ? entry[1] : 256;
    out += "image\t" + std::to_string(width) + "\t" + std::to_string(height) + "\t" +
           std::to_string(bits) + "\n";
  }
  return out;
}

}  // namespace probe
