// Pictures drawn into device contexts, checked through the pixels of a memory
// DIB and the device context's state afterwards; and drawings exported as
// placeable metafiles, read back with SetMetaFileBitsEx and EnumMetaFile.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drawing/drawing_render.h"
#include "drawing/metafile_handles.h"
#include "drawing/pictures.h"
#include "drawing_test_support.h"
#include "os/os.h"
#include "report_base/drawing_tools.h"
#include "support/canvas_win32.h"
#include "support/test_support.h"
#include "support/test_window_win32.h"
#include "support/wmf_records_win32.h"

namespace drawing_test {
namespace {

using gdi_test::Canvas;

constexpr COLORREF kGray = RGB(128, 128, 128);
constexpr DWORD kGrayPixel = 0x808080;
constexpr DWORD kWhitePixel = 0xFFFFFF;

// A drawing 2 wide and 1 high: its outline.
std::string OutlineDrawing() {
  return HeaderBytes("", 5, 0, 2.0f, 1.0f) + RecordBytes('M', 0, 0) + RecordBytes('D', 2, 0) +
         RecordBytes('D', 2, 1) + RecordBytes('D', 0, 1) + RecordBytes('D', 0, 0);
}

// An enhanced metafile of one black square, 100 by 100 units.
HENHMETAFILE BlackSquare() {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 0, 0, 101, 101);
  return CloseEnhMetaFile(dc);
}

class PictureDrawTest : public DrawingTest {
 protected:
  void LoadOutline(PictureSlot* slot) {
    Write("OUTLINE.KFD", OutlineDrawing());
    ASSERT_EQ(LoadPictureFile(slot, Path("OUTLINE.KFD").c_str(), 1), 1);
  }
};

TEST_F(PictureDrawTest, AScreenDrawingIsClippedToItsFittedRectangleWithItsEdges) {
  PictureSlot slot = {};
  LoadOutline(&slot);
  Canvas canvas(300, 300, kGray);
  g_drawingState.renderTarget = kRenderWindow;
  DrawPicture(&slot, nullptr, canvas.dc, {0, 0, 200, 200});
  // Fitted to (0, 50, 200, 150), cleared with the DC's white brush.
  EXPECT_EQ(canvas.At(100, 100), kWhitePixel);
  EXPECT_EQ(canvas.At(100, 20), kGrayPixel);   // above: not touched
  EXPECT_EQ(canvas.At(250, 100), kGrayPixel);  // right: not touched
  EXPECT_TRUE(canvas.IsBlack(100, 50));        // top edge
  EXPECT_TRUE(canvas.IsBlack(0, 100));         // left edge
  // The bottom and right edges lie on the fitted rectangle's last row and
  // column, which the clip includes.
  EXPECT_TRUE(canvas.IsBlack(100, 150));
  EXPECT_TRUE(canvas.IsBlack(200, 100));
  EXPECT_EQ(canvas.BlackIn(0, 152, 300, 300), 0);

  // The screen's device context is left as it was found.
  EXPECT_EQ(GetMapMode(canvas.dc), MM_TEXT);
  EXPECT_EQ(GetBkMode(canvas.dc), OPAQUE);
  POINT origin = {-1, -1};
  GetViewportOrgEx(canvas.dc, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetClipRgn(canvas.dc, region), 0);  // no clip region
  DeleteObject(region);
  FreePicture(&slot);
}

TEST_F(PictureDrawTest, APageDrawingShowsWholeAndKeepsItsMapping) {
  PictureSlot slot = {};
  LoadOutline(&slot);
  slot.viewRect = {0, 0, 1000, 500};  // a zoomed screen view: not for pages
  Canvas canvas(300, 300, kGray);
  g_drawingState.renderTarget = kRenderWindow;
  g_drawingState.pagePictureFlag = 1;
  DrawPicture(&slot, nullptr, canvas.dc, {0, 0, 200, 200});
  EXPECT_TRUE(canvas.IsBlack(100, 50));
  EXPECT_TRUE(canvas.IsBlack(200, 100));
  EXPECT_TRUE(canvas.IsBlack(100, 150));
  EXPECT_EQ(canvas.At(100, 100), kGrayPixel);  // pages are not cleared
  EXPECT_EQ(GetMapMode(canvas.dc), MM_ISOTROPIC);
  EXPECT_EQ(slot.drawnRect.right, 0);
  FreePicture(&slot);
}

TEST_F(PictureDrawTest, AShortArcWithMeetingEndsLeavesNoPixels) {
  // A circle of radius 5 about (10, 10) at scale 10: on the DIB its box runs
  // from (50, 150) to (150, 250).
  const std::string tiny = RecordBytes('C', 10, 10, 5, 0, 0.1f);
  const std::string whole = RecordBytes('C', 10, 10, 5, 0, 360);
  for (const auto& [records, black] : {std::make_pair(tiny, false), std::make_pair(whole, true)}) {
    Canvas canvas(300, 300);
    RenderDrawing(canvas.dc, reinterpret_cast<const unsigned char*>(records.data()), 1, nullptr, 0,
                  0, 300, 0, 0, 10.0f);
    EXPECT_EQ(canvas.IsBlack(50, 200), black) << (black ? "whole circle" : "tiny arc");
    if (!black) {
      EXPECT_EQ(canvas.BlackIn(0, 0, 300, 300), 0);
    }
  }
}

TEST_F(PictureDrawTest, AnEnhancedMetafileOnAPageFillsItsRectangleOnce) {
  struct Case {
    const char* what;
    int32_t renderTarget;
    int32_t pagePicture;
    bool mapped;    // the DC holds a mapping that doubles everything
    bool farBlack;  // whether (100, 100) ends up black
  } cases[] = {
      // Device units on a page: played through an identity mapping.
      {"page on a printer", kRenderPrinter, 1, true, false},
      {"page in a preview window", kRenderWindow, 1, true, false},
      // A metafile page gives its rectangle in the page's logical units.
      {"page on a metafile", kRenderMetafile, 1, true, true},
      // The screen without a window: the rectangle given.
      {"screen without client area", kRenderWindow, 0, false, false},
  };
  HENHMETAFILE square = BlackSquare();
  ASSERT_NE(square, nullptr);
  for (const Case& c : cases) {
    Canvas canvas(300, 300);
    if (c.mapped) {
      SetMapMode(canvas.dc, MM_ANISOTROPIC);
      SetWindowExtEx(canvas.dc, 1, 1, nullptr);
      SetViewportExtEx(canvas.dc, 2, 2, nullptr);
    }
    PictureSlot slot = {};
    slot.kind = kPictureEnhanced;
    slot.picture = square;
    g_drawingState.renderTarget = c.renderTarget;
    g_drawingState.pagePictureFlag = c.pagePicture;
    DrawPicture(&slot, nullptr, canvas.dc, {10, 10, 60, 60});
    EXPECT_TRUE(canvas.IsBlack(35, 35)) << c.what;
    EXPECT_EQ(canvas.IsBlack(100, 100), c.farBlack) << c.what;
    EXPECT_FALSE(canvas.IsBlack(150, 150)) << c.what;
  }
  DeleteEnhMetaFile(square);
}

TEST_F(PictureDrawTest, AnEnhancedMetafileOnTheScreenFillsTheClientArea) {
  // A window whose client area is 200 by 200: the picture covers all of it,
  // not the cell rectangle given.
  HWND window = gdi_test::CreateTestWindow({.clientWidth = 200, .clientHeight = 200});
  ASSERT_NE(window, nullptr);
  RECT client = {};
  ASSERT_TRUE(GetClientRect(window, &client));
  ASSERT_EQ(client.right, 200);
  ASSERT_EQ(client.bottom, 200);
  HENHMETAFILE square = BlackSquare();
  ASSERT_NE(square, nullptr);
  PictureSlot slot = {};
  slot.kind = kPictureEnhanced;
  slot.picture = square;
  Canvas canvas(300, 300);
  g_drawingState.renderTarget = kRenderWindow;
  g_drawingState.pagePictureFlag = 0;
  DrawPicture(&slot, window, canvas.dc, {10, 10, 60, 60});
  EXPECT_TRUE(canvas.IsBlack(5, 5));
  EXPECT_TRUE(canvas.IsBlack(100, 100));
  EXPECT_TRUE(canvas.IsBlack(180, 180));
  EXPECT_FALSE(canvas.IsBlack(250, 250));
  DeleteEnhMetaFile(square);
  DestroyWindow(window);
}

TEST_F(PictureDrawTest, APlaceableBoxIsStretchedOntoTheRectangle) {
  Canvas canvas(10, 10);
  const std::string header = PlaceableHeaderBytes(-10, 20, 90, -30);
  SetPlaceableMapping(nullptr, canvas.dc, reinterpret_cast<const unsigned char*>(header.data()),
                      {5, 6, 105, 56});
  EXPECT_EQ(GetMapMode(canvas.dc), MM_ANISOTROPIC);
  POINT p;
  SIZE s;
  GetWindowOrgEx(canvas.dc, &p);
  EXPECT_EQ(p.x, -10);
  EXPECT_EQ(p.y, 20);
  GetWindowExtEx(canvas.dc, &s);
  EXPECT_EQ(s.cx, 100);
  EXPECT_EQ(s.cy, 50);
  GetViewportOrgEx(canvas.dc, &p);
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 6);
  GetViewportExtEx(canvas.dc, &s);
  EXPECT_EQ(s.cx, 100);
  EXPECT_EQ(s.cy, 50);

