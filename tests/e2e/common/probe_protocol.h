// The pipe through which the test driver asks the probe DLL, loaded into the program, about
// things Wine does not let one process read of another: menus, class fields, fonts, tooltips.
#pragma once

#include <cstdio>
#include <string>

namespace probe {

// One request per connection: a line such as "menu 1234" in, a reply of lines out. Reply lines
// hold tab-separated fields; the first line is "ok" or "error<TAB>reason".
inline std::string pipeName(unsigned long processId) {
  char name[64];
  std::snprintf(name, sizeof name, "\\\\.\\pipe\\tolvane-e2e-probe-%lu", processId);
  return name;
}

constexpr unsigned long kMaxMessage = 64 * 1024;

}  // namespace probe
