// Prices: currency factors, the price factor, the reference-material step and
// the ASME library's price.
#include <limits>

#include "engine/material/material_cache.h"
#include "engine/material/material_property.h"
#include "material_data.h"
#include "material_fixture.h"
#include "tarsus/tarsus_standin.h"

namespace {

class Prices : public MaterialTest {
 protected:
  void SetUp() override {
    MaterialTest::SetUp();
    Build(kAsmeSet);
    Build(kCodapSet);
  }
};

TEST_F(Prices, PriceFactorFromCurrencyAndUnit) {
  // 1200: price 10.0 in currency 3 per metre (type 2), stored in SI.
  EXPECT_EQ(Get(10.0f, 1200, Ask{.unitSystem = 1.0f, .currency = 2.0f}).result[0],
            10.0f * (1.14f / 5.9f * 0.3048f));
  // 1109: 2.5 in currency 1 per pound (type 1), stored in US; another slot
  // conversion in SI with currency 8.
  EXPECT_EQ(Get(10.0f, 1109, Ask{.mode = 2.0f, .unitSystem = 2.0f, .currency = 8.0f}).result[0],
            2.5f * (137.0f / 1.0f * 2.2046f));
}

TEST_F(Prices, CurrencyTableFactorsAreUsed) {
  ResetMaterialStateForTests();
  Build("file N_STDLAB.PDA currency\nword 122 1.25\n");
  EXPECT_EQ(Get(10.0f, 1200, Ask{.unitSystem = 2.0f, .currency = 1.0f}).result[0],
            10.0f * (1.0f / 1.25f * 1.0f));
}

TEST_F(Prices, CurrencyIndicesOutsideOneToNineCountAsOne) {
  Build(
      "file N_CorvoI.PDA index\nentries 9300 9301\nfile N_CorvoP.PDA property\n"
      "record 1\nword 1 9300 1 0 1 1 0 0 0 0 4.0\nrecord 2\nword 1 9301 1 15 1 1 0 0 0 0 4.0\n");
  EXPECT_EQ(Get(10.0f, 9300, Ask{.currency = 5.0f}).result[0], 4.0f * (36.0f / 1.0f * 1.0f));
  EXPECT_EQ(Get(10.0f, 9301, Ask{.currency = 5.9f}).result[0], 4.0f * (36.0f / 1.0f * 1.0f));
  ResetMaterialStateForTests();
  for (float currency : {0.0f, -2.0f, 10.0f, 12.0f}) {
    ResetMaterialStateForTests();
    EXPECT_EQ(Get(10.0f, 1200, Ask{.unitSystem = 2.0f, .currency = currency}).result[0],
              10.0f * (1.0f / 5.9f * 1.0f))
        << currency;
  }
}

TEST(CurrencyNumbers, WholePartWithinOneToNine) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float index;
    int32_t number;
  };
  const Case cases[] = {{1.0f, 1},  {9.0f, 9},  {9.99f, 9}, {5.9f, 5}, {0.99f, 1},
                        {10.0f, 1}, {-3.0f, 1}, {nan, 1},   {inf, 1},  {-inf, 1}};
  for (const Case& k : cases) EXPECT_EQ(CurrencyNumber(k.index), k.number) << k.index;
}

TEST_F(Prices, ReferenceMaterialCases) {
  Retrieval r = Get(1.0f, 2001);  // no price, no reference
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 2001.0f);
  EXPECT_EQ(r.result[9], 0.0f);

  r = Get(1.0f, 2002);  // reference 2003 has 7.5
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 2002.0f);
  EXPECT_EQ(r.result[4], 2.0f);
  EXPECT_EQ(r.result[9], 7.5f);
  EXPECT_EQ(r.result[10], 0.3f);

  r = Get(1.0f, 2004);  // reference 2999 is not listed
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 2004.0f);
  EXPECT_EQ(r.result[9], 0.0f);

  r = Get(1.0f, 2005);  // reference 2006 has no positive price: never a second step
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[4], 5.0f);
  EXPECT_EQ(r.result[9], -1.5f);

  r = Get(1.0f, 2007);  // reference 2003.7: its whole part, 2003
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[4], 11.0f);
  EXPECT_EQ(r.result[9], 7.5f);

  for (float mode : {0.0f, 4.0f}) {  // price steps as in mode 1
    r = Get(1.0f, 2002, Ask{.mode = mode});
    EXPECT_EQ(r.status, 0) << mode;
    EXPECT_EQ(r.result[4], 2.0f) << mode;
    EXPECT_EQ(r.result[9], 7.5f) << mode;
  }

  r = Get(1.0f, 2002, Ask{.mode = 2.0f});  // no price steps
  EXPECT_EQ(r.result[9], 0.0f);
  r = Get(1.0f, 2002, Ask{.mode = 3.0f});  // nor in mode 3
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[9], 0.0f);
}

