#include <string>
#include <vector>

#include "compose_fixture.h"
#include "quire/quire_standin.h"
#include "support/test_support.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadFileOrEmpty;
using testing_support::WriteFileBytes;

class Composer : public ComposeTest {};

const std::string kValues = std::string("AB\3EFGHI\3CD\3") + '\x19';

// Row 2 (cells 80 to 159) has '{' at column 20 and '~' at column 30; row 3
// has '}' at column 45: the values go on cells 100-101, 108-112 and 204-205.
std::vector<std::string> FieldRows() {
  std::string row2 = std::string(20, ' ') + "{" + std::string(9, ' ') + "~";
  std::string row3 = std::string(45, ' ') + "}";
  return {TemplateRow("Title", '1'), TemplateRow(row2), TemplateRow(row3),
          TemplateRow("Name [[Bword]] x #### @@"), TemplateRow("", 'X')};
}

std::string FieldPage() {
  const std::string row2 = std::string(20, ' ') + "AB" + std::string(6, ' ') + "EFGHI";
  const std::string row3 = std::string(44, ' ') + "CD";
  return Line("Title", '1') +
         Line(row2, ' ', std::string(20, ' ') + "{" + std::string(9, ' ') + "~") +
         Line(row3, ' ', std::string(45, ' ') + "}") + Line("Name" + std::string(11, ' ') + "x");
}

TEST_F(Composer, ComposesAPageWithItsValuesAndPictures) {
  WriteTemplate("TEST", "ENG", {Record("<a.emf 1 1 10 5>", "NYNNNNNNNNNNN", FieldRows())});
  EXPECT_EQ(Compose("D  ", "test0001", kValues), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$a.emf  1  1 10  5\r\n" + FieldPage());
  EXPECT_EQ(screen_.substr(0, 8), "TEST0001");
  // The field data stay in the screen model.
  EXPECT_EQ(std::string(g_screenModel.fieldValueText), std::string("AB\3EFGHI\3CD\3"));
  EXPECT_EQ(g_screenModel.fieldIndex[100], 0);
  EXPECT_EQ(g_screenModel.fieldIndex[110], 3);
  EXPECT_EQ(g_screenModel.fieldIndex[205], 9);
  EXPECT_EQ(g_screenModel.fieldIndex[101], -1);
  EXPECT_EQ(g_screenModel.fieldMarkerMap[100], '{');
  EXPECT_EQ(std::string(g_composer.keyMask, 13), "NYNNNNNNNNNNN");
  EXPECT_EQ(std::string(g_composer.pictureRefText), "<a.emf 1 1 10 5>");
  EXPECT_EQ(g_pictureTable.count, 0);
}

// The engine-callable form: a one-letter command is padded with blanks, and
// the result comes back blank-padded to its length.
TEST_F(Composer, EngineCallableFormComposesTheSame) {
  WriteTemplate("TEST", "ENG", {Record("<a.emf 1 1 10 5>", "NYNNNNNNNNNNN", FieldRows())});
  char result[8] = "xxxxxxx";
  EXPECT_EQ(ComposePageCall("D", 1, "test0001", 8, kValues.data(),
                            static_cast<int64_t>(kValues.size()), "", 0, result, 7),
            0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$a.emf  1  1 10  5\r\n" + FieldPage());
  EXPECT_EQ(std::string(result, 7), "       ");
}

TEST_F(Composer, LanguageCommandSetsTheResult) {
  ASSERT_TRUE(WriteFileBytes(DataFolder() + "G_GERMAN.PDA", "x"));
  char result[4] = "...";
  EXPECT_EQ(ComposePageCall("S", 1, "ger", 3, "", 0, "", 0, result, 3), 0);
  EXPECT_EQ(std::string(result, 3), "S  ");
  EXPECT_EQ(std::string(g_reportLanguage.reportLanguageCode, 3), "ger");
  EXPECT_EQ(std::string(g_reportLanguage.selectedLanguageCode, 3), "GER");
  // A language that cannot be selected leaves the code, and still answers 'S'.
  char again[2] = ".";
  EXPECT_EQ(Compose("S  ", "xyz", "", "", again), 0);
  EXPECT_EQ(again[0], 'S');
  EXPECT_EQ(std::string(g_reportLanguage.reportLanguageCode, 3), "ger");
}

TEST_F(Composer, GatherOnlyCommandWritesNothing) {
  EXPECT_EQ(Compose("DL ", "test0001", kValues, "text <a.emf 1 1 2 2> more"), 0);
  EXPECT_EQ(std::string(g_composer.pictureRefText), "<a.emf 1 1 2 2>");
  EXPECT_EQ(screen_.substr(0, 8), "TEST0001");
  EXPECT_FALSE(FileExists(RunReport()));
  EXPECT_EQ(Compose("DN ", "test0001", kValues, "<a.emf 1 1 2 2>"), 0);
  EXPECT_EQ(std::string(g_composer.pictureRefText), "");
  EXPECT_EQ(screen_.substr(0, 8), "test0001");
  EXPECT_EQ(Compose("X  ", "test0001", kValues), 0);
  EXPECT_FALSE(FileExists(RunReport()));
}

TEST_F(Composer, FallsBackToEnglishTemplates) {
  ASSERT_TRUE(WriteFileBytes(DataFolder() + "G_FRENCH.PDA", "x"));
  ASSERT_TRUE(os::WriteSetting("Setting", "Language", "FRENCH", "KVORSCRN.INI"));
  WriteTemplate("TEST", "ENG", {Record("", "", {TemplateRow("English"), TemplateRow("", 'X')})});
  EXPECT_EQ(Compose("D  ", "TEST0001", "\x19"), 0);
  EXPECT_EQ(std::string(g_reportLanguage.reportLanguageCode, 3), "FRE");
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), Line("English"));
}

