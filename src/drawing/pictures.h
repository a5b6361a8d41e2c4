// Pictures on the 80x25 screen and on report pages.
//
// A picture reference names a file and a rectangle of character cells: an
// enhanced metafile (.EMF), a placeable or plain Windows metafile (.WMF), or a
// vector drawing (.KVD, .KFD). A reference loads into a PictureSlot, which is
// drawn into a device context and released again. The screen keeps ten slots
// (the picture table, filled from the references of the page being composed);
// printing and preview keep slots of their own and load one picture at a time.
//
// Handles of the operating system (windows, device contexts, metafiles) are
// plain pointers here, so that the slots and the reference rules are the same
// in both builds; only Windows-only code (*_win32.cpp) looks behind them. The
// native build loads and frees pictures but draws nothing.
//
// Every routine works on NUL-terminated text. Results 1 mean success, 0
// failure.
#pragma once

#include <cstdint>

#include "drawing/drawing_load.h"
#include "report_base/device_space.h"

// What a slot holds.
constexpr int32_t kPictureEmpty = 0;
constexpr int32_t kPictureEnhanced = 1;   // enhanced metafile
constexpr int32_t kPicturePlaceable = 2;  // Windows metafile read from a placeable file
constexpr int32_t kPicturePlain = 3;      // Windows metafile without a placeable header
constexpr int32_t kPictureDrawing = 4;    // vector drawing

constexpr int kPlaceableHeaderSize = 22;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPictureSlotCount = 10;       // the screen's picture table
constexpr int kPictureReferenceLimit = 79;  // characters of one reference of a page's text
constexpr int kPictureRefTextLimit = 255;   // characters of a page's reference text
constexpr int kPicturePathLimit = 255;      // characters of a picture's path
// Characters of a reference that LoadPicture takes: as many as a printed or
// previewed page keeps for one picture. A drawing there names the report's own
// drawing file (the report's file name, up to 255 characters, with ".KFD")
// followed by the numbers of its picture line, so it is longer than any
// reference of a page's text.
constexpr int kPictureLoadReferenceLimit = 289;

// A rectangle (left, top, right, bottom), in device units unless said.
struct PictureRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// True when every edge lies in GDI's device space (-2^27 to 2^27 - 1). A
// picture rectangle with an edge beyond it comes from an absurd reference (a
// row in the millions, or cells whose position did not fit 32 bits and was
// clamped): no device shows it, and its size would overflow the mapping, so
// it is never drawn.
bool InDeviceSpace(const PictureRect& rect);

// One placed picture. A cleared slot is all zeros (kind kPictureEmpty).
struct PictureSlot {
  int32_t kind;
  int32_t firstCell;  // row x 80 + column (from 0) of the top-left character
  int32_t lastCell;   // of the bottom-right character
  // A drawing's part shown on the screen, in drawing units x 1000; a right
  // edge of 0 means not yet set (the first screen drawing shows it whole).
  PictureRect viewRect;
  // Where a drawing was last drawn on the screen (the fitted rectangle, in the
  // device units of the rectangle given to DrawPicture); read by the hit test.
  PictureRect drawnRect;
  void* picture;  // HENHMETAFILE (kind 1) or HMETAFILE (kinds 2 and 3)
  // Kind 2: the placeable header exactly as read; its bounding box is mapped
  // onto the rectangle the picture is drawn in.
  unsigned char placeableHeader[kPlaceableHeaderSize];
  LoadedDrawing drawing;  // kind 4
};

// The screen's pictures: slots 0 to count - 1 are filled, in reference order.
struct PictureTable {
  PictureSlot slots[kPictureSlotCount];
  int32_t count;
};
extern PictureTable g_pictureTable;

// Fills the picture table from a page's reference text: "<NAME c1 r1 c2 r2>"
// references (pictures before the screen text) are taken before any
// "{NAME c1 r1 c2 r2}" reference (pictures after it); PicturesBeforeText
// follows the last bracket read. The table is not released here: the caller
// frees it first. A reference that does not load takes no slot.
void ParsePictureRefs(const char* text);

