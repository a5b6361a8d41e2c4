// Factor tables, the choice of table and the unit part of the price factor.
#include <gtest/gtest.h>

#include "engine/material/conversion_tables.h"

namespace {

TEST(ConversionTables, ChoiceMatrixForHeaderAndTables) {
  // stored 1..3 by wanted 1..3; the last rule that holds gives the table.
  const int32_t expected[3][3] = {
      {kUsToUs, kUsToSi, kUsToMetric},
      {kSiToUs, kSiToSi, kSiToMetric},
      {kSiToUs, kSiToSi, kSiToSi},
  };
  for (int s = 1; s <= 3; ++s) {
    for (int u = 1; u <= 3; ++u) {
      EXPECT_EQ(ChooseConversionTable(static_cast<float>(s), u), expected[s - 1][u - 1])
          << "stored " << s << " wanted " << u;
    }
  }
  EXPECT_EQ(ChooseConversionTable(0.0f, 1), kNoTable);
  EXPECT_EQ(ChooseConversionTable(1.5f, 2), kNoTable);
}

TEST(ConversionTables, GasketTakesOnlyExactPairs) {
  EXPECT_EQ(ChooseGasketTable(1.0f, 1), kUsToUs);
  EXPECT_EQ(ChooseGasketTable(2.0f, 2), kSiToSi);
  EXPECT_EQ(ChooseGasketTable(1.0f, 2), kUsToSi);
  EXPECT_EQ(ChooseGasketTable(2.0f, 1), kSiToUs);
  EXPECT_EQ(ChooseGasketTable(1.0f, 3), kUsToMetric);
  EXPECT_EQ(ChooseGasketTable(2.0f, 3), kSiToMetric);
  EXPECT_EQ(ChooseGasketTable(3.0f, 1), kNoTable);
  EXPECT_EQ(ChooseGasketTable(3.0f, 2), kNoTable);
  EXPECT_EQ(ChooseGasketTable(3.0f, 3), kNoTable);
}

TEST(ConversionTables, EveryListedFactor) {
  struct Row {
    int entry;
    float f[6];  // US-US, SI-SI, US-SI, SI-US, US-metric, SI-metric
  };
  const Row rows[] = {
      {11, {1.0f, 1.0f, 27680.0f, 3.6127E-5f, 27680.0f, 1.0f}},
      {12, {1.0f, 1.0f, 25.4f, 0.03937f, 25.4f, 1.0f}},
      {13, {1.0f, 1.0f, 25.4f, 0.03937f, 25.4f, 1.0f}},
      {24, {1.0f, 1.0f, 25.4f, 0.03937f, 25.4f, 1.0f}},
      {33, {1.0f, 1.0f, 25.4f, 0.03937f, 25.4f, 1.0f}},
      {26, {1.0f, 1.0f, 1.0f, 0.03937f, 1.0f, 1.0f}},
      {27, {1.0f, 1.0f, 1.0f, 0.03937f, 1.0f, 1.0f}},
      {20, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {21, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {32, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {61, {1.0f, 1.0f, 1.730735f, 0.577789f, 1.730735f, 1.0f}},
      {62, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {63, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {66, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {67, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      {64, {1.0E-6f, 1.0E-6f, 1.8E-6f, 5.555E-7f, 1.8E-6f, 1.0E-6f}},
      {65, {1.0f, 0.001f, 0.006894757f, 0.145037f, 0.00070307f, 0.000101972f}},
  };
  bool listed[73] = {};
  for (const Row& r : rows) {
    listed[r.entry] = true;
    for (int t = 0; t < 6; ++t) {
      EXPECT_EQ(ConversionFactor(t, r.entry), r.f[t]) << "entry " << r.entry << " table " << t;
    }
  }
  for (int e = 1; e <= 72; ++e) {
    if (listed[e]) continue;
    for (int t = 0; t < 6; ++t) {
      EXPECT_EQ(ConversionFactor(t, e), e <= 67 ? 1.0f : 0.0f) << "entry " << e << " table " << t;
    }
  }
}

TEST(ConversionTables, PriceUnitFactor) {
  EXPECT_EQ(PriceUnitFactor(1.0f, 1, 1.0f), 1.0f);
  EXPECT_EQ(PriceUnitFactor(2.0f, 3, 2.0f), 1.0f);
  EXPECT_EQ(PriceUnitFactor(3.0f, 2, 1.0f), 1.0f);  // any stored system of 2 or more
  EXPECT_EQ(PriceUnitFactor(1.0f, 2, 5.0f), 2.2046f);
  EXPECT_EQ(PriceUnitFactor(1.0f, 3, 2.0f), 3.281f);
  EXPECT_EQ(PriceUnitFactor(1.0f, 2, 26.0f), 3.281f);
  EXPECT_EQ(PriceUnitFactor(2.0f, 1, 4.0f), 0.45359f);
  EXPECT_EQ(PriceUnitFactor(3.0f, 1, 26.0f), 0.3048f);
}

}  // namespace
