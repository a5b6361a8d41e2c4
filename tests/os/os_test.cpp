// The OS seam behaves alike on both builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "os/os.h"
#include "support/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace ts = testing_support;

namespace {

struct WildcardCase {
  const char* pattern;
  const char* name;
  bool match;
};

TEST(OsWildcard, MatchesAsWindowsDoes) {
  const WildcardCase cases[] = {
      {"0A1B2C*.TMP", "0A1B2C54.TMP", true},
      {"0A1B2C*.TMP", "0a1b2c54.tmp", true},
      {"0A1B2C*.TMP", "0A1B2C.TMP", true},
      {"0A1B2C*.TMP", "FFFFFF54.TMP", false},
      {"0A1B2C*.TMP", "0A1B2C54.TMPX", false},
      {"*.KVT", "JOB.KVT", true},
      {"*.KVT", "JOB.KVTX", false},
      {"?OB.KVT", "JOB.KVT", true},
      {"?OB.KVT", "OB.KVT", false},
      {"*", "ANYTHING.X", true},
      {"*.*", "NODOT", true},
      {"A*B*C", "AXXBYYC", true},
      {"A*B*C", "AXXBYY", false},
      {"A*BC", "ABBC", true},     // the star gives back what it took
      {"JOB**", "JOB", true},     // stars at the end may take nothing
      {"NODOT.", "NODOT", true},  // a trailing dot: no extension
  };
  for (const WildcardCase& c : cases) {
    EXPECT_EQ(os::WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
  }
}

TEST(OsOemToAnsi, BestFitExamples) {
  const unsigned char in[] = {0x41, 0x82, 0xF8, 0xC4, 0xB3, 0xDA, 0xE1};
  const unsigned char want[] = {0x41, 0xE9, 0xB0, 0x2D, 0xA6, 0x2B, 0xDF};
  char out[sizeof in];
  os::ConvertOemToAnsi(reinterpret_cast<const char*>(in), out, sizeof in);
  for (size_t i = 0; i < sizeof in; ++i) {
    EXPECT_EQ(static_cast<unsigned char>(out[i]), want[i]) << "byte " << i;
  }
}

#ifdef _WIN32
// The native build's table must give exactly what the system gives.
TEST(OsOemToAnsi, TableAgreesWithTheSystemOnEveryByte) {
  char in[256], out[256];
  for (int i = 0; i < 256; ++i) in[i] = static_cast<char>(i);
  ::OemToCharBuffA(in, out, 256);
  const unsigned char* table = os::OemToAnsiTable();
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(static_cast<unsigned char>(out[i]), table[i]) << "OEM byte " << i;
  }
}
#endif

TEST(OsFiles, CreateFindAndDeleteWithoutRegardToCase) {
  const std::string dir = ts::MakeTempFolder("os-files");
  ASSERT_TRUE(ts::WriteFileBytes(dir + "Mixed.Txt", "abc"));
  EXPECT_TRUE(os::FileExists((dir + "MIXED.TXT").c_str()));
  EXPECT_TRUE(os::FileExists((dir + "mixed.txt").c_str()));
  EXPECT_FALSE(os::FileExists((dir + "other.txt").c_str()));
  EXPECT_TRUE(os::FolderExists(dir.c_str()));
  EXPECT_FALSE(os::FileExists(dir.c_str()));
  EXPECT_EQ(os::FileSize((dir + "mixed.txt").c_str()), 3);
  EXPECT_NE(os::FileAttributes(dir.c_str()) & os::kAttrDirectory, 0u);
  EXPECT_EQ(os::FileAttributes((dir + "none").c_str()), os::kInvalidAttributes);

  os::FindData fd;
  os::FindHandle* h = os::FindFirst((dir + "*.TXT").c_str(), &fd);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(fd.name, "Mixed.Txt");
  EXPECT_FALSE(os::FindNext(h, &fd));
  os::FindClose(h);
  EXPECT_EQ(os::FindFirst((dir + "*.KVT").c_str(), &fd), nullptr);

  EXPECT_TRUE(os::ResizeFile((dir + "MIXED.TXT").c_str(), 1));
  EXPECT_EQ(ts::ReadFileOrEmpty(dir + "Mixed.Txt"), "a");
  EXPECT_TRUE(os::RemoveFile((dir + "MIXED.txt").c_str()));
  EXPECT_FALSE(os::RemoveFile((dir + "MIXED.txt").c_str()));
}

// Windows opens no folder as a file; Linux would open one for reading, and
// the callers take a failed open to mean that the path names no file.
TEST(OsFiles, AFolderIsNeverOpenedAsAFile) {
  const std::string dir = ts::MakeTempFolder("os-folder-open");
  ASSERT_TRUE(os::CreateFolder((dir + "SUB.PDA").c_str()));
  for (const std::string& path : {dir, dir + "SUB.PDA", dir + "sub.pda\\"}) {
    for (const char* mode : {"rb", "r+b"}) {
      FILE* f = os::OpenFile(path.c_str(), mode);
      EXPECT_EQ(f, nullptr) << path << " " << mode;
      if (f) std::fclose(f);
    }
  }
}

// Each request of the file system counts once, under its own kind and no
// other; a test fault's own look at the file counts for nothing.
struct CountContext {
  std::string dir;
  std::string a;  // an existing file
  os::FindHandle* search = nullptr;
  os::FindData found;
  char buf[300];
};

TEST(OsCounts, EachRequestCountsOnceUnderItsKind) {
  CountContext x;
  x.dir = ts::MakeTempFolder("os-counts");
  x.a = x.dir + "A.TXT";
  ASSERT_TRUE(ts::WriteFileBytes(x.a, "abc"));
  ASSERT_TRUE(ts::WriteFileBytes(x.dir + "B.TXT", "abc"));
  os::SetSettingsFolder(x.dir.c_str());
  using Count = int64_t os::FileSystemCalls::*;
  using F = os::FileSystemCalls;
  struct Case {
    const char* label;
    void (*request)(CountContext& x);
    Count kind;
    int64_t expected;
  };
  const Case cases[] = {
      {"FileExists", [](CountContext& x) { os::FileExists(x.a.c_str()); }, &F::probes, 1},
      {"FolderExists", [](CountContext& x) { os::FolderExists(x.dir.c_str()); }, &F::probes, 1},
      {"FileAttributes", [](CountContext& x) { os::FileAttributes(x.a.c_str()); }, &F::probes, 1},
      {"FileSize", [](CountContext& x) { os::FileSize(x.a.c_str()); }, &F::probes, 1},
      {"GetFileIdentity",
       [](CountContext& x) {
         os::FileIdentity id;
         os::GetFileIdentity(x.a.c_str(), &id);
       },
       &F::probes, 1},
      {"IsSameFile: the identity of each",
       [](CountContext& x) { os::IsSameFile(x.a.c_str(), (x.dir + "B.TXT").c_str()); }, &F::probes,
       2},
      {"OpenFile", [](CountContext& x) { std::fclose(os::OpenFile(x.a.c_str(), "rb")); }, &F::opens,
       1},
      {"OpenFileShared",
       [](CountContext& x) { std::fclose(os::OpenFileShared(x.a.c_str(), "ab")); }, &F::opens, 1},
      {"OpenFile refused by the test fault",
       [](CountContext& x) {
         os::SetRefuseWriteOpens(true);
         EXPECT_EQ(os::OpenFile(x.a.c_str(), "r+b"), nullptr);
         os::SetRefuseWriteOpens(false);
       },
       &F::opens, 1},
      {"FindFirst",
       [](CountContext& x) { x.search = os::FindFirst((x.dir + "*.TXT").c_str(), &x.found); },
       &F::searches, 1},
      {"FindNext", [](CountContext& x) { os::FindNext(x.search, &x.found); }, &F::searchSteps, 1},
      {"FindClose: no request of its own", [](CountContext& x) { os::FindClose(x.search); },
       &F::searches, 0},
      {"RemoveFile", [](CountContext& x) { os::RemoveFile((x.dir + "B.TXT").c_str()); },
       &F::deletes, 1},
      {"ReadSetting",
       [](CountContext& x) { os::ReadSetting("S", "K", "", x.buf, sizeof x.buf, "C.INI"); },
       &F::settings, 1},
      {"WriteSetting", [](CountContext&) { os::WriteSetting("S", "K", "V", "C.INI"); },
       &F::settings, 1},
      {"ReadSystemSetting",
       [](CountContext& x) { os::ReadSystemSetting("S", "K", "", x.buf, sizeof x.buf); },
       &F::settings, 1},
      {"TempFolder", [](CountContext& x) { os::TempFolder(sizeof x.buf, x.buf); }, &F::others, 1},
      {"CreateFolder", [](CountContext& x) { os::CreateFolder((x.dir + "SUB").c_str()); },
       &F::others, 1},
      {"ResizeFile", [](CountContext& x) { os::ResizeFile(x.a.c_str(), 1); }, &F::others, 1},
  };
  const Count kinds[] = {&F::opens,   &F::probes,   &F::searches, &F::searchSteps,
                         &F::deletes, &F::settings, &F::others};
  for (const Case& c : cases) {
    os::ResetFileSystemCalls();
    c.request(x);
    const os::FileSystemCalls counted = os::CountedFileSystemCalls();
    for (Count k : kinds) EXPECT_EQ(counted.*k, k == c.kind ? c.expected : 0) << c.label;
  }
  os::OsResetOverrides();
}

// A file is itself however its path is spelt; two files with equal bytes are
// not the same file.
TEST(OsFiles, FileIdentityFollowsTheFileNotTheSpelling) {
  const std::string dir = ts::MakeTempFolder("os-identity");
  ASSERT_TRUE(ts::WriteFileBytes(dir + "Report.KVO", "abc"));
  ASSERT_TRUE(ts::WriteFileBytes(dir + "Other.KVO", "abc"));
  ASSERT_TRUE(os::CreateFolder((dir + "SUB\\").c_str()));
  const std::string report = dir + "Report.KVO";
  struct Case {
    const char* label;
    std::string other;
    bool same;
  };
  const Case cases[] = {
      {"the same text", report, true},
      {"another case", dir + "REPORT.kvo", true},
      {"through a folder and back", dir + "SUB\\..\\Report.KVO", true},
      {"a file with the same bytes", dir + "Other.KVO", false},
      {"a missing file", dir + "None.KVO", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(os::IsSameFile(report.c_str(), c.other.c_str()), c.same);
  }
  os::FileIdentity id;
  EXPECT_FALSE(os::GetFileIdentity((dir + "None.KVO").c_str(), &id));
  EXPECT_TRUE(os::GetFileIdentity(report.c_str(), &id));
}

// A second hard link is the same file.
TEST(OsFiles, HardLinkIsTheSameFile) {
  const std::string dir = ts::MakeTempFolder("os-hardlink");
  ASSERT_TRUE(ts::WriteFileBytes(dir + "A.KVO", "abc"));
#ifdef _WIN32
  ASSERT_TRUE(::CreateHardLinkA((dir + "B.KVO").c_str(), (dir + "A.KVO").c_str(), nullptr));
#else
  const std::string native = dir.substr(2);  // "Z:\x\" natively is "/x/"
  std::string a = native + "A.KVO";
  std::string b = native + "B.KVO";
  for (char& ch : a) ch = ch == '\\' ? '/' : ch;
  for (char& ch : b) ch = ch == '\\' ? '/' : ch;
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);
#endif
  EXPECT_TRUE(os::IsSameFile((dir + "A.KVO").c_str(), (dir + "B.KVO").c_str()));
}

// Folders found whatever the case of any part of the path, a new file created in
// the existing folder, folders told from files, and a drive letter with no '\'
// after it meaning the current folder.
TEST(OsFiles, FoldersAndPathsWithoutRegardToCase) {
  const std::string dir = ts::MakeTempFolder("os-folders");
  EXPECT_TRUE(os::CreateFolder((dir + "Sub").c_str()));
  EXPECT_TRUE(os::CreateFolder((dir + "SUB").c_str()));  // there already
  EXPECT_FALSE(os::CreateFolder((dir + "none\\deeper").c_str()));
  EXPECT_FALSE(os::FolderExists((dir + "none").c_str()));
  ASSERT_TRUE(ts::WriteFileBytes(dir + "Sub\\Inner.Kvt", "12345"));
  EXPECT_FALSE(os::CreateFolder((dir + "Sub\\Inner.Kvt").c_str()));  // a file by that name
  EXPECT_TRUE(os::FileExists((dir + "SUB\\INNER.KVT").c_str()));
  EXPECT_EQ(os::FileSize((dir + "sub\\inner.kvt").c_str()), 5);
  EXPECT_EQ(os::FileSize((dir + "Sub").c_str()), -1);
  EXPECT_EQ(os::FileAttributes((dir + "SUB\\Inner.kvt").c_str()) & os::kAttrDirectory, 0u);

  FILE* f = os::OpenFile((dir + "SUB\\New.txt").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(os::FileExists((dir + "Sub\\New.txt").c_str()));

  os::FindData fd;
  os::FindHandle* h = os::FindFirst((dir + "S*").c_str(), &fd);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(fd.name, "Sub");
  EXPECT_TRUE(fd.isFolder);
  os::FindClose(h);
  h = os::FindFirst((dir + "sub\\*.KVT").c_str(), &fd);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(fd.name, "Inner.Kvt");
  EXPECT_FALSE(fd.isFolder);
  os::FindClose(h);

  // "Z:Sub\Inner.Kvt" is relative to the current folder of drive Z:.
  char oldDir[1024];
#ifdef _WIN32
  ASSERT_GT(::GetCurrentDirectoryA(sizeof oldDir, oldDir), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryA(dir.c_str()));
#else
  ASSERT_NE(::getcwd(oldDir, sizeof oldDir), nullptr);
  std::string posixDir = dir.substr(2);
  for (char& c : posixDir) {
    if (c == '\\') c = '/';
  }
  ASSERT_EQ(::chdir(posixDir.c_str()), 0);
#endif
  EXPECT_TRUE(os::FileExists("Z:Sub\\Inner.Kvt"));
#ifdef _WIN32
  ::SetCurrentDirectoryA(oldDir);
#else
  EXPECT_EQ(::chdir(oldDir), 0);
#endif
}

TEST(OsSettings, ReadWriteInTheTestsFolder) {
  const std::string dir = ts::MakeTempFolder("os-ini");
  os::SetSettingsFolder(dir.c_str());
  char buf[80];
  EXPECT_EQ(os::ReadSetting("Setting", "Language", "Default", buf, sizeof buf, "KVORSCRN.INI"), 7u);
  EXPECT_STREQ(buf, "Default");
  ASSERT_TRUE(os::WriteSetting("Setting", "Language", "GERMAN", "KVORSCRN.INI"));
  ASSERT_TRUE(os::WriteSetting("Print Format", "Output", "2 per 1", "KVORSCRN.INI"));
  os::ReadSetting("setting", "language", "Default", buf, sizeof buf, "KVORSCRN.INI");
  EXPECT_STREQ(buf, "GERMAN");
  ASSERT_TRUE(os::WriteSetting("Setting", "Language", "FRENCH", "KVORSCRN.INI"));
  os::ReadSetting("Setting", "Language", "Default", buf, sizeof buf, "KVORSCRN.INI");
  EXPECT_STREQ(buf, "FRENCH");
  os::ReadSetting("Print Format", "Output", "", buf, sizeof buf, "KVORSCRN.INI");
  EXPECT_STREQ(buf, "2 per 1");
  EXPECT_TRUE(ts::FileExists(dir + "KVORSCRN.INI"));
  // A new key goes at the end of its section.
  ASSERT_TRUE(os::WriteSetting("Setting", "Units", "SI", "KVORSCRN.INI"));
  EXPECT_EQ(ts::ReadFileOrEmpty(dir + "KVORSCRN.INI"),
            "[Setting]\r\nLanguage=FRENCH\r\nUnits=SI\r\n[Print Format]\r\nOutput=2 per 1\r\n");
  // A key added to a section that has none yet.
  ASSERT_TRUE(ts::WriteFileBytes(dir + "EMPTY.INI", "[A]\r\nx=1\r\n[Empty]\r\n[B]\r\ny=2\r\n"));
  ASSERT_TRUE(os::WriteSetting("Empty", "e", "4", "EMPTY.INI"));
  EXPECT_EQ(ts::ReadFileOrEmpty(dir + "EMPTY.INI"),
            "[A]\r\nx=1\r\n[Empty]\r\ne=4\r\n[B]\r\ny=2\r\n");
  // A null value deletes the key; deleting a key that is not there adds nothing.
  ASSERT_TRUE(os::WriteSetting("Setting", "Units", nullptr, "KVORSCRN.INI"));
  ASSERT_TRUE(os::WriteSetting("Setting", "Missing", nullptr, "KVORSCRN.INI"));
  EXPECT_EQ(ts::ReadFileOrEmpty(dir + "KVORSCRN.INI"),
            "[Setting]\r\nLanguage=FRENCH\r\n[Print Format]\r\nOutput=2 per 1\r\n");
  EXPECT_EQ(os::ReadSetting("Setting", "Units", "none", buf, sizeof buf, "KVORSCRN.INI"), 4u);
  // Writing into a folder that does not exist fails.
  EXPECT_FALSE(os::WriteSetting("Setting", "Language", "GERMAN", (dir + "none\\X.INI").c_str()));
  ts::ResetOsOverrides();
}

// Settings text written by hand, read as Windows reads it.
TEST(OsSettings, ReadsHandWrittenText) {
  const std::string dir = ts::MakeTempFolder("os-ini-text");
  os::SetSettingsFolder(dir.c_str());
  ASSERT_TRUE(ts::WriteFileBytes(dir + "TEXT.INI",
                                 "[Setting]\r\n"
                                 " Language = GERMAN \t\r\n"
                                 "Quoted=\"two words\"\r\n"
                                 "Single='one'\r\n"
                                 "Unbalanced=\"open\r\n"
                                 "Formula=x=1\r\n"
                                 "[Print Format]\r\n"
                                 "Output=2 per 1\r\n"
                                 "Language=ENGLISH"));  // no line end after the last line
  struct Row {
    const char* section;
    const char* key;
    const char* want;
  };
  const Row rows[] = {
      {"Setting", "Language", "GERMAN"},
      {"Setting", "Quoted", "two words"},
      {"Setting", "Single", "one"},
      {"Setting", "Unbalanced", "\"open"},
      {"Setting", "Formula", "x=1"},
      {"Setting", "Output", "none"},  // a key of the next section
      {"Print Format", "Language", "ENGLISH"},
  };
  char buf[80];
  for (const Row& r : rows) {
    const uint32_t n = os::ReadSetting(r.section, r.key, "none", buf, sizeof buf, "TEXT.INI");
    EXPECT_STREQ(buf, r.want) << r.section << "/" << r.key;
    EXPECT_EQ(n, std::strlen(r.want)) << r.section << "/" << r.key;
  }
  // A value cut to the buffer: size - 1 characters and the NUL.
  EXPECT_EQ(os::ReadSetting("Setting", "Language", "none", buf, 7, "TEXT.INI"), 6u);
  EXPECT_STREQ(buf, "GERMAN");
  EXPECT_EQ(os::ReadSetting("Setting", "Language", "none", buf, 6, "TEXT.INI"), 5u);
  EXPECT_STREQ(buf, "GERMA");

  // Only a bare name lies in the settings folder; a path (here rooted, with no
  // drive letter) names its own file.
  const std::string other = ts::MakeTempFolder("os-ini-other");
  ASSERT_TRUE(
      os::WriteSetting("Setting", "Language", "GERMAN", (other.substr(2) + "OTHER.INI").c_str()));
  EXPECT_TRUE(ts::FileExists(other + "OTHER.INI"));
  EXPECT_FALSE(ts::FileExists(dir + "OTHER.INI"));

  // The system profile is WIN.INI in the settings folder.
  ASSERT_TRUE(os::WriteSetting("Veskar Test", "Printer", "Plotter", "WIN.INI"));
  EXPECT_EQ(os::ReadSystemSetting("veskar test", "printer", "none", buf, sizeof buf), 7u);
  EXPECT_STREQ(buf, "Plotter");
  ts::ResetOsOverrides();
}

TEST(OsTempPath, OverrideAndFailure) {
  char buf[300];
  os::SetTempPathOverride("Z:\\tmp\\x\\");
  EXPECT_EQ(os::TempFolder(sizeof buf, buf), 9u);
  EXPECT_STREQ(buf, "Z:\\tmp\\x\\");
  EXPECT_EQ(os::TempFolder(5, buf), 10u);  // too small: the size needed
  EXPECT_EQ(os::TempFolder(9, buf), 10u);  // no room for the NUL
  EXPECT_EQ(os::TempFolder(10, buf), 9u);  // just fits
  EXPECT_STREQ(buf, "Z:\\tmp\\x\\");
  os::SetTempPathOverride("");
  EXPECT_EQ(os::TempFolder(sizeof buf, buf), 0u);
  os::SetTempPathOverride(nullptr);  // the real one again
  const uint32_t n = os::TempFolder(sizeof buf, buf);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(buf[n - 1], '\\');
  EXPECT_EQ(std::strchr(buf, '/'), nullptr);  // a Windows path
  ts::ResetOsOverrides();
}

TEST(OsClock, OverridesAndLocalTime) {
  os::SetClockOverride([]() -> int64_t { return 10; });
  EXPECT_EQ(os::TimeNow(), 10);
  os::SetProcessClockOverride([]() -> int64_t { return 5000; });
  EXPECT_EQ(os::ProcessClockMillis(), 5000);
  ts::ResetOsOverrides();
  EXPECT_GT(os::TimeNow(), 1700000000);
  const os::LocalTime lt = os::ToLocalTime(os::TimeNow());
  EXPECT_GE(lt.year, 2024);
}

TEST(OsMemory, MovableBlocksAndInjectedFailure) {
  os::MemBlock b = os::MemAlloc(os::kGmemMoveable | os::kGmemZeroInit, 100);
  ASSERT_NE(b, nullptr);
  EXPECT_GE(os::MemSize(b), 100u);
  auto* p = static_cast<unsigned char*>(os::MemLock(b));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[99], 0);
  os::MemUnlock(b);
  EXPECT_EQ(os::MemFree(b), nullptr);
  os::SetMemAllocFailAfter(1);
  os::MemBlock ok = os::MemAlloc(os::kGmemMoveable, 8);
  EXPECT_NE(ok, nullptr);
  EXPECT_EQ(os::MemAlloc(os::kGmemMoveable, 8), nullptr);
  os::MemFree(ok);
  ts::ResetOsOverrides();
}

// Lock counts, growing a block (its contents kept, the new byte zeroed) and a
// re-allocation refused like an allocation.
TEST(OsMemory, LockCountsAndReAllocation) {
  os::MemBlock b = os::MemAlloc(os::kGmemMoveable, 4);
  ASSERT_NE(b, nullptr);
  std::memcpy(os::MemLock(b), "abcd", 4);
  ASSERT_NE(os::MemLock(b), nullptr);
  EXPECT_TRUE(os::MemUnlock(b));   // still locked once
  EXPECT_FALSE(os::MemUnlock(b));  // now unlocked
  os::MemBlock g = os::MemReAlloc(b, 5, os::kGmemMoveable | os::kGmemZeroInit);
  ASSERT_NE(g, nullptr);
  EXPECT_GE(os::MemSize(g), 5u);
  auto* p = static_cast<const char*>(os::MemLock(g));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p, 5), std::string("abcd\0", 5));
  os::MemUnlock(g);
  os::SetMemAllocFailAfter(0);
  EXPECT_EQ(os::MemReAlloc(g, 64, os::kGmemMoveable), nullptr);
  ts::ResetOsOverrides();
  EXPECT_EQ(os::MemFree(g), nullptr);
}