// Loads one reference ("NAME c1 r1 c2 r2": columns 1 to 80, rows from 1, the
// second pair the bottom-right corner) into `slot`. A name without '.' gets
// ".KVD"; drawings are looked for in the current folder first, every
// other picture in the program folder only (so nowhere when the program folder
// did not fit its field). cellOffset is added to both cells (a printed page
// passes the picture's line x 80). A reference with fewer than four numbers,
// over kPictureLoadReferenceLimit characters, or a path over 255 characters
// loads nothing. 1 when loaded. The slot must be empty (zeroed, or released
// with FreePicture): a picture it still holds is not released here.
int LoadPicture(PictureSlot* slot, const char* reference, int32_t cellOffset, int drawingNumber);

// Loads the picture file at `path` into `slot` by its extension (EMF, WMF,
// KVD, KFD, case aside); 1 when loaded. On failure the slot's kind is empty.
int LoadPictureFile(PictureSlot* slot, const char* path, int drawingNumber);

// Draws a loaded slot into the device context, over `rect` (device units; a
// page picture drawn on a metafile passes logical units). An enhanced metafile
// fills the window's client area on the screen and `rect` on a page; a
// placeable metafile's box is stretched onto `rect`; a plain metafile plays at
// its own coordinates; a drawing keeps its proportions. Screen pictures leave
// the device context as they found it; page pictures leave their mapping. A
// rectangle outside the device space (InDeviceSpace) draws nothing.
void DrawPicture(PictureSlot* slot, void* window, void* dc, PictureRect rect);

// Maps the placeable header's bounding box onto `rect` (MM_ANISOTROPIC,
// proportions not kept). The window is not used.
void SetPlaceableMapping(void* window, void* dc, const unsigned char* header, PictureRect rect);

// Releases what the slot holds (a drawing's release also deletes the shared
// drawing pens and font) and clears every field.
void FreePicture(PictureSlot* slot);

// FreePicture on every filled slot of the picture table; the count becomes 0.
void FreeAllPictures();

// The first filled drawing slot whose drawn rectangle holds the point (x in
// the low 16 bits, y in the high 16 bits, both unsigned; edges included):
// 1 and its index, else 0.
int HitTestDrawings(uint32_t point, int32_t* index);

// ---- placeable Windows metafiles -----------------------------------------------

// Reads a placeable metafile file: the header into `header`, the metafile bits
// into the process-wide bits block (kept until the next read), and the slot's
// kind set to 2. A file that does not begin with the key is read as a plain
// metafile (kind 3). The Windows metafile handle, or null; failures after the
// key show a message box without owner or title (stop icon).
void* ReadPlaceableMetafile(const char* path, unsigned char* header, PictureSlot* slot);

// Writes `metafile` (a Windows metafile handle the caller keeps) as a
// placeable file: the header's box is the rectangle at 1000 units per inch.
// 1 when the whole file was written; otherwise no file is left behind.
int WritePlaceableMetafile(void* metafile, const char* path, PictureRect rect);

// The exclusive-or of the header's first ten 16-bit words.
uint16_t PlaceableChecksum(const unsigned char* header);

// Writes the plain metafile bits only (no placeable header); 1 or 0 as above.
int WriteMetafileBits(void* metafile, const char* path);

// The messages of the placeable read, each in a box without title.
constexpr const char* kMsgPlaceableHeader = "Unable to read placeable header";
constexpr const char* kMsgMetafileHeader = "Unable to read metafile header";
constexpr const char* kMsgMetafileMemory = "Unable to allocate memory for metafile bits";
constexpr const char* kMsgMetafileBits = "Unable to read metafile bits";

// ---- tests --------------------------------------------------------------------

// Load-time state: every slot of the picture table released and the count 0,
// the placeable bits block released.
void ResetPicturesForTests();
// The placeable bits block released.
void ResetPlaceableMetafileForTests();
