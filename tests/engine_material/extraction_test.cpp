// What each code range returns from a record in the cache, converted to the
// wanted unit system, for a record stored in US units (S = 1) and one stored
// in SI (S = 2).
#include <string>

#include "engine/material/conversion_tables.h"
#include "engine/material/material_cache.h"
#include "engine/material/property_extraction.h"
#include "material_data.h"
#include "material_fixture.h"

namespace {

class Extraction : public MaterialTest {
 protected:
  void SetUp() override {
    MaterialTest::SetUp();
    Build(kAsmeSet);
    Build(kCodapSet);
  }
};

// Header words of 1109 (US) and 1200 (SI) as stored.
const float kUsHeader[30] = {1109, 1, 1, 1, 5,  0,  0, 0, 0,    2.5f, 0.284f, 0.25f, 4.0f, 0, 0,
                             1,    3, 0, 0, 30, 60, 0, 0, 0.5f, 0.3f, 1.0f,   48.0f, 0,    0, 0};
const float kSiHeader[30] = {1200, 2, 3,   2,     7,     0,     0,       0, 0, 10,
                             7850, 6, 100, 0,     0,     8,     4,       0, 0, 240,
                             420,  0, 0,   12.7f, 0.29f, 25.4f, 1219.2f, 0, 0, 0};

void ExpectHeader(const Retrieval& r, const float* stored, int32_t table, float price) {
  for (int i = 1; i <= 30; ++i) {
    const float expected = i == 10 ? stored[9] * price : stored[i - 1] * ConversionFactor(table, i);
    EXPECT_EQ(r.result[i - 1], expected) << "word " << i;
  }
}

TEST_F(Extraction, HeaderOfAUsRecordInEachSystem) {
  // Mode 2: no price steps, no density division.
  ExpectHeader(Get(1.0f, 1109, Ask{.mode = 2.0f, .unitSystem = 1.0f}), kUsHeader, kUsToUs, 1.0f);
  Retrieval r = Get(1.0f, 1109, Ask{.mode = 2.0f, .unitSystem = 2.0f});
  ExpectHeader(r, kUsHeader, kUsToSi, 2.2046f);
  EXPECT_EQ(r.result[10], 0.284f * 27680.0f);  // density
  EXPECT_EQ(r.result[11], 0.25f * 25.4f);      // thickness
  EXPECT_EQ(r.result[25], 1.0f);               // outside diameter stays 1.0 from US
  EXPECT_EQ(r.result[19], 30.0f * 6.894757f);  // yield
  ExpectHeader(Get(1.0f, 1109, Ask{.mode = 2.0f, .unitSystem = 3.0f}), kUsHeader, kUsToMetric,
               2.2046f);
}

TEST_F(Extraction, HeaderOfAnSiRecordInEachSystem) {
  // Type 2 is priced per unit length; stored currency 3.
  Retrieval r = Get(1.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 1.0f});
  ExpectHeader(r, kSiHeader, kSiToUs, 1.0f / 5.9f * 0.3048f);
  EXPECT_EQ(r.result[10], 7850.0f * 3.6127E-5f);
  EXPECT_EQ(r.result[26], 1219.2f * 0.03937f);
  EXPECT_EQ(r.result[20], 420.0f * 145.037f);
  ExpectHeader(Get(1.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 2.0f}), kSiHeader, kSiToSi,
               1.0f / 5.9f);
  ExpectHeader(Get(1.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 3.0f}), kSiHeader, kSiToMetric,
               1.0f / 5.9f);
}

TEST_F(Extraction, HitInAnotherSystemConvertsFromTheStoredWords) {
  Get(1.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 1.0f});
  const Retrieval r = Get(20.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 2.0f});
  EXPECT_EQ(r.result[0], 240.0f);
  EXPECT_EQ(g_materialCache.slotCounter, 1);
  EXPECT_EQ(g_materialCache.slot[0].headerUnitSystem, 2.0f);
}

TEST_F(Extraction, HitAboveCodeThirtyLeavesTheHeaderAlone) {
  Get(10.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 2.0f});
  // A table asked in US with currency 5: the header stays in SI.
  Get(121.0f, 1200, Ask{.unitSystem = 1.0f, .currency = 5.0f, .temperature = 122.0f});
  EXPECT_EQ(g_materialCache.slot[0].headerUnitSystem, 2.0f);
  // So the header asked in US is converted now, in this call's currency.
  const Retrieval r = Get(10.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 1.0f});
  EXPECT_EQ(r.result[0], 10.0f * (1.0f / 5.9f * 0.3048f));
  EXPECT_EQ(g_materialCache.slotCounter, 1);
}

