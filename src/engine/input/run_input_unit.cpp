// The reader's entry on the run input file's unit; kept apart so that the
// reader itself needs nothing but a line source.
#include "engine/input/run_input_unit.h"

#include "engine/files/unit_table.h"
#include "engine/input/run_input_reader.h"

void ReadRunInput(const char* programName, int64_t programNameLength, int64_t* status) {
  units::LineSource source = units::UnitLineSource(UnitOfSlot(kSlotRunInput));
  ReadRunInputFrom(&source, programName, programNameLength, status);
}
