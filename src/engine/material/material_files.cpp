// Opening and reading the currency, index and property files.
#include "engine/material/material_files.h"

#include <cstring>

#include "engine/files/file_units.h"
#include "engine/files/path_rules.h"
#include "engine/files/unit_table.h"

namespace {

constexpr char kModeText[] = "DUDFORZZ";
constexpr char kExtension[] = "PDA";
constexpr int kNameWidth = 8;

// A file name blank-padded to the engine's eight characters.
struct Name8 {
  char text[kNameWidth];
};
Name8 PadName(const char* name) {
  Name8 n;
  std::memset(n.text, ' ', kNameWidth);
  const size_t length = std::strlen(name);
  std::memcpy(n.text, name, length < kNameWidth ? length : kNameWidth);
  return n;
}

void OpenPda(int slot, const char* name, int64_t locationCode, int64_t recordLength) {
  const Name8 n = PadName(name);
  const int64_t mode = 1;
  const int64_t unit = UnitOfSlot(slot);
  const int64_t spare = 0;
  int64_t error = 0;
  OpenDataFile(&mode, &unit, n.text, kNameWidth, kExtension, 3, &locationCode, &recordLength,
               &spare, kModeText, 8, &error);
}

// The index and property files: the open says whether the file is there,
// with no look before it; a missing one is the caller's answer (status 2) and
// is not reported to the host.
DataFileOpen OpenPdaIfPresent(int slot, const char* name, int64_t recordLength) {
  const Name8 n = PadName(name);
  return OpenDataFileIfPresent(UnitOfSlot(slot), n.text, kNameWidth, kExtension, 3, 1, recordLength,
                               kModeText, 8);
}

void ClosePda(int slot, const char* name) {
  const Name8 n = PadName(name);
  const int64_t mode = 2;
  const int64_t unit = UnitOfSlot(slot);
  const int64_t location = 1;
  const int64_t recordLength = 0;
  const int64_t spare = 0;
  int64_t error = 0;
  OpenDataFile(&mode, &unit, n.text, kNameWidth, kExtension, 3, &location, &recordLength, &spare,
               kModeText, 8, &error);
}

bool ReadRecord1(int slot, int64_t recordNumber, unsigned char* buffer, size_t bytes) {
  const int64_t unit = UnitOfSlot(slot);
  return unit != 0 && units::ReadRecord(unit, recordNumber, buffer, bytes) == units::IoStatus::Ok;
}

}  // namespace

float LoadFloatLE(const unsigned char* b) {
  const uint32_t bits = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                        (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

int16_t LoadInt16LE(const unsigned char* b) {
  const uint16_t bits = static_cast<uint16_t>(b[0] | (b[1] << 8));
  return static_cast<int16_t>(bits);
}

void LoadCurrencyTable() {
  constexpr int64_t kBytes = 800;
  unsigned char record[kBytes];
  OpenPda(kSlotTables, "N_STDLAB", 4, kBytes);
  const bool read = ReadRecord1(kSlotTables, 1, record, sizeof record);
  ClosePda(kSlotTables, "N_STDLAB");
  g_currencyFactors.factor[0] = 1.0f;
  if (read) {
    for (int k = 2; k <= kCurrencies; ++k) {
      const float word = LoadFloatLE(&record[4 * (119 + k - 1)]);
      if (word > 0.0f) g_currencyFactors.factor[k - 1] = word;
    }
  }
  std::memset(g_materialCache.bigIndex, 0, sizeof g_materialCache.bigIndex);
  std::memset(g_materialCache.privateIndex, 0, sizeof g_materialCache.privateIndex);
  std::memset(g_materialCache.slot, 0, sizeof g_materialCache.slot);
  g_materialCache.currentSet = kNoSet;
  g_materialCache.loadedSet = kNoSet;
  g_materialCache.currencyLoaded = true;
}

PdaRead LoadSetIndex(int32_t setId) {
  const DatabaseSet* set = DatabaseSetOf(setId);
  if (!set) return PdaRead::kMissing;
  const int64_t bytes = 2 * static_cast<int64_t>(set->indexEntries);
  unsigned char record[2 * kBigIndexEntries];
  const DataFileOpen opened = OpenPdaIfPresent(kSlotIndex, set->indexFile, bytes);
  if (opened == DataFileOpen::kMissing) return PdaRead::kMissing;
  const bool read = ReadRecord1(kSlotIndex, 1, record, static_cast<size_t>(bytes));
  ClosePda(kSlotIndex, set->indexFile);
  if (!read) return PdaRead::kUnreadable;
  int16_t* index = setId == kSetPrivate ? g_materialCache.privateIndex : g_materialCache.bigIndex;
  for (int32_t i = 0; i < set->indexEntries; ++i) index[i] = LoadInt16LE(&record[2 * i]);
  return PdaRead::kRead;
}

PdaRead ReadPropertyRecord(int32_t setId, int64_t recordNumber, unsigned char* record1220) {
  const DatabaseSet* set = DatabaseSetOf(setId);
  if (!set) return PdaRead::kMissing;
  const DataFileOpen opened = OpenPdaIfPresent(kSlotProperty, set->propertyFile, kRecordBytes);
  if (opened == DataFileOpen::kMissing) return PdaRead::kMissing;
  const bool read = ReadRecord1(kSlotProperty, recordNumber, record1220, kRecordBytes);
  ClosePda(kSlotProperty, set->propertyFile);
  return read ? PdaRead::kRead : PdaRead::kUnreadable;
}
