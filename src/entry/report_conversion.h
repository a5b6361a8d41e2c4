// The run's report file turned into plain text at the end of a run.
#pragma once

#include "report/report_to_text.h"

// Converts this run's report (input folder + run id + ".KVO") to the input
// folder + base name + ".KVX".
void ConvertRunReport();