// A lock refused like an allocation: after one more lock, every lock fails
// until the overrides are reset; a refused lock leaves the block unlocked.
TEST(OsMemory, LocksCanBeMadeToFail) {
  os::MemBlock b = os::MemAlloc(os::kGmemMoveable, 4);
  ASSERT_NE(b, nullptr);
  os::SetMemLockFailAfter(1);
  ASSERT_NE(os::MemLock(b), nullptr);
  EXPECT_EQ(os::MemLock(b), nullptr);
  EXPECT_FALSE(os::MemUnlock(b));  // the one lock that was made
  ts::ResetOsOverrides();
  EXPECT_NE(os::MemLock(b), nullptr);
  os::MemUnlock(b);
  EXPECT_EQ(os::MemFree(b), nullptr);
}

int g_hookCalls = 0;

// Every override back to the system in one call, as each test relies on.
TEST(OsOverrides, ResetReturnsEachToTheSystem) {
  const std::string dir = ts::MakeTempFolder("os-reset");
  ASSERT_TRUE(ts::WriteFileBytes(dir + "OSRESET.INI", "[S]\r\nK=folder\r\n"));
  char buf[300];
  os::SetSettingsFolder(dir.c_str());
  os::ReadSetting("S", "K", "none", buf, sizeof buf, "OSRESET.INI");
  EXPECT_STREQ(buf, "folder");
  os::SetClockOverride([]() -> int64_t { return 10; });
  os::SetLocalTimeOverride([](int64_t) { return os::LocalTime{2001, 2, 3, 4, 5, 6}; });
  os::SetProcessClockOverride([]() -> int64_t { return 123456789; });
  os::SetMemAllocFailAfter(0);
  os::SetTempPathOverride("");
  os::SetLockedFile((dir + "OSRESET.INI").c_str());
  os::SetMessageBoxHook([](void*, const char*, const char*, uint32_t) {
    ++g_hookCalls;
    return os::kIdOk;
  });
  EXPECT_EQ(os::ToLocalTime(0).year, 2001);
  EXPECT_EQ(os::MemAlloc(os::kGmemMoveable, 8), nullptr);

  EXPECT_EQ(os::OpenFile((dir + "OSRESET.INI").c_str(), "rb"), nullptr);

  os::OsResetOverrides();
  os::ReadSetting("S", "K", "none", buf, sizeof buf, "OSRESET.INI");
  EXPECT_STREQ(buf, "none");
  FILE* unlocked = os::OpenFile((dir + "OSRESET.INI").c_str(), "rb");
  EXPECT_NE(unlocked, nullptr);
  if (unlocked) std::fclose(unlocked);
  EXPECT_GT(os::TimeNow(), 1700000000);
  EXPECT_GE(os::ToLocalTime(os::TimeNow()).year, 2024);
  EXPECT_LT(os::ProcessClockMillis(), 123456789);
  os::MemBlock b = os::MemAlloc(os::kGmemMoveable, 8);
  EXPECT_NE(b, nullptr);
  os::MemFree(b);
  EXPECT_GT(os::TempFolder(sizeof buf, buf), 0u);
#ifndef _WIN32
  // (The real message box would block a headless Windows run.)
  os::ShowMessageBox(nullptr, "text", "title", os::kMbOk);
  EXPECT_EQ(g_hookCalls, 0);
#endif
}