  // Drawn from a file: a placeable picture of a 100-unit box with one filled
  // rectangle over its right half, stretched onto (0, 0, 50, 50).
  HDC recorder = CreateMetaFileA(nullptr);
  SelectObject(recorder, GetStockObject(BLACK_BRUSH));
  SelectObject(recorder, GetStockObject(NULL_PEN));
  Rectangle(recorder, 50, 0, 101, 101);
  HMETAFILE metafile = CloseMetaFile(recorder);
  ASSERT_EQ(WritePlaceableMetafile(metafile, Path("HALF.WMF").c_str(), {0, 0, 100, 100}), 1);
  DeleteMetaFile(metafile);
  PictureSlot slot = {};
  ASSERT_EQ(LoadPictureFile(&slot, Path("HALF.WMF").c_str(), 1), 1);
  ASSERT_EQ(slot.kind, kPicturePlaceable);
  Canvas page(100, 100);
  g_drawingState.pagePictureFlag = 1;
  DrawPicture(&slot, nullptr, page.dc, {0, 0, 50, 50});
  EXPECT_FALSE(page.IsBlack(10, 25));
  EXPECT_TRUE(page.IsBlack(40, 25));
  EXPECT_FALSE(page.IsBlack(75, 25));
  FreePicture(&slot);
}

