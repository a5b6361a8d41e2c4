#include "report/screen/screen_text.h"

#include <cstring>
#include <initializer_list>

#include "report_base/character_tests.h"
#include "report_base/device_space.h"

namespace {

char At(const char* text, int32_t cell) {
  return cell >= 0 && cell < kScreenCells ? text[cell] : ' ';
}

// The pieces of one run as the text algorithm finds them: a pending segment
// (from `start`, a run position; -1 for none) that is drawn once something
// marks it, and the values drawn at their markers.
class RunPlanner {
 public:
  RunPlanner(const ScreenTextCopy& copy, const ScreenRun& run, RunTextPlan* plan)
      : c_(copy), base_(run.first), n_(run.count), plan_(plan), lowest_(run.first) {
    plan_->count = 0;
  }

  void Plan() {
    int32_t i = 0;
    while (i < n_ - 1) {
      // 1. A non-blank starts a segment when none is pending.
      if (Work(i) != ' ' && start_ < 0) start_ = i;
      // 2. A double blank or a line character ends the pending segment; a
      // blank that ends it is stepped over.
      if ((Work(i) == ' ' && Work(i + 1) == ' ') || IsBoxChar(c_.passed, kScreenCells, base_ + i)) {
        if (start_ >= 0) marked_ = true;
        if (Passed(i) == ' ') ++i;
      }
      // 3. The last cell of the run is never segment text.
      if (i == n_ - 2) {
        if (start_ >= 0) marked_ = true;
        i = n_ - 1;
      }
      // 4. Values placed by their markers.
      i = PlaceField(i);
      // 5. A marked segment runs up to the cell before i.
      if (start_ >= 0 && marked_) Flush(i - 1);
      ++i;
    }
  }

 private:
  char Work(int32_t i) const { return At(c_.work, base_ + i); }
  char Passed(int32_t i) const { return At(c_.passed, base_ + i); }

  // Draws the pending segment up to run position `last` (when that leaves at
  // least one character) and forgets it.
  void Flush(int32_t last) {
    if (start_ >= 0 && last >= start_) {
      Add(kPlaceSegment, base_ + start_, c_.work + base_ + start_, last - start_ + 1);
      lowest_ = base_ + last + 1;
    }
    start_ = -1;
    marked_ = false;
  }

  void Add(int32_t kind, int32_t cell, const char* text, int32_t length) {
    if (plan_->count >= kRunPlacementCapacity || length <= 0) return;
    TextPlacement& p = plan_->item[plan_->count++];
    if (length > kFieldValueShownLimit) length = kFieldValueShownLimit;
    p.kind = kind;
    p.cell = cell;
    p.length = length;
    std::memcpy(p.text, text, static_cast<size_t>(length));
    p.text[length] = '\0';
  }

  // The same column holds '=' one or two rows above or below.
  bool InEqualsColumn(int32_t cell) const {
    for (int32_t rows : {-2, -1, 1, 2}) {
      if (At(c_.passed, cell + rows * kScreenColumns) == '=') return true;
    }
    return false;
  }

  // True when the work copy holds `value` from screen cell `from` on.
  bool WorkHolds(int32_t from, const char* value, int32_t length) const {
    for (int32_t k = 0; k < length; ++k) {
      if (At(c_.work, from + k) != value[k]) return false;
    }
    return true;
  }

  // Field handling at run position i; returns the position to go on from.
  int32_t PlaceField(int32_t i) {
    const int32_t cell = base_ + i;
    const char marker = c_.markers[cell];
    const char w = Work(i);
    char value[kFieldValueShownLimit + 1];

    // A value that starts at its marker, after a blank, an '=' or a row start.
    if (marker == '{' && w != ' ' &&
        (cell % kScreenColumns == 0 || At(c_.work, cell - 1) == ' ' ||
         At(c_.work, cell - 1) == '=')) {
      Flush(i - 1);
      int32_t length = FieldTextForCell(value, cell);
      if (length > n_ - i) length = n_ - i;  // never past its run
      if (length <= 0) return i;
      Add(kPlaceSegment, cell, c_.work + cell, length);
      lowest_ = cell + length;
      return i + length - 1;
    }

    // A value that ends at its marker, or the text that ends with an '=' of a
    // column of them: right-aligned on the cell.
    const bool rightMarker = marker == '}' && w != ' ';
    if (rightMarker || (w == '=' && InEqualsColumn(cell))) {
      const int32_t length =
          rightMarker ? FieldTextForCell(value, cell)
                      : FindFieldExtent(value, c_.passed, c_.markers, kScreenCells, cell, lowest_);
      Flush(i - length);
      Add(kPlaceRight, cell, value, length);
      lowest_ = cell + 1;
      return i;
    }

    // A value centred on its marker: where the composer put it, it starts
    // about half its length before the cell.
    if (marker == '~' && w != ' ') {
      const int32_t length = FieldTextForCell(value, cell);
      int32_t h = length / 2;
      if (WorkHolds(cell - h, value, length)) {
      } else if (WorkHolds(cell - (h + 1), value, length)) {
        h = h + 1;
      } else if (WorkHolds(cell - (h - 1), value, length)) {
        h = h - 1;
      } else {
        h = 0;
      }
      Flush(i - h - 1);
      if (length <= 0) return i;
      Add(kPlaceCentred, cell, value, length);
      if (cell - h + length > lowest_) lowest_ = cell - h + length;
      // Go on after the value, but never back over cells already passed (a
      // value found one cell further left would otherwise be met again).
      const int32_t next = i - h + length - 1;
      return next > i ? next : i;
    }
    return i;
  }

