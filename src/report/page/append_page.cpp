// Appending one composed page, with its picture references, to the run's
// report file.
#include <cstdio>
#include <cstring>

#include "os/os.h"
#include "report/page/report_files.h"
#include "report/report_lines.h"
#include "run/run_context.h"
#include "run/text.h"

namespace {

constexpr int32_t kRowWidth = 80;
constexpr int32_t kTextColumns = 79;

bool IsBlankRow(const char* rowText) {
  for (int32_t i = 0; i < kTextColumns; ++i) {
    if (rowText[i] != ' ' && rowText[i] != '\0') return false;
  }
  return true;
}

bool WriteLine(FILE* f, const char* text, int32_t length) {
  const bool ok =
      std::fwrite(text, 1, static_cast<size_t>(length), f) == static_cast<size_t>(length);
  return std::fwrite("\r\n", 1, 2, f) == 2 && ok;
}

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

// A whole number of the reference: blanks, an optional sign and at least one
// digit. Saturates far beyond any page's rows and columns.
bool ReadNumber(const char** cursor, const char* end, int32_t* value) {
  const char* p = *cursor;
  while (p < end && IsBlankChar(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  if (p >= end || *p < '0' || *p > '9') return false;
  int64_t v = 0;
  while (p < end && *p >= '0' && *p <= '9') {
    if (v < 100000000) v = v * 10 + (*p - '0');
    ++p;
  }
  *value = static_cast<int32_t>(negative ? -v : v);
  *cursor = p;
  return true;
}

struct PictureRef {
  char name[kPageRefTextLimit + 1];
  int32_t firstColumn, firstRow, lastColumn, lastRow;
};

// The text between the brackets: a name up to the first blank and four whole
// numbers. False when any of them is missing: such a reference is skipped
// whole, so that no picture line and no drawing copy comes from half a
// reference.
bool ParsePictureRef(const char* from, const char* end, PictureRef* ref) {
  const char* p = from;
  while (p < end && IsBlankChar(*p)) ++p;
  const char* nameStart = p;
  while (p < end && !IsBlankChar(*p)) ++p;
  const size_t nameLength = static_cast<size_t>(p - nameStart);
  if (nameLength == 0 || nameLength > kPageRefTextLimit) return false;
  std::memcpy(ref->name, nameStart, nameLength);
  ref->name[nameLength] = '\0';
  return ReadNumber(&p, end, &ref->firstColumn) && ReadNumber(&p, end, &ref->firstRow) &&
         ReadNumber(&p, end, &ref->lastColumn) && ReadNumber(&p, end, &ref->lastRow);
}

// How many rows the page's first rows up to `row` (counted from 1) move a
// picture up: a row not written moves it up by one, a blank line written
// before a '0' row down by one; nothing after a row that ends the page counts.
int32_t RowShift(const char* page, const char* templateRows, int32_t row) {
  int32_t shift = 0;
  const int32_t last = row < kComposedRows ? row : kComposedRows;
  for (int32_t r = 0; r < last; ++r) {
    const RowEffect effect =
        ClassifyTemplateRow(templateRows[r * kRowWidth + kTextColumns], page + r * kRowWidth);
    if (effect == RowEffect::kEndPage) break;
    if (effect == RowEffect::kSkip) ++shift;
    if (effect == RowEffect::kBlankLineBefore) --shift;
  }
  return shift;
}

// Finds the next reference from `cursor`: '<' and the first '>' after it, or,
// when no '<' is left, '{' and the first '}' after it.
bool NextReference(const char* cursor, const char** open, const char** close) {
  const char* o = std::strchr(cursor, '<');
  char closing = '>';
  if (o == nullptr) {
    o = std::strchr(cursor, '{');
    closing = '}';
  }
  if (o == nullptr) return false;
  const char* c = std::strchr(o + 1, closing);
  if (c == nullptr) return false;
  *open = o;
  *close = c;
  return true;
}

void WritePictureLines(FILE* f, const char* page, const char* templateRows, const char* refs) {
  const char* cursor = refs;
  const char* open = nullptr;
  const char* close = nullptr;
  while (NextReference(cursor, &open, &close)) {
    cursor = close + 1;
    PictureRef ref;
    if (!ParsePictureRef(open + 1, close, &ref)) continue;
    // A name with a line end or another control character in it would split
    // its picture line (and could forge one): no line, and no drawing copy.
    if (!IsPictureLineName(ref.name)) continue;
    // The print job and the preview keep 29 characters after "$$$" and take
    // a drawing by what they kept. A longer name of another picture never
    // comes back whole (it could not be shown), and its first 29 characters
    // may end in ".KFD": the readers would then count a drawing that was
    // never copied, and every later drawing would be the wrong one. A
    // drawing's own name is replaced by the run's drawing file below.
    if (!IsDrawingReference(ref.name) && std::strlen(ref.name) > kPictureRefLength) continue;
    const int32_t shift = RowShift(page, templateRows, ref.firstRow);
    int32_t firstRow = ref.firstRow - shift;
    int32_t lastRow = ref.lastRow - shift;
    if (firstRow < 1) firstRow = 1;
    if (lastRow < 1) lastRow = 1;

    const char* name = ref.name;
    char drawingPath[kReportNameSize];
    if (IsDrawingReference(ref.name) && MakeRunDrawingPath(drawingPath, sizeof drawingPath)) {
      // The drawing becomes the next drawing of the run's drawing file; the
      // picture line names that file, as its readers count drawings in it.
      // A path that does not fit names no file: an empty drawing keeps the
      // numbering.
      char source[kRunFolderSize];
      bounded::Join(source, sizeof source, GetInputDir(), ref.name);
      CopyFileMode(source, drawingPath, kCopyDrawing);
      // The file name alone, whichever separator the input folder was written
      // with: readers keep only 29 characters after "$$$".
      name = file_names::NameStart(drawingPath);
    }
    char line[kPageRefTextLimit + 64];
    const int32_t length = FormatPictureLine(line, sizeof line, name, ref.firstColumn, firstRow,
                                             ref.lastColumn, lastRow);
    if (length >= 0) WriteLine(f, line, length);
  }
}

}  // namespace

RowEffect ClassifyTemplateRow(char control, const char* rowText) {
  switch (control) {
    case 'X':
      return RowEffect::kEndPage;
    case '*':
      return IsBlankRow(rowText) ? RowEffect::kEndPage : RowEffect::kWrite;
    case 'x':
      return RowEffect::kSkip;
    case 'U':
    case '-':
      return IsBlankRow(rowText) ? RowEffect::kSkip : RowEffect::kWrite;
    case '0':
      return RowEffect::kBlankLineBefore;
    default:
      return RowEffect::kWrite;
  }
}

int32_t AppendPageToReport(char* page, const char* templateRows, const char* pictureRefText,
                           char* markerMap) {
  char reportPath[kReportNameSize];
  if (!MakeRunReportPath(reportPath, sizeof reportPath)) return -1;
  FILE* f = os::OpenFile(reportPath, "ab");
  if (f == nullptr) return -1;

  if (pictureRefText != nullptr && std::strlen(pictureRefText) > 10) {
    WritePictureLines(f, page, templateRows, pictureRefText);
  }

  char line[kPageLineMax + 1];
  for (int32_t r = 0; r < kComposedRows; ++r) {
    char* row = page + r * kRowWidth;
    for (int32_t i = 0; i < kTextColumns; ++i) {
      if (row[i] == '\0') row[i] = ' ';
    }
    char* markers = markerMap + r * kRowWidth;
    for (int32_t i = 0; i < kRowWidth; ++i) {
      if (markers[i] != '{' && markers[i] != '}' && markers[i] != '~') markers[i] = ' ';
    }
    const char control = templateRows[r * kRowWidth + kTextColumns];
    const RowEffect effect = ClassifyTemplateRow(control, row);
    if (effect == RowEffect::kEndPage) break;
    if (effect == RowEffect::kSkip) continue;
    if (effect == RowEffect::kBlankLineBefore) WriteLine(f, line, FormatBlankPageLine(line));
    WriteLine(f, line, FormatPageLine(line, row, control, markers));
  }
  std::fclose(f);
  return 0;
}
