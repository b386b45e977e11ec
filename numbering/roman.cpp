// The Roman table's static source lists and the conversion.
#include "roman.h"

#include <cstddef>
#include <cstring>

namespace {

// The symbols one after another, each ended by its zero byte: 32 bytes in all.
constexpr char kSymbolList[] = "M\0CM\0D\0CD\0C\0XC\0L\0XL\0X\0IX\0V\0IV\0I";
static_assert(sizeof kSymbolList == 32);

// The values as 32-bit little-endian integers, in the order of the symbols: 52 bytes.
constexpr unsigned char kValueList[] = {
    0xE8, 0x03, 0, 0,  // 1000
    0x84, 0x03, 0, 0,  // 900
    0xF4, 0x01, 0, 0,  // 500
    0x90, 0x01, 0, 0,  // 400
    0x64, 0x00, 0, 0,  // 100
    0x5A, 0x00, 0, 0,  // 90
    0x32, 0x00, 0, 0,  // 50
    0x28, 0x00, 0, 0,  // 40
    0x0A, 0x00, 0, 0,  // 10
    0x09, 0x00, 0, 0,  // 9
    0x05, 0x00, 0, 0,  // 5
    0x04, 0x00, 0, 0,  // 4
    0x01, 0x00, 0, 0,  // 1
};
static_assert(sizeof kValueList == 52);

int32_t readLittleEndian32(const unsigned char* bytes) {
  const uint32_t value = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                         uint32_t{bytes[3]} << 24;
  return static_cast<int32_t>(value);
}

}  // namespace

void fillRomanTable(RomanTable& table) {
  const char* symbol = kSymbolList;
  for (RomanEntry& entry : table) {
    const std::size_t length = std::strlen(symbol);
    entry.symbol.assign(symbol, length);
    symbol += length + 1;
  }
  const unsigned char* value = kValueList;
  for (RomanEntry& entry : table) {
    entry.value = readLittleEndian32(value);
    value += 4;
  }
}

std::string toRoman(const RomanTable& table, int32_t n) {
  std::string result;
  int32_t remaining = n;
  for (const RomanEntry& entry : table) {
    while (remaining >= entry.value) {
      result += entry.symbol;
      remaining -= entry.value;
    }
  }
  return result;
}
