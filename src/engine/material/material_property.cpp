// GetMaterialProperty: the choice of source, the local look-up through the
// cache, and the price steps.
//
// The local look-up, in the steps the comments below refer to:
//  1. The currency table is read, once per process.
//  2. Result word 1 and the status are cleared; a property code below 1 asks
//     for nothing, a unit system outside 1 to 3 gives status 1, and a
//     material number (the key) below 1 or above 32767 gives status 2.
//  3. Mode 3 forgets the loaded index; any other mode uses a cache slot that
//     already holds the key, going on at step 10.
//  4. The database set is chosen for the material number (when none is, the
//     current set stays); no set gives status 2.
//  5. The set's index is loaded when another set's is loaded (status 2 when
//     its file is missing or cannot be read).
//  6. The key is searched in the index (status 2 when it is not there); its
//     position gives the record number.
//  7. The next cache slot in turn (1 to 10, round robin) is taken.
//  8. The set's property file must exist (status 2).
//  9. The record is read (when it cannot be, the diagnostic line is written,
//     the status is 2 and the slot keeps what it held) and moved into the
//     slot: 60 header words, 185 table words and the text; the header as
//     stored and its unit system are kept.
// 10. The slot's header is converted to the wanted units and currency: always
//     for a record just read, and for a cached one when the property code is
//     30 or below and its units differ (status 1 when it cannot be).
// 11. The item is extracted from the slot.
// The price steps follow for property code 1 in modes other than 2 and 3.
#include "engine/material/material_property.h"

#include <cstring>

#include "engine/material/copy_search.h"
#include "engine/material/material_cache.h"
#include "engine/material/material_diagnostics.h"
#include "engine/material/material_files.h"
#include "engine/material/property_extraction.h"
#include "host/gantry.h"
#include "host/osric.h"
#include "host/ravel.h"
#include "host/tarsus.h"

