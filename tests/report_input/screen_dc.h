// A device context for the screen routines to draw on in tests: a memory DC on
// Windows (the host window is not there), none natively.
#pragma once

void* MakeTestScreenDc();
void FreeTestScreenDc(void* dc);