TEST_F(Prices, ReferenceComesFromTheCacheOrTheRequestedMaterialsSet) {
  // 2030 (CODAP) names the ASME material 1109 as its price reference.
  Build(
      "file N_CODAPI.PDA index\nentries 2030\nfile N_CODAPP.PDA property\nrecord 1\n"
      "word 1 2030 1 1 1 30 0 0 0 0 0 0 0 0 0 0 0 0 0 1109\n");
  // Not cached: it is looked for in the CODAP index, which does not list it.
  Retrieval r = Get(1.0f, 2030);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.result[0], 2030.0f);
  EXPECT_EQ(r.result[4], 30.0f);
  EXPECT_EQ(r.result[9], 0.0f);
  EXPECT_EQ(g_materialCache.loadedSet, kSetCodap);
  // Once 1109 is in the cache the reference is a hit: its price 2.5.
  Get(5.0f, 1109);
  r = Get(1.0f, 2030);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 2030.0f);
  EXPECT_EQ(r.result[9], 2.5f);
  EXPECT_EQ(r.result[18], 1109.0f);
}

TEST_F(Prices, ReferencePriceConvertedLikeItsOwnHeader) {
  const Retrieval r = Get(1.0f, 2002, Ask{.unitSystem = 2.0f, .currency = 4.0f});
  EXPECT_EQ(r.result[9], 7.5f * (0.6f / 1.0f * 2.2046f));
  EXPECT_EQ(r.result[0], 2002.0f);
}

TEST_F(Prices, AsmeRangePriceComesFromTarsusAtEveryCall) {
  TarsusStandin_SetPrice(4.25f);
  const float code = 1.0f, mode = 1.0f, unit = 3.0f, alt = 0.0f, currency = 1.0f, t = 0.0f;
  const int64_t number = 1109;
  float result[30];
  int64_t status = 9;
  char text[80];
  GetMaterialProperty(&code, &mode, &unit, &alt, &currency, &number, &t, result, &status, text, 80);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(result[9], 4.25f);
  ASSERT_EQ(TarsusStandin_PriceCallCount(), 1);
  EXPECT_EQ(TarsusStandin_PriceCall(0)->address[0], &number);
  EXPECT_EQ(TarsusStandin_PriceCall(0)->materialNumber, 1109);
  EXPECT_EQ(TarsusStandin_PriceCall(0)->unitSystem, 3);
  EXPECT_EQ(TarsusStandin_CallCount(), 0);
  // The slot keeps the record's own converted price.
  EXPECT_EQ(Get(10.0f, 1109, Ask{.unitSystem = 3.0f}).result[0], 2.5f * 2.2046f);
  TarsusStandin_SetPrice(5.0f);
  EXPECT_EQ(Get(1.0f, 1109, Ask{.unitSystem = 3.0f}).result[9], 5.0f);
  EXPECT_EQ(TarsusStandin_PriceCallCount(), 2);
  EXPECT_EQ(Get(1.0f, 1109, Ask{.mode = 2.0f}).result[9], 2.5f);
  EXPECT_EQ(TarsusStandin_PriceCallCount(), 2);
}

TEST_F(Prices, AsmeRangeReferenceStillTakesTheRequestedMaterialsLibraryPrice) {
  TarsusStandin_SetPrice(0.0f);
  const Retrieval r = Get(1.0f, 1116);  // reference 1109
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.result[0], 1116.0f);
  EXPECT_EQ(r.result[9], 0.0f);
  ASSERT_EQ(TarsusStandin_PriceCallCount(), 2);
  EXPECT_EQ(TarsusStandin_PriceCall(0)->materialNumber, 1116);
  EXPECT_EQ(TarsusStandin_PriceCall(1)->materialNumber, 1116);
  EXPECT_EQ(g_materialCache.slotCounter, 2);  // the reference was read too
}

}  // namespace
