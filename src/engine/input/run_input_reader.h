// The run input reader: reads the calling program's section of a run input
// file (.KVT) into the input tables and the stream property curves.
//
// The file: line 1 (one text, not used); line 2 (one text that must begin with
// "CorvoSoft/K-VOR"); then records of six items (keyword, name, third field,
// source flag, index, value). The calling program's section is its
// application record ("[BeginApplication]", name beginning with the program
// name's first letter), an "[Input-Scalar]" record, the scalar records, an
// "[Input-Array]" record whose index has no meaning as a scalar or text, and the
// array groups up to a "[Results-Scalar]" header.
//
// The status is 0, or 1 when the heading is wrong, the application record is
// missing, or a read fails after the application record was found. Whatever
// was stored before the reading stopped stays stored. The stream curves are
// reset before anything is read and completed on every way out.
#pragma once

#include <cstdint>

#include "engine/files/file_units.h"

// Reads from any line source (the run input file's unit: run_input_unit.h;
// tests, fuzzing). Only the program name's first character counts.
void ReadRunInputFrom(units::LineSource* source, const char* programName, int64_t programNameLength,
                      int64_t* status);
