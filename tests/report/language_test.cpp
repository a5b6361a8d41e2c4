#include "report/language.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/files/language_setting.h"
#include "report_fixture.h"

namespace {

using testing_support::FileExists;
using testing_support::WriteFileBytes;

class Languages : public ReportTest {
 protected:
  void Install(const std::string& dataFile) {
    ASSERT_TRUE(WriteFileBytes(DataFolder() + dataFile, "x"));
  }
  void Uninstall(const std::string& dataFile) { os::RemoveFile((DataFolder() + dataFile).c_str()); }
  std::string Setting() const {
    char value[64] = {};
    os::ReadSetting("Setting", "Language", "", value, sizeof value, "KVORSCRN.INI");
    return value;
  }
  static std::string Code(const char* code3) { return std::string(code3, 3); }
  static std::string ReportCode() { return Code(g_reportLanguage.reportLanguageCode); }
  static std::string SelectedCode() { return Code(g_reportLanguage.selectedLanguageCode); }
  static std::string EngineCode() { return Code(g_runPaths.languageCode); }
};

TEST_F(Languages, SelectionTable) {
  struct Case {
    const char* name;
    const char* installed;  // the one language data file present, or ""
    int32_t result;
    const char* setting;  // "" when nothing is written
    const char* code;     // both codes afterwards
  } const cases[] = {
      {"german", "G_GERMAN.PDA", 1, "GERMAN", "GER"},
      {"GERMAN", "", 0, "", "   "},
      {"French", "G_FRENCH.PDA", 1, "FRENCH", "FRE"},
      {"french", "G_GERMAN.PDA", 0, "", "   "},
      {"e", "G_ENGLIS.PDA", 1, "ENGLISH", "ENG"},
      {"Spanish", "G_SPANIS.PDA", 1, "SPANISH", "SPA"},
      {"italiano", "G_ITALIA.PDA", 1, "ITALIAN", "ITA"},
      {"chinese", "G_CHINES.PDA", 1, "CHINESE", "CHI"},
      {"Xylophone", "G_ENGLIS.PDA", 0, "", "   "},
      {"", "G_ENGLIS.PDA", 0, "", "   "},
  };
  const char* all[] = {"G_CHINES.PDA", "G_ENGLIS.PDA", "G_FRENCH.PDA",
                       "G_GERMAN.PDA", "G_ITALIA.PDA", "G_SPANIS.PDA"};
  for (const Case& c : cases) {
    for (const char* f : all) Uninstall(f);
    if (c.installed[0] != '\0') Install(c.installed);
    os::RemoveFile(SettingsFile().c_str());
    ResetReportLanguageForTests();
    ResetRunPathsForTests();
    const std::string engineBefore = EngineCode();

    EXPECT_EQ(SelectLanguage(c.name), c.result) << c.name;
    EXPECT_EQ(Setting(), c.setting) << c.name;
    EXPECT_EQ(ReportCode(), c.code) << c.name;
    EXPECT_EQ(SelectedCode(), c.code) << c.name;
    // The engine takes the new code from the setting just written.
    EXPECT_EQ(EngineCode(), c.result == 1 ? std::string(c.code) : engineBefore) << c.name;
    EXPECT_EQ(GetLanguageNumber(), 0) << "the selection never sets the number";
  }
}

TEST_F(Languages, FailedSettingsWriteChangesNeitherCode) {
  Install("G_ENGLIS.PDA");
  Install("G_GERMAN.PDA");
  ASSERT_EQ(SelectLanguage("ENGLISH"), 1);
  ASSERT_EQ(EngineCode(), "ENG");
  // A settings folder that does not exist: the setting cannot be written.
  os::SetSettingsFolder((root_ + "NOWHERE\\").c_str());
  EXPECT_EQ(SelectLanguage("GERMAN"), 0);
  EXPECT_EQ(ReportCode(), "ENG");
  EXPECT_EQ(SelectedCode(), "ENG");
  EXPECT_EQ(EngineCode(), "ENG");
}

TEST_F(Languages, ByNumberSelectsOnlyAChange) {
  Install("G_GERMAN.PDA");
  Install("G_ENGLIS.PDA");
  SelectLanguageByNumber(3);
  EXPECT_EQ(Setting(), "GERMAN");
  EXPECT_EQ(SelectedCode(), "GER");
  ASSERT_TRUE(os::RemoveFile(SettingsFile().c_str()));
  SelectLanguageByNumber(3);  // German already: nothing is written
  EXPECT_FALSE(FileExists(SettingsFile()));
  SelectLanguageByNumber(0);
  SelectLanguageByNumber(7);
  EXPECT_FALSE(FileExists(SettingsFile()));
  SelectLanguageByNumber(1);
  EXPECT_EQ(Setting(), "ENGLISH");
  EXPECT_EQ(ReportCode(), "ENG");
  SelectLanguageByNumber(2);  // French is not installed
  EXPECT_EQ(ReportCode(), "ENG");

  Install("G_SPANIS.PDA");
  Install("G_ITALIA.PDA");
  Install("G_CHINES.PDA");
  SelectLanguageByNumber(4);
  EXPECT_EQ(Setting(), "SPANISH");
  SelectLanguageByNumber(5);
  EXPECT_EQ(Setting(), "ITALIAN");
  SelectLanguageByNumber(6);
  EXPECT_EQ(Setting(), "CHINESE");
  EXPECT_EQ(ReportCode(), "CHI");
}

TEST_F(Languages, ByNumberComparesTheSelectedCode) {
  // The page composer sets the selected code on its own: German counts as
  // selected, although the report library's code is still blank.
  Install("G_GERMAN.PDA");
  std::memcpy(g_reportLanguage.selectedLanguageCode, "GER", 3);
  SelectLanguageByNumber(3);
  EXPECT_FALSE(FileExists(SettingsFile()));
  EXPECT_EQ(ReportCode(), "   ");
}

// The language state before any test changed it, taken during static
// initialisation.
const ReportLanguage kLanguageAtLoad = g_reportLanguage;
const TemplateIndex kTemplateIndexAtLoad = g_templateIndex;
const int32_t kLanguageNumberAtLoad = GetLanguageNumber();

TEST(LanguageState, StateAtLoad) {
  EXPECT_EQ(std::string(kLanguageAtLoad.reportLanguageCode, 3), "   ");
  EXPECT_EQ(std::string(kLanguageAtLoad.selectedLanguageCode, 3), "   ");
  EXPECT_EQ(kLanguageNumberAtLoad, 0);
  EXPECT_EQ(kTemplateIndexAtLoad.count, 0);
  EXPECT_EQ(std::string(kTemplateIndexAtLoad.name, 8), "        ");
}

TEST(LanguageNumber, SetFromTheFirstUpperCaseLetter) {
  ResetReportLanguageForTests();
  EXPECT_EQ(GetLanguageNumber(), 0);
  struct Case {
    const char* code;
    int32_t number;  // afterwards, starting from 1
  } const cases[] = {{"CHI", 6}, {"ENG", 1}, {"FRE", 2}, {"GER", 3}, {"ITA", 5},
                     {"SPA", 4}, {"chi", 1}, {"X", 1},   {"", 1}};
  for (const Case& c : cases) {
    SetLanguageNumber("E");
    SetLanguageNumber(c.code);
    EXPECT_EQ(GetLanguageNumber(), c.number) << c.code;
  }
  ResetReportLanguageForTests();
}

TEST_F(Languages, FoldersAndFileTests) {
  char folder[kReportPathSize];
  GetTemplateFolder(folder);
  EXPECT_EQ(std::string(folder), program_ + "DAT\\LAN\\");
  GetDataFolder(folder);
  EXPECT_EQ(std::string(folder), program_ + "DAT\\PDA\\");
  Install("G_GERMAN.PDA");
  EXPECT_EQ(::FileExists((DataFolder() + "G_GERMAN.PDA").c_str()), 1);
  EXPECT_EQ(::FileExists(DataFolder().c_str()), 1);
  EXPECT_EQ(::FileExists((DataFolder() + "G_FRENCH.PDA").c_str()), 0);

  // A program folder too long for a path leaves the folder empty.
  SetRunFolders(std::string(250, 'p') + "\\", input_, "A1B2C3");
  GetTemplateFolder(folder);
  EXPECT_STREQ(folder, "");
}

TEST(KviExtension, ThreeCharactersAfterTheFirstPoint) {
  struct Case {
    const char* name;
    int32_t result;
  } const cases[] = {{"JOB.KVI", 1}, {"job.kvi", 1}, {"JOB.KviX", 1}, {"JOB.KV", 0},
                     {"A.B.KVI", 0}, {"JOB", 0},     {"JOB.KVO", 0},  {"JOB.", 0}};
  for (const Case& c : cases) EXPECT_EQ(HasKviExtension(c.name), c.result) << c.name;
}

TEST(BoxTranslation, Table) {
  std::string text;
  for (int c = 0; c < 256; ++c) text += static_cast<char>(c);
  TranslateBoxChars(text.data(), 256);
  for (int c = 0; c < 256; ++c) {
    char expected = static_cast<char>(c);
    switch (c) {
      case 179:
      case 180:
      case 191:
      case 192:
      case 193:
      case 194:
      case 195:
      case 197:
      case 217:
      case 218:
        expected = '|';
        break;
      case 196:
        expected = '-';
        break;
      case 253:
        expected = '2';
        break;
      default:
        break;
    }
    EXPECT_EQ(text[static_cast<size_t>(c)], expected) << c;
  }
  std::string part = "\xB3\xB3";
  TranslateBoxChars(part.data(), 1);
  EXPECT_EQ(part, "|\xB3");
}

// Template files built from their byte layout.
class Templates : public ReportTest {
 protected:
  static std::string Index(const std::vector<uint32_t>& entries) {
    std::string bytes;
    for (uint32_t e : entries) {
      for (int k = 0; k < 4; ++k) bytes += static_cast<char>((e >> (8 * k)) & 0xFF);
    }
    return bytes;
  }
  static std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('!' + i % 90);
    return bytes;
  }
  void WriteTemplate(const std::string& name, const std::string& indexName,
                     const std::vector<uint32_t>& entries, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(TemplateFolder() + indexName, Index(entries)));
    ASSERT_TRUE(WriteFileBytes(TemplateFolder() + name, bytes));
  }
  // The record read, with the buffer around it checked.
  std::string Load(const char* name, int32_t n, int32_t* status, size_t expectedLength) {
    std::vector<char> buffer(kTemplateRecordSize, '\x7F');
    *status = LoadTemplate(name, buffer.data(), n);
    for (size_t i = expectedLength; i < buffer.size(); ++i) {
      EXPECT_EQ(buffer[i], '\x7F') << "byte " << i << " written";
    }
    return std::string(buffer.data(), expectedLength);
  }
};