TEST_F(Extraction, HitInTheWantedSystemKeepsTheConvertedPrice) {
  Get(10.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 2.0f, .currency = 3.0f});
  const Retrieval r = Get(10.0f, 1200, Ask{.mode = 2.0f, .unitSystem = 2.0f, .currency = 5.0f});
  EXPECT_EQ(r.result[0], 10.0f);  // still currency 3
}

TEST_F(Extraction, DensityDividedInModesZeroAndFourOnly) {
  const float si = 0.284f * 27680.0f;
  EXPECT_EQ(Get(1.0f, 1109, Ask{.mode = 0.0f, .unitSystem = 2.0f}).result[10], si / 1.0E9f);
  EXPECT_EQ(Get(1.0f, 1109, Ask{.mode = 4.0f, .unitSystem = 3.0f}).result[10], si / 1.0E9f);
  EXPECT_EQ(Get(1.0f, 1109, Ask{.mode = 1.0f, .unitSystem = 2.0f}).result[10], si);
  EXPECT_EQ(Get(1.0f, 1109, Ask{.mode = 0.0f, .unitSystem = 1.0f}).result[10], 0.284f);
  // For another code it is still result word 11 that is divided (here word 21).
  const Retrieval r = Get(11.0f, 1109, Ask{.mode = 0.0f, .unitSystem = 2.0f});
  EXPECT_EQ(r.result[0], si);
  EXPECT_EQ(r.result[10], 60.0f * 6.894757f / 1.0E9f);
}

TEST_F(Extraction, HeaderFromWordFiveRunsIntoTheGasketWordsAsStored) {
  const Retrieval r = Get(5.0f, 1109, Ask{.mode = 2.0f});
  EXPECT_EQ(r.result[0], 5.0f);
  EXPECT_EQ(r.result[15], 30000.0f);  // word 20 in psi
  EXPECT_EQ(r.result[26], 2.75f);     // word 31
  EXPECT_EQ(r.result[27], 3.7f);      // word 32 unconverted
  EXPECT_EQ(r.result[29], 4.0f);      // word 34
  // Code 30 is still the header block: word 32 as stored, not as a gasket y.
  const Retrieval last = Get(30.0f, 1109, Ask{.mode = 2.0f});
  EXPECT_EQ(last.result[0], 0.0f);
  EXPECT_EQ(last.result[1], 2.75f);
  EXPECT_EQ(last.result[2], 3.7f);
}

TEST_F(Extraction, GasketBlockInEachSystem) {
  Retrieval r = Get(31.0f, 1109);
  EXPECT_EQ(r.result[0], 2.75f);
  EXPECT_EQ(r.result[1], 3.7f * 1000.0f);
  EXPECT_EQ(r.result[2], 0.125f);
  EXPECT_EQ(r.result[3], 4.0f);
  r = Get(31.0f, 1109, Ask{.unitSystem = 2.0f});
  EXPECT_EQ(r.result[1], 3.7f * 6.894757f);
  EXPECT_EQ(r.result[2], 0.125f * 25.4f);
  r = Get(31.0f, 1200, Ask{.unitSystem = 1.0f});
  EXPECT_EQ(r.result[1], 25.5f * 145.037f);
  EXPECT_EQ(r.result[2], 3.2f * 0.03937f);
  r = Get(31.0f, 1200, Ask{.unitSystem = 3.0f});
  EXPECT_EQ(r.result[1], 25.5f * 0.101972f);
  EXPECT_EQ(r.status, 0);
}

TEST_F(Extraction, GasketFromWordFortyFiveStopsAtSixty) {
  const Retrieval r = Get(45.0f, 1109);
  EXPECT_EQ(r.result[0], 1.5f);
  EXPECT_EQ(r.result[15], 9.0f);  // word 60
  for (int i = 16; i < 30; ++i) EXPECT_EQ(r.result[i], kUntouched) << i;
  // Code 60 is the last gasket word alone.
  const Retrieval last = Get(60.0f, 1109);
  EXPECT_EQ(last.status, 0);
  EXPECT_EQ(last.result[0], 9.0f);
  for (int i = 1; i < 30; ++i) EXPECT_EQ(last.result[i], kUntouched) << i;
}

