#include "drawing/drawing_geometry.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "report_base/device_space.h"

namespace {

// trunc(value) as a 64-bit integer within the 32-bit range (NaN gives 0).
int64_t Trunc(double value) { return SaturateToInt32(value); }

int32_t DeviceX(const DrawingTransform& t, double scaled) {
  return ClampToInt32(Trunc(scaled) + t.originX);
}

int32_t DeviceY(const DrawingTransform& t, double scaled) {
  return ClampToInt32(int64_t{t.height} - Trunc(scaled) + t.originY);
}

// Whole part raised by 1 when there is a fraction, within the 32-bit range.
int64_t RoundUp(float value) { return SaturateToInt32(std::ceil(static_cast<double>(value))); }

}  // namespace

int32_t SaturateToInt32(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool FitsInt16(int64_t value) { return value >= INT16_MIN && value <= INT16_MAX; }

DevicePoint TransformPoint(const DrawingTransform& t, float x, float y) {
  return {DeviceX(t, x * t.scale), DeviceY(t, y * t.scale)};
}

// ---- fit ------------------------------------------------------------------------

PictureRect FitRectangle(PictureRect rect, int32_t largestX1000, int32_t largestY1000) {
  const int64_t w = int64_t{rect.right} - rect.left;
  const int64_t h = int64_t{rect.bottom} - rect.top;
  float fw = static_cast<float>(w);
  float fh = static_cast<float>(h);
  const float a = static_cast<float>(largestX1000) / static_cast<float>(largestY1000);
  const float r = fw / fh;
  if (r > a) {
    fw = fh * a;
  } else if (a > r) {
    fh = fw / a;
  }
  const int64_t wFit = RoundUp(fw);
  const int64_t hFit = RoundUp(fh);
  PictureRect out = rect;
  if (std::llabs(wFit - w) > 1) {
    out.left = ClampToInt32(rect.left + (w - wFit) / 2);
    out.right = ClampToInt32(int64_t{out.left} + wFit);
  } else if (std::llabs(hFit - h) > 1) {
    out.top = ClampToInt32(rect.top + (h - hFit) / 2);
    out.bottom = ClampToInt32(int64_t{out.top} + hFit);
  }
  return out;
}

namespace {
bool SameRect(const PictureRect& a, const PictureRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

PictureRect FitRectangleCached(FitCache* cache, PictureRect rect, int32_t largestX1000,
                               int32_t largestY1000) {
  if (cache->valid && SameRect(cache->input, rect) && cache->largestX1000 == largestX1000 &&
      cache->largestY1000 == largestY1000) {
    return cache->fitted;
  }
  cache->valid = true;
  cache->input = rect;
  cache->largestX1000 = largestX1000;
  cache->largestY1000 = largestY1000;
  cache->fitted = FitRectangle(rect, largestX1000, largestY1000);
  return cache->fitted;
}

// ---- arcs -----------------------------------------------------------------------

ArcGeometry ArcPoints(const DrawingTransform& t, float cx, float cy, float rx, float ry,
                      float start, float sweep) {
  ArcGeometry g;
  g.box.left = DeviceX(t, (cx - rx) * t.scale);
  g.box.right = DeviceX(t, (cx + rx) * t.scale);
  g.box.top = DeviceY(t, (cy + ry) * t.scale);
  g.box.bottom = DeviceY(t, (cy - ry) * t.scale);
  if (g.box.left > g.box.right) std::swap(g.box.left, g.box.right);
  if (g.box.top > g.box.bottom) std::swap(g.box.top, g.box.bottom);

  const double scale = t.scale;
  const double startRadians = start * kDegreesToRadians;
  const double endRadians = (start + sweep) * kDegreesToRadians;
  g.start.x = DeviceX(t, (rx * std::cos(startRadians) + cx) * scale);
  g.start.y = DeviceY(t, (ry * std::sin(startRadians) + cy) * scale);
  g.end.x = DeviceX(t, (rx * std::cos(endRadians) + cx) * scale);
  g.end.y = DeviceY(t, (ry * std::sin(endRadians) + cy) * scale);
  if (std::llabs(int64_t{g.end.x} - g.start.x) < 2) g.end.x = g.start.x;
  if (std::llabs(int64_t{g.end.y} - g.start.y) < 2) g.end.y = g.start.y;

  const double magnitude = std::fabs(static_cast<double>(sweep));
  g.wholeEllipse = magnitude > 359.99;
  // Arc() with coinciding radials draws the whole ellipse; a short arc whose
  // ends land on the same device point is too small to see instead.
  g.drawsNothing =
      !g.wholeEllipse && magnitude < 180.0 && g.end.x == g.start.x && g.end.y == g.start.y;
  return g;
}

// ---- arrows ---------------------------------------------------------------------

ArrowGeometry ArrowPoints(float tipX, float tipY, float tailX, float tailY, float tick) {
  float t;
  if (std::fabs(tailX - tipX) < 0.00001f) {
    t = tailY > tipY ? kDrawingPi / 2.0f : -kDrawingPi / 2.0f;
  } else if (std::fabs(tailY - tipY) < 0.00001f) {
    t = tailX > tipX ? 0.0f : kDrawingPi;
  } else {
    t = static_cast<float>(std::atan(static_cast<double>(tailY - tipY) / (tailX - tipX)));
    if (tipX > tailX) t += kDrawingPi;
  }
  const float spread = 10.0f * kDegreesToRadians;
  const double length = 0.12;
  ArrowGeometry g;
  g.tail = {tailX, tailY};
  g.tip = {tipX, tipY};
  g.head1 = {static_cast<float>(tipX + length * std::cos(static_cast<double>(t + spread))),
             static_cast<float>(tipY + length * std::sin(static_cast<double>(t + spread)))};
  g.head2 = {static_cast<float>(tipX + length * std::cos(static_cast<double>(t - spread))),
             static_cast<float>(tipY + length * std::sin(static_cast<double>(t - spread)))};
  const double across = -std::sin(static_cast<double>(t));
  const double along = std::cos(static_cast<double>(t));
  g.tick1 = {static_cast<float>(tipX + tick * across), static_cast<float>(tipY + tick * along)};
  g.tick2 = {static_cast<float>(tipX - tick * across), static_cast<float>(tipY - tick * along)};
  if (std::fabs(g.tick1.x - g.tick2.x) < 0.02f) g.tick1.x = g.tick2.x;
  if (std::fabs(g.tick1.y - g.tick2.y) < 0.02f) g.tick1.y = g.tick2.y;
  return g;
}

// ---- texts ----------------------------------------------------------------------

TextPlacement PlaceDrawingText(const DrawingTransform& t, float x, float y, float height,
                               float angle) {
  TextPlacement p;
  p.fontHeight = SaturateToInt32(height * t.scale);
  p.angle = SaturateToInt32(angle);
  const double radians = static_cast<float>(p.angle) * kDegreesToRadians;
  const double lift = 1.2 * p.fontHeight;
  const double scale = t.scale;
  p.corner.x = DeviceX(t, x * scale - lift * std::sin(radians));
  p.corner.y = DeviceY(t, y * scale + lift * std::cos(radians));
  return p;
}

TextRange DrawingTextRange(float lengthField, float offsetField, int64_t stringSize) {
  int32_t n = SaturateToInt32(lengthField);
  if (n < 0) n = 0;
  if (n > kDrawingTextLimit) n = kDrawingTextLimit;
  const int64_t offset = SaturateToInt32(offsetField);
  if (n == 0 || offset < 0 || offset + n > stringSize) return {0, 0};
  return {offset, n};
}

// ---- export ---------------------------------------------------------------------

bool ComputeExportFrame(int32_t largestX1000, int32_t largestY1000, ExportFrame* frame) {
  if (largestX1000 <= 0) return false;
  frame->scale = 1000.0f * 9800.0f / static_cast<float>(largestX1000);
  frame->width = kExportWidth;
  frame->height = SaturateToInt32(9800.0 * (static_cast<double>(largestY1000) - 1000.0) /
                                  static_cast<double>(largestX1000));
  frame->originX = kExportLeft;
  frame->originY = SaturateToInt32(frame->scale);
  return FitsInt16(frame->height);
}
