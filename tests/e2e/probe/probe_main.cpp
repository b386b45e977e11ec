// The probe DLL: once loaded into the program, a thread of its own answers the test driver's
// requests on a named pipe, so that no test code has to live in the product.
#include <windows.h>

#include <string>

#include "../common/probe_protocol.h"
#include "reports.h"

namespace {

std::string firstWord(const std::string& request, std::string* rest) {
  const auto space = request.find(' ');
  *rest = space == std::string::npos ? std::string() : request.substr(space + 1);
  return request.substr(0, space);
}

std::string answer(const std::string& request) {
  std::string rest;
  const std::string verb = firstWord(request, &rest);
  if (verb == "menu") return probe::reportMenu(probe::parseWindow(rest));
  if (verb == "menurect") {
    std::string path;
    const std::string window = firstWord(rest, &path);
    return probe::reportMenuItemRect(probe::parseWindow(window), path);
  }
  if (verb == "class") return probe::reportClass(probe::parseWindow(rest));
  if (verb == "font") return probe::reportFont(probe::parseWindow(rest));
  if (verb == "tips") return probe::reportTooltips();
  if (verb == "icon") return probe::reportIconResource();
  return "error\tunknown request: " + request + "\n";
}

void serveOneClient(HANDLE pipe) {
  std::string request(probe::kMaxMessage, '\0');
  DWORD got = 0;
  if (!ReadFile(pipe, request.data(), static_cast<DWORD>(request.size()), &got, nullptr)) return;
  request.resize(got);
  const std::string reply = answer(request);
  DWORD written = 0;
  WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &written, nullptr);
  FlushFileBuffers(pipe);
}

HANDLE newInstance(const std::string& name) {
  return CreateNamedPipeA(
      name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
      PIPE_UNLIMITED_INSTANCES, probe::kMaxMessage, probe::kMaxMessage, 0, nullptr);
}

DWORD WINAPI serve(void*) {
  const std::string name = probe::pipeName(GetCurrentProcessId());
  HANDLE listening = newInstance(name);
  while (listening != INVALID_HANDLE_VALUE) {
    const bool connected =
        ConnectNamedPipe(listening, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    HANDLE client = listening;
    // The next instance listens before this client is served, so the pipe never disappears
    // between two requests.
    listening = newInstance(name);
    if (connected) serveOneClient(client);
    DisconnectNamedPipe(client);
    CloseHandle(client);
  }
  return 1;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    // Creating a thread under the loader lock is allowed; it starts once the lock is released.
    HANDLE thread = CreateThread(nullptr, 0, serve, nullptr, 0, nullptr);
    if (!thread) return FALSE;
    CloseHandle(thread);
  }
  return TRUE;
}
