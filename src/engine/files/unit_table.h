// The engine's file unit numbers: slot k (1..50) holds unit 50 + k after run
// initialisation. Every file the engine opens is named by one of these units.
#pragma once

#include <cstdint>

struct UnitTable {
  int64_t unit[50];  // slot k is unit[k - 1]
};

extern UnitTable g_unitTable;

constexpr int kUnitSlots = 50;
constexpr int kSlotRunInput = 4, kSlotDiagnostic = 6, kSlotTables = 14, kSlotIndex = 30,
              kSlotProperty = 31, kSlotDelete = 49;
constexpr int kSlotModeCleared = 5;  // set to 0 by most run-mode words; unused otherwise

// The unit number in slot k (1..50); 0 for a slot outside the table.
int64_t UnitOfSlot(int slot);
// Slot k becomes 50 + k for every slot.
void FillUnitTable();
// Load-time state: every slot 0.
void ResetUnitTableForTests();
