// Pages drawn with GDI into enhanced and old-style metafiles and memory
// bitmaps, read back by meaning: text positions and fonts, lines, the page
// mapping and the sheet frame. Text sizes are never asserted (fonts are
// substitutes): where a position depends on a width, the test measures that
// width itself on the same device in the same font.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "page_fixture.h"
#include "report/page/page_render.h"
#include "report/page/page_text.h"
#include "report_base/character_tests.h"
#include "report_base/drawing_tools.h"
#include "support/canvas_win32.h"
#include "support/emf_records_win32.h"
#include "support/wmf_records_win32.h"

namespace {

using gdi_test::EmfRecord;
using gdi_test::EmfRecorder;
using gdi_test::EmfRecording;
using gdi_test::FindText;
using gdi_test::WmfText;

// The records that set the mapping: map mode, window and viewport origins and
// extents, in order.
std::vector<EmfRecord> MappingCalls(const EmfRecording& r) {
  return gdi_test::RecordsOf(r, {EMR_SETMAPMODE, EMR_SETWINDOWEXTEX, EMR_SETVIEWPORTEXTEX,
                                 EMR_SETWINDOWORGEX, EMR_SETVIEWPORTORGEX});
}

// The texts of an old-style metafile (the handle is deleted).
std::vector<WmfText> OldStyleTexts(HMETAFILE metafile) {
  std::vector<WmfText> texts = gdi_test::WmfTexts(gdi_test::ReadWmf(metafile));
  DeleteMetaFile(metafile);
  return texts;
}

class PageRender : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    std::memset(g_pageBuffer.text, ' ', sizeof g_pageBuffer.text);
    std::memset(g_pageBuffer.markers, ' ', sizeof g_pageBuffer.markers);
  }
  void TearDown() override {
    if (g_pageRender.referenceDC != nullptr) DeleteDC(static_cast<HDC>(g_pageRender.referenceDC));
    g_pageRender.referenceDC = nullptr;
    PageTest::TearDown();
  }
  static void Row(int r, const std::string& text, char control = ' ') {
    for (size_t i = 0; i < text.size(); ++i) g_pageBuffer.text[r * 80 + i] = text[i];
    g_pageBuffer.text[r * 80 + 79] = control;
    g_pageBuffer.markers[r * 80 + 79] = control;
  }
  static int32_t WidthIn(HDC dc, HFONT font, const std::string& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size));
    SelectObject(dc, old);
    return size.cx;
  }
};

// One page on a whole sheet of an enhanced metafile: the mapping of the page's
// cells, the fonts by row, a right-aligned value ending at its cell's edge and
// a rule between the middles of its end cells.
TEST_F(PageRender, EnhancedMetafilePage) {
  EmfRecorder recorder;
  HDC dc = recorder.dc();
  ASSERT_NE(dc, nullptr);
  const int W = GetDeviceCaps(dc, HORZRES);
  const int H = GetDeviceCaps(dc, VERTRES);
  CellSize cell{0, 0};
  CreatePageFonts(dc, &cell);
  ASSERT_GT(cell.w, 0);
  ASSERT_GT(cell.h, 0);
  Row(0, "Title", '1');
  Row(1, "Length  123", 'W');
  g_pageBuffer.markers[80 + 10] = '}';
  Row(2, " ----- ");
  MapPageToDevice(nullptr, dc, cell, 1);
  // Measured in the page mapping, in the row's font, as the renderer does.
  const int32_t width123 = WidthIn(dc, static_cast<HFONT>(g_pageRender.fonts[kBoldFont]), "123");
  DrawPageBody(dc, 3, cell);
  const EmfRecording r = recorder.Finish();

  // Anisotropic, window of 80 x 62 cells, viewport the whole device.
  const std::vector<EmfRecord> mapping = MappingCalls(r);
  ASSERT_GE(mapping.size(), 5u);
  EXPECT_EQ(mapping[0].type, static_cast<uint32_t>(EMR_SETMAPMODE));
  EXPECT_EQ(mapping[0].value, static_cast<uint32_t>(MM_ANISOTROPIC));
  bool windowExt = false, viewportExt = false;
  for (const EmfRecord& c : mapping) {
    if (c.type == EMR_SETWINDOWEXTEX)
      windowExt = c.size.cx == cell.w * 80 && c.size.cy == cell.h * 62;
    if (c.type == EMR_SETVIEWPORTEXTEX) viewportExt = c.size.cx == W && c.size.cy == H;
  }
  EXPECT_TRUE(windowExt);
  EXPECT_TRUE(viewportExt);

  const EmfRecord* title = FindText(r, L"Title ");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->point.x, 0);
  EXPECT_EQ(title->point.y, 0);
  EXPECT_EQ(title->state.font.height, 105);
  EXPECT_EQ(title->state.font.weight, 800);
  EXPECT_EQ(title->state.font.face, L"Arial");
  const EmfRecord* word = FindText(r, L"Length ");
  ASSERT_NE(word, nullptr);
  EXPECT_EQ(word->point.y, cell.h);
  EXPECT_EQ(word->state.font.height, 100);
  EXPECT_EQ(word->state.font.weight, 800);  // 'W': the bold font
  const EmfRecord* value = FindText(r, L"123");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->point.x + width123, 11 * cell.w);
  EXPECT_EQ(value->point.y, cell.h);

  const std::vector<EmfRecord> lines = gdi_test::Lines(r);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].from.x, cell.w + cell.w / 2);
  EXPECT_EQ(lines[0].point.x, 6 * cell.w - cell.w / 2);
  EXPECT_EQ(lines[0].from.y, 2 * cell.h + cell.h / 2);
}

