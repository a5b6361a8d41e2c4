// Class resolution: the class table and the built-in default materials.
#include "engine/main/class_resolution.h"

#include <bit>
#include <cmath>

#include "engine/files/file_units.h"
#include "engine/files/path_rules.h"
#include "engine/files/unit_table.h"
#include "engine/main/main_calculation.h"

// The class table's record is 2500 little-endian four-byte reals, read as
// they lie into the table.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(MainCalculationState::classTable) == 10000);

const int16_t kDefaultClassMaterials[kDefaultClasses] = {
    1109, 1116, 1118, 1120, 1122, 1123, 1125, 1127, 1129, 1131,  // classes 1-10
    1133, 1135, 1136, 1137, 1139, 1140, 1249, 1250, 1251, 1146,  // 11-20
    1252, 1253, 1255, 1154, 1259, 1258, 1157, 1257, 1263, 1438,  // 21-30
    1437, 1364, 1453, 1363, 1401, 1436, 1361, 1365, 1109, 1123,  // 31-40
};

namespace {

// The row words that may name the class's material, in the order they are
// tried.
constexpr int kCandidateWords[] = {2, 8, 3, 4, 5, 6, 9};

// Reads record 1 of the class table into the state. False when it cannot be
// read whole (also when the open failed and the unit has no file).
bool ReadClassTable() {
  const int64_t open = 1;
  const int64_t unit = UnitOfSlot(kSlotTables);
  const int64_t location = 4;
  const int64_t recordLength = 10000;
  const int64_t spare = 1;
  int64_t openStatus = 0;
  OpenDataFile(&open, &unit, "N_Mtldef", 8, "PDA", 3, &location, &recordLength, &spare, "DUDFORZZ",
               8, &openStatus);
  const units::IoStatus read =
      units::ReadRecord(unit, 1, g_mainCalculation.classTable, sizeof g_mainCalculation.classTable);
  // Closed on every path: a unit left open would hold the file until the next
  // run's initialisation.
  units::Disconnect(unit, false);
  return read == units::IoStatus::Ok;
}

}  // namespace

int64_t WholeNumber(float value) {
  if (std::isnan(value)) return 0;
  // 2^63 as a four-byte real; every real below it in magnitude converts.
  constexpr float kLimit = 9223372036854775808.0f;
  if (value >= kLimit) return INT64_MAX;
  if (value <= -kLimit) return INT64_MIN;
  return static_cast<int64_t>(value);
}

bool ResolveMaterialClass(int64_t classNumber, int64_t* materialNumber) {
  if (classNumber < 1 || classNumber > kClassRows) return false;
  if (!ReadClassTable()) return false;
  const float* row = &g_mainCalculation.classTable[(classNumber - 1) * kClassRowWords];
  for (const int w : kCandidateWords) {
    const int64_t candidate = WholeNumber(row[w - 1]);
    if (candidate > 0) {
      *materialNumber = candidate;
      return true;
    }
  }
  if (classNumber > kDefaultClasses) return false;  // no default: no material
  *materialNumber = kDefaultClassMaterials[classNumber - 1];
  return true;
}
