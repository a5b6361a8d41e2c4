// The run's report file turned into plain text at the end of a run.
#include "entry/report_conversion.h"

#include <cstdio>

#include "os/os.h"
#include "report/report_lines.h"
#include "run/run_context.h"
#include "run/text.h"

void ConvertRunReport() {
  const RunContext& c = g_runContext;
  if (!c.inputFolderFits || !c.baseNameFits) return;
  char textPath[kRunFolderSize];
  if (!bounded::Join(textPath, sizeof textPath, c.inputFolder, c.baseName, ".KVX")) return;
  char reportPath[kRunFolderSize];
  if (!MakeRunReportPath(reportPath, sizeof reportPath)) {
    // A report whose name does not fit is one that cannot be opened: the
    // text file is still created, or emptied, and stays empty.
    if (FILE* text = os::OpenFile(textPath, "wb")) std::fclose(text);
    return;
  }
  ConvertReportToText(reportPath, textPath);
}
