// File services on POSIX: what the native build and the unit tests run on real files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "file_services.h"

namespace file_services {

namespace {

int descriptor(FileHandle file) {
  return static_cast<int>(file);
}

int openRetrying(const char* name, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(name, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Windows cannot open a directory as a file; neither do we, so both builds behave alike.
bool isDirectory(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

FileHandle openExisting(const char* name) noexcept {
  // POSIX has no share modes: the Win32 attempts 2 and 3 differ only in sharing, so one read-only
  // attempt stands for both.
  int fd = openRetrying(name, O_RDWR);
  if (fd < 0 && errno == EISDIR) return kNoFile;
  if (fd < 0) fd = openRetrying(name, O_RDONLY);
  if (fd < 0) return kNoFile;
  if (isDirectory(fd)) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

FileHandle createOrEmpty(const char* name) noexcept {
  const int fd = openRetrying(name, O_RDWR | O_CREAT | O_TRUNC, 0666);
  return fd < 0 ? kNoFile : fd;
}

std::int64_t sizeOfOpenFile(FileHandle file) noexcept {
  struct stat info {};
  if (::fstat(descriptor(file), &info) != 0) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

std::size_t largestTransfer() noexcept {
  return SSIZE_MAX;
}

std::size_t readOnce(FileHandle file, char* buffer, std::size_t capacity) noexcept {
  if (capacity > largestTransfer()) capacity = largestTransfer();
  ssize_t got;
  do {
    got = ::read(descriptor(file), buffer, capacity);
  } while (got < 0 && errno == EINTR);
  return got < 0 ? 0 : static_cast<std::size_t>(got);
}

void overwrite(FileHandle file, const char* data, std::size_t size) noexcept {
  if (size > largestTransfer()) return;
  const int fd = descriptor(file);
  if (::lseek(fd, 0, SEEK_SET) != 0) return;
  ssize_t written;
  do {
    written = ::write(fd, data, size);
  } while (written < 0 && errno == EINTR);
  // Cut at the file position, where the write left it, as SetEndOfFile does on Windows. On a
  // file opened for reading only both the write and the cut fail and the file stays as it was.
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  if (end >= 0) (void)::ftruncate(fd, end);
}

void close(FileHandle file) noexcept {
  ::close(descriptor(file));
}

std::int64_t sizeOfNamedFile(const char* name) noexcept {
  struct stat info {};
  if (::stat(name, &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace file_services
