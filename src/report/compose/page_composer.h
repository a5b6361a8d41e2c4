// The page composer: one numbered screen of a template file and a list of
// field values become a report page appended to the run's report (or a page
// handed to the rich-text library while its output is on). The composed
// page's field markers, field index and values stay in the screen model,
// where the screen drawing and the screen input routines use them.
//
// A screen record (LoadTemplate) is two header lines and 24 rows of up to 80
// characters, each line ended by a line feed (a CR before it is ignored):
//   header line 1  picture references; six 8-character header fields at
//                  columns 21, 31, 41, 51, 61 and 71
//   header line 2  the key mask in columns 1 to 13, six more header fields,
//                  picture references
//   rows 1 to 24   the page; column 80 is the row's control character
// A picture reference is '<' NAME c1 r1 c2 r2 '>' (drawn before the screen
// text) or the same between '{' and '}' (drawn after it).
//
// Field values: each value followed by character 3, the list ended by
// character 25, at most 2000 characters; a list whose end mark is not among
// its first 1999 characters counts as empty.
#pragma once

#include <cstdint>

#include "report/language.h"

constexpr int32_t kComposeRows = 24;
constexpr int32_t kComposeCells = kComposeRows * 80;  // 1920
constexpr int32_t kKeyMaskLength = 13;
constexpr int32_t kHeaderFieldsLength = 100;
constexpr int32_t kPictureRefTextCapacity = 287;
constexpr int32_t kComposePictureTextLimit = 255;
constexpr int32_t kReferenceNameSize = 81;  // a name inside [[ ]]: up to 80 characters

// Process-wide state of the composer.
struct PageComposer {
  char templatePage[kComposeCells];                  // TemplatePage: the laid-out template
  char composedPage[kComposeCells];                  // ComposedPage
  char templateRecord[kTemplateRecordSize];          // TemplateRecord, cleared before each load
  char pictureRefText[kPictureRefTextCapacity + 1];  // PictureRefText, NUL-ended
  char keyMask[kKeyMaskLength];
  char headerFields[kHeaderFieldsLength];
  int32_t cursorCell;  // where the template's cursor mark stands (-1: none)
};
extern PageComposer g_composer;

// Runs one command: 'S' selects the language named by the screen-name
// argument (result[0] becomes 'S'); 'D' composes screen `screenName` (8
// characters, upper-cased in place) with `fieldValues` (NULs before the end
// mark become blanks in place); "DL" only gathers the picture references and
// "DN" does nothing; any other command does nothing. -1 when the page could
// not be appended to the run's report, the rich-text library's result while
// its output is on, else 0.
int32_t ComposePage(const char* command, char* screenName, char* fieldValues,
                    const char* pictureText, char* result);

// The engine-callable form: every argument by address, each text followed by
// its length. The command is taken as 3 characters and the screen name as 8
// (blank-padded); at most 2000 characters of the field values and 255 of the
// picture text go, each into a buffer of its own; min(result length, 5)
// characters of the result come back, blank-padded to its length.
int32_t ComposePageCall(const char* command, int64_t commandLength, const char* screenName,
                        int64_t screenNameLength, const char* fieldValues,
                        int64_t fieldValuesLength, const char* pictureText,
                        int64_t pictureTextLength, char* result, int64_t resultLength);

// Lays a screen record out: header rows, picture references (appended to
// PictureRefText, setting PicturesBeforeText by their bracket), header fields,
// the key mask and the 24 page rows. Characters past column 80 are dropped.
// Unless the command begins with 'D', the references are loaded as screen
// pictures and the cursor mark's cell is stored in *cursor.
void LayOutTemplate(const char* command, const char* record, char* page, char* keyMask,
                    char* headerFields, int32_t* cursor);

// Builds the composed page from the template page and places the field values
// on their markers, filling the screen model's FieldIndex and FieldValueText;
// column 80 of the composed rows goes back into the template page.
void FillTemplateFields(char* composed, char* templatePage, char* fieldValues);

// The reference in double square brackets at or around `cell`, within its
// 80-character row of `text`: its length (brackets included), the letter code
// of its first non-blank inner character ('A' is 1) and the name that follows
// that letter (up to a blank; kReferenceNameSize bytes). 0 when there is none.
int32_t ParseReference(int32_t cell, const char* text, int32_t* letterCode, char* name);

// Attributes of rows 0 to 23 of the screen from the template's control
// characters (column 80); input cells ('#', '@', '`') get attribute 5 except
// on 'X' rows, where they become blanks in the template.
void ScreenAttributesFromTemplate(char* screenText, char* templateRows, uint8_t* attributes);

// Load-time state: everything blank or empty, no cursor.
void ResetPageComposerForTests();
