// Picture references: the page's reference text into the picture table, the
// path rules of one reference, loading by extension, releasing, and the hit
// test of drawings.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "drawing/drawing_render.h"
#include "drawing/pictures.h"
#include "drawing_test_support.h"
#include "entry/run_setup.h"
#include "os/os.h"
#include "report_base/drawing_tools.h"
#include "run/run_context.h"
#include "support/test_support.h"

namespace drawing_test {
namespace {

// The folder of a Windows test path as this system's file system names it.
std::filesystem::path NativeFolder(const std::string& windowsPath) {
#ifdef _WIN32
  return windowsPath;
#else
  std::string p = windowsPath.substr(2);
  for (char& c : p) c = c == '\\' ? '/' : c;
  return p;
#endif
}

// A text drawing of `n` line records, 10 wide and 5 high.
std::string TextDrawing(int n) {
  std::vector<std::string> lines = {Command('M', 0, 0)};
  for (int i = 1; i < n; ++i) lines.push_back(Command('D', 10, 5));
  return Lines(lines);
}

class PictureTest : public DrawingTest {
 protected:
  void SetUp() override {
    DrawingTest::SetUp();
    program_ = Path("PROG\\");
    ASSERT_TRUE(os::CreateFolder(program_.c_str()));
    SetProgramFolder(program_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(NativeFolder(folder_));
    WriteProgram("A.EMF", EnhancedMetafileBytes());
    WriteProgram("B.WMF", PlaceableHeaderBytes(0, 0, 100, 50) + WindowsMetafileBytes());
    WriteProgram("C.WMF", WindowsMetafileBytes());
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    DrawingTest::TearDown();
  }
  void WriteProgram(const std::string& name, const std::string& bytes) const {
    ASSERT_TRUE(testing_support::WriteFileBytes(program_ + name, bytes)) << name;
  }
  static const PictureSlot& Slot(int i) { return g_pictureTable.slots[i]; }

  std::string program_;
  std::filesystem::path previous_;
};

TEST_F(PictureTest, ReferenceTextFillsTheTable) {
  struct Case {
    const char* what;
    std::string text;
    int count;
    std::vector<int32_t> kinds;
    int picturesBeforeText;  // as left by the text (it starts at 1)
  } cases[] = {
      {"two angle references",
       "<A.EMF 1 1 80 10> text <B.WMF 1 11 40 20>",
       2,
       {kPictureEnhanced, kPicturePlaceable},
       1},
      {"a brace reference before an angle one is passed over",
       "{A.EMF 1 1 80 10}<B.WMF 1 11 40 20>",
       1,
       {kPicturePlaceable},
       1},
      {"a brace reference alone", "{C.WMF 1 1 80 10}", 1, {kPicturePlain}, 0},
      {"braces after all angle references",
       "<A.EMF 1 1 2 2>{C.WMF 1 1 2 2}",
       2,
       {kPictureEnhanced, kPicturePlain},
       0},
      {"a '<' without '>' ends the parse", "<A.EMF 1 1 80 10 {B.WMF 1 1 2 2}", 0, {}, 1},
      {"a missing file takes no slot",
       "<NONE.EMF 1 1 2 2><A.EMF 1 1 2 2>",
       1,
       {kPictureEnhanced},
       1},
      {"an unknown extension takes no slot",
       "<A.TXT 1 1 2 2><A.EMF 1 1 2 2>",
       1,
       {kPictureEnhanced},
       1},
      {"fewer than four numbers", "<A.EMF 1 1 80>", 0, {}, 1},
      {"a number that is not one", "<A.EMF 1 1 80 x>", 0, {}, 1},
      {"a reference over 79 characters", "<A.EMF 1 1 80 10" + std::string(70, ' ') + ">", 0, {}, 1},
      {"a reference of 79 characters",
       "<A.EMF 1 1 80 10" + std::string(63, ' ') + ">",
       1,
       {kPictureEnhanced},
       1},
      {"only 255 characters are read", std::string(240, ' ') + "<A.EMF 1 1 80 10>", 0, {}, 1},
      {"no reference", "nothing here", 0, {}, 1},
  };
  WriteProgram("A.TXT", "text");
  for (const Case& c : cases) {
    ResetPicturesForTests();
    ResetDrawingStateForTests();
    ParsePictureRefs(c.text.c_str());
    ASSERT_EQ(g_pictureTable.count, c.count) << c.what;
    for (int i = 0; i < c.count; ++i) EXPECT_EQ(Slot(i).kind, c.kinds[i]) << c.what << " " << i;
    EXPECT_EQ(Slot(c.count < 10 ? c.count : 9).kind == kPictureEmpty, c.count < 10) << c.what;
    EXPECT_EQ(g_drawingState.picturesBeforeText, c.picturesBeforeText) << c.what;
  }
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureTest, CellsCountFromTheReferencesColumnsAndRows) {
  ParsePictureRefs("<A.EMF 1 1 80 10><B.WMF 1 11 40 20>");
  ASSERT_EQ(g_pictureTable.count, 2);
  EXPECT_EQ(Slot(0).firstCell, 0);
  EXPECT_EQ(Slot(0).lastCell, 799);
  EXPECT_EQ(Slot(1).firstCell, 800);
  EXPECT_EQ(Slot(1).lastCell, 1559);

  // A printed page passes the picture's line x 80.
  PictureSlot slot = {};
  ASSERT_EQ(LoadPicture(&slot, "A.EMF 3 2 5 4", 160, 1), 1);
  EXPECT_EQ(slot.firstCell, 80 + 2 + 160);
  EXPECT_EQ(slot.lastCell, 240 + 4 + 160);
  FreePicture(&slot);
  // Numbers beyond any screen are held at the 32-bit limits.
  ASSERT_EQ(LoadPicture(&slot, "A.EMF 1 99999999999 -99999999999 1", 0, 1), 1);
  EXPECT_EQ(slot.firstCell, INT32_MAX);
  EXPECT_EQ(slot.lastCell, INT32_MIN);
  FreePicture(&slot);
}

TEST_F(PictureTest, ElevenReferencesFillTenSlots) {
  std::string text;
  for (int i = 0; i < 11; ++i) text += "<A.EMF 1 1 2 2>";
  ParsePictureRefs(text.c_str());
  EXPECT_EQ(g_pictureTable.count, 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Slot(i).kind, kPictureEnhanced) << i;
  FreeAllPictures();
  EXPECT_EQ(g_pictureTable.count, 0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Slot(i).kind, kPictureEmpty) << i;
}

TEST_F(PictureTest, DrawingsComeFromTheCurrentFolderFirst) {
  Write("PLAN.KVD", TextDrawing(3));  // the current folder
  WriteProgram("PLAN.KVD", TextDrawing(5));
  WriteProgram("ONLY.KVD", TextDrawing(4));
  Write("LOGO.EMF", EnhancedMetafileBytes());

  PictureSlot slot = {};
  // No extension: PLAN.KVD, found in the current folder.
  ASSERT_EQ(LoadPicture(&slot, "PLAN 1 1 10 5", 0, 1), 1);
  EXPECT_EQ(slot.kind, kPictureDrawing);
  EXPECT_EQ(slot.drawing.recordCount, 3);
  FreePicture(&slot);
  // Not in the current folder: the program folder.
  ASSERT_EQ(LoadPicture(&slot, "ONLY.KVD 1 1 10 5", 0, 1), 1);
  EXPECT_EQ(slot.drawing.recordCount, 4);
  FreePicture(&slot);
  // Metafiles come from the program folder only.
  EXPECT_EQ(LoadPicture(&slot, "LOGO.EMF 1 1 10 5", 0, 1), 0);
  EXPECT_EQ(slot.kind, kPictureEmpty);
  // A folder of the drawing's name is not a file: the program folder's copy.
  std::filesystem::remove(NativeFolder(Path("PLAN.KVD")));
  ASSERT_TRUE(os::CreateFolder(Path("PLAN.KVD").c_str()));
  ASSERT_EQ(LoadPicture(&slot, "PLAN 1 1 10 5", 0, 1), 1);
  EXPECT_EQ(slot.drawing.recordCount, 5);
  FreePicture(&slot);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureTest, APathOver255CharactersLoadsNothing) {
  // The program folder and the name make 256 characters.
  const std::string longFolder = "Z:\\" + std::string(240, 'P') + "\\";
  SetProgramFolder(longFolder);
  const std::string name = std::string(256 - longFolder.size() - 4, 'N') + ".EMF";
  PictureSlot slot = {};
  EXPECT_EQ(LoadPicture(&slot, (name + " 1 1 2 2").c_str(), 0, 1), 0);
  EXPECT_EQ(slot.kind, kPictureEmpty);
}

TEST_F(PictureTest, AReferenceMayBeAsLongAsAPrintedPageKeepsOne) {
  // A printed or previewed page keeps a reference of up to 289 characters (a
  // drawing named after the report, whose file name may have 255): every one
  // of them loads, while a page's reference text still takes 79 at most.
  Write("D.KFD", HeaderBytes("", 1, 0, 1.0f, 1.0f) + RecordBytes('M', 0, 0));
  const std::string shortReference = "D.KFD 1 1 10 5";
  const std::string longName = std::string(196, 'N') + ".KFD";
  Write(longName,
        HeaderBytes("", 2, 0, 1.0f, 1.0f) + RecordBytes('M', 0, 0) + RecordBytes('D', 1, 1));
  const struct {
    const char* what;
    std::string reference;
    int loaded;
  } cases[] = {
      {"79 characters", shortReference + std::string(79 - 14, ' '), 1},
      {"80 characters", shortReference + std::string(80 - 14, ' '), 1},
      {"289 characters", shortReference + std::string(289 - 14, ' '), 1},
      {"290 characters", shortReference + std::string(290 - 14, ' '), 0},
      {"a drawing name of 200 characters", longName + " 12 10 40 20", 1},
      {"a name longer than any path", std::string(270, 'L') + ".KFD 1 1 2 2", 0},
  };
  for (const auto& c : cases) {
    PictureSlot slot = {};
    EXPECT_EQ(LoadPicture(&slot, c.reference.c_str(), 0, 1), c.loaded) << c.what;
    EXPECT_EQ(slot.kind, c.loaded ? kPictureDrawing : kPictureEmpty) << c.what;
    FreePicture(&slot);
  }
  PictureSlot slot = {};
  ASSERT_EQ(LoadPicture(&slot, (longName + " 12 10 40 20").c_str(), 0, 1), 1);
  EXPECT_EQ(slot.drawing.recordCount, 2);
  EXPECT_EQ(slot.firstCell, 9 * 80 + 11);
  EXPECT_EQ(slot.lastCell, 19 * 80 + 39);
  FreePicture(&slot);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureTest, AProgramFolderThatDidNotFitLoadsNoMetafile) {
  // A program folder of 260 characters leaves its field empty. The current
  // folder holds metafiles of the referenced names: none of them may stand in
  // for the program folder's. A drawing is looked for in the current folder
  // in any case, and still loads from there.
  const std::string tooLong = "Z:\\" + std::string(256, 'p') + "\\";
  SetUpRunContext(tooLong.c_str(), (folder_ + "PUMP1.JOB").c_str(), "1", "", "A1B2C3");
  ASSERT_FALSE(g_runContext.programFolderFits);
  Write("A.EMF", EnhancedMetafileBytes());
  Write("B.WMF", PlaceableHeaderBytes(0, 0, 100, 50) + WindowsMetafileBytes());
  Write("C.WMF", WindowsMetafileBytes());
  Write("PLAN.KVD", TextDrawing(3));
  const struct {
    const char* what;
    const char* reference;
    int32_t kind;  // kPictureEmpty: not loaded
  } cases[] = {
      {"an enhanced metafile", "A.EMF 1 1 2 2", kPictureEmpty},
      {"a placeable metafile", "B.WMF 1 1 2 2", kPictureEmpty},
      {"a plain metafile", "C.WMF 1 1 2 2", kPictureEmpty},
      {"a drawing missing from the current folder", "ONLY.KVD 1 1 2 2", kPictureEmpty},
      {"a drawing of the current folder", "PLAN 1 1 10 5", kPictureDrawing},
  };
  for (const auto& c : cases) {
    PictureSlot slot = {};
    EXPECT_EQ(LoadPicture(&slot, c.reference, 0, 1), c.kind != kPictureEmpty ? 1 : 0) << c.what;
    EXPECT_EQ(slot.kind, c.kind) << c.what;
    FreePicture(&slot);
  }
  ParsePictureRefs("<A.EMF 1 1 80 10><B.WMF 1 11 40 20>");
  EXPECT_EQ(g_pictureTable.count, 0);
  ParsePictureRefs("{C.WMF 1 1 80 10}");
  EXPECT_EQ(g_pictureTable.count, 0);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureTest, LoadPictureFileChoosesByExtension) {
  struct Case {
    const char* what;
    std::string name;
    std::string bytes;
    int32_t kind;  // kPictureEmpty: not loaded
  } cases[] = {
      {"enhanced, lower case", "e.emf", EnhancedMetafileBytes(), kPictureEnhanced},
      {"a longer extension counts as its first three letters", "e.EMFX", EnhancedMetafileBytes(),
       kPictureEnhanced},
      {"placeable", "p.WMF", PlaceableHeaderBytes(0, 0, 10, 10) + WindowsMetafileBytes(),
       kPicturePlaceable},
      {"plain", "q.wmf", WindowsMetafileBytes(), kPicturePlain},
      {"a binary drawing", "d.KFD", HeaderBytes("", 1, 0, 1.0f, 1.0f) + RecordBytes('M', 0, 0),
       kPictureDrawing},
      {"a text drawing", "t.kvd", TextDrawing(2), kPictureDrawing},
      {"no extension", "NOEXT", EnhancedMetafileBytes(), kPictureEmpty},
      {"two letters", "e.EM", EnhancedMetafileBytes(), kPictureEmpty},
      {"not an enhanced metafile", "bad.EMF", "garbage", kPictureEmpty},
      {"not any metafile", "bad.WMF", "garbage", kPictureEmpty},
      {"a drawing without records", "empty.KFD", std::string(104, '\0'), kPictureEmpty},
  };
  for (const Case& c : cases) {
    Write(c.name, c.bytes);
    PictureSlot slot = {};
    const int loaded = LoadPictureFile(&slot, Path(c.name).c_str(), 1);
    EXPECT_EQ(loaded, c.kind != kPictureEmpty ? 1 : 0) << c.what;
    EXPECT_EQ(slot.kind, c.kind) << c.what;
    EXPECT_EQ(slot.picture != nullptr, c.kind >= kPictureEnhanced && c.kind <= kPicturePlain)
        << c.what;
    FreePicture(&slot);
  }
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureTest, FreePictureClearsEveryField) {
  PictureSlot slot = {};
  Write("d.KFD", HeaderBytes("", 1, 3, 2.0f, 1.0f) + RecordBytes('M', 0, 0) + "abc");
  ASSERT_EQ(LoadPictureFile(&slot, Path("d.KFD").c_str(), 1), 1);
  slot.firstCell = 5;
  slot.viewRect = {1, 2, 3, 4};
  slot.drawnRect = {1, 2, 3, 4};
  FreePicture(&slot);
  const PictureSlot cleared = {};
  EXPECT_EQ(std::memcmp(&slot, &cleared, sizeof slot), 0);
}

TEST_F(PictureTest, HitTestFindsTheFirstDrawingWhoseRectangleHoldsThePoint) {
  Write("d.KFD", HeaderBytes("", 1, 0, 1.0f, 1.0f) + RecordBytes('M', 0, 0));
  g_pictureTable.count = 4;
  // Slot 0 is an enhanced metafile (without a handle) over the same place:
  // never found.
  g_pictureTable.slots[0].kind = kPictureEnhanced;
  g_pictureTable.slots[0].drawnRect = {0, 0, 1000, 1000};
  for (int i = 1; i < 4; ++i) {
    ASSERT_EQ(LoadPictureFile(&g_pictureTable.slots[i], Path("d.KFD").c_str(), 1), 1);
  }
  g_pictureTable.slots[1].drawnRect = {10, 20, 110, 70};
  g_pictureTable.slots[2].drawnRect = {100, 60, 200, 65000};
  g_pictureTable.slots[3].drawnRect = {0, 0, 65535, 65535};

  auto at = [](uint32_t x, uint32_t y) { return x | (y << 16); };
  struct Case {
    const char* what;
    uint32_t point;
    int result;
    int32_t index;
  } cases[] = {
      {"inside", at(50, 30), 1, 1},
      {"top-left corner", at(10, 20), 1, 1},
      {"right edge", at(110, 40), 1, 1},
      {"bottom edge", at(50, 70), 1, 1},
      {"both overlap: the first", at(105, 65), 1, 1},
      {"only the second", at(150, 100), 1, 2},
      {"y in the high half, unsigned", at(150, 64000), 1, 2},
      {"only the last", at(65535, 65535), 1, 3},
  };
  for (const Case& c : cases) {
    int32_t index = -1;
    EXPECT_EQ(HitTestDrawings(c.point, &index), c.result) << c.what;
    EXPECT_EQ(index, c.index) << c.what;
  }
  g_pictureTable.count = 3;  // slot 3 is beyond the count now
  int32_t index = -1;
  EXPECT_EQ(HitTestDrawings(at(65535, 65535), &index), 0);
  EXPECT_EQ(index, -1);
}

}  // namespace
}  // namespace drawing_test
