// Drawing the records of a vector drawing with GDI.
//
// Every point comes from drawing_geometry.h; this file only makes the GDI
// calls, in the order the records give them. The pens are the shared drawing
// pens; the drawing font is made whenever a text needs another height or
// angle, and deleted at the end of each drawing. Every value handed to GDI is
// also checked against 16 bits, because an exported Windows metafile keeps
// 16-bit values and would silently wrap a larger one.
#include <windows.h>

#include <cstring>

#include "drawing/drawing_format.h"
#include "drawing/drawing_paint.h"
#include "drawing/drawing_render.h"
#include "drawing/metafile_handles.h"
#include "os/os.h"
#include "report_base/drawing_tools.h"

namespace {

// The RenderDrawing in progress.
struct RenderState {
  DrawingTransform transform;
  int32_t textHeight;  // of the last drawing font made; -1 before the first text
  int32_t textAngle;
  HGDIOBJ fontBefore;  // selected before the drawing's first font
  bool fontMade;
  bool beyond16Bits;  // some value handed to GDI would not fit 16 bits
};
RenderState g_render = {{0, 0, 0, 0, 1.0f}, -1, -1, nullptr, false, false};

HDC Dc(void* dc) { return static_cast<HDC>(dc); }

void Note(int64_t value) {
  if (!FitsInt16(value)) g_render.beyond16Bits = true;
}
void Note(DevicePoint p) {
  Note(p.x);
  Note(p.y);
}
void Note(const PictureRect& r) {
  Note(r.left);
  Note(r.top);
  Note(r.right);
  Note(r.bottom);
}

}  // namespace

void TraceDrawing(const char* /*label*/, int32_t /*x*/, int32_t /*y*/) {}

void DrawingMoveTo(void* dc, float x, float y) {
  const DevicePoint p = TransformPoint(g_render.transform, x, y);
  Note(p);
  TraceDrawing("MOVE TO", p.x, p.y);
  MoveToEx(Dc(dc), p.x, p.y, nullptr);
}

void DrawingLineTo(void* dc, float x, float y) {
  const DevicePoint p = TransformPoint(g_render.transform, x, y);
  Note(p);
  TraceDrawing("DRAW LINE", p.x, p.y);
  LineTo(Dc(dc), p.x, p.y);
}

void DrawArc(void* dc, float cx, float cy, float rx, float ry, float start, float sweep) {
  const ArcGeometry g = ArcPoints(g_render.transform, cx, cy, rx, ry, start, sweep);
  Note(g.box);
  Note(g.start);
  Note(g.end);
  if (!g.drawsNothing) {
    HGDIOBJ brushBefore = SelectObject(Dc(dc), GetStockObject(HOLLOW_BRUSH));
    if (g.wholeEllipse) {
      Ellipse(Dc(dc), g.box.left, g.box.top, g.box.right, g.box.bottom);
    } else if (sweep >= 0.0f) {
      Arc(Dc(dc), g.box.left, g.box.top, g.box.right, g.box.bottom, g.start.x, g.start.y, g.end.x,
          g.end.y);
    } else {
      Arc(Dc(dc), g.box.left, g.box.top, g.box.right, g.box.bottom, g.end.x, g.end.y, g.start.x,
          g.start.y);
    }
    if (brushBefore) SelectObject(Dc(dc), brushBefore);
  }
  MoveToEx(Dc(dc), g.end.x, g.end.y, nullptr);
}

void DrawArrow(void* dc, float tipX, float tipY, float tailX, float tailY, float tick) {
  const ArrowGeometry g = ArrowPoints(tipX, tipY, tailX, tailY, tick);
  DrawingMoveTo(dc, g.tail.x, g.tail.y);
  DrawingLineTo(dc, g.tip.x, g.tip.y);
  DrawingLineTo(dc, g.head1.x, g.head1.y);
  DrawingLineTo(dc, g.head2.x, g.head2.y);
  DrawingLineTo(dc, g.tip.x, g.tip.y);
  DrawingMoveTo(dc, g.tick1.x, g.tick1.y);
  DrawingLineTo(dc, g.tick2.x, g.tick2.y);
}

void CreateDrawingFont(void* dc, int32_t height, int32_t angle) {
  const int32_t tenths = SaturateToInt32(static_cast<double>(angle) * 10.0);
  Note(height);
  Note(tenths);
  HFONT font = CreateFontA(height, 0, tenths, tenths, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0, "Arial");
  if (!font) return;
  HGDIOBJ before = SelectObject(Dc(dc), font);
  if (!g_render.fontMade) {
    g_render.fontBefore = before;
    g_render.fontMade = true;
  }
  // The previous drawing font is no longer selected: delete it.
  DeleteDrawingFont();
  g_drawingState.drawingFont = font;
}

void DrawDrawingText(void* dc, float x, float y, const char* text, float height, float angle,
                     int32_t length) {
  char copy[kDrawingTextLimit + 1];
  int32_t n = length < 0 ? 0 : (length > kDrawingTextLimit ? kDrawingTextLimit : length);
  if (!text) n = 0;
  if (n > 0) std::memcpy(copy, text, static_cast<size_t>(n));
  copy[n] = '\0';
  // Drawing texts are OEM text whatever the report language.
  os::ConvertOemToAnsi(copy, copy, static_cast<size_t>(n));

  const TextPlacement p = PlaceDrawingText(g_render.transform, x, y, height, angle);
  if (p.fontHeight != g_render.textHeight || p.angle != g_render.textAngle) {
    g_render.textHeight = p.fontHeight;
    g_render.textAngle = p.angle;
    CreateDrawingFont(dc, p.fontHeight, p.angle);
  }
  Note(p.corner);
  if (n > 0) TextOutA(Dc(dc), p.corner.x, p.corner.y, copy, n);
  DrawingMoveTo(dc, x, y);
  TraceDrawing("SYMBOL", p.corner.x, p.corner.y);
}

