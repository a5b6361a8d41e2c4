// Drawing the records of a vector drawing into a device context, placing a
// drawing slot into its rectangle, and exporting a drawing as a placeable
// Windows metafile.
//
// Device contexts are plain pointers (HDC); only the Windows build draws. The
// arithmetic of every point (transform, fit, arcs, arrows, text position) lives
// in drawing_geometry.h, so both builds share and test it.
#pragma once

#include <cstdint>

#include "drawing/pictures.h"

// Draws `count` records (25 bytes each) with the string area of `stringSize`
// bytes. A drawing point (x, y) lands at trunc(x * scale) + originX,
// height - trunc(y * scale) + originY. The pen and font selected before are
// selected again at the end, and the drawing font is deleted.
void RenderDrawing(void* dc, const unsigned char* records, int32_t count, const char* strings,
                   int32_t stringSize, int32_t width, int32_t height, int32_t originX,
                   int32_t originY, float scale);

// Places the slot's drawing into `rect` keeping its proportions. On the screen
// (PagePictureFlag 0) the slot's view rectangle is shown and the fitted
// rectangle becomes its drawn rectangle; on a page the whole drawing is drawn
// and the slot is left as it was. A drawing without extent, or an empty
// rectangle, draws nothing. The window is not used.
void DrawDrawingSlot(PictureSlot* slot, void* window, void* dc, PictureRect rect);

// Exports drawing 1 of the drawing file `drawingName` (in the input folder) as
// the placeable metafile `metafileName` (in the input folder), 9800 units wide
// at 1000 units per inch; the window extent of the metafile is width by
// height. Writes nothing when the drawing does not load, has no width, would
// not fit the 16-bit values of a Windows metafile, or when both names are the
// same file. The drawing pens stay made.
void ExportDrawingMetafile(const char* drawingName, const char* metafileName, int32_t width,
                           int32_t height);

// Engine-callable: both names as address and eight-byte length (cut to 80
// characters), the window width and height as eight-byte integers by address.
void ExportDrawingCall(const char* drawingName, int64_t drawingNameLength, const char* metafileName,
                       int64_t metafileNameLength, const int64_t* width, const int64_t* height);

// The primitives of RenderDrawing, in drawing units through the transform of
// the RenderDrawing in progress.
void DrawingMoveTo(void* dc, float x, float y);
void DrawingLineTo(void* dc, float x, float y);
void DrawArc(void* dc, float cx, float cy, float rx, float ry, float start, float sweep);
void DrawArrow(void* dc, float tipX, float tipY, float tailX, float tailY, float tick);
void DrawDrawingText(void* dc, float x, float y, const char* text, float height, float angle,
                     int32_t length);
// Makes and selects an "Arial" font of the cell height and the angle (degrees)
// in place of the previous drawing font, which is deleted.
void CreateDrawingFont(void* dc, int32_t height, int32_t angle);
// A hook for tracing the device points of moves, lines and texts; does nothing.
void TraceDrawing(const char* label, int32_t x, int32_t y);

// Load-time state: no fitted rectangle, no transform.
void ResetDrawingRenderForTests();