TEST_F(Templates, ScreensByTheirIndexEntries) {
  const std::string bytes = Pattern(3000);
  WriteTemplate("SHEL.ENG", "SHELINDX.ENG", {77, 99, 199, 299, 399}, bytes);
  int32_t status = 1;
  // Screen 1 starts at byte 0 whatever entry 1 holds.
  EXPECT_EQ(Load("SHEL.ENG", 1, &status, 99 - 77 + 1), bytes.substr(0, 23));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Load("SHEL.ENG", 2, &status, 101), bytes.substr(100, 101));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Load("SHEL.ENG", 4, &status, 101), bytes.substr(300, 101));
  // The last screen: 2050 bytes.
  EXPECT_EQ(Load("SHEL.ENG", 5, &status, 2050), bytes.substr(400, 2050));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(g_templateIndex.count, 5);
  Load("SHEL.ENG", 6, &status, 0);
  EXPECT_EQ(status, kTemplateNoSuchScreen);
  Load("SHEL.ENG", 0, &status, 0);
  EXPECT_EQ(status, kTemplateNoSuchScreen);
  Load("SHEL.ENG", -4, &status, 0);
  EXPECT_EQ(status, kTemplateNoSuchScreen);
}

TEST_F(Templates, IndexReadOncePerName) {
  const std::string bytes = Pattern(3000);
  WriteTemplate("SHEL.ENG", "SHELINDX.ENG", {0, 10}, bytes);
  int32_t status = 1;
  Load("SHEL.ENG", 1, &status, 11);
  ASSERT_EQ(status, 0);
  // The cached index serves the same name without its file.
  ASSERT_TRUE(os::RemoveFile((TemplateFolder() + "SHELINDX.ENG").c_str()));
  EXPECT_EQ(Load("SHEL.ENG", 1, &status, 11), bytes.substr(0, 11));
  EXPECT_EQ(status, 0);
  // A name whose index is missing fails and leaves the loaded index as it was.
  Load("TUBE.ENG", 1, &status, 0);
  EXPECT_EQ(status, kTemplateNoIndex);
  EXPECT_EQ(std::string(g_templateIndex.name, 8), "SHEL.ENG");
  Load("SHEL.ENG", 2, &status, 2050);
  EXPECT_EQ(status, 0);
}

