// Temperature tables evaluated at a temperature, on in-memory record words.
// Every expected value is worked out by hand in four-byte reals (each step
// rounded to single precision, in the order the evaluation uses).
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "engine/material/property_extraction.h"

namespace {

struct Words {
  float w[305] = {};
  void Put(int first, std::initializer_list<float> values) {
    int i = first;
    for (float v : values) w[(i++) - 1] = v;
  }
};

struct Outcome {
  float value;
  int64_t status;
};

Outcome Evaluate(const Words& words, float stored, int c, float code, int mode, int wanted,
                 float t) {
  Outcome o{-9.0f, 0};
  EvaluateTemperatureTable(words.w, stored, c, code, mode, wanted, t, &o.value, &o.status);
  return o;
}

// Conductivity at 121 (factor 1.0 from US to US): 100 to 500 by 100, the value
// at 300 not given. Allowable stress at 146 (ksi, 1000.0 to psi): 100 to 300.
Words UsTables() {
  Words r;
  r.Put(121, {70.0f, 100.0f, 100.0f, 500.0f, 10.0f, 12.5f, 0.0f, 18.0f, 20.0f});
  r.Put(146, {0.0f, 100.0f, 100.0f, 300.0f, 20.0f, 18.0f, 16.0f});
  return r;
}

TEST(Interpolation, CasesOnAUsRecord) {
  const Words r = UsTables();
  struct Case {
    int c;
    float code;
    int mode;
    float t;
    float value;
    int64_t status;
  };
  const Case cases[] = {
      {121, 121.0f, 1, 50.0f, 10.0f, 0},    // below the lowest temperature
      {121, 121.0f, 1, 80.0f, 10.0f, 0},    // above the lowest, below the first
      {121, 121.0f, 1, 100.0f, 10.0f, 0},   // at the first temperature
      {121, 121.0f, 1, 150.0f, 11.25f, 0},  // 10 + 2.5 / 100 x 50
      {121, 121.0f, 1, 200.0f, 12.5f, 0},   // an inner grid temperature
      // upper value not given: widened to 400, w = 200: 12.5 + 5.5 / 200 x 50
      {121, 121.0f, 1, 250.0f, 13.875f, 0},
      {121, 121.0f, 1, 300.0f, 15.25f, 0},  // on the missing point: 12.5 + 0.0275 x 100
      // 12.5 + (5.5 / 200) x 41, the slope rounded before the product (5.5 x 41 / 200
      // gives 13.6275005)
      {121, 121.0f, 1, 241.0f, 13.6274995803833f, 0},
      // lower value not given: widened down to 200, a = 200: 12.5 + 0.0275 x 150
      {121, 121.0f, 1, 350.0f, 16.625f, 0},
      {121, 121.0f, 1, 500.0f, 20.0f, 0},  // the last temperature
      {121, 121.0f, 1, 501.0f, 20.0f, 1},  // above: the last value, status 1
      {121, 121.0f, 4, 900.0f, 20.0f, 1},
      {146, 146.0f, 1, 150.0f, 19000.0f, 0},  // (20 - 0.02 x 50) x 1000
      {146, 146.0f, 1, 300.0f, 16000.0f, 0},
      {146, 146.0f, 1, 301.0f, 0.0f, 1},  // code 146 above its table: nothing
      {146, 146.0f, 0, 301.0f, 0.0f, 1},
      {146, 146.0f, 2, 301.0f, 0.0f, 1},
      {146, 146.0f, 3, 301.0f, 0.0f, 1},
      {146, 146.0f, 4, 301.0f, 16000.0f, 1},  // mode 4: evaluated at the end
      {146, 146.5f, 1, 301.0f, 16000.0f, 1},  // the exception looks at the code as passed
  };
  for (const Case& k : cases) {
    const Outcome o = Evaluate(r, 1.0f, k.c, k.code, k.mode, 1, k.t);
    EXPECT_EQ(o.value, k.value) << "code " << k.code << " mode " << k.mode << " t " << k.t;
    EXPECT_EQ(o.status, k.status) << "code " << k.code << " mode " << k.mode << " t " << k.t;
  }
}

TEST(Interpolation, StrengthTablesAboveTheirRange) {
  // Yield at 181 and tensile at 281 give nothing above their range outside
  // mode 4; expansion at 206 gives its last value.
  Words r;
  r.Put(181, {0.0f, 100.0f, 100.0f, 300.0f, 30.0f, 28.0f, 26.0f});
  r.Put(206, {0.0f, 100.0f, 100.0f, 300.0f, 6.5f, 7.0f, 7.5f});
  r.Put(281, {0.0f, 100.0f, 100.0f, 300.0f, 60.0f, 58.0f, 56.0f});
  struct Case {
    int c;
    int mode;
    float value;
  };
  const Case cases[] = {{181, 1, 0.0f}, {181, 4, 26000.0f}, {281, 1, 0.0f},
                        {281, 0, 0.0f}, {281, 4, 56000.0f}, {206, 1, 7.5f * 1.0E-6f}};
  for (const Case& k : cases) {
    const Outcome o = Evaluate(r, 1.0f, k.c, static_cast<float>(k.c), k.mode, 1, 350.0f);
    EXPECT_EQ(o.value, k.value) << k.c << " mode " << k.mode;
    EXPECT_EQ(o.status, 1) << k.c << " mode " << k.mode;
  }
}

TEST(Interpolation, GridTemperaturesFromTheirNumberNotAddedUp) {
  // 1, 4, 9, ... 441 at 0.0 to 2.0 by 0.1. At 0.75: a = 7 x 0.1 = 0.699999988
  // (adding 0.1 seven times gives 0.70000005), slope 17 / 0.1 = 170.0,
  // 64 + 170 x 0.050000012 = 72.5.
  Words r;
  r.Put(121, {0.0f, 0.0f, 0.1f, 2.0f});
  for (int v = 1; v <= 21; ++v) r.w[124 + v - 1] = static_cast<float>(v * v);
  const Outcome o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, 0.75f);
  EXPECT_EQ(o.value, 72.5f);
  EXPECT_EQ(o.status, 0);
}

