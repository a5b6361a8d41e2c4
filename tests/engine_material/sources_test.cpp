// The choice of source at every call: Ravel.dll, Osric.dll and Tarsus.dll by
// material number and host answer, what they receive, and the fall-back.
#include <cstring>

#include "engine/material/material_property.h"
#include "gantry/gantry_standin.h"
#include "material_data.h"
#include "material_fixture.h"
#include "osric/osric_standin.h"
#include "ravel/ravel_standin.h"
#include "tarsus/tarsus_standin.h"

namespace {

class Sources : public MaterialTest {};

// Each library's control functions, so that one test serves all three.
struct Library {
  const char* name;
  int64_t number;
  void (*setAnswer)(int64_t, int32_t, const float*, int32_t, const char*, int64_t);
  int32_t (*callCount)(void);
  const MaterialLibraryCall* (*call)(int32_t);
};
const Library kLibraries[] = {
    {"Ravel", 24000, RavelStandin_SetAnswer, RavelStandin_CallCount, RavelStandin_Call},
    {"Osric", 29999, OsricStandin_SetAnswer, OsricStandin_CallCount, OsricStandin_Call},
    {"Tarsus", 4000, TarsusStandin_SetAnswer, TarsusStandin_CallCount, TarsusStandin_Call},
};

TEST_F(Sources, LibrariesReceiveTheCallersAddressesAndFour) {
  GantryStandin_SetUsesAsme(1);
  for (const Library& lib : kLibraries) {
    const float words[2] = {11.0f, 12.0f};
    lib.setAnswer(0, 1, words, 2, nullptr, 0);
    const float code = 121.0f, mode = 1.0f, unit = 1.0f, alt = 2.0f, currency = 3.0f,
                temperature = 250.0f;
    const int64_t number = lib.number;
    float result[30];
    for (float& w : result) w = kUntouched;
    int64_t status = 42;
    char text[80];
    GetMaterialProperty(&code, &mode, &unit, &alt, &currency, &number, &temperature, result,
                        &status, text, 80);
    ASSERT_EQ(lib.callCount(), 1) << lib.name;
    const MaterialLibraryCall* c = lib.call(0);
    EXPECT_EQ(c->address[0], &code) << lib.name;
    EXPECT_EQ(c->address[1], &mode) << lib.name;
    EXPECT_EQ(c->address[2], &unit) << lib.name;
    EXPECT_EQ(c->address[3], &currency) << lib.name;  // the selector is not passed
    EXPECT_EQ(c->address[4], &number) << lib.name;
    EXPECT_EQ(c->address[5], &temperature) << lib.name;
    EXPECT_EQ(c->address[6], result) << lib.name;
    EXPECT_EQ(c->address[7], &status) << lib.name;
    EXPECT_EQ(c->address[8], text) << lib.name;
    EXPECT_EQ(c->textLength, 4) << lib.name;
    EXPECT_EQ(c->currencyIndex, 3.0f) << lib.name;
    EXPECT_EQ(c->temperature, 250.0f) << lib.name;
    EXPECT_EQ(c->statusOnEntry, 42) << lib.name;  // nothing cleared before the call
    EXPECT_EQ(c->resultWord1OnEntry, kUntouched) << lib.name;
    EXPECT_EQ(status, 0) << lib.name;
    EXPECT_EQ(result[0], 11.0f) << lib.name;
    EXPECT_EQ(result[1], kUntouched) << lib.name;
  }
  // Only the ASME-range number asks the host.
  EXPECT_EQ(GantryStandin_CountOf(39), 1);
}

TEST_F(Sources, DispatchByNumber) {
  GantryStandin_SetUsesAsme(1);
  struct Case {
    int64_t number;
    int ravel, osric, tarsus, host;
  };
  const Case cases[] = {
      {24000, 1, 0, 0, 0}, {26999, 1, 0, 0, 0}, {27000, 0, 1, 0, 0}, {29999, 0, 1, 0, 0},
      {30000, 0, 0, 0, 0}, {23999, 0, 0, 0, 0}, {8999, 0, 0, 1, 1},  {4000, 0, 0, 1, 1},
      {1109, 0, 0, 1, 1},  {0, 0, 0, 1, 1},     {-5, 0, 0, 1, 1},    {9000, 0, 0, 0, 0},
      {3999, 0, 0, 0, 0},  {2000, 0, 0, 0, 0},  {4999, 0, 0, 1, 1},  {1999, 0, 0, 1, 1},
  };
  for (const Case& k : cases) {
    RavelStandin_Reset();
    OsricStandin_Reset();
    TarsusStandin_Reset();
    GantryStandin_Reset();
    GantryStandin_SetUsesAsme(1);
    Get(121.0f, k.number);
    EXPECT_EQ(RavelStandin_CallCount(), k.ravel) << k.number;
    EXPECT_EQ(OsricStandin_CallCount(), k.osric) << k.number;
    EXPECT_EQ(TarsusStandin_CallCount(), k.tarsus) << k.number;
    EXPECT_EQ(GantryStandin_CountOf(39), k.host) << k.number;
  }
}

TEST_F(Sources, HostAnswerZeroTakesTheLocalDatabases) {
  Build(kAsmeSet);
  GantryStandin_SetUsesAsme(0);
  const Retrieval r = Get(121.0f, 1109, Ask{.temperature = 150.0f});
  EXPECT_EQ(TarsusStandin_CallCount(), 0);
  EXPECT_EQ(GantryStandin_CountOf(39), 1);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 11.25f);
}

