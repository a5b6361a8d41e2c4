// Reading back what GDI recorded, by meaning: an enhanced metafile's records
// (EnumEnhMetaFile) and a Windows metafile's (EnumMetaFile) as short event
// texts that name the pen, brush and font in use, and pixels of a memory DIB.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace gdi_test {

// Events of an enhanced metafile, in order:
//   "move X,Y"  "line X,Y PEN"  "arc L,T,R,B X1,Y1 X2,Y2 BRUSH"
//   "ellipse L,T,R,B BRUSH"  "text X,Y 'TEXT' FONT"
// PEN is "solid10", "dot1" or "stockN"; BRUSH "hollow" or "stockN" or
// "brush"; FONT "font(H,ESC,ORIENT,WEIGHT,FACE)" or "stockN". Boxes are as
// recorded (Wine records them normalised, right and bottom less one).
struct EnhancedRecording {
  std::vector<std::string> events;
  std::string penAtEnd;
  std::string fontAtEnd;
  std::string brushAtEnd;
  int fontsMade = 0;
  int fontsDeleted = 0;
  std::vector<std::string> fonts;  // every font made, in order
};

inline std::string Pt(LONG x, LONG y) { return std::to_string(x) + "," + std::to_string(y); }

inline std::string Box(const RECTL& r) { return Pt(r.left, r.top) + "," + Pt(r.right, r.bottom); }

struct EnhancedWalk {
  EnhancedRecording* out;
  std::map<DWORD, std::string> objects;  // by handle-table index
  std::map<DWORD, char> kinds;           // 'p' pen, 'f' font, 'b' brush
  std::string pen = "stock7";
  std::string font = "stock13";
  std::string brush = "stock0";
};

inline std::string Narrow(const wchar_t* w, size_t n) {
  std::string s;
  for (size_t i = 0; i < n && w[i]; ++i) s += w[i] < 256 ? static_cast<char>(w[i]) : '?';
  return s;
}

inline int CALLBACK OnEnhancedRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int,
                                     LPARAM data) {
  auto* walk = reinterpret_cast<EnhancedWalk*>(data);
  EnhancedRecording* out = walk->out;
  switch (record->iType) {
    case EMR_CREATEPEN: {
      const auto* r = reinterpret_cast<const EMRCREATEPEN*>(record);
      const UINT style = r->lopn.lopnStyle;
      walk->objects[r->ihPen] = (style == PS_SOLID ? "solid"
                                 : style == PS_DOT ? "dot"
                                                   : "style" + std::to_string(style)) +
                                std::to_string(r->lopn.lopnWidth.x);
      walk->kinds[r->ihPen] = 'p';
      break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
      const auto* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
      const LOGFONTW& f = r->elfw.elfLogFont;
      const std::string text = "font(" + std::to_string(f.lfHeight) + "," +
                               std::to_string(f.lfEscapement) + "," +
                               std::to_string(f.lfOrientation) + "," + std::to_string(f.lfWeight) +
                               "," + Narrow(f.lfFaceName, 32) + ")";
      walk->objects[r->ihFont] = text;
      walk->kinds[r->ihFont] = 'f';
      out->fonts.push_back(text);
      ++out->fontsMade;
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      const auto* r = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(record);
      walk->objects[r->ihBrush] = "brush";
      walk->kinds[r->ihBrush] = 'b';
      break;
    }
    case EMR_SELECTOBJECT: {
      const DWORD ih = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
      if (ih & 0x80000000u) {
        const DWORD stock = ih & 0x7FFFFFFFu;
        const std::string name = "stock" + std::to_string(stock);
        if (stock >= WHITE_PEN && stock <= NULL_PEN)
          walk->pen = name;
        else if (stock <= NULL_BRUSH)
          walk->brush = stock == NULL_BRUSH ? "hollow" : name;
        else
          walk->font = name;
      } else {
        const char kind = walk->kinds[ih];
        if (kind == 'p') walk->pen = walk->objects[ih];
        if (kind == 'f') walk->font = walk->objects[ih];
        if (kind == 'b') walk->brush = walk->objects[ih];
      }
      break;
    }
    case EMR_DELETEOBJECT: {
      const DWORD ih = reinterpret_cast<const EMRDELETEOBJECT*>(record)->ihObject;
      if (walk->kinds[ih] == 'f') ++out->fontsDeleted;
      walk->kinds.erase(ih);
      walk->objects.erase(ih);
      break;
    }
    case EMR_MOVETOEX: {
      const auto* r = reinterpret_cast<const EMRMOVETOEX*>(record);
      out->events.push_back("move " + Pt(r->ptl.x, r->ptl.y));
      break;
    }
    case EMR_LINETO: {
      const auto* r = reinterpret_cast<const EMRLINETO*>(record);
      out->events.push_back("line " + Pt(r->ptl.x, r->ptl.y) + " " + walk->pen);
      break;
    }
    case EMR_ARC: {
      const auto* r = reinterpret_cast<const EMRARC*>(record);
      out->events.push_back("arc " + Box(r->rclBox) + " " + Pt(r->ptlStart.x, r->ptlStart.y) + " " +
                            Pt(r->ptlEnd.x, r->ptlEnd.y) + " " + walk->brush);
      break;
    }
    case EMR_ELLIPSE: {
      const auto* r = reinterpret_cast<const EMRELLIPSE*>(record);
      out->events.push_back("ellipse " + Box(r->rclBox) + " " + walk->brush);
      break;
    }
    case EMR_EXTTEXTOUTW: {
      const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(record) +
                                                           r->emrtext.offString);
      std::string text;
      for (DWORD i = 0; i < r->emrtext.nChars; ++i) {
        const wchar_t c = chars[i];
        text += c < 128 ? std::string(1, static_cast<char>(c)) : "U+" + std::to_string(c);
      }
      out->events.push_back("text " + Pt(r->emrtext.ptlReference.x, r->emrtext.ptlReference.y) +
                            " '" + text + "' " + walk->font);
      break;
    }
    default:
      break;
  }
  return 1;
}

