// The input tables that the run input reader fills, process-wide.
//
// Every table holds zero bytes when the library is loaded. Each read of a run
// input file blanks some of them (see ClearInputTablesForRead) and leaves the
// others as the previous run in the same process left them: a run's file
// overwrites only what it gives.
//
// Capacities are fixed; nothing is ever stored outside a table. Indices in the
// names of the accessors are 1-based, as in the file.
#pragma once

#include <cstdint>

// ---- the record fields shared by every read ---------------------------------

constexpr int64_t kKeywordWidth = 80;
constexpr int64_t kNameWidth = 256;
constexpr int64_t kThirdFieldWidth = 80;
constexpr int64_t kSourceFlagWidth = 80;

// One record of the run input file (keyword, name, third field, source flag,
// index, value). An item that a read does not give keeps the value of the read
// before, also from one run to the next; lines of array groups read into these
// fields wherever their group has no table for an item.
struct InputRecord {
  char keyword[kKeywordWidth];
  char name[kNameWidth];
  char thirdField[kThirdFieldWidth];
  char sourceFlag[kSourceFlagWidth];
  int64_t index;
  float value;
};
extern InputRecord g_inputRecord;

// ---- scalar inputs ----------------------------------------------------------

constexpr int64_t kInputScalarCount = 13000;
constexpr int64_t kLastScalarRecordIndex = 12999;  // scalar records: 1..12999
constexpr int64_t kInputSourceFlagCount = 5000;

// Input index k is value[k - 1]. Start, end and step temperatures and the
// material number are indices 10001, 10002, 10003 and 10005.
struct InputScalars {
  float value[kInputScalarCount];
};
extern InputScalars g_inputScalars;

// Flag k (1..5000) belongs to input index k: 0.0 or 1.0 as the file's source
// flag said.
struct InputSourceFlags {
  float value[kInputSourceFlagCount];
};
extern InputSourceFlags g_inputSourceFlags;

constexpr int64_t kIndexStartTemperature = 10001;
constexpr int64_t kIndexEndTemperature = 10002;
constexpr int64_t kIndexTemperatureStep = 10003;
constexpr int64_t kIndexMaterialNumber = 10005;

// Input index 1..13000; 0.0 for any other index.
float InputScalarAt(int64_t index);
// The cell of index 1..13000, or nullptr.
float* InputScalarCell(int64_t index);
// Flag of index 1..5000; 0.0 for any other index.
float InputSourceFlagAt(int64_t index);

// ---- texts given by scalar records ------------------------------------------

constexpr int64_t kCodeTextWidth = 4;      // index 15071
constexpr int64_t kShortListEntries = 15;  // indices 16001..16003 fill entries 1..3
constexpr int64_t kShortListWidth = 20;
constexpr int64_t kLongTextWidth = 256;  // indices 17001, 17002
constexpr int64_t kTagCount = 6;         // indices 17005..17010
constexpr int64_t kTagWidth = 8;

struct InputTextItems {
  char codeText[kCodeTextWidth];  // kept from run to run
  char shortList[kShortListEntries][kShortListWidth];
  char longText[2][kLongTextWidth];
  char tags[kTagCount][kTagWidth];
};
extern InputTextItems g_inputTextItems;

// ---- array-group tables -----------------------------------------------------

constexpr int64_t kTextLineWidth = 80;
constexpr int64_t kTraceLines = 5;  // group 13001
constexpr int64_t kTitleLines = 3;  // group 14001
constexpr int64_t kNoteLines = 18;  // group 18001

struct InputTextLines {
  char group13001[kTraceLines][kTextLineWidth];
  char group14001[kTitleLines][kTextLineWidth];
  char group18001[kNoteLines][kTextLineWidth];
};
extern InputTextLines g_inputTextLines;

constexpr int64_t kListNameWidth = 40;
constexpr int64_t kListAEntries = 50;
constexpr int64_t kListBEntries = 40;
constexpr int64_t kListCEntries = 50;
constexpr int64_t kListDEntries = 20;
constexpr int64_t kNumberedListEntries = 50;
constexpr int64_t kNumberedLists = 3;  // groups 15200, 15100, 15300

struct NumberedNameList {
  char text[kNumberedListEntries][kListNameWidth];
  float number[kNumberedListEntries];  // each entry's own number
};

struct InputNameLists {
  char listA[kListAEntries][kListNameWidth];
  char listB[kListBEntries][kListNameWidth];  // not cleared by a read
  char listC[kListCEntries][kListNameWidth];
  char listD[kListDEntries][kListNameWidth];  // not cleared by a read
  NumberedNameList numbered[kNumberedLists];  // numbers not cleared by a read
};
extern InputNameLists g_inputNameLists;

constexpr int64_t kLongLineCount = 400;
constexpr int64_t kLongLineWidth = 400;

struct InputLongLines {
  int64_t count;  // from the scalar record 21000; group 21001 does not set it
  char line[kLongLineCount][kLongLineWidth];
};
extern InputLongLines g_inputLongLines;

// Series of groups 21002..21007, from value 1; none is cleared by a read.
constexpr int64_t kFirstSeriesCode = 21002;
constexpr int64_t kLastSeriesCode = 21007;
constexpr int64_t kSeriesCapacity[6] = {24, 32, 24, 24, 24, 29};

struct InputSeries {
  float series21002[24];
  float series21003[32];
  float series21004[24];
  float series21005[24];
  float series21006[24];
  float series21007[29];
};
extern InputSeries g_inputSeries;

// Value `k` (1-based) of the series of group `code` (21002..21007), or nullptr
// outside its capacity.
float* InputSeriesCell(int64_t code, int64_t k);

// ---- life cycle ---------------------------------------------------------------

// What every read of a run input file clears before it reads: blanks in the
// text lines, lists A and C, the texts of the numbered lists, the long lines,
// the short list, the long texts and the tags; 0 in the long-line count.
void ClearInputTablesForRead();

// Every input table, the record fields and the trace level back to the zero
// bytes of load time, for tests.
void ResetInputTablesForTests();
