// How many report pages go on a printed or previewed sheet: the "Output" key
// of section "Print Format" of the settings file KVORSCRN.INI.
#pragma once

#include <cstdint>

// "4 per 1" gives 4 and "2 per 1" gives 2, in any case; any other value, an
// empty one and a missing key give 1. The value is read into 80 characters.
int32_t ReadPagesPerSheet();
