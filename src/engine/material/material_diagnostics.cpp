// Destinations of the material retrieval's diagnostic lines.
#include "engine/material/material_diagnostics.h"

#include <cstdio>

#include "engine/files/file_units.h"
#include "engine/files/unit_table.h"

namespace {

void ToStream(FILE* stream, const char* text, size_t length) {
  if (length > 0) std::fwrite(text, 1, length, stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

void DefaultStdout(const char* text, size_t length) { ToStream(stdout, text, length); }
void DefaultDiagnostic(const char* text, size_t length) { ToStream(stderr, text, length); }

MaterialLineSink g_stdoutSink = DefaultStdout;
MaterialLineSink g_diagnosticSink = DefaultDiagnostic;

}  // namespace

void SetMaterialStdoutSink(MaterialLineSink sink) { g_stdoutSink = sink ? sink : DefaultStdout; }

void SetMaterialDiagnosticSink(MaterialLineSink sink) {
  g_diagnosticSink = sink ? sink : DefaultDiagnostic;
}

void ResetMaterialSinksForTests() {
  g_stdoutSink = DefaultStdout;
  g_diagnosticSink = DefaultDiagnostic;
}

void WriteMaterialStdoutLine(const char* text, size_t length) { g_stdoutSink(text, length); }

void WriteMaterialDiagnosticLine(const char* text, size_t length) {
  const int64_t unit = UnitOfSlot(kSlotDiagnostic);
  if (unit != 0 && units::IsConnected(unit) &&
      units::WriteLine(unit, text, length) == units::IoStatus::Ok) {
    return;
  }
  g_diagnosticSink(text, length);
}
