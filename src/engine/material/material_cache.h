// The process-wide state of material retrieval: the ten-slot record cache, the
// database sets and their in-memory indexes, and the currency factors. It
// survives from one run to the next in a process; nothing empties it but the
// first local look-up of the process (and the reset for tests).
#pragma once

#include <cstdint>

constexpr int kCacheSlots = 10;
constexpr int kRecordWords = 305;  // words 1..305; 61..120 are the text's place
constexpr int kRecordBytes = 1220;
constexpr int kRecordTextChars = 240;
constexpr int kHeaderWords = 30;
constexpr int kBigIndexEntries = 2000;
constexpr int kPrivateIndexEntries = 200;

struct MaterialCacheSlot {
  // Record words 1..60 and 121..305 by word number (word w is words[w - 1]);
  // words 1..30 are in `headerUnitSystem`, the others as stored. Words 61..120
  // are not used and stay 0.
  float words[kRecordWords];
  // Header words 1..30 exactly as read, so a later conversion to another unit
  // system starts from stored values and never from converted ones.
  float storedHeader[kHeaderWords];
  char text[kRecordTextChars];
  float headerUnitSystem;
};

// The database sets, tested in this order.
enum DatabaseSetId : int32_t {
  kNoSet = 0,
  kSetPrivate = 1,
  kSetAsme = 2,
  kSetCodap = 3,
  kSetAdm = 4,
  kSetJis = 5,
  kSetNas2290 = 6,
  kSetProcessSimulator = 7,
};
constexpr int kDatabaseSets = 7;

struct DatabaseSet {
  const char* propertyFile;  // names without extension, at most 8 characters
  const char* indexFile;
  int64_t firstLow, lastLow;    // first range, both ends included
  int64_t firstHigh, lastHigh;  // second range (0, -1 for none)
  int32_t indexEntries;         // 2000, or 200 for the private set
};

// Set `id` (1..7); nullptr for any other.
const DatabaseSet* DatabaseSetOf(int32_t id);
// The set whose ranges hold the material number; kNoSet when none does.
int32_t ChooseDatabaseSet(int64_t materialNumber);

struct MaterialCache {
  MaterialCacheSlot slot[kCacheSlots];
  int32_t slotCounter;                         // 0..10: the slot filled last (0 before the first)
  int32_t currentSet;                          // the set chosen last
  int32_t loadedSet;                           // the set whose index is in memory
  int16_t bigIndex[kBigIndexEntries];          // the six sets of 2000 entries
  int16_t privateIndex[kPrivateIndexEntries];  // the private set
  bool currencyLoaded;
};
extern MaterialCache g_materialCache;

constexpr int kCurrencies = 9;
struct CurrencyFactorTable {
  // factor[k - 1]: the amount in currency k that equals one unit of currency 1.
  float factor[kCurrencies];
};
extern CurrencyFactorTable g_currencyFactors;
extern const CurrencyFactorTable kDefaultCurrencyFactors;

// A currency index as a number 1..9: the whole part, and anything outside
// 1..9 (NaN included) counts as 1.
int32_t CurrencyNumber(float index);

// Load-time state: empty cache, counter 0, no sets, default currency factors,
// currency table not loaded.
void ResetMaterialStateForTests();