TEST_F(Templates, ShortIndexIsReadAgainNextTime) {
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "SHELINDX.ENG", "abc"));
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "SHEL.ENG", Pattern(3000)));
  int32_t status = 1;
  Load("SHEL.ENG", 1, &status, 0);
  EXPECT_EQ(status, kTemplateShortIndex);
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "SHELINDX.ENG", Index({0, 4})));
  Load("SHEL.ENG", 1, &status, 5);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(g_templateIndex.count, 2);
}

TEST_F(Templates, MissingFiles) {
  int32_t status = 1;
  Load("NONE.ENG", 1, &status, 0);
  EXPECT_EQ(status, kTemplateNoIndex);
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "NONEINDX.ENG", Index({0})));
  Load("NONE.ENG", 1, &status, 0);
  EXPECT_EQ(status, kTemplateNoFile);
  // An index file whose size is no multiple of 4: its whole entries count;
  // a last screen cut short by the end of the file reads what there is.
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "ODDSINDX.ENG", Index({0}) + "xyz"));
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "ODDS.ENG", Pattern(100)));
  EXPECT_EQ(Load("ODDS.ENG", 1, &status, 100), Pattern(100));  // the file ends before 2050
  EXPECT_EQ(status, 0);
  EXPECT_EQ(g_templateIndex.count, 1);
}

