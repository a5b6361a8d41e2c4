#include "support/emf_records_win32.h"

#include <map>

namespace gdi_test {

namespace {

#ifndef ETO_PDY
#define ETO_PDY 0x2000
#endif

// Fields read at their offsets in the record: the 64-bit headers declare some
// records with pointer-sized members that the 32-bit file layout does not have.
uint32_t U32At(const std::vector<unsigned char>& bytes, size_t offset) {
  uint32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}
int32_t I32At(const std::vector<unsigned char>& bytes, size_t offset) {
  return static_cast<int32_t>(U32At(bytes, offset));
}

struct Walk {
  EmfRecording out;
  EmfState state;
  std::vector<EmfState> saved;          // SAVEDC
  std::map<uint32_t, EmfObject> table;  // by handle-table index
};

void Select(EmfState& state, const EmfObject& object) {
  if (object.kind == EmfObject::kPen) state.pen = object;
  if (object.kind == EmfObject::kBrush) state.brush = object;
  if (object.kind == EmfObject::kFont) state.font = object;
}

void ReadText(EmfRecord& r) {
  const auto t = r.As<EMREXTTEXTOUTW>();  // the same layout as EMREXTTEXTOUTA
  const EMRTEXT& e = t.emrtext;
  r.point = e.ptlReference;
  const size_t n = e.nChars;
  const bool wide = r.type == EMR_EXTTEXTOUTW;
  const size_t unit = wide ? 2 : 1;
  if (e.offString <= r.bytes.size() && n <= (r.bytes.size() - e.offString) / unit) {
    for (size_t i = 0; i < n; ++i) {
      if (wide) {
        uint16_t c;
        std::memcpy(&c, r.bytes.data() + e.offString + 2 * i, 2);
        r.text += static_cast<wchar_t>(c);
      } else {
        r.text += static_cast<wchar_t>(r.bytes[e.offString + i]);
      }
    }
  }
  if (e.offDx != 0) {
    // With ETO_PDY each character has an x and a y advance.
    const size_t step = (e.fOptions & ETO_PDY) != 0 ? 2 : 1;
    for (size_t i = 0; i < n; ++i) {
      const size_t at = e.offDx + 4 * step * i;
      if (at + 4 > r.bytes.size()) break;
      r.advances.push_back(I32At(r.bytes, at));
    }
  }
}

void Apply(Walk& w, EmfRecord& r) {
  EmfState& s = w.state;
  switch (r.type) {
    case EMR_SAVEDC:
      w.saved.push_back(s);
      break;
    case EMR_RESTOREDC: {
      // A negative level counts back from the last save, a positive one from
      // the first.
      const int32_t level = I32At(r.bytes, 8);
      const int64_t depth = static_cast<int64_t>(w.saved.size());
      const int64_t target = level < 0 ? depth + level : int64_t{level} - 1;
      if (target >= 0 && target < depth) {
        s = w.saved[static_cast<size_t>(target)];
        w.saved.resize(static_cast<size_t>(target));
      }
      break;
    }
    case EMR_SETMAPMODE:
      r.value = U32At(r.bytes, 8);
      s.mapMode = static_cast<int32_t>(r.value);
      break;
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
      r.point = {I32At(r.bytes, 8), I32At(r.bytes, 12)};
      (r.type == EMR_SETWINDOWORGEX ? s.windowOrg : s.viewportOrg) = r.point;
      break;
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX:
      r.size = {I32At(r.bytes, 8), I32At(r.bytes, 12)};
      (r.type == EMR_SETWINDOWEXTEX ? s.windowExt : s.viewportExt) = r.size;
      break;
    case EMR_SETBKMODE:
      r.value = U32At(r.bytes, 8);
      s.backMode = static_cast<int32_t>(r.value);
      break;
    case EMR_SETTEXTCOLOR:
      r.value = U32At(r.bytes, 8);
      s.textColour = r.value;
      break;
    case EMR_SETBKCOLOR:
      r.value = U32At(r.bytes, 8);
      s.backColour = r.value;
      break;
    case EMR_SETTEXTALIGN:
      r.value = U32At(r.bytes, 8);
      s.textAlign = r.value;
      break;
    case EMR_CREATEPEN:  // ihPen, LOGPEN
      r.object.kind = EmfObject::kPen;
      r.object.handle = U32At(r.bytes, 8);
      r.object.penStyle = U32At(r.bytes, 12);
      r.object.penWidth = I32At(r.bytes, 16);
      r.object.penColour = U32At(r.bytes, 24);
      w.table[r.object.handle] = r.object;
      break;
    case EMR_EXTCREATEPEN:  // ihPen, bitmap offsets and sizes, EXTLOGPEN32
      r.object.kind = EmfObject::kPen;
      r.object.handle = U32At(r.bytes, 8);
      r.object.penStyle = U32At(r.bytes, 28);
      r.object.penWidth = I32At(r.bytes, 32);
      r.object.penColour = U32At(r.bytes, 40);
      w.table[r.object.handle] = r.object;
      break;
    case EMR_CREATEBRUSHINDIRECT:  // ihBrush, LOGBRUSH32
      r.object.kind = EmfObject::kBrush;
      r.object.handle = U32At(r.bytes, 8);
      r.object.brushStyle = U32At(r.bytes, 12);
      r.object.brushColour = U32At(r.bytes, 16);
      w.table[r.object.handle] = r.object;
      break;
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
      r.object.kind = EmfObject::kBrush;
      r.object.handle = U32At(r.bytes, 8);
      r.object.brushStyle = r.type == EMR_CREATEMONOBRUSH ? BS_PATTERN : BS_DIBPATTERNPT;
      w.table[r.object.handle] = r.object;
      break;
    case EMR_EXTCREATEFONTINDIRECTW: {
      const LOGFONTW f = r.As<EMREXTCREATEFONTINDIRECTW>().elfw.elfLogFont;
      r.object.kind = EmfObject::kFont;
      r.object.handle = U32At(r.bytes, 8);
      r.object.height = f.lfHeight;
      r.object.width = f.lfWidth;
      r.object.escapement = f.lfEscapement;
      r.object.orientation = f.lfOrientation;
      r.object.weight = f.lfWeight;
      for (size_t i = 0; i < LF_FACESIZE && f.lfFaceName[i] != 0; ++i)
        r.object.face += f.lfFaceName[i];
      w.table[r.object.handle] = r.object;
      break;
    }
    case EMR_CREATEPALETTE:
      r.object.kind = EmfObject::kOther;
      r.object.handle = U32At(r.bytes, 8);
      w.table[r.object.handle] = r.object;
      break;
    case EMR_SELECTOBJECT: {
      const uint32_t handle = U32At(r.bytes, 8);
      if ((handle & kStockFlag) != 0) {
        r.object = StockObject(static_cast<int>(handle & ~kStockFlag));
      } else {
        const auto it = w.table.find(handle);
        if (it != w.table.end()) r.object = it->second;
        r.object.handle = handle;
      }
      Select(s, r.object);
      break;
    }
    case EMR_DELETEOBJECT: {
      const uint32_t handle = U32At(r.bytes, 8);
      const auto it = w.table.find(handle);
      if (it != w.table.end()) {
        r.object = it->second;
        w.table.erase(it);
      }
      r.object.handle = handle;
      break;
    }
    case EMR_MOVETOEX:
      r.point = {I32At(r.bytes, 8), I32At(r.bytes, 12)};
      s.position = r.point;
      break;
    case EMR_LINETO:
      r.from = s.position;
      r.point = {I32At(r.bytes, 8), I32At(r.bytes, 12)};
      s.position = r.point;
      break;
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
      r.box = r.As<EMRRECTANGLE>().rclBox;
      break;
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE: {
      const auto a = r.As<EMRARC>();
      r.box = a.rclBox;
      r.start = a.ptlStart;
      r.end = a.ptlEnd;
      break;
    }
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA:
      ReadText(r);
      break;
    default:
      break;
  }
  r.state = s;
}

int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* w = reinterpret_cast<Walk*>(data);
  EmfRecord r;
  r.type = record->iType;
  const auto* bytes = reinterpret_cast<const unsigned char*>(record);
  r.bytes.assign(bytes, bytes + record->nSize);
  Apply(*w, r);
  w->out.records.push_back(std::move(r));
  return 1;
}

}  // namespace

