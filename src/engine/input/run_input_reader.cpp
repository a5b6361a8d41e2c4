#include "engine/input/run_input_reader.h"

#include <cstring>

#include "engine/input/group_reader.h"
#include "engine/input/input_tables.h"
#include "engine/input/item_reader.h"
#include "engine/input/stream_curve_input.h"
#include "run/text.h"

namespace {

using input::ReadOutcome;

constexpr char kHeadingMark[] = "CorvoSoft/K-VOR";
constexpr size_t kHeadingMarkLength = sizeof kHeadingMark - 1;

bool KeywordIs(const char* keyword) {
  return fixed::EqualIgnoringTrailingBlanks(g_inputRecord.keyword, kKeywordWidth, keyword,
                                            std::strlen(keyword));
}

bool SourceFlagIs(const char* text) {
  return fixed::EqualIgnoringTrailingBlanks(g_inputRecord.sourceFlag, kSourceFlagWidth, text,
                                            std::strlen(text));
}

ReadOutcome ReadHeadingLine(units::LineSource* source) {
  const input::ItemTarget target = input::TextItem(g_inputRecord.keyword, kKeywordWidth);
  return input::ReadItems(source, &target, 1);
}

ReadOutcome ReadRecord(units::LineSource* source) {
  const input::ItemTarget targets[6] = {
      input::TextItem(g_inputRecord.keyword, kKeywordWidth),
      input::TextItem(g_inputRecord.name, kNameWidth),
      input::TextItem(g_inputRecord.thirdField, kThirdFieldWidth),
      input::TextItem(g_inputRecord.sourceFlag, kSourceFlagWidth),
      input::IntegerItem(&g_inputRecord.index),
      input::RealItem(&g_inputRecord.value),
  };
  return input::ReadItems(source, targets, 6);
}

// A scalar record whose index carries a text (or the long-line count). False
// when the index has no such meaning.
bool StoreTextItem(int64_t index) {
  const char* name = g_inputRecord.name;
  if (index == 15071) {
    std::memcpy(g_inputTextItems.codeText, name, kCodeTextWidth);
  } else if (index >= 16001 && index <= 16003) {
    std::memcpy(g_inputTextItems.shortList[index - 16001], name, kShortListWidth);
  } else if (index == 17001 || index == 17002) {
    std::memcpy(g_inputTextItems.longText[index - 17001], name, kLongTextWidth);
  } else if (index >= 17005 && index <= 17010) {
    std::memcpy(g_inputTextItems.tags[index - 17005], name, kTagWidth);
  } else if (index == 21000) {
    g_inputLongLines.count = input::TruncateToInteger(g_inputRecord.value);
  } else {
    return false;
  }
  return true;
}

void StoreScalar(int64_t index) {
  g_inputScalars.value[index - 1] = g_inputRecord.value;
  // Flags exist for indices 1 to 5000 only; higher indices keep just the value.
  if (index > kInputSourceFlagCount) return;
  if (SourceFlagIs("0")) {
    g_inputSourceFlags.value[index - 1] = 0.0f;
  } else if (SourceFlagIs("1") || SourceFlagIs("2")) {
    g_inputSourceFlags.value[index - 1] = 1.0f;
  }
}

// The search passes over records that cannot be read and goes on with the
// next line. A file whose reading has broken down for good (a share that went
// away) fails on every line, and the search would never end: after this many
// failures of the line source in a row it ends as at the end of the file.
constexpr int kSourceFailuresInARow = 100;

// The failures in a row of the line source that the search reads from.
struct FailureCount {
  units::LineSource* inner;
  int inARow;
};

units::IoStatus NextCounted(units::LineSource* self, const char** line, size_t* length) {
  FailureCount* counting = static_cast<FailureCount*>(self->context);
  units::LineSource* inner = counting->inner;
  const units::IoStatus st =
      inner->next ? inner->next(inner, line, length) : units::IoStatus::Error;
  counting->inARow = st == units::IoStatus::Error ? counting->inARow + 1 : 0;
  return st;
}

// The reading proper; the status it returns is the reader's.
int64_t ReadSections(units::LineSource* source, char programLetter) {
  // Heading.
  if (ReadHeadingLine(source) != ReadOutcome::Ok) return 1;
  if (ReadHeadingLine(source) != ReadOutcome::Ok) return 1;
  if (std::memcmp(g_inputRecord.keyword, kHeadingMark, kHeadingMarkLength) != 0) return 1;

  // Search for the application record; unreadable records are passed over.
  FailureCount failures{source, 0};
  units::LineSource counted{&NextCounted, &failures, 0};
  for (;;) {
    const ReadOutcome r = ReadRecord(&counted);
    if (r == ReadOutcome::EndOfFile) return 1;
    if (r == ReadOutcome::Error) {
      if (failures.inARow >= kSourceFailuresInARow) return 1;
      continue;
    }
    if (KeywordIs("[BeginApplication]") && g_inputRecord.name[0] == programLetter) break;
  }
  g_inputScalars.value[(programLetter == 'T' ? 1 : 6) - 1] = g_inputRecord.value;

  // Expect the scalar section.
  ReadOutcome r = ReadRecord(source);
  if (r == ReadOutcome::EndOfFile) return 0;
  if (r == ReadOutcome::Error) return 1;
  if (!KeywordIs("[Input-Scalar]")) return 0;

  // Scalar section.
  for (;;) {
    r = ReadRecord(source);
    if (r == ReadOutcome::EndOfFile) return 0;
    if (r == ReadOutcome::Error) return 1;
    const int64_t index = g_inputRecord.index;
    if (index >= 1 && index <= kLastScalarRecordIndex) {
      StoreScalar(index);
    } else if (!StoreTextItem(index) && KeywordIs("[Input-Array]")) {
      break;
    }
  }

  // Array section.
  for (;;) {
    r = ReadRecord(source);
    if (r == ReadOutcome::EndOfFile) return 0;
    if (r == ReadOutcome::Error) return 1;
    const int64_t lineCount = input::TruncateToInteger(g_inputRecord.value);
    if (KeywordIs("[Results-Scalar]")) return 0;
    if (lineCount < 1) continue;
    r = input::ReadArrayGroup(source, g_inputRecord.index, lineCount);
    if (r == ReadOutcome::EndOfFile) return 0;
    if (r == ReadOutcome::Error) return 1;
  }
}

}  // namespace

void ReadRunInputFrom(units::LineSource* source, const char* programName, int64_t programNameLength,
                      int64_t* status) {
  ResetStreamCurves();
  ClearInputTablesForRead();
  if (status) *status = 0;
  // An empty program name compares as a blank, as in a blank-padded field.
  const char programLetter =
      (programName != nullptr && programNameLength > 0) ? programName[0] : ' ';
  const int64_t result = ReadSections(source, programLetter);
  if (status) *status = result;
  FinishStreamCurves();
}
