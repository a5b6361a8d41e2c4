// The preview on Windows: views drawn into a memory DIB, and copies to the
// clipboard read back as metafile pictures and bitmaps, with the failures
// Wine lets a test bring about (another thread holding the clipboard open)
// and those injected (allocation, lock, metafile, SetClipboardData).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/preview/preview_render.h"
#include "report_preview/preview_fixture.h"
#include "support/canvas_win32.h"
#include "support/test_window_win32.h"
#include "support/wmf_records_win32.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 620;

HWND MakeWindow() {
  return gdi_test::CreateTestWindow(
      {.clientWidth = kWidth, .clientHeight = kHeight, .title = "preview"});
}

class PreviewWindowTest : public PreviewTest {
 protected:
  void SetUp() override {
    PreviewTest::SetUp();
    window_ = MakeWindow();
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    PreviewTest::TearDown();
  }
  void Load(const char* format, const std::string& report) {
    SetPrintFormat(format);
    const std::string path = WriteReport("REP.KVO", report);
    ASSERT_EQ(PreviewReport(window_, nullptr, path.c_str()), 1);
  }
  HWND window_ = nullptr;
};

TEST_F(PreviewWindowTest, AViewDrawsItsPagesIntoAMemoryDC) {
  Load("2 per 1", Pages(5, 20));
  ASSERT_EQ(g_preview.viewCount, 3);
  // View 2 holds page 5 on the left and an empty place on the right.
  gdi_test::Canvas canvas(kWidth, kHeight);
  RenderPreviewPages(canvas.dc, window_, 2);
  const int cy = kHeight / 62;
  EXPECT_GT(canvas.Dark(10, 3 * cy, kWidth / 2 - 10, 40 * cy), 200);
  EXPECT_EQ(canvas.Dark(kWidth / 2 + 10, 3 * cy, kWidth - 10, 60 * cy), 0);
  // The sheet's frame: its middle line runs down the sheet's centre.
  EXPECT_GT(canvas.Dark(kWidth / 2 - 2, kHeight / 2, kWidth / 2 + 3, kHeight / 2 + 1), 0);

  gdi_test::Canvas both(kWidth, kHeight);
  RenderPreviewPages(both.dc, window_, 0);
  EXPECT_GT(both.Dark(kWidth / 2 + 10, 3 * cy, kWidth - 10, 40 * cy), 200);
}

TEST_F(PreviewWindowTest, APagesPictureIsDrawnOnItsCells) {
  // A black square as an enhanced metafile in the program folder.
  const std::string picture = program_ + "BOX.EMF";
  HDC recorder = CreateEnhMetaFileA(nullptr, picture.c_str(), nullptr, nullptr);
  ASSERT_NE(recorder, nullptr);
  SelectObject(recorder, GetStockObject(BLACK_BRUSH));
  Rectangle(recorder, 0, 0, 100, 100);
  DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
  // The picture's rows count from the line after its picture line (row 3).
  Load("1 per 1", PageLine("TITLE", '1') + PageLine("") + PageLine("") +
                      "$$$BOX.EMF 41  1 80 20\n" + PageLine("PICTURE HERE") + PageLine("END"));
  gdi_test::Canvas canvas(kWidth, kHeight);
  RenderPreviewPages(canvas.dc, window_, 0);
  const int cw = kWidth / 80;
  const int ch = kHeight / 62;
  // Cells of columns 41 to 79 and page rows 3 to 21, well inside.
  const int x1 = 41 * cw + 3, x2 = 78 * cw, y1 = 3 * ch + 3, y2 = 21 * ch;
  EXPECT_GT(canvas.Dark(x1, y1, x2, y2), (x2 - x1) * (y2 - y1) * 8 / 10);
  // Nothing of it above its first row or left of its first column.
  EXPECT_EQ(canvas.Dark(41 * cw + 3, 0, x2, 3 * ch - 2), 0);
  EXPECT_EQ(canvas.Dark(30 * cw, y1, 40 * cw - 2, y2), 0);
}

