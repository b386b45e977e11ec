// PreferenceFile: parsing in place, lookups, writes and the output written back.
#include "preference_file.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <charconv>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <utility>

namespace {

// Parsed texts keep 32-bit lengths: one read delivers at most 4 GiB - 1 bytes on Windows, and
// the other builds take the same limit so that every platform reads the same files alike.
constexpr std::size_t kLargestLength = std::numeric_limits<uint32_t>::max();

constexpr unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A NUL byte ends a line as CR and LF do, so no name, text or value ever holds one.
bool isLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// The text in memory is followed by a NUL, which ends a line, and padding: the scans below need
// no end test, since the NUL stops them, and their 16-byte loads stay inside the buffer.
constexpr std::size_t kPadding = 16;

// The first line end (CR, LF or NUL) at or after p, or the first `stop` byte if that comes
// first; stop '\0' asks for line ends only.
template <char stop>
const char* findLineEndOr(const char* p) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i nul = _mm_setzero_si128();
  for (;; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
                                _mm_cmpeq_epi8(bytes, nul));
    if constexpr (stop != '\0') hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(stop)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
#else
  while (!isLineEnd(*p) && (stop == '\0' || *p != stop)) ++p;
  return p;
#endif
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool namesMatch(const char* name, std::size_t length, std::string_view wanted) {
  if (length != wanted.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (name[i] != wanted[i] && lowerAscii(name[i]) != lowerAscii(wanted[i])) return false;
  }
  return true;
}

// FNV-1a over the name with ASCII letters folded: names that match have the same hash, so the
// group search compares hashes and looks at the names only when those agree.
uint32_t foldedHash(const char* name, std::size_t length) {
  uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < length; ++i) {
    hash = (hash ^ static_cast<unsigned char>(lowerAscii(name[i]))) * 16777619u;
  }
  return hash;
}

// Each byte becomes the Unicode code point of the same value: 00-7F stay, 80-FF take two bytes.
std::string latin1ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return out;
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes a value read in UTF-8 mode back to 8-bit text: Latin-1 code points become their
// byte, anything else a "?".
std::string decodeUtf8(const char* text, std::size_t length) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  std::string out;
  out.reserve(length);
  std::size_t i = 0;
  while (i < length) {
    const unsigned char byte = p[i];
    const std::size_t left = length - i - 1;  // bytes after this one
    if (byte < 0x80) {
      out.push_back(static_cast<char>(byte));
      ++i;
    } else if (byte >= 0xC0 && byte <= 0xDF && left >= 1) {
      if (isContinuation(p[i + 1])) {
        const unsigned codePoint = ((byte & 0x1Fu) << 6) | (p[i + 1] & 0x3Fu);
        out.push_back(codePoint < 256 ? static_cast<char>(codePoint) : '?');
        i += 2;
      } else {
        out.push_back('?');
        ++i;
      }
    } else if ((byte >= 0xE0 && byte <= 0xEF && left >= 2) ||
               (byte >= 0xF0 && byte <= 0xF7 && left >= 3)) {
      out.push_back('?');
      const std::size_t most = byte <= 0xEF ? 2 : 3;
      ++i;
      for (std::size_t n = 0; n < most && i < length && isContinuation(p[i]); ++n) ++i;
    } else {
      ++i;  // a continuation byte out of place, F8-FF, or a lead byte too near the end: dropped
    }
  }
  return out;
}

int32_t parseInteger(const char* p, std::size_t length) {
  const char* end = p + length;
  while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' ||
                     *p == '\r')) {
    ++p;
  }
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  // Accumulate the magnitude up to just past the int32 range, then only consume digits.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (*p - '0');
  }
  if (negative) {
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                               : static_cast<int32_t>(-magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                             : static_cast<int32_t>(magnitude);
}

uint32_t length32(const char* from, const char* to) { return static_cast<uint32_t>(to - from); }

}  // namespace

PreferenceFile::~PreferenceFile() { close(); }

