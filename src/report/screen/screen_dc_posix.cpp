// The native build has no window and no device context: drawing routines
// find none and keep only the model; there are no system colours.
#include "report/screen/screen_dc.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"

void SetScreenDcForTests(void* /*dc*/) {}

void* AcquireScreenDc() { return nullptr; }

void ReleaseScreenDc(void* /*dc*/) {}

void SelectScreenFont(void* /*dc*/, int32_t font) { g_screenModel.fontState = font; }

void ReadSystemCaptionColours(uint32_t* colours) {
  for (int k = 0; k < 4; ++k) colours[k] = 0;
}