TEST(Interpolation, LastGridPointShortOfTheLastTemperature) {
  // 20 to 103.4 by 27.8: in four-byte reals 20 + 3 x 27.8 is 103.39999, an ulp
  // below the stored 103.4, so no interval holds 103.4 itself; the last value
  // still comes back, and above the table too once t is moved back to 103.4.
  Words r;
  r.Put(121, {0.0f, 20.0f, 27.8f, 103.4f, 10.0f, 11.0f, 12.0f, 13.0f});
  r.Put(181, {0.0f, 20.0f, 27.8f, 103.4f, 10.0f, 11.0f, 12.0f, 13.0f});
  struct Case {
    int c;
    int mode;
    float t;
    float value;
    int64_t status;
  } const cases[] = {
      {121, 1, 103.4f, 13.0f, 0},
      {121, 1, 200.0f, 13.0f, 1},
      {181, 4, 200.0f, 13000.0f, 1},  // yield above its range, mode 4: evaluated at the end
      {181, 1, 200.0f, 0.0f, 1},      // outside mode 4 nothing
  };
  for (const Case& k : cases) {
    const Outcome o = Evaluate(r, 1.0f, k.c, static_cast<float>(k.c), k.mode, 1, k.t);
    EXPECT_EQ(o.value, k.value) << k.c << " mode " << k.mode << " at " << k.t;
    EXPECT_EQ(o.status, k.status) << k.c << " mode " << k.mode << " at " << k.t;
  }
  // The last value not given: nothing to return, status 1.
  r.w[121 + 3 + 3] = 0.0f;
  const Outcome o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, 103.4f);
  EXPECT_EQ(o.value, 0.0f);
  EXPECT_EQ(o.status, 1);
}

TEST(Interpolation, SiRecordAskedInUs) {
  // Allowable stress in MPa at 100, 200, 300 degrees Celsius; asked at 302 F:
  // t = (302 - 32) / 1.8 = 150.0, value (100 - 0.1 x 50) x 145.037 = 13778.515625.
  Words r;
  r.Put(146, {0.0f, 100.0f, 100.0f, 300.0f, 100.0f, 90.0f, 80.0f});
  Outcome o = Evaluate(r, 2.0f, 146, 146.0f, 1, 1, 302.0f);
  EXPECT_EQ(o.value, 13778.515625f);
  EXPECT_EQ(o.status, 0);
  // 264 F: t = 232 / 1.8 = 128.888885 (a division by 1.8, not a product with
  // 0.5555556, which gives 128.888901); (100 - 0.1 x 28.888885) x 145.037.
  o = Evaluate(r, 2.0f, 146, 146.0f, 1, 1, 264.0f);
  EXPECT_EQ(o.value, 14084.705078125f);
  EXPECT_EQ(o.status, 0);
  // A record that says system 3 is read like one in SI.
  o = Evaluate(r, 3.0f, 146, 146.0f, 1, 1, 302.0f);
  EXPECT_EQ(o.value, 13778.515625f);
  EXPECT_EQ(o.status, 0);
}