TEST_F(Composer, NoTemplateComposesNothing) {
  EXPECT_EQ(Compose("D  ", "NONE0001", "\x19"), 0);
  EXPECT_FALSE(FileExists(RunReport()));
}

TEST_F(Composer, ScreenNumberChoosesTheRecord) {
  WriteTemplate("TEST", "ENG",
                {Record("", "", {TemplateRow("One"), TemplateRow("", 'X')}),
                 Record("", "", {TemplateRow("Two"), TemplateRow("", 'X')})});
  EXPECT_EQ(Compose("D  ", "TEST  02", "\x19"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), Line("Two"));
}

// A list whose end mark is not among its first 1999 characters places nothing.
TEST_F(Composer, ValuesWithoutEndMarkPlaceNothing) {
  WriteTemplate("TEST", "ENG", {Record("", "", FieldRows())});
  std::string values = "AB\3" + std::string(1996, 'x') + "\x19";  // end mark at 1999
  EXPECT_EQ(Compose("D  ", "TEST0001", values), 0);
  const std::string report = ReadFileOrEmpty(RunReport());
  EXPECT_EQ(report.find("AB"), std::string::npos);
  EXPECT_EQ(g_screenModel.fieldIndex[100], -1);
  EXPECT_EQ(std::string(g_screenModel.fieldValueText), "");
}

// The engine's values are cut to 2000 characters: an end mark beyond them
// does not count, nor one beyond the length given.
TEST_F(Composer, EngineValuesAreCutToTheirLength) {
  WriteTemplate("TEST", "ENG", {Record("", "", FieldRows())});
  std::string values = "AB\3" + std::string(2500, 'x') + "\x19";
  EXPECT_EQ(ComposePageCall("D", 1, "TEST0001", 8, values.data(),
                            static_cast<int64_t>(values.size()), "", 0, nullptr, 0),
            0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()).find("AB"), std::string::npos);
  std::remove((RunReport()).c_str());
  const std::string shortValues = std::string("AB\3") + '\x19';
  EXPECT_EQ(ComposePageCall("D", 1, "TEST0001", 8, shortValues.data(), 3, "", 0, nullptr, 0), 0);
  EXPECT_EQ(std::string(g_screenModel.fieldValueText), "");
}

// The engine's picture text goes through a buffer of 255 characters: a
// reference beyond them is not seen.
TEST_F(Composer, EnginePictureTextIsCutTo255) {
  WriteTemplate("TEST", "ENG", {Record("", "", {TemplateRow("", 'X')})});
  const std::string near = std::string(230, ' ') + "<A.EMF 1 1 2 2>";          // ends at 245
  const std::string beyond = near + std::string(10, ' ') + "<B.EMF 1 1 2 2>";  // starts at 255
  EXPECT_EQ(ComposePageCall("D", 1, "TEST0001", 8, "\x19", 1, beyond.data(),
                            static_cast<int64_t>(beyond.size()), nullptr, 0),
            0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "$$$A.EMF  1  1  2  2\r\n");
  // And a length shorter than the text cuts it there.
  ASSERT_TRUE(WriteFileBytes(RunReport(), ""));
  EXPECT_EQ(ComposePageCall("D", 1, "TEST0001", 8, "\x19", 1, near.data(), 240, nullptr, 0), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), "");
}

TEST_F(Composer, ReportThatCannotBeOpenedGivesMinusOne) {
  WriteTemplate("TEST", "ENG", {Record("", "", FieldRows())});
  SetRunFolders(program_, root_ + "MISSING\\", "A1B2C3");
  EXPECT_EQ(Compose("D  ", "TEST0001", kValues), -1);
  EXPECT_EQ(ComposePageCall("D", 1, "TEST0001", 8, kValues.data(),
                            static_cast<int64_t>(kValues.size()), "", 0, nullptr, 0),
            -1);
}

