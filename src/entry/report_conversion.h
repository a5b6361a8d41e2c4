// The run's report file turned into plain text at the end of a run.
#pragma once

// Converts the report file at reportPath to plain text at textPath (created or
// emptied). 0 when the text file cannot be created, else 1.
int ConvertReportToText(const char* reportPath, const char* textPath);
// Converts this run's report (input folder + run id + ".KVO") to the input
// folder + base name + ".KVX".
void ConvertRunReport();
