#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "drawing/drawing_files.h"
#include "drawing_test_support.h"
#include "entry/run_setup.h"
#include "run/run_context.h"
#include "support/test_support.h"

namespace {

using drawing_test::Command;
using drawing_test::DrawingTest;
using drawing_test::Field;
using drawing_test::FloatAt;
using drawing_test::g_messages;
using drawing_test::HeaderBytes;
using drawing_test::Int32At;
using drawing_test::Lines;
using drawing_test::RecordBytes;

// A text drawing with an arc and two texts: 4 records, 7 string bytes.
const std::string kPlan = Lines({
    "VER 1",
    Command('M', 1, 1),
    Command('C', 6, 4),
    Field(2, 8, 4) + Field(0, 7, 3) + Field(180, 7, 3),
    Command('S', 1, 2),
    Field(1, 5, 4) + Field(0, 6, 3) + " 4",
    "PLAN and more",
    Command('S', 2, 2),
    Field(1, 5, 4) + Field(0, 6, 3) + " 3",
    "KFD",
    Command('T'),
});
const std::string kOther = Lines({Command('M', 9, 9), Command('D', 10, 12)});

struct Loaded {
  int result = 0;
  LoadedDrawing drawing = {};
  std::vector<DrawingRecord> records;
  std::string strings;
};

Loaded Load(const std::string& path, int n) {
  Loaded l;
  l.result = LoadDrawing(&l.drawing, path.c_str(), n);
  l.records = drawing_test::RecordsOf(l.drawing);
  l.strings = drawing_test::StringsOf(l.drawing);
  FreeDrawing(&l.drawing);
  return l;
}

void ExpectSameDrawing(const Loaded& a, const Loaded& b) {
  ASSERT_EQ(a.result, 1);
  ASSERT_EQ(b.result, 1);
  EXPECT_EQ(a.drawing.largestX1000, b.drawing.largestX1000);
  EXPECT_EQ(a.drawing.largestY1000, b.drawing.largestY1000);
  EXPECT_EQ(a.strings, b.strings);
  ASSERT_EQ(a.records.size(), b.records.size());
  for (size_t i = 0; i < a.records.size(); ++i) {
    const DrawingRecord& r = a.records[i];
    const DrawingRecord& s = b.records[i];
    EXPECT_EQ(r.command, s.command) << i;
    EXPECT_EQ(r.x, s.x) << i;
    EXPECT_EQ(r.y, s.y) << i;
    EXPECT_EQ(r.field3, s.field3) << i;
    EXPECT_EQ(r.field4, s.field4) << i;
    EXPECT_EQ(r.field5, s.field5) << i;
    EXPECT_EQ(r.field6, s.field6) << i;
  }
}

void ExpectOneMessage(const char* text, const char* title) {
  ASSERT_EQ(g_messages.size(), 1u) << text;
  EXPECT_EQ(g_messages[0].text, text);
  EXPECT_EQ(g_messages[0].title, title);
  EXPECT_EQ(g_messages[0].owner, nullptr);
  EXPECT_EQ(g_messages[0].flags, os::kMbIconStop);
  g_messages.clear();
}

// ---- conversion ---------------------------------------------------------------

TEST_F(DrawingTest, ConvertWritesTheSameDrawingInBinary) {
  Write("PLAN.KVD", kPlan);
  Write("PLAN.KFD", std::string(500, 'x'));  // an older file is emptied
  ConvertDrawingFile("PLAN");
  const std::string bytes = Read("PLAN.KFD");
  ASSERT_EQ(bytes.size(), 104u + 4 * 25 + 7);
  EXPECT_EQ(bytes.substr(0, 7), std::string("KFD2.0\0", 7));
  EXPECT_EQ(bytes.substr(8, 80), std::string(80, '\0'));  // an empty title
  EXPECT_EQ(Int32At(bytes, 88), 4);
  EXPECT_EQ(Int32At(bytes, 92), 7);
  // The arc's centre is (4, 4), radius 2: from 0 to 180 degrees its largest
  // x is 6 and its largest y 6.
  EXPECT_NEAR(FloatAt(bytes, 96), 6.0f, 1e-5);
  EXPECT_NEAR(FloatAt(bytes, 100), 6.0f, 1e-5);
  EXPECT_EQ(bytes.substr(104 + 100), "PLANKFD");
  ExpectSameDrawing(Load(Path("PLAN.KVD"), 1), Load(Path("PLAN.KFD"), 1));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, ConvertLooksForTheExtensionInTheFileNameOnly) {
  ASSERT_TRUE(os::CreateFolder(Path("sub.d").c_str()));
  Write("sub.d\\PLAN.KVD", kPlan);
  ConvertDrawingFile("sub.d\\PLAN");
  EXPECT_EQ(Load(Path("sub.d\\PLAN.KFD"), 1).records.size(), 4u);
  EXPECT_FALSE(testing_support::FileExists(Path("sub.KFD")));
  // A '/' separates folders too.
  Write("sub.d\\SLASH.KVD", kOther);
  ConvertDrawingFile("sub.d/SLASH");
  EXPECT_EQ(Load(Path("sub.d\\SLASH.KFD"), 1).records.size(), 2u);

  // A folder with a point in its name as the input folder.
  SetInputFolder(Path("sub.d\\"));
  Write("sub.d\\TWO.KVD", kOther);
  ConvertDrawingFile("TWO");
  EXPECT_EQ(Load(Path("sub.d\\TWO.KFD"), 1).records.size(), 2u);
}

TEST_F(DrawingTest, ConvertOntoItselfLeavesTheFileUntouched) {
  const std::string twoDrawings = HeaderBytes("a", 1, 0, 1, 1) + RecordBytes('M', 1, 1) +
                                  HeaderBytes("b", 1, 0, 2, 2) + RecordBytes('M', 2, 2);
  Write("PLAN.KFD", twoDrawings);
  ConvertDrawingFile("PLAN.KFD");
  ConvertDrawingFile("plan.kfd");
  // Windows opens "PLAN.KFD  " and "PLAN.KFD." as PLAN.KFD.
  ConvertDrawingFile("PLAN.KFD  ");
  ConvertDrawingFile("PLAN.KFD .");
  EXPECT_EQ(Read("PLAN.KFD"), twoDrawings);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, ConvertOfAMissingBinaryFileOntoItselfSaysSo) {
  ConvertDrawingFile("GONE.KFD");
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0].text, "Can not open file");
  EXPECT_EQ(g_messages[0].title, "Open Error");
  EXPECT_FALSE(testing_support::FileExists(Path("GONE.KFD")));
}

