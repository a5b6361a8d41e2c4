// The engine's main calculation: one run turns the run input file into the
// results file.
#include "engine/main/main_calculation.h"

void MaterialEngineMain() {}
