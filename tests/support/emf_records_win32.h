// Reading back what GDI recorded into an enhanced metafile, by meaning.
//
// ReadEmf enumerates a metafile once (EnumEnhMetaFile) into a list of records.
// Each record keeps its type and bytes, the parameters of the kinds the tests
// look at decoded, and the device context's state as the records leave it:
//
//   mapping     mode, window and viewport origins and extents, as the records
//               set them (no isotropic adjustment, no check of the mode)
//   objects     pen, brush and font selected: a copy of what the record that
//               made them said, or a stock object (0x80000000 | index)
//   text        text and background colours, background mode, alignment
//   position    the current position (MOVETOEX, LINETO)
//
// SAVEDC and RESTOREDC save and restore that state as GDI does. A drawing
// record carries the state it was drawn in; a record that changes the state
// carries the state it set. Texts (EXTTEXTOUTW, and EXTTEXTOUTA widened byte
// for byte) carry their string and per-character advances, so a text's right
// edge is its reference x plus the sum of its advances.
//
// Wine records TextOutA as EXTTEXTOUTW, boxes normalised and inclusive, and
// stock objects as 0x80000000 | index: compare by meaning, never by bytes.
// The small views below serve most tests; a test with a view of its own
// writes it as a function over EmfRecording::records.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace gdi_test {

constexpr uint32_t kStockFlag = 0x80000000u;
constexpr uint32_t Stock(int index) { return kStockFlag | static_cast<uint32_t>(index); }

// A GDI object as a metafile record made it, or a stock object.
struct EmfObject {
  enum Kind { kNone, kPen, kBrush, kFont, kOther };
  Kind kind = kNone;
  uint32_t handle = 0;  // the handle-table index; a stock object's is Stock(index)
  bool IsStock() const { return (handle & kStockFlag) != 0; }
  // Pens (CREATEPEN, EXTCREATEPEN). The style as recorded, type bits
  // included: Wine records ExtCreatePen(PS_GEOMETRIC | PS_DASH, ...) as a
  // CREATEPEN of that style.
  uint32_t penStyle = 0;
  int32_t penWidth = 0;
  COLORREF penColour = 0;
  // Brushes (CREATEBRUSHINDIRECT).
  uint32_t brushStyle = 0;
  COLORREF brushColour = 0;
  // Fonts (EXTCREATEFONTINDIRECTW); 0 and empty for stock fonts.
  int32_t height = 0;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 0;
  std::wstring face;
};

// A stock object of the kind GDI gives it.
EmfObject StockObject(int index);

// The device context's state; its initial values are a new DC's.
struct EmfState {
  int32_t mapMode = MM_TEXT;
  POINTL windowOrg = {0, 0};
  SIZEL windowExt = {1, 1};
  POINTL viewportOrg = {0, 0};
  SIZEL viewportExt = {1, 1};
  EmfObject pen = StockObject(BLACK_PEN);
  EmfObject brush = StockObject(WHITE_BRUSH);
  EmfObject font = StockObject(SYSTEM_FONT);
  COLORREF textColour = RGB(0, 0, 0);
  COLORREF backColour = RGB(255, 255, 255);
  int32_t backMode = OPAQUE;
  uint32_t textAlign = TA_TOP | TA_LEFT | TA_NOUPDATECP;
  POINTL position = {0, 0};
};

struct EmfRecord {
  uint32_t type = 0;                 // EMR_*
  std::vector<unsigned char> bytes;  // the record as enumerated
  EmfState state;
  // Decoded parameters, by type:
  //   MOVETOEX, LINETO        point (LINETO from `from`, the position before)
  //   SETWINDOWORGEX, SETVIEWPORTORGEX   point;  SETWINDOWEXTEX, SETVIEWPORTEXTEX   size
  //   RECTANGLE, ELLIPSE      box;  ARC, ARCTO, CHORD, PIE   box, start, end
  //   SETMAPMODE, SETBKMODE, SETTEXTCOLOR, SETBKCOLOR, SETTEXTALIGN   value
  //   CREATEPEN, EXTCREATEPEN, CREATEBRUSHINDIRECT, EXTCREATEFONTINDIRECTW,
  //   SELECTOBJECT, DELETEOBJECT   object (what was made, selected or deleted)
  //   EXTTEXTOUTW, EXTTEXTOUTA   point (the reference point), text, advances
  POINTL point = {0, 0};
  POINTL from = {0, 0};
  SIZEL size = {0, 0};
  RECTL box = {0, 0, 0, 0};
  POINTL start = {0, 0};
  POINTL end = {0, 0};
  uint32_t value = 0;
  EmfObject object;
  std::wstring text;
  std::vector<int32_t> advances;

  // The record's bytes as its EMR structure.
  template <typename T>
  T As() const {
    T out{};
    std::memcpy(&out, bytes.data(), bytes.size() < sizeof out ? bytes.size() : sizeof out);
    return out;
  }
};

struct EmfRecording {
  std::vector<EmfRecord> records;  // every record, header and end included, in order
  EmfState end;                    // the state after the last record
};

// The records of an enhanced metafile; the handle stays the caller's.
EmfRecording ReadEmf(HENHMETAFILE emf);

// An enhanced-metafile device context (reference: the screen) to draw into;
// Finish closes it and reads its records.
class EmfRecorder {
 public:
  EmfRecorder();
  ~EmfRecorder();
  EmfRecorder(const EmfRecorder&) = delete;
  EmfRecorder& operator=(const EmfRecorder&) = delete;
  HDC dc() const { return dc_; }
  EmfRecording Finish();

 private:
  HDC dc_ = nullptr;
};

// Records what `draw` does to an enhanced-metafile device context.
template <typename Draw>
EmfRecording RecordEmf(Draw draw) {
  EmfRecorder recorder;
  draw(recorder.dc());
  return recorder.Finish();
}

// ---- views ---------------------------------------------------------------------

// The records of the given types, in order (copies).
std::vector<EmfRecord> RecordsOf(const EmfRecording& r, std::initializer_list<uint32_t> types);
// Texts (EXTTEXTOUTW and EXTTEXTOUTA), lines (LINETO), rectangles (RECTANGLE).
std::vector<EmfRecord> Texts(const EmfRecording& r);
std::vector<EmfRecord> Lines(const EmfRecording& r);
std::vector<EmfRecord> Rectangles(const EmfRecording& r);
// The first text whose string is `text`, or null; it points into `r`.
const EmfRecord* FindText(const EmfRecording& r, const std::wstring& text);
const EmfRecord* FindText(const EmfRecording&& r, const std::wstring& text) = delete;
// The sum of a text's recorded advances (0 when it has none).
int32_t TextWidth(const EmfRecord& text);
// Each character below 256 as that byte, any other as '?'.
std::string Narrow(const std::wstring& text);
// ANSI bytes (code page 1252) as the wide text a metafile holds for them.
std::wstring Ansi(const std::string& bytes);

}  // namespace gdi_test
