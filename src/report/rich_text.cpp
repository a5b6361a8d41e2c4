#include "report/rich_text.h"

#include <cstring>

#include "host/quire.h"
#include "os/os.h"
#include "report/language.h"
#include "report/report_lines.h"

namespace {

// The field values as the rich-text library receives them.
char g_fieldValueCopy[kFieldValueListLimit + 1];

void AppendToRunReport(const char* line, size_t length) {
  char path[kReportNameSize];
  if (!MakeRunReportPath(path, sizeof path)) return;
  AppendReportLine(path, line, length);
}

}  // namespace

int32_t ComposeRichTextPage(const char* templateName, const char* screenName,
                            const char* fieldValues) {
  char path[kReportPathSize];
  if (!MakeTemplatePath(path, templateName) || !os::FileExists(path)) return -1;

  int32_t i = 0;
  while (i < kFieldValueListLimit && fieldValues[i] != static_cast<char>(kFieldValueEnd)) {
    g_fieldValueCopy[i] = fieldValues[i] == '\0' ? ' ' : fieldValues[i];
    ++i;
  }
  // The end mark must lie among the first 1999 characters; otherwise the page
  // goes on without field values.
  if (i >= kFieldValueListLimit - 1) g_fieldValueCopy[0] = static_cast<char>(kFieldValueEnd);
  g_fieldValueCopy[i] = '\0';
  ParseRTF(path, screenName, g_fieldValueCopy);
  return 1;
}

void QueryRichText(int32_t* flag) { *flag = IsRTFEnabled() != 0 ? 1 : 0; }

void RichTextQueryCall(int32_t* flag) { QueryRichText(flag); }

void ReportPageBreak() {
  if (IsRTFEnabled() != 0) {
    PageBreak();
    return;
  }
  AppendToRunReport(kPageBreakMarker, std::strlen(kPageBreakMarker));
}

void ReportComponentBreak() {
  if (IsRTFEnabled() != 0) {
    ComponentBreak();
    return;
  }
  AppendToRunReport(kComponentBreakMarker, std::strlen(kComponentBreakMarker));
}

void ReportTocBreak() {
  if (IsRTFEnabled() != 0) TOCBreak();
}

void ReportSectionStart(const char* sectionName, int32_t length) {
  if (IsRTFEnabled() != 0) {
    SectionStart(sectionName);
    return;
  }
  char line[kSectionLineSize];
  const int32_t n = FormatSectionStartLine(line, sectionName, length);
  AppendToRunReport(line, static_cast<size_t>(n));
}

void ReportSectionEnd() {
  if (IsRTFEnabled() != 0) {
    SectionEnd();
    return;
  }
  AppendToRunReport(kSectionEndMarker, std::strlen(kSectionEndMarker));
}
