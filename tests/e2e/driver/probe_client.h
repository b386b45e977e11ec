// Loads the probe DLL into the program and asks it questions over its pipe.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

using Row = std::vector<std::string>;  // one reply line, split at tabs

// Loads the DLL into the process with a remote thread running LoadLibraryA.
bool injectProbe(HANDLE process, const std::string& dllPath, std::string* error);

class ProbeClient {
 public:
  explicit ProbeClient(DWORD processId) : processId_(processId) {}
  // Waits until the probe's pipe answers (it starts with the DLL's own thread).
  bool connect(unsigned timeoutMs, std::string* error);
  // Sends one request; on success fills the reply lines after the leading "ok".
  bool ask(const std::string& request, std::vector<Row>* rows, std::string* error) const;

 private:
  DWORD processId_;
};

}  // namespace e2e