namespace {

// The libraries receive the text as an array of four-character elements.
constexpr int64_t kLibraryTextLength = 4;
constexpr char kRecordNotRead[] = " FAILED TO READ RECORD IN PRP PROPERLY ";

// The whole part (toward zero) of a four-byte real argument; `otherwise` for
// NaN or a value too large to matter.
int32_t WholePart(float value, int32_t otherwise) {
  if (!(value > -1.0E6f && value < 1.0E6f)) return otherwise;
  return static_cast<int32_t>(value);
}

// Materials below 9000 outside 2000..3999 belong to the ASME library's range.
bool InAsmeLibraryRange(int64_t n) { return n < 9000 && !(n >= 2000 && n <= 3999); }

struct Request {
  int32_t k;
  int32_t mode;
  int32_t wantedSystem;
  int32_t currency;
  const int64_t* materialNumber;
  ExtractionRequest extraction;
};

MaterialCacheSlot* FindSlot(int64_t key) {
  const float keyWord = static_cast<float>(key);
  for (MaterialCacheSlot& s : g_materialCache.slot) {
    if (s.words[0] == keyWord) return &s;
  }
  return nullptr;
}

// Steps 4 to 9 of the look-up: the record of `key` from the chosen set's
// files into the next slot. nullptr, with the status set, when it is not there.
MaterialCacheSlot* ReadIntoCache(const Request& r, int64_t key, int64_t* status) {
  MaterialCache& cache = g_materialCache;
  const int32_t chosen = ChooseDatabaseSet(*r.materialNumber);
  if (chosen != kNoSet) cache.currentSet = chosen;
  const DatabaseSet* set = DatabaseSetOf(cache.currentSet);
  if (!set) {
    *status = 2;
    return nullptr;
  }
  if (cache.currentSet != cache.loadedSet) {
    if (LoadSetIndex(cache.currentSet) != PdaRead::kRead) {
      *status = 2;
      return nullptr;
    }
    cache.loadedSet = cache.currentSet;
  }

  const int16_t* index = cache.currentSet == kSetPrivate ? cache.privateIndex : cache.bigIndex;
  const int64_t first = 1;
  const int64_t bytes = 2 * static_cast<int64_t>(set->indexEntries);
  const int16_t key16 = static_cast<int16_t>(key);
  const int64_t two = 2;
  int64_t found = 0;
  SSCANH(index, &first, &bytes, &key16, &two, &two, &found);
  if (found == 0) {
    *status = 2;
    return nullptr;
  }
  const int64_t recordNumber = found / 2 + 1;

  cache.slotCounter = cache.slotCounter % kCacheSlots + 1;
  MaterialCacheSlot* slot = &cache.slot[cache.slotCounter - 1];

  unsigned char record[kRecordBytes];
  const PdaRead read = ReadPropertyRecord(cache.currentSet, recordNumber, record);
  if (read == PdaRead::kMissing) {
    *status = 2;
    return nullptr;
  }
  if (read == PdaRead::kUnreadable) {
    WriteMaterialDiagnosticLine(kRecordNotRead, sizeof kRecordNotRead - 1);
    *status = 2;  // the slot keeps what it held
    return nullptr;
  }

  float words[kRecordWords];
  for (int w = 0; w < kRecordWords; ++w) words[w] = 0.0f;
  for (int w = 1; w <= 60; ++w) words[w - 1] = LoadFloatLE(&record[4 * (w - 1)]);
  float tables[185];
  for (int t = 0; t < 185; ++t) tables[t] = LoadFloatLE(&record[480 + 4 * t]);

  const int64_t headerBytes = 240, tableBytes = 740, one = 1, at121 = 481;
  MoveWords(&headerBytes, words, &one, slot->words, &one);
  MoveWords(&tableBytes, tables, &one, slot->words, &at121);
  const int64_t textChars = kRecordTextChars;
  MOVEC(&textChars, reinterpret_cast<const char*>(&record[240]), kRecordTextChars, &one, slot->text,
        kRecordTextChars, &one);
  std::memcpy(slot->storedHeader, slot->words, sizeof slot->storedHeader);
  slot->headerUnitSystem = slot->words[1];
  return slot;
}

// The local look-up from its key start (step 3) to the extraction (step 11).
// False when the call is to return with the status as set.
bool LookUpAndExtract(const Request& r, int64_t key, float* result, int64_t* status, char* text,
                      int64_t textLength) {
  MaterialCacheSlot* slot = nullptr;
  if (r.mode == 3) {
    g_materialCache.loadedSet = kNoSet;  // read the index again
  } else {
    slot = FindSlot(key);
  }
  if (!slot) {
    slot = ReadIntoCache(r, key, status);
    if (!slot) return false;
    if (!ConvertSlotHeader(slot, r.wantedSystem, r.currency)) {
      *status = 1;
      return false;
    }
  } else if (r.k <= 30 && slot->headerUnitSystem != static_cast<float>(r.wantedSystem)) {
    if (!ConvertSlotHeader(slot, r.wantedSystem, r.currency)) {
      *status = 1;
      return false;
    }
  }
  ExtractItem(*slot, r.extraction, result, status, text, textLength);
  return true;
}

void LocalLookUp(const float* propertyCode, const float* mode, const float* unitSystem,
                 const float* alternativeText, const float* currencyIndex,
                 const int64_t* materialNumber, const float* temperature, float* result,
                 int64_t* status, char* text, int64_t textLength) {
  if (!g_materialCache.currencyLoaded) LoadCurrencyTable();
  result[0] = 0.0f;
  *status = 0;

  Request r;
  const float code = *propertyCode;
  r.k = code >= 306.0f ? 306 : WholePart(code, 0);
  if (r.k < 1) return;  // nothing asked for
  r.mode = WholePart(*mode, 1);
  const float u = *unitSystem;
  if (!(u >= 1.0f && u < 4.0f)) {
    *status = 1;
    return;
  }
  r.wantedSystem = static_cast<int32_t>(u);
  r.currency = CurrencyNumber(*currencyIndex);
  r.materialNumber = materialNumber;
  r.extraction = {r.k,         code, r.mode, r.wantedSystem, *alternativeText, *materialNumber,
                  *temperature};

  const int64_t number = *materialNumber;
  // A key of 0 would match an empty slot or index entry, and one beyond two
  // bytes would alias another material in the index.
  if (number <= 0 || number > 32767) {
    *status = 2;
    return;
  }

  if (!LookUpAndExtract(r, number, result, status, text, textLength)) return;
  if (r.k != 1 || r.mode == 2 || r.mode == 3) return;

  // Price steps.
  float saved[kHeaderWords];
  bool referenceRan = false;
  for (;;) {
    if (InAsmeLibraryRange(number)) {
      const int64_t system = r.wantedSystem;
      result[9] = TARSUS_PRICE(materialNumber, &system);
    }
    if (referenceRan) {
      saved[9] = result[9];
      std::memcpy(result, saved, sizeof saved);
      return;
    }
    if (result[9] > 0.0f) return;
    std::memcpy(saved, result, sizeof saved);
    referenceRan = true;
    const float reference = result[18];
    if (!(reference >= 1.0f)) return;  // no reference material: the header stands
    if (reference >= 32768.0f) {
      *status = 2;
      return;
    }
    const int64_t key = static_cast<int64_t>(reference);
    // Not found (or unreadable): the requested header stays in the result.
    if (!LookUpAndExtract(r, key, result, status, text, textLength)) return;
  }
}

}  // namespace

void GetMaterialProperty(const float* propertyCode, const float* mode, const float* unitSystem,
                         const float* alternativeText, const float* currencyIndex,
                         const int64_t* materialNumber, const float* temperature, float* result,
                         int64_t* status, char* text, int64_t textLength) {
  const int64_t number = *materialNumber;
  if (number >= 24000 && number <= 26999) {
    RAVEL_PROP(propertyCode, mode, unitSystem, currencyIndex, materialNumber, temperature, result,
               status, text, kLibraryTextLength);
    if (*status == 0) return;
  } else if (number >= 27000 && number <= 29999) {
    OSRIC_PROP(propertyCode, mode, unitSystem, currencyIndex, materialNumber, temperature, result,
               status, text, kLibraryTextLength);
    if (*status == 0) return;
  } else if (InAsmeLibraryRange(number)) {
    if (HostUsesAsmeLibrary() != 0) {
      // The ASME library's answer is final, whatever its status.
      TARSUS_PROP(propertyCode, mode, unitSystem, currencyIndex, materialNumber, temperature,
                  result, status, text, kLibraryTextLength);
      return;
    }
  }
  LocalLookUp(propertyCode, mode, unitSystem, alternativeText, currencyIndex, materialNumber,
              temperature, result, status, text, textLength);
}
