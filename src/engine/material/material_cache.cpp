// The process-wide state of material retrieval and the table of database sets.
#include "engine/material/material_cache.h"

#include <cstring>

MaterialCache g_materialCache;

const CurrencyFactorTable kDefaultCurrencyFactors = {
    {1.0f, 1.14f, 5.9f, 0.6f, 36.0f, 1.6f, 1.3f, 137.0f, 26.0f}};
CurrencyFactorTable g_currencyFactors = kDefaultCurrencyFactors;

namespace {

// Tested in this order; both ends of a range belong to it. ADM, JIS and
// NAS2290 end their first range one short of the thousand (3998, 4998, 5998).
const DatabaseSet kSets[kDatabaseSets] = {
    {"N_PRIVP", "N_PRIVI", 9000, 9200, 0, -1, kPrivateIndexEntries},
    {"N_ASMEP", "N_ASMEI", 1000, 1999, 11000, 11999, kBigIndexEntries},
    {"N_CODAPP", "N_CODAPI", 2000, 2999, 12000, 12999, kBigIndexEntries},
    {"N_ADMP", "N_ADMI", 3000, 3998, 13000, 13999, kBigIndexEntries},
    {"N_JISP", "N_JISI", 4000, 4998, 14000, 14999, kBigIndexEntries},
    {"NAS2290P", "NAS2290I", 5000, 5998, 15000, 15999, kBigIndexEntries},
    {"N_CorvoP", "N_CorvoI", 9201, 9400, 0, -1, kBigIndexEntries},
};

}  // namespace

const DatabaseSet* DatabaseSetOf(int32_t id) {
  return id >= 1 && id <= kDatabaseSets ? &kSets[id - 1] : nullptr;
}

int32_t ChooseDatabaseSet(int64_t materialNumber) {
  for (int32_t id = 1; id <= kDatabaseSets; ++id) {
    const DatabaseSet& s = kSets[id - 1];
    if ((materialNumber >= s.firstLow && materialNumber <= s.lastLow) ||
        (materialNumber >= s.firstHigh && materialNumber <= s.lastHigh)) {
      return id;
    }
  }
  return kNoSet;
}

int32_t CurrencyNumber(float index) {
  if (!(index >= 1.0f && index < 10.0f)) return 1;
  return static_cast<int32_t>(index);
}

void ResetMaterialStateForTests() {
  std::memset(&g_materialCache, 0, sizeof g_materialCache);
  g_currencyFactors = kDefaultCurrencyFactors;
}
