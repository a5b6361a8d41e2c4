#include "drawing/pictures.h"

#include <cstring>

PictureTable g_pictureTable;

void ParsePictureRefs(const char*) { g_pictureTable.count = 0; }
int LoadPicture(PictureSlot*, const char*, int32_t, int) { return 0; }
int LoadPictureFile(PictureSlot*, const char*, int) { return 0; }
void FreePicture(PictureSlot* slot) { std::memset(slot, 0, sizeof *slot); }
void FreeAllPictures() {
  for (int32_t i = 0; i < g_pictureTable.count; ++i) FreePicture(&g_pictureTable.slots[i]);
  g_pictureTable.count = 0;
}
int HitTestDrawings(uint32_t, int32_t*) { return 0; }
void* ReadPlaceableMetafile(const char*, unsigned char*, PictureSlot*) { return nullptr; }
int WritePlaceableMetafile(void*, const char*, PictureRect) { return 0; }
uint16_t PlaceableChecksum(const unsigned char*) { return 0; }
int WriteMetafileBits(void*, const char*) { return 0; }
void ResetPicturesForTests() { FreeAllPictures(); }
void DrawPicture(PictureSlot*, void*, void*, PictureRect) {}
void SetPlaceableMapping(void*, void*, const unsigned char*, PictureRect) {}
