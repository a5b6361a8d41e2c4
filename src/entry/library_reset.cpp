#include "entry/library_reset.h"

#include "curves/stream_curve_block.h"
#include "drawing/drawing_files.h"
#include "drawing/drawing_render.h"
#include "drawing/pictures.h"
#include "engine/files/run_services.h"
#include "engine/input/input_tables.h"
#include "engine/main/main_calculation.h"
#include "engine/material/material_cache.h"
#include "engine/material/material_diagnostics.h"
#include "entry/entry_points.h"
#include "os/os.h"
#include "report/compose/page_composer.h"
#include "report/language.h"
#include "report/page/page_state.h"
#include "report/preview/page_store.h"
#include "report/preview/preview_clipboard.h"
#include "report/print/print_job.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"
#include "report/screen/screen_services.h"
#include "report_base/drawing_tools.h"
#include "report_base/engine_interface.h"
#include "report_base/language_number.h"
#include "run/results_writer.h"
#include "run/run_context.h"

void ResetLibraryForTests() {
  SetGuardedCalculationForTests(nullptr);

  ResetPreviewForTests();
  ResetPreviewClipboardForTests();
  ResetPrintJobForTests();
  ResetPageComposerForTests();
  ResetPageStateForTests();
  ResetReportLanguageForTests();
  ResetReportServicesForTests();
  SetScreenDcForTests(nullptr);
  ResetScreenForTests();
  ResetScreenServicesForTests();
  ResetPicturesForTests();
  ResetDrawingRenderForTests();
  ResetDrawingFilesForTests();
  ResetDrawingStateForTests();
  ResetLanguageNumberForTests();

  ResetMainCalculationForTests();
  ResetMaterialStateForTests();
  ResetMaterialSinksForTests();
  ResetInputTablesForTests();
  ResetFileServicesForTests();

  ResetStreamCurveBlocksForTests();

  ResetResultsWriterForTests();
  ResetRunContextForTests();

  os::OsResetOverrides();
}