EmfObject StockObject(int index) {
  EmfObject o;
  o.handle = Stock(index);
  if (index <= NULL_BRUSH || index == DC_BRUSH) {
    o.kind = EmfObject::kBrush;
  } else if ((index >= WHITE_PEN && index <= NULL_PEN) || index == DC_PEN) {
    o.kind = EmfObject::kPen;
  } else if (index >= OEM_FIXED_FONT && index <= DEFAULT_GUI_FONT && index != DEFAULT_PALETTE) {
    o.kind = EmfObject::kFont;
  } else {
    o.kind = EmfObject::kOther;
  }
  return o;
}

EmfRecording ReadEmf(HENHMETAFILE emf) {
  Walk w;
  EnumEnhMetaFile(nullptr, emf, OnRecord, &w, nullptr);
  w.out.end = w.state;
  return std::move(w.out);
}

EmfRecorder::EmfRecorder() : dc_(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) {}

EmfRecorder::~EmfRecorder() {
  if (dc_ != nullptr) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

EmfRecording EmfRecorder::Finish() {
  HENHMETAFILE emf = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  EmfRecording out = ReadEmf(emf);
  DeleteEnhMetaFile(emf);
  return out;
}

std::vector<EmfRecord> RecordsOf(const EmfRecording& r, std::initializer_list<uint32_t> types) {
  std::vector<EmfRecord> out;
  for (const EmfRecord& record : r.records) {
    for (uint32_t type : types) {
      if (record.type == type) {
        out.push_back(record);
        break;
      }
    }
  }
  return out;
}

std::vector<EmfRecord> Texts(const EmfRecording& r) {
  return RecordsOf(r, {EMR_EXTTEXTOUTW, EMR_EXTTEXTOUTA});
}
std::vector<EmfRecord> Lines(const EmfRecording& r) { return RecordsOf(r, {EMR_LINETO}); }
std::vector<EmfRecord> Rectangles(const EmfRecording& r) { return RecordsOf(r, {EMR_RECTANGLE}); }

const EmfRecord* FindText(const EmfRecording& r, const std::wstring& text) {
  for (const EmfRecord& record : r.records) {
    if ((record.type == EMR_EXTTEXTOUTW || record.type == EMR_EXTTEXTOUTA) && record.text == text)
      return &record;
  }
  return nullptr;
}

int32_t TextWidth(const EmfRecord& text) {
  int32_t width = 0;
  for (int32_t advance : text.advances) width += advance;
  return width;
}

std::string Narrow(const std::wstring& text) {
  std::string s;
  for (wchar_t c : text) s += c < 256 ? static_cast<char>(c) : '?';
  return s;
}

std::wstring Ansi(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int n = MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return wide;
}

}  // namespace gdi_test
