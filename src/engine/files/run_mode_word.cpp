// The run-mode word: normalised in place, then matched against the words the
// host uses to say how a run is started. The block it sets is never cleared.
#include "engine/files/run_mode_word.h"

#include <cstring>

#include "engine/files/run_paths.h"
#include "engine/files/unit_table.h"

namespace {

bool Begins(const char* word, const char* prefix) {
  return std::memcmp(word, prefix, std::strlen(prefix)) == 0;
}

void Normalise(char* word) {
  if (Begins(word, "batch")) std::memcpy(word, "BATCH", 5);
  static const char* const kShort[][2] = {
      {"/br", "/BR"}, {"/bd", "/BD"}, {"/bs", "/BS"}, {"/as", "/AS"}, {"/ao", "/AO"}};
  for (const auto& row : kShort) {
    if (Begins(word, row[0])) {
      std::memcpy(word, row[1], 3);
      break;
    }
  }
  if (word[3] == 's') word[3] = 'S';
  if (Begins(word, "wyndale")) std::memcpy(word, "WYNDALE", 7);
}

struct ModeRow {
  const char* prefix;
  int silentPosition;  // 1-based position whose 'S' makes the run silent; 0: none
  bool clearsSlot5;
  int64_t kind;     // 0: unchanged
  int64_t subMode;  // 0: unchanged
  bool setsAoFlags;
  bool setsAdFlag;
};

constexpr ModeRow kModeRows[] = {
    {"BATCH", 6, true, 1, 0, false, false}, {"/BR", 4, true, 1, 2, false, false},
    {"/BD", 4, true, 1, 1, false, false},   {"/BS", 4, true, 1, 3, false, false},
    {"/AS", 0, true, 2, 3, false, false},   {"/AO", 0, true, 2, 0, true, false},
    {"/AD", 0, false, 0, 0, false, true},   {"WYNDALE", 8, true, 3, 0, false, false},
};

}  // namespace

void ApplyRunModeWord() {
  char* word = g_runPaths.runModeWord;
  Normalise(word);
  RunModeBlock& block = g_runPaths.modeBlock;
  for (const ModeRow& row : kModeRows) {
    if (!Begins(word, row.prefix)) continue;
    if (row.silentPosition > 0 && word[row.silentPosition - 1] == 'S') block.silent = 1;
    if (row.clearsSlot5) g_unitTable.unit[kSlotModeCleared - 1] = 0;
    if (row.kind != 0) block.kind = row.kind;
    if (row.subMode != 0) block.subMode = row.subMode;
    if (row.setsAoFlags) block.aoFlag1 = block.aoFlag2 = 1;
    if (row.setsAdFlag) block.adFlag = 1;
    return;
  }
}
