// Arbitrary bytes as picture references, as a placeable metafile file and as
// the fields of drawing records: parsing the references, the rectangles the
// screen and pages draw them in, reading the placeable header and bits,
// writing them back, placing a drawing of any extent into any rectangle, and
// the geometry of every record must neither
// crash nor hang, nor touch memory outside their buffers, nor convert a value
// out of range. The first byte picks what the rest is read as.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "drawing/drawing_geometry.h"
#include "drawing/drawing_render.h"
#include "drawing/metafile_handles.h"
#include "drawing/pictures.h"
#include "os/os.h"
#include "report/page/page_pictures.h"
#include "report/page/page_state.h"
#include "report/screen/screen_model.h"
#include "report/screen/screen_pictures.h"
#include "report_base/drawing_tools.h"
#include "run/run_context.h"
#include "scratch_folder.h"

namespace {

int Silent(void*, const char*, const char*, uint32_t) { return os::kIdOk; }

void Write(const std::string& path, const void* data, size_t size) {
  WriteFuzzFile(path, data, size);
}

void Le16(std::string* s, uint16_t v) {
  s->push_back(static_cast<char>(v & 0xFF));
  s->push_back(static_cast<char>(v >> 8));
}

// The private folder, both the program folder and the input folder, with one
// loadable picture of each kind, made once.
std::string Folder() {
  static bool made = false;
  const std::string w = FuzzScratchFolder("pictures");
  if (made) return w;
  made = true;

  std::string wmf;
  for (uint16_t v : {1, 9, 0x300, 12, 0, 0, 3, 0, 0, 3, 0, 0}) Le16(&wmf, v);
  std::string placeable;
  for (uint16_t v : {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 1000, 0, 0}) Le16(&placeable, v);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) {
    sum ^= static_cast<uint16_t>(static_cast<unsigned char>(placeable[i]) |
                                 (static_cast<unsigned char>(placeable[i + 1]) << 8));
  }
  Le16(&placeable, sum);
  placeable += wmf;
  Write(w + "B.WMF", placeable.data(), placeable.size());

  std::string emf(108, '\0');
  const uint32_t fields[][2] = {{0, 1},  {4, 88},  {40, 0x464D4520u}, {44, 0x10000}, {48, 108},
                                {52, 2}, {88, 14}, {92, 20},          {100, 16},     {104, 20}};
  for (const auto& f : fields) std::memcpy(&emf[f[0]], &f[1], 4);
  Write(w + "A.EMF", emf.data(), emf.size());

  std::string kfd(104 + 25, '\0');
  const int32_t count = 1;
  const float one = 1.0f;
  std::memcpy(&kfd[88], &count, 4);
  std::memcpy(&kfd[96], &one, 4);
  std::memcpy(&kfd[100], &one, 4);
  kfd[104] = 'M';
  Write(w + "P.KFD", kfd.data(), kfd.size());
  return w;
}

float FloatAt(const uint8_t* data, size_t size, size_t at) {
  float v = 0.0f;
  if (at + 4 <= size) std::memcpy(&v, data + at, 4);
  return v;
}

int32_t IntAt(const uint8_t* data, size_t size, size_t at) {
  int32_t v = 0;
  if (at + 4 <= size) std::memcpy(&v, data + at, 4);
  return v;
}

// The rectangles a loaded picture is drawn in on the screen and on a page,
// for any cells, client size, cell size, target size and page number: worked
// out without overflow, and never drawn outside the device space.
void Rectangles(const PictureSlot& slot, const uint8_t* data, size_t size) {
  const ScreenMetricsRecord metrics = {nullptr, nullptr, IntAt(data, size, 8),
                                       IntAt(data, size, 12)};
  SetScreenMetrics(&metrics);
  const ScreenRect s = PictureRectForCells(slot.firstCell, slot.lastCell);
  InDeviceSpace(PictureRect{s.left, s.top, s.right, s.bottom});
  const int32_t cell = PixelToCell(s.left, s.top);
  if (cell < -1) __builtin_trap();
  const CellSize cells = {IntAt(data, size, 16), IntAt(data, size, 20)};
  for (int32_t target : {kRenderPrinter, kRenderWindow, kRenderMetafile}) {
    g_drawingState.renderTarget = target;
    g_pageRender.pagesPerSheet = size > 36 ? 1 << (data[36] % 3) : 1;
    PagePictureRect(slot.firstCell, slot.lastCell, cells, IntAt(data, size, 24),
                    IntAt(data, size, 28), IntAt(data, size, 32));
  }
  g_drawingState.renderTarget = 0;
  g_pageRender.pagesPerSheet = 1;
  ScreenMetricsRecord none = {nullptr, nullptr, 0, 0};
  SetScreenMetrics(&none);
}

