// What the print job and the preview share in reading a report page by page
// into the PageBuffer: a blank page, and the picture lines waiting for the
// page line they belong to (at most ten wait; they go on the row of the next
// page line, at most ten a page).
#pragma once

#include <cstdint>

#include "report/page/page_state.h"
#include "report/report_lines.h"

// Page text and marker text of all 62 rows become blanks.
void BlankPageBuffer();

struct PendingPicture {
  char reference[kPictureRefLength + 1];
  int32_t drawingNumber;  // its number in the report's drawing file; 0 for no drawing
};

struct PendingPictures {
  PendingPicture items[kPagePictureLimit];
  int32_t count;
};

// A picture line. A drawing line always takes the next number of
// *drawingCounter, so that the numbers stay those of the drawing file even
// for a line that is not placed. True when the line waits; false for an 11th
// line in a row, which the reader takes as a text line.
bool TakePictureLine(PendingPictures* pending, const ReportLine& line, int32_t* drawingCounter);

// Places the waiting pictures on `row` of the PageBuffer while its picture
// list holds fewer than ten; a drawing is named after the report (its file
// name with ".KFD" from the chosen point) followed by its numbers. None waits
// afterwards.
void PlacePendingPictures(PendingPictures* pending, const char* reportPath, ExtensionDot dot,
                          int32_t row);
