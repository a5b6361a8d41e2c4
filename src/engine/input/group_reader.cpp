#include "engine/input/group_reader.h"

#include <cmath>

#include "curves/stream_curve_block.h"
#include "engine/input/input_tables.h"
#include "engine/input/stream_curve_input.h"
#include "engine/input/trace_level.h"

namespace input {
namespace {

// Items of lines beyond a table's capacity land here and are lost.
char g_scratchText[kWidestTextItem];
float g_scratchValue;

// Entry `first` + k - 1 of a list of `entries` names, or nullptr beyond it.
char* ListEntry(char (*list)[kListNameWidth], int64_t entries, int64_t first, int64_t k) {
  if (k < 1 || k > entries - first + 1) return nullptr;
  return list[first - 1 + k - 1];
}

char* TextLine(char (*lines)[kTextLineWidth], int64_t count, int64_t k) {
  if (k < 1 || k > count) return nullptr;
  return lines[k - 1];
}

}  // namespace

int NumberedListOf(int64_t code) {
  if (code == 15200) return 0;
  if (code == 15100) return 1;
  if (code == 15300) return 2;
  return -1;
}

bool GroupTextCell(int64_t code, int64_t k, char** cell, int64_t* width) {
  *width = kListNameWidth;
  InputNameLists& lists = g_inputNameLists;
  switch (code) {
    case 13001:
      *width = kTextLineWidth;
      *cell = TextLine(g_inputTextLines.group13001, kTraceLines, k);
      return true;
    case 14001:
      *width = kTextLineWidth;
      *cell = TextLine(g_inputTextLines.group14001, kTitleLines, k);
      return true;
    case 18001:
      *width = kTextLineWidth;
      *cell = TextLine(g_inputTextLines.group18001, kNoteLines, k);
      return true;
    case 15001:
      *cell = ListEntry(lists.listA, kListAEntries, 1, k);
      return true;
    case 15031:
      *cell = ListEntry(lists.listA, kListAEntries, 31, k);
      return true;
    case 15021:
      *cell = ListEntry(lists.listB, kListBEntries, 1, k);
      return true;
    case 15041:
      *cell = ListEntry(lists.listB, kListBEntries, 11, k);
      return true;
    case 15051:
      *cell = ListEntry(lists.listB, kListBEntries, 21, k);
      return true;
    case 15061:
      *cell = ListEntry(lists.listB, kListBEntries, 31, k);
      return true;
    case 15081:
      *cell = ListEntry(lists.listC, kListCEntries, 1, k);
      return true;
    case 16001:
      *cell = ListEntry(lists.listD, kListDEntries, 1, k);
      return true;
    case 21001:
      *width = kLongLineWidth;
      *cell = (k >= 1 && k <= kLongLineCount) ? g_inputLongLines.line[k - 1] : nullptr;
      return true;
    default:
      break;
  }
  const int numbered = NumberedListOf(code);
  if (numbered >= 0) {
    *cell = ListEntry(lists.numbered[numbered].text, kNumberedListEntries, 1, k);
    return true;
  }
  *cell = nullptr;
  *width = 0;
  return false;
}

bool GroupNumberCell(int64_t code, int64_t k, float** cell) {
  if (code >= 1 && code <= kLastScalarRecordIndex) {
    // Consecutive entries from index `code` up to the table's last, 13000.
    *cell = (k >= 1 && k <= kInputScalarCount - code + 1) ? InputScalarCell(code + k - 1) : nullptr;
    return true;
  }
  if (code >= kFirstSeriesCode && code <= kLastSeriesCode) {
    *cell = InputSeriesCell(code, k);
    return true;
  }
  if (CurveGroupOf(code).member != CurveMember::None) {
    *cell = CurveGroupCell(code, k);
    return true;
  }
  *cell = nullptr;
  return false;
}

ReadOutcome ReadArrayGroup(units::LineSource* source, int64_t code, int64_t lineCount) {
  const int numbered = NumberedListOf(code);
  if (numbered >= 0) {
    InputScalarCell(19 + numbered)[0] = static_cast<float>(lineCount);
  }
  for (int64_t k = 1; k <= lineCount; ++k) {
    char* text = nullptr;
    int64_t width = 0;
    if (!GroupTextCell(code, k, &text, &width)) {
      text = g_inputRecord.keyword;
      width = kKeywordWidth;
    } else if (text == nullptr) {
      text = g_scratchText;
      width = static_cast<int64_t>(sizeof g_scratchText);
    }
    float* value = nullptr;
    const bool hasNumberTable = GroupNumberCell(code, k, &value);
    float* const stored = value;  // the table's cell, nullptr beyond it
    if (!hasNumberTable) {
      value = &g_inputRecord.value;
    } else if (value == nullptr) {
      value = &g_scratchValue;
    }

    const ItemTarget targets[3] = {TextItem(text, width), TextItem(g_inputRecord.name, kNameWidth),
                                   RealItem(value)};
    const ReadOutcome r = ReadItems(source, targets, 3);
    if (r != ReadOutcome::Ok) return r;

    if (code >= 1 && code <= kLastScalarRecordIndex) {
      if (stored != nullptr && *stored == kMissingValue) *stored = 0.0f;
    } else if (numbered >= 0) {
      if (k <= kNumberedListEntries) {
        g_inputNameLists.numbered[numbered].number[k - 1] = static_cast<float>(k);
      }
    } else if (IsMagnitudeCode(code)) {
      // A missing point stays missing: its magnitude would be a present value.
      if (stored != nullptr && *stored != kMissingValue) *stored = std::fabs(*stored);
    }
  }
  if (code == 13001) ApplyTraceLevel();
  return ReadOutcome::Ok;
}

}  // namespace input
