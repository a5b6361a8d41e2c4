// The unit-conversion factor tables and the choice of table.
//
// Six tables of 72 four-byte factors, indexed like the record: entries 1..30
// the header words, 31..60 the gasket words, 61..67 the seven temperature-table
// groups; 68..72 hold 0 and entry 10 is never read (the price factor takes its
// place).
#pragma once

#include <cstdint>

enum ConversionTableId : int32_t {
  kNoTable = -1,
  kUsToUs = 0,
  kSiToSi = 1,
  kUsToSi = 2,
  kSiToUs = 3,
  kUsToMetric = 4,
  kSiToMetric = 5,
};
constexpr int kConversionTables = 6;
constexpr int kConversionEntries = 72;

struct ConversionTableSet {
  float entry[kConversionTables][kConversionEntries];  // entry e of table t is [t][e - 1]
};
extern const ConversionTableSet kConversionTablesData;

// Entry e (1..72) of table t; 0.0 for a table or entry outside the set.
float ConversionFactor(int32_t table, int32_t entry);

// The table for the header block and the temperature tables: the rules in
// order, the last that holds wins. S is the stored system (a four-byte real as
// the record holds it), U the wanted system (1..3). kNoTable when no rule
// holds (a stored system below 1, between 1 and 2, or NaN).
int32_t ChooseConversionTable(float storedSystem, int32_t wantedSystem);
// The gasket block takes only the exact pairs (1,1) (2,2) (1,2) (2,1) (1,3)
// (2,3); kNoTable for any other.
int32_t ChooseGasketTable(float storedSystem, int32_t wantedSystem);

// The unit part of the price factor: per unit mass for every type but 2 and
// 26, per unit length for those two. 0.0 when no row applies.
float PriceUnitFactor(float storedSystem, int32_t wantedSystem, float typeCode);
