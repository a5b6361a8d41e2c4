#include "report/print/print_calls.h"

#include <windows.h>

#include <commdlg.h>

namespace {

int RealSetAbortProc(void* dc, void* proc) {
  return ::SetAbortProc(static_cast<HDC>(dc), reinterpret_cast<ABORTPROC>(proc));
}
int RealStartDoc(void* dc, const void* info) {
  return ::StartDocA(static_cast<HDC>(dc), static_cast<const DOCINFOA*>(info));
}
int RealEscape(void* dc, int code, int size, const char* in, void* out) {
  return ::Escape(static_cast<HDC>(dc), code, size, in, out);
}
int RealStartPage(void* dc) { return ::StartPage(static_cast<HDC>(dc)); }
int RealEndPage(void* dc) { return ::EndPage(static_cast<HDC>(dc)); }
int RealEndDoc(void* dc) { return ::EndDoc(static_cast<HDC>(dc)); }
int RealAbortDoc(void* dc) { return ::AbortDoc(static_cast<HDC>(dc)); }
int RealPrintDialog(void* pd) { return ::PrintDlgA(static_cast<PRINTDLGA*>(pd)); }

const PrintCalls kReal = {RealSetAbortProc, RealStartDoc, RealEscape,   RealStartPage,
                          RealEndPage,      RealEndDoc,   RealAbortDoc, RealPrintDialog};

}  // namespace

PrintCalls g_printCalls = kReal;

const PrintCalls& RealPrintCalls() { return kReal; }
void ResetPrintCallsForTests() { g_printCalls = kReal; }
