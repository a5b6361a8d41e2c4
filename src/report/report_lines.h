// The report file (.KVO): the run's report and drawing file names, and the
// four kinds of line that every writer and reader of report files shares.
//
// A report is text, each line ended by CR LF:
//   page line      80 characters of text, TAB, the carriage-control character,
//                  the row's field markers ('{', '}', '~', blanks between them,
//                  cut after the last one)
//   picture line   "$$$" name and four numbers, "$$$%s %2d %2d %2d %2d"
//   page-break     a line that begins "[Page break]" (written by no one here)
//   marker line    a line without TAB from the rich-text fallback: page and
//                  component breaks, "[Section Start] %s", "[Section End]"
// A marker line is plain text to every reader: it never ends a page.
//
// A line is told by its first characters, except that a TAB as its 81st
// character makes it a page line whatever its text begins with: a page row
// may well begin "$$$" or "[Page break]", and no other kind of line has a TAB
// there. No text a writer carries may break a line or look like another kind
// of line: page text and section names have CR, LF and TAB as blanks, and a
// picture name with a character below 32 is never written.
//
// The text conversion tests "$$$" and "[Page break]" exactly; the print job
// and the preview compare them without regard to case. Readers go through
// ReadReportLine and ClassifyReportLine below so they all agree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// ---- the run's files ------------------------------------------------------------

constexpr int kReportNameSize = 256;

// The input folder followed by the run id and ".KVO", or by "OUTPUT.KVO" when
// the run id is empty. False (out "") when it does not fit in `size` bytes.
bool MakeRunReportPath(char* out, size_t size);
// The same with ".KFD": the file that holds the drawings of the run's pages.
bool MakeRunDrawingPath(char* out, size_t size);

// Which '.' of a report's file name begins the extension that ".KFD" replaces:
// the print job takes the last one, the preview the first.
enum class ExtensionDot { kLast, kFirst };
// The drawing file of a report: the report path's file name (after its last
// '\', or without '\' after its last ':') with the text from its chosen '.'
// replaced by ".KFD". False (out "") when the name has no '.' or does not fit.
bool MakeReportDrawingName(const char* reportPath, ExtensionDot dot, char* out, size_t size);

// ---- line texts -----------------------------------------------------------------

constexpr int32_t kPageTextWidth = 80;     // text of a page line before its TAB
constexpr int32_t kPageLineMax = 162;      // 80 + TAB + control + 80 markers
constexpr int32_t kPictureRefLength = 29;  // what a reader keeps after "$$$"

extern const char kPictureLinePrefix[];     // "$$$"
extern const char kPageBreakLinePrefix[];   // "[Page break]"
extern const char kPageBreakMarker[];       // 30 hyphens, " Page Break ", 30 hyphens
extern const char kComponentBreakMarker[];  // 25 hyphens, " Component Break ", 26 hyphens
extern const char kSectionEndMarker[];      // "[Section End]"
extern const char kSectionStartPrefix[];    // "[Section Start] "

// A character of text that a report line carries, as the line holds it: CR,
// LF and TAB would break the line or end its text early, so they are blanks.
inline char ReportTextChar(char c) { return c == '\r' || c == '\n' || c == '\t' ? ' ' : c; }

// A page line from one template row: `text` holds columns 1 to 79 of the row
// (79 characters; CR, LF and TAB are written as blanks), `markers` the row's
// marker map (all 80 columns; any other character than '{', '}' and '~'
// counts as a blank). Writes the line without its line end and a NUL into
// `out` (kPageLineMax + 1 bytes) and returns its length.
int32_t FormatPageLine(char* out, const char* text, char control, const char* markers);
// The extra line before a row whose control character is '0': 80 blanks, TAB,
// a blank, no markers.
int32_t FormatBlankPageLine(char* out);
// True when a picture name can stand in a picture line: it holds no character
// below 32 (a line end in it would split the line and could forge another
// picture line).
bool IsPictureLineName(const char* name);
// "$$$%s %2d %2d %2d %2d"; -1 (out "") when it does not fit in `size` or the
// name cannot stand in a picture line.
int32_t FormatPictureLine(char* out, size_t size, const char* name, int32_t firstColumn,
                          int32_t firstRow, int32_t lastColumn, int32_t lastRow);
