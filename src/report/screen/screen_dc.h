// The device context the screen draws on and the few system services its
// drawing reads. Declared with plain handles so that platform-neutral code can
// call them; only the Windows build has a device context (natively there is
// none, and these give nothing).
#pragma once

#include <cstdint>

// A device context of the host window (or the one a test set), nullptr when
// there is no host window. Every acquired context is released again.
void* AcquireScreenDc();
void ReleaseScreenDc(void* dc);

// Selects the normal font (kFontNormal) or the field font (kFontField) of the
// model into the device context and notes it in FontState.
void SelectScreenFont(void* dc, int32_t font);

// The system's caption colours into colours[4], in the order of
// kActiveCaption...; natively all black.
void ReadSystemCaptionColours(uint32_t* colours);
