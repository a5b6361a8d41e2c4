// Placing a drawing slot into its rectangle, and exporting a drawing file as a
// placeable metafile: the decisions and the bookkeeping, the same in both
// builds; drawing_render_win32.cpp does the drawing.
#include <cstring>

#include "drawing/drawing_format.h"
#include "drawing/drawing_paint.h"
#include "drawing/drawing_paths.h"
#include "drawing/drawing_render.h"
#include "drawing/metafile_handles.h"
#include "report_base/drawing_tools.h"
#include "report_base/engine_interface.h"

namespace {

// The last fit, kept on the rectangle and the drawing it was computed for.
FitCache g_fitCache = {};

constexpr size_t kPathBuffer = kDrawingPathSize + 8;

// Locks both blocks of a drawing; false (nothing left locked) when either
// lock fails.
bool LockDrawing(const LoadedDrawing& d, DrawingBlocks* blocks) {
  void* records = os::MemLock(d.records);
  if (!records) return false;
  void* strings = nullptr;
  if (d.strings) {
    strings = os::MemLock(d.strings);
    if (!strings) {
      os::MemUnlock(d.records);
      return false;
    }
  }
  blocks->records = static_cast<const unsigned char*>(records);
  blocks->count = d.recordCount;
  blocks->strings = static_cast<const char*>(strings);
  blocks->stringSize = strings ? d.stringSize : 0;
  return true;
}

void UnlockDrawing(const LoadedDrawing& d) {
  os::MemUnlock(d.records);
  if (d.strings) os::MemUnlock(d.strings);
}

}  // namespace

void DrawDrawingSlot(PictureSlot* slot, void* /*window*/, void* dc, PictureRect rect) {
  const LoadedDrawing& d = slot->drawing;
  if (!d.records) return;
  // Without extent there are no proportions to keep; an empty rectangle has
  // nothing to fit into.
  if (d.largestX1000 <= 0 || d.largestY1000 <= 0) return;
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;

  MakeDrawingPens();
  DrawingBlocks blocks;
  if (!LockDrawing(d, &blocks)) return;
  const PictureRect fitted = FitRectangleCached(&g_fitCache, rect, d.largestX1000, d.largestY1000);
  const PictureRect whole = {0, 0, d.largestX1000, d.largestY1000};

  if (g_drawingState.renderTarget == kRenderMetafile) {
    const int64_t width = int64_t{fitted.right} - fitted.left;
    const float scale = 1000.0f * static_cast<float>(width) / static_cast<float>(d.largestX1000);
    RenderDrawing(dc, blocks.records, blocks.count, blocks.strings, blocks.stringSize,
                  SaturateToInt32(static_cast<double>(width)),
                  SaturateToInt32(static_cast<double>(int64_t{fitted.bottom} - fitted.top)),
                  fitted.left, fitted.top, scale);
  } else if (g_drawingState.pagePictureFlag == 0) {
    // The screen: the slot remembers where it was drawn, for the hit test.
    slot->drawnRect = fitted;
    if (slot->viewRect.right == 0) slot->viewRect = whole;
    PaintMappedDrawing(dc, blocks, d.largestX1000, d.largestY1000, slot->viewRect, fitted, true);
  } else {
    // A printed or previewed page always shows the whole drawing.
    PaintMappedDrawing(dc, blocks, d.largestX1000, d.largestY1000, whole, fitted, false);
  }
  UnlockDrawing(d);
}

void ExportDrawingMetafile(const char* drawingName, const char* metafileName, int32_t width,
                           int32_t height) {
  char drawingPath[kPathBuffer];
  char metafilePath[kPathBuffer];
  if (!InputFolderPath(drawingPath, kDrawingPathSize, drawingName) ||
      !InputFolderPath(metafilePath, kDrawingPathSize, metafileName)) {
    return;
  }
  // Writing the metafile would empty the drawing it is made from.
  if (SameDrawingPath(drawingPath, metafilePath)) return;

  LoadedDrawing drawing = {};
  if (!LoadDrawing(&drawing, drawingPath, 1) || !drawing.records) {
    ReleaseDrawingBlocks(&drawing);
    return;
  }
  ExportFrame frame;
  DrawingBlocks blocks;
  if (ComputeExportFrame(drawing.largestX1000, drawing.largestY1000, &frame)) {
    MakeDrawingPens();
    if (LockDrawing(drawing, &blocks)) {
      void* recorded = RecordDrawingMetafile(blocks, frame, width, height);
      if (recorded) {
        // At 1000 units per inch: 9.8 inches wide.
        WritePlaceableMetafile(recorded, metafilePath, {0, 0, kExportWidth, frame.height});
        metafile::DeletePlain(recorded);
      }
      UnlockDrawing(drawing);
    }
  }
  ReleaseDrawingBlocks(&drawing);
}

void ExportDrawingCall(const char* drawingName, int64_t drawingNameLength, const char* metafileName,
                       int64_t metafileNameLength, const int64_t* width, const int64_t* height) {
  static engine_call::TextBuffer<engine_call::kNameLimit> drawingBuffer;
  static engine_call::TextBuffer<engine_call::kNameLimit> metafileBuffer;
  ExportDrawingMetafile(engine_call::TakeText(&drawingBuffer, drawingName, drawingNameLength),
                        engine_call::TakeText(&metafileBuffer, metafileName, metafileNameLength),
                        engine_call::TakeInt32(width), engine_call::TakeInt32(height));
}

void ResetDrawingRenderForTests() {
  g_fitCache = FitCache{};
  metafile::SetRecorderFailureForTests(metafile::kFailNothing);
}