void RenderDrawing(void* dc, const unsigned char* records, int32_t count, const char* strings,
                   int32_t stringSize, int32_t width, int32_t height, int32_t originX,
                   int32_t originY, float scale) {
  g_render = RenderState{{width, height, originX, originY, scale}, -1, -1, nullptr, false, false};
  SetBkMode(Dc(dc), TRANSPARENT);
  MakeDrawingPens();
  HGDIOBJ penBefore = SelectObject(Dc(dc), static_cast<HGDIOBJ>(g_drawingState.solidPen));
  CreateDrawingFont(dc, 100, 0);

  for (int32_t i = 0; i < count; ++i) {
    const DrawingRecord r = GetDrawingRecord(records, i);
    switch (r.command) {
      case 'A':
        DrawArrow(dc, r.field3, r.field4, r.x, r.y, r.field5);
        break;
      case 'C':
        DrawArc(dc, r.x, r.y, r.field3, r.field3, r.field4, r.field5);
        break;
      case 'D':
        DrawingLineTo(dc, r.x, r.y);
        break;
      case 'E':
        DrawArc(dc, r.x, r.y, r.field3, r.field4, r.field5, r.field6);
        break;
      case 'L': {
        void* pen = SaturateToInt32(r.x) == 1 ? g_drawingState.solidPen : g_drawingState.dottedPen;
        SelectObject(Dc(dc), static_cast<HGDIOBJ>(pen));
        break;
      }
      case 'M':
        DrawingMoveTo(dc, r.x, r.y);
        break;
      case 'S': {
        const TextRange range = DrawingTextRange(r.field5, r.field6, strings ? stringSize : 0);
        DrawDrawingText(dc, r.x, r.y, strings ? strings + range.offset : nullptr, r.field3,
                        r.field4, range.length);
        break;
      }
      case 'T':
        i = count;
        break;
      default:
        break;
    }
  }

  if (penBefore) SelectObject(Dc(dc), penBefore);
  if (g_render.fontMade && g_render.fontBefore) SelectObject(Dc(dc), g_render.fontBefore);
  DeleteDrawingFont();
}

void PaintMappedDrawing(void* dc, const DrawingBlocks& blocks, int32_t largestX1000,
                        int32_t largestY1000, PictureRect window, PictureRect viewport,
                        bool screen) {
  HDC h = Dc(dc);
  SetMapMode(h, MM_ISOTROPIC);
  SetWindowOrgEx(h, window.left, window.top, nullptr);
  SetWindowExtEx(h, SaturateToInt32(static_cast<double>(int64_t{window.right} - window.left)),
                 SaturateToInt32(static_cast<double>(int64_t{window.bottom} - window.top)),
                 nullptr);
  SetViewportOrgEx(h, viewport.left, viewport.top, nullptr);
  SetViewportExtEx(h, SaturateToInt32(static_cast<double>(int64_t{viewport.right} - viewport.left)),
                   SaturateToInt32(static_cast<double>(int64_t{viewport.bottom} - viewport.top)),
                   nullptr);
  HRGN clip = nullptr;
  if (screen) {
    // The fitted rectangle with its right and bottom edges, cleared with the
    // device context's own brush before the drawing.
    clip = CreateRectRgn(viewport.left, viewport.top,
                         SaturateToInt32(static_cast<double>(int64_t{viewport.right} + 1)),
                         SaturateToInt32(static_cast<double>(int64_t{viewport.bottom} + 1)));
    if (clip) SelectClipRgn(h, clip);
    HGDIOBJ penBefore = SelectObject(h, GetStockObject(NULL_PEN));
    Rectangle(h, window.left, window.top, window.right, window.bottom);
    if (penBefore) SelectObject(h, penBefore);
  }
  RenderDrawing(dc, blocks.records, blocks.count, blocks.strings, blocks.stringSize, largestX1000,
                largestY1000, 0, 0, 1000.0f);
  if (clip) DeleteObject(clip);
}

void* RecordDrawingMetafile(const DrawingBlocks& blocks, const ExportFrame& frame, int32_t width,
                            int32_t height) {
  if (!FitsInt16(width) || !FitsInt16(height)) return nullptr;
  HDC recorder = static_cast<HDC>(metafile::CreateRecorder());
  if (!recorder) return nullptr;
  SetMapMode(recorder, MM_ANISOTROPIC);
  SetBkMode(recorder, TRANSPARENT);
  SetWindowOrgEx(recorder, 0, 0, nullptr);
  SetWindowExtEx(recorder, width, height, nullptr);
  RenderDrawing(recorder, blocks.records, blocks.count, blocks.strings, blocks.stringSize,
                frame.width, frame.height, frame.originX, frame.originY, frame.scale);
  const bool fits = !g_render.beyond16Bits;
  void* recorded = metafile::CloseRecorder(recorder);
  if (recorded && !fits) {
    metafile::DeletePlain(recorded);
    recorded = nullptr;
  }
  return recorded;
}
