// Appending one report to another and converting a named report to text.
#include <cstring>

#include "host/gantry.h"
#include "os/os.h"
#include "report/page/page_state.h"
#include "report/page/report_files.h"
#include "report/report_to_text.h"
#include "run/run_context.h"
#include "run/text.h"

namespace {

bool EqualWithoutCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (ascii::Upper(*a) != ascii::Upper(*b)) return false;
  }
  return *a == *b;
}

// The report's drawing file: the text from the last '.' of the file name (never
// of a folder) replaced by ".KFD". False when the file name has no '.' or the
// path does not fit.
bool DrawingFileOf(const char* report, char* out, size_t size) {
  const char* point = std::strrchr(file_names::NameStart(report), '.');
  if (point == nullptr) return false;
  const size_t stem = static_cast<size_t>(point - report);
  if (stem + 4 + 1 > size) return false;
  std::memcpy(out, report, stem);
  std::memcpy(out + stem, ".KFD", 5);
  return true;
}

// base + extension, when the base name is usable: not empty and at most 95
// characters (a longer one is refused rather than cut, which would name
// another file).
bool NamedFile(const char* base, const char* extension, char* out, size_t size) {
  const size_t n = std::strlen(base);
  if (n == 0 || n > static_cast<size_t>(kBaseNameLimit)) return false;
  return bounded::Join(out, size, base, extension);
}

}  // namespace

void AppendReport(const char* source, const char* target) {
  if (EqualWithoutCase(source, target)) return;
  char drawing[kRunFolderSize];
  if (DrawingFileOf(target, drawing, sizeof drawing) && os::FileExists(drawing) &&
      !os::FileExists(target)) {
    os::RemoveFile(drawing);  // it belongs to no report
  }
  CopyFileMode(source, target, kCopyAppend);
}

void AppendNamedReport(const void* /*unused1*/, const void* /*unused2*/, const char* targetBase,
                       const char* sourceBase, int32_t appendFlag) {
  HostFileNotice();
  char source[kBaseNameLimit + 5];
  char target[kBaseNameLimit + 5];
  if (!NamedFile(sourceBase, ".KVO", source, sizeof source) ||
      !NamedFile(targetBase, ".KVO", target, sizeof target))
    return;
  if (!os::FileExists(source)) return;
  if (appendFlag != 0) AppendReport(source, target);
  ReleasePageFonts();
}

int32_t ConvertNamedReport(const char* textBase, const char* reportBase) {
  HostFileNotice();
  char report[kBaseNameLimit + 5];
  char text[kBaseNameLimit + 5];
  if (!NamedFile(reportBase, ".KVO", report, sizeof report) ||
      !NamedFile(textBase, ".KVX", text, sizeof text))
    return 0;
  if (!os::FileExists(report)) return 0;
  return ConvertReportToText(report, text);
}
