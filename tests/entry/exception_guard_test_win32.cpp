// The exception guard under Windows: the host's three dispositions, with the
// exception raised from inside the guarded call.
#include <windows.h>

#include "entry/exception_guard.h"
#include "entry_fixture.h"

namespace {

using entry_test::g_runInput;
using entry_test::g_runTemp;
using entry_test::GantryOrdinals;
using entry_test::RelayMessages;
using testing_support::Crlf;
using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

constexpr DWORD kTestException = 0xE0564B52;  // a software exception of our own

volatile bool g_resumed = false;
volatile int* volatile g_nowhere = nullptr;

void WriteBefore() {
  const float before = 1.0f;
  WriteResultReal("Before", 6, &before);
  WriteFileBytes(g_runTemp + GetRunId() + ".TMP", "scratch");
}

void WriteAfter() {
  g_resumed = true;
  const float after = 2.0f;
  WriteResultReal("After", 5, &after);
}

void RaisingCalculation() {
  WriteBefore();
  ::RaiseException(kTestException, 0, 0, nullptr);
  WriteAfter();
}

void FaultingCalculation() {
  WriteBefore();
  *g_nowhere = 1;
  WriteAfter();
}

// What the host saw when asked: the exception code through the pointers, and
// what the results file held at that moment.
DWORD g_codeSeen = 0;
std::string g_resultsAtDecision;
void InspectDecision() {
  const GantryCall* c = GantryStandin_LastOf(24);
  const auto* pointers = static_cast<const EXCEPTION_POINTERS*>(c->address[0]);
  g_codeSeen = pointers ? pointers->ExceptionRecord->ExceptionCode : 0;
  g_resultsAtDecision = ReadFileOrEmpty(g_runInput + "PUMP1.KOU");
}

class GuardTest : public entry_test::RunFolderTest {
 protected:
  void SetUp() override {
    RunFolderTest::SetUp();
    g_resumed = false;
    g_codeSeen = 0;
    g_resultsAtDecision.clear();
    GantryStandin_SetHook(24, &InspectDecision);
  }
};

TEST_F(GuardTest, ExecuteHandlerAbandonsTheCalculationAndFinishesTheRun) {
  GantryStandin_SetExceptionAnswer(EXCEPTION_EXECUTE_HANDLER, 1, 5);
  SetGuardedCalculationForTests(&RaisingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job_.c_str(), "", 0), 5);

  ASSERT_EQ(GantryStandin_CountOf(24), 1);
  const GantryCall* d = GantryStandin_LastOf(24);
  EXPECT_EQ(d->value[0], 0);
  EXPECT_EQ(static_cast<DWORD>(d->value[1]), kTestException);
  EXPECT_NE(d->address[0], nullptr);
  EXPECT_NE(d->address[1], nullptr);
  EXPECT_STREQ(d->text[0], "");
  EXPECT_EQ(g_codeSeen, kTestException);
  // The file was flushed before the host was asked.
  EXPECT_EQ(g_resultsAtDecision, Crlf("Before,1.000000,0\n"));

  EXPECT_FALSE(g_resumed);
  EXPECT_EQ(GantryOrdinals(), "23 33 24 29");
  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KOU"), Crlf("Before,1.000000,0\n"));
  EXPECT_TRUE(FileExists(g_runInput + "PUMP1.KVX"));
  EXPECT_FALSE(FileExists(g_runTemp + GetRunId() + ".TMP"));
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Error occurred. Error code = 5|");
}

TEST_F(GuardTest, ExecuteHandlerCatchesAHardwareFaultToo) {
  GantryStandin_SetExceptionAnswer(EXCEPTION_EXECUTE_HANDLER, 1, -3);
  SetGuardedCalculationForTests(&FaultingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job_.c_str(), "", 0), -3);
  EXPECT_EQ(g_codeSeen, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_FALSE(g_resumed);
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Error occurred. Error code = -3|");
}

TEST_F(GuardTest, AHostThatWritesNoErrorCodeLeavesItZero) {
  GantryStandin_SetExceptionAnswer(EXCEPTION_EXECUTE_HANDLER, 0, 0);
  SetGuardedCalculationForTests(&RaisingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job_.c_str(), "", 0), 0);
  EXPECT_FALSE(g_resumed);
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

TEST_F(GuardTest, ContinueExecutionResumesWhereTheExceptionWasRaised) {
  GantryStandin_SetExceptionAnswer(EXCEPTION_CONTINUE_EXECUTION, 0, 0);
  SetGuardedCalculationForTests(&RaisingCalculation);
  EXPECT_EQ(VESKAR(0, "P:\\", job_.c_str(), "", 0), 0);
  EXPECT_TRUE(g_resumed);
  EXPECT_EQ(GantryStandin_CountOf(24), 1);
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KOU"),
            Crlf("Before,1.000000,0\nAfter,2.000000,0\n"));
  EXPECT_EQ(RelayMessages(),
            "VESKAR -> Starting the calculation...|VESKAR -> Calculation is done.|");
}

