// The local look-up: database sets, index loading, the ten-slot cache and the
// failure paths with their statuses.
#include <cstring>
#include <string>

#include "engine/files/file_units.h"
#include "engine/files/unit_table.h"
#include "engine/material/material_cache.h"
#include "gantry/gantry_standin.h"
#include "material_data.h"
#include "material_fixture.h"
#include "os/os.h"
#include "support/test_support.h"

namespace {

class LocalLookUp : public MaterialTest {};

TEST(DatabaseSets, Boundaries) {
  struct Case {
    int64_t number;
    int32_t set;
  };
  const Case cases[] = {
      {9000, kSetPrivate},
      {9200, kSetPrivate},
      {9201, kSetProcessSimulator},
      {9400, kSetProcessSimulator},
      {9401, kNoSet},
      {999, kNoSet},
      {1000, kSetAsme},
      {1999, kSetAsme},
      {11000, kSetAsme},
      {11999, kSetAsme},
      {2000, kSetCodap},
      {2999, kSetCodap},
      {12000, kSetCodap},
      {12999, kSetCodap},
      {3000, kSetAdm},
      {3998, kSetAdm},
      {3999, kNoSet},
      {13000, kSetAdm},
      {13999, kSetAdm},
      {4000, kSetJis},
      {4998, kSetJis},
      {4999, kNoSet},
      {14000, kSetJis},
      {14999, kSetJis},
      {5000, kSetNas2290},
      {5998, kSetNas2290},
      {5999, kNoSet},
      {15000, kSetNas2290},
      {15999, kSetNas2290},
      {16000, kNoSet},
      {6000, kNoSet},
      {8999, kNoSet},
      {10999, kNoSet},
  };
  for (const Case& k : cases) EXPECT_EQ(ChooseDatabaseSet(k.number), k.set) << k.number;
  struct Files {
    int32_t set;
    const char* property;
    const char* index;
    int32_t entries;
  };
  const Files files[] = {
      {kSetPrivate, "N_PRIVP", "N_PRIVI", 200},
      {kSetAsme, "N_ASMEP", "N_ASMEI", 2000},
      {kSetCodap, "N_CODAPP", "N_CODAPI", 2000},
      {kSetAdm, "N_ADMP", "N_ADMI", 2000},
      {kSetJis, "N_JISP", "N_JISI", 2000},
      {kSetNas2290, "NAS2290P", "NAS2290I", 2000},
      {kSetProcessSimulator, "N_CorvoP", "N_CorvoI", 2000},
  };
  for (const Files& f : files) {
    ASSERT_NE(DatabaseSetOf(f.set), nullptr) << f.set;
    EXPECT_STREQ(DatabaseSetOf(f.set)->propertyFile, f.property) << f.set;
    EXPECT_STREQ(DatabaseSetOf(f.set)->indexFile, f.index) << f.set;
    EXPECT_EQ(DatabaseSetOf(f.set)->indexEntries, f.entries) << f.set;
  }
  EXPECT_EQ(DatabaseSetOf(0), nullptr);
  EXPECT_EQ(DatabaseSetOf(8), nullptr);
}

TEST_F(LocalLookUp, FirstLookUpLoadsTheCurrencyTableOnce) {
  Build("file N_STDLAB.PDA currency\nword 121 0 1.2 0 0 0 0 0 -1\n");
  Build(kAsmeSet);
  Get(1.0f, 1109);
  EXPECT_TRUE(g_materialCache.currencyLoaded);
  const float expected[9] = {1.0f, 1.14f, 1.2f, 0.6f, 36.0f, 1.6f, 1.3f, 137.0f, 26.0f};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(g_currencyFactors.factor[k], expected[k]) << k + 1;
  EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotTables)));
  // Not read again: a changed table is not seen in this process.
  Build("file N_STDLAB.PDA currency\nword 121 5 5 5 5 5 5 5 5\n");
  Get(1.0f, 1200);
  EXPECT_EQ(g_currencyFactors.factor[1], 1.14f);
}