// An old-style metafile cannot measure text: the cell size stays as it was,
// and values are measured on the reference device context in the page's own
// font, which the reference gets back afterwards.
TEST_F(PageRender, OldStyleMetafileMeasuresOnTheReference) {
  g_drawingState.renderTarget = kRenderMetafile;
  HDC reference = CreateCompatibleDC(nullptr);
  g_pageRender.referenceDC = reference;
  HGDIOBJ referenceFont = GetCurrentObject(reference, OBJ_FONT);
  HDC dc = CreateMetaFileA(nullptr);
  ASSERT_NE(dc, nullptr);
  CellSize cell{187, 322};
  CreatePageFonts(dc, &cell);
  EXPECT_EQ(cell.w, 187);
  EXPECT_EQ(cell.h, 322);
  Row(0, "Value  123");
  g_pageBuffer.markers[9] = '}';
  MapPageToDevice(nullptr, dc, cell, 1);  // a metafile keeps its own mapping
  DrawPageBody(dc, 1, cell);
  EXPECT_EQ(GetCurrentObject(reference, OBJ_FONT), referenceFont);
  const std::vector<WmfText> texts = OldStyleTexts(CloseMetaFile(dc));
  const int32_t width =
      WidthIn(reference, static_cast<HFONT>(g_pageRender.fonts[kNormalFont]), "123");
  const WmfText* value = FindText(texts, "123");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->x, 10 * 187 - width);
  EXPECT_EQ(value->y, 0);
  // Measured in the page font, which is far larger than the reference's own.
  EXPECT_NE(width, WidthIn(reference, static_cast<HFONT>(referenceFont), "123"));
}

TEST_F(PageRender, OldStyleMetafileWithoutReferenceCountsCells) {
  g_drawingState.renderTarget = kRenderMetafile;
  HDC dc = CreateMetaFileA(nullptr);
  CellSize cell{187, 322};
  CreatePageFonts(dc, &cell);
  Row(0, "Value  123");
  g_pageBuffer.markers[9] = '}';
  Row(1, "Name.... x");
  DrawPageBody(dc, 2, cell);
  const std::vector<WmfText> texts = OldStyleTexts(CloseMetaFile(dc));
  const WmfText* value = FindText(texts, "123");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->x, 10 * 187 - 3 * 187);
  // Each character counts one cell: the leader already reaches its cell.
  EXPECT_NE(FindText(texts, "Name.... x "), nullptr);
}