TEST(Interpolation, MetricTemperaturesAreCelsius) {
  // US record asked in metric: 65 C is 149 F; (20 - 0.02 x 49) x 0.70307.
  Outcome o = Evaluate(UsTables(), 1.0f, 146, 146.0f, 1, 3, 65.0f);
  EXPECT_EQ(o.value, 13.372391700744629f);
  EXPECT_EQ(o.status, 0);
  // SI record asked in metric: 150 C unchanged; (100 - 0.1 x 50) x 0.101972.
  Words r;
  r.Put(146, {0.0f, 100.0f, 100.0f, 300.0f, 100.0f, 90.0f, 80.0f});
  o = Evaluate(r, 2.0f, 146, 146.0f, 1, 3, 150.0f);
  EXPECT_EQ(o.value, 9.687339782714844f);
  EXPECT_EQ(o.status, 0);
}

TEST(Interpolation, WideningReachesTheFirstAndTheLastValue) {
  // 5, (not given), 7 at 100, 200, 300: both neighbours are the table's ends.
  Words r;
  r.Put(121, {0.0f, 100.0f, 100.0f, 300.0f, 5.0f, 0.0f, 7.0f});
  Outcome o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, 150.0f);  // 5 + 0.01 x 50
  EXPECT_EQ(o.value, 5.5f);
  EXPECT_EQ(o.status, 0);
  o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, 250.0f);  // from 100: 5 + 0.01 x 150
  EXPECT_EQ(o.value, 6.5f);
  EXPECT_EQ(o.status, 0);
}

TEST(Interpolation, BelowTheLowestTemperatureAboveTheFirst) {
  // A lowest temperature above the first: below it, value 1 without interpolating.
  Words r;
  r.Put(121, {150.0f, 100.0f, 100.0f, 300.0f, 10.0f, 12.0f, 14.0f});
  const Outcome o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, 120.0f);
  EXPECT_EQ(o.value, 10.0f);
  EXPECT_EQ(o.status, 0);
}

TEST(Interpolation, EachGroupHoldsItsMostValues) {
  // A table at the group's first code with as many values as the group holds
  // (1, 2, ... n at 0, 1, ... n - 1), read at its last temperature, US to US.
  struct Group {
    int c;
    int values;
    float factor;
  };
  const Group groups[] = {{121, 21, 1.0f},    {146, 31, 1000.0f}, {181, 21, 1000.0f},
                          {206, 21, 1.0E-6f}, {231, 16, 1.0f},    {251, 26, 1000.0f},
                          {281, 21, 1000.0f}};
  for (const Group& g : groups) {
    Words r;
    r.Put(g.c, {0.0f, 0.0f, 1.0f, static_cast<float>(g.values - 1)});
    for (int v = 1; v <= g.values; ++v) r.w[g.c + 3 + v - 1] = static_cast<float>(v);
    const Outcome o =
        Evaluate(r, 1.0f, g.c, static_cast<float>(g.c), 1, 1, static_cast<float>(g.values - 1));
    EXPECT_EQ(o.value, static_cast<float>(g.values) * g.factor) << g.c;
    EXPECT_EQ(o.status, 0) << g.c;
  }
}

TEST(Interpolation, AtOrBelowTheFirstTemperatureValueOneEvenWhenZero) {
  // Value 1 not given: at or below the first temperature it is still the
  // answer (0.0, status 0); no widening happens there.
  Words r;
  r.Put(121, {70.0f, 100.0f, 100.0f, 300.0f, 0.0f, 6.0f, 7.0f});
  for (float t : {50.0f, 80.0f, 100.0f}) {
    const Outcome o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, t);
    EXPECT_EQ(o.value, 0.0f) << t;
    EXPECT_EQ(o.status, 0) << t;
  }
}