TEST_F(Sources, AnyNonZeroHostAnswerTakesTarsus) {
  for (int32_t answer : {2, -1}) {
    TarsusStandin_Reset();
    GantryStandin_SetUsesAsme(answer);
    Get(121.0f, 1109);
    EXPECT_EQ(TarsusStandin_CallCount(), 1) << answer;
  }
}

TEST_F(Sources, TarsusAnswerIsFinalWhateverItsStatus) {
  Build(kAsmeSet);
  GantryStandin_SetUsesAsme(1);
  const float words[1] = {3.5f};
  TarsusStandin_SetAnswer(7, 1, words, 1, nullptr, 0);
  const Retrieval r = Get(121.0f, 1109, Ask{.temperature = 150.0f});
  EXPECT_EQ(r.status, 7);
  EXPECT_EQ(r.result[0], 3.5f);
  TarsusStandin_SetAnswer(5, 0, nullptr, 0, nullptr, 0);
  const Retrieval untouched = Get(121.0f, 1109);
  EXPECT_EQ(untouched.status, 5);
  EXPECT_EQ(untouched.result[0], kUntouched);
}

TEST_F(Sources, TextCodesLeaveResultWordsAlone) {
  OsricStandin_SetAnswer(0, 1, nullptr, 0, "JIS G3101 SS400", 15);
  const Retrieval r = Get(61.0f, 27500);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(std::string(r.text, 16), "JIS G3101 SS400.");
  for (int i = 0; i < 30; ++i) EXPECT_EQ(r.result[i], kUntouched) << i;
}

TEST_F(Sources, FailedLibraryFallsBackToTheLocalLookUp) {
  Build(kAsmeSet);
  RavelStandin_SetAnswer(3, 0, nullptr, 0, nullptr, 0);
  // The first local look-up of the process: no set chosen yet.
  Retrieval r = Get(1.0f, 24000);
  EXPECT_EQ(RavelStandin_CallCount(), 1);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
  // After an ASME material the same number is searched in the ASME index,
  // which here lists it.
  Get(1.0f, 1109);
  r = Get(5.0f, 24000);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 24.0f);  // word 5 of that record
  OsricStandin_SetAnswer(1, 0, nullptr, 0, nullptr, 0);
  r = Get(5.0f, 27000);  // not listed there
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 0.0f);
}

}  // namespace