// Pages per sheet: the viewport of page s on its sheet.
TEST_F(PageRender, PagesPerSheetMapping) {
  struct Case {
    int32_t perSheet, sequence;
    int x, y;          // origin in halves of the device (0 or 1)
    int halfW, halfH;  // 1 when the extent is half the device
  };
  const Case cases[] = {{1, 1, 0, 0, 0, 0}, {1, 2, 0, 0, 0, 0}, {2, 1, 0, 0, 1, 0},
                        {2, 2, 1, 0, 1, 0}, {2, 3, 0, 0, 1, 0}, {4, 1, 0, 0, 1, 1},
                        {4, 2, 1, 0, 1, 1}, {4, 3, 0, 1, 1, 1}, {4, 4, 1, 1, 1, 1},
                        {4, 5, 0, 0, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.perSheet << " per sheet, page " << c.sequence);
    g_pageRender.pagesPerSheet = c.perSheet;
    EmfRecorder recorder;
    HDC dc = recorder.dc();
    const int W = GetDeviceCaps(dc, HORZRES);
    const int H = GetDeviceCaps(dc, VERTRES);
    MapPageToDevice(nullptr, dc, CellSize{10, 20}, c.sequence);
    const std::vector<EmfRecord> mapping = MappingCalls(recorder.Finish());
    const EmfRecord* org = nullptr;
    const EmfRecord* ext = nullptr;
    const EmfRecord* win = nullptr;
    for (const EmfRecord& call : mapping) {
      if (call.type == EMR_SETVIEWPORTORGEX) org = &call;
      if (call.type == EMR_SETVIEWPORTEXTEX) ext = &call;
      if (call.type == EMR_SETWINDOWEXTEX) win = &call;
    }
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->size.cx, 800);
    EXPECT_EQ(win->size.cy, 1240);
    ASSERT_NE(ext, nullptr);
    EXPECT_EQ(ext->size.cx, c.halfW ? W / 2 : W);
    EXPECT_EQ(ext->size.cy, c.halfH ? H / 2 : H);
    // An origin of (0, 0) is the default and need not be recorded.
    const int ox = org ? org->point.x : 0;
    const int oy = org ? org->point.y : 0;
    EXPECT_EQ(ox, c.x * (W / 2));
    EXPECT_EQ(oy, c.y * (H / 2));
  }
}

// The metafile kind is 4320 x 5750; the frame's right edge lies at 166 cells
// of 27 units (4482), past the sheet's 4320.
TEST_F(PageRender, SheetFrames) {
  g_drawingState.renderTarget = kRenderMetafile;
  struct Line {
    int32_t x1, y1, x2, y2;
  };
  struct Case {
    int32_t pages;
    RECT box;
    std::vector<Line> lines;
  };
  // 2 pages: cx = 4320 / 160 = 27, cy = 5750 / 62 = 92.74...; 4 pages: cy =
  // 5750 / 124 = 46.37...
  const Case cases[] = {
      {2, {81, 185, 4482, 5657}, {{2160, 185, 2160, 5657}}},
      {4, {135, 92, 4482, 5657}, {{2160, 92, 2160, 5657}, {135, 2875, 4482, 2875}}},
      {1, {0, 0, 0, 0}, {}},
      {3, {0, 0, 0, 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.pages << " pages");
    EmfRecorder recorder;
    DrawSheetFrame(nullptr, recorder.dc(), c.pages);
    const EmfRecording r = recorder.Finish();
    const std::vector<EmfRecord> rectangles = gdi_test::Rectangles(r);
    const std::vector<EmfRecord> lines = gdi_test::Lines(r);
    if (c.lines.empty()) {
      EXPECT_TRUE(rectangles.empty());
      EXPECT_TRUE(lines.empty());
      continue;
    }
    ASSERT_EQ(rectangles.size(), 1u);
    const RECTL& b = rectangles[0].box;
    EXPECT_EQ(b.left, c.box.left);
    EXPECT_EQ(b.top, c.box.top);
    // Recorded inclusive or exclusive of the far edges, as the system does.
    EXPECT_TRUE(b.right == c.box.right || b.right == c.box.right - 1) << b.right;
    EXPECT_TRUE(b.bottom == c.box.bottom || b.bottom == c.box.bottom - 1) << b.bottom;
    ASSERT_EQ(lines.size(), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(lines[i].from.x, c.lines[i].x1);
      EXPECT_EQ(lines[i].from.y, c.lines[i].y1);
      EXPECT_EQ(lines[i].point.x, c.lines[i].x2);
      EXPECT_EQ(lines[i].point.y, c.lines[i].y2);
    }
  }
}

TEST_F(PageRender, TargetSizes) {
  g_drawingState.renderTarget = kRenderMetafile;
  TargetSize t = GetRenderTargetSize(nullptr, nullptr);
  EXPECT_EQ(t.width, 4320);
  EXPECT_EQ(t.height, 5750);
  // A window whose client area cannot be read is a 0 x 0 target.
  g_drawingState.renderTarget = kRenderWindow;
  t = GetRenderTargetSize(nullptr, nullptr);
  EXPECT_EQ(t.width, 0);
  EXPECT_EQ(t.height, 0);
  g_drawingState.renderTarget = kRenderPrinter;
  HDC dc = CreateCompatibleDC(nullptr);
  t = GetRenderTargetSize(nullptr, dc);
  EXPECT_EQ(t.width, GetDeviceCaps(dc, HORZRES));
  EXPECT_EQ(t.height, GetDeviceCaps(dc, VERTRES));
  DeleteDC(dc);
}

// The cell size by pages per sheet and text mode, from the normal font's
// metrics on the same device.
TEST_F(PageRender, CellSizeTable) {
  struct Case {
    int32_t perSheet, plain;
    double wFactor, hFactor;  // 0: unchanged
  };
  const Case cases[] = {{1, 0, 1.1, 1.1}, {2, 0, 1.1, 1.1}, {1, 1, 0.9, 1.0}, {2, 2, 0.9, 1.0},
                        {4, 1, 0.9, 1.0}, {4, 0, 1.0, 1.0}, {4, 2, 1.0, 1.0}, {3, 0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.perSheet << " per sheet, mode " << c.plain);
    g_pageRender.pagesPerSheet = c.perSheet;
    g_pageRender.plainTextMode = c.plain;
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CellSize cell{7, 9};
    CreatePageFonts(dc, &cell);
    HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(g_pageRender.fonts[kNormalFont]));
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    SelectObject(dc, old);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    if (c.wFactor == 0) {
      EXPECT_EQ(cell.w, 7);
      EXPECT_EQ(cell.h, 9);
    } else {
      EXPECT_EQ(cell.w, static_cast<int32_t>(c.wFactor * tm.tmAveCharWidth));
      EXPECT_EQ(cell.h, static_cast<int32_t>(c.hFactor * tm.tmHeight));
    }
    LOGFONTA title;
    ASSERT_EQ(GetObjectA(g_pageRender.fonts[kTitleFont], sizeof title, &title),
              static_cast<int>(sizeof title));
    EXPECT_EQ(title.lfHeight, c.wFactor == 0 ? 0 : 105);
    EXPECT_EQ(title.lfWeight, c.wFactor == 0 ? 0 : 800);
    EXPECT_EQ(title.lfQuality, PROOF_QUALITY);
  }
}

