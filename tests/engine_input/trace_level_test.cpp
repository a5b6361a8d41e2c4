// The trace level of group 13001 reaching the host.
#include <gtest/gtest.h>

#include <string>

#include "engine/input/run_input_reader.h"
#include "engine/input/trace_level.h"
#include "input_fixture.h"
#include "support/kvt_writer.h"

namespace {

using input_test::ArraySection;
using input_test::InputTest;
using input_test::Read;
using testing_support::KvtWriter;

using TraceLevel = InputTest;

TEST_F(TraceLevel, FirstLineOfTheGroup) {
  const struct {
    const char* line;  // the first line of group 13001, as written in the file
    int64_t level;     // 0: the host is not called
  } cases[] = {
      {"TRACE=5", 5},     {"TRACE=1", 1},    {"TRACE=9", 9}, {"TRACE=12", 1},
      {"'TRACE=7 x'", 7}, {"TRACE=0", 0},    {"TRACE=", 0},  {"TRACE=A", 0},
      {"trace=5", 0},     {"' TRACE=5'", 0}, {"TRACE:5", 0}, {"''", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    GantryStandin_Reset();
    KvtWriter w = ArraySection();
    w.GroupHeader(13001, "2").Line(std::string(c.line) + ",'',0").Line("'TRACE=3','',0");
    ASSERT_EQ(Read(w.Bytes()), 0);
    if (c.level == 0) {
      EXPECT_EQ(GantryStandin_CountOf(15), 0);
    } else {
      ASSERT_EQ(GantryStandin_CountOf(15), 1);
      EXPECT_EQ(GantryStandin_LastOf(15)->value[0], c.level);
    }
  }
}

TEST_F(TraceLevel, OnlyAfterACompleteGroup) {
  // End of file in the group's second line: no call.
  KvtWriter early = ArraySection();
  early.GroupHeader(13001, "2").Line("'TRACE=4','',0");
  EXPECT_EQ(Read(early.Bytes()), 0);
  EXPECT_EQ(GantryStandin_CountOf(15), 0);

  // The text in the second line of the group calls nothing; a second group
  // 13001 calls again with its own first line.
  KvtWriter two = ArraySection();
  two.Group(13001, {{"none", "", "0"}, {"TRACE=7", "", "0"}});
  EXPECT_EQ(Read(two.Bytes()), 0);
  EXPECT_EQ(GantryStandin_CountOf(15), 0);
  two.Group(13001, {{"TRACE=2", "", "0"}});
  EXPECT_EQ(Read(two.Bytes()), 0);
  ASSERT_EQ(GantryStandin_CountOf(15), 1);
  EXPECT_EQ(GantryStandin_LastOf(15)->value[0], 2);
  EXPECT_EQ(g_traceLevel, 2);
}

// The level is worked out afresh in every run: a run whose first line gives
// no level hands nothing on, whatever the run before gave.
TEST_F(TraceLevel, NotKeptFromTheRunBefore) {
  KvtWriter first = ArraySection();
  first.Group(13001, {{"TRACE=5", "", "0"}});
  ASSERT_EQ(Read(first.Bytes()), 0);
  ASSERT_EQ(GantryStandin_CountOf(15), 1);
  KvtWriter second = ArraySection();
  second.Group(13001, {{"none", "", "0"}});
  ASSERT_EQ(Read(second.Bytes()), 0);
  EXPECT_EQ(GantryStandin_CountOf(15), 1);
  EXPECT_EQ(g_traceLevel, 0);
}

TEST_F(TraceLevel, ApplyDirectly) {
  ApplyTraceLevel();  // blank lines at load: zero bytes, no "TRACE="
  EXPECT_EQ(g_traceLevel, 0);
  EXPECT_EQ(GantryStandin_CountOf(15), 0);
}

}  // namespace
