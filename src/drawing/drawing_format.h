// The byte layout of vector drawings, shared by the readers, the writers and
// the renderer.
//
// A binary drawing file (.KFD) holds drawings back to back; each is a 104-byte
// header, its records (25 bytes each, packed, little-endian) and its string
// area (the texts of its S records back to back, no terminators). A loaded
// drawing keeps its records in memory in exactly the file's layout, so the
// records are read and written through the helpers below rather than through a
// packed struct.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kDrawingHeaderSize = 104;
constexpr int kDrawingRecordSize = 25;
constexpr int kDrawingTitleSize = 80;  // up to 79 characters and a NUL
constexpr int kDrawingMagicSize = 8;
constexpr const char* kDrawingMagic = "KFD2.0";
constexpr int kLastDrawingNumber = 100;  // numbers 1..100 can be addressed
constexpr int kDrawingLineSize = 256;    // a text drawing line: 255 characters and a NUL
constexpr int kDrawingPathSize = 260;

// One drawing's header as it lies in the file (both builds are little-endian,
// and the members fall on their natural alignment, so no padding).
struct DrawingFileHeader {
  char magic[kDrawingMagicSize];  // "KFD2.0" and a NUL
  char title[kDrawingTitleSize];  // NUL-terminated
  int32_t recordCount;
  int32_t stringSize;  // bytes of the string area
  float largestX;
  float largestY;
};
static_assert(sizeof(DrawingFileHeader) == kDrawingHeaderSize, "header must be 104 bytes");
static_assert(offsetof(DrawingFileHeader, recordCount) == 88, "header layout");
static_assert(offsetof(DrawingFileHeader, largestY) == 100, "header layout");

// One record, unpacked. x and y are fields 1 and 2; what fields 3 to 6 hold
// depends on the command letter:
//   A arrow: 3, 4 tip; 5 half-length of the tick across the tip
//   C circular arc: x, y centre; 3 radius; 4 start angle; 5 sweep
//   D line to x, y;  M move to x, y
//   E elliptic arc: x, y centre; 3, 4 radii along x and y; 5 start; 6 sweep
//   L line style: x 1 solid, other whole values dotted
//   S text: 3 height; 4 angle; 5 length; 6 offset in the string area
//   T end of the drawing
struct DrawingRecord {
  char command;
  float x;
  float y;
  float field3;
  float field4;
  float field5;
  float field6;
};

// Record `index` (from 0) of a record block. The caller keeps index within the
// block.
DrawingRecord GetDrawingRecord(const unsigned char* block, int64_t index);
void PutDrawingRecord(unsigned char* block, int64_t index, const DrawingRecord& record);

// Where the text of an S record lies in a string area of `stringSize` bytes.
// False, with nothing written, when the record's length or offset is not a
// whole number or does not lie inside the area (a length of 0 is a valid,
// empty text).
bool FindDrawingText(const DrawingRecord& record, int64_t stringSize, int64_t* offset,
                     int64_t* length);

// A header for a new drawing: magic, the title cut to 79 characters, the
// counts and extents; every other byte zero.
DrawingFileHeader MakeDrawingHeader(const char* title, int32_t recordCount, int32_t stringSize,
                                    float largestX, float largestY);
