// PreferenceFile: parsing in place, lookups, writes and the output written back.
#include "preference_file.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
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

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// A NUL byte ends a line as CR and LF do, so no name, text or value ever holds one.
#if !defined(__SSE2__)
bool isLineEnd(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}
#endif

// The text in memory is followed by a NUL, which ends a line, and padding: the searches below
// need no end test, since the NUL stops them, and their 64-byte loads stay inside the buffer.
constexpr std::size_t kPadding = 64;

#if defined(__SSE2__)
// Bit i of a mask stands for byte i of 64 bytes of the text. Bytes at or past the end of the
// text count as line ends (they are NULs up to the end of the padding, and nothing is read
// further), so no search runs past the text.
struct BlockMasks {
  uint64_t lineEnd;          // CR, LF, NUL
  uint64_t lineEndOrEquals;  // the same and "="
  uint64_t gap;              // line ends, spaces and tabs: the bytes that may lie between lines
};

// The masks of the 64 bytes from text[offset]. Always inlined: its constants then stay in
// registers from one block to the next.
[[gnu::always_inline]] inline BlockMasks classify(const char* text, std::size_t length,
                                                  std::size_t offset) {
  if (offset >= length) return {~uint64_t{0}, ~uint64_t{0}, ~uint64_t{0}};
  const char* const p = text + offset;
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), nul = _mm_setzero_si128();
  const __m128i equals = _mm_set1_epi8('='), space = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t');
  uint64_t lineEndOrEquals = 0, gap = 0;
  const auto classify16 = [&](int part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    const __m128i ends =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
                     _mm_cmpeq_epi8(bytes, nul));
    const __m128i blanks = _mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, tab));
    const auto bits = [part](__m128i hits) {
      return uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(hits))} << (16 * part);
    };
    lineEndOrEquals |= bits(_mm_or_si128(ends, _mm_cmpeq_epi8(bytes, equals)));
    gap |= bits(_mm_or_si128(ends, blanks));
  };
  classify16(0);
  classify16(1);
  classify16(2);
  classify16(3);
  const std::size_t left = length - offset;
  const uint64_t pastEnd = left < 64 ? ~uint64_t{0} << left : 0;
  // Two masks per 16 bytes are enough: "=" is not a blank, so a byte in both is a line end.
  return {(lineEndOrEquals & gap) | pastEnd, lineEndOrEquals | pastEnd, gap | pastEnd};
}

// The 64 bits from bit `shift` of the 128 that `low` and `high` make together.
uint64_t window(uint64_t low, uint64_t high, int shift) {
  return (low >> shift) | ((high << 1) << (63 - shift));  // two shifts: shift 0 is no exception
}
#endif

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
    if constexpr (stop != '\0')
      hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(stop)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask));
  }
#else
  while (!isLineEnd(*p) && (stop == '\0' || *p != stop)) ++p;
  return p;
#endif
}

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool namesMatch(std::string_view name, std::string_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] != wanted[i] && lowerAscii(name[i]) != lowerAscii(wanted[i])) return false;
  }
  return true;
}