TEST_F(LocalLookUp, FirstLookUpEmptiesTheCacheAndTheSets) {
  Build(kAsmeSet);
  // What a slot and the sets would hold before: gone once the table is loaded.
  g_materialCache.slot[0].words[0] = 1109.0f;
  g_materialCache.slot[0].words[4] = 99.0f;
  g_materialCache.slot[4].words[0] = 1200.0f;
  g_materialCache.currentSet = kSetCodap;
  g_materialCache.loadedSet = kSetAsme;
  g_materialCache.bigIndex[0] = 1200;
  const Retrieval r = Get(5.0f, 1109);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 5.0f);  // read from the file, not the old slot
  EXPECT_EQ(g_materialCache.slot[4].words[0], 0.0f);
  EXPECT_EQ(g_materialCache.loadedSet, kSetAsme);
  EXPECT_EQ(g_materialCache.bigIndex[0], 1109);
}

TEST_F(LocalLookUp, CurrencyTableInTheInputFolderComesFirst) {
  BuildIn(input_, "file N_STDLAB.PDA currency\nword 121 2.5\n");
  Build("file N_STDLAB.PDA currency\nword 121 9.5\n");
  Get(1.0f, 9000);
  EXPECT_EQ(g_currencyFactors.factor[1], 2.5f);
}

TEST_F(LocalLookUp, MissingOrShortCurrencyTableKeepsTheDefaults) {
  Get(1.0f, 1109);
  EXPECT_TRUE(g_materialCache.currencyLoaded);
  EXPECT_EQ(g_currencyFactors.factor[7], 137.0f);
  ResetMaterialStateForTests();
  ASSERT_TRUE(testing_support::WriteFileBytes(data_ + "N_STDLAB.PDA", std::string(100, '\x7f')));
  Get(1.0f, 1109);
  EXPECT_TRUE(g_materialCache.currencyLoaded);
  EXPECT_EQ(g_currencyFactors.factor[1], 1.14f);
}

TEST_F(LocalLookUp, HitsNeedNoFiles) {
  Build(kAsmeSet);
  Retrieval r = Get(146.0f, 1109, Ask{.temperature = 150.0f});
  EXPECT_EQ(r.result[0], 19000.0f);
  Remove("N_ASMEP.PDA");
  Remove("N_ASMEI.PDA");
  r = Get(146.0f, 1109, Ask{.temperature = 150.0f});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 19000.0f);
  r = Get(1.0f, 1109);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[19], 30000.0f);
  EXPECT_EQ(g_materialCache.slotCounter, 1);
  EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotProperty)));
  EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotIndex)));
}

TEST_F(LocalLookUp, IndexIsReadOnlyOnAChangeOfSet) {
  Build(kAsmeSet);
  Build(kCodapSet);
  Get(1.0f, 1109);
  EXPECT_EQ(g_materialCache.loadedSet, kSetAsme);
  Remove("N_ASMEI.PDA");
  const int32_t openReports = GantryStandin_CountOf(25);
  // Same set: the index in memory serves.
  EXPECT_EQ(Get(1.0f, 1200).status, 0);
  Get(1.0f, 2500);
  EXPECT_EQ(g_materialCache.loadedSet, kSetCodap);
  // Back to ASME: its index must be read again, and it is gone. The loaded set
  // stays, and the next call tests again.
  Retrieval r = Get(1.0f, 1116);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
  EXPECT_EQ(g_materialCache.currentSet, kSetAsme);
  EXPECT_EQ(g_materialCache.loadedSet, kSetCodap);
  EXPECT_EQ(GantryStandin_CountOf(25), openReports);  // tested for, never opened
  Build(kAsmeSet);
  EXPECT_EQ(Get(1.0f, 1116).status, 0);
  EXPECT_EQ(g_materialCache.loadedSet, kSetAsme);
}

TEST_F(LocalLookUp, NumberInNoRangeSearchesTheCurrentSet) {
  Build(kAsmeSet);
  Get(1.0f, 1109);
  // 1300 is in the ASME range anyway; 24000 and 3999 are in none.
  EXPECT_EQ(Get(5.0f, 3999).status, 2);
  EXPECT_EQ(g_materialCache.currentSet, kSetAsme);
}

