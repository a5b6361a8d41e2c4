// Placing a drawing slot: what the slot keeps of its placement on the screen
// and on pages, and the drawings and rectangles that draw nothing. (What is
// drawn is checked in the Windows build's rendering tests.)
#include <gtest/gtest.h>

#include <string>

#include "drawing/drawing_render.h"
#include "drawing/pictures.h"
#include "drawing_test_support.h"
#include "os/os.h"
#include "report_base/drawing_tools.h"

namespace drawing_test {
namespace {

bool Same(const PictureRect& a, const PictureRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const PictureRect& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

class DrawingSlotTest : public DrawingTest {
 protected:
  // A drawing of the given extents in a slot, its rectangles marked so that
  // any change shows.
  void Load(PictureSlot* slot, float largestX, float largestY, const std::string& name = "D.KFD") {
    Write(name, HeaderBytes("", 2, 0, largestX, largestY) + RecordBytes('M', 0, 0) +
                    RecordBytes('D', largestX, largestY));
    ASSERT_EQ(LoadPictureFile(slot, Path(name).c_str(), 1), 1);
  }
  static constexpr PictureRect kMark = {-7, -7, -7, -7};
};

TEST_F(DrawingSlotTest, TheScreenKeepsWhereTheDrawingWasDrawnAndWhatItShows) {
  PictureSlot slot = {};
  Load(&slot, 2.0f, 1.0f);
  g_drawingState.renderTarget = kRenderWindow;
  DrawPicture(&slot, nullptr, nullptr, {0, 0, 400, 400});
  EXPECT_TRUE(Same(slot.drawnRect, {0, 100, 400, 300})) << Show(slot.drawnRect);
  EXPECT_TRUE(Same(slot.viewRect, {0, 0, 2000, 1000})) << Show(slot.viewRect);

  // A view rectangle once set stays; the drawn rectangle follows each drawing.
  slot.viewRect = {0, 0, 1000, 500};
  DrawPicture(&slot, nullptr, nullptr, {0, 0, 401, 200});
  EXPECT_TRUE(Same(slot.drawnRect, {0, 0, 401, 200})) << Show(slot.drawnRect);
  EXPECT_TRUE(Same(slot.viewRect, {0, 0, 1000, 500})) << Show(slot.viewRect);
  FreePicture(&slot);
}

TEST_F(DrawingSlotTest, PagesAndMetafilesLeaveTheSlotAsItWas) {
  PictureSlot slot = {};
  Load(&slot, 2.0f, 1.0f);
  slot.drawnRect = kMark;
  g_drawingState.renderTarget = kRenderPrinter;
  g_drawingState.pagePictureFlag = 1;
  DrawPicture(&slot, nullptr, nullptr, {0, 0, 400, 400});
  EXPECT_TRUE(Same(slot.drawnRect, kMark)) << Show(slot.drawnRect);
  EXPECT_EQ(slot.viewRect.right, 0);

  g_drawingState.renderTarget = kRenderMetafile;
  g_drawingState.pagePictureFlag = 0;
  DrawPicture(&slot, nullptr, nullptr, {0, 0, 400, 400});
  EXPECT_TRUE(Same(slot.drawnRect, kMark)) << Show(slot.drawnRect);
  EXPECT_EQ(slot.viewRect.right, 0);
  FreePicture(&slot);
}

TEST_F(DrawingSlotTest, NoExtentNoRectangleOrNoLockDrawsNothing) {
  struct Case {
    const char* what;
    float largestX, largestY;
    PictureRect rect;
    bool lockFails;
  } cases[] = {
      {"no width", 0.0f, 1.0f, {0, 0, 400, 400}, false},
      {"no height", 2.0f, 0.0f, {0, 0, 400, 400}, false},
      {"negative width", -2.0f, 1.0f, {0, 0, 400, 400}, false},
      {"width below a thousandth", 0.0004f, 1.0f, {0, 0, 400, 400}, false},
      {"empty rectangle", 2.0f, 1.0f, {10, 10, 10, 400}, false},
      {"flat rectangle", 2.0f, 1.0f, {10, 10, 400, 10}, false},
      {"turned rectangle", 2.0f, 1.0f, {400, 400, 0, 0}, false},
      {"a block that cannot be locked", 2.0f, 1.0f, {0, 0, 400, 400}, true},
  };
  g_drawingState.renderTarget = kRenderWindow;
  for (const Case& c : cases) {
    PictureSlot slot = {};
    Load(&slot, c.largestX, c.largestY);
    slot.drawnRect = kMark;
    if (c.lockFails) os::SetMemLockFailAfter(0);
    DrawPicture(&slot, nullptr, nullptr, c.rect);
    os::SetMemLockFailAfter(-1);
    EXPECT_TRUE(Same(slot.drawnRect, kMark)) << c.what << ": " << Show(slot.drawnRect);
    EXPECT_EQ(slot.viewRect.right, 0) << c.what;
    // Nothing stays locked: the block can still be locked and unlocked once.
    ASSERT_NE(os::MemLock(slot.drawing.records), nullptr) << c.what;
    EXPECT_FALSE(os::MemUnlock(slot.drawing.records)) << c.what;
    FreePicture(&slot);
  }
}

// GDI's device space reaches 2^27 units each way. A rectangle with an edge
// beyond it (a picture reference at row 20000000 lands at y 400000000 on an
// 800 x 500 screen; cells whose position did not fit 32 bits come clamped)
// draws nothing; one whose edges reach the limits is drawn.
TEST_F(DrawingSlotTest, RectanglesBeyondTheDeviceSpaceDrawNothing) {
  constexpr int32_t kLast = (1 << 27) - 1;
  constexpr int32_t kFirst = -(1 << 27);
  struct Case {
    const char* what;
    PictureRect rect;
    bool drawn;
  } const cases[] = {
      {"edges at the limits", {kFirst, kFirst, kLast, kLast}, true},
      {"left beyond", {kFirst - 1, 0, 400, 400}, false},
      {"top beyond", {0, kFirst - 1, 400, 400}, false},
      {"right beyond", {0, 0, kLast + 1, 400}, false},
      {"bottom beyond", {0, 0, 400, kLast + 1}, false},
      {"row 20000000 of an 800 x 500 screen", {0, 399999980, 800, 400000000}, false},
      {"clamped to 32 bits", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, false},
  };
  g_drawingState.renderTarget = kRenderWindow;
  for (const Case& c : cases) {
    PictureSlot slot = {};
    Load(&slot, 2.0f, 1.0f);
    slot.drawnRect = kMark;
    DrawPicture(&slot, nullptr, nullptr, c.rect);
    EXPECT_EQ(!Same(slot.drawnRect, kMark), c.drawn) << c.what << ": " << Show(slot.drawnRect);
    EXPECT_EQ(InDeviceSpace(c.rect), c.drawn) << c.what;
    FreePicture(&slot);
  }
}

TEST_F(DrawingSlotTest, AnotherDrawingInTheLastFittedRectangleIsFittedAgain) {
  PictureSlot wide = {};
  PictureSlot tall = {};
  Load(&wide, 2.0f, 1.0f, "WIDE.KFD");
  Load(&tall, 1.0f, 2.0f, "TALL.KFD");
  g_drawingState.renderTarget = kRenderWindow;
  DrawPicture(&wide, nullptr, nullptr, {0, 0, 400, 400});
  ASSERT_TRUE(Same(wide.drawnRect, {0, 100, 400, 300})) << Show(wide.drawnRect);
  DrawPicture(&tall, nullptr, nullptr, {0, 100, 400, 300});
  EXPECT_TRUE(Same(tall.drawnRect, {150, 100, 250, 300})) << Show(tall.drawnRect);
  FreePicture(&wide);
  FreePicture(&tall);
}

}  // namespace
}  // namespace drawing_test