// A locked file opens in no mode while it exists, whatever the case of its
// path; other files, and a new file created at that path, open as ever.
TEST(OsOverrides, LockedFileOpensInNoMode) {
  const std::string dir = ts::MakeTempFolder("os-locked");
  ASSERT_TRUE(ts::WriteFileBytes(dir + "HELD.KFD", "held"));
  ASSERT_TRUE(ts::WriteFileBytes(dir + "FREE.KFD", "free"));
  os::SetLockedFile((dir + "Held.Kfd").c_str());
  for (const char* mode : {"rb", "ab", "r+b", "a+b", "wb"}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(os::OpenFile((dir + "HELD.KFD").c_str(), mode), nullptr);
    EXPECT_EQ(os::OpenFileShared((dir + "held.kfd").c_str(), mode), nullptr);
  }
  EXPECT_TRUE(os::FileExists((dir + "HELD.KFD").c_str()));
  os::SetLockedFile(nullptr);
  EXPECT_EQ(ts::ReadFileOrEmpty(dir + "HELD.KFD"), "held");  // never emptied
  os::SetLockedFile((dir + "HELD.KFD").c_str());
  FILE* f = os::OpenFile((dir + "FREE.KFD").c_str(), "rb");
  EXPECT_NE(f, nullptr);
  if (f) std::fclose(f);
  ASSERT_TRUE(os::RemoveFile((dir + "HELD.KFD").c_str()));
  f = os::OpenFile((dir + "HELD.KFD").c_str(), "wb");
  EXPECT_NE(f, nullptr);
  if (f) std::fclose(f);
  os::SetLockedFile(nullptr);
  ASSERT_TRUE(ts::WriteFileBytes(dir + "HELD.KFD", "held"));
  f = os::OpenFile((dir + "HELD.KFD").c_str(), "rb");
  EXPECT_NE(f, nullptr);
  if (f) std::fclose(f);
  ts::ResetOsOverrides();
}

