// The OS seam behaves alike on both builds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "os/os.h"
#include "support/test_support.h"

#ifdef _WIN32
#include <windows.h>
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
  ts::ResetOsOverrides();
}

TEST(OsTempPath, OverrideAndFailure) {
  char buf[300];
  os::SetTempPathOverride("Z:\\tmp\\x\\");
  EXPECT_EQ(os::TempFolder(sizeof buf, buf), 9u);
  EXPECT_STREQ(buf, "Z:\\tmp\\x\\");
  EXPECT_EQ(os::TempFolder(5, buf), 10u);  // too small: the size needed
  os::SetTempPathOverride("");
  EXPECT_EQ(os::TempFolder(sizeof buf, buf), 0u);
  ts::ResetOsOverrides();
  const uint32_t n = os::TempFolder(sizeof buf, buf);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(buf[n - 1], '\\');
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
