// Pages drawn with GDI into enhanced and old-style metafiles and memory
// bitmaps, read back by meaning: text positions and fonts, lines, the page
// mapping and the sheet frame. Text sizes are never asserted (fonts are
// substitutes): where a position depends on a width, the test measures that
// width itself on the same device in the same font.
#include <windows.h>

#include <cstring>
#include <string>

#include "metafile_records.h"
#include "page_fixture.h"
#include "report/page/page_render.h"
#include "report/page/page_text.h"
#include "report_base/character_tests.h"
#include "report_base/drawing_tools.h"

namespace {

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
  static const RecordedText* FindText(const Recorded& r, const std::string& text) {
    for (const RecordedText& t : r.texts) {
      if (t.text == text) return &t;
    }
    return nullptr;
  }
};

// One page on a whole sheet of an enhanced metafile: the mapping of the page's
// cells, the fonts by row, a right-aligned value ending at its cell's edge and
// a rule between the middles of its end cells.
TEST_F(PageRender, EnhancedMetafilePage) {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
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
  const Recorded r = ReadEnhanced(CloseEnhMetaFile(dc));

  // Anisotropic, window of 80 x 62 cells, viewport the whole device.
  ASSERT_GE(r.mapping.size(), 5u);
  EXPECT_EQ(r.mapping[0].type, EMR_SETMAPMODE);
  EXPECT_EQ(r.mapping[0].a, MM_ANISOTROPIC);
  bool windowExt = false, viewportExt = false;
  for (const RecordedCall& c : r.mapping) {
    if (c.type == EMR_SETWINDOWEXTEX) windowExt = c.a == cell.w * 80 && c.b == cell.h * 62;
    if (c.type == EMR_SETVIEWPORTEXTEX) viewportExt = c.a == W && c.b == H;
  }
  EXPECT_TRUE(windowExt);
  EXPECT_TRUE(viewportExt);

  const RecordedText* title = FindText(r, "Title ");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, 0);
  EXPECT_EQ(title->y, 0);
  EXPECT_EQ(title->font.height, 105);
  EXPECT_EQ(title->font.weight, 800);
  EXPECT_EQ(title->font.face, "Arial");
  const RecordedText* word = FindText(r, "Length ");
  ASSERT_NE(word, nullptr);
  EXPECT_EQ(word->y, cell.h);
  EXPECT_EQ(word->font.height, 100);
  EXPECT_EQ(word->font.weight, 800);  // 'W': the bold font
  const RecordedText* value = FindText(r, "123");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->x + width123, 11 * cell.w);
  EXPECT_EQ(value->y, cell.h);

  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0].x1, cell.w + cell.w / 2);
  EXPECT_EQ(r.lines[0].x2, 6 * cell.w - cell.w / 2);
  EXPECT_EQ(r.lines[0].y1, 2 * cell.h + cell.h / 2);
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
  const Recorded r = ReadOldStyle(CloseMetaFile(dc));
  const int32_t width =
      WidthIn(reference, static_cast<HFONT>(g_pageRender.fonts[kNormalFont]), "123");
  const RecordedText* value = FindText(r, "123");
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
  const Recorded r = ReadOldStyle(CloseMetaFile(dc));
  const RecordedText* value = FindText(r, "123");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->x, 10 * 187 - 3 * 187);
  // Each character counts one cell: the leader already reaches its cell.
  EXPECT_NE(FindText(r, "Name.... x "), nullptr);
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
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    const int W = GetDeviceCaps(dc, HORZRES);
    const int H = GetDeviceCaps(dc, VERTRES);
    MapPageToDevice(nullptr, dc, CellSize{10, 20}, c.sequence);
    const Recorded r = ReadEnhanced(CloseEnhMetaFile(dc));
    const RecordedCall* org = nullptr;
    const RecordedCall* ext = nullptr;
    const RecordedCall* win = nullptr;
    for (const RecordedCall& call : r.mapping) {
      if (call.type == EMR_SETVIEWPORTORGEX) org = &call;
      if (call.type == EMR_SETVIEWPORTEXTEX) ext = &call;
      if (call.type == EMR_SETWINDOWEXTEX) win = &call;
    }
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->a, 800);
    EXPECT_EQ(win->b, 1240);
    ASSERT_NE(ext, nullptr);
    EXPECT_EQ(ext->a, c.halfW ? W / 2 : W);
    EXPECT_EQ(ext->b, c.halfH ? H / 2 : H);
    // An origin of (0, 0) is the default and need not be recorded.
    const int ox = org ? org->a : 0;
    const int oy = org ? org->b : 0;
    EXPECT_EQ(ox, c.x * (W / 2));
    EXPECT_EQ(oy, c.y * (H / 2));
  }
}

