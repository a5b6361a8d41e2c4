// Printing while the host paints. The job's abort procedure hands the
// thread's messages to the host while the driver works: Wine calls it inside
// StartDoc, Windows while it spools each sheet (the seam's EndPage). A host
// that repaints its preview, copies a view to the clipboard or refreshes its
// screen there draws pages in the middle of the job.
//
// Each job runs twice: alone, and with the host acting at StartDoc and at
// every EndPage. Both must reach the printer alike: the same print calls, the
// same PostScript pages, each page's PostScript the same. Every action of the
// host leaves every piece of page state as it found it, and the preview it
// paints in the middle of a job is the preview it paints outside one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/page/page_state.h"
#include "report/preview/page_store.h"
#include "report/preview/preview_clipboard.h"
#include "report/preview/preview_render.h"
#include "report/screen/screen_model.h"
#include "report/screen/screen_refresh.h"
#include "report_base/drawing_tools.h"
#include "report_print/print_fixture.h"
#include "report_print/print_seam_win32.h"
#include "run/run_context.h"
#include "support/test_window_win32.h"

namespace {

constexpr int kHostWidth = 480;
constexpr int kHostHeight = 372;
constexpr UINT kCopyViewMessage = WM_APP + 1;
constexpr UINT kRefreshScreenMessage = WM_APP + 2;

// What the host does when its turn comes.
enum class HostAct { kNothing, kPaintPreview, kCopyView, kRefreshScreen };

// The page state as the host found it, compared piece by piece afterwards.
struct PageStateCopy {
  PageBuffer buffer;
  PageRenderState render;
  int32_t renderTarget;
  int32_t pagePictureFlag;
};

void CopyPageState(PageStateCopy* copy) {
  std::memcpy(&copy->buffer, &g_pageBuffer, sizeof g_pageBuffer);
  copy->render = g_pageRender;
  copy->renderTarget = g_drawingState.renderTarget;
  copy->pagePictureFlag = g_drawingState.pagePictureFlag;
}

template <typename T>
bool Same(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The pieces of page state that differ from `before`, by name; a page font
// that is no longer a font counts too.
std::string ChangedPieces(const PageStateCopy& before) {
  const PageBuffer& b = before.buffer;
  const PageRenderState& r = before.render;
  std::string changed;
  auto note = [&](bool same, const char* name) {
    if (!same) changed += std::string(changed.empty() ? "" : ", ") + name;
  };
  note(Same(b.text, g_pageBuffer.text), "page text");
  note(Same(b.markers, g_pageBuffer.markers), "marker text");
  note(b.pictureCount == g_pageBuffer.pictureCount, "picture count");
  note(Same(b.pictureRefs, g_pageBuffer.pictureRefs), "picture references");
  note(Same(b.pictureRows, g_pageBuffer.pictureRows), "picture rows");
  note(Same(b.drawingNumbers, g_pageBuffer.drawingNumbers), "drawing numbers");
  note(r.pagesPerSheet == g_pageRender.pagesPerSheet, "pages per sheet");
  note(r.plainTextMode == g_pageRender.plainTextMode, "plain text mode");
  note(Same(r.pageFaceName, g_pageRender.pageFaceName), "face name");
  note(r.pageColumns == g_pageRender.pageColumns, "page columns");
  note(r.sheetOffsetX == g_pageRender.sheetOffsetX && r.sheetOffsetY == g_pageRender.sheetOffsetY,
       "sheet offset");
  note(Same(r.cellSize, g_pageRender.cellSize), "cell size");
  note(Same(r.fonts, g_pageRender.fonts), "page fonts");
  for (void* font : r.fonts) {
    note(font == nullptr || GetObjectType(static_cast<HGDIOBJ>(font)) == OBJ_FONT,
         "a page font deleted");
  }
  note(r.referenceDC == g_pageRender.referenceDC, "reference DC");
  note(before.renderTarget == g_drawingState.renderTarget, "render target");
  note(before.pagePictureFlag == g_drawingState.pagePictureFlag, "page picture flag");
  return changed;
}

// The client area's pixels, read back through a memory DIB.
std::vector<uint32_t> ClientPixels(HWND window) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kHostWidth;
  info.bmiHeader.biHeight = -kHostHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, kHostWidth, kHostHeight, dc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(first, first + kHostWidth * kHostHeight);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  return pixels;
}

int DarkPixels(const std::vector<uint32_t>& pixels) {
  int n = 0;
  for (uint32_t v : pixels) {
    if ((v & 0xFF) < 128 && ((v >> 8) & 0xFF) < 128 && ((v >> 16) & 0xFF) < 128) ++n;
  }
  return n;
}

// What the host did, where, and what it left.
struct Host {
  HostAct act = HostAct::kNothing;
  std::string actedIn;  // the print call each action ran in ("none" outside a job)
  std::string changed;  // "call: pieces" for each action that left page state changed
  std::vector<std::vector<uint32_t>> paints;  // the client area after each preview paint
  // The window the host copies for. The clipboard is shared by every test
  // program of the Wine prefix, and the preview tests that read it back run
  // beside this one: the copy is made for a window that no longer exists, so
  // the clipboard does not open and is left alone, while the page is drawn
  // into the copy's metafile all the same.
  HWND copyWindow = nullptr;
};
Host* g_host = nullptr;

std::string CurrentPrintCall() {
  if (g_seam == nullptr || g_seam->trace.empty()) return "none";
  const size_t blank = g_seam->trace.rfind(' ');
  return blank == std::string::npos ? g_seam->trace : g_seam->trace.substr(blank + 1);
}

template <typename Action>
void Act(Action action) {
  PageStateCopy before;
  CopyPageState(&before);
  action();
  const std::string call = CurrentPrintCall();
  g_host->actedIn += (g_host->actedIn.empty() ? "" : " ") + call;
  const std::string changed = ChangedPieces(before);
  if (!changed.empty()) g_host->changed += call + ": " + changed + "; ";
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    if (g_host != nullptr && g_host->act == HostAct::kPaintPreview) {
      Act([&] { PaintPreview(nullptr, window, 0); });
      g_host->paints.push_back(ClientPixels(window));
    }
    EndPaint(window, &paint);
    return 0;
  }
  if (message == kCopyViewMessage) {
    Act([] { CopyPageToClipboard(g_host->copyWindow, 0); });
    return 0;
  }
  if (message == kRefreshScreenMessage) {
    Act([] { RefreshScreen(); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A visible top-level window of the host, clear of the progress dialog.
HWND MakeHostWindow() {
  gdi_test::TestWindow spec;
  spec.left = 520;
  spec.top = 360;
  spec.clientWidth = kHostWidth;
  spec.clientHeight = kHostHeight;
  spec.visible = true;
  spec.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  spec.procedure = HostProc;
  spec.title = "host";
  return gdi_test::CreateTestWindow(spec);
}

// The PostScript of each page: from its "%%Page:" line to the next one, or
// to the trailer.
std::vector<std::string> PostScriptPages(const std::string& path) {
  const std::string bytes = testing_support::ReadFileOrEmpty(path);
  std::vector<size_t> starts;
  for (size_t at = bytes.find("%%Page:"); at != std::string::npos;
       at = bytes.find("%%Page:", at + 1)) {
    if (at == 0 || bytes[at - 1] == '\n' || bytes[at - 1] == '\r') starts.push_back(at);
  }
  std::vector<std::string> pages;
  for (size_t k = 0; k < starts.size(); ++k) {
    size_t end = k + 1 < starts.size() ? starts[k + 1] : bytes.find("%%Trailer", starts[k]);
    if (end == std::string::npos) end = bytes.size();
    pages.push_back(bytes.substr(starts[k], end - starts[k]));
  }
  return pages;
}

// "" when the pages are the same; else where the first difference lies.
std::string PageDifference(const std::vector<std::string>& expected,
                           const std::vector<std::string>& actual) {
  if (expected.size() != actual.size()) {
    return std::to_string(actual.size()) + " pages, not " + std::to_string(expected.size());
  }
  for (size_t k = 0; k < expected.size(); ++k) {
    const std::string& e = expected[k];
    const std::string& a = actual[k];
    if (e == a) continue;
    size_t at = 0;
    while (at < e.size() && at < a.size() && e[at] == a[at]) ++at;
    const size_t from = at < 40 ? 0 : at - 40;
    return "page " + std::to_string(k + 1) + " differs at byte " + std::to_string(at) +
           ": expected \"" + e.substr(from, 120) + "\", printed \"" + a.substr(from, 120) + "\"";
  }
  return "";
}

// The host's preview report: every page with a black square, a dot leader
// and underlined rows.
std::string PreviewPages(int pages, int lines) {
  std::string report;
  for (int p = 1; p <= pages; ++p) {
    report += "$$$BOX.EMF 41  1 80 20\n";
    for (int j = 1; j <= lines; ++j) {
      report += PageLine(
          "PREVIEW " + std::to_string(p) + " ROW " + std::to_string(j) + " .......... 12345",
          j == 1 ? '1' : (j % 5 == 0 ? 'u' : ' '));
    }
  }
  return report;
}

// Pages separated by page-break lines only: a page after the first starts
// without a '1' carriage control, so nothing but the page-break line clears
// the page before its lines are read. Page 2 holds a picture.
std::string BrokenPages(int pages, int lines) {
  std::string report;
  for (int p = 1; p <= pages; ++p) {
    if (p > 1) report += "[Page break]\n";
    if (p == 2) report += "$$$RING.EMF 5  2 30 12\n";
    for (int j = 1; j <= lines; ++j) {
      report += PageLine("PAGE " + std::to_string(p) + " LINE " + std::to_string(j),
                         p == 1 && j == 1 ? '1' : ' ');
    }
  }
  return report;
}

class PrintWhilePaintingTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    owner_ = MakeOwnerWindow();
    ASSERT_NE(owner_, nullptr);
    host_ = MakeHostWindow();
    ASSERT_NE(host_, nullptr);
    g_host = &record_;
    record_.copyWindow = MakeOwnerWindow();
    DestroyWindow(record_.copyWindow);
    WritePictures();
    screenFont_ = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  }
  void TearDown() override {
    RemovePrintSeam();
    g_host = nullptr;
    DestroyWindow(host_);
    DestroyWindow(owner_);
    PrintTest::TearDown();
    DeleteObject(screenFont_);
  }

  // BOX.EMF: a black square; RING.EMF: a thick black ellipse outline.
  void WritePictures() {
    HDC box = CreateEnhMetaFileA(nullptr, (program_ + "BOX.EMF").c_str(), nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    SelectObject(box, GetStockObject(BLACK_BRUSH));
    Rectangle(box, 0, 0, 100, 100);
    DeleteEnhMetaFile(CloseEnhMetaFile(box));
    HDC ring = CreateEnhMetaFileA(nullptr, (program_ + "RING.EMF").c_str(), nullptr, nullptr);
    ASSERT_NE(ring, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 8, RGB(0, 0, 0));
    SelectObject(ring, pen);
    SelectObject(ring, GetStockObject(HOLLOW_BRUSH));
    Ellipse(ring, 0, 0, 200, 100);
    DeleteEnhMetaFile(CloseEnhMetaFile(ring));
    DeleteObject(pen);
  }

  // The host's preview: a report of its own, four pages to a sheet, a black
  // square on every page.
  void LoadPreview() {
    SetPrintFormat("4 per 1");
    const std::string path = WriteReport("PREVIEW.KVO", PreviewPages(5, 40));
    ASSERT_EQ(PreviewReport(host_, nullptr, path.c_str()), 1);
  }

  // The host's screen: some text and a picture.
  void SetUpScreen() {
    SetHostWindow(host_);
    ScreenMetricsRecord metrics = {screenFont_, screenFont_, kHostWidth, kHostHeight};
    SetScreenMetrics(&metrics);
    std::memcpy(g_screenModel.screenText + 2 * 80 + 4, "SCREEN TEXT", 11);
    std::memset(&g_pictureTable.slots[0], 0, sizeof g_pictureTable.slots[0]);
    ASSERT_EQ(LoadPicture(&g_pictureTable.slots[0], "BOX.EMF 1 5 40 10", 0, 0), 1);
    g_pictureTable.count = 1;
  }

  // Gives the host its turn: the message it acts on is waiting when the
  // abort procedure looks.
  void QueueHostAct() {
    switch (record_.act) {
      case HostAct::kPaintPreview:
        InvalidateRect(host_, nullptr, FALSE);
        break;
      case HostAct::kCopyView:
        PostMessageA(host_, kCopyViewMessage, 0, 0);
        break;
      case HostAct::kRefreshScreen:
        PostMessageA(host_, kRefreshScreenMessage, 0, 0);
        break;
      case HostAct::kNothing:
        break;
    }
  }

  struct Printed {
    std::string trace;
    int pageCount;
    std::vector<std::string> pages;
  };
  // Prints `report` in `format`, the host acting at StartDoc and at every
  // EndPage as `act` says.
  Printed Print(const std::string& report, const char* format, HostAct act) {
    ResetPrintState();
    seam_ = PrintSeam{};
    InstallPrintSeam(&seam_);
    seam_.abortProcInStartDoc = true;
    record_.act = act;
    seam_.before = [this](const std::string& call, int) {
      if (call == "StartDoc" || call == "EndPage") QueueHostAct();
    };
    if (act == HostAct::kRefreshScreen) SetUpScreen();
    const std::string output = root_ + "out" + std::to_string(++outputs_) + ".ps";
    EXPECT_TRUE(MapTestPort(output));
    SetPrintFormat(format);
    const std::string path = WriteReport("JOB.KVO", report);
    EXPECT_EQ(PrintReport(owner_, GetModuleHandleA(nullptr), path.c_str(), 0), 0);
    RemovePrintSeam();
    record_.act = HostAct::kNothing;
    return {seam_.trace, CountPostScriptPages(output), PostScriptPages(output)};
  }

  HWND owner_ = nullptr;
  HWND host_ = nullptr;
  HFONT screenFont_ = nullptr;
  PrintSeam seam_;
  Host record_;
  int outputs_ = 0;
};

TEST_F(PrintWhilePaintingTest, AJobPrintsAlikeWhateverTheHostDrawsMeanwhile) {
  LoadPreview();
  const struct {
    const char* name;
    const char* format;
    std::string report;
    const char* sheets;  // the print calls' "StartPage EndPage" pairs
    int pages;           // PostScript pages: one a sheet
  } jobs[] = {
      {"one per sheet, page-break lines, a picture on page 2", "1 per 1", BrokenPages(3, 12),
       "StartPage EndPage StartPage EndPage StartPage EndPage", 3},
      {"two per sheet", "2 per 1", Pages(5, 8),
       "StartPage EndPage StartPage EndPage StartPage EndPage", 3},
      {"four per sheet", "4 per 1", Pages(6, 30), "StartPage EndPage StartPage EndPage", 2},
  };
  const struct {
    const char* name;
    HostAct act;
  } hosts[] = {
      {"the preview repainted", HostAct::kPaintPreview},
      {"a view copied to the clipboard", HostAct::kCopyView},
      {"the screen refreshed", HostAct::kRefreshScreen},
  };
  for (const auto& job : jobs) {
    const Printed alone = Print(job.report, job.format, HostAct::kNothing);
    ASSERT_EQ(alone.trace, std::string("SetAbortProc StartDoc ") + job.sheets + " EndDoc")
        << job.name;
    ASSERT_EQ(alone.pageCount, job.pages) << job.name;
    ASSERT_EQ(alone.pages.size(), static_cast<size_t>(job.pages)) << job.name;
    for (const auto& host : hosts) {
      SCOPED_TRACE(std::string(job.name) + ", " + host.name);
      record_.actedIn.clear();
      record_.changed.clear();
      record_.paints.clear();
      const Printed printed = Print(job.report, job.format, host.act);
      // The host had its turn at the start of the document and after every sheet.
      std::string turns = "StartDoc";
      for (int k = 0; k < job.pages; ++k) turns += " EndPage";
      EXPECT_EQ(record_.actedIn, turns);
      EXPECT_EQ(record_.changed, "");
      EXPECT_EQ(printed.trace, alone.trace);
      EXPECT_EQ(printed.pageCount, alone.pageCount);
      EXPECT_EQ(PageDifference(alone.pages, printed.pages), "");
    }
  }
}

TEST_F(PrintWhilePaintingTest, ThePreviewPaintedDuringAJobIsThePreviewPaintedOutsideIt) {
  LoadPreview();
  record_.act = HostAct::kPaintPreview;
  InvalidateRect(host_, nullptr, FALSE);
  UpdateWindow(host_);
  ASSERT_EQ(record_.paints.size(), 1u);
  const std::vector<uint32_t> outside = record_.paints[0];
  // Four pages of text and squares on a white sheet.
  ASSERT_GT(DarkPixels(outside), kHostWidth * kHostHeight / 20);

  // The job prints one page to a sheet on the printer; the preview keeps its
  // own four pages to a sheet on its window.
  record_.paints.clear();
  Print(Pages(3, 20), "1 per 1", HostAct::kPaintPreview);
  ASSERT_EQ(record_.paints.size(), 4u);  // at StartDoc and after each of 3 sheets
  for (size_t k = 0; k < record_.paints.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(record_.paints[k] == outside);
  }

  // And after the job, which left its own pages per sheet and target behind.
  record_.act = HostAct::kPaintPreview;
  record_.paints.clear();
  InvalidateRect(host_, nullptr, FALSE);
  UpdateWindow(host_);
  ASSERT_EQ(record_.paints.size(), 1u);
  EXPECT_TRUE(record_.paints[0] == outside);
  EXPECT_EQ(g_drawingState.renderTarget, kRenderPrinter);
  EXPECT_EQ(g_pageRender.pagesPerSheet, 1);
}

}  // namespace
