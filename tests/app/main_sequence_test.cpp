// The main sequence against a scripted window: start-up order, the event loop's exits and
// dispatch, and which ways lead to the settings save.
#include "main_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_state.h"
#include "fake_program.h"
#include "ui_numbers.h"

namespace {

const std::vector<std::string> kStartUp = {"open", "load", "check 2", "uncheck 3",
                                           "focus text field"};
const std::vector<std::string> kSaveAndShutdown = {"save 1 '. '", "close file", "shutdown"};

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(MainSequence, StartsUpRunsTheLoopThenSavesAndShutsDown) {
  AppState state;
  state.numbering.mode = 5;  // whatever it was, the sequence starts in mode 1
  FakeProgram program;
  program.turns = {eventTurn({}), escapeTurn()};

  runMainSequence(state, program, program, program);

  EXPECT_EQ(program.log, joined({kStartUp, {"escape?", "wait", "escape?"}, kSaveAndShutdown}));
  EXPECT_EQ(state.numbering.romanTable[12].symbol, "I");
  EXPECT_EQ(state.textEditor, &program.field);
}

TEST(MainSequence, WindowThatCannotOpenEndsWithoutLoadLoopOrSave) {
  AppState state;
  FakeProgram program;
  program.openSucceeds = false;
  program.turns = {menuTurn(kNumberItem), escapeTurn()};

  runMainSequence(state, program, program, program);

  EXPECT_EQ(program.log, (std::vector<std::string>{"open", "close file", "shutdown"}));
  EXPECT_EQ(state.numbering.mode, kArabicNumbering);
}

struct ExitCase {
  const char* name;
  std::vector<Turn> turns;
  LoopExit exit;
  int waits;
};

void PrintTo(const ExitCase& c, std::ostream* os) {
  *os << c.name;
}

class LoopExits : public testing::TestWithParam<ExitCase> {};

TEST_P(LoopExits, LeaveTheLoop) {
  const ExitCase& c = GetParam();
  AppState state;
  FakeProgram program;
  program.turns.assign(c.turns.begin(), c.turns.end());

  EXPECT_EQ(EventLoop(state, program, program), c.exit);
  EXPECT_FALSE(program.scriptRanOut);
  EXPECT_EQ(std::count(program.log.begin(), program.log.end(), "wait"), c.waits);
}

TEST_P(LoopExits, EveryExitLeadsToTheSave) {
  const ExitCase& c = GetParam();
  AppState state;
  FakeProgram program;
  program.turns.assign(c.turns.begin(), c.turns.end());

  runMainSequence(state, program, program, program);

  ASSERT_GE(program.log.size(), kSaveAndShutdown.size());
  EXPECT_EQ(std::vector<std::string>(program.log.end() - 3, program.log.end()), kSaveAndShutdown);
  EXPECT_FALSE(program.scriptRanOut);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoopExits,
    testing::Values(
        ExitCase{"EscapeAtTheFirstTest", {escapeTurn()}, LoopExit::kEscape, 0},
        ExitCase{"EscapeAfterAMessage", {eventTurn({}), escapeTurn()}, LoopExit::kEscape, 1},
        ExitCase{"Quit", {menuTurn(kQuitItem)}, LoopExit::kQuit, 1},
        ExitCase{"CloseEvent", {eventTurn({EventKind::kClose, 0, 0})}, LoopExit::kClose, 1}),
    [](const testing::TestParamInfo<ExitCase>& param) { return param.param.name; });

TEST(EventLoop, TestsEscapeBeforeEveryWait) {
  AppState state;
  FakeProgram program;
  program.turns = {eventTurn({}), eventTurn({EventKind::kField, kTextField, 0x300}),
                   menuTurn(kArabicItem), escapeTurn()};

  EventLoop(state, program, program);

  EXPECT_EQ(program.log, (std::vector<std::string>{"escape?", "wait", "escape?", "wait", "escape?",
                                                   "wait", "check 2", "uncheck 3", "escape?"}));
}

TEST(EventLoop, IgnoresEverythingButMenuAndCloseEvents) {
  AppState state;
  fillRomanTable(state.numbering.romanTable);
  FakeProgram program;
  program.field = FakeTextField("apple");
  state.textEditor = &program.field;
  program.turns = {eventTurn({EventKind::kMessage, 0, 0}),
                   eventTurn({EventKind::kField, kSeparatorField, 0x300}),
                   eventTurn({EventKind::kActivation, 0, 0}),
                   eventTurn({EventKind::kSize, 0, 0}),
                   eventTurn({EventKind::kMove, 0, 0}),
                   menuTurn(4),
                   menuTurn(-1),
                   menuTurn(1000),
                   escapeTurn()};

  EXPECT_EQ(EventLoop(state, program, program), LoopExit::kEscape);

  EXPECT_EQ(std::count(program.log.begin(), program.log.end(), "wait"), 8);
  EXPECT_EQ(program.log.size(), 17u);  // escape tests and waits only: nothing acted upon
  EXPECT_EQ(program.field.text(), "apple");
  EXPECT_EQ(state.numbering.mode, kArabicNumbering);
}

TEST(EventLoop, MenuItemsNumberAndSwitchTheMode) {
  AppState state;
  FakeProgram program;
  program.field = FakeTextField("apple\r\npear");
  program.turns = {menuTurn(kNumberItem), menuTurn(kRomanItem), menuTurn(kNumberItem),
                   escapeTurn()};

  runMainSequence(state, program, program, program);

  EXPECT_EQ(program.field.text(), "I. 1. apple\r\nII. 2. pear");
  EXPECT_EQ(state.numbering.mode, kRomanNumbering);
  EXPECT_EQ(state.numbering.label, "II. ");
  const std::vector<std::string> expected =
      joined({kStartUp,
              {"escape?", "wait", "escape?", "wait", "uncheck 2", "check 3", "escape?", "wait",
               "escape?", "save 2 '. '", "close file", "shutdown"}});
  EXPECT_EQ(program.log, expected);
}

TEST(EventLoop, NumberTakesTheSeparatorFieldAsItIsNow) {
  AppState state;
  FakeProgram program;
  program.field = FakeTextField("a");
  program.separatorInFile = ")";
  program.turns = {menuTurn(kNumberItem), escapeTurn()};

  runMainSequence(state, program, program, program);

  EXPECT_EQ(program.field.text(), "1)a");
  EXPECT_EQ(state.numbering.separator, ")");
}

TEST(EventLoop, NumberNeverLosesLabelsToTheTextLimit) {
  AppState state;
  FakeProgram program;
  program.field = FakeTextField("a\r\nb\r\nc", 10);
  program.turns = {menuTurn(kNumberItem), escapeTurn()};

  runMainSequence(state, program, program, program);

  EXPECT_EQ(program.field.text(), "1. a\r\n2. b\r\n3. c");
  EXPECT_EQ(program.field.textLimit(), 10);
}

TEST(MainSequence, SettingsAreReadAfterOpenAndBeforeTheMenuShowsTheMode) {
  AppState state;
  FakeProgram program;
  program.modeInFile = kRomanNumbering;
  program.separatorInFile = ")";
  program.turns = {escapeTurn()};

  runMainSequence(state, program, program, program);

  EXPECT_EQ(program.log, (std::vector<std::string>{"open", "load", "set separator )", "uncheck 2",
                                                   "check 3", "focus text field", "escape?",
                                                   "save 2 ')'", "close file", "shutdown"}));
}

TEST(MainSequence, UnknownModeIsReportedBeforeInputAndSavedBackUnlessPicked) {
  for (const bool pickArabic : {false, true}) {
    AppState state;
    FakeProgram program;
    program.modeInFile = 7;
    if (pickArabic) program.turns.push_back(menuTurn(kArabicItem));
    program.turns.push_back(escapeTurn());

    runMainSequence(state, program, program, program);

    const std::vector<std::string> start = {"open", "load", "message Options: unknown value:7",
                                            "focus text field", "escape?"};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), program.log.begin()));
    const std::string save = pickArabic ? "save 1 '. '" : "save 7 '. '";
    EXPECT_NE(std::find(program.log.begin(), program.log.end(), save), program.log.end())
        << "picked Arabic: " << pickArabic;
  }
}

}  // namespace
