// Ravel.dll stand-in: records every call and answers as told.
#include "ravel/ravel_standin.h"

#include "host/ravel.h"
#include "material_library/material_library_core.h"

DEFINE_MATERIAL_LIBRARY_STANDIN(RAVEL_PROP, RavelStandin)

STANDIN_API void RavelStandin_Reset(void) { ResetLibrary(g_libraryState); }
