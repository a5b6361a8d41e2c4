#include "report/report_lines.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "os/os.h"
#include "run/run_context.h"
#include "run/text.h"

const char kPictureLinePrefix[] = "$$$";
const char kPageBreakLinePrefix[] = "[Page break]";
const char kPageBreakMarker[] =
    "------------------------------ Page Break ------------------------------";
const char kComponentBreakMarker[] =
    "------------------------- Component Break --------------------------";
const char kSectionEndMarker[] = "[Section End]";
const char kSectionStartPrefix[] = "[Section Start] ";

namespace {

bool MakeRunFile(char* out, size_t size, const char* extension) {
  // An input folder that did not fit its field is empty, which would name a
  // file in the current folder.
  if (!g_runContext.inputFolderFits) {
    if (size > 0) out[0] = '\0';
    return false;
  }
  const char* runId = GetRunId();
  const char* stem = runId[0] == '\0' ? "OUTPUT" : runId;
  return bounded::Join(out, size, GetInputDir(), stem, extension);
}

bool BeginsWith(const ReportLine& line, const char* prefix, LineMatch match) {
  const int32_t n = static_cast<int32_t>(std::strlen(prefix));
  if (line.length < n) return false;
  for (int32_t i = 0; i < n; ++i) {
    const char a = line.text[i];
    const char b = prefix[i];
    if (match == LineMatch::kExact ? a != b : ascii::Upper(a) != ascii::Upper(b)) return false;
  }
  return true;
}

bool IsMarker(char c) { return c == '{' || c == '}' || c == '~'; }

// A character of a line as the page readers see it: past the end a blank,
// NUL and LF blanks.
char PageChar(const ReportLine& line, int32_t i) {
  if (i < 0 || i >= line.length) return ' ';
  const char c = line.text[i];
  return c == '\0' || c == '\n' ? ' ' : c;
}

}  // namespace

bool MakeRunReportPath(char* out, size_t size) { return MakeRunFile(out, size, ".KVO"); }

bool MakeRunDrawingPath(char* out, size_t size) { return MakeRunFile(out, size, ".KFD"); }

bool MakeReportDrawingName(const char* reportPath, ExtensionDot dot, char* out, size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  const char* name = file_names::NameStart(reportPath);
  const char* point = dot == ExtensionDot::kLast ? std::strrchr(name, '.') : std::strchr(name, '.');
  if (point == nullptr) return false;
  const size_t stem = static_cast<size_t>(point - name);
  if (stem + 4 + 1 > size) return false;
  std::memcpy(out, name, stem);
  std::memcpy(out + stem, ".KFD", 5);
  return true;
}

int32_t FormatPageLine(char* out, const char* text, char control, const char* markers) {
  for (int32_t i = 0; i < kPageTextWidth - 1; ++i) out[i] = ReportTextChar(text[i]);
  out[kPageTextWidth - 1] = ' ';
  out[kPageTextWidth] = '\t';
  out[kPageTextWidth + 1] = control;
  int32_t last = -1;
  for (int32_t i = 0; i < kPageTextWidth; ++i) {
    if (IsMarker(markers[i])) last = i;
  }
  char* m = out + kPageTextWidth + 2;
  for (int32_t i = 0; i <= last; ++i) m[i] = IsMarker(markers[i]) ? markers[i] : ' ';
  const int32_t length = kPageTextWidth + 2 + last + 1;
  out[length] = '\0';
  return length;
}

int32_t FormatBlankPageLine(char* out) {
  std::memset(out, ' ', kPageTextWidth);
  out[kPageTextWidth] = '\t';
  out[kPageTextWidth + 1] = ' ';
  out[kPageTextWidth + 2] = '\0';
  return kPageTextWidth + 2;
}

namespace {

// Appends `value` right-aligned in at least `width` characters ("%2d"), as
// std::to_chars writes it on both builds. False when it does not fit.
bool AppendRightAligned(char* out, size_t size, size_t* n, int32_t value, int width) {
  char digits[16];
  const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
  const size_t length = static_cast<size_t>(r.ptr - digits);
  const size_t pad = length < static_cast<size_t>(width) ? static_cast<size_t>(width) - length : 0;
  if (*n + pad + length >= size) return false;
  std::memset(out + *n, ' ', pad);
  std::memcpy(out + *n + pad, digits, length);
  *n += pad + length;
  return true;
}

}  // namespace

bool IsPictureLineName(const char* name) {
  for (const char* p = name; *p != '\0'; ++p) {
    if (static_cast<unsigned char>(*p) < 32) return false;
  }
  return true;
}

int32_t FormatPictureLine(char* out, size_t size, const char* name, int32_t firstColumn,
                          int32_t firstRow, int32_t lastColumn, int32_t lastRow) {
  // "$$$%s %2d %2d %2d %2d"
  const size_t nameLength = std::strlen(name);
  size_t n = 3 + nameLength;
  bool fits = n < size && IsPictureLineName(name);
  if (fits) {
    std::memcpy(out, kPictureLinePrefix, 3);
    std::memcpy(out + 3, name, nameLength);
  }
  for (const int32_t value : {firstColumn, firstRow, lastColumn, lastRow}) {
    fits = fits && n + 1 < size;
    if (fits) out[n++] = ' ';
    fits = fits && AppendRightAligned(out, size, &n, value, 2);
  }
  if (!fits) {
    if (size > 0) out[0] = '\0';
    return -1;
  }
  out[n] = '\0';
  return static_cast<int32_t>(n);
}