TEST_F(DrawingTest, AnInputFolderThatDidNotFitNamesNoFile) {
  // An input folder of 260 characters leaves its field empty; the current
  // folder's drawings must not stand in for the input folder's.
  const std::string tooLong = "Z:\\" + std::string(256, 'f') + "\\";
  SetUpRunContext("Z:\\", (tooLong + "PUMP1.JOB").c_str(), "1", "", "A1B2C3");
  ASSERT_FALSE(g_runContext.inputFolderFits);
  Write("PLAN.KVD", Lines({Command('M', 1, 1), Command('D', 2, 2)}));
  Write("G.KFD", "");
  std::string here = folder_;
#ifndef _WIN32
  here = here.substr(2);
  for (char& c : here) c = c == '\\' ? '/' : c;
#endif
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(here);
  ConvertDrawingFile("PLAN");
  WriteDrawingFile("PLAN.KVD", "G.KFD", "T");
  WrapFileAsDrawing("PLAN.KVD", "G.KFD", "T");
  std::filesystem::current_path(before);
  EXPECT_FALSE(testing_support::FileExists(Path("PLAN.KFD")));
  EXPECT_EQ(Read("G.KFD"), "");
}

TEST_F(DrawingTest, ConvertOfNothingWritesNothing) {
  ConvertDrawingFile("MISSING");
  Write("EMPTY.KVD", Lines({Command('T')}));
  ConvertDrawingFile("EMPTY");
  EXPECT_FALSE(testing_support::FileExists(Path("MISSING.KFD")));
  EXPECT_FALSE(testing_support::FileExists(Path("EMPTY.KFD")));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, ConvertMessages) {
  const int openBefore = drawing_test::OpenFileCount();
  Write("PLAN.KVD", kPlan);
  os::SetMemAllocFailAfter(0);  // the string block
  ConvertDrawingFile("PLAN");
  ExpectOneMessage("Sorry, not enough memory to open more file.", "K-OVR");
  os::SetMemAllocFailAfter(1);  // the record block
  ConvertDrawingFile("PLAN");
  ExpectOneMessage("Sorry, not enough memory to open more file.", "K-VOR");
  os::SetMemAllocFailAfter(-1);
  EXPECT_FALSE(testing_support::FileExists(Path("PLAN.KFD")));

  ASSERT_TRUE(os::CreateFolder(Path("PLAN.KFD").c_str()));  // cannot be created
  ConvertDrawingFile("PLAN");
  ExpectOneMessage("Can not create file", "K-VOR");

  Write("SECOND.KVD", kPlan);
  os::SetWriteFailAfter(1);  // the header goes, the records fail
  ConvertDrawingFile("SECOND");
  ExpectOneMessage("Can not write to file", "K-VOR");
  EXPECT_EQ(Read("SECOND.KFD"), "");
  // Every failure closed its files (Windows refuses to delete an open file).
  EXPECT_EQ(drawing_test::OpenFileCount(), openBefore);
  for (const char* name : {"PLAN.KVD", "SECOND.KVD", "SECOND.KFD"}) {
    EXPECT_TRUE(os::RemoveFile(Path(name).c_str())) << name;
  }
}

