// Fixtures of the drawing file tests: column-exact text drawing lines, binary
// drawings built byte by byte from their layout, and a message box recorder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing_files.h"

namespace drawing_test {

// A fixed-decimal field: round(value * 10^decimals), right-aligned in `width`
// columns.
std::string Field(double value, int width, int decimals);
// A command line ("A01F84F84I02"): the letter, x and y in 8 columns with 4
// decimals, and two columns for the unused whole number.
std::string Command(char letter, double x = 0.0, double y = 0.0);
// Lines joined with CR LF, each line ended.
std::string Lines(const std::vector<std::string>& lines);

// Byte layout of binary drawings, written here without the library's own
// structs so that the tests check the layout rather than restate it.
std::string HeaderBytes(const std::string& title, int32_t count, int32_t stringSize, float largestX,
                        float largestY, const std::string& magic = "KFD2.0");
std::string RecordBytes(char command, float x, float y, float f3 = 0, float f4 = 0, float f5 = 0,
                        float f6 = 0);
int32_t Int32At(const std::string& bytes, size_t offset);
float FloatAt(const std::string& bytes, size_t offset);

// Files the process holds open (natively; -1 on Windows, which instead
// refuses to delete a file that is open).
int OpenFileCount();

struct MessageBox {
  void* owner;
  std::string text;
  std::string title;
  bool hasTitle;  // false for a box without title (a null title)
  uint32_t flags;
};
extern std::vector<MessageBox> g_messages;

// Each test works in a fresh folder that is also the run's input folder;
// message boxes are recorded, and every process-wide piece of state is
// returned to its load-time value afterwards.
class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& name) const { return folder_ + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  void SetInputFolder(const std::string& folder) const;
  void SetProgramFolder(const std::string& folder) const;

  std::string folder_;
};

// Metafiles built byte by byte from the published layouts: a Windows
// metafile (18-byte header, the records given, an end record), a placeable
// header before it, and the smallest enhanced metafile (a header record and an
// end record).
std::string WindowsMetafileBytes(const std::string& records = "");
std::string PlaceableHeaderBytes(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                 uint16_t unitsPerInch = 1000);
std::string EnhancedMetafileBytes();
uint16_t Uint16At(const std::string& bytes, size_t offset);

std::vector<DrawingRecord> RecordsOf(const LoadedDrawing& drawing);
std::string StringsOf(const LoadedDrawing& drawing);

}  // namespace drawing_test
