// The run input reader on the run input file's unit (run_input_reader.h says
// what it reads).
#pragma once

#include <cstdint>

// Reads from the file unit of slot 4 of the unit table, which the caller has
// opened for sequential text reading at its first line; the reader neither
// opens, rewinds nor closes it. Only the program name's first character counts.
void ReadRunInput(const char* programName, int64_t programNameLength, int64_t* status);
