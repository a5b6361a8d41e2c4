// Arbitrary bytes as a template screen record, as field values and picture
// references, and as a report and a drawing file, read the way the page
// composer and the report file operations read them. Nothing may crash or
// touch memory outside its buffers, and every drawing picture line that a
// composed page writes, counted as the print job and the preview count them,
// must add exactly one sound drawing to the run's drawing file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drawing/pictures.h"
#include "os/os.h"
#include "report/compose/page_composer.h"
#include "report/page/report_files.h"
#include "report/report_lines.h"
#include "report/screen/screen_model.h"
#include "run/run_context.h"
#include "scratch_folder.h"

namespace {

int Silent(void*, const char*, const char*, uint32_t) { return os::kIdOk; }

// The scratch folder with its job and data subfolders, made once.
std::string Folder() {
  static bool made = false;
  const std::string w = FuzzScratchFolder("pages");
  if (!made) {
    for (const char* sub : {"JOB", "DAT", "DAT\\LAN", "DAT\\PDA"}) {
      os::CreateFolder((w + sub).c_str());
    }
    made = true;
  }
  return w;
}

void Write(const std::string& path, const void* data, size_t size) {
  WriteFuzzFile(path, data, size);
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (FILE* f = os::OpenFile(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// The drawings of a drawing file, each sound and back to back up to its end;
// -1 when the file is not such a sequence.
int CountSoundDrawings(const std::string& bytes) {
  size_t at = 0;
  int n = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < 104) return -1;
    int32_t count = 0;
    int32_t size = 0;
    std::memcpy(&count, bytes.data() + at + 88, 4);
    std::memcpy(&size, bytes.data() + at + 92, 4);
    if (count < 0 || size < 0) return -1;
    const uint64_t total = 104 + uint64_t(count) * 25 + uint64_t(size);
    if (total > bytes.size() - at) return -1;
    at += total;
    ++n;
  }
  return n;
}

// Picture lines of the report that name a drawing, read as the print job and
// the preview read them: with the library's line reader and classifier, and
// by the reference they keep.
int CountDrawingLines(const std::string& reportPath) {
  FILE* f = os::OpenFile(reportPath.c_str(), "rb");
  if (f == nullptr) return 0;
  ReportLineReader reader;
  StartReportLines(&reader, f);
  ReportLine line;
  int n = 0;
  while (ReadReportLine(&reader, kPrintLineLimit, &line)) {
    if (ClassifyReportLine(line, LineMatch::kAnyCase) != ReportLineKind::kPicture) continue;
    // What the readers keep of a picture line decides whether it is a
    // drawing: the 29 characters after "$$$".
    char reference[kPictureRefLength + 1];
    TakePictureReference(line, reference);
    if (IsDrawingReference(reference)) ++n;
  }
  std::fclose(f);
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  os::SetMessageBoxHook(Silent);
  const std::string root = Folder();
  const std::string job = root + "JOB\\";
  os::SetSettingsFolder(root.c_str());
  std::strcpy(g_runContext.programFolder, root.c_str());
  std::strcpy(g_runContext.inputFolder, job.c_str());
  std::strcpy(g_runContext.runId, "A1B2C3");
  g_runContext.programFolderFits = true;
  g_runContext.inputFolderFits = true;
  os::RemoveFile((job + "A1B2C3.KVO").c_str());
  os::RemoveFile((job + "A1B2C3.KFD").c_str());

  // Three parts: the template record, the field values, the picture text.
  const size_t third = size / 3;
  const uint8_t* record = data;
  const uint8_t* values = data + third;
  const uint8_t* pictures = data + 2 * third;
  const size_t picturesSize = size - 2 * third;

  Write(root + "DAT\\PDA\\G_ENGLIS.PDA", "x", 1);
  Write(root + "DAT\\LAN\\TEST.ENG", record, third);
  const uint32_t entries[2] = {0, third > 0 ? static_cast<uint32_t>(third / 2) : 0};
  Write(root + "DAT\\LAN\\TESTINDX.ENG", entries, sizeof entries);
  Write(job + "PLAN.KFD", data, size);  // what drawing references copy

  std::string pictureText(reinterpret_cast<const char*>(pictures), picturesSize);
  char result[6] = "     ";
  std::vector<char> fieldValues(values, values + third);
  fieldValues.resize(2100, '\0');
  char screen[9] = "TEST0001";
  ComposePage("D  ", screen, fieldValues.data(), pictureText.c_str(), result);
  ComposePageCall("D", 1, "TEST  02", 8, reinterpret_cast<const char*>(values),
                  static_cast<int64_t>(third), pictureText.data(),
                  static_cast<int64_t>(picturesSize), result, 5);

  // Every drawing picture line brought exactly one sound drawing.
  const int drawingLines = CountDrawingLines(job + "A1B2C3.KVO");
  if (CountSoundDrawings(ReadAll(job + "A1B2C3.KFD")) != drawingLines) __builtin_trap();

  // The record laid out on its own, and the screen's attributes from it.
  std::vector<char> buffer(kTemplateRecordSize, '\0');
  std::memcpy(buffer.data(), record, third < buffer.size() ? third : buffer.size());
  char page[kComposeCells];
  char mask[kKeyMaskLength];
  char header[kHeaderFieldsLength];
  int32_t cursor = -1;
  LayOutTemplate("EX ", buffer.data(), page, mask, header, &cursor);
  FreeAllPictures();
  char screenText[kScreenCells];
  uint8_t attributes[kComposeCells];
  ScreenAttributesFromTemplate(screenText, page, attributes);
  int32_t code = 0;
  char name[kReferenceNameSize];
  for (int32_t cell = 0; cell < kComposeCells; cell += 37) ParseReference(cell, page, &code, name);

  // The bytes as a report: appended to another, converted, and copied in
  // every mode.
  Write(job + "SRC.KVO", data, size);
  AppendNamedReport(nullptr, nullptr, (job + "DST").c_str(), (job + "SRC").c_str(), 1);
  ConvertNamedReport((job + "TXT").c_str(), (job + "SRC").c_str());
  const int32_t mode = size > 0 ? data[0] % 5 : 2;
  CopyFileMode((job + "SRC.KVO").c_str(), (job + "DST.KVO").c_str(), mode);
  CopyFileMode((job + "PLAN.KFD").c_str(), (job + "A1B2C3.KFD").c_str(), kCopyDrawing);
  if (CountSoundDrawings(ReadAll(job + "A1B2C3.KFD")) != drawingLines + 1) __builtin_trap();
  os::RemoveFile((job + "DST.KVO").c_str());
  return 0;
}
