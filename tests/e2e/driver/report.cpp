// Failure lines and notes of a scenario, printed as they happen.
#include "report.h"

#include <cstdio>

namespace e2e {

std::string quoted(const std::string& bytes) {
  std::string out = "'";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\'' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "'";
}

bool Report::check(bool ok, const std::string& what) {
  if (!ok) {
    ++failures_;
    std::printf("  FAIL: %s\n", what.c_str());
    std::fflush(stdout);
  }
  return ok;
}

bool Report::equal(const std::string& what, const std::string& actual,
                   const std::string& expected) {
  if (actual == expected) return true;
  return check(false, what + ": expected " + quoted(expected) + ", got " + quoted(actual));
}

void Report::note(const std::string& text) {
  std::printf("  note: %s\n", text.c_str());
  std::fflush(stdout);
}

void Report::skip(const std::string& why) {
  skipped_ = true;
  std::printf("  SKIP: %s\n", why.c_str());
  std::fflush(stdout);
}

}  // namespace e2e