TEST_F(Extraction, TextItemsAndTheSelector) {
  struct Case {
    float code;
    float selector;
    std::string expected;
  };
  auto pad = [](std::string s, size_t n) {
    s.resize(n, ' ');
    return s;
  };
  const std::string alt51 = pad("ALT-21", 36) + "WXYZ";
  const Case cases[] = {
      {61.0f, 0.0f, pad("CARBON STEEL PLATE", 80)},
      {61.0f, 1.0f, pad("CARBON STEEL PLATE", 80)},
      {61.0f, 2.0f, pad("ACIER AU CARBONE", 80)},
      {61.0f, 2.5f, pad("CARBON STEEL PLATE", 80)},  // only 2.0 exactly selects
      {81.0f, 2.0f, alt51 + std::string(40, '.')},
      {81.0f, 0.0f, pad("SA-516 70", 40) + std::string(40, '.')},
      {111.0f, 1.0f, pad("SA-516 70", 40) + std::string(40, '.')},
      {111.0f, 0.0f, alt51 + std::string(40, '.')},
      {91.0f, 0.0f, pad("ACIER AU CARBONE", 80)},
      // Item 60 starts at character 237: four characters, then blanks.
      {120.0f, 0.0f, "WXYZ" + std::string(76, ' ')},
  };
  for (const Case& k : cases) {
    const Retrieval r = Get(k.code, 1109, Ask{.alternativeText = k.selector});
    EXPECT_EQ(std::string(r.text, 80), k.expected) << k.code << " " << k.selector;
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.result[0], 0.0f);
    EXPECT_EQ(r.result[1], kUntouched);
  }
}

TEST_F(Extraction, TablesOnTheLocalPath) {
  // US record asked in US; SI record asked in US (t from F to C, x 145.037).
  EXPECT_EQ(Get(121.0f, 1109, Ask{.temperature = 250.0f}).result[0], 13.875f);
  EXPECT_EQ(Get(146.0f, 1200, Ask{.temperature = 302.0f}).result[0], 13778.515625f);
  // Conductivity of the SI record at 50 C exactly, asked in US (122 F): 50 x 0.577789.
  EXPECT_EQ(Get(121.0f, 1200, Ask{.temperature = 122.0f}).result[0], 50.0f * 0.577789f);
  const Retrieval above = Get(146.0f, 1109, Ask{.temperature = 400.0f});
  EXPECT_EQ(above.status, 1);
  EXPECT_EQ(above.result[0], 0.0f);
  const Retrieval mode4 = Get(281.0f, 1109, Ask{.mode = 4.0f, .temperature = 400.0f});
  EXPECT_EQ(mode4.status, 1);
  EXPECT_EQ(mode4.result[0], 56000.0f);
  const Retrieval empty = Get(261.0f, 1109, Ask{.temperature = 100.0f});  // all words 0
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.result[0], 0.0f);
  EXPECT_EQ(empty.result[1], kUntouched);
}

TEST_F(Extraction, EveryTableGroupFactorOnUsAndSiRecords) {
  // At a temperature below each table: value 1 times the group's factor.
  struct Group {
    float code;
    int32_t entry;
    float usValue1, siValue1;
  };
  const Group groups[] = {
      {121.0f, 61, 10.0f, 50.0f},  {146.0f, 62, 20.0f, 100.0f},    {181.0f, 63, 30.0f, 210.0f},
      {206.0f, 64, 6.5f, 11.5f},   {231.0f, 65, 29000.0f, 200.0f}, {251.0f, 66, 20.0f, 138.0f},
      {281.0f, 67, 60.0f, 520.0f},
  };
  for (const Group& g : groups) {
    for (int u = 1; u <= 3; ++u) {
      const Ask ask{.unitSystem = static_cast<float>(u), .temperature = -100.0f};
      const int32_t us = ChooseConversionTable(1.0f, u), si = ChooseConversionTable(2.0f, u);
      Retrieval r = Get(g.code, 1109, ask);
      EXPECT_EQ(r.result[0], g.usValue1 * ConversionFactor(us, g.entry)) << g.code << " " << u;
      EXPECT_EQ(r.status, 0);
      r = Get(g.code, 1200, ask);
      EXPECT_EQ(r.result[0], g.siValue1 * ConversionFactor(si, g.entry)) << g.code << " " << u;
      EXPECT_EQ(r.status, 0);
    }
  }
}

TEST_F(Extraction, CodeOneNinetyOneForCodapAndAdmNumbers) {
  EXPECT_EQ(Get(191.0f, 2500, Ask{.temperature = 100.0f}).result[0], 30000.0f);  // the 181 table
  EXPECT_EQ(Get(191.0f, 1109, Ask{.temperature = 100.0f}).result[0], 40000.0f);
  // Above its table in mode 1 the 191 table is evaluated at its end.
  Retrieval r = Get(191.0f, 1109, Ask{.temperature = 999.0f});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.result[0], 36000.0f);
  // So is the 181 table read through code 191: the code as passed is not 181.
  r = Get(191.0f, 2500, Ask{.temperature = 999.0f});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.result[0], 26000.0f);
}