// The metafile kind is 4320 x 5750; the frame's right edge lies at 166 cells
// of 27 units (4482), past the sheet's 4320.
TEST_F(PageRender, SheetFrames) {
  g_drawingState.renderTarget = kRenderMetafile;
  struct Case {
    int32_t pages;
    RECT box;
    std::vector<RecordedLine> lines;
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
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    DrawSheetFrame(nullptr, dc, c.pages);
    const Recorded r = ReadEnhanced(CloseEnhMetaFile(dc));
    if (c.lines.empty()) {
      EXPECT_TRUE(r.rectangles.empty());
      EXPECT_TRUE(r.lines.empty());
      continue;
    }
    ASSERT_EQ(r.rectangles.size(), 1u);
    const RECT& b = r.rectangles[0];
    EXPECT_EQ(b.left, c.box.left);
    EXPECT_EQ(b.top, c.box.top);
    // Recorded inclusive or exclusive of the far edges, as the system does.
    EXPECT_TRUE(b.right == c.box.right || b.right == c.box.right - 1) << b.right;
    EXPECT_TRUE(b.bottom == c.box.bottom || b.bottom == c.box.bottom - 1) << b.bottom;
    ASSERT_EQ(r.lines.size(), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(r.lines[i].x1, c.lines[i].x1);
      EXPECT_EQ(r.lines[i].y1, c.lines[i].y1);
      EXPECT_EQ(r.lines[i].x2, c.lines[i].x2);
      EXPECT_EQ(r.lines[i].y2, c.lines[i].y2);
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
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  CellSize cell{0, 0};
  CreatePageFonts(dc, &cell);
  Row(0, "caf\x82 {x}", 'Z');
  DrawPageBody(dc, 1, cell);
  const Recorded r = ReadEnhanced(CloseEnhMetaFile(dc));
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0].text.size(), 80u);
  EXPECT_EQ(r.texts[0].font.face, "Courier New");
  // Byte 0x82 drawn as it stands is the ANSI low quotation mark (U+201A, read
  // back as '?'); converted from OEM it would have been e acute (0xE9).
  EXPECT_EQ(r.texts[0].text.substr(0, 8), "caf? {x}");
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
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 200;
    bi.bmiHeader.biHeight = -200;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    std::memset(bits_, 0xFF, 200 * 200 * 4);
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
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    PageRender::TearDown();
  }
  int Black(int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) n += (bits_[y * 200 + x] & 0xFFFFFF) == 0;
    }
    return n;
  }
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_;
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

// Printed pages: the picture lands on its page's half or quarter of the
// device. The bitmap is as large as the device the memory DC reports.
TEST_F(PageRender, PicturesOnTheirPlaceOfTheSheet) {
  HDC dc = CreateCompatibleDC(nullptr);
  const int W = GetDeviceCaps(dc, HORZRES);
  const int H = GetDeviceCaps(dc, VERTRES);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = -H;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  uint32_t* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
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
    std::memset(bits, 0xFF, static_cast<size_t>(W) * H * 4);
    g_pageRender.pagesPerSheet = c.perSheet;
    SetMapMode(dc, MM_TEXT);
    DrawPagePicture(&slot, nullptr, dc, CellSize{10, 10}, c.sequence);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        if ((bits[y * W + x] & 0xFFFFFF) != 0) continue;
        const bool in = x >= c.left * W / 2 && x < c.right * W / 2 && y >= c.top * H / 2 &&
                        y < c.bottom * H / 2;
        (in ? inside : outside) += 1;
      }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
  }
  DeleteEnhMetaFile(static_cast<HENHMETAFILE>(slot.picture));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