// "[Section Start] " and the section name: its first `nameLength` characters,
// fewer when a NUL comes first, at most 183, so that the line stays within the
// 199 characters that printing and preview read as one line (a longer one
// would come back as two); CR, LF and TAB in it are written as blanks. `out`
// holds kSectionLineSize bytes.
constexpr int32_t kSectionNameLimit = 183;
constexpr int32_t kSectionLineSize = 16 + kSectionNameLimit + 1;
int32_t FormatSectionStartLine(char* out, const char* name, int64_t nameLength);

// Appends one line and CR LF to the report file, creating it when it is
// missing. False when the file cannot be opened or written.
bool AppendReportLine(const char* reportPath, const char* line, size_t length);

// ---- reading --------------------------------------------------------------------

constexpr int32_t kPrintLineLimit = 199;       // print job and preview
constexpr int32_t kConversionLineLimit = 254;  // text conversion
constexpr int32_t kLineLimitMax = 254;

// Reads a report opened with os::OpenFile(path, "rb"): CR LF and a lone LF end
// a line; a line longer than the limit comes in pieces of the limit, and a
// line of exactly the limit takes its own line end.
struct ReportLineReader {
  FILE* file;
  int held;  // a character read ahead, or kNothingHeld
};
constexpr int kNothingHeld = -2;
void StartReportLines(ReportLineReader* reader, FILE* file);

struct ReportLine {
  char text[kLineLimitMax + 1];  // the line without its line end, NUL after it
  int32_t length;                // may hold NUL characters of the file
  bool atEnd;                    // the end of the file came while it was read
};
// The next line (at most `limit` characters); false when the file has ended.
bool ReadReportLine(ReportLineReader* reader, int32_t limit, ReportLine* line);

enum class ReportLineKind { kPage, kPicture, kPageBreak, kMarker };
// Exact: the text conversion; AnyCase: the print job and the preview.
enum class LineMatch { kExact, kAnyCase };
// A line with a TAB as its 81st character is a page line. Otherwise picture
// and page-break lines by their beginnings; any other line with a TAB is a
// page line, one without is a marker (plain text) line.
ReportLineKind ClassifyReportLine(const ReportLine& line, LineMatch match);

// What the text conversion writes of a page or marker line: its characters up
// to the first TAB or NUL (trailing blanks kept).
int32_t ConvertedTextLength(const ReportLine& line);

// The picture reference that the print job and the preview keep: the text
// after "$$$", at most 29 characters, NUL-terminated (out: 30 bytes).
void TakePictureReference(const ReportLine& line, char* out);

// A page line as the print job (TAB: last) and the preview (TAB: first) split
// it. With a TAB, the control character is the one after it; when the text
// before the TAB holds at least 80 characters, the text is its first 80 and
// the markers are the 80 characters from the second after the TAB; when it
// holds fewer, the TAB stays in the text (the line's first 80 characters) and
// the markers are blank. Without a TAB the control is a blank. Characters
// past the line's end are blanks, NUL and LF become blanks, and column 80 of
// text and markers takes the control character.
enum class TabChoice { kLast, kFirst };
struct PageLineParts {
  char text[kPageTextWidth];
  char markers[kPageTextWidth];
  char control;
};
void SplitPageLine(const ReportLine& line, TabChoice tab, PageLineParts* parts);

// A line as a plain-text row of the print job: its first 80 characters with
// NUL, TAB and LF as blanks, blank-padded (out: 80 characters).
void PlainTextRow(const ReportLine& line, char* out);

// True when the reference's file name (up to its first blank) has an
// extension, the text from its last '.', that begins ".KFD" in any case.
bool IsDrawingReference(const char* reference);
