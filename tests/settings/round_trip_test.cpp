// Round-trip property: texts without leading or trailing blanks and without CR, LF or NUL
// survive write, close, open and read, in plain and in UTF-8 mode. Fixed seeds, so every run
// checks the same documents.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "preference_file.h"
#include "test_folder.h"

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  // Any byte but NUL, CR and LF; blanks are frequent, so that inner blanks get tested.
  char byte() {
    for (;;) {
      const int pick = number(0, 9);
      if (pick == 0) return ' ';
      if (pick == 1) return '\t';
      const char c = static_cast<char>(number(1, 255));
      if (c != '\r' && c != '\n') return c;
    }
  }

  // A value: no blank at either end (a blank-only text would come back empty).
  std::string value(int maxLength) {
    std::string text;
    const int length = number(0, maxLength);
    for (int i = 0; i < length; ++i) text.push_back(byte());
    while (!text.empty() && isBlank(text.front())) text.erase(text.begin());
    while (!text.empty() && isBlank(text.back())) text.pop_back();
    return text;
  }

  // A key name that reads back as itself: no "=", not starting with ";", "[" or a blank, no
  // blank at the end. The "_index" suffix keeps names distinct whatever their case.
  std::string keyName(int index) {
    std::string name = value(12);
    std::erase(name, '=');
    while (!name.empty() && (name.front() == ';' || name.front() == '[' || isBlank(name.front()))) {
      name.erase(name.begin());
    }
    return name + "_" + std::to_string(index);
  }

  // A group name: anything but "]" (the brackets keep blanks at the ends).
  std::string groupName(int index) {
    std::string name = value(12);
    std::erase(name, ']');
    if (number(0, 3) == 0) name = " " + name + "\t";
    return name + "_" + std::to_string(index);
  }

 private:
  std::mt19937 random_;
};

struct Key {
  std::string name;
  std::string text;
  int32_t integer;
  bool isInteger;
};

struct Group {
  std::string name;  // empty: the keys ahead of the first header
  std::vector<Key> keys;
};

std::vector<Group> makeDocument(Generator& generate) {
  std::vector<Group> groups;
  const int groupCount = generate.number(1, 6);
  int index = 0;
  for (int g = 0; g < groupCount; ++g) {
    Group group;
    group.name = (g == 0 && generate.number(0, 1) == 0) ? "" : generate.groupName(index++);
    const int keyCount = generate.number(0, 8);
    for (int k = 0; k < keyCount; ++k) {
      Key key;
      key.name = generate.keyName(index++);
      key.isInteger = generate.number(0, 3) == 0;
      key.integer = static_cast<int32_t>(generate.number(INT32_MIN, INT32_MAX));
      key.text = generate.value(40);
      group.keys.push_back(key);
    }
    groups.push_back(group);
  }
  return groups;
}

void writeDocument(PreferenceFile& file, const std::vector<Group>& groups) {
  for (const Group& group : groups) {
    file.selectGroup(group.name);
    for (const Key& key : group.keys) {
      if (key.isInteger) {
        file.writeInteger(key.name, key.integer);
      } else {
        file.writeText(key.name, key.text);
      }
    }
  }
}

void checkDocument(PreferenceFile& file, const std::vector<Group>& groups) {
  for (const Group& group : groups) {
    if (group.keys.empty()) continue;  // a group without keys was never written
    ASSERT_TRUE(file.selectGroup(group.name)) << "group '" << escaped(group.name) << "'";
    for (const Key& key : group.keys) {
      SCOPED_TRACE("key '" + escaped(key.name) + "'");
      if (key.isInteger) {
        EXPECT_EQ(file.readInteger(key.name, 0), key.integer);
      } else {
        EXPECT_EQ(escaped(file.readText(key.name, "<missing>")), escaped(key.text));
      }
    }
  }
}

class RoundTrip : public testing::TestWithParam<bool> {
 protected:
  TestFolder folder_;
};

TEST_P(RoundTrip, TextsSurviveWriteCloseOpenRead) {
  const bool utf8 = GetParam();
  Generator generate(utf8 ? 20261211u : 3564u);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::vector<Group> groups = makeDocument(generate);
    PreferenceFile file;
    if (utf8) {
      writeFile("num.ini", "\xEF\xBB\xBF");
      ASSERT_TRUE(file.openForReading("num.ini"));
    } else {
      ASSERT_TRUE(file.createForWriting("num.ini"));
    }
    writeDocument(file, groups);
    checkDocument(file, groups);  // as held in memory
    file.close();
    bool written = false;
    for (const Group& group : groups) written = written || !group.keys.empty();
    if (utf8 && written) {
      ASSERT_EQ(readFile("num.ini").rfind("\xEF\xBB\xBF\r\n", 0), 0u);
    }
    ASSERT_TRUE(file.openForReading("num.ini"));
    checkDocument(file, groups);  // as read back from the file
    file.close();
    if (HasFatalFailure()) return;
  }
}

std::string modeName(const testing::TestParamInfo<bool>& param) {
  return param.param ? "Utf8" : "Plain";
}

INSTANTIATE_TEST_SUITE_P(Modes, RoundTrip, testing::Values(false, true), modeName);

}  // namespace