TEST_F(DrawingTest, ConvertDrawingCallCutsTheNameToItsLength) {
  Write("PLAN.KVD", kPlan);
  const char name[] = "PLAN    and what follows";
  ConvertDrawingCall(name, 4);
  EXPECT_EQ(Load(Path("PLAN.KFD"), 1).records.size(), 4u);

  const std::string longName(80, 'N');
  Write(longName + ".KVD", kOther);
  const std::string given = longName + "EXTRA";
  ConvertDrawingCall(given.c_str(), static_cast<int64_t>(given.size()));
  EXPECT_EQ(Load(Path(longName + ".KFD"), 1).records.size(), 2u);
}

// ---- appending ---------------------------------------------------------------

TEST_F(DrawingTest, AppendTwiceAndReadDrawingTwo) {
  Write("PLAN.KVD", kPlan);
  Write("OTHER.KVD", kOther);
  WriteDrawingFile("PLAN.KVD", "OUT.KFD", "first");
  WriteDrawingFile("OTHER.KVD", "OUT.KFD", std::string(100, 't').c_str());
  const std::string bytes = Read("OUT.KFD");
  const size_t second = 104 + 4 * 25 + 7;
  ASSERT_EQ(bytes.size(), second + 104 + 2 * 25);
  EXPECT_EQ(bytes.substr(8, 6), std::string("first\0", 6));
  EXPECT_EQ(bytes.substr(second, 7), std::string("KFD2.0\0", 7));
  // A title longer than 79 characters is cut, and stays NUL-terminated.
  EXPECT_EQ(bytes.substr(second + 8, 80), std::string(79, 't') + '\0');
  ExpectSameDrawing(Load(Path("OTHER.KVD"), 1), Load(Path("OUT.KFD"), 2));
  ExpectSameDrawing(Load(Path("PLAN.KVD"), 1), Load(Path("OUT.KFD"), 1));

  // A binary source gives its first drawing.
  WriteDrawingFile("OUT.KFD", "COPY.KFD", "copy");
  ExpectSameDrawing(Load(Path("PLAN.KVD"), 1), Load(Path("COPY.KFD"), 1));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, AppendOntoItselfLeavesTheFileUntouched) {
  Write("OTHER.KVD", kOther);
  WriteDrawingFile("OTHER.KVD", "OUT.KFD", "a");
  WriteDrawingFile("OTHER.KVD", "OUT.KFD", "b");
  const std::string before = Read("OUT.KFD");
  WriteDrawingFile("OUT.KFD", "out.kfd", "again");
  WriteDrawingFile("OUT.KFD ", "OUT.KFD", "again");
  WriteDrawingFile("OUT.KFD", "OUT.KFD. ", "again");
  EXPECT_EQ(Read("OUT.KFD"), before);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, FailedAppendCutsTheTargetBack) {
  Write("PLAN.KVD", kPlan);
  Write("OTHER.KVD", kOther);
  WriteDrawingFile("OTHER.KVD", "OUT.KFD", "one");
  const std::string before = Read("OUT.KFD");
  for (int okWrites : {0, 1, 2}) {
    os::SetWriteFailAfter(okWrites);
    WriteDrawingFile("PLAN.KVD", "OUT.KFD", "two");
    ExpectOneMessage("Can not write to file", "K-VOR");
    EXPECT_EQ(Read("OUT.KFD"), before) << okWrites;
  }
  os::SetWriteFailAfter(-1);
  WriteDrawingFile("PLAN.KVD", "OUT.KFD", "two");
  ExpectSameDrawing(Load(Path("PLAN.KVD"), 1), Load(Path("OUT.KFD"), 2));

  // A target that did not exist does not exist afterwards.
  os::SetWriteFailAfter(1);
  WriteDrawingFile("PLAN.KVD", "NEW.KFD", "x");
  ExpectOneMessage("Can not write to file", "K-VOR");
  EXPECT_FALSE(testing_support::FileExists(Path("NEW.KFD")));
  EXPECT_TRUE(os::RemoveFile(Path("OUT.KFD").c_str()));  // not left open
}

