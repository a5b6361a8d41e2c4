#include "report/screen/screen_model.h"

#include <cstring>

#include "report_base/device_space.h"

namespace {

constexpr uint32_t kInitialCaptionText = ScreenRgb(255, 255, 255);
constexpr uint32_t kInitialCaption = ScreenRgb(0, 0, 125);

// The model as the library is loaded: blank text with attribute 0 (an empty
// white screen), no cell a field, no metrics, the initial caption pair.
constexpr ScreenModel InitialScreen() {
  ScreenModel m{};
  for (int32_t k = 0; k < kScreenCells; ++k) {
    m.screenText[k] = ' ';
    m.fieldMarkerMap[k] = ' ';
    m.fieldIndex[k] = -1;
  }
  m.captionTextColour = kInitialCaptionText;
  m.captionColour = kInitialCaption;
  return m;
}

// Colours of attributes 0 to 8 (6 comes from the model); any other value
// draws as attribute 0.
constexpr AttributeColours kColours[] = {
    {ScreenRgb(0, 0, 127), ScreenRgb(255, 255, 255)},   // 0
    {ScreenRgb(0, 0, 0), ScreenRgb(255, 255, 255)},     // 1
    {ScreenRgb(0, 127, 63), ScreenRgb(255, 255, 255)},  // 2
    {ScreenRgb(127, 63, 0), ScreenRgb(255, 255, 255)},  // 3
    {ScreenRgb(255, 0, 0), ScreenRgb(255, 255, 255)},   // 4
    {ScreenRgb(0, 0, 0), ScreenRgb(0, 255, 255)},       // 5 input field
    {0, 0},                                             // 6 caption: the model's pair
    {ScreenRgb(127, 63, 0), ScreenRgb(192, 192, 192)},  // 7 band row
    {ScreenRgb(127, 63, 0), ScreenRgb(127, 127, 127)},  // 8
};

}  // namespace

constinit ScreenModel g_screenModel = InitialScreen();

void ResetScreenForTests() { g_screenModel = InitialScreen(); }

void SetScreenMetrics(const ScreenMetricsRecord* record) {
  ScreenModel& m = g_screenModel;
  ScreenMetricsRecord r;
  std::memcpy(&r, record, sizeof r);  // byte-packed: its fields may be unaligned
  m.fieldFont = r.fieldFont;
  m.normalFont = r.normalFont;
  m.clientWidth = r.clientWidth;
  m.clientHeight = r.clientHeight;
  m.cellWidth = r.clientWidth / kScreenColumns;
  m.cellHeight = r.clientHeight / kScreenRows;
  m.leftMargin = (r.clientWidth / 2) / kScreenColumns;
  m.fontState = kFontNoneNoted;
}

ScreenPoint CellToPixel(int32_t cell) {
  const ScreenModel& m = g_screenModel;
  // In 64 bits, clamped to 32: a picture reference may name any row, and the
  // host any client size; a point that does not fit is far outside every
  // device and draws nothing (InDeviceSpace).
  const int64_t x = int64_t{cell % kScreenColumns} * m.cellWidth + m.leftMargin;
  const int64_t y = int64_t{cell / kScreenColumns} * m.cellHeight;
  return {ClampToInt32(x), ClampToInt32(y)};
}

int32_t PixelToCell(int32_t x, int32_t y) {
  const ScreenModel& m = g_screenModel;
  // No metrics yet (or a window too small for a cell): every point is cell 0
  // rather than a division by zero.
  if (m.cellWidth <= 0 || m.cellHeight <= 0) return 0;
  // A pixel in the margins lies in no column: counted from the first column
  // it would land on a cell of the row before or the row after.
  const int64_t fromFirstColumn = int64_t{x} - m.leftMargin;
  if (fromFirstColumn < 0 || fromFirstColumn >= int64_t{kScreenColumns} * m.cellWidth) return -1;
  const int64_t cell = fromFirstColumn / m.cellWidth + int64_t{y} / m.cellHeight * kScreenColumns;
  if (cell < 0) return 0;
  return cell > INT32_MAX ? INT32_MAX : static_cast<int32_t>(cell);
}

AttributeColours ColoursOfAttribute(uint8_t attribute) {
  if (attribute == kAttrCaption) {
    return {g_screenModel.captionTextColour, g_screenModel.captionColour};
  }
  if (attribute < sizeof kColours / sizeof kColours[0]) return kColours[attribute];
  return kColours[0];
}

int32_t FieldTextForCell(char* out, int32_t cell) {
  out[0] = '\0';
  if (cell < 0 || cell >= kScreenCells) return 0;
  const int32_t offset = g_screenModel.fieldIndex[cell];
  if (offset < 0 || offset > kFieldValueCapacity) return 0;
  const char* values = g_screenModel.fieldValueText;
  // The value runs to the next character 3; the search ends at the NUL or at
  // the end of the value text.
  int32_t end = offset;
  while (end < kFieldValueCapacity && values[end] != '\0' && values[end] != kValueEnd) ++end;
  if (end >= kFieldValueCapacity || values[end] != kValueEnd) {
    out[0] = ' ';
    out[1] = '\0';
    return 1;
  }
  int32_t length = end - offset;
  if (length > kFieldValueShownLimit) length = kFieldValueShownLimit;
  // A value that starts at its marker ends before its first pair of blanks.
  if (g_screenModel.fieldMarkerMap[cell] == '{') {
    for (int32_t k = 0; k + 1 < length; ++k) {
      if (values[offset + k] == ' ' && values[offset + k + 1] == ' ') {
        length = k;
        break;
      }
    }
  }
  std::memcpy(out, values + offset, static_cast<size_t>(length));
  out[length] = '\0';
  return length;
}
