// The six factor tables and the rules that choose one.
#include "engine/material/conversion_tables.h"

namespace {

constexpr ConversionTableSet BuildTables() {
  ConversionTableSet t{};
  for (int k = 0; k < kConversionTables; ++k) {
    for (int e = 1; e <= 67; ++e) t.entry[k][e - 1] = 1.0f;
  }
  // Columns: US to US, SI to SI, US to SI, SI to US, US to metric, SI to metric.
  struct Row {
    int entries[4];
    float f[kConversionTables];
  };
  const Row rows[] = {
      // density
      {{11, 0, 0, 0}, {1.0f, 1.0f, 27680.0f, 3.6127E-5f, 27680.0f, 1.0f}},
      // thickness limits, a further length, gasket thickness
      {{12, 13, 24, 33}, {1.0f, 1.0f, 25.4f, 0.03937f, 25.4f, 1.0f}},
      // outside-diameter limits: left at 1.0 from US, as the suite has always had it
      {{26, 27, 0, 0}, {1.0f, 1.0f, 1.0f, 0.03937f, 1.0f, 1.0f}},
      // stresses: specified minimum yield and tensile strength, gasket factor y
      {{20, 21, 32, 0}, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      // conductivity tables
      {{61, 0, 0, 0}, {1.0f, 1.0f, 1.730735f, 0.577789f, 1.730735f, 1.0f}},
      // stress tables: allowable, yield, design stress intensity, tensile
      {{62, 63, 66, 67}, {1000.0f, 1.0f, 6.894757f, 145.037f, 0.70307f, 0.101972f}},
      // thermal expansion tables
      {{64, 0, 0, 0}, {1.0E-6f, 1.0E-6f, 1.8E-6f, 5.555E-7f, 1.8E-6f, 1.0E-6f}},
      // elasticity tables
      {{65, 0, 0, 0}, {1.0f, 0.001f, 0.006894757f, 0.145037f, 0.00070307f, 0.000101972f}},
  };
  for (const Row& r : rows) {
    for (int e : r.entries) {
      if (e == 0) continue;
      for (int k = 0; k < kConversionTables; ++k) t.entry[k][e - 1] = r.f[k];
    }
  }
  return t;
}

}  // namespace

constinit const ConversionTableSet kConversionTablesData = BuildTables();

float ConversionFactor(int32_t table, int32_t entry) {
  if (table < 0 || table >= kConversionTables || entry < 1 || entry > kConversionEntries) {
    return 0.0f;
  }
  return kConversionTablesData.entry[table][entry - 1];
}

int32_t ChooseConversionTable(float storedSystem, int32_t wantedSystem) {
  const float s = storedSystem;
  const int32_t u = wantedSystem;
  int32_t table = kNoTable;
  if (s == 1.0f && u == 1) table = kUsToUs;
  if (s >= 2.0f && u >= 2) table = kSiToSi;
  if (s == 1.0f && u >= 2) table = kUsToSi;
  if (s >= 2.0f && u == 1) table = kSiToUs;
  if (s == 1.0f && u == 3) table = kUsToMetric;
  if (s == 2.0f && u == 3) table = kSiToMetric;
  return table;
}

int32_t ChooseGasketTable(float storedSystem, int32_t wantedSystem) {
  const float s = storedSystem;
  const int32_t u = wantedSystem;
  if (s == 1.0f && u == 1) return kUsToUs;
  if (s == 2.0f && u == 2) return kSiToSi;
  if (s == 1.0f && u == 2) return kUsToSi;
  if (s == 2.0f && u == 1) return kSiToUs;
  if (s == 1.0f && u == 3) return kUsToMetric;
  if (s == 2.0f && u == 3) return kSiToMetric;
  return kNoTable;
}

float PriceUnitFactor(float storedSystem, int32_t wantedSystem, float typeCode) {
  const bool perLength = typeCode == 2.0f || typeCode == 26.0f;
  const float s = storedSystem;
  const int32_t u = wantedSystem;
  if ((s == 1.0f && u == 1) || (s >= 2.0f && u >= 2)) return 1.0f;
  if (s == 1.0f && u >= 2) return perLength ? 3.281f : 2.2046f;
  if (s >= 2.0f && u == 1) return perLength ? 0.3048f : 0.45359f;
  return 0.0f;
}