TEST_F(LocalLookUp, SharedDatabasesComeFromTheHostDataFolderFirst) {
  const std::string host = testing_support::MakeTempFolder("material-host");
  UseHostDataFolder(host);
  // The private pair and the currency table are shared databases: the host's
  // copies win over the program's data folder and the input folder.
  BuildIn(host,
          "file N_PRIVI.PDA index 200\nentry 1 9100\n"
          "file N_PRIVP.PDA property\nrecord 1\nword 1 9100 1 1 1 11\n"
          "file N_STDLAB.PDA currency\nword 121 3.5\n");
  Build(
      "file N_PRIVI.PDA index 200\nentry 2 9100\n"
      "file N_PRIVP.PDA property\nrecord 2\nword 1 9100 1 1 1 22\n"
      "file N_STDLAB.PDA currency\nword 121 9.5\n");
  BuildIn(input_, "file N_STDLAB.PDA currency\nword 121 2.5\n");
  EXPECT_EQ(Get(5.0f, 9100).result[0], 11.0f);
  EXPECT_EQ(g_currencyFactors.factor[1], 3.5f);
  // So is the process simulator's pair, names in mixed case as they stand.
  BuildIn(host,
          "file N_CorvoI.PDA index\nentries 9300\n"
          "file N_CorvoP.PDA property\nrecord 1\nword 1 9300 1 1 1 33\n");
  EXPECT_EQ(Get(5.0f, 9300).result[0], 33.0f);
  // The ASME pair is looked for in the program's data folder only.
  BuildIn(host, kAsmeSet);
  EXPECT_EQ(Get(5.0f, 1109).status, 2);
}

TEST_F(LocalLookUp, IndexAndPropertyFilesOnlyFromTheDataFolder) {
  // Copies in the input folder are not looked at.
  BuildIn(input_,
          "file N_CODAPI.PDA index\nentries 2001\n"
          "file N_CODAPP.PDA property\nrecord 1\nword 1 2001 1 1 1 55\n");
  Build(kCodapSet);
  const Retrieval r = Get(5.0f, 2001);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 1.0f);
}

TEST_F(LocalLookUp, PrivateSetUsesItsOwnIndex) {
  Build(
      "file N_PRIVI.PDA index 200\nentry 200 9100\n"
      "file N_PRIVP.PDA property\nrecord 200\nword 1 9100 1 1 1 77\n");
  Retrieval r = Get(5.0f, 9100);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 77.0f);
  EXPECT_EQ(g_materialCache.privateIndex[199], 9100);
  EXPECT_EQ(g_materialCache.loadedSet, kSetPrivate);
  // A private number it does not list: only its 200 entries are searched.
  r = Get(5.0f, 9150);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 0.0f);
}

TEST_F(LocalLookUp, ElevenDistinctMaterialsReplaceSlotOne) {
  std::string d = "file N_CODAPI.PDA index\nentries";
  for (int i = 1; i <= 12; ++i) d += " " + std::to_string(2100 + i);
  d += "\nfile N_CODAPP.PDA property\n";
  for (int i = 1; i <= 12; ++i) {
    d += "record " + std::to_string(i) + "\nword 1 " + std::to_string(2100 + i) + " 1 1 1 " +
         std::to_string(i) + "\n";
  }
  Build(d);
  for (int i = 1; i <= 10; ++i) Get(5.0f, 2100 + i);
  EXPECT_EQ(g_materialCache.slotCounter, 10);
  Get(5.0f, 2111);
  EXPECT_EQ(g_materialCache.slotCounter, 1);
  EXPECT_EQ(g_materialCache.slot[0].words[0], 2111.0f);
  Get(5.0f, 2112);
  EXPECT_EQ(g_materialCache.slot[1].words[0], 2112.0f);
  EXPECT_EQ(g_materialCache.slot[2].words[0], 2103.0f);
  // 2101 has left the cache: without the files it cannot come back.
  Remove("N_CODAPP.PDA");
  EXPECT_EQ(Get(5.0f, 2103).result[0], 3.0f);
  const Retrieval gone = Get(5.0f, 2101);
  EXPECT_EQ(gone.status, 2);
  EXPECT_EQ(g_materialCache.slotCounter, 3);  // advanced before the file test
}

TEST_F(LocalLookUp, ModeThreeReadsAgainIntoTheNextSlot) {
  Build(kCodapSet);
  Get(5.0f, 2500);
  Get(5.0f, 2001);
  EXPECT_EQ(g_materialCache.slotCounter, 2);
  Build("file N_CODAPP.PDA property\nrecord 1\nword 1 2500 1 1 1 99\n");
  Retrieval r = Get(5.0f, 2500, Ask{.mode = 3.0f});
  EXPECT_EQ(r.result[0], 99.0f);
  EXPECT_EQ(g_materialCache.slotCounter, 3);
  // A later call in another mode takes the lowest slot that holds it: the old copy.
  r = Get(5.0f, 2500);
  EXPECT_EQ(r.result[0], 9.0f);
}

