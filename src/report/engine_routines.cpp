#include "report/engine_routines.h"

#include "report/engine_call.h"
#include "report/report_services.h"
#include "report/rich_text.h"

namespace {
engine_call::TextBuffer<engine_call::kNameLimit> g_hostText;
}  // namespace

int32_t HostTextCall(const char* text, int64_t textLength) {
  return PassHostText(engine_call::TakeText(&g_hostText, text, textLength));
}

void ReportHookCall() { EmptyReportHook(); }

void RichTextQueryCall(int32_t* flag) { QueryRichText(flag); }
