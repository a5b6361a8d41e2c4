// The main calculation through whole runs on small databases of its own:
// class resolution, factors and the order of keys, the job name, and the
// behaviours chosen where the old calculation had faults.
#include <cstring>
#include <string>

#include "engine/files/file_units.h"
#include "engine/files/unit_table.h"
#include "engine/main/main_calculation.h"
#include "gantry/gantry_standin.h"
#include "run_fixture.h"
#include "support/test_support.h"
#include "tarsus/tarsus_standin.h"

namespace {

using main_test::JobText;
using main_test::RunTest;
using testing_support::Crlf;

// Materials named after their numbers. 11109 lies in the ASME set's second
// range (outside the ASME library's), so its own price stands; every header
// and gasket word the results use is set, with values exact in four-byte
// reals.
const char kDatabases[] = R"(
file N_ASMEI.PDA index
entries 11109 1109 1118 1250 1127
file N_ASMEP.PDA property
record 1
word 1 11109 1 1 1 7
word 10 3.5 0.25 0.5 4
word 16 800 2
word 20 36 58
word 25 0.29 1.5 24
word 31 2.75 3.75 0.0625 3
text 1 "FULL"
table 121 70 100 100 500 25.5
table 146 70 100 100 500 17.5
table 181 70 100 100 500 30.5
table 206 70 100 100 500 6.25
table 231 70 100 100 500 29000
table 251 70 100 100 500 20.25
table 281 70 100 100 500 60.75
record 2
word 1 1109 1
text 1 "M1109"
table 121 70 100 100 500 1
record 3
word 1 1118 1
text 1 "M1118"
table 121 70 100 100 500 1
record 4
word 1 1250 1
text 1 "M1250"
table 121 70 100 100 500 1
record 5
word 1 1127 1
text 1 "M1127"
table 121 70 100 100 500 1
file N_Mtldef.PDA classtable
row 2 2 1250 0 0 0 0 0 1118
row 3 2 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5
row 4 2 0 1118 0 0 0 0 1250.9
row 6 2 -5 1118 0 0 0 0 0.9
row 7 4 1118 1250
row 8 1 1250 0 0 0 0 0 1109
row 9 5 1250 1118
row 10 3 1109 1118
row 11 6 1118 0 0 1250
row 41 9 1109
)";

// The name of the material a results file names ("" when it names none).
std::string NamedMaterial(const std::string& kou) {
  const size_t at = kou.find("MtlName,\"");
  if (at == std::string::npos) return "";
  const size_t from = at + 9;
  return kou.substr(from, kou.find(' ', from) - from);
}

// Whether the host was told that a file whose path ends in `tail` failed to open.
bool OpenFailureReported(const std::string& tail) {
  for (int32_t i = 0; i < GantryStandin_CallCount(); ++i) {
    const GantryCall* c = GantryStandin_Call(i);
    if (c->ordinal != 25) continue;
    const std::string path(c->text[0], static_cast<size_t>(c->textLength[0]));
    if (path.size() >= tail.size() &&
        path.compare(path.size() - tail.size(), tail.size(), tail) == 0) {
      return true;
    }
  }
  return false;
}

class MainCalculation : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    BuildDatabases(kDatabases);
  }
  // A one-point job (70 F) for a material number given as the file writes it.
  std::string RunMaterial(const char* number) {
    return Run("JOB", JobText({{10001, "70"}, {10002, "0"}, {10003, "0"}, {10005, number}}));
  }
};

// Every key, in its order, with its factor: the expansion coefficient per
// million degrees, stresses from ksi to psi, the density per cubic foot
// (0.25 lb/in3 x 1728 = 432), P-number word 800 as the integer 8.
TEST_F(MainCalculation, WritesEveryKeyInOrderWithItsFactor) {
  std::string expected =
      "arThermCond,0,1\n25.500000, \n"
      "arThermExpCoef,0,1\n6.250000, \n"
      "arElasticity,0,1\n29000.000000, \n"
      "arYieldStrength,0,1\n30500.000000, \n"
      "arStressIntensity,0,1\n20250.000000, \n"
      "arAllowStress,0,1\n17500.000000, \n"
      "arTensileStrength,0,1\n60750.000000, \n"
      "arTemp,0,1\n70.000000, \n"
      "PNum,8,0\n"
      "MtlName,\"FULL" +
      std::string(76, ' ') +
      "\",0\n"
      "GaskFactY,3750.000000,0\nGaskFactM,2.750000,0\nGaskThk,0.062500,0\nGaskColumn,3.000000,0\n"
      "ThkMin,0.500000,0\nThkMax,4.000000,0\nODMin,1.500000,0\nODMax,24.000000,0\n"
      "YieldMinSpec,36000.000000,0\nTensileMinSpec,58000.000000,0\nMtlClass,7.000000,0\n"
      "Price,3.500000,0\nDensity,432.000000,0\nGroupNum,2.000000,0\nPoissonRat,0.290000,0\n";
  EXPECT_EQ(RunMaterial("11109"), Crlf(expected));
}