TEST_F(LocalLookUp, FirstIndexPositionWinsAndAMismatchedRecordIsNeverAHit) {
  Build(kCodapSet);
  EXPECT_EQ(Get(5.0f, 2010).result[0], 1.0f);
  Retrieval r = Get(5.0f, 2020);
  EXPECT_EQ(r.result[0], 10.0f);
  const int32_t after = g_materialCache.slotCounter;
  Get(5.0f, 2020);
  EXPECT_EQ(g_materialCache.slotCounter, after + 1);
}

TEST_F(LocalLookUp, MissingFilesAndUnknownMaterials) {
  Build(kCodapSet);
  Retrieval r = Get(5.0f, 1109);  // ASME index missing
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(g_materialCache.loadedSet, kNoSet);
  r = Get(5.0f, 2999);  // not listed
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
  EXPECT_EQ(g_materialCache.slotCounter, 0);
  Remove("N_CODAPP.PDA");
  r = Get(5.0f, 2001);  // property file missing: the counter has advanced
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(g_materialCache.slotCounter, 1);
  EXPECT_TRUE(g_diagnosticLines.empty());
}

// The host hears of a database file only when it is there and cannot be
// opened (another program holds it), once, with its path; a missing one is an
// answer of the look-up's own (status 2) and is not reported.
TEST_F(LocalLookUp, OnlyAFileThatIsThereButCannotBeOpenedIsReported) {
  Build(kCodapSet);
  Get(5.0f, 2001);  // the currency table and the index are read before the cases
  struct Case {
    const char* label;
    int64_t material;
    float mode;            // 3 reads the index again
    const char* held;      // the file another program holds, or nullptr
    const char* reported;  // the file the host hears of, or nullptr
    size_t diagnostics;    // lines " FAILED TO READ RECORD ..." written
  };
  const Case cases[] = {
      {"index missing", 1109, 1.0f, nullptr, nullptr, 0},
      {"property file held", 2002, 1.0f, "N_CODAPP.PDA", "N_CODAPP.PDA", 1},
      {"index held", 2500, 3.0f, "N_CODAPI.PDA", "N_CODAPI.PDA", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    g_diagnosticLines.clear();
    const int32_t reportsBefore = GantryStandin_CountOf(25);
    os::SetLockedFile(c.held ? (data_ + c.held).c_str() : nullptr);
    const Retrieval r = Get(5.0f, c.material, Ask{.mode = c.mode});
    os::SetLockedFile(nullptr);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(GantryStandin_CountOf(25) - reportsBefore, c.reported ? 1 : 0);
    if (c.reported) {
      const GantryCall* call = GantryStandin_LastOf(25);
      EXPECT_EQ(std::string(call->text[0], static_cast<size_t>(call->textLength[0])),
                data_ + c.reported);
    }
    EXPECT_EQ(g_diagnosticLines.size(), c.diagnostics);
  }
}

TEST_F(LocalLookUp, UnreadableRecord) {
  // Index entry 3 points past the end of a two-record property file.
  Build(
      "file N_CODAPI.PDA index\nentries 2001 2002 2003\n"
      "file N_CODAPP.PDA property\nrecord 2\nword 1 2002 1 1 1 2\n");
  Get(5.0f, 2002);
  const MaterialCacheSlot before = g_materialCache.slot[1];
  const Retrieval r = Get(5.0f, 2003);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 0.0f);
  for (int i = 1; i < 30; ++i) EXPECT_EQ(r.result[i], kUntouched) << i;
  EXPECT_EQ(std::string(r.text, 80), std::string(80, '.'));
  ASSERT_EQ(g_diagnosticLines.size(), 1u);
  EXPECT_EQ(g_diagnosticLines[0], " FAILED TO READ RECORD IN PRP PROPERLY ");
  EXPECT_EQ(g_diagnosticLines[0].size(), 39u);
  EXPECT_EQ(g_materialCache.slotCounter, 2);
  EXPECT_EQ(std::memcmp(&before, &g_materialCache.slot[1], sizeof before), 0);
  EXPECT_FALSE(units::IsConnected(UnitOfSlot(kSlotProperty)));
  // A short record (the file ends inside it) fails the same way.
  ASSERT_TRUE(
      testing_support::WriteFileBytes(data_ + "N_CODAPP.PDA", std::string(1220 + 600, '\0')));
  EXPECT_EQ(Get(5.0f, 2002, Ask{.mode = 3.0f}).status, 2);
}