TEST_F(PictureDrawTest, APlainMetafilePlaysAtItsOwnCoordinates) {
  HDC recorder = CreateMetaFileA(nullptr);
  SelectObject(recorder, GetStockObject(BLACK_BRUSH));
  SelectObject(recorder, GetStockObject(NULL_PEN));
  Rectangle(recorder, 10, 10, 21, 21);
  HMETAFILE metafile = CloseMetaFile(recorder);
  ASSERT_EQ(WriteMetafileBits(metafile, Path("PLAIN.WMF").c_str()), 1);
  DeleteMetaFile(metafile);
  PictureSlot slot = {};
  ASSERT_EQ(LoadPictureFile(&slot, Path("PLAIN.WMF").c_str(), 1), 1);
  ASSERT_EQ(slot.kind, kPicturePlain);

  // Neither the rectangle given nor the page's doubling mapping moves it.
  Canvas page(100, 100);
  SetMapMode(page.dc, MM_ANISOTROPIC);
  SetWindowExtEx(page.dc, 1, 1, nullptr);
  SetViewportExtEx(page.dc, 2, 2, nullptr);
  g_drawingState.pagePictureFlag = 1;
  DrawPicture(&slot, nullptr, page.dc, {50, 50, 90, 90});
  EXPECT_TRUE(page.IsBlack(15, 15));
  EXPECT_FALSE(page.IsBlack(35, 35));
  EXPECT_FALSE(page.IsBlack(70, 70));
  EXPECT_EQ(GetMapMode(page.dc), MM_TEXT);
  FreePicture(&slot);
}

