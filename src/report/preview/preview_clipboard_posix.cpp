// The native build has no clipboard.
#include "report/preview/preview_clipboard.h"

#include <cstring>

PreviewSelection g_previewSelection;
ClipboardCalls g_clipboardCalls = {nullptr, nullptr};

void CopyPageToClipboard(void*, int32_t) {}

void CopySelectionToClipboard(void*, int32_t) {
  g_previewSelection.flags[0] = 0;
  g_previewSelection.flags[1] = 0;
}

void ResetPreviewClipboardForTests() {
  std::memset(&g_previewSelection, 0, sizeof g_previewSelection);
}
