// libFuzzer target: the input becomes a settings file, which PreferenceFile parses, looks up,
// writes into and closes. Besides the sanitizers, two properties are checked: what a save wrote
// reads back, and a document written out reads in and writes out again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "preference_file.h"

namespace {

const std::string& scratchFile() {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/tolvane-fuzz-" + std::to_string(getpid()) +
           ".ini";
  }();
  return path;
}

void removeScratchFile() {
  std::remove(scratchFile().c_str());
}

void writeBytes(std::string_view bytes) {
  std::FILE* out = std::fopen(scratchFile().c_str(), "wb");
  if (out == nullptr) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    std::abort();
  }
  std::fclose(out);
}

std::string readBytes() {
  std::string bytes;
  std::FILE* in = std::fopen(scratchFile().c_str(), "rb");
  if (in == nullptr) std::abort();
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
    bytes.append(chunk, got);
  std::fclose(in);
  return bytes;
}

// A broken property: stop as a crash, so that libFuzzer keeps the input.
void require(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(removeScratchFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Names and a value for the free-form edits come from the input's first bytes, so that the
  // fuzzer can make them match what the rest of the input holds.
  const std::string_view group = bytes.substr(0, 6);
  const std::string_view key = bytes.substr(group.size(), 4);
  const std::string_view value = bytes.substr(group.size() + key.size(), 8);

  writeBytes(bytes);
  PreferenceFile file;
  require(file.openForReading(scratchFile()));

  // Reads as the settings load does, then with no group and with the input's own names.
  file.selectGroup("options");
  (void)file.readInteger("number", 1);
  (void)file.readText("sepa", ".");
  file.selectGroup("");
  (void)file.readInteger("number", 1);
  (void)file.readText(key, "");
  file.selectGroup(group);
  (void)file.readInteger(key, 0);
  (void)file.readText(key, "");

  // The writes of a settings save, into the parsed document.
  file.selectGroup("options");
  file.writeInteger("number", 7);
  file.writeText("sepa", "x y");
  file.close();

  // The format's one blind spot: a plain document whose first entry is a key whose name begins
  // with the bytes of the UTF-8 mark is written out beginning with the mark, so it reads back
  // in UTF-8 mode, as something else. Only such output starts with the mark but not with the
  // mark and CR LF (the start of every document in UTF-8 mode).
  const std::string written = readBytes();
  const std::string mark = "\xEF\xBB\xBF";
  const bool markFromAKeyName = written.starts_with(mark) && !written.starts_with(mark + "\r\n");

  require(file.openForReading(scratchFile()));
  if (!markFromAKeyName) {
    // What was written reads back.
    require(file.selectGroup("options"));
    require(file.readInteger("number", 0) == 7);
    require(file.readText("sepa", "") == "x y");
    // Written output is a fixed point: read and written again (the same value into the same
    // key changes the document without changing its text) it comes out byte for byte the same.
    file.writeInteger("number", 7);
    file.close();
    require(readBytes() == written);
  }
  file.close();

  // Free-form edits with the input's names and value, NUL and line-end bytes included.
  require(file.openForReading(scratchFile()));
  file.selectGroup(group);
  file.writeText(key, value);
  file.writeInteger(value, -1);
  file.selectGroup("");
  file.writeText(group, key);
  file.close();

  // A created document, then read back.
  require(file.createForWriting(scratchFile()));
  file.selectGroup(group);
  file.writeText(key, value);
  file.close();
  require(file.openForReading(scratchFile()));
  file.selectGroup(group);
  (void)file.readText(key, "");
  return 0;
}
