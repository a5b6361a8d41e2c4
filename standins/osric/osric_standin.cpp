// Osric.dll stand-in: records every call and answers as told.
#include "osric/osric_standin.h"

#include "host/osric.h"
#include "material_library/material_library_core.h"

DEFINE_MATERIAL_LIBRARY_STANDIN(OSRIC_PROP, OsricStandin)

STANDIN_API void OsricStandin_Reset(void) { ResetLibrary(g_libraryState); }