// The bytes as a page's reference text and as one reference.
void References(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  ParsePictureRefs(text.c_str());
  if (g_pictureTable.count < 0 || g_pictureTable.count > kPictureSlotCount) __builtin_trap();
  for (int32_t i = 0; i < g_pictureTable.count; ++i) {
    if (g_pictureTable.slots[i].kind == kPictureEmpty) __builtin_trap();
    Rectangles(g_pictureTable.slots[i], data, size);
  }
  FreeAllPictures();
  PictureSlot slot = {};
  if (LoadPicture(&slot, text.c_str(), IntAt(data, size, 0), IntAt(data, size, 4)) &&
      slot.kind == kPictureEmpty) {
    __builtin_trap();
  }
  if (slot.kind != kPictureEmpty) Rectangles(slot, data, size);
  FreePicture(&slot);
}

// The bytes as a placeable metafile file: read, and when it loads, written
// back and read again with the same header box and bits.
void Placeable(const uint8_t* data, size_t size) {
  const std::string path = Folder() + "F.WMF";
  Write(path, data, size);
  PictureSlot slot = {};
  void* metafile = ReadPlaceableMetafile(path.c_str(), slot.placeableHeader, &slot);
  if (size >= kPlaceableHeaderSize) PlaceableChecksum(data);
  if (!metafile) return;
  const std::string out = Folder() + "O.WMF";
  const PictureRect box = {IntAt(data, size, 6) & 0x7FFF, 0, 100, 100};
  if (WritePlaceableMetafile(metafile, out.c_str(), box) != 1) __builtin_trap();
  PictureSlot again = {};
  void* back = ReadPlaceableMetafile(out.c_str(), again.placeableHeader, &again);
  if (!back || again.kind != kPicturePlaceable) __builtin_trap();
  const uint32_t n = metafile::PlainBits(metafile, 0, nullptr);
  if (metafile::PlainBits(back, 0, nullptr) != n) __builtin_trap();
  metafile::DeletePlain(back);
  metafile::DeletePlain(metafile);
}

// The bytes as the fields of records and of a drawing's header: every
// geometry routine, and a drawing slot placed into a rectangle.
void Geometry(const uint8_t* data, size_t size) {
  const DrawingTransform t = {IntAt(data, size, 0), IntAt(data, size, 4), IntAt(data, size, 8),
                              IntAt(data, size, 12), FloatAt(data, size, 16)};
  float f[6];
  for (int i = 0; i < 6; ++i) f[i] = FloatAt(data, size, 20 + 4 * static_cast<size_t>(i));
  TransformPoint(t, f[0], f[1]);
  ArcPoints(t, f[0], f[1], f[2], f[3], f[4], f[5]);
  ArrowPoints(f[0], f[1], f[2], f[3], f[4]);
  PlaceDrawingText(t, f[0], f[1], f[2], f[3]);
  const int64_t stringSize = IntAt(data, size, 44);
  const TextRange r = DrawingTextRange(f[4], f[5], stringSize);
  if (r.length < 0 || r.length > kDrawingTextLimit) __builtin_trap();
  if (r.length > 0 && (r.offset < 0 || r.offset + r.length > stringSize)) __builtin_trap();
  ExportFrame frame;
  ComputeExportFrame(IntAt(data, size, 48), IntAt(data, size, 52), &frame);

  // A drawing of any extent placed into any rectangle.
  std::string kfd(104 + 25, '\0');
  const int32_t count = 1;
  std::memcpy(&kfd[88], &count, 4);
  std::memcpy(&kfd[96], &f[0], 4);
  std::memcpy(&kfd[100], &f[1], 4);
  kfd[104] = 'M';
  const std::string path = Folder() + "D.KFD";
  Write(path, kfd.data(), kfd.size());
  PictureSlot slot = {};
  if (LoadPictureFile(&slot, path.c_str(), 1)) {
    const PictureRect rect = {IntAt(data, size, 56), IntAt(data, size, 60), IntAt(data, size, 64),
                              IntAt(data, size, 68)};
    g_drawingState.pagePictureFlag = size > 72 ? data[72] & 1 : 0;
    g_drawingState.renderTarget = size > 73 ? data[73] % 3 : 0;
    DrawPicture(&slot, nullptr, nullptr, rect);
    DrawPicture(&slot, nullptr, nullptr, rect);
  }
  FreePicture(&slot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  os::SetMessageBoxHook(Silent);
  std::strcpy(g_runContext.programFolder, Folder().c_str());
  std::strcpy(g_runContext.inputFolder, Folder().c_str());
  if (size == 0) return 0;
  switch (data[0] % 3) {
    case 0:
      References(data + 1, size - 1);
      break;
    case 1:
      Placeable(data + 1, size - 1);
      break;
    default:
      Geometry(data + 1, size - 1);
      break;
  }
  return 0;
}
