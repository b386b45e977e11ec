// loadSettings and saveSettings on a real "num.ini" in a fresh folder, with a fake
// separator field and message box.
#include "settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "preference_file.h"
#include "test_folder.h"

namespace {

// The separator field and the message box, as the window would offer them.
class FakeWindow : public SettingsWindow {
 public:
  std::string separator = ". ";
  int separatorSets = 0;
  std::vector<std::pair<std::string, std::string>> messages;  // title, text

  std::string separatorText() override { return separator; }
  void setSeparatorText(const std::string& text) override {
    separator = text;
    ++separatorSets;
  }
  void showMessage(const std::string& title, const std::string& text) override {
    messages.emplace_back(title, text);
  }
};

class SettingsTest : public testing::Test {
 protected:
  TestFolder folder_;
  PreferenceFile file_;
  FakeWindow window_;
  NumberingMode mode_ = kArabicNumbering;
};

TEST_F(SettingsTest, NoFileKeepsTheStartValuesAndCreatesNothing) {
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kArabicNumbering);
  EXPECT_EQ(window_.separator, ". ");
  EXPECT_EQ(window_.separatorSets, 0);
  saveSettings(file_, mode_, window_);
  EXPECT_FALSE(fileExists("num.ini"));
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(SettingsTest, EmptyFileGivesDefaultsAndIsNotWritten) {
  writeFile("num.ini", "");
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kArabicNumbering);
  EXPECT_EQ(window_.separator, ".");
  saveSettings(file_, mode_, window_);
  EXPECT_EQ(readFile("num.ini"), "");
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(SettingsTest, RomanModeAndSeparatorAreRead) {
  writeFile("num.ini", "[options]\r\nnumber = 2\r\nsepa = ) \r\n");
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kRomanNumbering);
  EXPECT_EQ(window_.separator, ")");
  // The user picks Arabic numbers and types a new separator, then quits.
  mode_ = kArabicNumbering;
  window_.separator = " - ";
  saveSettings(file_, mode_, window_);
  EXPECT_EQ(readFile("num.ini"), "[options]\r\nnumber = 1\r\nsepa =  - \r\n");
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(SettingsTest, SavedSeparatorComesBackWithoutItsTrailingSpace) {
  writeFile("num.ini", "x");
  saveSettings(file_, mode_, window_);
  EXPECT_EQ(readFile("num.ini"), "[options]\r\nnumber = 1\r\nsepa = . \r\n");
  FakeWindow nextRun;
  NumberingMode nextMode = kRomanNumbering;
  loadSettings(file_, nextMode, nextRun);
  EXPECT_EQ(nextMode, kArabicNumbering);
  EXPECT_EQ(nextRun.separator, ".");
}

TEST_F(SettingsTest, UnknownModeIsKeptAndWrittenBack) {
  writeFile("num.ini", "[options]\r\nnumber = 7\r\n");
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, 7);
  EXPECT_EQ(window_.separator, ".") << "a missing key still replaces the field's text";
  saveSettings(file_, mode_, window_);
  EXPECT_EQ(readFile("num.ini"), "[options]\r\nnumber = 7\r\nsepa = .\r\n");
}

TEST_F(SettingsTest, FileWithoutTheGroupGivesDefaults) {
  writeFile("num.ini", "[other]\r\nnumber = 2\r\nsepa = x\r\n");
  mode_ = 5;
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kArabicNumbering);
  EXPECT_EQ(window_.separator, ".");
}

TEST_F(SettingsTest, EmptyValuesGiveZeroAndEmptyText) {
  writeFile("num.ini", "[options]\r\nnumber =\r\nsepa =\r\n");
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, 0);
  EXPECT_EQ(window_.separator, "");
}

TEST_F(SettingsTest, ExtraGroupsKeysAndCommentsAreGoneAfterASave) {
  writeFile("num.ini",
            "; my settings\r\n[before]\r\na = 1\r\n[options]\r\n; note\r\nnumber = 2\r\n"
            "extra = yes\r\nsepa = :\r\n[after]\r\nb = 2\r\n");
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kRomanNumbering);
  EXPECT_EQ(window_.separator, ":");
  saveSettings(file_, mode_, window_);
  EXPECT_EQ(readFile("num.ini"), "[options]\r\nnumber = 2\r\nsepa = :\r\n");
}

