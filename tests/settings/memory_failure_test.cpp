// Memory failures: operator new is replaced in this test program so that a chosen allocation
// throws std::bad_alloc. Every allocation of a scenario is failed in turn; nothing may escape
// the component, and every outcome must be a default, a dropped write or an empty document.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "preference_file.h"
#include "test_folder.h"

namespace {

// Which allocations fail: none while failAt < 0; else the one numbered failAt (counting from 0
// since arming), and every later one too when failLater is set.
long failAt = -1;
bool failLater = false;
long allocationCount = 0;
bool injected = false;

void arm(long at, bool later) {
  allocationCount = 0;
  injected = false;
  failLater = later;
  failAt = at;
}

void disarm() {
  failAt = -1;
}

void* allocate(std::size_t size) {
  if (failAt >= 0) {
    const long number = allocationCount++;
    if (number == failAt || (failLater && number > failAt)) {
      injected = true;
      throw std::bad_alloc();
    }
  }
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

void* operator new(std::size_t size) {
  return allocate(size);
}
void* operator new[](std::size_t size) {
  return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace {

const std::string kLoaded = "[options]\r\nnumber = 2\r\nsepa = ) \r\n";
const std::string kLoadedUtf8 = "\xEF\xBB\xBF[options]\r\nnumber = 2\r\nsepa = )\xC3\xA9 \r\n";

// Runs `scenario` once per allocation it makes, failing that one (or that one and all later
// ones), and hands each outcome to `check`. Returns how many allocations a clean run makes.
// `prepare` runs before the failures are armed, since test code must not meet them.
template <typename Prepare, typename Scenario, typename Check>
long sweep(bool failLaterToo, Prepare prepare, Scenario scenario, Check check) {
  for (long at = 0;; ++at) {
    SCOPED_TRACE("allocation " + std::to_string(at) + (failLaterToo ? " and later" : " only"));
    prepare();
    arm(at, failLaterToo);
    scenario();
    disarm();
    check();
    if (!injected) return at;  // the scenario ran through without reaching allocation `at`
    if (testing::Test::HasFailure()) return at;
  }
}

class MemoryFailure : public testing::TestWithParam<bool> {
 protected:
  TestFolder folder_;
  PreferenceFile file_;
};

// Loading as loadSettings does: every read gives its value or its default, and the file is
// untouched.
TEST_P(MemoryFailure, LoadGivesValuesOrDefaults) {
  for (const std::string& content : {kLoaded, kLoadedUtf8}) {
    const bool utf8 = content == kLoadedUtf8;
    bool opened = false;
    int32_t number = 0;
    std::string separator;
    separator.reserve(64);
    const long clean = sweep(
        GetParam(), [&] { writeFile("num.ini", content); },
        [&] {
          opened = file_.openForReading("num.ini");
          file_.selectGroup("options");
          number = file_.readInteger("number", -1);
          separator = file_.readText("sepa", "dflt");
          file_.close();
        },
        [&] {
          EXPECT_TRUE(opened) << "no memory for the text still opens, as an empty document";
          EXPECT_TRUE(number == 2 || number == -1) << number;
          const std::set<std::string> allowed = {utf8 ? ")\xE9" : ")", "dflt", ""};
          EXPECT_TRUE(allowed.count(separator)) << escaped(separator);
          EXPECT_EQ(readFile("num.ini"), content);
        });
    EXPECT_GT(clean, 0);
  }
}

// Saving as saveSettings does: the file holds what the writes that got memory produced, in order,
// never a partial line. A failed selectGroup leaves no group, so keys may land ahead of any.
TEST_P(MemoryFailure, SaveWritesWholeLinesOrNothing) {
  const std::set<std::string> allowed = {
      "",
      "[options]\r\nnumber = 1\r\n",
      "[options]\r\nsepa = . \r\n",
      "[options]\r\nnumber = 1\r\nsepa = . \r\n",
      "number = 1\r\n",
      "sepa = . \r\n",
      "number = 1\r\nsepa = . \r\n",
  };
  const long clean = sweep(
      GetParam(), [&] { writeFile("num.ini", kLoaded); },
      [&] {
        if (!file_.createForWriting("num.ini")) return;
        file_.selectGroup("options");
        file_.writeInteger("number", 1);
        file_.writeText("sepa", ". ");
        file_.close();
      },
      [&] {
        const std::string written = readFile("num.ini");
        EXPECT_TRUE(allowed.count(written)) << escaped(written);
      });
  EXPECT_GT(clean, 0);
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start != text.size()) lines.push_back("<unterminated>" + text.substr(start));
  return lines;
}

// Writing into a parsed document with several groups. Which writes get memory varies too much
// to list every outcome, so the output is checked for its shape: whole lines only, each line
// one of the input's or the writes', none twice, the input's lines in their order, and every
// written key directly under a header of its group or after a line that was there with it.
TEST_P(MemoryFailure, WritesIntoAParsedDocumentAreWholeOrDropped) {
  const std::string input = "top = 0\r\n[a]\r\nx = 1\r\n[b]\r\ny = 2\r\n";
  const std::vector<std::string> inputLines = linesOf(input);
  const std::set<std::string> written = {"z = 3", "k = v", "[c]", "w = 4", "[a]"};
  bool foundB = false;
  const long clean = sweep(
      GetParam(), [&] { writeFile("num.ini", input); },
      [&] {
        file_.openForReading("num.ini");
        file_.selectGroup("a");
        file_.writeText("z", "3");
        file_.selectGroup("");
        file_.writeText("k", "v");
        foundB = file_.selectGroup("b") && file_.readInteger("y", 0) == 2;
        file_.selectGroup("c");
        file_.writeText("w", "4");
        file_.close();
      },
      [&] {
        const std::string output = readFile("num.ini");
        SCOPED_TRACE(escaped(output));
        const std::vector<std::string> lines = linesOf(output);
        std::set<std::string> seen;
        std::size_t nextInput = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
          const std::string& line = lines[i];
          EXPECT_TRUE(seen.insert(line).second) << "twice: " << line;
          bool fromInput = false;
          for (std::size_t j = nextInput; j < inputLines.size(); ++j) {
            if (inputLines[j] == line) {
              fromInput = true;
              nextInput = j + 1;
              break;
            }
          }
          EXPECT_TRUE(fromInput || written.count(line)) << "unexpected line: " << line;
          const std::string before = i > 0 ? lines[i - 1] : "";
          if (line == "z = 3") {
            EXPECT_TRUE(before == "[a]" || before == "x = 1") << before;
          }
          if (line == "w = 4") {
            EXPECT_TRUE(i == 0 || before == "[c]" || before == "k = v" || before == "top = 0")
                << before;
          }
          if (line == "y = 2" && output != input) {
            EXPECT_TRUE(foundB) << "a rewritten document was parsed, so [b] was found";
          }
        }
      });
  EXPECT_GT(clean, 0);
}

std::string failureName(const testing::TestParamInfo<bool>& param) {
  return param.param ? "ThatAndLaterAllocations" : "OneAllocation";
}

INSTANTIATE_TEST_SUITE_P(Failing, MemoryFailure, testing::Values(false, true), failureName);

class MemoryFailureCases : public testing::Test {
 protected:
  TestFolder folder_;
  PreferenceFile file_;
};

TEST_F(MemoryFailureCases, NoMemoryForTheTextOpensAnEmptyDocument) {
  writeFile("num.ini", kLoaded);
  arm(0, false);  // the text buffer is the first allocation of openForReading
  const bool opened = file_.openForReading("num.ini");
  disarm();
  EXPECT_TRUE(injected);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(file_.selectGroup("options"));
  EXPECT_EQ(file_.readInteger("number", 1), 1);
}

TEST_F(MemoryFailureCases, NoMemoryForEntriesOpensAnEmptyDocument) {
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += "[g" + std::to_string(i) + "]\nk = " + std::to_string(i) + "\n";
  writeFile("num.ini", text);
  arm(5, true);  // the text and the first few entry arrays, then nothing
  const bool opened = file_.openForReading("num.ini");
  disarm();
  EXPECT_TRUE(injected);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(file_.selectGroup("g0"));
  EXPECT_EQ(file_.readInteger("k", -1), -1);
}

TEST_F(MemoryFailureCases, DroppedWriteDoesNotMarkTheDocumentChanged) {
  writeFile("num.ini", kLoaded);
  ASSERT_TRUE(file_.openForReading("num.ini"));
  ASSERT_TRUE(file_.selectGroup("options"));
  arm(0, true);
  file_.writeInteger("number", 1);
  disarm();
  EXPECT_TRUE(injected);
  EXPECT_EQ(file_.readInteger("number", 0), 2);
  file_.close();
  EXPECT_EQ(readFile("num.ini"), kLoaded);
}

TEST_F(MemoryFailureCases, SelectWithoutMemoryKeepsTheCurrentGroup) {
  writeFile("num.ini", kLoadedUtf8);
  ASSERT_TRUE(file_.openForReading("num.ini"));
  ASSERT_TRUE(file_.selectGroup("options"));
  arm(0, true);  // in UTF-8 mode the name asked for is converted first (past the short-string
                 // buffer, so the conversion allocates)
  const bool selected = file_.selectGroup("another group");
  disarm();
  EXPECT_TRUE(injected);
  EXPECT_FALSE(selected);
  EXPECT_EQ(file_.readInteger("number", 0), 2) << "still in [options]";
}

TEST_F(MemoryFailureCases, NoMemoryForTheOutputWritesNothing) {
  writeFile("num.ini", kLoaded);
  ASSERT_TRUE(file_.openForReading("num.ini"));
  ASSERT_TRUE(file_.selectGroup("options"));
  file_.writeInteger("number", 1);
  arm(0, true);
  file_.close();
  disarm();
  EXPECT_TRUE(injected);
  EXPECT_EQ(readFile("num.ini"), kLoaded);
  EXPECT_FALSE(file_.selectGroup("options")) << "the document is dropped all the same";

  ASSERT_TRUE(file_.createForWriting("num.ini"));
  file_.selectGroup("options");
  file_.writeInteger("number", 1);
  arm(0, true);
  file_.close();
  disarm();
  EXPECT_EQ(readFile("num.ini"), "") << "empty, as createForWriting left it";
}

}  // namespace
