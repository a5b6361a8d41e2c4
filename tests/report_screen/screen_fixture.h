// A screen for tests: every process-wide state the screen reads back at its
// load-time values before and after each test, an 800 x 500 client area
// (cells of 10 x 20 pixels after a left margin of 5), and helpers that write
// rows of text, attributes and field values into the model.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drawing/pictures.h"
#include "entry/library_reset.h"
#include "report/screen/screen_drawing.h"
#include "report/screen/screen_model.h"
#include "report/screen/screen_services.h"
#include "report_base/drawing_tools.h"
#include "report_base/language_number.h"
#include "run/run_context.h"

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAll();
    SetClient(800, 500);
  }
  void TearDown() override { ResetAll(); }

  static void ResetAll() { ResetLibraryForTests(); }

  static void SetClient(int32_t width, int32_t height, void* fieldFont = nullptr,
                        void* normalFont = nullptr) {
    ScreenMetricsRecord record = {fieldFont, normalFont, width, height};
    SetScreenMetrics(&record);
  }

  // Writes `text` into ScreenText from row `row`, column `column`.
  static void PutText(int32_t row, int32_t column, const std::string& text) {
    std::memcpy(g_screenModel.screenText + row * kScreenColumns + column, text.data(), text.size());
  }
  static void PutRowAttribute(int32_t row, uint8_t attribute) {
    std::memset(g_screenModel.screenAttributes + row * kScreenColumns, attribute, kScreenColumns);
  }
  // A field value at offset `offset` of FieldValueText, followed by character
  // 3, with its marker and index at `cell`.
  static void PutField(int32_t cell, char marker, int32_t offset, const std::string& value) {
    std::memcpy(g_screenModel.fieldValueText + offset, value.data(), value.size());
    g_screenModel.fieldValueText[offset + value.size()] = kValueEnd;
    g_screenModel.fieldMarkerMap[cell] = marker;
    g_screenModel.fieldIndex[cell] = offset;
  }
};
