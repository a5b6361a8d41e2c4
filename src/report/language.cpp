#include "report/language.h"

#include <cstdio>
#include <cstring>

#include "engine/files/language_setting.h"
#include "os/os.h"
#include "run/languages.h"
#include "run/run_context.h"
#include "run/text.h"

ReportLanguage g_reportLanguage = {{' ', ' ', ' '}, {' ', ' ', ' '}};
TemplateIndex g_templateIndex = {{}, 0, {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}};

namespace {

// out = program folder + sub-folder + name; false (out "") when it does not fit.
bool InProgramFolder(char* out, const char* sub, const char* name) {
  // A program folder that did not fit its field is empty: the sub-folder
  // would then be taken in the current folder.
  if (!g_runContext.programFolderFits) {
    out[0] = '\0';
    return false;
  }
  return bounded::Join(out, kReportPathSize, GetProgramDir(), sub, name);
}

constexpr char kTemplateSubFolder[] = "DAT\\LAN\\";
constexpr char kDataSubFolder[] = "DAT\\PDA\\";

// Opens a file of the template folder for binary reading, else the file of the
// same name in the current folder.
FILE* OpenTemplateFile(const char* name) {
  char path[kReportPathSize];
  if (MakeTemplatePath(path, name)) {
    if (FILE* f = os::OpenFile(path, "rb")) return f;
  }
  return os::OpenFile(name, "rb");
}

int64_t SizeOf(FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(f);
  if (std::fseek(f, 0, SEEK_SET) != 0) return -1;
  return size;
}

// Reads the index file of the template `name` into the loaded TemplateIndex.
int32_t ReadTemplateIndex(const char* name) {
  char indexName[13];
  std::memcpy(indexName, name, 4);
  std::memcpy(indexName + 4, "INDX", 4);
  std::memcpy(indexName + 8, name + 4, 4);
  indexName[12] = '\0';
  FILE* f = OpenTemplateFile(indexName);
  if (f == nullptr) return kTemplateNoIndex;
  const int64_t size = SizeOf(f);
  if (size < 4) {
    std::fclose(f);
    return kTemplateShortIndex;
  }
  // More entries than the table holds: the first 200 count.
  int64_t count = size / 4;
  if (count > kTemplateIndexCapacity) count = kTemplateIndexCapacity;
  unsigned char bytes[kTemplateIndexCapacity * 4];
  const size_t got = std::fread(bytes, 1, static_cast<size_t>(count * 4), f);
  std::fclose(f);
  count = static_cast<int64_t>(got / 4);
  for (int64_t k = 0; k < count; ++k) {
    const unsigned char* b = bytes + 4 * k;
    g_templateIndex.offset[k] = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 |
                                static_cast<uint32_t>(b[3]) << 24;
  }
  g_templateIndex.count = static_cast<int32_t>(count);
  std::memcpy(g_templateIndex.name, name, kTemplateNameLength);
  return kTemplateLoaded;
}

}  // namespace

int32_t SelectLanguage(const char* name) {
  if (name == nullptr) return 0;
  const languages::Language* language = languages::FindByLetter(ascii::Upper(name[0]));
  if (language == nullptr) return 0;
  char path[kReportPathSize];
  if (!MakeDataPath(path, language->dataFile) || !FileExists(path)) return 0;
  // The engine reads the setting back: when it cannot be written, neither
  // code changes, so the two never disagree.
  if (!os::WriteSetting(languages::kSettingsSection, languages::kSettingsKey, language->name,
                        languages::kSettingsFile)) {
    return 0;
  }
  std::memcpy(g_reportLanguage.reportLanguageCode, language->name, kLanguageCodeLength);
  std::memcpy(g_reportLanguage.selectedLanguageCode, language->name, kLanguageCodeLength);
  RefreshLanguageCode();
  return 1;
}