TEST_F(Composer, RichTextOutputTakesThePage) {
  QuireStandin_SetEnabled(1);
  // No rich-text template: the rich-text path's own -1.
  EXPECT_EQ(Compose("D  ", "TEST0001", kValues), -1);
  ASSERT_TRUE(WriteFileBytes(TemplateFolder() + "TEST.RENG", "{\\rtf1}"));
  EXPECT_EQ(ComposePageCall("D", 1, "TEST0001", 8, kValues.data(),
                            static_cast<int64_t>(kValues.size()), "", 0, nullptr, 0),
            1);
  EXPECT_FALSE(FileExists(RunReport()));
}

// The picture text's references come first; a header reference that would
// take the references past 287 characters is left out, and so is every
// later one.
TEST_F(Composer, PictureReferencesStopBeforePassing287Characters) {
  std::string text;
  for (int i = 0; i < 11; ++i)
    text += "<PICTURE" + std::to_string(10 + i) + ".EMF 1 1 2 2>";  // 23 each
  ASSERT_EQ(text.size(), 253u);
  const std::string fits = "<B.EMF 1 1 2 2>";       // 15: 268 in all
  const std::string over = "<LONGER.EMF 1 1 2 2>";  // 20: would make 288
  const std::string tooMuch = "<C.EMF 1 1 2 2>";    // would fit (283), but comes after
  WriteTemplate("TEST", "ENG",
                {Record(fits + over + tooMuch, "<D.EMF 1 1 2 2>", {TemplateRow("", 'X')})});
  EXPECT_EQ(Compose("D  ", "TEST0001", "\x19", text), 0);
  EXPECT_EQ(std::string(g_composer.pictureRefText), text + fits);
  const std::string report = ReadFileOrEmpty(RunReport());
  EXPECT_NE(report.find("$$$B.EMF"), std::string::npos);
  EXPECT_EQ(report.find("$$$LONGER.EMF"), std::string::npos);
  EXPECT_EQ(report.find("$$$C.EMF"), std::string::npos);
  EXPECT_EQ(report.find("$$$D.EMF"), std::string::npos);
}

// A drawing in the template's header goes to the run's drawing file, and its
// rows move up by the rows the page drops before it.
TEST_F(Composer, DrawingInTheHeaderGoesToTheRunsDrawingFile) {
  const std::string plan = DrawingBytes(2, 5);
  ASSERT_TRUE(WriteFileBytes(input_ + "PLAN.KFD", plan));
  WriteTemplate("TEST", "ENG",
                {Record("<PLAN.KFD 3 4 40 9>", "",
                        {TemplateRow("Kept"), TemplateRow("", 'x'), TemplateRow("Also"),
                         TemplateRow("", 'X')})});
  EXPECT_EQ(Compose("D  ", "TEST0001", "\x19"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()),
            "$$$A1B2C3.KFD  3  3 40  8\r\n" + Line("Kept") + Line("Also"));
  EXPECT_EQ(ReadFileOrEmpty(RunDrawingFile()), plan);
}

TEST_F(Composer, PicturesBeforeOrAfterTheTextByTheirBracket) {
  WriteTemplate("TEST", "ENG",
                {Record("<A.EMF 1 1 2 2>", "{B.EMF 1 1 2 2}", {TemplateRow("", 'X')}),
                 Record("{B.EMF 1 1 2 2}", "<A.EMF 1 1 2 2>", {TemplateRow("", 'X')})});
  EXPECT_EQ(Compose("D  ", "TEST0001", "\x19"), 0);
  EXPECT_EQ(g_drawingState.picturesBeforeText, 0);
  EXPECT_EQ(Compose("D  ", "TEST0002", "\x19"), 0);
  EXPECT_EQ(g_drawingState.picturesBeforeText, 1);
}

// Characters past column 80 of a row are dropped, never carried into the
// next row.
TEST_F(Composer, LongTemplateRowsAreCut) {
  WriteTemplate(
      "TEST", "ENG",
      {Record("", "", {TemplateRow("A") + "ZZZZZ", TemplateRow("B"), TemplateRow("", 'X')})});
  EXPECT_EQ(Compose("D  ", "TEST0001", "\x19"), 0);
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), Line("A") + Line("B"));
}

// Each load starts from a cleared record: a short screen after a long one
// shows none of the long one's rows.
TEST_F(Composer, ShortRecordDoesNotRunIntoTheOneBefore) {
  std::vector<std::string> longRows;
  for (int r = 0; r < 24; ++r) longRows.push_back(TemplateRow("LONG"));
  WriteTemplate("LONG", "ENG", {Record("", "", longRows)});
  WriteTemplate("SHRT", "ENG", {Record("", "", {TemplateRow("SHORT")})});
  EXPECT_EQ(Compose("D  ", "LONG0001", "\x19"), 0);
  ASSERT_TRUE(WriteFileBytes(RunReport(), ""));
  EXPECT_EQ(Compose("D  ", "SHRT0001", "\x19"), 0);
  std::string expected = Line("SHORT");
  for (int r = 1; r < 24; ++r) expected += Line("");
  EXPECT_EQ(ReadFileOrEmpty(RunReport()), expected);
}

}  // namespace
