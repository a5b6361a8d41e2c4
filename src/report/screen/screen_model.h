// The 80 by 25 character screen that the report library shows in the host
// window: its text and attribute shadows, the field data that the page
// composer leaves for it, the cell geometry and the two fonts.
//
// One model per process. A cell is row x 80 + column (rows 0 to 24, columns 0
// to 79). The shadows hold what was last drawn, so the whole screen can be
// drawn again after the window was covered; the field members describe the
// composed page (where each value sits and which text it holds) so that a
// value can be drawn aligned by its marker and read back on a click.
//
// This header is platform-neutral: fonts are plain handles and colours are
// 0x00BBGGRR values, as the GDI code that uses them expects.
#pragma once

#include <cstdint>

constexpr int32_t kScreenColumns = 80;
constexpr int32_t kScreenRows = 25;
constexpr int32_t kScreenCells = kScreenColumns * kScreenRows;
// Field markers count only in rows 0 to 19: rows 20 to 24 hold the key labels
// and the caption, whose text is never a value.
constexpr int32_t kMarkerCellLimit = 1600;
// The field values: each value is followed by kValueEnd; the composer ends the
// list with kValueListEnd and keeps at most kFieldValueCapacity characters.
constexpr int32_t kFieldValueCapacity = 2000;
constexpr char kValueEnd = 3;
constexpr char kValueListEnd = 25;
// A value as drawn and as read back holds at most this many characters.
constexpr int32_t kFieldValueShownLimit = 160;

// Screen attributes with a drawing of their own (the rest draw text).
constexpr uint8_t kAttrInputField = 5;        // field font, lines above and below
constexpr uint8_t kAttrCaption = 6;           // caption band of the bottom row
constexpr uint8_t kAttrBandRow = 7;           // grey band across the row
constexpr uint8_t kAttrUnderline = 'u';       // in column 79: underline the row
constexpr uint8_t kAttrShortUnderline = 'v';  // in column 79: underline to column 60

// Which font the last drawing selected.
constexpr int32_t kFontNoneNoted = 0;
constexpr int32_t kFontNormal = 1;
constexpr int32_t kFontField = 2;

// A colour as GDI's COLORREF holds it.
constexpr uint32_t ScreenRgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

// The system's caption colours, in the order they are read.
constexpr int kActiveCaption = 0;
constexpr int kActiveCaptionText = 1;
constexpr int kInactiveCaption = 2;
constexpr int kInactiveCaptionText = 3;

struct ScreenModel {
  char screenText[kScreenCells];           // ScreenText, in the OEM code page
  uint8_t screenAttributes[kScreenCells];  // ScreenAttributes
  // FieldMarkerMap: '{' a value starts here, '}' a value ends here, '~' a value
  // is centred here; anything else is no marker.
  char fieldMarkerMap[kScreenCells];
  // FieldIndex: for a marker cell the offset of its value in fieldValueText,
  // -1 for none.
  int32_t fieldIndex[kScreenCells];
  char fieldValueText[kFieldValueCapacity + 1];  // FieldValueText, NUL-ended

  // Client area of the host window as SetScreenMetrics last gave it, and the
  // cell geometry that follows from it (integer division): cell width =
  // width / 80, cell height = height / 25, left margin = (width / 2) / 80.
  int32_t clientWidth;
  int32_t clientHeight;
  int32_t cellWidth;
  int32_t cellHeight;
  int32_t leftMargin;

  // The host's fonts; the library never creates or deletes them.
  void* fieldFont;
  void* normalFont;
  int32_t fontState;  // FontState: kFontNoneNoted, kFontNormal or kFontField

  // Attribute 6's pair: white on (0, 0, 125) until the caption colours are
  // taken from the system.
  uint32_t captionTextColour;
  uint32_t captionColour;
  // The system's caption colours as last read (black before the first read),
  // indexed by kActiveCaption...; read once before their first use.
  uint32_t systemCaptionColours[4];
  bool systemColoursRead;
};
extern ScreenModel g_screenModel;

// The record the host passes to SetScreenMetrics, byte-packed.
#pragma pack(push, 1)
struct ScreenMetricsRecord {
  void* fieldFont;
  void* normalFont;
  int32_t clientWidth;
  int32_t clientHeight;
};
#pragma pack(pop)
static_assert(sizeof(ScreenMetricsRecord) == 2 * sizeof(void*) + 8, "byte-packed record");

struct ScreenPoint {
  int32_t x;
  int32_t y;
};
// A pixel rectangle, right and bottom exclusive as GDI takes them.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

// Stores the fonts and the client size, works out the cell geometry and
// forgets which font was selected last.
void SetScreenMetrics(const ScreenMetricsRecord* record);

// The top-left pixel of a cell's box, where its text is drawn. Any cell has
// a point: one beyond the 32-bit range is clamped to its limit.
ScreenPoint CellToPixel(int32_t cell);
// The cell under a pixel: (x - left margin) / cell width + (y / cell height) x
// 80, a negative result made 0. A pixel left of the first column or right of
// the 80th is no cell: -1. With no cell size (0 or less) it is 0. It is not
// limited to 1999: a point below the last row is no cell of the screen (at
// most INT32_MAX).
int32_t PixelToCell(int32_t x, int32_t y);

// Text and background colours of an attribute (attribute 6 takes the caption
// pair of the model).
struct AttributeColours {
  uint32_t text;
  uint32_t background;
};
AttributeColours ColoursOfAttribute(uint8_t attribute);

// The value of the marker cell `cell` into `out` (kFieldValueShownLimit + 1 bytes,
// NUL-ended): the text of FieldValueText from the cell's FieldIndex up to the
// next character 3 (a single blank when none follows), at most 160
// characters, and for a '{' marker cut at its first pair of blanks. Empty for
// a cell off the screen, a negative index or one past the value text. The
// result is the value's length.
int32_t FieldTextForCell(char* out, int32_t cell);

// Load-time state: blank shadows with attribute 0, no markers or values, no
// metrics, no fonts, the initial caption pair, no system colours read.
void ResetScreenForTests();
