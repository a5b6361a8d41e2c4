// The one reset of the whole library, for tests: it sits at the top because it
// reaches every area.
#pragma once

// Returns every process-wide object of the library to its load-time state, the
// areas from the top down: the run shell's test seam, the report library
// (the page composer, the page renderer's state and page fonts, languages and
// templates, engine-interface value, the screen, pictures, drawing files,
// drawing tools, language number), the engine (main calculation, material
// cache and diagnostic destinations, input tables, file services), the stream
// curves, the run services (results file closed, run context emptied; the
// module handle stays, as it is the loaded library's own), and the OS seam's
// test overrides and faults. The suite's stand-ins are not part of the library:
// fixtures reset them themselves.
void ResetLibraryForTests();
