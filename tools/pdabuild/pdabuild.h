// pdabuild: .PDA material database files from a readable text description.
//
// A description holds one or more files. Lines are items separated by blanks;
// '#' begins a comment line; blank lines are ignored. Numbers are decimal
// (reals for words, whole numbers for positions and entries).
//
//   file NAME.PDA index [ENTRIES]   an index file: one record of ENTRIES two-byte
//                                   integers (2000 unless given; 200 for the
//                                   private set's index), all 0 at first
//   entry I NUMBER                  entry I (from 1) lists material NUMBER
//   entries NUMBER NUMBER ...       entries 1, 2, ... in this order
//
//   file NAME.PDA property          a property file of 1220-byte records: words
//                                   1..60 and 121..305 four-byte reals (0 at
//                                   first), 240 text characters (blanks at first)
//   record I                        the lines below fill record I (from 1);
//                                   records not described are all 0 and blanks
//   word W V1 V2 ...                words W, W+1, ... (1..60 or 121..305)
//   table C TMIN T1 STEP TLAST V1 V2 ...   a temperature table at word C (the same
//                                   as `word C ...`)
//   text J "TEXT"                   text item J: characters 4(J-1)+1 on, 80 long
//                                   (40 for items 21 and 51), blank-padded
//   chars P "TEXT"                  the characters from position P (1..240)
//
//   file NAME.PDA currency          the currency table: one 800-byte record of
//                                   200 reals, 0 at first
//   file NAME.PDA classtable        the material class table: one 10000-byte
//                                   record of 2500 reals, 0 at first
//   word W V1 V2 ...                (both) words W, W+1, ...
//   row C W V1 V2 ...               (class table) words (C-1)*25+W, ...
//
// Texts are in double quotes; inside them \" is a quote, \\ a backslash and
// \xNN the byte NN (OEM text is written as given). Every value is written
// little-endian at its fixed place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pdabuild {

struct PdaFile {
  std::string name;   // as the description gives it, e.g. "N_ASMEI.PDA"
  std::string bytes;  // the whole file
};

// Parses a description into files. False, with "line N: ..." in *error, on
// the first fault.
bool Build(const std::string& description, std::vector<PdaFile>* files, std::string* error);

// Writes every file into `folder` (a path ending in a separator, or empty).
// False, with a message, when a file cannot be written.
bool WriteFiles(const std::vector<PdaFile>& files, const std::string& folder, std::string* error);

// The fixed layouts, for callers that build bytes directly.
constexpr int kPropertyRecordBytes = 1220;
constexpr int kCurrencyRecordBytes = 800;
constexpr int kClassTableRecordBytes = 10000;
void PutFloat(std::string* bytes, size_t offset, float value);
void PutInt16(std::string* bytes, size_t offset, int16_t value);

}  // namespace pdabuild
