#include "report/report_to_text.h"

#include <cstdio>

#include "os/os.h"
#include "report/report_lines.h"

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