// ---- export ---------------------------------------------------------------------

// A drawing 10 wide and 5 high: a move to the origin and a line to (10, 5).
std::string DiagonalDrawing(float lastY = 5.0f, float largestX = 10.0f, float largestY = 5.0f) {
  return HeaderBytes("", 2, 0, largestX, largestY) + RecordBytes('M', 0, 0) +
         RecordBytes('D', 10, lastY);
}

std::vector<std::string> RecordsOfPlaceableFile(const std::string& bytes) {
  const std::string bits = bytes.substr(22);
  HMETAFILE metafile =
      SetMetaFileBitsEx(static_cast<UINT>(bits.size()), reinterpret_cast<const BYTE*>(bits.data()));
  EXPECT_NE(metafile, nullptr);
  std::vector<std::string> records = gdi_test::Describe(gdi_test::ReadWmf(metafile));
  DeleteMetaFile(metafile);
  return records;
}

// True when `want` appears in `records` in this order (other records between).
bool InOrder(const std::vector<std::string>& records, const std::vector<std::string>& want) {
  size_t at = 0;
  for (const std::string& r : records) {
    if (at < want.size() && r == want[at]) ++at;
  }
  return at == want.size();
}

std::string Joined(const std::vector<std::string>& records) {
  std::string s;
  for (const std::string& r : records) s += r + "\n";
  return s;
}

TEST_F(PictureDrawTest, AnExportIsAPlaceableMetafileOfTheDrawing) {
  Write("PLAN.KFD", DiagonalDrawing());
  ExportDrawingMetafile("PLAN.KFD", "PLAN.WMF", 1000, 500);
  const std::string file = DrawingTest::Read("PLAN.WMF");
  ASSERT_GT(file.size(), 22u + 18u);
  // The box (0, 0, 9800, 3920) at 1000 units per inch; the checksum worked
  // out by hand: 0xCDD7 ^ 0x9AC6 ^ 0x2648 ^ 0x0F50 ^ 0x03E8.
  EXPECT_EQ(Uint16At(file, 0), 0xCDD7);
  EXPECT_EQ(Uint16At(file, 2), 0x9AC6);
  EXPECT_EQ(Uint16At(file, 6), 0);
  EXPECT_EQ(Uint16At(file, 8), 0);
  EXPECT_EQ(Uint16At(file, 10), 9800);
  EXPECT_EQ(Uint16At(file, 12), 3920);
  EXPECT_EQ(Uint16At(file, 14), 1000);
  EXPECT_EQ(Uint16At(file, 20), 0x7DE1);

  // Parameters are recorded y first. The origin lands at (80, 3920 + 980),
  // the point (10, 5) at (80 + 9800, 3920 - 4900 + 980).
  const std::vector<std::string> records = RecordsOfPlaceableFile(file);
  EXPECT_TRUE(InOrder(
      records, {"0103 8", "0102 1", "020B 0 0", "020C 500 1000", "0214 4900 80", "0213 0 9880"}))
      << Joined(records);
  // The pens stay made for the next export; the drawing font is gone.
  EXPECT_NE(g_drawingState.solidPen, nullptr);
  EXPECT_EQ(g_drawingState.drawingFont, nullptr);
}