// Records what `draw` does to an enhanced-metafile device context.
template <typename Draw>
EnhancedRecording RecordEnhanced(Draw draw) {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  draw(dc);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  EnhancedRecording out;
  EnhancedWalk walk;
  walk.out = &out;
  EnumEnhMetaFile(nullptr, emf, OnEnhancedRecord, &walk, nullptr);
  DeleteEnhMetaFile(emf);
  out.penAtEnd = walk.pen;
  out.fontAtEnd = walk.font;
  out.brushAtEnd = walk.brush;
  return out;
}

// A Windows metafile's records as "FUNCTION p1 p2 ..." (function number in
// hexadecimal, parameters as signed 16-bit words).
inline int CALLBACK OnMetaRecord(HDC, HANDLETABLE*, METARECORD* record, int, LPARAM data) {
  auto* out = reinterpret_cast<std::vector<std::string>*>(data);
  char name[8];
  wsprintfA(name, "%04X", record->rdFunction);
  std::string text = name;
  const DWORD words = record->rdSize > 3 ? record->rdSize - 3 : 0;
  for (DWORD i = 0; i < words && i < 16; ++i) {
    text += " " + std::to_string(static_cast<short>(record->rdParm[i]));
  }
  out->push_back(text);
  return 1;
}

inline std::vector<std::string> MetaRecords(HMETAFILE metafile) {
  std::vector<std::string> out;
  EnumMetaFile(nullptr, metafile, OnMetaRecord, reinterpret_cast<LPARAM>(&out));
  return out;
}

// A 32-bit top-down DIB section selected into a memory DC, filled with
// `fill`.
struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ before = nullptr;
  DWORD* bits = nullptr;
  int width = 0;
  int height = 0;

  Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : width(w), height(h) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    void* p = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<DWORD*>(p);
    before = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    GdiFlush();
  }
  ~Canvas() {
    SelectObject(dc, before);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  // The pixel as 0xRRGGBB.
  DWORD At(int x, int y) const {
    GdiFlush();
    return bits[y * width + x] & 0xFFFFFFu;
  }
  bool IsBlack(int x, int y) const { return At(x, y) == 0; }
  int BlackIn(int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += IsBlack(x, y) ? 1 : 0;
    return n;
  }
};

}  // namespace gdi_test