#ifdef _WIN32
// What the locked-file fault stands for: a file that another program holds
// open without sharing cannot be opened, not even for reading.
TEST(OsFiles, FileHeldWithoutSharingCannotBeOpened) {
  const std::string dir = ts::MakeTempFolder("os-held");
  ASSERT_TRUE(ts::WriteFileBytes(dir + "HELD.KFD", "held"));
  HANDLE h = ::CreateFileA((dir + "HELD.KFD").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(os::OpenFile((dir + "HELD.KFD").c_str(), "rb"), nullptr);
  EXPECT_TRUE(os::FileExists((dir + "HELD.KFD").c_str()));
  ::CloseHandle(h);
  FILE* f = os::OpenFile((dir + "HELD.KFD").c_str(), "rb");
  EXPECT_NE(f, nullptr);
  if (f) std::fclose(f);
}
#endif

TEST(OsMessageBox, HookReceivesTextTitleAndIcon) {
  static std::string seen;
  os::SetMessageBoxHook([](void*, const char* text, const char* title, uint32_t flags) {
    seen = std::string(text) + "|" + title + "|" + std::to_string(flags);
    return os::kIdOk;
  });
  EXPECT_EQ(os::ShowMessageBox(nullptr, "Cannot open", "Open Error", os::kMbIconStop), os::kIdOk);
  EXPECT_EQ(seen, "Cannot open|Open Error|16");
  ts::ResetOsOverrides();
}

}  // namespace