TEST_F(MainCalculation, ResolvesMaterialClasses) {
  struct Case {
    const char* input;
    int64_t material;  // 0: the calculation ends with nothing written
  } const cases[] = {
      {"3.7", 1118},  // class 3; every candidate 0.5 truncates to 0: the default
      {"4", 1250},    // word 8 (1250.9) before word 3
      {"6", 1118},    // word 2 negative, word 8 below 1: word 3
      {"2", 1250},    // word 2 before word 8
      {"10", 1109},   // word 3 before word 4
      {"7", 1118},    // word 4 before word 5
      {"9", 1250},    // word 5 before word 6
      {"11", 1118},   // word 6 before word 9
      {"8", 1127},    // words 1 and 7 name nothing: the default of class 8
      {"1", 1109},    // no row: the default of class 1
      {"41", 1109},   // no default above 40, but the row names one
      {"42", 0},      // neither: nothing written
      {"99.9", 0},    // class 99
      {"150", 150},   // not a class: retrieved as it stands (no record: no name)
      {"100", 100},   // the first number that is not a class
      {"0", 0},       // below 1: nothing written
      {"-3", 0},     {"0.5", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    ResetMainCalculationForTests();
    const std::string kou = RunMaterial(c.input);
    if (c.material == 0) {
      EXPECT_EQ(kou, "");
    } else {
      EXPECT_EQ(g_mainCalculation.materialNumber, c.material);
      EXPECT_NE(kou.find("arTemp,0,1\r\n70.000000, \r\n"), std::string::npos);
      EXPECT_EQ(NamedMaterial(kou), c.material < 1000 ? "" : "M" + std::to_string(c.material));
    }
    // The class table's unit and the run input file's are closed after every
    // run, whatever happened.
    EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotTables)));
    EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotRunInput)));
  }
}

TEST_F(MainCalculation, ANumberBelowOneOrAbove99NeverReadsTheClassTable) {
  RemoveDatabase("N_Mtldef.PDA");
  EXPECT_EQ(RunMaterial("0"), "");
  EXPECT_EQ(RunMaterial("-7"), "");
  EXPECT_EQ(NamedMaterial(RunMaterial("1250")), "M1250");
  EXPECT_FALSE(OpenFailureReported("N_Mtldef.PDA"));
  // A class with the table missing: the host hears of it, nothing is written.
  EXPECT_EQ(RunMaterial("4"), "");
  EXPECT_TRUE(OpenFailureReported("N_Mtldef.PDA"));
}

TEST_F(MainCalculation, AnUnreadableClassTableEndsTheRunAndIsClosed) {
  ASSERT_TRUE(testing_support::WriteFileBytes(data_ + "N_Mtldef.PDA", std::string(100, '\0')));
  EXPECT_EQ(RunMaterial("4"), "");
  EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotTables)));
  // A class table in the input folder comes before the program's.
  ASSERT_TRUE(testing_support::WriteFileBytes(input_ + "N_Mtldef.PDA", std::string(10000, '\0')));
  EXPECT_NE(RunMaterial("4"), "");
  EXPECT_EQ(g_mainCalculation.materialNumber, 1120);  // an empty row 4: the default
}

// A class table whose rows are all empty: each class from 1 to 40 takes its
// built-in material.
TEST_F(MainCalculation, EveryClassWithAnEmptyRowTakesItsDefault) {
  const int64_t defaults[40] = {
      1109, 1116, 1118, 1120, 1122, 1123, 1125, 1127, 1129, 1131,  // classes 1 to 10
      1133, 1135, 1136, 1137, 1139, 1140, 1249, 1250, 1251, 1146,  // 11 to 20
      1252, 1253, 1255, 1154, 1259, 1258, 1157, 1257, 1263, 1438,  // 21 to 30
      1437, 1364, 1453, 1363, 1401, 1436, 1361, 1365, 1109, 1123,  // 31 to 40
  };
  ASSERT_TRUE(testing_support::WriteFileBytes(input_ + "N_Mtldef.PDA", std::string(10000, '\0')));
  for (int c = 1; c <= 40; ++c) {
    SCOPED_TRACE(c);
    EXPECT_NE(RunMaterial(std::to_string(c).c_str()), "");
    EXPECT_EQ(g_mainCalculation.materialNumber, defaults[c - 1]);
  }
}

