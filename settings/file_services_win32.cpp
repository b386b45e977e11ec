// File services on Windows (KERNEL32): the shipping program's file access.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "file_services.h"

namespace file_services {

namespace {

HANDLE toHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}

FileHandle fromHandle(HANDLE handle) {
  // INVALID_HANDLE_VALUE is the all-ones pointer, which widens to kNoFile.
  return reinterpret_cast<FileHandle>(handle);
}

HANDLE openWith(const char* name, DWORD access, DWORD sharing, DWORD disposition) {
  return CreateFileA(name, access, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

FileHandle openExisting(const char* name) noexcept {
  HANDLE handle = openWith(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
  if (handle == INVALID_HANDLE_VALUE) {
    handle = openWith(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  }
  if (handle == INVALID_HANDLE_VALUE) {
    handle = openWith(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  }
  return fromHandle(handle);
}

FileHandle createOrEmpty(const char* name) noexcept {
  // CREATE_ALWAYS creates a missing file and empties an existing one; it fails on a read-only one.
  return fromHandle(openWith(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS));
}

std::int64_t sizeOfOpenFile(FileHandle file) noexcept {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(toHandle(file), &size)) return -1;
  return size.QuadPart;
}

std::size_t largestTransfer() noexcept {
  // ReadFile and WriteFile count bytes in a DWORD; a 32-bit process cannot address more anyway.
  constexpr unsigned long long kDwordMax = 0xFFFFFFFFull;
  return static_cast<std::size_t>(kDwordMax < SIZE_MAX ? kDwordMax : SIZE_MAX);
}

std::size_t readOnce(FileHandle file, char* buffer, std::size_t capacity) noexcept {
  if (capacity > largestTransfer()) capacity = largestTransfer();
  DWORD got = 0;
  if (!ReadFile(toHandle(file), buffer, static_cast<DWORD>(capacity), &got, nullptr)) return 0;
  return got;
}

void overwrite(FileHandle file, const char* data, std::size_t size) noexcept {
  if (size > largestTransfer()) return;
  const HANDLE handle = toHandle(file);
  if (SetFilePointer(handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return;
  DWORD written = 0;
  WriteFile(handle, data, static_cast<DWORD>(size), &written, nullptr);
  // Cuts at the file pointer, just after what was written. On a handle opened for reading only
  // both calls fail and the file stays as it was.
  SetEndOfFile(handle);
}

void close(FileHandle file) noexcept {
  CloseHandle(toHandle(file));
}

std::int64_t sizeOfNamedFile(const char* name) noexcept {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  return static_cast<std::int64_t>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                   data.nFileSizeLow);
}

}  // namespace file_services