TEST_F(Templates, LargeIndexCountsTwoHundred) {
  std::vector<uint32_t> entries;
  for (uint32_t k = 0; k < 250; ++k) entries.push_back(k * 10);
  WriteTemplate("MANY.ENG", "MANYINDX.ENG", entries, Pattern(5000));
  const std::string bytes = Pattern(5000);
  int32_t status = 1;
  // Entry 200 is 1990: the last screen counted starts at byte 1991.
  EXPECT_EQ(Load("MANY.ENG", 200, &status, 2050), bytes.substr(1991, 2050));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(g_templateIndex.count, 200);
  // Screen 199 runs from 1981 for 1990 - 1980 + 1 bytes.
  EXPECT_EQ(Load("MANY.ENG", 199, &status, 11), bytes.substr(1981, 11));
  Load("MANY.ENG", 201, &status, 0);
  EXPECT_EQ(status, kTemplateNoSuchScreen);
}

TEST_F(Templates, LongRecordIsCutToTheBuffer) {
  const std::string bytes = Pattern(6000);
  WriteTemplate("LONG.ENG", "LONGINDX.ENG", {0, 5000}, bytes);
  int32_t status = 1;
  EXPECT_EQ(Load("LONG.ENG", 1, &status, kTemplateRecordSize),
            bytes.substr(0, kTemplateRecordSize));
  EXPECT_EQ(status, 0);
}

TEST_F(Templates, ChineseLosesTheBoxCharactersOfOtherLanguages) {
  // 212 stays as it is; the record's last byte is translated too.
  const std::string record =
      "\xB3\xC4\xFD"
      "A\xD4\xDA";
  const std::string translated = "|-2A\xD4|";
  WriteTemplate("SHEL.ENG", "SHELINDX.ENG", {0}, record);
  WriteTemplate("SHEL.CHI", "SHELINDX.CHI", {0}, record);
  int32_t status = 1;
  EXPECT_EQ(Load("SHEL.ENG", 1, &status, 6), record);  // LanguageNumber 0
  SetLanguageNumber("CHI");
  EXPECT_EQ(Load("SHEL.ENG", 1, &status, 6), translated);
  EXPECT_EQ(Load("SHEL.CHI", 1, &status, 6), record);
  SetLanguageNumber("GER");
  EXPECT_EQ(Load("SHEL.ENG", 1, &status, 6), record);
}

TEST_F(Templates, FilesOfTheCurrentFolderStandIn) {
  const std::string here = root_ + "HERE\\";
  ASSERT_TRUE(os::CreateFolder(here.c_str()));
  ASSERT_TRUE(WriteFileBytes(here + "CURRINDX.ENG", Index({0, 3})));
  ASSERT_TRUE(WriteFileBytes(here + "CURR.ENG", "abcdefgh"));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(NativeFolder(here));
  int32_t status = 1;
  const std::string record = Load("CURR.ENG", 1, &status, 4);
  std::filesystem::current_path(before);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(record, "abcd");
}

}  // namespace