int32_t FormatSectionStartLine(char* out, const char* name, int64_t nameLength) {
  const int32_t prefix = static_cast<int32_t>(std::strlen(kSectionStartPrefix));
  std::memcpy(out, kSectionStartPrefix, static_cast<size_t>(prefix));
  int32_t n = 0;
  if (name != nullptr) {
    while (n < nameLength && n < kSectionNameLimit && name[n] != '\0') {
      out[prefix + n] = ReportTextChar(name[n]);
      ++n;
    }
  }
  out[prefix + n] = '\0';
  return prefix + n;
}

bool AppendReportLine(const char* reportPath, const char* line, size_t length) {
  FILE* f = os::OpenFile(reportPath, "ab");
  if (f == nullptr) return false;
  bool ok = length == 0 || std::fwrite(line, 1, length, f) == length;
  ok = std::fwrite("\r\n", 1, 2, f) == 2 && ok;
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

void StartReportLines(ReportLineReader* reader, FILE* file) {
  reader->file = file;
  reader->held = kNothingHeld;
}

namespace {

// The next character with CR LF read as LF.
int NextChar(ReportLineReader* r) {
  if (r->held != kNothingHeld) {
    const int c = r->held;
    r->held = kNothingHeld;
    return c;
  }
  const int c = std::fgetc(r->file);
  if (c == '\r') {
    const int next = std::fgetc(r->file);
    if (next == '\n') return '\n';
    if (next != EOF) std::ungetc(next, r->file);
  }
  return c;
}

}  // namespace

bool ReadReportLine(ReportLineReader* reader, int32_t limit, ReportLine* line) {
  if (limit > kLineLimitMax) limit = kLineLimitMax;
  int32_t n = 0;
  int c = EOF;
  bool ended = false;  // a line end was taken
  while (n < limit) {
    c = NextChar(reader);
    if (c == EOF) break;
    if (c == '\n') {
      ended = true;
      break;
    }
    line->text[n++] = static_cast<char>(c);
  }
  bool atEnd = c == EOF;
  if (n == limit) {
    // A line of exactly the limit ends with its own line end; a longer one
    // goes on in the next piece.
    const int next = NextChar(reader);
    if (next == EOF) {
      atEnd = true;
    } else if (next == '\n') {
      ended = true;
    } else {
      reader->held = next;
    }
  }
  line->text[n] = '\0';
  line->length = n;
  line->atEnd = atEnd && !ended;
  return n > 0 || ended;
}

ReportLineKind ClassifyReportLine(const ReportLine& line, LineMatch match) {
  // Every page line the library writes has its TAB here, and no other line
  // does: a page row that begins "$$$" or "[Page break]" is text.
  if (line.length > kPageTextWidth && line.text[kPageTextWidth] == '\t') {
    return ReportLineKind::kPage;
  }
  if (BeginsWith(line, kPictureLinePrefix, match)) return ReportLineKind::kPicture;
  if (BeginsWith(line, kPageBreakLinePrefix, match)) return ReportLineKind::kPageBreak;
  if (std::memchr(line.text, '\t', static_cast<size_t>(line.length)) != nullptr) {
    return ReportLineKind::kPage;
  }
  return ReportLineKind::kMarker;
}

int32_t ConvertedTextLength(const ReportLine& line) {
  int32_t n = 0;
  while (n < line.length && line.text[n] != '\t' && line.text[n] != '\0') ++n;
  return n;
}

void TakePictureReference(const ReportLine& line, char* out) {
  const int32_t prefix = static_cast<int32_t>(std::strlen(kPictureLinePrefix));
  int32_t n = line.length - prefix;
  if (n < 0) n = 0;
  if (n > kPictureRefLength) n = kPictureRefLength;
  if (n > 0) std::memcpy(out, line.text + prefix, static_cast<size_t>(n));
  out[n] = '\0';
}

void SplitPageLine(const ReportLine& line, TabChoice tab, PageLineParts* parts) {
  int32_t t = -1;
  for (int32_t i = 0; i < line.length; ++i) {
    if (line.text[i] == '\t') {
      t = i;
      if (tab == TabChoice::kFirst) break;
    }
  }
  parts->control = t >= 0 ? PageChar(line, t + 1) : ' ';
  const bool split = t >= kPageTextWidth;
  for (int32_t i = 0; i < kPageTextWidth; ++i) {
    parts->text[i] = PageChar(line, i);
    parts->markers[i] = split ? PageChar(line, t + 2 + i) : ' ';
  }
  parts->text[kPageTextWidth - 1] = parts->control;
  parts->markers[kPageTextWidth - 1] = parts->control;
}

void PlainTextRow(const ReportLine& line, char* out) {
  for (int32_t i = 0; i < kPageTextWidth; ++i) {
    const char c = PageChar(line, i);
    out[i] = c == '\t' ? ' ' : c;
  }
}

bool IsDrawingReference(const char* reference) {
  const char* end = std::strchr(reference, ' ');
  const size_t nameLength =
      end != nullptr ? static_cast<size_t>(end - reference) : std::strlen(reference);
  const char* point = nullptr;
  for (size_t i = 0; i < nameLength; ++i) {
    if (reference[i] == '.') point = reference + i;
  }
  if (point == nullptr || static_cast<size_t>(reference + nameLength - point) < 4) return false;
  return ascii::Upper(point[1]) == 'K' && ascii::Upper(point[2]) == 'F' &&
         ascii::Upper(point[3]) == 'D';
}