// Plain text: each row as its 80 characters in "Courier New", not converted.
TEST_F(PageRender, PlainTextRows) {
  SelectPrintTextMode(1);
  EmfRecorder recorder;
  HDC dc = recorder.dc();
  CellSize cell{0, 0};
  CreatePageFonts(dc, &cell);
  Row(0, "caf\x82 {x}", 'Z');
  DrawPageBody(dc, 1, cell);
  const std::vector<EmfRecord> texts = gdi_test::Texts(recorder.Finish());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text.size(), 80u);
  EXPECT_EQ(texts[0].state.font.face, L"Courier New");
  // Byte 0x82 drawn as it stands is the ANSI low quotation mark (U+201A, read
  // back as '?'); converted from OEM it would have been e acute (0xE9).
  EXPECT_EQ(gdi_test::Narrow(texts[0].text).substr(0, 8), "caf? {x}");
}

TEST_F(PageRender, BodyRestoresFontAndPen) {
  HDC dc = CreateCompatibleDC(nullptr);
  CellSize cell{0, 0};
  CreatePageFonts(dc, &cell);
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  Row(0, "Text ---", 'u');
  DrawPageBody(dc, 1, cell);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  DeleteDC(dc);
}

// A picture drawn into a bitmap: an enhanced metafile that fills its frame
// black, placed from cell 81 to cell 406 of a page of 10 x 10 cells.
class PagePicture : public PageRender {
 protected:
  void SetUp() override {
    PageRender::SetUp();
    HDC m = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(m, GetStockObject(BLACK_BRUSH));
    Rectangle(m, 0, 0, 100, 100);
    slot_ = PictureSlot{};
    slot_.kind = kPictureEnhanced;
    slot_.picture = CloseEnhMetaFile(m);
    slot_.firstCell = 81;
    slot_.lastCell = 406;
  }
  void TearDown() override {
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(slot_.picture));
    PageRender::TearDown();
  }
  int Black(int left, int top, int right, int bottom) const {
    return canvas_.BlackIn(left, top, right, bottom);
  }
  gdi_test::Canvas canvas_{200, 200};  // white
  HDC dc_ = canvas_.dc;
  PictureSlot slot_;
};

