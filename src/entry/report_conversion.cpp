// The run's report file turned into plain text at the end of a run.
#include "entry/report_conversion.h"

#include <cstdio>

#include "os/os.h"
#include "report/report_lines.h"
#include "run/run_context.h"
#include "run/text.h"

int ConvertReportToText(const char* reportPath, const char* textPath) {
  FILE* text = os::OpenFile(textPath, "wb");
  if (!text) return 0;
  FILE* report = os::OpenFile(reportPath, "rb");
  if (!report) {
    std::fclose(text);
    return 1;
  }
  // Page lines give their text up to the TAB before the carriage control and
  // the markers; marker lines are copied whole; pictures and page breaks go.
  ReportLineReader reader;
  StartReportLines(&reader, report);
  ReportLine line;
  while (ReadReportLine(&reader, kConversionLineLimit, &line)) {
    const ReportLineKind kind = ClassifyReportLine(line, LineMatch::kExact);
    if (kind == ReportLineKind::kPicture || kind == ReportLineKind::kPageBreak) continue;
    std::fwrite(line.text, 1, static_cast<size_t>(ConvertedTextLength(line)), text);
    std::fputs("\r\n", text);
  }
  std::fclose(report);
  std::fclose(text);
  return 1;
}

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