  const ScreenTextCopy& c_;
  const int32_t base_;
  const int32_t n_;
  RunTextPlan* plan_;
  int32_t lowest_;  // an '=' value never reaches before what was drawn last
  int32_t start_ = -1;
  bool marked_ = false;
};

}  // namespace

bool ClampScreenSpan(int32_t startCell, int32_t count, ScreenSpan* span) {
  if (startCell < 0 || startCell >= kScreenCells || count <= 0) return false;
  if (count > kScreenCells - startCell) count = kScreenCells - startCell;
  *span = {startCell, count};
  return true;
}

void ApplyColumn79Rule(uint8_t* attributes, const ScreenSpan& span) {
  for (int32_t k = 1; k < span.count; ++k) {
    if ((span.start + k) % kScreenColumns == kScreenColumns - 1) attributes[k] = attributes[k - 1];
  }
}

void StoreScreenCells(const char* text, const uint8_t* attributes, const ScreenSpan& span) {
  if (span.count >= kScreenCells) return;
  std::memmove(g_screenModel.screenText + span.start, text, static_cast<size_t>(span.count));
  std::memmove(g_screenModel.screenAttributes + span.start, attributes,
               static_cast<size_t>(span.count));
}

void MakeScreenTextCopy(const char* text, const ScreenSpan& span, ScreenTextCopy* copy) {
  std::memset(copy->passed, ' ', sizeof copy->passed);
  std::memcpy(copy->passed + span.start, text, static_cast<size_t>(span.count));
  std::memcpy(copy->work, copy->passed, sizeof copy->work);
  for (int32_t cell = span.start; cell < span.start + span.count; ++cell) {
    if (IsBoxChar(copy->passed, kScreenCells, cell)) copy->work[cell] = ' ';
  }
  std::memcpy(copy->markers, g_screenModel.fieldMarkerMap, kMarkerCellLimit);
  std::memset(copy->markers + kMarkerCellLimit, ' ', kScreenCells - kMarkerCellLimit);
}

int32_t CutScreenRuns(const uint8_t* attributes, const ScreenSpan& span, ScreenRun* runs) {
  int32_t count = 0;
  int32_t first = 0;  // span position of the open run
  for (int32_t k = 1; k <= span.count; ++k) {
    const bool ends = k == span.count || attributes[k] != attributes[k - 1] ||
                      (span.start + k) % kScreenColumns == 0;
    if (!ends) continue;
    runs[count++] = {span.start + first, k - first, attributes[first]};
    first = k;
  }
  return count;
}

void PlanRunText(const ScreenTextCopy& copy, const ScreenRun& run, RunTextPlan* plan) {
  RunPlanner(copy, run, plan).Plan();
}

int32_t CellRangeRects(int32_t firstCell, int32_t count, ScreenRect* rects) {
  if (count <= 0) return 0;
  int64_t first = firstCell;
  int64_t last = static_cast<int64_t>(firstCell) + count - 1;
  if (first < 0) first = 0;
  if (last > kScreenCells - 1) last = kScreenCells - 1;
  int32_t n = 0;
  const ScreenModel& m = g_screenModel;
  for (int64_t partFirst = first; partFirst <= last;) {
    const int64_t rowLast = partFirst / kScreenColumns * kScreenColumns + kScreenColumns - 1;
    const int64_t partLast = last < rowLast ? last : rowLast;
    const ScreenPoint a = CellToPixel(static_cast<int32_t>(partFirst));
    const ScreenPoint b = CellToPixel(static_cast<int32_t>(partLast));
    rects[n++] = {a.x, a.y, ClampToInt32(int64_t{b.x} + m.cellWidth),
                  ClampToInt32(int64_t{b.y} + m.cellHeight)};
    partFirst = partLast + 1;
  }
  return n;
}