bool PreferenceFile::openForReading(const std::string& fileName) noexcept {
  close();
  const file_services::FileHandle file = file_services::openExisting(fileName.c_str());
  if (file == file_services::kNoFile) return false;
  open_ = true;
  file_ = file;
  try {
    const int64_t size = file_services::sizeOfOpenFile(file_);
    // A file too large for one read (or, in a 32-bit process, for the buffer with its padding)
    // is taken like a text for which memory cannot be had: an empty document.
    if (size <= 0 || static_cast<uint64_t>(size) > kLargestLength ||
        static_cast<uint64_t>(size) > file_services::largestTransfer() ||
        static_cast<uint64_t>(size) > SIZE_MAX - kPadding) {
      return true;
    }
    const auto capacity = static_cast<std::size_t>(size);
    text_.reset(new char[capacity + kPadding]);
    const std::size_t length = file_services::readOnce(file_, text_.get(), capacity);
    std::memset(text_.get() + length, 0, kPadding);  // the end NUL and the padding
    const char* text = text_.get();
    if (length >= sizeof kUtf8Mark && std::memcmp(text, kUtf8Mark, sizeof kUtf8Mark) == 0) {
      utf8_ = true;
      parse(text + sizeof kUtf8Mark, length - sizeof kUtf8Mark);
    } else {
      parse(text, length);
    }
  } catch (const std::exception&) {
    // Out of memory for the text or its entries: the document is empty, the file stays open.
    std::vector<Entry>().swap(entries_);
    std::vector<GroupHeader>().swap(groups_);
    text_.reset();
  }
  return true;
}

bool PreferenceFile::createForWriting(const std::string& fileName) noexcept {
  close();
  const file_services::FileHandle file = file_services::createOrEmpty(fileName.c_str());
  if (file == file_services::kNoFile) return false;
  open_ = true;
  file_ = file;
  return true;
}

// Parses in place; text[length] is the end NUL, followed by the padding.
void PreferenceFile::parse(const char* p, std::size_t length) {
  const char* const end = p + length;
  entries_.reserve(length / 24 + 16);  // lines are seldom shorter on average: rarely a regrowth
  for (;;) {
    while (isBlank(*p)) ++p;
    if (p >= end) return;
    switch (*p) {
      case ';': {
        ++p;
        if (*p == ' ') ++p;
        const char* const lineEnd = findLineEndOr<'\0'>(p);
        entries_.push_back({nullptr, p, 0, length32(p, lineEnd), 0, EntryKind::kComment});
        p = lineEnd;
        break;
      }
      case '[': {
        const char* const name = ++p;
        p = findLineEndOr<']'>(p);
        const uint32_t nameLength = length32(name, p);
        groups_.push_back({entries_.size(), foldedHash(name, nameLength)});
        entries_.push_back({name, nullptr, nameLength, 0, 0, EntryKind::kGroup});
        if (*p == ']') p = findLineEndOr<'\0'>(p + 1);
        break;
      }
      case '\r':
      case '\n':
      case '\0':
        break;  // an empty line, or blanks only
      default: {
        const char* const name = p;
        p = findLineEndOr<'='>(p);
        const char* nameEnd = p;
        while (nameEnd > name && isBlank(nameEnd[-1])) --nameEnd;
        const char* value = p;
        if (*p == '=') {
          value = p + 1;
          while (isBlank(*value)) ++value;
          p = findLineEndOr<'\0'>(value);
        }
        entries_.push_back(
            {name, value, length32(name, nameEnd), length32(value, p), 0, EntryKind::kKey});
        break;
      }
    }
    while (p < end && isLineEnd(*p)) ++p;
  }
}

bool PreferenceFile::selectGroup(std::string_view groupName) noexcept {
  if (!open_) return false;
  if (groupName.empty()) {
    currentGroup_ = kNoGroup;
    pending_ = false;
    return true;
  }
  try {
    std::string converted;
    const std::string_view wanted = stored(groupName, converted);
    const uint32_t hash = foldedHash(wanted.data(), wanted.size());
    for (std::size_t rank = 0; rank < groups_.size(); ++rank) {
      if (groups_[rank].nameHash != hash) continue;
      const Entry& header = entries_[groups_[rank].entry];
      if (namesMatch(header.name, header.nameLength, wanted)) {
        currentGroup_ = rank;
        pending_ = false;
        return true;
      }
    }
    std::string pendingName(wanted);
    pendingName_.swap(pendingName);
    pending_ = true;
  } catch (const std::exception&) {
    // No memory to convert or copy the name: the current group stays as it was.
  }
  return false;
}

