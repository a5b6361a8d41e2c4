// The picture table of the screen, picture references, loading a picture into
// a slot and releasing it.
#include "drawing/pictures.h"

#include <cstring>
#include <initializer_list>

#include "drawing/drawing_paths.h"
#include "drawing/metafile_handles.h"
#include "os/os.h"
#include "report_base/device_space.h"
#include "report_base/drawing_tools.h"
#include "run/text.h"

PictureTable g_pictureTable;

namespace {

constexpr int32_t kCellsPerRow = 80;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// A whole number (sign allowed) at p; false when p holds no digit. Beyond the
// 32-bit range the value stays at its limit.
bool ReadWhole(const char** at, int64_t* out) {
  const char* p = SkipBlanks(*at);
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value < (int64_t{1} << 40)) value = value * 10 + (*p - '0');
    ++p;
  }
  *out = negative ? -value : value;
  *at = p;
  return true;
}

// (row - 1) x 80 + (column - 1) + offset.
int32_t CellOf(int64_t column, int64_t row, int32_t offset) {
  return ClampToInt32((row - 1) * kCellsPerRow + (column - 1) + offset);
}

}  // namespace

bool InDeviceSpace(const PictureRect& rect) {
  for (int32_t edge : {rect.left, rect.top, rect.right, rect.bottom}) {
    if (edge < -kDeviceSpaceLimit || edge >= kDeviceSpaceLimit) return false;
  }
  return true;
}

void ParsePictureRefs(const char* text) {
  char copy[kPictureRefTextLimit + 1];
  std::strncpy(copy, text ? text : "", kPictureRefTextLimit);
  copy[kPictureRefTextLimit] = '\0';
  g_pictureTable.count = 0;

  const char* at = copy;
  while (g_pictureTable.count < kPictureSlotCount) {
    // Angle-bracket references first: a brace is looked for only when no '<'
    // is left, so a brace reference before an angle-bracket one is passed over.
    char closing = '>';
    const char* open = std::strchr(at, '<');
    if (!open) {
      closing = '}';
      open = std::strchr(at, '{');
    }
    if (!open) break;
    const char* close = std::strchr(open + 1, closing);
    if (!close) break;
    g_drawingState.picturesBeforeText = closing == '>' ? 1 : 0;

    const size_t length = static_cast<size_t>(close - open - 1);
    if (length <= kPictureReferenceLimit) {
      char reference[kPictureReferenceLimit + 1];
      std::memcpy(reference, open + 1, length);
      reference[length] = '\0';
      if (LoadPicture(&g_pictureTable.slots[g_pictureTable.count], reference, 0, 1)) {
        ++g_pictureTable.count;
      }
    }
    at = close + 1;
  }
}

int LoadPicture(PictureSlot* slot, const char* reference, int32_t cellOffset, int drawingNumber) {
  if (bounded::LengthWithin(reference, kPictureLoadReferenceLimit + 1) >
      static_cast<size_t>(kPictureLoadReferenceLimit)) {
    return 0;
  }
  const char* p = SkipBlanks(reference);
  const char* nameEnd = p;
  while (*nameEnd && !IsBlank(*nameEnd)) ++nameEnd;
  char name[kPictureLoadReferenceLimit + 5];  // ".KVD" may be added
  const size_t nameLength = static_cast<size_t>(nameEnd - p);
  if (nameLength == 0) return 0;
  std::memcpy(name, p, nameLength);
  name[nameLength] = '\0';

  int64_t numbers[4];
  const char* q = nameEnd;
  for (int64_t& n : numbers) {
    if (!ReadWhole(&q, &n)) return 0;
  }

  if (!DrawingExtension(name)) std::strcat(name, ".KVD");
  // A drawing may lie in the current folder; every other picture comes from
  // the program folder.
  char path[kPicturePathLimit + 1];
  const bool drawing = ExtensionLettersAre(name, "KVD") || ExtensionLettersAre(name, "KFD");
  const bool here = drawing && bounded::Copy(path, sizeof path, name) && os::FileExists(path);
  if (!here && !ProgramFolderPath(path, sizeof path, name)) return 0;
  if (!os::FileExists(path)) return 0;
  if (!LoadPictureFile(slot, path, drawingNumber)) return 0;

  slot->firstCell = CellOf(numbers[0], numbers[1], cellOffset);
  slot->lastCell = CellOf(numbers[2], numbers[3], cellOffset);
  return 1;
}

int LoadPictureFile(PictureSlot* slot, const char* path, int drawingNumber) {
  if (!DrawingExtension(path)) return 0;
  void* picture = nullptr;
  int32_t kind = kPictureEmpty;
  if (ExtensionLettersAre(path, "EMF")) {
    picture = metafile::EnhancedFromFile(path);
    kind = kPictureEnhanced;
  } else if (ExtensionLettersAre(path, "WMF")) {
    picture = ReadPlaceableMetafile(path, slot->placeableHeader, slot);
    kind = slot->kind;
  } else if (ExtensionLettersAre(path, "KVD") || ExtensionLettersAre(path, "KFD")) {
    if (LoadDrawing(&slot->drawing, path, drawingNumber)) {
      slot->kind = kPictureDrawing;
      return 1;
    }
  }
  if (!picture) {
    // A picture that does not load leaves the slot empty.
    slot->kind = kPictureEmpty;
    return 0;
  }
  slot->picture = picture;
  slot->kind = kind;
  return 1;
}

void FreePicture(PictureSlot* slot) {
  switch (slot->kind) {
    case kPictureEnhanced:
      metafile::DeleteEnhanced(slot->picture);
      break;
    case kPicturePlaceable:
    case kPicturePlain:
      metafile::DeletePlain(slot->picture);
      break;
    case kPictureDrawing:
      FreeDrawing(&slot->drawing);
      break;
    default:
      break;
  }
  std::memset(slot, 0, sizeof *slot);
}

void FreeAllPictures() {
  for (int32_t i = 0; i < g_pictureTable.count && i < kPictureSlotCount; ++i) {
    FreePicture(&g_pictureTable.slots[i]);
  }
  g_pictureTable.count = 0;
}

int HitTestDrawings(uint32_t point, int32_t* index) {
  const int32_t x = static_cast<int32_t>(point & 0xFFFFu);
  const int32_t y = static_cast<int32_t>(point >> 16);
  for (int32_t i = 0; i < g_pictureTable.count && i < kPictureSlotCount; ++i) {
    const PictureSlot& s = g_pictureTable.slots[i];
    if (s.kind != kPictureDrawing) continue;
    if (s.drawnRect.left <= x && x <= s.drawnRect.right && s.drawnRect.top <= y &&
        y <= s.drawnRect.bottom) {
      *index = i;
      return 1;
    }
  }
  return 0;
}

void ResetPicturesForTests() {
  // Every slot, filled or not: a test may load into any of them.
  for (PictureSlot& s : g_pictureTable.slots) FreePicture(&s);
  g_pictureTable.count = 0;
  ResetPlaceableMetafileForTests();
}
