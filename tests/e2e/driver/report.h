// What a scenario found: each failed check prints one line at once; the outcome decides the
// driver's exit code.
#pragma once

#include <sstream>
#include <string>

namespace e2e {

// Renders bytes readably: quoted, with CR, LF, tab and other control bytes escaped.
std::string quoted(const std::string& bytes);

class Report {
 public:
  // Prints "FAIL: what" unless ok; returns ok so that callers can stop early.
  bool check(bool ok, const std::string& what);
  bool equal(const std::string& what, const std::string& actual, const std::string& expected);
  bool equal(const std::string& what, const char* actual, const char* expected) {
    return equal(what, std::string(actual), std::string(expected));
  }
  template <typename Number>
  bool equal(const std::string& what, Number actual, Number expected) {
    if (actual == expected) return true;
    std::ostringstream line;
    line << what << ": expected " << expected << ", got " << actual;
    return check(false, line.str());
  }
  // An observation worth keeping in the log that is not a check.
  void note(const std::string& text);
  // The scenario cannot run here; says why.
  void skip(const std::string& why);

  bool failed() const { return failures_ > 0; }
  bool skipped() const { return skipped_; }

 private:
  int failures_ = 0;
  bool skipped_ = false;
};

}  // namespace e2e
