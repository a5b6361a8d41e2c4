#include "engine/input/input_tables.h"

#include <cstring>

#include "engine/input/trace_level.h"
#include "run/text.h"

// Zero bytes at load: nothing has been read yet in this process.
InputRecord g_inputRecord;
InputScalars g_inputScalars;
InputSourceFlags g_inputSourceFlags;
InputTextItems g_inputTextItems;
InputTextLines g_inputTextLines;
InputNameLists g_inputNameLists;
InputLongLines g_inputLongLines;
InputSeries g_inputSeries;

float InputScalarAt(int64_t index) {
  const float* cell = InputScalarCell(index);
  return cell ? *cell : 0.0f;
}

float* InputScalarCell(int64_t index) {
  if (index < 1 || index > kInputScalarCount) return nullptr;
  return &g_inputScalars.value[index - 1];
}

float InputSourceFlagAt(int64_t index) {
  if (index < 1 || index > kInputSourceFlagCount) return 0.0f;
  return g_inputSourceFlags.value[index - 1];
}

float* InputSeriesCell(int64_t code, int64_t k) {
  if (code < kFirstSeriesCode || code > kLastSeriesCode) return nullptr;
  const int64_t which = code - kFirstSeriesCode;
  if (k < 1 || k > kSeriesCapacity[which]) return nullptr;
  float* const first[6] = {g_inputSeries.series21002, g_inputSeries.series21003,
                           g_inputSeries.series21004, g_inputSeries.series21005,
                           g_inputSeries.series21006, g_inputSeries.series21007};
  return first[which] + (k - 1);
}

void ClearInputTablesForRead() {
  fixed::Blank(&g_inputTextLines.group13001[0][0], sizeof g_inputTextLines.group13001);
  fixed::Blank(&g_inputTextLines.group14001[0][0], sizeof g_inputTextLines.group14001);
  fixed::Blank(&g_inputTextLines.group18001[0][0], sizeof g_inputTextLines.group18001);
  fixed::Blank(&g_inputNameLists.listA[0][0], sizeof g_inputNameLists.listA);
  fixed::Blank(&g_inputNameLists.listC[0][0], sizeof g_inputNameLists.listC);
  for (NumberedNameList& list : g_inputNameLists.numbered) {
    fixed::Blank(&list.text[0][0], sizeof list.text);
  }
  g_inputLongLines.count = 0;
  fixed::Blank(&g_inputLongLines.line[0][0], sizeof g_inputLongLines.line);
  fixed::Blank(&g_inputTextItems.shortList[0][0], sizeof g_inputTextItems.shortList);
  fixed::Blank(&g_inputTextItems.longText[0][0], sizeof g_inputTextItems.longText);
  fixed::Blank(&g_inputTextItems.tags[0][0], sizeof g_inputTextItems.tags);
}

void ResetInputTablesForTests() {
  std::memset(&g_inputRecord, 0, sizeof g_inputRecord);
  std::memset(&g_inputScalars, 0, sizeof g_inputScalars);
  std::memset(&g_inputSourceFlags, 0, sizeof g_inputSourceFlags);
  std::memset(&g_inputTextItems, 0, sizeof g_inputTextItems);
  std::memset(&g_inputTextLines, 0, sizeof g_inputTextLines);
  std::memset(&g_inputNameLists, 0, sizeof g_inputNameLists);
  std::memset(&g_inputLongLines, 0, sizeof g_inputLongLines);
  std::memset(&g_inputSeries, 0, sizeof g_inputSeries);
  g_traceLevel = 0;
}