TEST_F(PreviewWindowTest, AViewOutsideTheCountDrawsNothing) {
  Load("1 per 1", Pages(2));
  for (int view : {-1, 2, 100, 250}) {
    SCOPED_TRACE(view);
    gdi_test::Canvas canvas(kWidth, kHeight);
    RenderPreviewPages(canvas.dc, window_, view);
    EXPECT_EQ(canvas.Dark(0, 0, kWidth, kHeight), 0);
  }
}

TEST_F(PreviewWindowTest, ThePaintFramesAWhiteClientAreaAndDrawsTheView) {
  Load("1 per 1", Pages(1, 20));
  ShowWindow(window_, SW_SHOWNA);
  PaintPreview(nullptr, window_, 0);
  const COLORREF corner = gdi_test::WindowPixel(window_, 0, 0);
  const COLORREF inside = gdi_test::WindowPixel(window_, kWidth - 5, kHeight - 5);
  const int dark = gdi_test::DarkPixels(window_, {2, 2, kWidth / 2, kHeight / 3});
  EXPECT_EQ(corner, RGB(0, 0, 0));
  EXPECT_EQ(inside, RGB(255, 255, 255));
  EXPECT_GT(dark, 200);
}

// ---- clipboard ---------------------------------------------------------------

struct ClipboardPicture {
  bool present = false;
  LONG mm = 0, xExt = 0, yExt = 0;
  std::string bits;  // the metafile's bytes
  std::vector<gdi_test::WmfRecord> records;
};

ClipboardPicture ReadClipboardPicture() {
  ClipboardPicture out;
  if (!OpenClipboard(nullptr)) return out;
  HANDLE data = GetClipboardData(CF_METAFILEPICT);
  if (data != nullptr) {
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(data));
    if (picture != nullptr) {
      out.present = true;
      out.mm = picture->mm;
      out.xExt = picture->xExt;
      out.yExt = picture->yExt;
      const UINT size = GetMetaFileBitsEx(picture->hMF, 0, nullptr);
      out.bits.resize(size);
      GetMetaFileBitsEx(picture->hMF, size, out.bits.data());
      out.records = gdi_test::ReadWmf(picture->hMF);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return out;
}

void PutText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::strcpy(static_cast<char*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(closed)";
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST_F(PreviewWindowTest, APageIsCopiedAsAMetafilePicture) {
  Load("1 per 1", Pages(2));
  CopyPageToClipboard(window_, 1);
  const ClipboardPicture p = ReadClipboardPicture();
  ASSERT_TRUE(p.present);
  EXPECT_EQ(p.mm, MM_ANISOTROPIC);
  EXPECT_EQ(p.xExt, 14960);
  EXPECT_EQ(p.yExt, 19964);
  EXPECT_NE(p.bits.find("PAGE 2 LINE 1"), std::string::npos);
  EXPECT_EQ(p.bits.find("PAGE 1 LINE 1"), std::string::npos);
  EXPECT_EQ(GetReferenceDC(), nullptr);
}

TEST_F(PreviewWindowTest, ASheetOfSeveralPagesCopiesItsFirstPageOneUp) {
  for (const char* format : {"2 per 1", "4 per 1"}) {
    SCOPED_TRACE(format);
    ResetPreview();
    Load(format, Pages(9));
    const int perSheet = g_pageRender.pagesPerSheet;
    CopyPageToClipboard(window_, 1);
    const ClipboardPicture p = ReadClipboardPicture();
    ASSERT_TRUE(p.present);
    const std::string first = "PAGE " + std::to_string(perSheet + 1) + " LINE 1";
    const std::string second = "PAGE " + std::to_string(perSheet + 2) + " LINE 1";
    EXPECT_NE(p.bits.find(first), std::string::npos);
    EXPECT_EQ(p.bits.find(second), std::string::npos);
    ASSERT_FALSE(p.records.empty());
    EXPECT_FALSE(gdi_test::HasRecord(p.records, META_RECTANGLE));  // no sheet frame
    // The preview's own settings come back.
    EXPECT_EQ(g_pageRender.pagesPerSheet, perSheet);
    EXPECT_EQ(g_drawingState.renderTarget, kRenderWindow);
  }
}

TEST_F(PreviewWindowTest, NothingIsPlacedWhileAnotherThreadHoldsTheClipboard) {
  Load("1 per 1", Pages(1));
  PutText("before");
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  struct Events {
    HANDLE ready, release;
  } events = {ready, release};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* e = static_cast<Events*>(p);
        HWND holder =
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        const BOOL opened = OpenClipboard(holder);
        SetEvent(e->ready);
        WaitForSingleObject(e->release, 10000);
        if (opened) CloseClipboard();
        DestroyWindow(holder);
        return opened ? 0 : 1;
      },
      &events, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);
  EXPECT_FALSE(OpenClipboard(window_));  // as the copy finds it
  CopyPageToClipboard(window_, 0);
  SetEvent(release);
  WaitForSingleObject(thread, 10000);
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(thread);
  CloseHandle(ready);
  CloseHandle(release);
  EXPECT_FALSE(ReadClipboardPicture().present);
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_EQ(GetReferenceDC(), nullptr);
}

