#include "report/print/page_reading.h"

#include <cstring>

namespace {

// A drawing reference names the report's own drawing file, followed by the
// reference's numbers; one that cannot be named so (no point in the report's
// file name) is kept as it is.
void DrawingReference(const char* path, ExtensionDot dot, const char* reference, char* out) {
  char name[kPagePictureRefSize];
  const char* numbers = std::strchr(reference, ' ');
  const size_t numbersLength = numbers != nullptr ? std::strlen(numbers) : 0;
  if (!MakeReportDrawingName(path, dot, name, sizeof name) ||
      std::strlen(name) + numbersLength >= static_cast<size_t>(kPagePictureRefSize)) {
    std::strcpy(out, reference);
    return;
  }
  std::strcpy(out, name);
  if (numbers != nullptr) std::strcat(out, numbers);
}

}  // namespace

void BlankPageBuffer() {
  std::memset(g_pageBuffer.text, ' ', kPageCells);
  std::memset(g_pageBuffer.markers, ' ', kPageCells);
}

bool TakePictureLine(PendingPictures* pending, const ReportLine& line, int32_t* drawingCounter) {
  char reference[kPictureRefLength + 1];
  TakePictureReference(line, reference);
  const int32_t number = IsDrawingReference(reference) ? ++*drawingCounter : 0;
  if (pending->count >= kPagePictureLimit) return false;
  PendingPicture& p = pending->items[pending->count++];
  std::strcpy(p.reference, reference);
  p.drawingNumber = number;
  return true;
}

void PlacePendingPictures(PendingPictures* pending, const char* reportPath, ExtensionDot dot,
                          int32_t row) {
  for (int32_t i = 0; i < pending->count && g_pageBuffer.pictureCount < kPagePictureLimit; ++i) {
    const int32_t k = g_pageBuffer.pictureCount++;
    const PendingPicture& p = pending->items[i];
    if (p.drawingNumber > 0) {
      DrawingReference(reportPath, dot, p.reference, g_pageBuffer.pictureRefs[k]);
    } else {
      std::strcpy(g_pageBuffer.pictureRefs[k], p.reference);
    }
    g_pageBuffer.drawingNumbers[k] = p.drawingNumber;
    g_pageBuffer.pictureRows[k] = row;
  }
  pending->count = 0;
}
