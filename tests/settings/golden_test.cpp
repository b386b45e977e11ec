// Golden files: each golden/NAME.in.ini is opened, given the same few writes and closed; the
// file must then equal golden/NAME.out.ini byte for byte. Since close() writes every entry back
// in its normal form, the output also shows how the input was parsed.
// TOLVANE_UPDATE_GOLDEN=1 rewrites the .out.ini files from the current behaviour (review them!).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "preference_file.h"
#include "test_folder.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> goldenNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(TOLVANE_GOLDEN_DIR)) {
    const std::string file = entry.path().filename().string();
    const std::string suffix = ".in.ini";
    if (file.size() > suffix.size() && file.ends_with(suffix)) {
      names.push_back(file.substr(0, file.size() - suffix.size()));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The same edits for every golden input: what saveSettings would do into an opened document,
// plus a key in a group that no input has.
void applyEdits(PreferenceFile& file) {
  file.selectGroup("options");
  file.writeInteger("number", 2);
  file.writeText("sepa", ") ");
  file.selectGroup("added");
  file.writeText("key", "value");
}

class Golden : public testing::TestWithParam<std::string> {
 protected:
  TestFolder folder_;
};

TEST_P(Golden, OutputMatches) {
  const fs::path dir(TOLVANE_GOLDEN_DIR);
  const std::string input = readFile((dir / (GetParam() + ".in.ini")).string());
  writeFile("num.ini", input);

  PreferenceFile file;
  ASSERT_TRUE(file.openForReading("num.ini"));
  applyEdits(file);
  file.close();
  const std::string output = readFile("num.ini");

  const fs::path expectedPath = dir / (GetParam() + ".out.ini");
  const char* update = std::getenv("TOLVANE_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::filesystem::current_path(dir);
    writeFile(expectedPath.filename().string(), output);
    GTEST_SKIP() << "rewrote " << expectedPath;
  }
  ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath << " is missing";
  EXPECT_EQ(escaped(output), escaped(readFile(expectedPath.string())));
}

std::string fileName(const testing::TestParamInfo<std::string>& param) {
  std::string name = param.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Files, Golden, testing::ValuesIn(goldenNames()), fileName);

}  // namespace