// The host's own handler, outside VESKAR.
struct OuterSeen {
  int calls;
  uint32_t code;
};
int32_t OuterFilter(void* context, uint32_t code, void*) {
  auto* seen = static_cast<OuterSeen*>(context);
  ++seen->calls;
  seen->code = code;
  return EXCEPTION_EXECUTE_HANDLER;
}
struct VeskarCall {
  const char* job;
  int32_t result;
};
void CallVeskar(void* argument) {
  auto* call = static_cast<VeskarCall*>(argument);
  call->result = VESKAR(0, "P:\\", call->job, "", 0);
}

TEST_F(GuardTest, ContinueSearchPassesTheExceptionOutOfVeskar) {
  GantryStandin_SetExceptionAnswer(EXCEPTION_CONTINUE_SEARCH, 1, 9);
  SetGuardedCalculationForTests(&RaisingCalculation);
  OuterSeen seen{0, 0};
  VeskarCall call{job_.c_str(), 12345};
  EXPECT_EQ(CallWithExceptionGuard(&CallVeskar, &call, &OuterFilter, &seen), 1);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(seen.code, kTestException);
  EXPECT_EQ(call.result, 12345);  // VESKAR did not return
  EXPECT_FALSE(g_resumed);
  // Steps 8 to 11 did not run: the file is still open, no report text, the
  // temporary file is still there, no clean-up notice, no closing message.
  EXPECT_TRUE(ResultsFileIsOpen());
  EXPECT_FALSE(FileExists(g_runInput + "PUMP1.KVX"));
  EXPECT_TRUE(FileExists(g_runTemp + GetRunId() + ".TMP"));
  EXPECT_EQ(GantryOrdinals(), "23 33 24");
  EXPECT_EQ(RelayMessages(), "VESKAR -> Starting the calculation...|");

  // The next run closes the file left open and starts afresh.
  GantryStandin_Reset();
  SetGuardedCalculationForTests(nullptr);
  EXPECT_EQ(VESKAR(0, "P:\\", job_.c_str(), "", 0), 0);
  EXPECT_FALSE(ResultsFileIsOpen());
  EXPECT_EQ(ReadFileOrEmpty(g_runInput + "PUMP1.KOU"), "");
}

void RaiseFromHost() { ::RaiseException(kTestException, 0, 0, nullptr); }

TEST_F(GuardTest, OnlyTheCalculationIsGuarded) {
  // An exception in the host's run-start service or clean-up notice, before
  // or after the guarded call, is not the host's to decide: it leaves VESKAR.
  for (int32_t ordinal : {23, 29}) {
    GantryStandin_Reset();
    RelayStandin_Reset();
    RelayStandin_SetQuiet(1);
    GantryStandin_SetExceptionAnswer(EXCEPTION_EXECUTE_HANDLER, 1, 5);
    GantryStandin_SetHook(ordinal, &RaiseFromHost);
    OuterSeen seen{0, 0};
    VeskarCall call{job_.c_str(), 12345};
    EXPECT_EQ(CallWithExceptionGuard(&CallVeskar, &call, &OuterFilter, &seen), 1) << ordinal;
    EXPECT_EQ(seen.calls, 1) << ordinal;
    EXPECT_EQ(GantryStandin_CountOf(24), 0) << ordinal;
    EXPECT_EQ(call.result, 12345) << ordinal;
  }
}

// The guard itself: nested frames, and a body that returns normally.
void Raise(void*) { ::RaiseException(kTestException, 0, 0, nullptr); }
int32_t PassOn(void* context, uint32_t, void*) {
  ++*static_cast<int*>(context);
  return EXCEPTION_CONTINUE_SEARCH;
}
void Nested(void* innerCalls) { CallWithExceptionGuard(&Raise, nullptr, &PassOn, innerCalls); }
void Returns(void* flag) { *static_cast<bool*>(flag) = true; }

TEST(ExceptionGuard, InnerFramePassesOnToTheOuterOne) {
  int innerCalls = 0;
  OuterSeen seen{0, 0};
  EXPECT_EQ(CallWithExceptionGuard(&Nested, &innerCalls, &OuterFilter, &seen), 1);
  EXPECT_EQ(innerCalls, 1);
  EXPECT_EQ(seen.calls, 1);
  bool returned = false;
  EXPECT_EQ(CallWithExceptionGuard(&Returns, &returned, &OuterFilter, &seen), 0);
  EXPECT_TRUE(returned);
  EXPECT_EQ(seen.calls, 1);
}

}  // namespace
