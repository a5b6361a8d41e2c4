// The bridge to the rich-text report library (Quire.dll).
//
// While rich-text output is on, composed pages and the report's structure
// marks go to the rich-text library; while it is off, page and component
// breaks and section marks are written as marker lines into the run's report
// file instead. Whether it is on is asked again at every call.
#pragma once

#include <cstdint>

constexpr int32_t kFieldValueEnd = 25;          // ends the list of field values
constexpr int32_t kFieldValueSeparator = 3;     // follows each field value
constexpr int32_t kFieldValueListLimit = 2000;  // characters of the list looked at

// Hands a composed page to the rich-text library: the template folder followed
// by `templateName`, the screen name and the field values. Works on a copy of
// the values of its own (NULs become blanks, the end mark a NUL; a list whose
// end mark is not among the first 1999 characters goes as no values), so the
// caller's buffer is read up to its end mark at most and never written.
// 1 when the page was handed on, -1 when the template file does not exist.
int32_t ComposeRichTextPage(const char* templateName, const char* screenName,
                            const char* fieldValues);

// *flag = 1 while rich-text output is on, else 0.
void QueryRichText(int32_t* flag);
// The same, for engine code outside this library (flag: 32-bit).
void RichTextQueryCall(int32_t* flag);

// Structure marks: to the rich-text library, or their marker line (none for
// the table-of-contents break) appended to the run's report file; a report file
// that cannot be opened loses the line silently.
void ReportPageBreak();
void ReportComponentBreak();
void ReportTocBreak();
// The rich-text library gets `sectionName` as given; the marker line takes its
// first `length` characters, fewer when a NUL comes first (at most 255).
void ReportSectionStart(const char* sectionName, int32_t length);
void ReportSectionEnd();