TEST_F(PictureDrawTest, AnExportThatCannotBeWrittenWholeWritesNothing) {
  struct Case {
    const char* what;
    std::string drawing;
    int32_t width, height;
    int failure;  // 1 recorder not made, 2 not closed, 3 lock, 4 write
  } cases[] = {
      // y -30 lands at 3920 + 29400 + 980 = 34300, beyond 16 bits.
      {"a point beyond 16 bits", DiagonalDrawing(-30.0f), 1000, 500, 0},
      // 9800 x (5000 - 1000) / 1000 = 39200 high.
      {"a box beyond 16 bits", DiagonalDrawing(5.0f, 1.0f, 5.0f), 1000, 500, 0},
      {"a window extent beyond 16 bits", DiagonalDrawing(), 40000, 500, 0},
      {"no width", DiagonalDrawing(5.0f, 0.0f, 5.0f), 1000, 500, 0},
      {"negative width", DiagonalDrawing(5.0f, -10.0f, 5.0f), 1000, 500, 0},
      {"no recorder", DiagonalDrawing(), 1000, 500, 1},
      {"the recording not closed", DiagonalDrawing(), 1000, 500, 2},
      {"a block not locked", DiagonalDrawing(), 1000, 500, 3},
      {"a write that fails", DiagonalDrawing(), 1000, 500, 4},
      {"no drawing", "", 1000, 500, 0},
  };
  for (const Case& c : cases) {
    g_messages.clear();
    DeleteFileA(Path("PLAN.WMF").c_str());
    if (!c.drawing.empty()) Write("PLAN.KFD", c.drawing);
    if (c.failure == 1) metafile::SetRecorderFailureForTests(metafile::kFailCreate);
    if (c.failure == 2) metafile::SetRecorderFailureForTests(metafile::kFailClose);
    // The load locks the record block once; the export's own lock fails.
    if (c.failure == 3) os::SetMemLockFailAfter(1);
    if (c.failure == 4) os::SetWriteFailAfter(1);
    ExportDrawingMetafile("PLAN.KFD", "PLAN.WMF", c.width, c.height);
    metafile::SetRecorderFailureForTests(metafile::kFailNothing);
    os::SetMemLockFailAfter(-1);
    os::SetWriteFailAfter(-1);
    EXPECT_FALSE(testing_support::FileExists(Path("PLAN.WMF"))) << c.what;
    // Only a drawing that cannot be opened says so.
    EXPECT_EQ(g_messages.size(), c.drawing.empty() ? 1u : 0u) << c.what;
    DeleteFileA(Path("PLAN.KFD").c_str());
  }
}

TEST_F(PictureDrawTest, AnExportNeverWritesOverItsOwnDrawing) {
  const std::string drawing = DiagonalDrawing();
  Write("PLAN.KFD", drawing);
  ExportDrawingMetafile("PLAN.KFD", "plan.kfd", 1000, 500);
  EXPECT_EQ(DrawingTest::Read("PLAN.KFD"), drawing);
}

TEST_F(PictureDrawTest, TheEngineCallTakesNamesAndSizesByAddress) {
  Write("PLAN.KFD", DiagonalDrawing());
  const char drawing[] = "PLAN.KFD    ";
  const char metafile[] = "OUT.WMFxyz";
  const int64_t width = 1000;
  const int64_t height = 500;
  ExportDrawingCall(drawing, 8, metafile, 7, &width, &height);
  const std::string file = DrawingTest::Read("OUT.WMF");
  ASSERT_GT(file.size(), 22u);
  EXPECT_TRUE(InOrder(RecordsOfPlaceableFile(file), {"020C 500 1000"}));
}

}  // namespace
}  // namespace drawing_test
