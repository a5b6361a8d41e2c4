#include <windows.h>

#include <cstring>

#include "os/os.h"
#include "report/preview/page_store.h"
#include "report/preview/preview_clipboard.h"
#include "report/preview/preview_render.h"
#include "report_base/drawing_tools.h"

PreviewSelection g_previewSelection;

namespace {

void* RealCreateMetaFile(const char* file) { return CreateMetaFileA(file); }
void* RealSetClipboardData(uint32_t format, void* data) {
  return SetClipboardData(format, static_cast<HANDLE>(data));
}
const ClipboardCalls kReal = {RealCreateMetaFile, RealSetClipboardData};

// The METAFILEPICT block of the last selection copied as a metafile.
os::MemBlock g_selectionPicture = nullptr;

// A movable METAFILEPICT block holding a copy of `metafile`; none when the
// block, its lock or the copy cannot be had.
os::MemBlock MakePictureBlock(HMETAFILE metafile, LONG mode, LONG x, LONG y) {
  os::MemBlock block = os::MemAlloc(os::kGmemMoveable | os::kGmemZeroInit, sizeof(METAFILEPICT));
  if (block == nullptr) return nullptr;
  auto* picture = static_cast<METAFILEPICT*>(os::MemLock(block));
  if (picture == nullptr) {
    os::MemFree(block);
    return nullptr;
  }
  picture->mm = mode;
  picture->xExt = x;
  picture->yExt = y;
  picture->hMF = CopyMetaFileA(metafile, nullptr);
  const bool copied = picture->hMF != nullptr;
  os::MemUnlock(block);
  if (!copied) {
    os::MemFree(block);
    return nullptr;
  }
  return block;
}

// Frees a picture block the clipboard did not take, with its metafile copy.
void FreePictureBlock(os::MemBlock block) {
  auto* picture = static_cast<METAFILEPICT*>(GlobalLock(block));
  if (picture != nullptr) {
    if (picture->hMF != nullptr) DeleteMetaFile(picture->hMF);
    GlobalUnlock(block);
  }
  os::MemFree(block);
}

// Places the data on the clipboard; false when the clipboard did not open or
// refused it (the data is then still the caller's).
bool Place(HWND window, UINT format, void* data) {
  if (!OpenClipboard(window)) return false;
  EmptyClipboard();
  const bool placed = g_clipboardCalls.setClipboardData(format, data) != nullptr;
  CloseClipboard();
  return placed;
}

}  // namespace

ClipboardCalls g_clipboardCalls = kReal;

void CopyPageToClipboard(void* window, int32_t view) {
  // Text that the metafile cannot measure is measured on the screen, mapped
  // to the metafile's units.
  HDC reference = GetDC(nullptr);
  SetMapMode(reference, MM_ANISOTROPIC);
  SetViewportOrgEx(reference, 0, 0, nullptr);
  SetViewportExtEx(reference, 920, 1140, nullptr);
  SetWindowOrgEx(reference, 0, 0, nullptr);
  SetWindowExtEx(reference, kClipboardExtentX, kClipboardExtentY, nullptr);

  HDC metafileDC = static_cast<HDC>(g_clipboardCalls.createMetaFile(nullptr));
  if (metafileDC != nullptr) {
    SetWindowOrgEx(metafileDC, 0, 0, nullptr);
    SetWindowExtEx(metafileDC, kClipboardExtentX, kClipboardExtentY, nullptr);
    // The view's first page, as a one-up page in the metafile's own units;
    // the preview's settings (or a print job's) come back afterwards.
    if (view >= 0 && view < g_preview.viewCount) {
      RenderStoredPagesAside(metafileDC, window, view * g_preview.pagesPerSheet, 1,
                             PreviewDrawing{1, kRenderMetafile, reference});
    }
    HMETAFILE metafile = CloseMetaFile(metafileDC);
    if (metafile != nullptr) {
      os::MemBlock block =
          MakePictureBlock(metafile, MM_ANISOTROPIC, kClipboardExtentX, kClipboardExtentY);
      if (block != nullptr && !Place(static_cast<HWND>(window), CF_METAFILEPICT, block)) {
        FreePictureBlock(block);
      }
      DeleteMetaFile(metafile);
    }
  }
  ReleaseDC(nullptr, reference);
}

void CopySelectionToClipboard(void* window, int32_t asBitmap) {
  g_previewSelection.flags[0] = 0;
  g_previewSelection.flags[1] = 0;
  if (g_previewSelection.bitmap == nullptr) return;
  HWND hwnd = static_cast<HWND>(window);
  const PreviewSelection& s = g_previewSelection;
  const int width = s.right - s.left;
  const int height = s.bottom - s.top;
  HMETAFILE metafile = nullptr;
  if (asBitmap == 0) {
    HDC windowDC = GetDC(hwnd);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HGDIOBJ previous = SelectObject(memoryDC, static_cast<HBITMAP>(s.bitmap));
    HDC metafileDC = static_cast<HDC>(g_clipboardCalls.createMetaFile(nullptr));
    if (metafileDC != nullptr)
      BitBlt(metafileDC, 0, 0, width, height, memoryDC, s.left, s.top, SRCCOPY);
    SelectObject(memoryDC, previous);
    ReleaseDC(hwnd, windowDC);
    DeleteDC(memoryDC);
    if (metafileDC != nullptr) metafile = CloseMetaFile(metafileDC);
    if (metafile == nullptr) return;
    g_selectionPicture = MakePictureBlock(metafile, MM_TEXT, width, height);
    if (g_selectionPicture != nullptr && !Place(hwnd, CF_METAFILEPICT, g_selectionPicture)) {
      FreePictureBlock(g_selectionPicture);
    }
    g_selectionPicture = nullptr;
    DeleteMetaFile(metafile);
  } else if (Place(hwnd, CF_BITMAP, s.bitmap)) {
    g_previewSelection.bitmap = nullptr;  // the clipboard owns it now
  }
  g_previewSelection.flags[0] = 0;
  g_previewSelection.flags[1] = 0;
}

void ResetPreviewClipboardForTests() {
  std::memset(&g_previewSelection, 0, sizeof g_previewSelection);
  g_clipboardCalls = kReal;
}