std::string_view PreferenceFile::stored(std::string_view text, std::string& converted) const {
  if (!utf8_) return text;
  converted = latin1ToUtf8(text);
  return converted;
}

void PreferenceFile::currentGroupRange(std::size_t& first, std::size_t& last) const noexcept {
  if (currentGroup_ == kNoGroup) {
    first = 0;
    last = groups_.empty() ? entries_.size() : groups_.front().entry;
  } else {
    first = groups_[currentGroup_].entry + 1;
    last = currentGroup_ + 1 < groups_.size() ? groups_[currentGroup_ + 1].entry : entries_.size();
  }
}

const PreferenceFile::Entry* PreferenceFile::findKey(std::string_view storedName) const noexcept {
  if (!open_ || pending_) return nullptr;
  std::size_t first, last;
  currentGroupRange(first, last);
  for (std::size_t i = first; i < last; ++i) {
    const Entry& entry = entries_[i];
    if (entry.kind == EntryKind::kKey && namesMatch(entry.name, entry.nameLength, storedName)) {
      return &entry;
    }
  }
  return nullptr;
}

int32_t PreferenceFile::readInteger(std::string_view keyName, int32_t defaultValue) noexcept {
  if (!open_ || pending_) return defaultValue;
  try {
    std::string converted;
    const Entry* key = findKey(stored(keyName, converted));
    return key ? parseInteger(key->value, key->valueLength) : defaultValue;
  } catch (const std::exception&) {
    return defaultValue;
  }
}

std::string PreferenceFile::readText(std::string_view keyName,
                                     std::string_view defaultText) noexcept {
  try {
    if (!open_ || pending_) return std::string(defaultText);
    std::string converted;
    const Entry* key = findKey(stored(keyName, converted));
    if (!key) return std::string(defaultText);
    const char* value = key->value;
    const char* valueEnd = value + key->valueLength;
    while (value < valueEnd && isBlank(*value)) ++value;
    std::string text;
    if (utf8_) {
      text = decodeUtf8(value, static_cast<std::size_t>(valueEnd - value));
      std::size_t kept = text.size();
      while (kept > 0 && isBlank(text[kept - 1])) --kept;
      text.resize(kept);
    } else {
      while (valueEnd > value && isBlank(valueEnd[-1])) --valueEnd;
      text.assign(value, valueEnd);
    }
    return text;
  } catch (const std::exception&) {
    try {
      return std::string(defaultText);
    } catch (const std::exception&) {
      return std::string();
    }
  }
}

