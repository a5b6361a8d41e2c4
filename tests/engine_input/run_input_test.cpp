// The run input reader: heading, search for the application section, the
// sections and their statuses, scalar records with their source flags, and the
// texts that scalar records carry.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "engine/files/unit_table.h"
#include "engine/input/run_input_reader.h"
#include "engine/input/run_input_unit.h"
#include "input_fixture.h"
#include "support/kvt_writer.h"

namespace {

using input_test::InputTest;
using input_test::Read;
using input_test::ScalarSection;
using input_test::Trimmed;
using testing_support::KvtWriter;

float Scalar(int64_t index) { return InputScalarAt(index); }

using RunInput = InputTest;

TEST_F(RunInput, HeadingOutcomes) {
  struct Case {
    const char* name;
    std::string bytes;
    int64_t status;
    std::string keyword;  // the keyword field after the read
  };
  const std::string rest = KvtWriter().Application("VESKAR", "3").Bytes();
  const Case cases[] = {
      {"double quotes", "\"title\"\r\n\"CorvoSoft/K-VOR any text\"\r\n" + rest, 0,
       "[BeginApplication]"},
      {"apostrophes", "'title'\r\n'CorvoSoft/K-VOR'\r\n" + rest, 0, "[BeginApplication]"},
      {"not enclosed: ends at the slash", "title\r\nCorvoSoft/K-VOR\r\n" + rest, 1, "CorvoSoft"},
      {"wrong mark", "title\r\n'CorvoSoft/K-VOX'\r\n" + rest, 1, "CorvoSoft/K-VOX"},
      {"mark not at the start", "title\r\n' CorvoSoft/K-VOR'\r\n" + rest, 1, " CorvoSoft/K-VOR"},
      {"no second line", "title\r\n", 1, "title"},
      {"empty file", "", 1, std::string(80, '\0')},
      {"blank first line: the third line is tested", "\r\n'CorvoSoft/K-VOR'\r\ntitle\r\n" + rest, 1,
       "title"},
      {"blank first line, mark in the third", "\r\ntitle\r\n'CorvoSoft/K-VOR'\r\n" + rest, 0,
       "[BeginApplication]"},
      {"read error in line 2", "title\r\n'CorvoSoft/K-VOR'x\r\n" + rest, 1, "title"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetInputTablesForTests();
    EXPECT_EQ(Read(c.bytes), c.status);
    EXPECT_EQ(Trimmed(g_inputRecord.keyword, kKeywordWidth), c.keyword);
    EXPECT_EQ(Scalar(6), c.status == 0 ? 3.0f : 0.0f);
  }
  // A read error of the line source in line 1 or 2.
  EXPECT_EQ(Read(ScalarSection().Bytes(), "VESKAR", 1), 1);
  EXPECT_EQ(Read(ScalarSection().Bytes(), "VESKAR", 2), 1);
}

TEST_F(RunInput, SearchForTheApplication) {
  KvtWriter other;
  other.Heading()
      .Application("TEMA", "5")
      .InputScalar()
      .Scalar(10001, "100")
      .Record("[BeginApplication]", "vESKAR", "", "", "0", "6")
      .ResultsScalar();
  EXPECT_EQ(Read(other.Bytes()), 1);
  EXPECT_EQ(Scalar(10001), 0.0f);
  EXPECT_EQ(Scalar(6), 0.0f);

  // The same file for a program that begins with "T": index 1 takes the value.
  EXPECT_EQ(Read(other.Bytes(), "TEMA"), 0);
  EXPECT_EQ(Scalar(1), 5.0f);
  EXPECT_EQ(Scalar(6), 0.0f);
  EXPECT_EQ(Scalar(10001), 100.0f);

  // Unreadable records before the section are passed over; the status stays 0.
  ResetInputTablesForTests();
  KvtWriter bad;
  bad.Heading()
      .Line("'x','y','z','1',letters,1")
      .Line("'x','y','z','1',1,1e40")
      .Application("VESKAR", "2")
      .InputScalar()
      .Scalar(10005, "3056");
  EXPECT_EQ(Read(bad.Bytes()), 0);
  EXPECT_EQ(Scalar(6), 2.0f);
  EXPECT_EQ(Scalar(10005), 3056.0f);

  // A line source that fails before the application record: passed over too.
  KvtWriter failing;
  failing.Heading().Line("'junk'").Application("VESKAR", "4").InputScalar().Scalar(10001, "7");
  ResetInputTablesForTests();
  EXPECT_EQ(Read(failing.Bytes(), "VESKAR", 3), 0);
  EXPECT_EQ(Scalar(6), 4.0f);
  EXPECT_EQ(Scalar(10001), 7.0f);
}

// A file whose reading breaks down for good after the heading: every line
// fails, and the search gives up as at the end of the file instead of passing
// over unreadable records for ever.
TEST_F(RunInput, SearchEndsWhenTheFileCannotBeReadAnyFurther) {
  struct Broken {
    int calls = 0;
    static units::IoStatus Next(units::LineSource* self, const char** line, size_t* length) {
      Broken* b = static_cast<Broken*>(self->context);
      static const char* const kHeading[] = {"'title'", "'CorvoSoft/K-VOR'"};
      if (b->calls >= 1000) return units::IoStatus::EndOfFile;  // the test's own way out
      if (b->calls++ >= 2) return units::IoStatus::Error;
      *line = kHeading[b->calls - 1];
      *length = std::strlen(*line);
      return units::IoStatus::Ok;
    }
  } broken;
  units::LineSource source{&Broken::Next, &broken, 0};
  int64_t status = -1;
  ReadRunInputFrom(&source, "VESKAR", 6, &status);
  EXPECT_EQ(status, 1);
  EXPECT_LT(broken.calls, 1000);
  EXPECT_GE(broken.calls, 2 + 10);  // single failures are still passed over
}

// Failures of the line source that come one at a time, however many, are
// each passed over: only failures in a row end the search.
TEST_F(RunInput, SearchPassesOverManySingleFailures) {
  struct Flaky {
    int calls = 0;
    static units::IoStatus Next(units::LineSource* self, const char** line, size_t* length) {
      Flaky* f = static_cast<Flaky*>(self->context);
      static const char* const kHeading[] = {"'title'", "'CorvoSoft/K-VOR'"};
      static const char* const kSection[] = {"'[BeginApplication]','VESKAR','','',0,8",
                                             "'[Input-Scalar]','','','',0,0",
                                             "'','','','1',10001,123"};
      constexpr int kPairs = 300;  // an unreadable line, then a record of another section
      const int n = f->calls++;
      const char* text = nullptr;
      if (n < 2) {
        text = kHeading[n];
      } else if (n < 2 + 2 * kPairs) {
        if ((n - 2) % 2 == 0) return units::IoStatus::Error;
        text = "'[BeginApplication]','OTHER','','',0,1";
      } else if (n < 2 + 2 * kPairs + 3) {
        text = kSection[n - 2 - 2 * kPairs];
      } else {
        return units::IoStatus::EndOfFile;
      }
      *line = text;
      *length = std::strlen(text);
      return units::IoStatus::Ok;
    }
  } flaky;
  units::LineSource source{&Flaky::Next, &flaky, 0};
  int64_t status = -1;
  ReadRunInputFrom(&source, "VESKAR", 6, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Scalar(6), 8.0f);
  EXPECT_EQ(Scalar(10001), 123.0f);
}

TEST_F(RunInput, TwoSectionsOfTheProgram) {
  KvtWriter w = ScalarSection("1");
  w.Scalar(10001, "100").InputArray().ResultsScalar();
  w.Application("VESKAR", "9").InputScalar().Scalar(10001, "555");
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(Scalar(6), 1.0f);
  EXPECT_EQ(Scalar(10001), 100.0f);
}

TEST_F(RunInput, ExpectScalarsOutcomes) {
  // Anything but "[Input-Scalar]" after the application record: status 0, no
  // scalar read, the curves still reset and finished.
  KvtWriter w;
  w.Heading().Application().Scalar(10001, "100").Scalar(10002, "200");
  g_streamCurves.CurveValues[0][0][0][0] = 3.0f;
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(Scalar(10001), 0.0f);
  EXPECT_EQ(Scalar(10002), 0.0f);
  EXPECT_EQ(CurveValuesAt(1, 1, 1, 1), kMissingValue);
  EXPECT_EQ(LevelPressuresAt(1, 3), kMissingValue);

  // End of file right after the application record: 0; a read error: 1.
  EXPECT_EQ(Read(KvtWriter().Heading().Application().Bytes()), 0);
  EXPECT_EQ(Read(KvtWriter().Heading().Application().Line("'[Input-Scalar]',a,b,c,x,0").Bytes()),
            1);
}

TEST_F(RunInput, ScalarSectionAndSourceFlags) {
  KvtWriter w = ScalarSection();
  w.Scalar(1, "11", "0")
      .Scalar(2, "12", "1")
      .Scalar(3, "13", "2")
      .Scalar(4, "14", "3")
      .Scalar(5, "15", "")
      .Record("", "", "", " 1", "6", "16")
      .Line("'','','','1',7,17")
      .Line("'','','', 1 ,8,18")
      .Line("'','','',,9,19")  // flag not given: the record before's "1"
      .Scalar(5000, "50", "1")
      .Scalar(5001, "51", "1")
      .Scalar(12999, "129", "1")
      .Scalar(10001, "100", "1")
      .Scalar(10001, "101", "0")
      .Record("[Results-Scalar]", "", "", "1", "10002", "200")
      .Record("[BeginApplication]", "VESKAR", "", "1", "10003", "10")
      .Record("[Input-Array]", "", "", "1", "10005", "3056")
      .Record("[Input-Array]", "tagtext", "", "1", "17006", "0")
      .Scalar(10004, "4")
      .Scalar(13000, "1")
      .Scalar(-4, "1")
      .Scalar(17003, "1");
  for (int k = 1; k <= 9; ++k) g_inputSourceFlags.value[k - 1] = 0.5f;
  EXPECT_EQ(Read(w.Bytes()), 0);
  const float flags[] = {0.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f};
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(Scalar(k), 10.0f + k);
    EXPECT_EQ(InputSourceFlagAt(k), flags[k - 1]);
  }
  EXPECT_EQ(Scalar(5000), 50.0f);
  EXPECT_EQ(InputSourceFlagAt(5000), 1.0f);
  EXPECT_EQ(Scalar(5001), 51.0f);
  EXPECT_EQ(Scalar(12999), 129.0f);
  // The same index twice: the later record wins, value and flag.
  EXPECT_EQ(Scalar(10001), 101.0f);
  // Section keywords without meaning in the scalar section.
  EXPECT_EQ(Scalar(10002), 200.0f);
  EXPECT_EQ(Scalar(10003), 10.0f);
  EXPECT_EQ(Scalar(10005), 3056.0f);
  // With a text index too it is stored as such and the section goes on.
  EXPECT_EQ(Trimmed(g_inputTextItems.tags[1], 8), "tagtext");
  EXPECT_EQ(Scalar(10004), 4.0f);
  EXPECT_EQ(Scalar(13000), 0.0f);
}

TEST_F(RunInput, SlashesAndRecordsOverLines) {
  KvtWriter w = ScalarSection();
  w.Scalar(100, "7.5", "0")
      .Line("'','','','1',101/")  // the value of the record before under 101
      .Line("/")                  // the record before again
      .Scalar(102, "1", "1")
      .Line("'','',''")                // four items here...
      .Line("'0' 103 9.25 'seventh'")  // ...the rest from the next line
      .Line("'','','','1',104,4 extra items ignored");
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(Scalar(100), 7.5f);
  EXPECT_EQ(Scalar(101), 7.5f);
  EXPECT_EQ(InputSourceFlagAt(101), 1.0f);
  EXPECT_EQ(Scalar(102), 1.0f);
  EXPECT_EQ(Scalar(103), 9.25f);
  EXPECT_EQ(InputSourceFlagAt(103), 0.0f);
  EXPECT_EQ(Scalar(104), 4.0f);
}

TEST_F(RunInput, ScalarSectionEnds) {
  // "[Input-Array]" with an index of no meaning begins the array section;
  // without it every record to the end is a scalar record.
  KvtWriter w = ScalarSection();
  w.Scalar(10001, "100").InputArray("0").Scalar(10002, "999");
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(Scalar(10001), 100.0f);
  EXPECT_EQ(Scalar(10002), 0.0f);  // a header of group 10002 with 999 lines: end of file

  ResetInputTablesForTests();
  KvtWriter open = ScalarSection();
  open.Scalar(10001, "100").ResultsScalar().Application("OTHER").Scalar(10002, "200");
  EXPECT_EQ(Read(open.Bytes()), 0);
  EXPECT_EQ(Scalar(10002), 200.0f);

  // A read error in the scalar section: status 1, what came before stays.
  ResetInputTablesForTests();
  KvtWriter bad = ScalarSection();
  bad.Scalar(10001, "100").Line("'','','','1',10002,2e39").Scalar(10003, "5");
  EXPECT_EQ(Read(bad.Bytes()), 1);
  EXPECT_EQ(Scalar(10001), 100.0f);
  EXPECT_EQ(Scalar(10003), 0.0f);
}

TEST_F(RunInput, TextItemsWithTheirWidths) {
  const std::string thirty = "abcdefghijklmnopqrstuvwxyz0123";
  const std::string long256 = std::string(250, 'L') + "123456";
  KvtWriter w = ScalarSection();
  w.TextScalar(15071, "CODEXYZ")
      .TextScalar(16001, "first")
      .TextScalar(16002, thirty)
      .TextScalar(16003, "third")
      .TextScalar(17001, long256)
      .TextScalar(17002, "second text")
      .TextScalar(17005, "tenletters")
      .TextScalar(17010, "last")
      .TextScalar(17003, "ignored")
      .TextScalar(21000, "", "2.9");
  EXPECT_EQ(Read(w.Bytes()), 0);
  const InputTextItems& t = g_inputTextItems;
  EXPECT_EQ(std::string(t.codeText, 4), "CODE");
  EXPECT_EQ(std::string(t.shortList[0], 20), "first               ");
  EXPECT_EQ(std::string(t.shortList[1], 20), thirty.substr(0, 20));
  EXPECT_EQ(Trimmed(t.shortList[2], 20), "third");
  EXPECT_EQ(Trimmed(t.shortList[3], 20), "");
  EXPECT_EQ(std::string(t.longText[0], 256), long256);
  EXPECT_EQ(Trimmed(t.longText[1], 256), "second text");
  EXPECT_EQ(std::string(t.tags[0], 8), "tenlette");
  EXPECT_EQ(Trimmed(t.tags[1], 8), "");
  EXPECT_EQ(Trimmed(t.tags[5], 8), "last");
  EXPECT_EQ(g_inputLongLines.count, 2);

  // The long-line count truncates toward zero and saturates.
  const struct {
    const char* value;
    int64_t count;
  } counts[] = {{"-0.5", 0},
                {"-2.9", -2},
                {"1e30", std::numeric_limits<int64_t>::max()},
                {"-1e30", std::numeric_limits<int64_t>::min()}};
  for (const auto& c : counts) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Read(ScalarSection().TextScalar(21000, "", c.value).Bytes()), 0);
    EXPECT_EQ(g_inputLongLines.count, c.count);
  }
}

