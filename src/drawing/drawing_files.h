// Drawing files: the text drawing (.KVD) and the binary drawing file (.KFD).
//
// A text drawing holds one drawing as fixed-column lines; a binary drawing
// file holds up to 100 drawings back to back (drawing_format.h). Both are read
// in two passes: a count pass that sizes the record block and the string area,
// and a read pass that fills blocks of exactly that size and never writes
// beyond the capacity it is given. Anything in a file, however damaged, reads
// as some drawing or as none; it never hangs the reader or reaches outside a
// buffer.
//
// Paths are NUL-terminated Windows paths. The writers take names relative to
// the run's input folder. Message boxes have no owner and show the stop icon.
#pragma once

#include <cstdint>
#include <cstdio>

#include "drawing/drawing_format.h"
#include "os/os.h"

// ---- text drawings (.KVD) -----------------------------------------------------

// The next line of the drawing text file `name` into `line` (kDrawingLineSize
// characters): at most 255 characters with the line end ('\n') when it fits, a
// CR before it dropped; a longer line comes in pieces. The file stays open from
// call to call while the same name is asked for; another name closes it and
// opens the new one. A first line that begins with "VER" is passed over.
// 1 when a line was read; 0 at the end of the file (which closes it), when the
// file cannot be opened, or when `close` is non-zero (which closes it).
int ReadDrawingLine(char* line, const char* name, int close);

// The count pass: records (A, C, D, E, L, M, S) and string-area bytes of a
// text drawing; both 0 when the file cannot be opened.
void CountDrawingText(const char* path, int32_t* count, int32_t* stringSize);

// The read pass: up to recordCapacity records into `records` (25 bytes each)
// and up to stringCapacity bytes of texts into `strings`; the count read and
// the drawing's largest x and y come back. Scale (F) and origin (O) lines are
// applied to every later coordinate.
void ReadDrawingText(const char* path, int32_t* count, unsigned char* records,
                     int64_t recordCapacity, char* strings, int64_t stringCapacity,
                     float* largestX, float* largestY);

// The largest x and y of the points of a C or E record's arc, sampled once a
// degree over the sweep (at most one full turn; a sweep that is not finite
// samples only the start point).
void ArcExtents(float* largestX, float* largestY, const DrawingRecord& record);

// The text length of an S line as both passes take it: the line's own field,
// 0 when below 0 or when there is no text line; up to 84 kept as it is (the
// text line is then filled with blanks past its end); above 84 cut to 99 and
// to the characters that the text line holds.
int32_t ClampTextLength(int32_t length, const char* textLine);

// ---- binary drawing files (.KFD) --------------------------------------------

// The header last read by the binary reader, its count pass and SeekDrawing;
// all zero after a read that found no such drawing.
extern DrawingFileHeader g_drawingHeader;

// Places `file` at the header of drawing n (any n outside 1..100 means 1).
// Every earlier drawing is checked against the file's length: false, with the
// shared header zero, when an earlier header is short, holds a negative count
// or size, or runs past the file's end; the drawing's own header is checked by
// its reader.
bool SeekDrawing(FILE* file, int n);

void CountDrawingBinary(const char* path, int32_t* count, int32_t* stringSize, int n);
void ReadDrawingBinary(const char* path, int32_t* count, unsigned char* records,
                       int64_t recordCapacity, char* strings, int64_t stringCapacity,
                       float* largestX, float* largestY, int n);

// ---- either kind, by the path's extension -------------------------------------

// By the three letters after the file name's last '.', case aside: "KVD" reads
// a text drawing (n is not used), "KFD" drawing n of a binary file; anything
// else reads nothing, count 0.
void CountDrawing(const char* path, int32_t* count, int32_t* stringSize, int n);
void ReadDrawing(const char* path, int32_t* count, unsigned char* records,
                 int64_t recordCapacity, char* strings, int64_t stringCapacity,
                 float* largestX, float* largestY, int n);

// ---- loaded drawings ----------------------------------------------------------

// A drawing held in memory for a picture slot. Both blocks are movable and
// unlocked between uses; stringSize is the string area's size in bytes, which
// the renderer checks text offsets against.
struct LoadedDrawing {
  os::MemBlock records;  // recordCount x 25 bytes
  os::MemBlock strings;  // stringSize bytes; null when the drawing has no texts
  int32_t recordCount;
  int32_t largestX1000;  // largest x times 1000, truncated
  int32_t largestY1000;
  int32_t stringSize;
};

// 1 when drawing n of the file is now held by `drawing` (its earlier blocks
// released); 0 when the file holds no such drawing with records, or memory
// runs out.
int LoadDrawing(LoadedDrawing* drawing, const char* path, int n);

// Releases the drawing's blocks, and deletes the pens and the font that all
// drawings share.
void FreeDrawing(LoadedDrawing* drawing);

// ---- writers ------------------------------------------------------------------

// Converts the text drawing `name` of the input folder (".KVD" added when the
// name has no extension) into a one-drawing binary file beside it, with the
// extension ".KFD"; an existing one is emptied first.
void ConvertDrawingFile(const char* name);

// Appends drawing 1 of `source` as the next drawing of `target` (created when
// missing), with the title; both names relative to the input folder.
void WriteDrawingFile(const char* source, const char* target, const char* title);

// Appends any file as one drawing: one M record and the file's bytes as the
// string area. Shows no messages.
void WrapFileAsDrawing(const char* source, const char* target, const char* title);

// Engine-callable: the name (address and length) cut to 80 characters.
void ConvertDrawingCall(const char* name, int64_t nameLength);

// ---- messages -----------------------------------------------------------------

constexpr const char* kMsgCannotOpen = "Can not open file";
constexpr const char* kMsgNoMemory = "Sorry, not enough memory to open more file.";
constexpr const char* kMsgCannotCreate = "Can not create file";
constexpr const char* kMsgCannotWrite = "Can not write to file";
constexpr const char* kTitleOpenError = "Open Error";
constexpr const char* kTitleOpenFileError = "Open File Error";
constexpr const char* kTitleConvert = "K-VOR";
constexpr const char* kTitleConvertStrings = "K-OVR";

// A message box of the drawing routines: no owner, the stop icon.
void ShowDrawingMessage(const char* text, const char* title);

// ---- tests --------------------------------------------------------------------

// Makes a writer's write fail after `okWrites` more successful ones (-1: never).
void SetDrawingWriteFailAfter(int okWrites);
// Load-time state: no text drawing open, the shared header zero, writes never
// failing.
void ResetDrawingFilesForTests();
