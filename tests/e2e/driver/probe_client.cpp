// Injection of the probe DLL and the request/reply exchange with it.
#include "probe_client.h"

#include "../common/probe_protocol.h"
#include "wait.h"

namespace e2e {

bool injectProbe(HANDLE process, const std::string& dllPath, std::string* error) {
  // kernel32 sits at the same address in every process of the prefix, so the driver's own
  // LoadLibraryA address is valid in the program as well.
  auto* loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  void* remotePath = VirtualAllocEx(process, nullptr, dllPath.size() + 1, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
  if (!remotePath ||
      !WriteProcessMemory(process, remotePath, dllPath.c_str(), dllPath.size() + 1, nullptr)) {
    *error = "cannot write the probe's path into the program";
    return false;
  }
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, remotePath, 0, nullptr);
  if (!thread) {
    *error = "CreateRemoteThread failed";
    return false;
  }
  DWORD loaded = 0;
  const bool finished = WaitForSingleObject(thread, kTimeoutMs) == WAIT_OBJECT_0;
  GetExitCodeThread(thread, &loaded);
  CloseHandle(thread);
  if (!finished || loaded == 0) {
    *error = "LoadLibraryA of " + dllPath + " failed in the program";
    return false;
  }
  return true;
}

bool ProbeClient::connect(unsigned timeoutMs, std::string* error) {
  std::vector<Row> rows;
  std::string lastError;
  if (waitUntil([&] { return ask("tips", &rows, &lastError); }, timeoutMs)) return true;
  *error = "the probe does not answer: " + lastError;
  return false;
}

bool ProbeClient::ask(const std::string& request, std::vector<Row>* rows,
                      std::string* error) const {
  std::string reply(probe::kMaxMessage, '\0');
  DWORD got = 0;
  const std::string pipe = probe::pipeName(processId_);
  DWORD failure = 0;
  // A busy pipe or one between two instances answers on a second try.
  const bool answered = waitUntil(
      [&] {
        if (CallNamedPipeA(pipe.c_str(), const_cast<char*>(request.data()),
                           static_cast<DWORD>(request.size()), reply.data(),
                           static_cast<DWORD>(reply.size()), &got, 5000)) {
          return true;
        }
        failure = GetLastError();
        return false;
      },
      2000);
  if (!answered) {
    *error = "no answer on " + pipe + " (error " + std::to_string(failure) + ")";
    return false;
  }
  reply.resize(got);
  rows->clear();
  std::size_t start = 0;
  while (start < reply.size()) {
    auto end = reply.find('\n', start);
    if (end == std::string::npos) end = reply.size();
    Row row;
    std::size_t field = start;
    for (;;) {
      const auto tab = reply.find('\t', field);
      if (tab == std::string::npos || tab > end) {
        row.push_back(reply.substr(field, end - field));
        break;
      }
      row.push_back(reply.substr(field, tab - field));
      field = tab + 1;
    }
    rows->push_back(row);
    start = end + 1;
  }
  if (rows->empty() || (*rows)[0][0] != "ok") {
    *error = rows->empty() ? "empty reply" : "probe: " + reply;
    return false;
  }
  rows->erase(rows->begin());
  return true;
}

}  // namespace e2e