void PreferenceFile::writeInteger(std::string_view keyName, int32_t value) noexcept {
  char digits[16];
  const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
  writeText(keyName, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void PreferenceFile::writeText(std::string_view keyName, std::string_view value) noexcept {
  if (!open_) return;
  const std::size_t ownedBefore = ownedTexts_.size();
  try {
    writeValue(keyName, value);
  } catch (const std::exception&) {
    // The write is dropped: texts stored for it go, the document stays as it was.
    while (ownedTexts_.size() > ownedBefore) ownedTexts_.pop_back();
  }
}

// Everything that can fail comes first; the document changes only after it all succeeded.
void PreferenceFile::writeValue(std::string_view keyName, std::string_view value) {
  std::string nameText;
  std::string valueText;
  const std::string_view name = stored(keyName, nameText);
  if (utf8_) {
    valueText = latin1ToUtf8(value);
  } else {
    valueText.assign(value);
  }
  if (name.size() > kLargestLength || valueText.size() > kLargestLength ||
      pendingName_.size() > kLargestLength) {
    return;  // a text that the document cannot hold is dropped like one without memory
  }
  entries_.reserve(entries_.size() + 2);
  groups_.reserve(groups_.size() + 1);

  const Entry* found = pending_ ? nullptr : findKey(name);
  const std::size_t foundIndex = found ? static_cast<std::size_t>(found - entries_.data()) : 0;

  auto own = [this](std::string&& text) -> std::size_t {
    auto holder = std::make_unique<std::string>(std::move(text));
    ownedTexts_.push_back(std::move(holder));
    return ownedTexts_.size();  // slot number, 1-based: 0 means "inside the file's text"
  };

  // Storage for the header of a pending group, the key's name and its value.
  std::size_t headerSlot = 0;
  if (pending_) headerSlot = own(std::string(pendingName_));
  std::size_t nameSlot = 0;
  if (!found || std::string_view(found->name, found->nameLength) != name) {
    nameSlot = own(std::string(name));
  }
  std::size_t valueSlot = 0;
  if (found && found->valueSlot != 0) {
    // The value already has storage of its own: reuse it rather than pile up replaced values.
    valueSlot = found->valueSlot;
  } else {
    valueSlot = own(std::string());
  }

  // Commit: nothing below allocates (capacities are reserved, swaps do not throw).
  std::string& valueStorage = *ownedTexts_[valueSlot - 1];
  valueStorage.swap(valueText);
  if (pending_) {
    const std::string& headerName = *ownedTexts_[headerSlot - 1];
    groups_.push_back({entries_.size(), foldedHash(headerName.data(), headerName.size())});
    entries_.push_back({headerName.data(), nullptr, static_cast<uint32_t>(headerName.size()), 0, 0,
                        EntryKind::kGroup});
    currentGroup_ = groups_.size() - 1;
    pending_ = false;
  }
  Entry* key;
  if (found) {
    key = &entries_[foundIndex];
  } else {
    std::size_t first, last;
    currentGroupRange(first, last);
    key = &*entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(last),
                            Entry{nullptr, nullptr, 0, 0, 0, EntryKind::kKey});
    // Headers at or after the insertion point move down by one.
    for (GroupHeader& header : groups_) {
      if (header.entry >= last) ++header.entry;
    }
  }
  if (nameSlot != 0) {
    const std::string& nameStorage = *ownedTexts_[nameSlot - 1];
    key->name = nameStorage.data();
    key->nameLength = static_cast<uint32_t>(nameStorage.size());
  }
  key->value = valueStorage.data();
  key->valueLength = static_cast<uint32_t>(valueStorage.size());
  key->valueSlot = static_cast<uint32_t>(valueSlot);
  changed_ = true;
}

std::string PreferenceFile::buildOutput() const {
  std::size_t size = utf8_ ? sizeof kUtf8Mark + 2 : 0;
  for (const Entry& entry : entries_) {
    switch (entry.kind) {
      case EntryKind::kGroup:
        size += entry.nameLength + 4;  // "[" name "]" CR LF
        break;
      case EntryKind::kComment:
        size += entry.valueLength + 4;  // "; " text CR LF
        break;
      case EntryKind::kKey:
        size += entry.nameLength + entry.valueLength + 5;  // name " = " value CR LF
        break;
    }
  }
  std::string out;
  out.reserve(size);
  if (utf8_) {
    out.append(reinterpret_cast<const char*>(kUtf8Mark), sizeof kUtf8Mark);
    out.append("\r\n");
  }
  for (const Entry& entry : entries_) {
    switch (entry.kind) {
      case EntryKind::kGroup:
        out.push_back('[');
        out.append(entry.name, entry.nameLength);
        out.push_back(']');
        break;
      case EntryKind::kComment:
        out.append("; ");
        out.append(entry.value, entry.valueLength);
        break;
      case EntryKind::kKey:
        out.append(entry.name, entry.nameLength);
        out.append(" = ");
        out.append(entry.value, entry.valueLength);
        break;
    }
    out.append("\r\n");
  }
  return out;
}

void PreferenceFile::close() noexcept {
  if (!open_) return;
  if (changed_) {
    try {
      const std::string output = buildOutput();
      file_services::overwrite(file_, output.data(), output.size());
    } catch (const std::exception&) {
      // No memory for the output: nothing is written, the file stays as it is now.
    }
  }
  file_services::close(file_);
  dropDocument();
}

void PreferenceFile::dropDocument() noexcept {
  open_ = false;
  file_ = file_services::kNoFile;
  utf8_ = false;
  changed_ = false;
  text_.reset();
  std::vector<Entry>().swap(entries_);
  std::vector<GroupHeader>().swap(groups_);
  std::vector<std::unique_ptr<std::string>>().swap(ownedTexts_);
  currentGroup_ = kNoGroup;
  pending_ = false;
  pendingName_.clear();
}
