// The file-unit layer: connections, records, lines, and clean failures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files_fixture.h"

namespace {

using files_test::FilesTest;
using units::IoStatus;

units::ConnectSpec TextSpec(units::Existence existence, bool readOnly) {
  units::ConnectSpec s;
  s.kind = units::RecordKind::Text;
  s.access = units::Access::Sequential;
  s.existence = existence;
  s.readOnly = readOnly;
  return s;
}

units::ConnectSpec DirectSpec(int64_t recordBytes) {
  units::ConnectSpec s;
  s.kind = units::RecordKind::Binary;
  s.access = units::Access::Direct;
  s.existence = units::Existence::MustExist;
  s.readOnly = true;
  s.recordBytes = recordBytes;
  return s;
}

std::string NextLine(int64_t unit, IoStatus* status) {
  const char* line = nullptr;
  size_t length = 0;
  *status = units::ReadLine(unit, &line, &length);
  return *status == IoStatus::Ok ? std::string(line, length) : std::string();
}

using UnitsTest = FilesTest;

TEST_F(UnitsTest, EveryOperationOnAnUnconnectedUnitFailsCleanly) {
  char buffer[8] = "abcdefg";
  const char* line = nullptr;
  size_t length = 0;
  for (int64_t unit :
       {int64_t{-5}, int64_t{0}, int64_t{56}, int64_t{200}, int64_t{201}, int64_t{1} << 40}) {
    SCOPED_TRACE(unit);
    EXPECT_FALSE(units::IsConnected(unit));
    EXPECT_EQ(units::ConnectedPath(unit), nullptr);
    EXPECT_EQ(units::ConnectedSpec(unit), nullptr);
    EXPECT_EQ(units::ReadRecord(unit, 1, buffer, sizeof buffer), IoStatus::Error);
    EXPECT_EQ(units::ReadLine(unit, &line, &length), IoStatus::Error);
    EXPECT_EQ(units::WriteLine(unit, "x", 1), IoStatus::Error);
    units::Disconnect(unit, true);
  }
  EXPECT_STREQ(buffer, "abcdefg");
  // Units outside the table cannot be connected at all.
  Write(input + "A.TXT", "a\n");
  EXPECT_FALSE(
      units::Connect(0, (input + "A.TXT").c_str(), TextSpec(units::Existence::MustExist, true)));
  EXPECT_FALSE(
      units::Connect(201, (input + "A.TXT").c_str(), TextSpec(units::Existence::MustExist, true)));
  EXPECT_TRUE(
      units::Connect(200, (input + "A.TXT").c_str(), TextSpec(units::Existence::MustExist, true)));
}

TEST_F(UnitsTest, ExistenceRules) {
  const std::string missing = input + "MISSING.TXT";
  EXPECT_FALSE(units::Connect(60, missing.c_str(), TextSpec(units::Existence::MustExist, true)));
  EXPECT_FALSE(units::Connect(60, missing.c_str(), TextSpec(units::Existence::MustExist, false)));
  EXPECT_FALSE(units::IsConnected(60));
  EXPECT_FALSE(Exists(missing));

  // Open-or-create makes the missing file, read-only or not.
  EXPECT_TRUE(units::Connect(60, missing.c_str(), TextSpec(units::Existence::OpenOrCreate, true)));
  EXPECT_TRUE(Exists(missing));
  EXPECT_STREQ(units::ConnectedPath(60), missing.c_str());
  units::Disconnect(60, false);
  EXPECT_TRUE(Exists(missing));

  // An existing file is opened as it is, not emptied.
  Write(missing, "kept\n");
  EXPECT_TRUE(units::Connect(60, missing.c_str(), TextSpec(units::Existence::OpenOrCreate, false)));
  IoStatus st;
  EXPECT_EQ(NextLine(60, &st), "kept");
  units::Disconnect(60, true);
  EXPECT_FALSE(Exists(missing));

  // A scratch file starts empty and goes when disconnected.
  Write(missing, "old\n");
  EXPECT_TRUE(units::Connect(61, missing.c_str(), TextSpec(units::Existence::Scratch, true)));
  EXPECT_EQ(NextLine(61, &st), "");
  EXPECT_EQ(st, IoStatus::EndOfFile);
  EXPECT_EQ(units::WriteLine(61, "scratch", 7), IoStatus::Ok);
  units::Disconnect(61, false);
  EXPECT_FALSE(Exists(missing));
}

// What a connection asks of the system: the open says whether the file is
// there. A look comes only where the open cannot decide: before opening a
// file that must exist for appending (that open would create it), and after a
// failed open of a file that may be created.
TEST_F(UnitsTest, TheOpenDecidesWithoutALookFirst) {
  using units::Access;
  using units::Existence;
  const std::string there = input + "THERE.TXT";
  Write(there, "x\n");
  struct Case {
    const char* label;
    Existence existence;
    bool readOnly;
    Access access;
    bool present;
    int64_t opens;
    int64_t probes;
    bool connected;
  };
  const Case cases[] = {
      {"must exist, read", Existence::MustExist, true, Access::Sequential, true, 1, 0, true},
      {"must exist, read and write", Existence::MustExist, false, Access::Sequential, true, 1, 0,
       true},
      {"must exist, missing", Existence::MustExist, true, Access::Sequential, false, 1, 0, false},
      {"must exist, direct", Existence::MustExist, false, Access::Direct, true, 1, 0, true},
      {"must exist, append", Existence::MustExist, false, Access::Append, true, 1, 1, true},
      {"must exist, append, missing", Existence::MustExist, false, Access::Append, false, 0, 1,
       false},
      {"must exist, read to the end", Existence::MustExist, true, Access::Append, true, 1, 0, true},
      {"open or create, there", Existence::OpenOrCreate, false, Access::Sequential, true, 1, 0,
       true},
      // The open fails, the look finds nothing, the file is made and opened.
      {"open or create, missing", Existence::OpenOrCreate, false, Access::Sequential, false, 3, 1,
       true},
      {"open or create, read, missing", Existence::OpenOrCreate, true, Access::Sequential, false, 3,
       1, true},
      {"scratch", Existence::Scratch, false, Access::Sequential, false, 1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string missing = input + "MISSING.TXT";
    os::RemoveFile(missing.c_str());
    units::ConnectSpec spec = TextSpec(c.existence, c.readOnly);
    spec.access = c.access;
    if (c.access == Access::Direct) {
      spec.kind = units::RecordKind::Binary;
      spec.recordBytes = 2;
    }
    os::ResetFileSystemCalls();
    EXPECT_EQ(units::Connect(62, (c.present ? there : missing).c_str(), spec), c.connected);
    const os::FileSystemCalls counted = os::CountedFileSystemCalls();
    EXPECT_EQ(counted.opens, c.opens);
    EXPECT_EQ(counted.probes, c.probes);
    units::Disconnect(62, false);
  }
  EXPECT_EQ(testing_support::ReadFileOrEmpty(there), "x\n");
}

TEST_F(UnitsTest, ReadsLinesWholeWithCrStripped) {
  const std::string longLine(100000, 'x');
  Write(input + "L.TXT", "a\r\nbb\n\r\n" + longLine + "\r\nlast");
  ASSERT_TRUE(
      units::Connect(54, (input + "L.TXT").c_str(), TextSpec(units::Existence::MustExist, true)));
  IoStatus st;
  EXPECT_EQ(NextLine(54, &st), "a");
  EXPECT_EQ(NextLine(54, &st), "bb");
  EXPECT_EQ(NextLine(54, &st), "");
  EXPECT_EQ(st, IoStatus::Ok);
  EXPECT_EQ(NextLine(54, &st), longLine);
  EXPECT_EQ(NextLine(54, &st), "last");
  EXPECT_EQ(st, IoStatus::Ok);
  NextLine(54, &st);
  EXPECT_EQ(st, IoStatus::EndOfFile);
  NextLine(54, &st);
  EXPECT_EQ(st, IoStatus::EndOfFile);

  // The unit's line source gives the same lines.
  units::Disconnect(54, false);
  Write(input + "S.TXT", "one\r\ntwo\r\n");
  ASSERT_TRUE(
      units::Connect(54, (input + "S.TXT").c_str(), TextSpec(units::Existence::MustExist, true)));
  units::LineSource source = units::UnitLineSource(54);
  const char* line = nullptr;
  size_t length = 0;
  ASSERT_EQ(source.next(&source, &line, &length), IoStatus::Ok);
  EXPECT_EQ(std::string(line, length), "one");
  ASSERT_EQ(source.next(&source, &line, &length), IoStatus::Ok);
  EXPECT_EQ(std::string(line, length), "two");
  EXPECT_EQ(source.next(&source, &line, &length), IoStatus::EndOfFile);
  units::Disconnect(54, false);
  EXPECT_EQ(source.next(&source, &line, &length), IoStatus::Error);
}

TEST_F(UnitsTest, WritesCrLfOnlyWhereWritingIsAllowed) {
  const std::string path = input + "W.TXT";
  Write(path, "first\r\n");
  ASSERT_TRUE(units::Connect(70, path.c_str(), TextSpec(units::Existence::MustExist, true)));
  EXPECT_EQ(units::WriteLine(70, "no", 2), IoStatus::Error);  // read-only
  units::ConnectSpec append = TextSpec(units::Existence::MustExist, false);
  append.access = units::Access::Append;
  ASSERT_TRUE(units::Connect(70, path.c_str(), append));
  EXPECT_EQ(units::WriteLine(70, "second", 6), IoStatus::Ok);
  EXPECT_EQ(units::WriteLine(70, "", 0), IoStatus::Ok);
  units::Disconnect(70, false);
  EXPECT_EQ(testing_support::ReadFileOrEmpty(path), "first\r\nsecond\r\n\r\n");

  // Reading then writing on one read-write unit: the write lands after the line read.
  Write(path, "one\r\ntwo\r\n");
  ASSERT_TRUE(units::Connect(70, path.c_str(), TextSpec(units::Existence::MustExist, false)));
  IoStatus st;
  EXPECT_EQ(NextLine(70, &st), "one");
  EXPECT_EQ(units::WriteLine(70, "TWO", 3), IoStatus::Ok);
  units::Disconnect(70, false);
  EXPECT_EQ(testing_support::ReadFileOrEmpty(path), "one\r\nTWO\r\n");

  // Lines are not read from or written to direct or binary units.
  Write(path, "abcd");
  ASSERT_TRUE(units::Connect(70, path.c_str(), DirectSpec(4)));
  EXPECT_EQ(NextLine(70, &st), "");
  EXPECT_EQ(st, IoStatus::Error);
  EXPECT_EQ(units::WriteLine(70, "x", 1), IoStatus::Error);
}

TEST_F(UnitsTest, ReadsRecordsByNumber) {
  // Three records of 8 bytes and a partial fourth of 3.
  const std::string path = input + "R.BIN";
  Write(path, std::string("AAAAAAAABBBBBBBBCCCCCCCCDDD"));
  ASSERT_TRUE(units::Connect(80, path.c_str(), DirectSpec(8)));
  char buf[12];
  std::memset(buf, '.', sizeof buf);
  EXPECT_EQ(units::ReadRecord(80, 2, buf, sizeof buf), IoStatus::Ok);
  EXPECT_EQ(std::string(buf, sizeof buf), "BBBBBBBB....");  // the rest left as it was
  EXPECT_EQ(units::ReadRecord(80, 3, buf, 4), IoStatus::Ok);
  EXPECT_EQ(std::string(buf, sizeof buf), "CCCCBBBB....");  // only what the buffer holds
  std::memset(buf, '.', sizeof buf);
  EXPECT_EQ(units::ReadRecord(80, 4, buf, sizeof buf), IoStatus::Error);  // partial
  EXPECT_EQ(units::ReadRecord(80, 5, buf, sizeof buf), IoStatus::EndOfFile);
  EXPECT_EQ(units::ReadRecord(80, int64_t{1} << 62, buf, sizeof buf), IoStatus::EndOfFile);
  EXPECT_EQ(units::ReadRecord(80, 0, buf, sizeof buf), IoStatus::Error);
  EXPECT_EQ(units::ReadRecord(80, -1, buf, sizeof buf), IoStatus::Error);
  EXPECT_EQ(std::string(buf, sizeof buf), "............");
  EXPECT_EQ(units::ReadRecord(80, 1, buf, sizeof buf), IoStatus::Ok);
  EXPECT_EQ(std::string(buf, 8), "AAAAAAAA");

  // Without a record length, or on a sequential unit, there are no records.
  ASSERT_TRUE(units::Connect(80, path.c_str(), DirectSpec(-1)));
  EXPECT_EQ(units::ReadRecord(80, 1, buf, sizeof buf), IoStatus::Error);
  ASSERT_TRUE(units::Connect(80, path.c_str(), TextSpec(units::Existence::MustExist, true)));
  EXPECT_EQ(units::ReadRecord(80, 1, buf, sizeof buf), IoStatus::Error);
}

TEST_F(UnitsTest, ConnectingAConnectedUnitClosesTheOldConnectionFirst) {
  const std::string a = input + "A.TMP", b = input + "B.TMP";
  ASSERT_TRUE(units::Connect(64, a.c_str(), TextSpec(units::Existence::Scratch, false)));
  ASSERT_TRUE(Exists(a));
  ASSERT_TRUE(units::Connect(64, b.c_str(), TextSpec(units::Existence::Scratch, false)));
  EXPECT_FALSE(Exists(a));  // the old scratch file was closed and so deleted
  EXPECT_STREQ(units::ConnectedPath(64), b.c_str());

  // A kept file, once its unit is reconnected, is closed: it can be deleted.
  Write(a, "x\n");
  ASSERT_TRUE(units::Connect(65, a.c_str(), TextSpec(units::Existence::MustExist, false)));
  ASSERT_TRUE(units::Connect(65, b.c_str(), TextSpec(units::Existence::OpenOrCreate, false)));
  EXPECT_TRUE(os::RemoveFile(a.c_str()));
  // A failed connect leaves the unit without a file, an empty path included.
  EXPECT_FALSE(
      units::Connect(65, (input + "NONE").c_str(), TextSpec(units::Existence::MustExist, true)));
  EXPECT_FALSE(units::IsConnected(65));
  ASSERT_TRUE(units::Connect(65, b.c_str(), TextSpec(units::Existence::MustExist, false)));
  EXPECT_FALSE(units::Connect(65, "", TextSpec(units::Existence::MustExist, true)));
  EXPECT_FALSE(units::IsConnected(65));
}

TEST(StringLines, SplitsAtNewlinesAndCanFail) {
  const std::string text = "x\r\ny\n\nlast";
  units::StringLines lines{text.data(), text.size(), 0, 0, 0};
  units::LineSource source = units::StringLineSource(&lines);
  const char* line = nullptr;
  size_t length = 0;
  const char* expected[] = {"x", "y", "", "last"};
  for (const char* e : expected) {
    ASSERT_EQ(source.next(&source, &line, &length), IoStatus::Ok);
    EXPECT_EQ(std::string(line, length), e);
  }
  EXPECT_EQ(source.next(&source, &line, &length), IoStatus::EndOfFile);
  EXPECT_EQ(source.next(&source, &line, &length), IoStatus::EndOfFile);

  units::StringLines failing{text.data(), text.size(), 0, 0, 2};
  source = units::StringLineSource(&failing);
  ASSERT_EQ(source.next(&source, &line, &length), IoStatus::Ok);
  EXPECT_EQ(source.next(&source, &line, &length), IoStatus::Error);
  ASSERT_EQ(source.next(&source, &line, &length), IoStatus::Ok);
  EXPECT_EQ(std::string(line, length), "");

  units::StringLines empty{"", 0, 0, 0, 0};
  source = units::StringLineSource(&empty);
  EXPECT_EQ(source.next(&source, &line, &length), IoStatus::EndOfFile);
}

}  // namespace

// The reader is tested on strings and runs on files: both must give the same
// lines for the same bytes, a CR before the end of a last line included.
TEST_F(UnitsTest, AStringSourceGivesTheLinesOfAFileOfTheSameBytes) {
  const std::string text = "a\r\nb\n\r\n\rc\r";
  const char* expected[] = {"a", "b", "", "\rc"};
  Write(input + "SAME.TXT", text);
  ASSERT_TRUE(units::Connect(54, (input + "SAME.TXT").c_str(),
                             TextSpec(units::Existence::MustExist, true)));
  units::StringLines lines{text.data(), text.size(), 0, 0, 0};
  units::LineSource sources[] = {units::UnitLineSource(54), units::StringLineSource(&lines)};
  for (units::LineSource& source : sources) {
    SCOPED_TRACE(source.context ? "string" : "unit");
    const char* line = nullptr;
    size_t length = 0;
    for (const char* e : expected) {
      ASSERT_EQ(source.next(&source, &line, &length), IoStatus::Ok);
      EXPECT_EQ(std::string(line, length), e);
    }
    EXPECT_EQ(source.next(&source, &line, &length), IoStatus::EndOfFile);
  }
}