TEST_F(PagePicture, MetafileTargetPlacesByCells) {
  g_drawingState.renderTarget = kRenderMetafile;
  DrawPagePicture(&slot_, nullptr, dc_, CellSize{10, 10}, 1);
  EXPECT_EQ(g_drawingState.pagePictureFlag, 0);
  EXPECT_GT(Black(12, 12, 58, 48), 46 * 36 * 9 / 10);
  EXPECT_EQ(Black(0, 0, 200, 8), 0);
  EXPECT_EQ(Black(62, 0, 200, 200), 0);
  EXPECT_EQ(Black(0, 52, 200, 200), 0);
}

TEST_F(PagePicture, NoPictureForAnEmptyCell) {
  for (int target : {kRenderMetafile, kRenderPrinter}) {
    SCOPED_TRACE(target);
    g_drawingState.renderTarget = target;
    DrawPagePicture(&slot_, nullptr, dc_, CellSize{0, 10}, 1);
    DrawPagePicture(&slot_, nullptr, dc_, CellSize{10, -1}, 2);
    EXPECT_EQ(Black(0, 0, 200, 200), 0);
  }
}

// A page picture whose cells lie far off the page draws nothing: drawn into
// a memory bitmap through the metafile target's logical units, where a
// position that does not fit 32 bits is clamped (never wrapped round onto the
// page) and lies outside GDI's device space.
TEST_F(PagePicture, CellsFarOffThePageDrawNothing) {
  struct Case {
    const char* what;
    int32_t first, last;
    CellSize size;
    bool drawn;
  } const cases[] = {
      // Rows 1 to 5 of cells of 10: within the bitmap.
      {"rows 1 to 5", 81, 406, {10, 10}, true},
      // A reference at row 20000000 on rows of 110 units: 19999999 x 110 is
      // past the 32-bit range.
      {"row 20000000", 1599999920, 1600000330, {110, 110}, false},
      // Rows 64 and 65 of rows of 2^26 units lie at 2^32 and 2^32 + 2^26:
      // wrapped to 32 bits they would land at 0 and 2^26, over the page.
      {"rows at 2^32", 64 * 80 + 1, 65 * 80 + 6, {10, 1 << 26}, false},
  };
  g_drawingState.renderTarget = kRenderMetafile;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    canvas_.Fill(RGB(255, 255, 255));
    slot_.firstCell = c.first;
    slot_.lastCell = c.last;
    DrawPagePicture(&slot_, nullptr, dc_, c.size, 1);
    EXPECT_EQ(Black(0, 0, 200, 200) > 0, c.drawn);
  }
}

// Printed pages: the picture lands on its page's half or quarter of the
// device. The bitmap is as large as the device the memory DC reports.
TEST_F(PageRender, PicturesOnTheirPlaceOfTheSheet) {
  HDC probe = CreateCompatibleDC(nullptr);
  const int W = GetDeviceCaps(probe, HORZRES);
  const int H = GetDeviceCaps(probe, VERTRES);
  DeleteDC(probe);
  gdi_test::Canvas canvas(W, H);
  ASSERT_NE(canvas.bitmap(), nullptr);
  HDC dc = canvas.dc;
  HDC m = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SelectObject(m, GetStockObject(BLACK_BRUSH));
  Rectangle(m, 0, 0, 100, 100);
  PictureSlot slot{};
  slot.kind = kPictureEnhanced;
  slot.picture = CloseEnhMetaFile(m);
  slot.firstCell = 81;   // row 1, column 1
  slot.lastCell = 2406;  // row 30, column 6
  struct Case {
    int32_t perSheet, sequence;
    int left, top, right, bottom;  // the part of the device, in halves
  };
  const Case cases[] = {{1, 1, 0, 0, 2, 2}, {2, 1, 0, 0, 1, 2}, {2, 2, 1, 0, 2, 2},
                        {4, 1, 0, 0, 1, 1}, {4, 2, 1, 0, 2, 1}, {4, 3, 0, 1, 1, 2},
                        {4, 4, 1, 1, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.perSheet << " per sheet, page " << c.sequence);
    canvas.Fill(RGB(255, 255, 255));
    g_pageRender.pagesPerSheet = c.perSheet;
    SetMapMode(dc, MM_TEXT);
    DrawPagePicture(&slot, nullptr, dc, CellSize{10, 10}, c.sequence);
    // Black pixels inside the page's part of the device, and anywhere else.
    const int inside =
        canvas.BlackIn(c.left * W / 2, c.top * H / 2, c.right * W / 2, c.bottom * H / 2);
    const int outside = canvas.BlackIn(0, 0, W, H) - inside;
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
  }
  DeleteEnhMetaFile(static_cast<HENHMETAFILE>(slot.picture));
}

}  // namespace