void SelectLanguageByNumber(int32_t number) {
  const languages::Language* language = languages::FindByNumber(number);
  if (language == nullptr) return;
  if (g_reportLanguage.selectedLanguageCode[0] == language->letter) return;
  SelectLanguage(language->name);
}

int32_t LoadTemplate(const char* name, char* record, int32_t screenNumber) {
  if (std::memcmp(name, g_templateIndex.name, kTemplateNameLength) != 0) {
    const int32_t status = ReadTemplateIndex(name);
    if (status != kTemplateLoaded) return status;
  }
  const int32_t n = screenNumber;
  if (n < 1 || n > g_templateIndex.count) return kTemplateNoSuchScreen;
  char fileName[kTemplateNameLength + 1];
  std::memcpy(fileName, name, kTemplateNameLength);
  fileName[kTemplateNameLength] = '\0';
  FILE* f = OpenTemplateFile(fileName);
  if (f == nullptr) return kTemplateNoFile;
  const int64_t entry = g_templateIndex.offset[n - 1];
  const int64_t start = n == 1 ? 0 : entry + 1;
  int64_t length = n == g_templateIndex.count
                       ? 2050
                       : static_cast<int64_t>(g_templateIndex.offset[n]) - entry + 1;
  // A record longer than the buffer is cut to it.
  if (length > kTemplateRecordSize) length = kTemplateRecordSize;
  if (length < 0) length = 0;
  size_t got = 0;
  // Offsets are 32-bit unsigned; a start beyond what fseek takes reads nothing.
  if (length > 0 && start <= 0x7FFFFFFF && std::fseek(f, static_cast<long>(start), SEEK_SET) == 0) {
    got = std::fread(record, 1, static_cast<size_t>(length), f);
  }
  std::fclose(f);
  // An English template read for Chinese loses its OEM box characters.
  if (GetLanguageNumber() == kLanguageChinese && name[5] != 'C') {
    TranslateBoxChars(record, static_cast<int32_t>(got));
  }
  return kTemplateLoaded;
}

void TranslateBoxChars(char* text, int32_t length) {
  for (int32_t i = 0; i < length; ++i) {
    switch (static_cast<unsigned char>(text[i])) {
      // clang-format off
      case 179: case 180: case 191: case 192: case 193:
      case 194: case 195: case 197: case 217: case 218:
        // clang-format on
        text[i] = '|';
        break;
      case 196:
        text[i] = '-';
        break;
      case 253:
        text[i] = '2';
        break;
      default:
        break;
    }
  }
}

void GetTemplateFolder(char* out) { InProgramFolder(out, kTemplateSubFolder, ""); }

void GetDataFolder(char* out) { InProgramFolder(out, kDataSubFolder, ""); }

bool MakeTemplatePath(char* out, const char* name) {
  return InProgramFolder(out, kTemplateSubFolder, name);
}

bool MakeDataPath(char* out, const char* name) {
  return InProgramFolder(out, kDataSubFolder, name);
}

int32_t FileExists(const char* path) {
  return path != nullptr && os::FileAttributes(path) != os::kInvalidAttributes ? 1 : 0;
}

int32_t HasKviExtension(const char* fileName) {
  if (fileName == nullptr) return 0;
  const char* point = std::strchr(fileName, '.');
  if (point == nullptr) return 0;
  // Each test fails at a NUL, so a shorter extension is never read past.
  return ascii::Upper(point[1]) == 'K' && ascii::Upper(point[2]) == 'V' &&
                 ascii::Upper(point[3]) == 'I'
             ? 1
             : 0;
}

void ResetReportLanguageForTests() {
  ResetLanguageNumberForTests();
  std::memset(g_reportLanguage.reportLanguageCode, ' ', kLanguageCodeLength);
  std::memset(g_reportLanguage.selectedLanguageCode, ' ', kLanguageCodeLength);
  g_templateIndex = TemplateIndex{};
  std::memset(g_templateIndex.name, ' ', kTemplateNameLength);
}
