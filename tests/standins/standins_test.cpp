// The material library stand-ins answer by code and raise on request.
#include <gtest/gtest.h>

#include <cstring>

#include "host/osric.h"
#include "host/ravel.h"
#include "host/tarsus.h"
#include "osric/osric_standin.h"
#include "ravel/ravel_standin.h"
#include "tarsus/tarsus_standin.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct Call {
  float code, mode = 1.0f, unit = 1.0f, currency = 1.0f, temperature = 0.0f;
  int64_t number = 1109;
  float result[30];
  int64_t status = 99;
  char text[80];
  explicit Call(float c) : code(c) {
    for (float& w : result) w = -7.0f;
    std::memset(text, '.', sizeof text);
  }
};

TEST(MaterialStandins, FillWhatTheCodeAsksFor) {
  float words[30];
  for (int i = 0; i < 30; ++i) words[i] = static_cast<float>(i + 1);
  TarsusStandin_Reset();
  TarsusStandin_SetAnswer(0, 1, words, 30, "NAME", 4);
  Call header(31.0f);
  TARSUS_PROP(&header.code, &header.mode, &header.unit, &header.currency, &header.number,
              &header.temperature, header.result, &header.status, header.text, 4);
  EXPECT_EQ(header.status, 0);
  EXPECT_EQ(header.result[29], 30.0f);
  EXPECT_EQ(header.text[0], '.');
  Call table(121.0f);
  TARSUS_PROP(&table.code, &table.mode, &table.unit, &table.currency, &table.number,
              &table.temperature, table.result, &table.status, table.text, 4);
  EXPECT_EQ(table.result[0], 1.0f);
  EXPECT_EQ(table.result[1], -7.0f);
  Call text(61.0f);
  TARSUS_PROP(&text.code, &text.mode, &text.unit, &text.currency, &text.number, &text.temperature,
              text.result, &text.status, text.text, 4);
  EXPECT_EQ(std::string(text.text, 5), "NAME.");
  EXPECT_EQ(text.result[0], -7.0f);
  EXPECT_EQ(TarsusStandin_CallCount(), 3);
  TarsusStandin_Reset();
  EXPECT_EQ(TarsusStandin_CallCount(), 0);
}

#ifdef _WIN32
DWORD g_seen = 0;
LONG WINAPI Resume(EXCEPTION_POINTERS* info) {
  g_seen = info->ExceptionRecord->ExceptionCode;
  return EXCEPTION_CONTINUE_EXECUTION;  // a software exception resumes after the raise
}

TEST(MaterialStandins, RaiseAStructuredExceptionOnRequest) {
  void* handler = ::AddVectoredExceptionHandler(1, Resume);
  RavelStandin_Reset();
  RavelStandin_SetRaise(0xE0001234u);
  Call c(121.0f);
  c.number = 24000;
  RAVEL_PROP(&c.code, &c.mode, &c.unit, &c.currency, &c.number, &c.temperature, c.result, &c.status,
             c.text, 4);
  ::RemoveVectoredExceptionHandler(handler);
  RavelStandin_Reset();
  EXPECT_EQ(g_seen, 0xE0001234u);
  EXPECT_EQ(RavelStandin_CallCount(), 0);  // reset after the call was recorded
}
#endif

TEST(MaterialStandins, OsricRecordsEveryCall) {
  OsricStandin_Reset();
  OsricStandin_SetAnswer(4, 0, nullptr, 0, nullptr, 0);
  Call c(146.0f);
  c.number = 27001;
  OSRIC_PROP(&c.code, &c.mode, &c.unit, &c.currency, &c.number, &c.temperature, c.result, &c.status,
             c.text, 4);
  EXPECT_EQ(c.status, 4);
  EXPECT_EQ(c.result[0], -7.0f);
  ASSERT_EQ(OsricStandin_CallCount(), 1);
  EXPECT_EQ(OsricStandin_Call(0)->materialNumber, 27001);
  EXPECT_EQ(OsricStandin_Call(0)->propertyCode, 146.0f);
  OsricStandin_Reset();
}

}  // namespace