// The run input file is the base name cut to 8 characters.
TEST_F(MainCalculation, TheJobNameIsTheBaseNameCutToEightCharacters) {
  ASSERT_TRUE(testing_support::WriteFileBytes(
      input_ + "LONGJOBN.KVT",
      JobText({{10001, "70"}, {10002, "0"}, {10003, "0"}, {10005, "1118"}})));
  EXPECT_EQ(NamedMaterial(RunExisting("LONGJOBNAME")), "M1118");
  EXPECT_EQ(std::string(g_mainCalculation.jobName, kJobNameWidth), "LONGJOBN");
}

// An input file that cannot be opened ends the run with nothing written: the
// inputs an earlier run left would otherwise pass for this job's. A readable
// file that lacks an index still leaves that index as the earlier run set it.
TEST_F(MainCalculation, AMissingRunInputFileWritesNothing) {
  ASSERT_EQ(NamedMaterial(RunMaterial("11109")), "FULL");
  EXPECT_EQ(RunExisting("GONE"), "");
  EXPECT_TRUE(OpenFailureReported("GONE.KVT"));
  const std::string kou = Run("LATER", JobText({{10001, "100"}}));
  EXPECT_EQ(NamedMaterial(kou), "FULL");
  EXPECT_NE(kou.find("arTemp,0,1\r\n100.000000, \r\n"), std::string::npos);
}

// A material that is not found shows no earlier material's name or scalars.
TEST_F(MainCalculation, AMaterialNotFoundShowsNothingOfTheMaterialBefore) {
  ASSERT_EQ(NamedMaterial(RunMaterial("11109")), "FULL");
  EXPECT_EQ(RunMaterial("1500"), Crlf("arTemp,0,1\n70.000000, \n"));
}

// Through the ASME library: result word 1 is cleared before every property
// call, so a library that answers a status other than 0 or 1 without writing
// a value gives no value (not the value left from before). The library gets
// the integer 4 as the text's length; the text of the non-name retrievals is
// an 80-character buffer all the same.
TEST_F(MainCalculation, ALibraryThatWritesNoValueGivesNone) {
  static_assert(sizeof(MainCalculationState::shortText) == 80);
  GantryStandin_SetUsesAsme(1);
  TarsusStandin_SetAnswer(3, 0, nullptr, 0, nullptr, 0);
  g_mainCalculation.resultBlock[0] = 123.0f;  // as a run before might leave it
  EXPECT_EQ(RunMaterial("1109"), Crlf("arTemp,0,1\n70.000000, \n"));

  ASSERT_EQ(TarsusStandin_CallCount(), 10);  // 7 properties at one point, header, gasket, name
  for (int32_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const MaterialLibraryCall* c = TarsusStandin_Call(i);
    EXPECT_EQ(c->textLength, 4);
    EXPECT_EQ(c->materialNumber, 1109);
    EXPECT_EQ(c->mode, 1.0f);
    EXPECT_EQ(c->unitSystem, 1.0f);
    EXPECT_EQ(c->currencyIndex, 1.0f);
    if (i < 7) {  // each property starts from status 0, whatever the one before left
      EXPECT_EQ(c->resultWord1OnEntry, 0.0f);
      EXPECT_EQ(c->statusOnEntry, 0);
    }
    const void* text = i == 9 ? static_cast<const void*>(g_mainCalculation.materialName)
                              : static_cast<const void*>(g_mainCalculation.shortText);
    EXPECT_EQ(c->address[8], text);
  }
  const float codes[] = {121, 206, 231, 181, 251, 146, 281, 1, 31, 61};
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(TarsusStandin_Call(i)->propertyCode, codes[i]);
}

// Only status 1 means no value: a value the ASME library leaves with another
// status is written as it stands.
TEST_F(MainCalculation, AnAsmeValueWithAnotherStatusIsKept) {
  GantryStandin_SetUsesAsme(1);
  float words[30] = {2.5f};
  TarsusStandin_SetAnswer(3, 1, words, 30, "LIBRARY", 7);
  const std::string kou = RunMaterial("1109");
  EXPECT_NE(kou.find("arThermCond,0,1\r\n2.500000, \r\narThermExpCoef,0,1\r\n2500000.000000, \r\n"),
            std::string::npos)
      << kou;
}

// The library's own values take the same factors as the local ones.
TEST_F(MainCalculation, ALibrarysValuesTakeTheFactors) {
  GantryStandin_SetUsesAsme(1);
  float words[30] = {2.0f};
  words[15] = 110200.0f;  // P-number 11B
  TarsusStandin_SetAnswer(0, 1, words, 30, "LIBRARY", 7);
  const std::string kou = RunMaterial("1109");
  EXPECT_NE(kou.find("arThermCond,0,1\r\n2.000000, \r\narThermExpCoef,0,1\r\n2000000.000000, \r\n"
                     "arElasticity,0,1\r\n2.000000, \r\n"),
            std::string::npos);
  EXPECT_NE(kou.find("PNum,\"11B\",0\r\nMtlName,\"LIBRARY"), std::string::npos);
}

}  // namespace
