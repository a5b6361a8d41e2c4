#include "drawing/drawing_messages.h"

#include "os/os.h"

void ShowDrawingMessage(const char* text, const char* title) {
  os::ShowMessageBox(nullptr, text, title, os::kMbOk | os::kMbIconStop);
}
