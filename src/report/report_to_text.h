// A report file turned into plain text: the run's report at the end of a run,
// and named reports that the report library converts on request.
#pragma once

// Converts the report file at reportPath to plain text at textPath (created or
// emptied): page lines give their text up to the TAB, marker lines are copied
// whole, picture and page-break lines are dropped. 0 when the text file cannot
// be created, else 1.
int ConvertReportToText(const char* reportPath, const char* textPath);
