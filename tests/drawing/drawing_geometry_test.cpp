// Where drawing records land: the transform, the fit of a drawing into a
// rectangle, arcs, arrows, text positions and ranges, and the export frame.
// Expected values are worked out by hand (or, for the few that depend on the
// single-precision degree factor, with a short script in IEEE single and
// double arithmetic).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "drawing/drawing_geometry.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr double kPi = 3.14159265358979323846;

std::string Show(const PictureRect& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

bool Same(const PictureRect& a, const PictureRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DrawingGeometry, SaturatesEveryConversionAndNaNGivesZero) {
  struct Case {
    double value;
    int32_t expected;
  } cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {2147483647.0, INT32_MAX},
      {2147483648.0, INT32_MAX},
      {1e30, INT32_MAX},
      {-2147483648.0, INT32_MIN},
      {-2147483649.0, INT32_MIN},
      {std::numeric_limits<double>::infinity(), INT32_MAX},
      {-std::numeric_limits<double>::infinity(), INT32_MIN},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(SaturateToInt32(c.value), c.expected) << c.value;
  EXPECT_TRUE(FitsInt16(-32768));
  EXPECT_TRUE(FitsInt16(32767));
  EXPECT_FALSE(FitsInt16(32768));
  EXPECT_FALSE(FitsInt16(-32769));
}

TEST(DrawingGeometry, TransformTruncatesTowardZeroAndTurnsYDownwards) {
  const DrawingTransform t = {0, 1000, 10, 20, 100.0f};
  struct Case {
    float x, y;
    int32_t deviceX, deviceY;
  } cases[] = {
      {1.5f, 2.25f, 160, 795},
      {0.0f, 0.0f, 10, 1020},
      // -0.0125 x 100 = -1.25: truncated to -1, not floored to -2.
      {-0.0125f, -0.0125f, 9, 1021},
      // File values beyond any device: held at the 32-bit limits.
      {1e30f, 1e30f, INT32_MAX, 1020 - INT32_MAX},
      {-1e30f, kInf, INT32_MIN + 10, 1020 - INT32_MAX},
      {kNaN, kNaN, 10, 1020},
  };
  for (const Case& c : cases) {
    const DevicePoint p = TransformPoint(t, c.x, c.y);
    EXPECT_EQ(p.x, c.deviceX) << c.x << ", " << c.y;
    EXPECT_EQ(p.y, c.deviceY) << c.x << ", " << c.y;
  }
}

TEST(DrawingGeometry, FitKeepsTheDrawingsProportionsAboutTheMiddle) {
  struct Case {
    const char* what;
    int32_t largestX1000, largestY1000;
    PictureRect given, fitted;
  } cases[] = {
      {"wide drawing, square rectangle", 2000, 1000, {0, 0, 400, 400}, {0, 100, 400, 300}},
      {"a difference of one is left", 2000, 1000, {0, 0, 401, 200}, {0, 0, 401, 200}},
      {"tall drawing, square rectangle", 1000, 2000, {0, 0, 400, 400}, {100, 0, 300, 400}},
      // 100 / 3 = 33.3 is raised to 34; (50 - 34) / 2 = 8.
      {"a fraction is raised", 3000, 1000, {10, 20, 110, 70}, {10, 28, 110, 62}},
      // (401 - 200) / 2 truncates to 100.
      {"odd halves truncate", 2000, 1000, {0, 0, 400, 401}, {0, 100, 400, 300}},
      {"negative coordinates", 1000, 1000, {-100, -50, 100, 50}, {-50, -50, 50, 50}},
  };
  for (const Case& c : cases) {
    const PictureRect got = FitRectangle(c.given, c.largestX1000, c.largestY1000);
    EXPECT_TRUE(Same(got, c.fitted)) << c.what << ": " << Show(got);
  }
}

TEST(DrawingGeometry, FitIsKeptOnTheRectangleGivenAndTheDrawing) {
  FitCache cache = {};
  const PictureRect square = {0, 0, 400, 400};
  const PictureRect wide = FitRectangleCached(&cache, square, 2000, 1000);
  EXPECT_TRUE(Same(wide, {0, 100, 400, 300})) << Show(wide);
  // The same rectangle for another drawing is fitted again.
  const PictureRect tall = FitRectangleCached(&cache, square, 1000, 2000);
  EXPECT_TRUE(Same(tall, {100, 0, 300, 400})) << Show(tall);
  // A rectangle that equals the last fitted one is still fitted: a tall drawing
  // in (0, 100, 400, 300) is narrowed, not drawn into it unchanged.
  FitRectangleCached(&cache, square, 2000, 1000);
  const PictureRect again = FitRectangleCached(&cache, {0, 100, 400, 300}, 1000, 2000);
  EXPECT_TRUE(Same(again, {150, 100, 250, 300})) << Show(again);
}

TEST(DrawingGeometry, ArcBoxAndEndPoints) {
  const DrawingTransform t = {0, 1000, 0, 0, 10.0f};
  // A quarter circle of radius 10 about (50, 50): the end radial at 90 degrees
  // lands a hair inside the box, because the degree factor is not exact.
  const ArcGeometry quarter = ArcPoints(t, 50, 50, 10, 10, 0, 90);
  EXPECT_TRUE(Same(quarter.box, {400, 400, 600, 600})) << Show(quarter.box);
  EXPECT_EQ(quarter.start.x, 600);
  EXPECT_EQ(quarter.start.y, 500);
  EXPECT_EQ(quarter.end.x, 499);
  EXPECT_EQ(quarter.end.y, 401);
  EXPECT_FALSE(quarter.wholeEllipse);
  EXPECT_FALSE(quarter.drawsNothing);

  // A negative radius gives the same box, the corners put in order.
  const ArcGeometry flipped = ArcPoints(t, 50, 50, -10, -10, 0, 90);
  EXPECT_TRUE(Same(flipped.box, {400, 400, 600, 600})) << Show(flipped.box);

  // An ellipse: radii 20 along x and 10 along y.
  const ArcGeometry ellipse = ArcPoints(t, 50, 50, 20, 10, 180, 90);
  EXPECT_TRUE(Same(ellipse.box, {300, 400, 700, 600})) << Show(ellipse.box);
}

TEST(DrawingGeometry, ArcSweepDecidesWholeEllipseArcOrNothing) {
  const DrawingTransform t = {0, 1000, 0, 0, 10.0f};
  struct Case {
    const char* what;
    float r, start, sweep;
    bool whole, nothing;
    bool endIsStart;
  } cases[] = {
      {"full turn", 10, 0, 360, true, false, true},
      {"full turn clockwise", 10, 0, -360, true, false, true},
      {"just short of a turn: an arc", 10, 0, 359.99f, false, false, true},
      // 0.1 degrees moves the end point by less than 2 units: snapped onto the
      // start, and GDI would draw the whole circle.
      {"tiny sweep", 10, 0, 0.1f, false, true, true},
      {"tiny clockwise sweep", 10, 0, -0.1f, false, true, true},
      {"no sweep", 10, 30, 0, false, true, true},
      // A circle of half a unit: both ends snap together at any sweep; from
      // 180 degrees on it is drawn (GDI's whole circle is then right).
      {"small circle, 179.9", 0.05f, 0, 179.9f, false, true, true},
      {"small circle, 180", 0.05f, 0, 180, false, false, true},
      {"quarter", 10, 0, 90, false, false, false},
  };
  for (const Case& c : cases) {
    const ArcGeometry g = ArcPoints(t, 50, 50, c.r, c.r, c.start, c.sweep);
    EXPECT_EQ(g.wholeEllipse, c.whole) << c.what;
    EXPECT_EQ(g.drawsNothing, c.nothing) << c.what;
    EXPECT_EQ(g.end.x == g.start.x && g.end.y == g.start.y, c.endIsStart) << c.what;
  }
}

TEST(DrawingGeometry, ArcEndsSnapOnlyWithinOneUnit) {
  const DrawingTransform t = {0, 1000, 0, 0, 1.0f};
  // Radius 100 at scale 1: 1 degree moves the end 1.7 units up (snapped in y)
  // and 0.015 units left (snapped in x); 2 degrees moves it 3.5 units up.
  const ArcGeometry one = ArcPoints(t, 0, 0, 100, 100, 0, 1);
  EXPECT_EQ(one.end.x, one.start.x);
  EXPECT_EQ(one.end.y, one.start.y);
  const ArcGeometry two = ArcPoints(t, 0, 0, 100, 100, 0, 2);
  EXPECT_EQ(two.end.x, two.start.x);
  EXPECT_EQ(two.end.y, 997);
  EXPECT_EQ(two.start.y, 1000);
  EXPECT_FALSE(two.drawsNothing);
}

void ExpectPoint(const DrawingPoint& p, double x, double y, const char* what) {
  EXPECT_NEAR(p.x, x, 1e-6) << what;
  EXPECT_NEAR(p.y, y, 1e-6) << what;
}

TEST(DrawingGeometry, ArrowHeadAndTick) {
  const double c10 = 0.12 * std::cos(10.0 * kPi / 180.0);
  const double s10 = 0.12 * std::sin(10.0 * kPi / 180.0);

  // Tail left of the tip: the head opens to the left, the tick is upright.
  const ArrowGeometry right = ArrowPoints(1, 0, 0, 0, 0.1f);
  ExpectPoint(right.tail, 0, 0, "tail");
  ExpectPoint(right.tip, 1, 0, "tip");
  ExpectPoint(right.head1, 1 - c10, -s10, "head 1");
  ExpectPoint(right.head2, 1 - c10, s10, "head 2");
  ExpectPoint(right.tick1, 1, -0.1, "tick 1");
  ExpectPoint(right.tick2, 1, 0.1, "tick 2");
  EXPECT_EQ(right.tick1.x, right.tick2.x);  // within 0.02: the same x

  // Tail straight above the tip: both strokes of the head run upwards.
  const ArrowGeometry down = ArrowPoints(0, 0, 0, 1, 0.1f);
  ExpectPoint(down.head1, -s10, c10, "head 1");
  ExpectPoint(down.head2, s10, c10, "head 2");
  ExpectPoint(down.tick1, -0.1, 0, "tick 1");
  ExpectPoint(down.tick2, 0.1, 0, "tick 2");
  EXPECT_EQ(down.tick1.y, down.tick2.y);

  // A slanting shaft: the head points back along it, 10 degrees either side.
  const ArrowGeometry slant = ArrowPoints(0, 0, -1, -1, 0);
  const double back = 225.0 * kPi / 180.0;
  const double spread = 10.0 * kPi / 180.0;
  EXPECT_NEAR(slant.head1.x, 0.12 * std::cos(back + spread), 1e-5);
  EXPECT_NEAR(slant.head1.y, 0.12 * std::sin(back + spread), 1e-5);
  EXPECT_NEAR(slant.head2.x, 0.12 * std::cos(back - spread), 1e-5);
  EXPECT_NEAR(slant.head2.y, 0.12 * std::sin(back - spread), 1e-5);
  // No tick: both ends at the tip.
  ExpectPoint(slant.tick1, 0, 0, "no tick 1");
  ExpectPoint(slant.tick2, 0, 0, "no tick 2");
}

TEST(DrawingGeometry, TextCornerStandsAboveThePointTurnedWithTheText) {
  const DrawingTransform t = {0, 1000, 5, 7, 10.0f};
  // Height 3 at scale 10: a font of 30; the corner 1.2 x 30 = 36 above.
  const TextPlacement level = PlaceDrawingText(t, 10, 20, 3, 0);
  EXPECT_EQ(level.fontHeight, 30);
  EXPECT_EQ(level.angle, 0);
  EXPECT_EQ(level.corner.x, 105);
  EXPECT_EQ(level.corner.y, 1000 - 236 + 7);
  // At 90 degrees the corner stands 36 to the left of the point.
  const TextPlacement up = PlaceDrawingText(t, 10, 20, 3, 90);
  EXPECT_EQ(up.corner.x, 100 - 36 + 5);
  EXPECT_EQ(up.corner.y, 808);
  // Angles are whole degrees; a height that is not a number gives 0.
  EXPECT_EQ(PlaceDrawingText(t, 0, 0, 3, 45.7f).angle, 45);
  EXPECT_EQ(PlaceDrawingText(t, 0, 0, 3, -45.7f).angle, -45);
  EXPECT_EQ(PlaceDrawingText(t, 0, 0, kNaN, kNaN).fontHeight, 0);
  EXPECT_EQ(PlaceDrawingText(t, 0, 0, 1e30f, 0).fontHeight, INT32_MAX);
}

TEST(DrawingGeometry, TextRangeMustLieInsideTheStringArea) {
  struct Case {
    const char* what;
    float length, offset;
    int64_t size;
    int64_t wantOffset;
    int32_t wantLength;
  } cases[] = {
      {"whole area", 5, 0, 10, 0, 5},
      {"fractions truncate first", 5.9f, 2.7f, 10, 2, 5},
      {"ends at the area's end", 5, 5, 10, 5, 5},
      {"one past the end", 5, 6, 10, 0, 0},
      {"length held at 99", 150, 0, 200, 0, 99},
      {"negative length", -3, 0, 10, 0, 0},
      {"length not a number", kNaN, 0, 10, 0, 0},
      {"offset not a number reads 0", 3, kNaN, 10, 0, 3},
      {"negative offset", 3, -1, 10, 0, 0},
      {"huge offset", 3, 1e30f, 10, 0, 0},
      {"no string area", 3, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const TextRange r = DrawingTextRange(c.length, c.offset, c.size);
    EXPECT_EQ(r.offset, c.wantOffset) << c.what;
    EXPECT_EQ(r.length, c.wantLength) << c.what;
  }
}

TEST(DrawingGeometry, ExportFrame) {
  ExportFrame f;
  // A drawing 10 wide and 5 high.
  ASSERT_TRUE(ComputeExportFrame(10000, 5000, &f));
  EXPECT_EQ(f.scale, 980.0f);
  EXPECT_EQ(f.width, 9800);
  EXPECT_EQ(f.height, 3920);
  EXPECT_EQ(f.originX, 80);
  EXPECT_EQ(f.originY, 980);
  // 9800000 / 3000 = 3266.67 in single precision; origin truncated.
  ASSERT_TRUE(ComputeExportFrame(3000, 1000, &f));
  EXPECT_EQ(f.originY, 3266);
  EXPECT_EQ(f.height, 0);
  // No width: no frame.
  EXPECT_FALSE(ComputeExportFrame(0, 5000, &f));
  EXPECT_FALSE(ComputeExportFrame(-1000, 5000, &f));
  // 9800 x 4000 / 1000 = 39200 does not fit a 16-bit box; the product is
  // worked out without 32-bit overflow.
  EXPECT_FALSE(ComputeExportFrame(1000, 5000, &f));
  EXPECT_FALSE(ComputeExportFrame(1000, INT32_MAX, &f));
  ASSERT_TRUE(ComputeExportFrame(INT32_MAX, INT32_MAX, &f));
  EXPECT_EQ(f.height, 9799);
}

}  // namespace