TEST(Interpolation, UsRecordAskedInSi) {
  // t = 65 x 1.8 + 32 = 149.0 F; (20 - 0.02 x 49) x 6.894757 = 131.138275.
  const Words r = UsTables();
  Outcome o = Evaluate(r, 1.0f, 146, 146.0f, 1, 2, 65.0f);
  EXPECT_EQ(o.value, 131.13827514648438f);
  EXPECT_EQ(o.status, 0);
  // 150 C is 302 F, above the table's 300: nothing for code 146 in mode 1.
  o = Evaluate(r, 1.0f, 146, 146.0f, 1, 2, 150.0f);
  EXPECT_EQ(o.value, 0.0f);
  EXPECT_EQ(o.status, 1);
}

TEST(Interpolation, NoValueCases) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    std::initializer_list<float> table;
    float t;
  };
  const Case cases[] = {
      {"step 0", {0.0f, 0.0f, 0.0f, 0.0f, 5.0f}, 50.0f},
      {"negative step", {0.0f, 300.0f, -100.0f, 100.0f, 5.0f, 6.0f, 7.0f}, 200.0f},
      {"NaN step", {0.0f, 100.0f, nan, 300.0f, 5.0f, 6.0f, 7.0f}, 200.0f},
      {"NaN temperature", {0.0f, 100.0f, 100.0f, 300.0f, 5.0f, 6.0f, 7.0f}, nan},
      {"last temperature off the grid", {0.0f, 100.0f, 100.0f, 250.0f, 5.0f, 6.0f, 7.0f}, 200.0f},
      {"last below the first", {0.0f, 100.0f, 100.0f, 50.0f, 5.0f, 6.0f}, 120.0f},
      {"more values than the group holds", {0.0f, 100.0f, 100.0f, 1.0E6f, 5.0f, 6.0f}, 150.0f},
      {"nothing non-zero below", {0.0f, 100.0f, 100.0f, 300.0f, 0.0f, 0.0f, 7.0f}, 150.0f},
      {"nothing non-zero above", {0.0f, 100.0f, 100.0f, 300.0f, 5.0f, 0.0f, 0.0f}, 150.0f},
      // the word after the value at the last temperature is not the table's
      {"nothing non-zero up to the last",
       {0.0f, 100.0f, 100.0f, 300.0f, 5.0f, 0.0f, 0.0f, 9.0f},
       150.0f},
  };
  for (const Case& k : cases) {
    Words r;
    r.Put(121, k.table);
    const Outcome o = Evaluate(r, 1.0f, 121, 121.0f, 1, 1, k.t);
    EXPECT_EQ(o.value, 0.0f) << k.what;
    EXPECT_EQ(o.status, 1) << k.what;
  }
}

TEST(Interpolation, TableMustFitItsGroup) {
  Words r;
  r.Put(142, {0.0f, 100.0f, 100.0f, 100.0f, 5.0f});  // value 1 is word 146: outside
  Outcome o = Evaluate(r, 1.0f, 142, 142.0f, 1, 1, 50.0f);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.value, 0.0f);
  r.Put(141, {0.0f, 100.0f, 100.0f, 100.0f, 5.0f});  // one value, word 145
  o = Evaluate(r, 1.0f, 141, 141.0f, 1, 1, 50.0f);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.value, 5.0f);
  o = Evaluate(r, 1.0f, 141, 141.0f, 1, 1, 150.0f);  // above a one-value table
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.value, 5.0f);
  o = Evaluate(r, 1.0f, 303, 303.0f, 1, 1, 50.0f);  // past the record
  EXPECT_EQ(o.status, 1);
}

TEST(Interpolation, ElasticityAndExpansionFactors) {
  // Modulus at 231 stored in SI (MPa x 1000 units) asked in US: x 0.145037.
  // Expansion at 206 from US to SI: 6.5 x 1.8E-6.
  Words r;
  r.Put(231, {0.0f, 100.0f, 100.0f, 200.0f, 200000.0f, 190000.0f});
  r.Put(206, {0.0f, 100.0f, 100.0f, 200.0f, 6.5f, 7.0f});
  Outcome o = Evaluate(r, 2.0f, 231, 231.0f, 1, 1, 212.0f);  // 100 C exactly
  EXPECT_EQ(o.value, 29007.3984375f);                        // 200000 x 0.145037
  o = Evaluate(r, 1.0f, 206, 206.0f, 1, 2, 0.0f);            // 32 F, below: value 1
  EXPECT_EQ(o.value, 1.17E-5f);                              // 6.5 x 1.8E-6
}

}  // namespace
