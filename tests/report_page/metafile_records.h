// Reading back what was drawn into a metafile, by meaning: texts with their
// position and the font selected when they were drawn, lines, rectangles, the
// mapping calls and the fonts created. Windows tests only.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct RecordedFont {
  int32_t height = 0;
  int32_t weight = 0;
  std::string face;
};
struct RecordedText {
  int32_t x, y;
  std::string text;
  RecordedFont font;  // the font selected when the text was drawn
};
struct RecordedLine {
  int32_t x1, y1, x2, y2;
};
struct RecordedCall {
  int type;  // EMR_* or META_* number
  int32_t a, b;
};
struct Recorded {
  std::vector<RecordedText> texts;
  std::vector<RecordedLine> lines;
  std::vector<RECT> rectangles;
  std::vector<RecordedFont> fontsCreated;
  std::vector<RecordedCall> mapping;  // map mode, window and viewport origins and extents
};

inline std::string Narrow(const WCHAR* w, size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>(w[i] < 256 ? w[i] : '?');
  return s;
}

// The records of an enhanced metafile (the handle is deleted).
inline Recorded ReadEnhanced(HENHMETAFILE emf) {
  struct State {
    Recorded out;
    std::map<DWORD, RecordedFont> objects;
    RecordedFont current;
    POINT at{0, 0};
  } st;
  auto proc = [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM p) -> int {
    State& s = *reinterpret_cast<State*>(p);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(r);
    switch (r->iType) {
      case EMR_EXTCREATEFONTINDIRECTW: {
        const auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(r);
        RecordedFont font{
            f->elfw.elfLogFont.lfHeight, f->elfw.elfLogFont.lfWeight,
            Narrow(f->elfw.elfLogFont.lfFaceName, wcsnlen(f->elfw.elfLogFont.lfFaceName, 32))};
        s.objects[f->ihFont] = font;
        s.out.fontsCreated.push_back(font);
        break;
      }
      case EMR_SELECTOBJECT: {
        const auto* o = reinterpret_cast<const EMRSELECTOBJECT*>(r);
        auto it = s.objects.find(o->ihObject);
        if (it != s.objects.end()) s.current = it->second;
        break;
      }
      case EMR_EXTTEXTOUTW: {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
        const WCHAR* w = reinterpret_cast<const WCHAR*>(bytes + t->emrtext.offString);
        s.out.texts.push_back({t->emrtext.ptlReference.x, t->emrtext.ptlReference.y,
                               Narrow(w, t->emrtext.nChars), s.current});
        break;
      }
      case EMR_EXTTEXTOUTA: {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(r);
        const char* a = reinterpret_cast<const char*>(bytes + t->emrtext.offString);
        s.out.texts.push_back({t->emrtext.ptlReference.x, t->emrtext.ptlReference.y,
                               std::string(a, t->emrtext.nChars), s.current});
        break;
      }
      case EMR_MOVETOEX: {
        const auto* m = reinterpret_cast<const EMRMOVETOEX*>(r);
        s.at = {m->ptl.x, m->ptl.y};
        break;
      }
      case EMR_LINETO: {
        const auto* l = reinterpret_cast<const EMRLINETO*>(r);
        s.out.lines.push_back({s.at.x, s.at.y, l->ptl.x, l->ptl.y});
        s.at = {l->ptl.x, l->ptl.y};
        break;
      }
      case EMR_RECTANGLE: {
        const RECTL& b = reinterpret_cast<const EMRRECTANGLE*>(r)->rclBox;
        s.out.rectangles.push_back(RECT{b.left, b.top, b.right, b.bottom});
      } break;
      case EMR_SETMAPMODE:
        s.out.mapping.push_back(
            {EMR_SETMAPMODE, static_cast<int32_t>(reinterpret_cast<const EMRSETMAPMODE*>(r)->iMode),
             0});
        break;
      case EMR_SETWINDOWEXTEX:
      case EMR_SETVIEWPORTEXTEX: {
        const auto* e = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(r);
        s.out.mapping.push_back({static_cast<int>(r->iType), e->szlExtent.cx, e->szlExtent.cy});
        break;
      }
      case EMR_SETWINDOWORGEX:
      case EMR_SETVIEWPORTORGEX: {
        const auto* o = reinterpret_cast<const EMRSETVIEWPORTORGEX*>(r);
        s.out.mapping.push_back({static_cast<int>(r->iType), o->ptlOrigin.x, o->ptlOrigin.y});
        break;
      }
      default:
        break;
    }
    return 1;
  };
  EnumEnhMetaFile(nullptr, emf, proc, &st, nullptr);
  DeleteEnhMetaFile(emf);
  return st.out;
}

// The texts of an old-style metafile (the handle is deleted): TextOut and
// ExtTextOut records with their 16-bit positions.
inline Recorded ReadOldStyle(HMETAFILE wmf) {
  Recorded out;
  auto proc = [](HDC, HANDLETABLE*, METARECORD* r, int, LPARAM p) -> int {
    Recorded& o = *reinterpret_cast<Recorded*>(p);
    const WORD* w = r->rdParm;
    if (r->rdFunction == META_TEXTOUT) {
      const int n = static_cast<int16_t>(w[0]);
      const char* text = reinterpret_cast<const char*>(w + 1);
      const int words = (n + 1) / 2;
      o.texts.push_back({static_cast<int16_t>(w[1 + words + 1]),
                         static_cast<int16_t>(w[1 + words]),
                         std::string(text, n),
                         {}});
    } else if (r->rdFunction == META_EXTTEXTOUT) {
      const int y = static_cast<int16_t>(w[0]);
      const int x = static_cast<int16_t>(w[1]);
      const int n = static_cast<int16_t>(w[2]);
      const WORD options = w[3];
      const WORD* textWords = w + 4 + ((options & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0);
      o.texts.push_back({x, y, std::string(reinterpret_cast<const char*>(textWords), n), {}});
    } else if (r->rdFunction == META_LINETO) {
      o.lines.push_back({0, 0, static_cast<int16_t>(w[1]), static_cast<int16_t>(w[0])});
    }
    return 1;
  };
  EnumMetaFile(nullptr, wmf, proc, reinterpret_cast<LPARAM>(&out));
  DeleteMetaFile(wmf);
  return out;
}