TEST_F(DrawingTest, AppendMessagesAllHaveTheTitleKVor) {
  Write("PLAN.KVD", kPlan);
  os::SetMemAllocFailAfter(0);
  WriteDrawingFile("PLAN.KVD", "OUT.KFD", "t");
  ExpectOneMessage("Sorry, not enough memory to open more file.", "K-VOR");
  os::SetMemAllocFailAfter(1);
  WriteDrawingFile("PLAN.KVD", "OUT.KFD", "t");
  ExpectOneMessage("Sorry, not enough memory to open more file.", "K-VOR");
  os::SetMemAllocFailAfter(-1);
  ASSERT_TRUE(os::CreateFolder(Path("DIR.KFD").c_str()));
  WriteDrawingFile("PLAN.KVD", "DIR.KFD", "t");
  ExpectOneMessage("Can not create file", "K-VOR");
  EXPECT_FALSE(testing_support::FileExists(Path("OUT.KFD")));
}

// ---- wrapping ----------------------------------------------------------------

TEST_F(DrawingTest, WrapAFileAsADrawing) {
  std::string source;
  for (int i = 0; i < 1000; ++i) source += static_cast<char>(i * 7);
  Write("picture.emf", source);
  WrapFileAsDrawing("picture.emf", "OUT.KFD", "wrapped");
  const std::string bytes = Read("OUT.KFD");
  ASSERT_EQ(bytes.size(), 104u + 25 + 1000);
  EXPECT_EQ(bytes.substr(0, 7), std::string("KFD2.0\0", 7));
  EXPECT_EQ(bytes.substr(8, 8), std::string("wrapped\0", 8));
  EXPECT_EQ(Int32At(bytes, 88), 1);
  EXPECT_EQ(Int32At(bytes, 92), 1000);
  EXPECT_EQ(FloatAt(bytes, 96), 1.0f);
  EXPECT_EQ(FloatAt(bytes, 100), 1.0f);
  EXPECT_EQ(bytes.substr(104, 25), RecordBytes('M', 0, 0));
  EXPECT_EQ(bytes.substr(129), source);

  // Wrapped again it becomes drawing 2.
  WrapFileAsDrawing("picture.emf", "OUT.KFD", "again");
  const Loaded second = Load(Path("OUT.KFD"), 2);
  ASSERT_EQ(second.result, 1);
  EXPECT_EQ(second.strings, source);

  Write("empty.bin", "");
  WrapFileAsDrawing("empty.bin", "EMPTY.KFD", "");
  EXPECT_EQ(Read("EMPTY.KFD").size(), 129u);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(DrawingTest, WrapFailuresLeaveEverythingUnchanged) {
  WrapFileAsDrawing("missing.emf", "OUT.KFD", "t");
  EXPECT_FALSE(testing_support::FileExists(Path("OUT.KFD")));

  Write("picture.emf", "0123456789");
  os::SetMemAllocFailAfter(0);
  WrapFileAsDrawing("picture.emf", "OUT.KFD", "t");
  os::SetMemAllocFailAfter(-1);
  EXPECT_FALSE(testing_support::FileExists(Path("OUT.KFD")));

  WrapFileAsDrawing("picture.emf", "OUT.KFD", "t");
  const std::string before = Read("OUT.KFD");
  os::SetWriteFailAfter(2);
  WrapFileAsDrawing("picture.emf", "OUT.KFD", "t");
  EXPECT_EQ(Read("OUT.KFD"), before);
  os::SetWriteFailAfter(0);
  WrapFileAsDrawing("picture.emf", "NEW.KFD", "t");
  EXPECT_FALSE(testing_support::FileExists(Path("NEW.KFD")));
  EXPECT_TRUE(g_messages.empty());
  // Neither the source nor the target is left open.
  EXPECT_TRUE(os::RemoveFile(Path("picture.emf").c_str()));
  EXPECT_TRUE(os::RemoveFile(Path("OUT.KFD").c_str()));
}

TEST_F(DrawingTest, WrapRefusesASourceOfTwoGibibytes) {
  Write("huge.bin", "");
  // A sparse file: no disk space is used.
  if (!os::ResizeFile(Path("huge.bin").c_str(), int64_t{1} << 31)) {
    GTEST_SKIP() << "cannot make a 2 GiB file here";
  }
  WrapFileAsDrawing("huge.bin", "OUT.KFD", "t");
  EXPECT_FALSE(testing_support::FileExists(Path("OUT.KFD")));
  os::RemoveFile(Path("huge.bin").c_str());
}

}  // namespace