TEST_F(LocalLookUp, IndexThatCannotBeReadWhole) {
  Build(kCodapSet);
  Get(5.0f, 2500);
  Build(kAsmeSet);
  ASSERT_TRUE(testing_support::WriteFileBytes(data_ + "N_ASMEI.PDA", std::string(3000, '\0')));
  const Retrieval r = Get(5.0f, 1109);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(g_materialCache.loadedSet, kSetCodap);
  EXPECT_EQ(g_materialCache.bigIndex[0], 2500);  // the loaded index is unchanged
}

TEST_F(LocalLookUp, KeysAtOrBelowZeroOrBeyondTwoBytes) {
  Build(kCodapSet);
  Get(5.0f, 2500);
  for (int64_t n : {int64_t{0}, int64_t{-3}, int64_t{40000}, int64_t{2500 + 65536}}) {
    const int32_t counter = g_materialCache.slotCounter;
    const Retrieval r = Get(5.0f, n);
    EXPECT_EQ(r.status, 2) << n;
    EXPECT_EQ(r.result[0], 0.0f) << n;
    EXPECT_EQ(r.result[1], kUntouched) << n;
    EXPECT_EQ(g_materialCache.slotCounter, counter) << n;
  }
}

TEST_F(LocalLookUp, KeysAtTheEdgeOfTwoBytes) {
  // The ASME index lists 32767 and -32768; a key of 32768 would alias the latter.
  Build(
      "file N_ASMEI.PDA index\nentries 1109 32767 -32768 1116 1117\n"
      "file N_ASMEP.PDA property\nrecord 1\nword 1 1109 1 1 1 5 0 0 0 0 2.5\n"
      "record 2\nword 1 32767 1 1 1 7\nrecord 3\nword 1 -32768 1 1 1 8\n"
      "record 4\nword 1 1116 1 1 1 6 0 0 0 0 0 0 0 0 0 0 0 0 0 66645\n"
      "record 5\nword 1 1117 1 1 1 9 0 0 0 0 0 0 0 0 0 0 0 0 0 32768\n");
  Get(5.0f, 1109);
  EXPECT_EQ(Get(5.0f, 32767).result[0], 7.0f);  // in no range: the ASME index
  const Retrieval aliased = Get(5.0f, 32768);
  EXPECT_EQ(aliased.status, 2);
  EXPECT_EQ(aliased.result[0], 0.0f);
  // A price reference beyond two bytes (66645 = 1109 + 65536) is not 1109.
  Retrieval r = Get(1.0f, 1116);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 1116.0f);
  EXPECT_EQ(r.result[9], 0.0f);
  // Nor is a reference of 32768 the listed -32768.
  r = Get(1.0f, 1117);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 1117.0f);
  EXPECT_EQ(r.result[9], 0.0f);
}

}  // namespace

namespace {

TEST_F(LocalLookUp, ModeThreeReadsTheIndexAgain) {
  Build(kCodapSet);
  Get(5.0f, 2500);
  Remove("N_CODAPI.PDA");
  EXPECT_EQ(Get(5.0f, 2500).status, 0);  // a hit
  EXPECT_EQ(Get(5.0f, 2500, Ask{.mode = 3.0f}).status, 2);
  EXPECT_EQ(g_materialCache.loadedSet, kNoSet);
}

TEST_F(LocalLookUp, UnitFiftySixWhenSomeoneConnectedIt) {
  Build("file N_CODAPI.PDA index\nentries 2001\nfile N_CODAPP.PDA property\n");
  const std::string log = input_ + "DIAG.TXT";
  units::ConnectSpec spec;
  spec.kind = units::RecordKind::Text;
  spec.access = units::Access::Sequential;
  spec.existence = units::Existence::OpenOrCreate;
  spec.readOnly = false;
  ASSERT_TRUE(units::Connect(UnitOfSlot(kSlotDiagnostic), log.c_str(), spec));
  EXPECT_EQ(Get(5.0f, 2001).status, 2);
  units::Disconnect(UnitOfSlot(kSlotDiagnostic), false);
  EXPECT_TRUE(g_diagnosticLines.empty());
  EXPECT_EQ(testing_support::ReadFileOrEmpty(log), " FAILED TO READ RECORD IN PRP PROPERLY \r\n");
}

}  // namespace
