// The table of the engine's file unit numbers.
#include "engine/files/unit_table.h"

#include <cstring>

UnitTable g_unitTable;

int64_t UnitOfSlot(int slot) {
  if (slot < 1 || slot > kUnitSlots) return 0;
  return g_unitTable.unit[slot - 1];
}

void FillUnitTable() {
  for (int k = 1; k <= kUnitSlots; ++k) g_unitTable.unit[k - 1] = 50 + k;
}

void ResetUnitTableForTests() { std::memset(&g_unitTable, 0, sizeof g_unitTable); }