// A hash of the name with ASCII letters folded, so that names that match hash alike: the group
// search compares hashes and looks at the names only when those agree. It mixes the length
// with the first and the last eight bytes (the whole name when shorter), which costs a few
// instructions per header; setting bit 5 of every byte folds A-Z onto a-z (and some other
// bytes onto each other, which only costs a name comparison now and then).
uint32_t foldedHash(std::string_view name) {
  uint64_t head = 0;
  uint64_t tail = 0;
  if (name.size() >= 8) {
    std::memcpy(&head, name.data(), 8);
    std::memcpy(&tail, name.data() + name.size() - 8, 8);
  } else {
    for (const char c : name) head = (head << 8) | static_cast<unsigned char>(c);
  }
  constexpr uint64_t kFold = 0x2020202020202020u;
  // Odd multipliers (from the golden ratio and a common 64-bit mixer) spread every input bit
  // into the high half, which is what is kept.
  const uint64_t hash =
      (head | kFold) * 0x9E3779B97F4A7C15u + ((tail | kFold) ^ name.size()) * 0xC2B2AE3D27D4EB4Fu;
  return static_cast<uint32_t>(hash >> 32);
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

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

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
  while (p < end &&
         (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')) {
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

// Offsets and lengths in the text fit 32 bits: the text is at most kLargestLength bytes long.
uint32_t length32(const char* from, const char* to) {
  return static_cast<uint32_t>(to - from);
}

}  // namespace

PreferenceFile::~PreferenceFile() {
  close();
}

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
      parsed_ = text + sizeof kUtf8Mark;
      parse(parsed_, length - sizeof kUtf8Mark);
    } else {
      parsed_ = text;
      parse(text, length);
    }
  } catch (const std::exception&) {
    // Out of memory for the text or its entries: the document is empty, the file stays open.
    std::vector<Entry>().swap(entries_);
    std::vector<GroupHeader>().swap(groups_);
    parsed_ = nullptr;
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

void PreferenceFile::addGroup(const char* text, const char* name, const char* nameEnd) {
  groups_.push_back({entries_.size(), foldedHash(std::string_view(name, length32(name, nameEnd)))});
  entries_.push_back({{length32(text, name), length32(text, nameEnd)}, kNoSpan});
}

void PreferenceFile::addComment(const char* text, const char* from, const char* to) {
  entries_.push_back({kNoSpan, {length32(text, from), length32(text, to)}});
}

void PreferenceFile::addKey(const char* text, const char* name, const char* nameEnd,
                            const char* value, const char* valueEnd) {
  entries_.push_back({{length32(text, name), length32(text, nameEnd)},
                      {length32(text, value), length32(text, valueEnd)}});
}

// Parses the line whose first byte, at p, is neither a blank nor a line end; returns where it
// ends.
const char* PreferenceFile::parseLine(const char* text, const char* p) {
  switch (*p) {
    case ';': {
      ++p;
      if (*p == ' ') ++p;
      const char* const lineEnd = findLineEndOr<'\0'>(p);
      addComment(text, p, lineEnd);
      return lineEnd;
    }
    case '[': {
      const char* const name = p + 1;
      const char* const nameEnd = findLineEndOr<']'>(name);
      addGroup(text, name, nameEnd);
      return *nameEnd == ']' ? findLineEndOr<'\0'>(nameEnd + 1) : nameEnd;
    }
    default: {
      const char* const stop = findLineEndOr<'='>(p);
      const char* nameEnd = stop;
      while (nameEnd > p && isBlank(nameEnd[-1])) --nameEnd;
      if (*stop != '=') {
        addKey(text, p, nameEnd, stop, stop);
        return stop;
      }
      const char* value = stop + 1;
      while (isBlank(*value)) ++value;
      const char* const lineEnd = findLineEndOr<'\0'>(value);
      addKey(text, p, nameEnd, value, lineEnd);
      return lineEnd;
    }
  }
}

// Parses in place; text[length] is the end NUL, followed by the padding.
void PreferenceFile::parse(const char* const text, std::size_t length) {
  entries_.reserve(length / 24 + 16);  // lines are seldom shorter: rarely a regrowth
#if defined(__SSE2__)
  // 64 bytes at a time: every line that starts in a block is found with bit operations, and so
  // are its parts when it ends within 64 bytes of its start, which takes the masks of the
  // block and of the next one. No line waits for the one before it, so the processor can
  // overlap them, and no branch depends on where within those 64 bytes a line ends.
  BlockMasks next = classify(text, length, 0);
  uint64_t carry = 1;  // the start of the text counts as a line end before it
  for (std::size_t base = 0; base < length; base += 64) {
    const BlockMasks block = next;
    next = classify(text, length, base + 64);
    // A line starts at the byte after each run of gap bytes that holds a line end. Adding the
    // line ends to the gap mask carries out of exactly those runs, into that byte; a carry out
    // of the block goes on into the next one.
    const uint64_t sum = block.gap + block.lineEnd;
    const uint64_t starts = sum + carry;
    carry = (sum < block.gap) | (starts < sum);
    for (uint64_t left = starts & ~block.gap; left != 0; left &= left - 1) {
      const int start = std::countr_zero(left);
      const char* const p = text + base + start;
      // Bit i of these stands for p[i]. A line end is a byte that is both a gap byte and a line
      // end or "=".
      const uint64_t gaps = window(block.gap, next.gap, start);
      const uint64_t lineEndsOrEquals = window(block.lineEndOrEquals, next.lineEndOrEquals, start);
      const uint64_t lineEnds = gaps & lineEndsOrEquals;
      if (lineEnds == 0) {
        parseLine(text, p);  // 64 bytes or more
        continue;
      }
      const int lineEnd = std::countr_zero(lineEnds);
      switch (*p) {
        case ';': {
          const char* const comment = p[1] == ' ' ? p + 2 : p + 1;
          addComment(text, comment, p + lineEnd);
          break;
        }
        case '[': {
          const char* const name = p + 1;
          const void* const bracket = std::memchr(name, ']', static_cast<std::size_t>(lineEnd - 1));
          addGroup(text, name, bracket ? static_cast<const char*>(bracket) : p + lineEnd);
          break;
        }
        default: {
          const uint64_t nonBlank = ~gaps | lineEnds;  // p itself is not a blank
          // The first "=" or line end: an "=" if it comes before the line end.
          const int stop = std::countr_zero(lineEndsOrEquals);
          // The name ends after its last non-blank byte; none (empty name) gives p.
          const int nameEnd = 64 - std::countl_zero(nonBlank & ((uint64_t{1} << stop) - 1));
          // Past the "=", the first non-blank byte; the line end is one, and without "=" the
          // search from it finds a later byte, or none, so the smaller is the value's start.
          const int value = std::min(std::countr_zero(nonBlank & (~uint64_t{1} << stop)), lineEnd);
          addKey(text, p, p + nameEnd, p + value, p + lineEnd);
          break;
        }
      }
    }
  }
#else
  const char* const end = text + length;
  for (const char* p = text;;) {
    while (p < end && (isLineEnd(*p) || isBlank(*p))) ++p;
    if (p >= end) return;
    p = parseLine(text, p);
  }
#endif
}

std::string_view PreferenceFile::textOf(Span span) const noexcept {
  if (span.start > span.end) return ownedTexts_[span.end];
  return {parsed_ + span.start, span.end - span.start};
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
    const uint32_t hash = foldedHash(wanted);
    const std::size_t count = groups_.size();
    const auto agrees = [&](std::size_t rank) {
      return static_cast<unsigned>(groups_[rank].nameHash == hash);
    };
    for (std::size_t rank = 0; rank < count; ++rank) {
      // Four headers per turn, with one branch, while no hash agrees: a file can hold thousands.
      while (rank + 4 <= count &&
             (agrees(rank) | agrees(rank + 1) | agrees(rank + 2) | agrees(rank + 3)) == 0) {
        rank += 4;
      }
      if (rank >= count) break;
      if (!agrees(rank)) continue;
      if (namesMatch(textOf(entries_[groups_[rank].entry].name), wanted)) {
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

std::size_t PreferenceFile::findKey(std::string_view storedName) const noexcept {
  if (!open_ || pending_) return kNotFound;
  std::size_t first, last;
  currentGroupRange(first, last);
  for (std::size_t i = first; i < last; ++i) {
    const Entry& entry = entries_[i];
    if (kindOf(entry) == EntryKind::kKey && namesMatch(textOf(entry.name), storedName)) return i;
  }
  return kNotFound;
}

int32_t PreferenceFile::readInteger(std::string_view keyName, int32_t defaultValue) noexcept {
  if (!open_ || pending_) return defaultValue;
  try {
    std::string converted;
    const std::size_t key = findKey(stored(keyName, converted));
    if (key == kNotFound) return defaultValue;
    const std::string_view value = textOf(entries_[key].value);
    return parseInteger(value.data(), value.size());
  } catch (const std::exception&) {
    return defaultValue;
  }
}

std::string PreferenceFile::readText(std::string_view keyName,
                                     std::string_view defaultText) noexcept {
  try {
    if (!open_ || pending_) return std::string(defaultText);
    std::string converted;
    const std::size_t key = findKey(stored(keyName, converted));
    if (key == kNotFound) return std::string(defaultText);
    const std::string_view held = textOf(entries_[key].value);
    const char* value = held.data();
    const char* valueEnd = value + held.size();
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
  // A text that the document cannot hold is dropped like one without memory; so is a write
  // whose owned texts could not all get an index below kAbsent (a write adds at most three).
  if (name.size() > kLargestLength || valueText.size() > kLargestLength ||
      pendingName_.size() > kLargestLength || ownedTexts_.size() > kAbsent - 3) {
    return;
  }
  entries_.reserve(entries_.size() + 2);
  groups_.reserve(groups_.size() + 1);

  const std::size_t found = pending_ ? kNotFound : findKey(name);

  auto own = [this](std::string&& text) -> uint32_t {
    ownedTexts_.push_back(std::move(text));
    return static_cast<uint32_t>(ownedTexts_.size() - 1);
  };

  // Storage for the header of a pending group, the key's name and its value.
  uint32_t headerSlot = 0;
  if (pending_) headerSlot = own(std::string(pendingName_));
  const bool newName = found == kNotFound || textOf(entries_[found].name) != name;
  uint32_t nameSlot = 0;
  if (newName) nameSlot = own(std::string(name));
  uint32_t valueSlot = 0;
  if (found != kNotFound && entries_[found].value.start == kElsewhere) {
    // The value already has storage of its own: reuse it rather than pile up replaced values.
    valueSlot = entries_[found].value.end;
  } else {
    valueSlot = own(std::string());
  }

  // Commit: nothing below allocates (capacities are reserved, swaps do not throw).
  ownedTexts_[valueSlot].swap(valueText);
  if (pending_) {
    const std::string& headerName = ownedTexts_[headerSlot];
    groups_.push_back({entries_.size(), foldedHash(headerName)});
    entries_.push_back({{kElsewhere, headerSlot}, kNoSpan});
    currentGroup_ = groups_.size() - 1;
    pending_ = false;
  }
  std::size_t key = found;
  if (key == kNotFound) {
    std::size_t first, last;
    currentGroupRange(first, last);
    key = last;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(key), Entry{});
    // Headers at or after the insertion point move down by one.
    for (GroupHeader& header : groups_) {
      if (header.entry >= key) ++header.entry;
    }
  }
  Entry& entry = entries_[key];
  if (newName) entry.name = {kElsewhere, nameSlot};
  entry.value = {kElsewhere, valueSlot};
  changed_ = true;
}

std::string PreferenceFile::buildOutput() const {
  std::size_t size = utf8_ ? sizeof kUtf8Mark + 2 : 0;
  for (const Entry& entry : entries_) {
    switch (kindOf(entry)) {
      case EntryKind::kGroup:
        size += textOf(entry.name).size() + 4;  // "[" name "]" CR LF
        break;
      case EntryKind::kComment:
        size += textOf(entry.value).size() + 4;  // "; " text CR LF
        break;
      case EntryKind::kKey:
        size +=
            textOf(entry.name).size() + textOf(entry.value).size() + 5;  // name " = " value CR LF
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
    switch (kindOf(entry)) {
      case EntryKind::kGroup:
        out.push_back('[');
        out.append(textOf(entry.name));
        out.push_back(']');
        break;
      case EntryKind::kComment:
        out.append("; ");
        out.append(textOf(entry.value));
        break;
      case EntryKind::kKey:
        out.append(textOf(entry.name));
        out.append(" = ");
        out.append(textOf(entry.value));
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
  parsed_ = nullptr;
  std::vector<Entry>().swap(entries_);
  std::vector<GroupHeader>().swap(groups_);
  std::vector<std::string>().swap(ownedTexts_);
  currentGroup_ = kNoGroup;
  pending_ = false;
  pendingName_.clear();
}
