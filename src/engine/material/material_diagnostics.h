// Where the material retrieval's diagnostic lines go.
//
// Two kinds of line:
// - the copy and search helpers' misuse lines (SSCANH, MOVEC) go to standard
//   output, as the system has always printed them;
// - the line of a record that could not be read goes to the engine's
//   diagnostic output, unit 56 (UnitTable slot 6). Nothing in this library
//   connects that unit to a file: when some caller has connected it, the line
//   is written there; otherwise it goes to the diagnostic sink, which writes it
//   to standard error (a person running a job sees it; the results file and
//   standard output stay clean).
// Tests may replace either destination with a function of their own.
#pragma once

#include <cstddef>

using MaterialLineSink = void (*)(const char* text, size_t length);

// nullptr restores the default (standard output / standard error).
void SetMaterialStdoutSink(MaterialLineSink sink);
void SetMaterialDiagnosticSink(MaterialLineSink sink);

// Load-time state: both destinations the default ones.
void ResetMaterialSinksForTests();

// One line (without line end) to standard output, or to the replacement.
void WriteMaterialStdoutLine(const char* text, size_t length);
// One line to unit 56 when it is connected, else to the diagnostic sink.
void WriteMaterialDiagnosticLine(const char* text, size_t length);
