// The few file operations the preference file and the settings need, one implementation per
// platform chosen at build time (file_services_win32.cpp, file_services_posix.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace file_services {

// An open file: a Windows HANDLE or a POSIX descriptor, widened. kNoFile is INVALID_HANDLE_VALUE
// on Windows and -1 on POSIX alike.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Opens an existing file, trying in order: read and write while letting others read; read only
// while letting others read; read only while letting others read and write. POSIX has no share
// modes, so there the last two attempts are one. A directory is never opened. Returns kNoFile
// when every attempt fails.
FileHandle openExisting(const char* name) noexcept;

// Opens the file for reading and writing while letting others read, creating it if it does not
// exist and emptying it if it does. Returns kNoFile on failure (read-only file, access refused).
FileHandle createOrEmpty(const char* name) noexcept;

// Size in bytes of an open file, or -1 when it cannot be had.
std::int64_t sizeOfOpenFile(FileHandle file) noexcept;

// The largest byte count that one read or one write of this platform takes in one call.
std::size_t largestTransfer() noexcept;

// One read of at most `capacity` bytes from the file's current position (its first byte right
// after opening). Returns the number of bytes the read delivered, 0 on failure.
std::size_t readOnce(FileHandle file, char* buffer, std::size_t capacity) noexcept;

// Writes `size` bytes from the file's first byte in one write, then cuts the file after them.
// Errors are not reported: the preference file does not detect them.
void overwrite(FileHandle file, const char* data, std::size_t size) noexcept;

void close(FileHandle file) noexcept;

// Size of the named file: its size in bytes, -1 when nothing of that name exists (or it cannot
// be looked at), -2 when the name is a directory.
std::int64_t sizeOfNamedFile(const char* name) noexcept;

}  // namespace file_services
