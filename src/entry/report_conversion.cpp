// The run's report file turned into plain text at the end of a run.
#include <cstdio>
#include <cstring>

#include "entry/bounded_text.h"
#include "entry/run_context.h"
#include "os/os.h"

namespace {

constexpr size_t kPiece = 254;  // a longer report line is taken in pieces of this size

// The report read as the C library's text mode reads it: CR LF comes as LF.
struct ReportReader {
  FILE* file;
  int held;  // a character put back, or kNothingHeld
};
constexpr int kNothingHeld = -2;

int NextChar(ReportReader& r) {
  if (r.held != kNothingHeld) {
    const int c = r.held;
    r.held = kNothingHeld;
    return c;
  }
  const int c = std::fgetc(r.file);
  if (c == '\r') {
    const int next = std::fgetc(r.file);
    if (next == '\n') return '\n';
    if (next != EOF) std::ungetc(next, r.file);
  }
  return c;
}

// The next piece of the report: a line without its line end, at most kPiece
// characters; a longer line comes in several pieces. False at the end.
bool ReadPiece(ReportReader& r, char* piece, size_t* length) {
  size_t n = 0;
  int c = EOF;
  while (n < kPiece) {
    c = NextChar(r);
    if (c == EOF || c == '\n') break;
    piece[n++] = static_cast<char>(c);
  }
  if (n == kPiece) {
    // A line of exactly kPiece characters ends with its own line end.
    const int next = NextChar(r);
    if (next != '\n' && next != EOF) r.held = next;
  }
  *length = n;
  return n > 0 || c != EOF;
}

}  // namespace

int ConvertReportToText(const char* reportPath, const char* textPath) {
  FILE* text = os::OpenFile(textPath, "wb");
  if (!text) return 0;
  FILE* report = os::OpenFile(reportPath, "rb");
  if (!report) {
    std::fclose(text);
    return 1;
  }
  ReportReader reader{report, kNothingHeld};
  char piece[kPiece + 1];
  size_t n;
  while (ReadPiece(reader, piece, &n)) {
    piece[n] = '\0';
    // The page text ends at the TAB before the carriage control and the
    // marker text (and at a NUL, as a C text does).
    piece[std::strcspn(piece, "\t")] = '\0';
    if (std::strncmp(piece, "$$$", 3) == 0 || std::strncmp(piece, "[Page break]", 12) == 0) {
      continue;
    }
    std::fputs(piece, text);
    std::fputs("\r\n", text);
  }
  std::fclose(report);
  std::fclose(text);
  return 1;
}

void ConvertRunReport() {
  const RunContext& c = g_runContext;
  if (!c.inputFolderFits || !c.baseNameFits) return;
  char reportPath[kRunFolderSize];
  char textPath[kRunFolderSize];
  if (!bounded::Join(reportPath, sizeof reportPath, c.inputFolder, c.runId, ".KVO") ||
      !bounded::Join(textPath, sizeof textPath, c.inputFolder, c.baseName, ".KVX")) {
    return;
  }
  ConvertReportToText(reportPath, textPath);
}
