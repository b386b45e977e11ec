// PreferenceFile: reads and writes INI-style settings files, one document at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "file_services.h"

// Holds at most one document: opened from a file or created empty, then queried or written by
// group and key, then closed, which writes a changed document back. No operation throws: a
// failure to get memory gives the default, a dropped write or an empty document.
class PreferenceFile {
 public:
  PreferenceFile() = default;
  PreferenceFile(const PreferenceFile&) = delete;
  PreferenceFile& operator=(const PreferenceFile&) = delete;
  // Closes a document still open, as close() does: a changed one is written out.
  ~PreferenceFile();

  // Closes any open document, then opens and parses an existing file. False when the file cannot
  // be opened; then no document is open.
  bool openForReading(const std::string& fileName) noexcept;
  // Closes any open document, then creates or empties the file at once and starts an empty one.
  bool createForWriting(const std::string& fileName) noexcept;

  // True when the group exists or the name is empty (no group: the keys ahead of the first
  // header). False when the name becomes a pending group, or no document is open.
  bool selectGroup(std::string_view groupName) noexcept;

  // The key's value as a decimal integer in the current group; 0 when it holds no digits;
  // saturated at the int32 limits when out of range; the default when the key is not found.
  int32_t readInteger(std::string_view keyName, int32_t defaultValue) noexcept;
  // The key's value less its leading and trailing blanks, decoded from UTF-8 in UTF-8 mode; the
  // default unchanged when the key is not found.
  std::string readText(std::string_view keyName, std::string_view defaultText) noexcept;

  void writeInteger(std::string_view keyName, int32_t value) noexcept;
  void writeText(std::string_view keyName, std::string_view value) noexcept;

  // Writes a changed document out (one write from the first byte, file cut after it), releases
  // the file and drops the document. Does nothing with no document open.
  void close() noexcept;

 private:
  enum class EntryKind : uint8_t { kGroup, kComment, kKey };

  // Where a name or a value lies: [start, end) in the parsed text when start <= end, which every
  // place in the text satisfies. Otherwise start is kElsewhere and end is the text's index in
  // ownedTexts_, or kAbsent for the part that the entry's kind lacks. A large file has hundreds
  // of thousands of entries, so they hold 32-bit offsets rather than pointers, and this encoding
  // keeps an entry at 16 bytes with no flags beside it.
  struct Span {
    uint32_t start;
    uint32_t end;
  };
  static constexpr uint32_t kElsewhere = UINT32_MAX;
  static constexpr uint32_t kAbsent = UINT32_MAX - 1;  // never an index in ownedTexts_
  static constexpr Span kNoSpan{kElsewhere, kAbsent};

  // One line of the document: a group header has a name and no value, a comment a value (its
  // text) and no name, a key both.
  struct Entry {
    Span name;
    Span value;
  };

  struct GroupHeader {
    std::size_t entry;  // index of the header in entries_
    uint32_t nameHash;  // of the name with ASCII letters folded
  };

  static constexpr std::size_t kNoGroup = SIZE_MAX;

  void parse(const char* text, std::size_t length);
  const char* parseLine(const char* text, const char* p);
  // Add an entry whose parts lie in the parsed text, which begins at text.
  void addGroup(const char* text, const char* name, const char* nameEnd);
  void addComment(const char* text, const char* from, const char* to);
  void addKey(const char* text, const char* name, const char* nameEnd, const char* value,
              const char* valueEnd);
  void dropDocument() noexcept;
  // In UTF-8 mode a name or value passed in is converted (each byte taken as a code point).
  std::string_view stored(std::string_view text, std::string& converted) const;
  static bool isAbsent(Span span) noexcept { return span.start > span.end && span.end == kAbsent; }
  static EntryKind kindOf(const Entry& entry) noexcept {
    if (isAbsent(entry.name)) return EntryKind::kComment;
    return isAbsent(entry.value) ? EntryKind::kGroup : EntryKind::kKey;
  }
  // The bytes of a span that is not absent.
  std::string_view textOf(Span span) const noexcept;
  // Entry index range [first, last) of the current group's entries, past its header.
  void currentGroupRange(std::size_t& first, std::size_t& last) const noexcept;
  // Index of the first matching key of the current group, or kNotFound.
  std::size_t findKey(std::string_view storedName) const noexcept;
  void writeValue(std::string_view keyName, std::string_view value);
  std::string buildOutput() const;

  static constexpr std::size_t kNotFound = SIZE_MAX;

  bool open_ = false;
  file_services::FileHandle file_ = file_services::kNoFile;
  bool utf8_ = false;
  bool changed_ = false;

  std::unique_ptr<char[]> text_;     // the file's bytes as one read delivered them, then padding
  const char* parsed_ = nullptr;     // where the parsed text begins: past the mark in UTF-8 mode
  std::vector<Entry> entries_;       // in line order
  std::vector<GroupHeader> groups_;  // every group header, in order
  std::vector<std::string> ownedTexts_;  // names and values writes added

  // The current group: none, a rank in groups_, or a pending name.
  std::size_t currentGroup_ = kNoGroup;
  bool pending_ = false;
  std::string pendingName_;  // stored form (converted in UTF-8 mode)
};
