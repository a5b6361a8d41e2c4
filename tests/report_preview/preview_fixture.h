// Preview tests: the print fixture with the page store and the clipboard
// state back at their load-time values, and message boxes recorded.
#pragma once

#include <string>
#include <vector>

#include "report/preview/page_store.h"
#include "report/preview/preview_clipboard.h"
#include "report_print/print_fixture.h"

struct PreviewMessage {
  void* owner;
  std::string text;
  std::string title;
  unsigned flags;
};
inline std::vector<PreviewMessage>* g_previewMessages = nullptr;

class PreviewTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    ResetPreview();
    g_previewMessages = &messages_;
    os::SetMessageBoxHook([](void* owner, const char* text, const char* title, uint32_t flags) {
      g_previewMessages->push_back({owner, text, title != nullptr ? title : "", flags});
      return 1;
    });
  }
  void TearDown() override {
    os::SetMessageBoxHook(nullptr);
    g_previewMessages = nullptr;
    ResetPreview();
    PrintTest::TearDown();
  }
  static void ResetPreview() {
    ResetPreviewForTests();
    ResetPreviewClipboardForTests();
  }
  // The stored text of row `row` of record `record` (80 characters).
  static std::string StoredRow(int record, int row) {
    const PageRecord& r = g_preview.records[record];
    if (r.address == nullptr || row >= r.lineCount) return "";
    return std::string(r.address + row * 80, 80);
  }
  std::vector<PreviewMessage> messages_;
};
