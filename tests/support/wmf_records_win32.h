// Reading back the records of an old-style (Windows) metafile: each record's
// function number and its parameter words as stored (EnumMetaFile), with
// views for texts and for records written as short texts. Old-style metafile
// DCs store 16-bit parameters, so a value beyond them shows wrapped here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gdi_test {

struct WmfRecord {
  uint16_t function = 0;        // META_*
  std::vector<uint16_t> words;  // the parameters, in the order stored (y before x)
  // Parameter i as a signed 16-bit value; 0 past the end.
  int16_t Param(size_t i) const { return i < words.size() ? static_cast<int16_t>(words[i]) : 0; }
};

// The records of an old-style metafile; the handle stays the caller's.
std::vector<WmfRecord> ReadWmf(HMETAFILE metafile);
// The records of metafile bits (a plain file's bytes, or a placeable file's
// after its 22-byte header); empty when the system refuses the bits.
std::vector<WmfRecord> ReadWmfBits(const std::string& bits);

// A record as "FUNCTION p1 p2 ...": the function number in four hexadecimal
// digits, then at most 16 parameters as signed 16-bit numbers.
std::string Describe(const WmfRecord& record);
std::vector<std::string> Describe(const std::vector<WmfRecord>& records);

// Whether a record of this function is among the records.
bool HasRecord(const std::vector<WmfRecord>& records, uint16_t function);

// TEXTOUT and EXTTEXTOUT records: their position and ANSI bytes.
struct WmfText {
  int32_t x = 0, y = 0;
  std::string text;
};
std::vector<WmfText> WmfTexts(const std::vector<WmfRecord>& records);
// The first text that is `text`, or null; it points into `texts`.
const WmfText* FindText(const std::vector<WmfText>& texts, const std::string& text);
const WmfText* FindText(const std::vector<WmfText>&& texts, const std::string& text) = delete;

}  // namespace gdi_test
