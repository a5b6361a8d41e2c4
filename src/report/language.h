// Language selection and template files of the report library.
//
// The report library keeps its own language code (the extension of its
// template files) beside the engine's: selecting a language writes the
// settings file and tells the engine, so that both go on with the same code.
// Its own LanguageNumber, which decides the Chinese exceptions of drawing, is
// set only by engine code outside this library
// (report_base/language_number.h).
#pragma once

#include <cstdint>

#include "report_base/language_number.h"

constexpr int kLanguageCodeLength = 3;
constexpr int kTemplateNameLength = 8;     // stem of four letters, '.', code
constexpr int kTemplateRecordSize = 2052;  // the buffer a screen record is read into
constexpr int kTemplateIndexCapacity = 200;

// Process-wide language state of the report library (load-time values in
// brackets).
struct ReportLanguage {
  char reportLanguageCode[kLanguageCodeLength];    // ReportLanguageCode ("   ")
  char selectedLanguageCode[kLanguageCodeLength];  // SelectedLanguageCode ("   ")
};
extern ReportLanguage g_reportLanguage;

// The index of the template file read last: the screens' offsets, their count
// and the eight-character template name they belong to (blank until read).
struct TemplateIndex {
  uint32_t offset[kTemplateIndexCapacity];
  int32_t count;
  char name[kTemplateNameLength];
};
extern TemplateIndex g_templateIndex;

// LoadTemplate's results.
constexpr int32_t kTemplateLoaded = 0;
constexpr int32_t kTemplateNoIndex = -1;       // index file missing
constexpr int32_t kTemplateShortIndex = -2;    // index file shorter than 4 bytes
constexpr int32_t kTemplateNoSuchScreen = -3;  // screen number outside the index
constexpr int32_t kTemplateNoFile = -4;        // template file missing

// Selects the language whose name begins with the letter of `name` (any case),
// when its language data file is installed: writes its name as the Language
// setting, sets both codes and tells the engine. 1 when selected, else 0 with
// nothing changed.
int32_t SelectLanguage(const char* name);
// 1 English, 2 French, 3 German, 4 Spanish, 5 Italian, 6 Chinese; nothing when
// that language is already the selected one or for any other number.
void SelectLanguageByNumber(int32_t number);

// Reads screen `screenNumber` of the template file `name` (eight characters:
// stem, '.', code) into `record` (kTemplateRecordSize bytes, not terminated).
// 0, or one of the negative results above.
int32_t LoadTemplate(const char* name, char* record, int32_t screenNumber);

// Replaces the OEM box-drawing characters of text[0..length) by plain ones.
void TranslateBoxChars(char* text, int32_t length);

// The program folder followed by "DAT\LAN\" / "DAT\PDA\" (out: 256 bytes; a
// folder that does not fit leaves it empty).
constexpr int kReportPathSize = 256;
void GetTemplateFolder(char* out);
void GetDataFolder(char* out);
// The path of `name` in the template / data folder (out: kReportPathSize
// bytes). False (out "") when the folder or the whole path does not fit: a cut
// path would name some other file.
bool MakeTemplatePath(char* out, const char* name);
bool MakeDataPath(char* out, const char* name);

// 1 when something exists at the path, else 0.
int32_t FileExists(const char* path);
// 1 when the three characters after the file name's first '.' are "KVI" in any
// case, else 0.
int32_t HasKviExtension(const char* fileName);

// Load-time state: blank codes, no template index.
void ResetReportLanguageForTests();