HANDLE g_refused = nullptr;
HMETAFILE g_refusedCopy = nullptr;

TEST_F(PreviewWindowTest, ARefusedPictureIsFreedWithItsMetafileCopy) {
  Load("1 per 1", Pages(1));
  g_clipboardCalls.setClipboardData = [](uint32_t, void* data) -> void* {
    g_refused = data;
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(data));
    g_refusedCopy = picture->hMF;
    GlobalUnlock(data);
    return nullptr;
  };
  CopyPageToClipboard(window_, 0);
  ASSERT_NE(g_refused, nullptr);
  EXPECT_EQ(GetObjectType(g_refusedCopy), 0u);
  EXPECT_EQ(GlobalFlags(g_refused), static_cast<UINT>(GMEM_INVALID_HANDLE));
}

TEST_F(PreviewWindowTest, NothingIsPlacedWhenABlockOrTheMetafileCannotBeHad) {
  Load("1 per 1", Pages(1));
  const char* cases[] = {"allocation", "lock", "metafile"};
  for (const char* c : cases) {
    SCOPED_TRACE(c);
    PutText("before");
    if (std::strcmp(c, "allocation") == 0) os::SetMemAllocFailAfter(0);
    if (std::strcmp(c, "lock") == 0) os::SetMemLockFailAfter(0);
    if (std::strcmp(c, "metafile") == 0)
      g_clipboardCalls.createMetaFile = [](const char*) -> void* { return nullptr; };
    CopyPageToClipboard(window_, 0);
    os::SetMemAllocFailAfter(-1);
    os::SetMemLockFailAfter(-1);
    ResetPreviewClipboardForTests();
    EXPECT_FALSE(ReadClipboardPicture().present);
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(GetReferenceDC(), nullptr);
  }
}

TEST_F(PreviewWindowTest, ASelectionIsCopiedAsAMetafilePictureOrAsTheBitmap) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 50, 40);
  ReleaseDC(nullptr, screen);
  g_previewSelection = {bitmap, 10, 5, 30, 25, {1, 1}};
  CopySelectionToClipboard(window_, 0);
  EXPECT_EQ(g_previewSelection.flags[0], 0);
  EXPECT_EQ(g_previewSelection.flags[1], 0);
  const ClipboardPicture p = ReadClipboardPicture();
  ASSERT_TRUE(p.present);
  EXPECT_EQ(p.mm, MM_TEXT);
  EXPECT_EQ(p.xExt, 20);
  EXPECT_EQ(p.yExt, 20);
  EXPECT_TRUE(gdi_test::HasRecord(p.records, META_DIBBITBLT) ||
              gdi_test::HasRecord(p.records, META_DIBSTRETCHBLT) ||
              gdi_test::HasRecord(p.records, META_STRETCHDIB));
  EXPECT_EQ(g_previewSelection.bitmap, bitmap);

  CopySelectionToClipboard(window_, 1);
  EXPECT_EQ(g_previewSelection.bitmap, nullptr);  // the clipboard owns it
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_BITMAP), bitmap);
  CloseClipboard();
  // Without a bitmap a copy does nothing.
  g_previewSelection.flags[0] = 1;
  CopySelectionToClipboard(window_, 1);
  EXPECT_EQ(g_previewSelection.flags[0], 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_BITMAP), bitmap);
  CloseClipboard();
}

}  // namespace
