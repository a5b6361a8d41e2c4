#include "drawing_test_support.h"

#include <cmath>
#include <cstring>

#include "entry/library_reset.h"
#include "os/os.h"
#include "report_base/drawing_tools.h"
#include "run/run_context.h"
#include "support/test_support.h"

#ifndef _WIN32
#include <dirent.h>
#endif

namespace drawing_test {

std::vector<MessageBox> g_messages;

namespace {

int RecordMessage(void* owner, const char* text, const char* title, uint32_t flags) {
  g_messages.push_back({owner, text ? text : "", title ? title : "", title != nullptr, flags});
  return os::kIdOk;
}

void PutBytes(std::string* out, size_t offset, const void* data, size_t size) {
  std::memcpy(&(*out)[offset], data, size);
}

}  // namespace

std::string Field(double value, int width, int decimals) {
  const long long whole = std::llround(value * std::pow(10.0, decimals));
  std::string digits = std::to_string(whole);
  EXPECT_LE(digits.size(), static_cast<size_t>(width)) << "field too narrow for " << value;
  return std::string(width - digits.size(), ' ') + digits;
}

std::string Command(char letter, double x, double y) {
  return std::string(1, letter) + Field(x, 8, 4) + Field(y, 8, 4) + " 0";
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string HeaderBytes(const std::string& title, int32_t count, int32_t stringSize, float largestX,
                        float largestY, const std::string& magic) {
  std::string h(104, '\0');
  h.replace(0, magic.size(), magic);
  h.replace(8, title.size(), title);
  PutBytes(&h, 88, &count, 4);
  PutBytes(&h, 92, &stringSize, 4);
  PutBytes(&h, 96, &largestX, 4);
  PutBytes(&h, 100, &largestY, 4);
  return h;
}

std::string RecordBytes(char command, float x, float y, float f3, float f4, float f5, float f6) {
  std::string r(25, '\0');
  r[0] = command;
  const float fields[6] = {x, y, f3, f4, f5, f6};
  for (int i = 0; i < 6; ++i) PutBytes(&r, 1 + 4 * i, &fields[i], 4);
  return r;
}

int32_t Int32At(const std::string& bytes, size_t offset) {
  int32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

float FloatAt(const std::string& bytes, size_t offset) {
  float v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

int OpenFileCount() {
#ifdef _WIN32
  return -1;
#else
  int n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++n;
    closedir(d);
  }
  return n;
#endif
}

void DrawingTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder_ = testing_support::MakeTempFolder(std::string("drawing-") + info->name());
  ResetLibraryForTests();
  SetInputFolder(folder_);
  g_messages.clear();
  os::SetMessageBoxHook(RecordMessage);
}

void DrawingTest::TearDown() {
  ResetLibraryForTests();
  g_messages.clear();
}

void DrawingTest::SetInputFolder(const std::string& folder) const {
  ASSERT_LT(folder.size(), sizeof g_runContext.inputFolder);
  std::strcpy(g_runContext.inputFolder, folder.c_str());
}

void DrawingTest::SetProgramFolder(const std::string& folder) const {
  ASSERT_LT(folder.size(), sizeof g_runContext.programFolder);
  std::strcpy(g_runContext.programFolder, folder.c_str());
}

void DrawingTest::Write(const std::string& name, const std::string& bytes) const {
  ASSERT_TRUE(testing_support::WriteFileBytes(Path(name), bytes)) << name;
}

std::string DrawingTest::Read(const std::string& name) const {
  return testing_support::ReadFileOrEmpty(Path(name));
}

namespace {
void PutLe16(std::string* out, uint16_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>(v >> 8));
}
void PutLe32(std::string* out, uint32_t v) {
  PutLe16(out, static_cast<uint16_t>(v & 0xFFFF));
  PutLe16(out, static_cast<uint16_t>(v >> 16));
}
}  // namespace

std::string WindowsMetafileBytes(const std::string& records) {
  const std::string end = std::string("\x03\x00\x00\x00\x00\x00", 6);
  const std::string body = records + end;
  std::string h;
  PutLe16(&h, 1);       // memory metafile
  PutLe16(&h, 9);       // header words
  PutLe16(&h, 0x0300);  // version
  PutLe32(&h, static_cast<uint32_t>((18 + body.size()) / 2));
  PutLe16(&h, 0);  // objects
  PutLe32(&h, 3);  // largest record, in words
  PutLe16(&h, 0);
  return h + body;
}

std::string PlaceableHeaderBytes(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                 uint16_t unitsPerInch) {
  std::string h;
  PutLe32(&h, 0x9AC6CDD7u);
  PutLe16(&h, 0);
  PutLe16(&h, static_cast<uint16_t>(left));
  PutLe16(&h, static_cast<uint16_t>(top));
  PutLe16(&h, static_cast<uint16_t>(right));
  PutLe16(&h, static_cast<uint16_t>(bottom));
  PutLe16(&h, unitsPerInch);
  PutLe32(&h, 0);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= Uint16At(h, i);
  PutLe16(&h, sum);
  return h;
}

std::string EnhancedMetafileBytes() {
  std::string e;
  PutLe32(&e, 1);                                             // EMR_HEADER
  PutLe32(&e, 88);                                            // its size
  for (int i = 0; i < 4; ++i) PutLe32(&e, i < 2 ? 0 : 100);   // bounds
  for (int i = 0; i < 4; ++i) PutLe32(&e, i < 2 ? 0 : 2000);  // frame, 0.01 mm
  PutLe32(&e, 0x464D4520u);                                   // " EMF"
  PutLe32(&e, 0x10000);                                       // version
  PutLe32(&e, 88 + 20);                                       // bytes
  PutLe32(&e, 2);                                             // records
  PutLe16(&e, 1);                                             // handles
  PutLe16(&e, 0);
  PutLe32(&e, 0);  // description length
  PutLe32(&e, 0);  // description offset
  PutLe32(&e, 0);  // palette entries
  PutLe32(&e, 1024);
  PutLe32(&e, 768);  // device, pixels
  PutLe32(&e, 320);
  PutLe32(&e, 240);  // device, millimetres
  PutLe32(&e, 14);   // EMR_EOF
  PutLe32(&e, 20);
  PutLe32(&e, 0);
  PutLe32(&e, 16);
  PutLe32(&e, 20);
  return e;
}

uint16_t Uint16At(const std::string& bytes, size_t offset) {
  if (offset + 2 > bytes.size()) return 0;
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                               (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

std::vector<DrawingRecord> RecordsOf(const LoadedDrawing& drawing) {
  std::vector<DrawingRecord> out;
  if (!drawing.records) return out;
  const auto* bytes = static_cast<const unsigned char*>(os::MemLock(drawing.records));
  for (int32_t i = 0; i < drawing.recordCount; ++i) out.push_back(GetDrawingRecord(bytes, i));
  os::MemUnlock(drawing.records);
  return out;
}

std::string StringsOf(const LoadedDrawing& drawing) {
  if (!drawing.strings) return "";
  const auto* bytes = static_cast<const char*>(os::MemLock(drawing.strings));
  std::string out(bytes, static_cast<size_t>(drawing.stringSize));
  os::MemUnlock(drawing.strings);
  return out;
}

}  // namespace drawing_test