TEST_F(RunInput, IndexSaturates) {
  // An index beyond eight bytes saturates: no meaning, so with "[Input-Array]"
  // it begins the array section.
  KvtWriter w = ScalarSection();
  w.Record("[Input-Array]", "", "", "", "99999999999999999999", "0").ValueGroup(200, 2, 1.0, 1.0);
  EXPECT_EQ(Read(w.Bytes()), 0);
  EXPECT_EQ(Scalar(200), 1.0f);
  EXPECT_EQ(Scalar(201), 2.0f);
}

TEST_F(RunInput, ReadsFromTheRunInputUnit) {
  const std::string folder = testing_support::MakeTempFolder("run-input-unit");
  const std::string path = folder + "JOB.KVT";
  KvtWriter w = ScalarSection();
  w.Scalar(10001, "150").InputArray().ValueGroup(300, 2, 4.0, 1.0).ResultsScalar();
  ASSERT_TRUE(w.WriteTo(path));
  FillUnitTable();
  const int64_t unit = UnitOfSlot(kSlotRunInput);
  ASSERT_EQ(unit, 54);
  units::ConnectSpec spec;
  ASSERT_TRUE(units::Connect(unit, path.c_str(), spec));
  int64_t status = -1;
  ReadRunInput("VESKAR", 6, &status);
  units::Disconnect(unit, false);
  ResetUnitTableForTests();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Scalar(10001), 150.0f);
  EXPECT_EQ(Scalar(300), 4.0f);
  EXPECT_EQ(Scalar(301), 5.0f);
}

}  // namespace
