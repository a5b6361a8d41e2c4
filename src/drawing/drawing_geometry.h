// The arithmetic of drawing rendering: where every point, arc, arrow and text
// of a drawing lands, how a drawing is fitted into a rectangle, and the frame
// of an exported metafile. Pure functions, the same in both builds; the GDI
// code only hands their results on.
//
// Values come from drawing files and may be anything: every conversion to a
// 32-bit device value saturates, and NaN gives 0, so no file makes a
// conversion undefined or a division by zero.
#pragma once

#include <cstdint>

#include "drawing/pictures.h"

// Degrees to radians: the single-precision factor the drawings were made
// with, one unit in the last place above the single-precision pi / 180.
constexpr float kDegreesToRadians = 0.017453294f;
constexpr float kDrawingPi = 3.1415929f;

// trunc(value) as a 32-bit integer, saturated; NaN gives 0.
int32_t SaturateToInt32(double value);
// True when the value fits a signed 16-bit field.
bool FitsInt16(int64_t value);

// The transform of one RenderDrawing: a drawing point (x, y) lands at
// trunc(x * scale) + originX, height - trunc(y * scale) + originY (drawing y
// counts upwards, device y downwards).
struct DrawingTransform {
  int32_t width;  // not used by the transform; kept with the size
  int32_t height;
  int32_t originX;
  int32_t originY;
  float scale;
};

struct DevicePoint {
  int32_t x;
  int32_t y;
};

// A point in drawing units.
struct DrawingPoint {
  float x;
  float y;
};

DevicePoint TransformPoint(const DrawingTransform& t, float x, float y);

// ---- fit ------------------------------------------------------------------------

// `rect` narrowed or lowered about its middle to the drawing's proportions
// (largest x to largest y, both times 1000 and above 0). A difference of one
// unit is left alone.
PictureRect FitRectangle(PictureRect rect, int32_t largestX1000, int32_t largestY1000);

// The last fit, kept on what it was computed from: the rectangle given and
// the drawing's extents.
struct FitCache {
  bool valid;
  PictureRect input;
  int32_t largestX1000;
  int32_t largestY1000;
  PictureRect fitted;
};
PictureRect FitRectangleCached(FitCache* cache, PictureRect rect, int32_t largestX1000,
                               int32_t largestY1000);

// ---- arcs -----------------------------------------------------------------------

struct ArcGeometry {
  PictureRect box;    // of the whole ellipse, normalised
  DevicePoint start;  // on the start radial
  DevicePoint end;    // on the end radial (snapped to the start within 2 units)
  bool wholeEllipse;  // |sweep| above 359.99
  bool drawsNothing;  // end points coincide and |sweep| below 180: GDI would draw it whole
};
ArcGeometry ArcPoints(const DrawingTransform& t, float cx, float cy, float rx, float ry,
                      float start, float sweep);

// ---- arrows ---------------------------------------------------------------------

// In drawing units: the shaft from the tail to the tip, the head's closed
// outline tip-H1-H2-tip (0.12 units long, 10 degrees either side of the
// shaft), and a tick T1-T2 across the tip, `tick` each side.
struct ArrowGeometry {
  DrawingPoint tail;
  DrawingPoint tip;
  DrawingPoint head1;
  DrawingPoint head2;
  DrawingPoint tick1;
  DrawingPoint tick2;
};
ArrowGeometry ArrowPoints(float tipX, float tipY, float tailX, float tailY, float tick);

// ---- texts ----------------------------------------------------------------------

constexpr int32_t kDrawingTextLimit = 99;

// The font height and angle of a text, and the device point of its top-left
// corner: 1.2 font heights above the point, turned with the text.
struct TextPlacement {
  int32_t fontHeight;
  int32_t angle;  // whole degrees
  DevicePoint corner;
};
TextPlacement PlaceDrawingText(const DrawingTransform& t, float x, float y, float height,
                               float angle);

// Where an S record's text lies: its length is trunc(field 5) within 0..99,
// its offset trunc(field 6). A text whose range is not inside the string area
// is empty (length 0).
struct TextRange {
  int64_t offset;
  int32_t length;
};
TextRange DrawingTextRange(float lengthField, float offsetField, int64_t stringSize);

// ---- export ---------------------------------------------------------------------

// The frame of an exported drawing: 9800 units wide from x 80, its top edge
// at y 0, one drawing unit less high than the drawing.
constexpr int32_t kExportWidth = 9800;
constexpr int32_t kExportLeft = 80;
struct ExportFrame {
  float scale;
  int32_t width;
  int32_t height;
  int32_t originX;
  int32_t originY;
};
// False when the drawing has no width (largest x at or below 0) or its frame
// would not fit the 16-bit values of a placeable header.
bool ComputeExportFrame(int32_t largestX1000, int32_t largestY1000, ExportFrame* frame);