TEST_F(SettingsTest, Utf8FileIsRewrittenPlain) {
  writeFile("num.ini", "\xEF\xBB\xBF[options]\r\nnumber = 2\r\nsepa = \xC3\xA9\r\n");
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kRomanNumbering);
  EXPECT_EQ(window_.separator, "\xE9");
  saveSettings(file_, mode_, window_);
  EXPECT_EQ(readFile("num.ini"), "[options]\r\nnumber = 2\r\nsepa = \xE9\r\n");
}

TEST_F(SettingsTest, DirectoryOfThatNameIsLeftAlone) {
  ASSERT_EQ(mkdir("num.ini", 0755), 0);
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(window_.separatorSets, 0);
  saveSettings(file_, mode_, window_);
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(SettingsTest, SizeOfNamedFileFollowsTheConvention) {
  EXPECT_EQ(file_services::sizeOfNamedFile("num.ini"), -1);
  writeFile("num.ini", "");
  EXPECT_EQ(file_services::sizeOfNamedFile("num.ini"), 0);
  writeFile("num.ini", "12345");
  EXPECT_EQ(file_services::sizeOfNamedFile("num.ini"), 5);
  ASSERT_EQ(mkdir("folder", 0755), 0);
  EXPECT_EQ(file_services::sizeOfNamedFile("folder"), -2);
}

// Makes a file read-only for the test, also for root: chattr +i where the file system has it,
// chmod where permission bits are enough (not root). Undone at the end of the test.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string name) : name_(std::move(name)) {
    if (geteuid() != 0) {
      chmodded_ = chmod(name_.c_str(), 0444) == 0;
    } else {
      immutable_ = std::system(("chattr +i '" + name_ + "' 2>/dev/null").c_str()) == 0;
    }
  }
  ~ReadOnlyFile() {
    if (immutable_) (void)std::system(("chattr -i '" + name_ + "'").c_str());
    if (chmodded_) (void)chmod(name_.c_str(), 0644);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool ok() const { return immutable_ || chmodded_; }

 private:
  std::string name_;
  bool immutable_ = false;
  bool chmodded_ = false;
};

TEST_F(SettingsTest, ReadOnlyFileGivesTheMessageAndStaysUnchanged) {
  const std::string before = "[options]\r\nnumber = 2\r\nsepa = )\r\n";
  writeFile("num.ini", before);
  ReadOnlyFile readOnly("num.ini");
  if (!readOnly.ok()) {
    GTEST_SKIP() << "cannot make a file read-only here: running as root and 'chattr +i' failed "
                    "(chattr missing, or the file system under the build folder lacks it)";
  }
  loadSettings(file_, mode_, window_);
  EXPECT_EQ(mode_, kRomanNumbering) << "a read-only file is still read";
  EXPECT_EQ(window_.separator, ")");
  saveSettings(file_, kArabicNumbering, window_);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].first, "num.ini");
  EXPECT_EQ(window_.messages[0].second, "Cannot create file!");
  EXPECT_EQ(readFile("num.ini"), before);
}

// A changed document whose file could only be opened for
// reading. close() tries the write, which fails, and the file stays as it was.
TEST_F(SettingsTest, WritesIntoAFileOpenedForReadingOnlyAreLost) {
  const std::string before = "[options]\r\nnumber = 2\r\n";
  writeFile("num.ini", before);
  ReadOnlyFile readOnly("num.ini");
  if (!readOnly.ok()) GTEST_SKIP() << "cannot make a file read-only here (see above)";
  ASSERT_TRUE(file_.openForReading("num.ini"));
  ASSERT_TRUE(file_.selectGroup("options"));
  file_.writeInteger("number", 1);
  EXPECT_EQ(file_.readInteger("number", 0), 1);
  file_.close();
  EXPECT_EQ(readFile("num.ini"), before);
}

}  // namespace