TEST(ExtractionByNumber, CodeOneNinetyOneReadsOneEightyOneForCodapAndAdmNumbers) {
  // The yield table at 181 gives 30 (ksi) at 100 F, the one at 191 gives 40.
  MaterialCacheSlot slot{};
  slot.words[0] = 1.0f;
  slot.words[1] = 1.0f;
  slot.storedHeader[1] = 1.0f;
  const float t181[] = {0.0f, 100.0f, 100.0f, 300.0f, 30.0f, 28.0f, 26.0f};
  const float t191[] = {0.0f, 100.0f, 100.0f, 300.0f, 40.0f, 38.0f, 36.0f};
  for (int i = 0; i < 7; ++i) {
    slot.words[181 + i - 1] = t181[i];
    slot.words[191 + i - 1] = t191[i];
  }
  struct Case {
    int64_t number;
    float value;
  };
  const Case cases[] = {{1999, 40000.0f},  {2000, 30000.0f},  {3999, 30000.0f},  {4000, 40000.0f},
                        {11999, 40000.0f}, {12000, 30000.0f}, {13999, 30000.0f}, {14000, 40000.0f}};
  for (const Case& k : cases) {
    const ExtractionRequest request{191, 191.0f, 1, 1, 0.0f, k.number, 100.0f};
    float result[30] = {};
    int64_t status = 0;
    char text[80];
    ExtractItem(slot, request, result, &status, text, sizeof text);
    EXPECT_EQ(result[0], k.value) << k.number;
    EXPECT_EQ(status, 0) << k.number;
  }
}

TEST_F(Extraction, GasketTakesOnlyTheExactPairsOnTheLocalPath) {
  // A record that says it is stored in system 3: its header converts (as SI),
  // its gasket block has no factors (status 1, result word 1 0.0).
  Build(
      "file N_CorvoI.PDA index\nentries 9300\nfile N_CorvoP.PDA property\nrecord 1\n"
      "word 1 9300 3 1 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 100\nword 31 2.5 10\n");
  Retrieval r = Get(1.0f, 9300, Ask{.mode = 2.0f});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[19], 100.0f * 145.037f);
  r = Get(31.0f, 9300);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
}

TEST_F(Extraction, FullTableReachesTheRecordsLastWord) {
  // Tensile strength at 281 with all 21 values (words 285 to 305): 0 to 2000
  // by 100, value v at 100 (v - 1); the last is record word 305.
  std::string d =
      "file N_CorvoI.PDA index\nentries 9300\nfile N_CorvoP.PDA property\n"
      "record 1\nword 1 9300 1 1 1\ntable 281 0 0 100 2000";
  for (int v = 1; v <= 21; ++v) d += " " + std::to_string(v);
  Build(d + "\n");
  Retrieval r = Get(281.0f, 9300, Ask{.temperature = 2000.0f});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 21000.0f);
  r = Get(281.0f, 9300, Ask{.temperature = 1950.0f});  // (20 + 1 / 100 x 50) x 1000
  EXPECT_EQ(r.result[0], 20500.0f);
}

TEST_F(Extraction, SiTableAskedInSiAtItsLastTemperature) {
  // Conductivity stored in SI, 20 to 103.4 C by 27.8 (the last grid point in
  // four-byte reals is 103.39999): at 103.4 the last value, SI to SI factor 1.0.
  Build(
      "file N_CorvoI.PDA index\nentries 9300\nfile N_CorvoP.PDA property\nrecord 1\n"
      "word 1 9300 2 1 1\ntable 121 0 20 27.8 103.4 10 11 12 13\n");
  Retrieval r = Get(121.0f, 9300, Ask{.unitSystem = 2.0f, .temperature = 103.4f});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 13.0f);
  r = Get(121.0f, 9300, Ask{.unitSystem = 2.0f, .temperature = 150.0f});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.result[0], 13.0f);
}

TEST_F(Extraction, CodesOutsideTheRangesAndBadUnitSystems) {
  Retrieval r = Get(400.0f, 1109);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
  r = Get(305.0f, 1109);  // the last word: no room for a table
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
  r = Get(0.5f, 1109);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 0.0f);
  EXPECT_EQ(r.result[1], kUntouched);
  for (float u : {0.0f, 4.0f, -1.0f}) {
    r = Get(1.0f, 1109, Ask{.unitSystem = u});
    EXPECT_EQ(r.status, 1) << u;
    EXPECT_EQ(r.result[0], 0.0f) << u;
    EXPECT_EQ(r.result[1], kUntouched) << u;
  }
}

}  // namespace
