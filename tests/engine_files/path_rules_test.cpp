// ResolvePath's folder rules and OpenDataFile's mode letters, fallbacks,
// record lengths and failure report.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/path_rules.h"
#include "files_fixture.h"

#ifdef _WIN32
#include <direct.h>
#define CHANGE_DIR _chdir
#else
#include <unistd.h>
#define CHANGE_DIR chdir
#endif

namespace {

using files_test::Field;
using files_test::FilesTest;
using files_test::Padded;
using units::IoStatus;

std::string Resolve(const std::string& name, const std::string& ext, int64_t location) {
  char full[256];
  ResolvePath(full, name.data(), static_cast<int64_t>(name.size()), ext.data(),
              static_cast<int64_t>(ext.size()), &location);
  const std::string s(full, 256);
  const size_t end = s.find_last_not_of(' ');
  EXPECT_EQ(s.substr(end == std::string::npos ? 0 : end + 1), std::string(255 - end, ' '));
  return end == std::string::npos ? "" : s.substr(0, end + 1);
}

void Open(int64_t mode, int64_t unit, const std::string& name, const std::string& ext,
          int64_t location, int64_t recordLength, const std::string& modeText) {
  int64_t error = 9;
  const int64_t spare = 2000;
  OpenDataFile(&mode, &unit, name.data(), static_cast<int64_t>(name.size()), ext.data(),
               static_cast<int64_t>(ext.size()), &location, &recordLength, &spare, modeText.data(),
               static_cast<int64_t>(modeText.size()), &error);
  EXPECT_EQ(error, 0);
}

// The last ordinal 25 report: the bytes the host received, and the length.
std::string LastReport() {
  const GantryCall* c = GantryStandin_LastOf(25);
  if (!c) return "(none)";
  EXPECT_EQ(c->value[0], c->textLength[0]);
  return std::string(c->text[0], static_cast<size_t>(c->textLength[0]));
}

using ResolvePathTest = FilesTest;

// Folders that need not exist: only the texts are joined.
TEST_F(ResolvePathTest, OneRowPerFolderRule) {
  GantryStandin_SetDataFolder("", 0);
  files_test::SetPaths("P:\\PROG\\", "T:\\TMP\\", "I:\\JOB\\", "JOB");
  struct Case {
    const char* name;
    const char* ext;
    int64_t location;
    const char* path;
  } const cases[] = {
      {"JOB", "TMP", 2, "T:\\TMP\\JOB.TMP"},
      {"JOB", "TMPX", 2, "T:\\TMP\\JOB.TMPX"},
      {"MAT1", "PDA", 1, "P:\\PROG\\DAT\\PDA\\MAT1.PDA"},
      {"MAT1    ", "PDA     ", 1, "P:\\PROG\\DAT\\PDA\\MAT1.PDA"},
      {"MAT1", "PDA", 2, "I:\\JOB\\MAT1.PDA"},
      {"MAT1", "PDA", 4, "I:\\JOB\\MAT1.PDA"},
      {"MAT1", "PDAX", 1, "P:\\PROG\\DAT\\PDA\\MAT1.PDA"},
      {"MAT1", "pda", 1, "I:\\JOB\\MAT1.pda"},  // case counts
      {"PROG1", "RPD", 1, "P:\\PROG\\XEQ\\PROG1.RPD"},
      {"SCREEN", "LAN", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.LAN"},
      {"SCREEN", "ENG", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.ENG"},
      {"SCREEN", "GER", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.GER"},
      {"SCREEN", "FRE", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.FRE"},
      {"SCREEN", "ITA", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.ITA"},
      {"SCREEN", "SPA", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.SPA"},
      {"SCREEN", "CHI", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.CHI"},
      {"SCREEN", "JPN", 1, "P:\\PROG\\DAT\\LAN\\SCREEN.JPN"},
      {"SCREEN", "eng", 1, "I:\\JOB\\SCREEN.eng"},
      {"JOB", "KVT", 2, "I:\\JOB\\JOB.KVT"},
      {"JOB     ", "KVT", 1, "I:\\JOB\\JOB.KVT"},
      {"JOB", "   ", 2, "I:\\JOB\\JOB."},  // blank extension
      {"JOB", "", 2, "I:\\JOB\\JOB."},
      {"JOB", "KV", 2, "I:\\JOB\\JOB.KV"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "|" + c.ext);
    EXPECT_EQ(Resolve(c.name, c.ext, c.location), c.path);
  }
}

TEST_F(ResolvePathTest, FoldersAreJoinedWithoutASeparator) {
  files_test::SetPaths("P:\\PROG", "T:\\TMP", "", "JOB");
  EXPECT_EQ(Resolve("MAT1", "PDA", 1), "P:\\PROGDAT\\PDA\\MAT1.PDA");
  EXPECT_EQ(Resolve("PROG1", "RPD", 1), "P:\\PROGXEQ\\PROG1.RPD");
  EXPECT_EQ(Resolve("A", "TMP", 1), "T:\\TMPA.TMP");
  EXPECT_EQ(Resolve("JOB", "KVT", 2), "JOB.KVT");  // an empty input folder
}

TEST_F(ResolvePathTest, ALongPathIsCutAt256) {
  const std::string folder = "I:\\" + std::string(250, 'F') + "\\";
  files_test::SetPaths("P:\\", "T:\\", folder, "JOB");
  char full[257];
  full[256] = '!';
  const int64_t location = 2;
  EXPECT_FALSE(ResolvePathChecked(full, "JOBNAME", 7, "KVT", 3, &location));
  EXPECT_EQ(Field(full, 256), (folder + "JOBNAME.KVT").substr(0, 256));
  EXPECT_EQ(full[256], '!');
  EXPECT_TRUE(ResolvePathChecked(full, "J", 1, "", 0, &location));  // 256 exactly fits
  EXPECT_EQ(Field(full, 256), folder + "J.");
}

TEST_F(ResolvePathTest, SharedNamesComeFromTheHostFolderWhenItHoldsThem) {
  UsePaths(host);
  Write(host + "N_STDLAB.PDA", "x");
  Write(host + "N_CorvoP.PDA", "x");
  Write(host + "N_Mtldef.PDA", "x");
  Write(host + "MAT1.PDA", "x");
  EXPECT_EQ(Resolve("N_STDLAB", "PDA", 1), host + "N_STDLAB.PDA");
  EXPECT_EQ(Resolve("N_STDLAB", "PDA", 2), host + "N_STDLAB.PDA");
  EXPECT_EQ(Resolve("N_CorvoP  ", "PDA     ", 1), host + "N_CorvoP.PDA");
  // Without a host copy: the usual folders.
  EXPECT_EQ(Resolve("N_STDMTL", "PDA", 1), prog + "DAT\\PDA\\N_STDMTL.PDA");
  EXPECT_EQ(Resolve("N_STDMTL", "PDA", 4), input + "N_STDMTL.PDA");
  // Names match case-sensitively: the class table is never the host's.
  EXPECT_EQ(Resolve("N_Mtldef", "PDA", 1), prog + "DAT\\PDA\\N_Mtldef.PDA");
  EXPECT_EQ(Resolve("n_stdlab", "PDA", 1), prog + "DAT\\PDA\\n_stdlab.PDA");
  EXPECT_EQ(Resolve("MAT1", "PDA", 1), prog + "DAT\\PDA\\MAT1.PDA");
  // Only the PDA rule looks at the host folder.
  EXPECT_EQ(Resolve("N_STDLAB", "TMP", 1), temp + "N_STDLAB.TMP");
}

// Every shared name, spelled as the host keeps it, and names close to them.
TEST_F(ResolvePathTest, EachSharedNameAndNoOther) {
  UsePaths(host);
  const char* const shared[] = {
      "D_FXPRIV", "D_IDPRIV", "D_VAPRIV", "G_COMPNA", "G_PROFIL", "N_MTLDEF", "N_MTLDIN",
      "N_MTLCDP", "N_MTLJIS", "N_MTLEN",  "N_PARTNO", "N_PRIVI",  "N_PRIVP",  "N_CorvoI",
      "N_CorvoP", "N_STDLAB", "N_STDMTL", "N_STDOPR", "N_STDWLD", "N_STDPRC", "N_HORSUP"};
  for (const char* name : shared) {
    SCOPED_TRACE(name);
    Write(host + name + ".PDA", "x");
    EXPECT_EQ(Resolve(name, "PDA", 1), host + name + ".PDA");
  }
  for (const char* name : {"N_MTLE", "N_MTLENX", "N_CORVOP", "N_PRIV", " N_STDLAB", "N_STDLA"}) {
    SCOPED_TRACE(name);
    Write(host + name + ".PDA", "x");
    EXPECT_EQ(Resolve(name, "PDA", 1), prog + "DAT\\PDA\\" + name + ".PDA");
  }
}

// A host folder so long that its candidate does not fit in 256 characters: the
// cut candidate is not taken, even when a file of that name exists.
TEST_F(ResolvePathTest, AHostCandidateThatDoesNotFitIsNotTaken) {
  // The folder and "N_STDLAB" make 256 characters; ".PDA" is cut.
  const std::string longHost = root + std::string(256 - 8 - 1 - root.size(), 'H') + "\\";
  ASSERT_EQ(longHost.size() + 8, 256u);
  ASSERT_TRUE(os::CreateFolder(longHost.c_str()));
  Write(longHost + "N_STDLAB", "cut");
  UsePaths(longHost);
  EXPECT_EQ(Resolve("N_STDLAB", "PDA", 1), prog + "DAT\\PDA\\N_STDLAB.PDA");
}

// A blank host data folder leaves the bare file name, found in the current folder.
TEST_F(ResolvePathTest, BlankHostFolderLooksInTheCurrentFolder) {
  UsePaths("");
  Write(root + "N_STDLAB.PDA", "x");
  EXPECT_EQ(Resolve("N_STDLAB", "PDA", 1), prog + "DAT\\PDA\\N_STDLAB.PDA");
#ifdef _WIN32
  const std::string here = root;
#else
  std::string here = root.substr(2);  // drop "Z:"
  for (char& ch : here)
    if (ch == '\\') ch = '/';
#endif
  char before[1024];
#ifdef _WIN32
  ASSERT_NE(_getcwd(before, sizeof before), nullptr);
#else
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
#endif
  ASSERT_EQ(CHANGE_DIR(here.c_str()), 0);
  const std::string resolved = Resolve("N_STDLAB", "PDA", 1);
  ASSERT_EQ(CHANGE_DIR(before), 0);
  EXPECT_EQ(resolved, "N_STDLAB.PDA");
}

// ---- OpenDataFile ---------------------------------------------------------------

using OpenDataFileTest = FilesTest;

TEST_F(OpenDataFileTest, RunInputFileMissingIsReportedToTheHost) {
  UsePaths();
  Open(3, 54, "JOB", "KVT", 2, 80, "DFSEORZZ");
  EXPECT_FALSE(units::IsConnected(54));
  EXPECT_EQ(GantryStandin_CountOf(25), 1);
  EXPECT_EQ(LastReport(), input + "JOB.KVT");

  // Present: text, sequential, read and write, read whole lines past 80.
  const std::string longLine(300, 'L');
  Write(input + "JOB.KVT", "line1\r\n" + longLine + "\r\n");
  Open(3, 54, "JOB", "KVT", 2, 80, "DFSEORZZ");
  ASSERT_TRUE(units::IsConnected(54));
  EXPECT_EQ(GantryStandin_CountOf(25), 1);
  const units::ConnectSpec* spec = units::ConnectedSpec(54);
  EXPECT_EQ(spec->kind, units::RecordKind::Text);
  EXPECT_EQ(spec->access, units::Access::Sequential);
  EXPECT_EQ(spec->existence, units::Existence::MustExist);
  EXPECT_FALSE(spec->readOnly);
  const char* line = nullptr;
  size_t length = 0;
  ASSERT_EQ(units::ReadLine(54, &line, &length), IoStatus::Ok);
  EXPECT_EQ(std::string(line, length), "line1");
  ASSERT_EQ(units::ReadLine(54, &line, &length), IoStatus::Ok);
  EXPECT_EQ(std::string(line, length), longLine);
  Open(2, 54, "", "", 0, 0, "DFSEORZZ");
  EXPECT_FALSE(units::IsConnected(54));
  EXPECT_TRUE(Exists(input + "JOB.KVT"));
}

TEST_F(OpenDataFileTest, AFileThatCannotBeWrittenIsOpenedReadOnly) {
  UsePaths();
  Write(input + "JOB.KVT", "line1\r\n");
  os::SetRefuseWriteOpens(true);
  Open(3, 54, "JOB", "KVT", 2, 80, "DFSEORZZ");
  ASSERT_TRUE(units::IsConnected(54));
  EXPECT_EQ(GantryStandin_CountOf(25), 0);
  EXPECT_TRUE(units::ConnectedSpec(54)->readOnly);
  const char* line = nullptr;
  size_t length = 0;
  EXPECT_EQ(units::ReadLine(54, &line, &length), IoStatus::Ok);
  EXPECT_EQ(units::WriteLine(54, "x", 1), IoStatus::Error);
  // Opening for appending is not turned into reading.
  Open(1, 55, "LOG", "TXT", 2, 80, "DFSEORAZ");
  EXPECT_FALSE(units::IsConnected(55));
  Write(input + "LOG.TXT", "");
  Open(1, 55, "LOG", "TXT", 2, 80, "DFSEORAZ");
  EXPECT_FALSE(units::IsConnected(55));
  EXPECT_EQ(GantryStandin_CountOf(25), 2);
  EXPECT_EQ(LastReport(), input + "LOG.TXT");
  // Nor is a file opened or created ('N'): only a file that must exist is.
  Write(input + "NEW.DAT", "old\r\n");
  Open(1, 56, "NEW", "DAT", 2, 80, "DFSENRZZ");
  EXPECT_FALSE(units::IsConnected(56));
  EXPECT_EQ(GantryStandin_CountOf(25), 3);
  EXPECT_EQ(LastReport(), input + "NEW.DAT");
}

TEST_F(OpenDataFileTest, DatabasesUnderLocation4FallBackToTheProgramDataFolder) {
  UsePaths();
  Write(prog + "DAT\\PDA\\N_Mtldef.PDA", "prog");
  Open(1, 64, "N_Mtldef", "PDA", 4, 10000, "DUDFORZZ");
  ASSERT_TRUE(units::IsConnected(64));
  EXPECT_STREQ(units::ConnectedPath(64), (prog + "DAT\\PDA\\N_Mtldef.PDA").c_str());
  EXPECT_TRUE(units::ConnectedSpec(64)->readOnly);
  EXPECT_EQ(units::ConnectedSpec(64)->kind, units::RecordKind::Binary);
  EXPECT_EQ(units::ConnectedSpec(64)->access, units::Access::Direct);
  Write(input + "N_Mtldef.PDA", "input");
  Open(1, 64, "N_Mtldef", "PDA", 4, 10000, "DUDFORZZ");
  EXPECT_STREQ(units::ConnectedPath(64), (input + "N_Mtldef.PDA").c_str());
  // Location 1: the program's data folder only.
  Open(1, 80, "N_Mtldef", "PDA", 1, 4000, "DUDFORZZ");
  EXPECT_STREQ(units::ConnectedPath(80), (prog + "DAT\\PDA\\N_Mtldef.PDA").c_str());
  EXPECT_EQ(GantryStandin_CountOf(25), 0);
  // Location 2: the input folder only.
  Open(1, 81, "MAT1", "PDA", 2, 1220, "DUDFORZZ");
  Write(prog + "DAT\\PDA\\MAT2.PDA", "prog");
  Open(1, 81, "MAT2", "PDA", 2, 1220, "DUDFORZZ");
  EXPECT_FALSE(units::IsConnected(81));
  EXPECT_EQ(GantryStandin_CountOf(25), 2);
  EXPECT_EQ(LastReport(), input + "MAT2.PDA");
  // Missing everywhere under location 4: the program folder's path is reported.
  Open(1, 81, "MAT3", "PDA", 4, 1220, "DUDFORZZ");
  EXPECT_EQ(LastReport(), prog + "DAT\\PDA\\MAT3.PDA");
  // A shared database in the host folder comes first.
  UsePaths(host);
  Write(host + "N_STDLAB.PDA", "host");
  Write(input + "N_STDLAB.PDA", "input");
  Open(1, 64, "N_STDLAB", "PDA", 4, 800, "DUDFORZZ");
  EXPECT_STREQ(units::ConnectedPath(64), (host + "N_STDLAB.PDA").c_str());
}

TEST_F(OpenDataFileTest, LanguageFilesFallBackToEnglish) {
  UsePaths();
  std::memcpy(g_runPaths.languageCode, "   ", 3);
  Write(prog + "DAT\\LAN\\SCREEN.ENG", "eng");
  Open(1, 60, "SCREEN", "LAN", 1, 80, "DFSEORZZ");
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "ENG");  // a blank code becomes English
  EXPECT_STREQ(units::ConnectedPath(60), (prog + "DAT\\LAN\\SCREEN.ENG").c_str());
  EXPECT_TRUE(units::ConnectedSpec(60)->readOnly);

  std::memcpy(g_runPaths.languageCode, "GER", 3);
  Open(1, 60, "SCREEN", "LAN", 1, 80, "DFSEORZZ");  // no German file
  EXPECT_STREQ(units::ConnectedPath(60), (prog + "DAT\\LAN\\SCREEN.ENG").c_str());
  Write(prog + "DAT\\LAN\\SCREEN.GER", "ger");
  Open(1, 60, "SCREEN", "LAN", 1, 80, "DFSEORZZ");
  EXPECT_STREQ(units::ConnectedPath(60), (prog + "DAT\\LAN\\SCREEN.GER").c_str());
  EXPECT_EQ(Field(g_runPaths.languageCode, 3), "GER");
  EXPECT_EQ(GantryStandin_CountOf(25), 0);

  Open(1, 61, "OTHER", "LAN", 1, 80, "DFSEORZZ");
  EXPECT_FALSE(units::IsConnected(61));
  EXPECT_EQ(LastReport(), prog + "DAT\\LAN\\OTHER.ENG");
}

// Three records of 1220 bytes; record k holds the byte 'a' + k - 1.
TEST_F(OpenDataFileTest, RecordLengthsCountInFourByteUnits) {
  UsePaths();
  std::string bytes;
  for (char c : {'a', 'b', 'c'}) bytes += std::string(1220, c);
  Write(prog + "DAT\\PDA\\PROP.PDA", bytes);
  struct Case {
    int64_t recordLength;
    int64_t recordBytes;
    IoStatus status;
    size_t offset;  // where record 2 starts
  } const cases[] = {
      {1220, 1220, IoStatus::Ok, 1220},
      {1223, 1220, IoStatus::Ok, 1220},  // 305 units, the rest dropped
      {400, 400, IoStatus::Ok, 400},
      {0, 32000, IoStatus::EndOfFile, 0},  // 32000 bytes: no record 2
      {-1, -1, IoStatus::Error, 0},        // no record length
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recordLength);
    Open(1, 81, "PROP", "PDA", 1, c.recordLength, "DUDFORZZ");
    ASSERT_TRUE(units::IsConnected(81));
    EXPECT_EQ(units::ConnectedSpec(81)->recordBytes, c.recordBytes);
    char buffer[1300];
    std::memset(buffer, '.', sizeof buffer);
    EXPECT_EQ(units::ReadRecord(81, 2, buffer, sizeof buffer), c.status);
    if (c.status == IoStatus::Ok) {
      const size_t n = static_cast<size_t>(c.recordBytes);
      EXPECT_EQ(std::string(buffer, n), bytes.substr(c.offset, n));
      EXPECT_EQ(std::string(buffer + n, sizeof buffer - n), std::string(sizeof buffer - n, '.'));
    }
  }
  // The last whole record, and the first one past the end of the file.
  Open(1, 81, "PROP", "PDA", 1, 1220, "DUDFORZZ");
  char last[1220];
  EXPECT_EQ(units::ReadRecord(81, 3, last, sizeof last), IoStatus::Ok);
  EXPECT_EQ(std::string(last, sizeof last), std::string(1220, 'c'));
  EXPECT_EQ(units::ReadRecord(81, 4, last, sizeof last), IoStatus::EndOfFile);
  // Record length 0 reads a 32000-byte record 1 whole.
  Write(input + "BIG.PDA", std::string(32000, 'z') + std::string(32000, 'y'));
  Open(1, 80, "BIG", "PDA", 2, 0, "DUDFORZZ");
  static char big[32000];
  ASSERT_EQ(units::ReadRecord(80, 2, big, sizeof big), IoStatus::Ok);
  EXPECT_EQ(std::string(big, sizeof big), std::string(32000, 'y'));
  // Text records count in characters.
  Write(input + "TEXT.DAT", "0123456789");
  Open(1, 60, "TEXT", "DAT", 2, 3, "DFDFORZZ");
  EXPECT_EQ(units::ConnectedSpec(60)->recordBytes, 3);
  char text[8] = {};
  EXPECT_EQ(units::ReadRecord(60, 2, text, sizeof text), IoStatus::Ok);
  EXPECT_EQ(std::string(text, 3), "345");
}

TEST_F(OpenDataFileTest, DisconnectKeepsOrDeletesByTheSecondLetter) {
  UsePaths();
  Write(input + "A.DAT", "a");
  Open(1, 64, "A", "DAT", 2, 4, "DUDFORZZ");
  ASSERT_TRUE(units::IsConnected(64));
  Open(2, 64, "", "", 0, 0, "DUDFORZZ");
  EXPECT_FALSE(units::IsConnected(64));
  EXPECT_TRUE(Exists(input + "A.DAT"));
  Open(1, 64, "A", "DAT", 2, 4, "DUDFORZZ");
  Open(2, 64, "", "", 0, 0, "DDDFORZZ");
  EXPECT_FALSE(units::IsConnected(64));
  EXPECT_FALSE(Exists(input + "A.DAT"));
  Open(2, 64, "", "", 0, 0, "DDDFORZZ");  // nothing connected: nothing happens
  EXPECT_EQ(GantryStandin_CountOf(25), 0);
}

TEST_F(OpenDataFileTest, ModeLettersChooseTheConnection) {
  UsePaths();
  // 'N' (or any letter but 'O' and 'S'): opened or created.
  Open(1, 60, "NEW", "DAT", 2, 80, "DFSENRZZ");
  ASSERT_TRUE(units::IsConnected(60));
  EXPECT_EQ(units::ConnectedSpec(60)->existence, units::Existence::OpenOrCreate);
  EXPECT_EQ(units::WriteLine(60, "one", 3), IoStatus::Ok);
  Open(2, 60, "", "", 0, 0, "DFSENRZZ");
  // 'A' in position 7: appended, whatever position 3 says.
  Open(1, 60, "NEW", "DAT", 2, 80, "DFDEORAZ");
  EXPECT_EQ(units::ConnectedSpec(60)->access, units::Access::Append);
  EXPECT_EQ(units::WriteLine(60, "two", 3), IoStatus::Ok);
  Open(2, 60, "", "", 0, 0, "DFSENRZZ");
  EXPECT_EQ(testing_support::ReadFileOrEmpty(input + "NEW.DAT"), "one\r\ntwo\r\n");
  // 'S': a scratch file, the run's temporary file of the unit, deleted when
  // disconnected even with 'F' in position 2; a file of the name it was
  // opened under is neither emptied nor deleted.
  Write(input + "SCR.DAT", "keep me");
  Open(1, 61, "SCR", "DAT", 2, 80, "DFSESRZZ");
  EXPECT_EQ(units::ConnectedSpec(61)->existence, units::Existence::Scratch);
  EXPECT_STREQ(units::ConnectedPath(61), (temp + "0A1B2C61.TMP").c_str());
  EXPECT_TRUE(Exists(temp + "0A1B2C61.TMP"));
  EXPECT_EQ(units::WriteLine(61, "scratch", 7), IoStatus::Ok);
  Open(2, 61, "", "", 0, 0, "DFSESRZZ");
  EXPECT_FALSE(Exists(temp + "0A1B2C61.TMP"));
  EXPECT_EQ(testing_support::ReadFileOrEmpty(input + "SCR.DAT"), "keep me");
  // Letters other than 'F' and 'D': binary, sequential.
  Open(1, 62, "NEW", "DAT", 2, 80, "XXXXOXXX");
  EXPECT_EQ(units::ConnectedSpec(62)->kind, units::RecordKind::Binary);
  EXPECT_EQ(units::ConnectedSpec(62)->access, units::Access::Sequential);
  EXPECT_FALSE(units::ConnectedSpec(62)->readOnly);
  // Extensions of read-only files.
  for (const char* ext : {"RPD", "PDA", "ENG", "CHI", "JPN"}) {
    SCOPED_TRACE(ext);
    Open(1, 63, "R", ext, 2, 80, "DUSENRZZ");
    ASSERT_TRUE(units::IsConnected(63));
    EXPECT_TRUE(units::ConnectedSpec(63)->readOnly);
  }
  // 'pda' in lower case is an ordinary file of the input folder, read-write.
  Write(input + "low.pda", "x");
  Open(1, 63, "low", "pda", 1, 80, "DUSEORZZ");
  EXPECT_STREQ(units::ConnectedPath(63), (input + "low.pda").c_str());
  EXPECT_FALSE(units::ConnectedSpec(63)->readOnly);
  EXPECT_EQ(GantryStandin_CountOf(25), 0);
}

// The mode text is read within its length: missing positions are blanks.
TEST_F(OpenDataFileTest, ModeTextIsReadWithinItsLength) {
  UsePaths();
  const char mode[] = "DUDFORZZ";
  int64_t openMode = 1, unit = 60, location = 2, length = 80, spare = 0, error = 5;
  // Length 3: no 'O' in position 5, so a missing file is created, not refused.
  OpenDataFile(&openMode, &unit, "SHORT", 5, "DAT", 3, &location, &length, &spare, mode, 3, &error);
  EXPECT_EQ(error, 0);
  ASSERT_TRUE(units::IsConnected(60));
  EXPECT_EQ(units::ConnectedSpec(60)->access, units::Access::Direct);
  EXPECT_EQ(units::ConnectedSpec(60)->existence, units::Existence::OpenOrCreate);
  // Length 1: disconnecting reads position 2 as a blank, so the file stays.
  const char deleting[] = "DDDFORZZ";
  openMode = 2;
  OpenDataFile(&openMode, &unit, "", 0, "", 0, &location, &length, &spare, deleting, 1, &error);
  EXPECT_FALSE(units::IsConnected(60));
  EXPECT_TRUE(Exists(input + "SHORT.DAT"));
  // Length 0: everything blank; binary, sequential, opened or created.
  openMode = 1;
  OpenDataFile(&openMode, &unit, "SHORT", 5, "DAT", 3, &location, &length, &spare, mode, 0, &error);
  EXPECT_EQ(units::ConnectedSpec(60)->access, units::Access::Sequential);
  EXPECT_EQ(units::ConnectedSpec(60)->kind, units::RecordKind::Binary);
}

TEST_F(OpenDataFileTest, TemporaryFilesAreNamedByRunIdAndUnit) {
  UsePaths();
  struct Case {
    int64_t unit;
    const char* name;
  } const cases[] = {{54, "0A1B2C54"}, {10, "0A1B2C10"},   {99, "0A1B2C99"},  {5, "0A1B2C05"},
                     {0, "0A1B2C00"},  {100, "0A1B2C100"}, {200, "0A1B2C200"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    char name[32];
    ASSERT_TRUE(TempFileName(c.unit, name, sizeof name));
    EXPECT_STREQ(name, c.name);
    Open(1, c.unit, "IGNORED", "TMP  ", 2, 80, "DFSENRZZ");
    if (c.unit >= units::kFirstUnit) {
      EXPECT_STREQ(units::ConnectedPath(c.unit), (temp + c.name + ".TMP").c_str());
      EXPECT_TRUE(Exists(temp + c.name + ".TMP"));
    }
  }
  // An extension that only begins with "TMP" names the file itself, in the
  // temp folder, as ResolvePath puts it.
  Open(1, 57, "SCRATCH", "TMPX", 2, 80, "DFSENRZZ");
  EXPECT_STREQ(units::ConnectedPath(57), (temp + "SCRATCH.TMPX").c_str());
  char name[32];
  ASSERT_TRUE(TempFileName(-7, name, sizeof name));
  EXPECT_STREQ(name, "0A1B2C-7");
  ASSERT_TRUE(TempFileName(-1234567890123, name, sizeof name));
  EXPECT_STREQ(name, "0A1B2C-1234567890123");
  char small[9];
  EXPECT_FALSE(TempFileName(100, small, sizeof small));  // whole, or not at all
  EXPECT_STREQ(small, "");
  EXPECT_TRUE(TempFileName(99, small, sizeof small));
  EXPECT_STREQ(small, "0A1B2C99");
}

// A path that does not fit its field is a failed open, even when the cut path
// names a file that exists.
TEST_F(OpenDataFileTest, APathThatDoesNotFitIsAFailedOpen) {
  UsePaths();
  const std::string name(256 - input.size(), 'A');
  Write(input + name, "x");
  // The unit held another file: a failed open leaves it without one.
  Write(input + "JOB.KVT", "x");
  Open(1, 60, "JOB", "KVT", 2, 80, "DFSEORZZ");
  ASSERT_TRUE(units::IsConnected(60));
  Open(1, 60, name, "KVT", 2, 80, "DFSEORZZ");
  EXPECT_FALSE(units::IsConnected(60));
  EXPECT_TRUE(Exists(input + "JOB.KVT"));
  ASSERT_EQ(GantryStandin_CountOf(25), 1);
  EXPECT_EQ(LastReport(), input + name);  // the 256 characters that fit
  EXPECT_EQ(GantryStandin_LastOf(25)->value[0], 256);
  EXPECT_TRUE(Exists(input + name));
}

TEST_F(OpenDataFileTest, TheReportHoldsExactlyThePathWithoutTrailingBlanks) {
  UsePaths();
  // A hook sees the caller's bytes while the call lasts.
  static std::string seen;
  seen.clear();
  GantryStandin_SetHook(25, [] {
    const GantryCall* c = GantryStandin_LastOf(25);
    seen.assign(static_cast<const char*>(c->address[0]), static_cast<size_t>(c->value[0]));
  });
  Open(1, 81, "NOFILE  ", "PDA     ", 1, 1220, "DUDFORZZ");
  const std::string path = prog + "DAT\\PDA\\NOFILE.PDA";
  EXPECT_EQ(LastReport(), path);
  EXPECT_EQ(GantryStandin_LastOf(25)->value[0], static_cast<int64_t>(path.size()));
  EXPECT_EQ(seen, path);
}

// What each open asks of the system: the open itself says whether a file is
// there, and only a choice between two places looks first (the host data
// folder for a shared database; the input folder before the program's under
// location 4; the run's language before English). A place found empty is not
// looked at again.
TEST_F(OpenDataFileTest, EachOpenAsksOnlyWhatItsLookupNeeds) {
  UsePaths(host);
  std::memcpy(g_runPaths.languageCode, "GER", 3);
  Write(input + "JOB.KVT", "x");
  Write(prog + "DAT\\PDA\\N_ASMEI.PDA", "x");
  Write(host + "N_STDLAB.PDA", "x");
  Write(prog + "DAT\\PDA\\N_STDMTL.PDA", "x");
  Write(input + "N_Mtldef.PDA", "x");
  Write(prog + "DAT\\PDA\\MAT4.PDA", "x");
  Write(prog + "DAT\\LAN\\SCREEN.GER", "x");
  Write(prog + "DAT\\LAN\\OTHER.ENG", "x");
  struct Case {
    const char* label;
    int64_t unit;
    const char* name;
    const char* extension;
    int64_t location;
    const char* modeText;
    std::string connected;  // "" when nothing is
    int64_t opens;
    int64_t probes;
    int32_t reports;
  };
  const Case cases[] = {
      {"run input file", 54, "JOB", "KVT", 2, "DFSEORZZ", input + "JOB.KVT", 1, 0, 0},
      // Opened for reading and writing, then for reading only.
      {"run input file missing", 54, "GONE", "KVT", 2, "DFSEORZZ", "", 2, 0, 1},
      {"index file", 80, "N_ASMEI", "PDA", 1, "DUDFORZZ", prog + "DAT\\PDA\\N_ASMEI.PDA", 1, 0, 0},
      {"index file missing", 80, "N_JISI", "PDA", 1, "DUDFORZZ", "", 1, 0, 1},
      {"shared database in the host folder", 64, "N_STDLAB", "PDA", 4, "DUDFORZZ",
       host + "N_STDLAB.PDA", 1, 1, 0},
      // The host folder, then the input folder.
      {"shared database in the program folder", 64, "N_STDMTL", "PDA", 4, "DUDFORZZ",
       prog + "DAT\\PDA\\N_STDMTL.PDA", 1, 2, 0},
      {"class table in the input folder", 64, "N_Mtldef", "PDA", 4, "DUDFORZZ",
       input + "N_Mtldef.PDA", 1, 1, 0},
      {"database in the program folder", 64, "MAT4", "PDA", 4, "DUDFORZZ",
       prog + "DAT\\PDA\\MAT4.PDA", 1, 1, 0},
      {"language file of the run's language", 60, "SCREEN", "LAN", 1, "DFSEORZZ",
       prog + "DAT\\LAN\\SCREEN.GER", 1, 1, 0},
      {"language file in English only", 60, "OTHER", "LAN", 1, "DFSEORZZ",
       prog + "DAT\\LAN\\OTHER.ENG", 1, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const int32_t reportsBefore = GantryStandin_CountOf(25);
    os::ResetFileSystemCalls();
    Open(1, c.unit, c.name, c.extension, c.location, 80, c.modeText);
    const os::FileSystemCalls counted = os::CountedFileSystemCalls();
    const char* connected = units::ConnectedPath(c.unit);
    EXPECT_EQ(connected ? std::string(connected) : std::string(), c.connected);
    EXPECT_EQ(counted.opens, c.opens);
    EXPECT_EQ(counted.probes, c.probes);
    EXPECT_EQ(GantryStandin_CountOf(25) - reportsBefore, c.reports);
    Open(2, c.unit, "", "", 0, 0, c.modeText);
  }
}

// For a caller to whom a missing file is an answer of its own: a file that is
// not there is not reported, one that is there but cannot be opened is, once,
// with its path.
TEST_F(OpenDataFileTest, OpenIfPresentReportsOnlyAFileThatIsThere) {
  UsePaths();
  const std::string index = prog + "DAT\\PDA\\N_ASMEI.PDA";
  const std::string tooLong(256 - prog.size(), 'A');
  Write(index, "x");
  struct Case {
    const char* label;
    const char* name;
    bool held;  // another program holds the file
    DataFileOpen result;
    int64_t opens;
    int64_t probes;
    const char* report;  // nullptr: none
  };
  const Case cases[] = {
      {"there", "N_ASMEI", false, DataFileOpen::kConnected, 1, 0, nullptr},
      {"missing", "N_JISI", false, DataFileOpen::kMissing, 1, 1, nullptr},
      {"there but held", "N_ASMEI", true, DataFileOpen::kNotOpened, 1, 1, "N_ASMEI.PDA"},
      {"a path that does not fit", tooLong.c_str(), false, DataFileOpen::kMissing, 0, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const int32_t reportsBefore = GantryStandin_CountOf(25);
    os::SetLockedFile(c.held ? index.c_str() : nullptr);
    os::ResetFileSystemCalls();
    const DataFileOpen result = OpenDataFileIfPresent(
        80, c.name, static_cast<int64_t>(std::strlen(c.name)), "PDA", 3, 1, 4000, "DUDFORZZ", 8);
    const os::FileSystemCalls counted = os::CountedFileSystemCalls();
    os::SetLockedFile(nullptr);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(units::IsConnected(80), c.result == DataFileOpen::kConnected);
    EXPECT_EQ(counted.opens, c.opens);
    EXPECT_EQ(counted.probes, c.probes);
    EXPECT_EQ(GantryStandin_CountOf(25) - reportsBefore, c.report ? 1 : 0);
    if (c.report) {
      EXPECT_EQ(LastReport(), prog + "DAT\\PDA\\" + c.report);
    }
    units::Disconnect(80, false);
  }
}

}  // namespace
