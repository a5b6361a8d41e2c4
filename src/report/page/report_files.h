// File operations on report files (.KVO): appending a composed page with its
// picture references to the run's report, appending one report to another,
// converting a named report to text, and the block copy that serves them all
// and copies drawings into the run's drawing file (.KFD).
//
// A drawing placed on a page becomes the next drawing of the run's drawing
// file, and readers find drawing k by counting the drawing picture lines of
// the report. So every drawing picture line written must add exactly one
// drawing to that file: a missing, damaged or unreadable drawing adds an empty
// 104-byte header, and a copy that fails half-way is cut back first.
#pragma once

#include <cstdint>

// ---- control characters of template rows ------------------------------------

// What a template row's control character (column 80) does to the report. A
// row counts as blank when its columns 1 to 79 hold only blanks.
enum class RowEffect {
  kWrite,            // the row is written
  kBlankLineBefore,  // '0': a blank line, then the row
  kSkip,             // 'x'; 'U' or '-' on a blank row
  kEndPage,          // 'X'; '*' on a blank row: neither it nor a later row
};
// `rowText` holds the row's 79 text columns (NUL counts as a blank).
RowEffect ClassifyTemplateRow(char control, const char* rowText);

// ---- block copy ---------------------------------------------------------------

constexpr int32_t kCopyReplace = 1;  // replace the target
constexpr int32_t kCopyAppend = 2;   // append to the target (any other mode too)
constexpr int32_t kCopyDrawing = 3;  // append a drawing: its first drawing, or an empty header
constexpr int32_t kCopyDone = 0;
constexpr int32_t kCopyFailed = -1;
constexpr int32_t kCopyNoMemory = 12;
constexpr int32_t kCopyBufferLimit = 0xFF00;  // bytes copied at a time
constexpr const char* kMsgCannotCopy = "Can not copy file";
constexpr const char* kTitleCopy = "K-VOR";

// Copies the source file onto the end of the target (created when missing,
// never truncated). The source and the target may not be one file, however
// their paths are spelt. Exactly the source's length at the start is copied;
// in the drawing mode only the source's first drawing, and a missing or
// damaged drawing appends an empty drawing header instead. After a failed copy
// the target is cut back to its length before it. In the drawing mode every
// failure that copies no drawing appends the empty header (a source that
// cannot be opened, a source that is the target itself, no memory for the
// copy buffer, a copy that failed half-way), the result still saying what
// failed (-1, or 12 for the buffer); only a target that cannot be opened gets
// nothing. Only that failure shows a message ("Can not copy file", "K-VOR",
// stop icon, no owner).
int32_t CopyFileMode(const char* source, const char* target, int32_t mode);

// ---- pages ---------------------------------------------------------------------

constexpr int32_t kComposedRows = 24;
constexpr int32_t kPageRefTextLimit = 287;

// Appends one composed page to the run's report: a picture line for each
// reference of `pictureRefText` ('<' ... '>' or '{' ... '}', name and four
// numbers; one whose name holds a character below 32 is skipped whole, its
// drawing not copied), then the page rows as the template rows' control
// characters say. `page`: 24 rows of 80 characters, whose NULs in columns 1
// to 79 become blanks (CR, LF and TAB there are written as blanks, the
// caller's page keeping them); `templateRows`: 24 rows of 80, of which only
// column 80 is read; `markerMap`: the screen's field-marker map (at least 24
// rows of 80), whose characters other than '{', '}' and '~' become blanks,
// all 80 columns making the marker text. 0 when the page was written (also
// when it ended early), -1 when the run's report cannot be opened.
int32_t AppendPageToReport(char* page, const char* templateRows, const char* pictureRefText,
                           char* markerMap);

// ---- whole reports --------------------------------------------------------------

// Appends the source report to the target report. Nothing when the two paths
// are equal without regard to case. A drawing file of the target (its file
// name's text from the last '.' replaced by ".KFD") whose report does not
// exist belongs to no report and is deleted first. The source's own drawing
// file is not copied.
void AppendReport(const char* source, const char* target);

// Base names are paths without extension of at most 95 characters; a longer
// one is refused (nothing done after the host's notice), never cut.
constexpr int32_t kBaseNameLimit = 95;

// After the host's notice: when the source base name + ".KVO" exists and the
// append flag is set, appends it to target base name + ".KVO"; then releases
// the page fonts. The first two arguments are not used.
void AppendNamedReport(const void* unused1, const void* unused2, const char* targetBase,
                       const char* sourceBase, int32_t appendFlag);

// After the host's notice: converts report base + ".KVO" into text base +
// ".KVX"; the conversion's result, or 0 when the report does not exist.
int32_t ConvertNamedReport(const char* textBase, const char* reportBase);
