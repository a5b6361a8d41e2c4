// Placeable Windows metafiles: the checksum, writing a placeable file and the
// bare bits, reading them back, and every way a read can fail.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "drawing/metafile_handles.h"
#include "drawing/pictures.h"
#include "drawing_test_support.h"
#include "os/os.h"
#include "support/test_support.h"

namespace drawing_test {
namespace {

// Two records a Windows metafile may hold: MoveTo(7, 3) and LineTo(40, 20)
// (each three words of record head and two words of parameters, y first).
const std::string kLineRecords = std::string(
    "\x05\x00\x00\x00\x14\x02\x03\x00\x07\x00"
    "\x05\x00\x00\x00\x13\x02\x14\x00\x28\x00",
    20);

std::string Le32Bytes(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

// A standard metafile header claiming `words` 16-bit words.
std::string MetaHeaderClaiming(uint32_t words) {
  std::string h = WindowsMetafileBytes().substr(0, 18);
  h.replace(6, 4, Le32Bytes(words));
  return h;
}

std::string BitsOf(void* metafile) {
  const uint32_t size = metafile::PlainBits(metafile, 0, nullptr);
  std::string bits(size, '\0');
  if (size > 0) metafile::PlainBits(metafile, size, &bits[0]);
  return bits;
}

class PlaceableTest : public DrawingTest {
 protected:
  void* Read(const std::string& name, PictureSlot* slot) {
    return ReadPlaceableMetafile(Path(name).c_str(), slot->placeableHeader, slot);
  }
};

TEST(PlaceableChecksum, IsTheExclusiveOrOfTheFirstTenWords) {
  unsigned char header[22] = {0xD7, 0xCD, 0xC6, 0x9A};
  EXPECT_EQ(PlaceableChecksum(header), 0x5711);
  // The box (0, 0, 9800, 5000) at 1000 units per inch, worked out by hand:
  // 0xCDD7 ^ 0x9AC6 ^ 0x2648 ^ 0x1388 ^ 0x03E8.
  const std::string h = PlaceableHeaderBytes(0, 0, 9800, 5000);
  std::memcpy(header, h.data(), 22);
  EXPECT_EQ(PlaceableChecksum(header), 0x6139);
  // Bytes 20 and 21 (the checksum itself) do not count.
  header[20] = 0xFF;
  header[21] = 0xFF;
  EXPECT_EQ(PlaceableChecksum(header), 0x6139);
}

TEST_F(PlaceableTest, WritesHeaderAndBitsAndReadsThemBack) {
  const std::string bits = WindowsMetafileBytes(kLineRecords);
  void* metafile = metafile::PlainFromBits(bits.data(), static_cast<uint32_t>(bits.size()));
  ASSERT_NE(metafile, nullptr);
  ASSERT_EQ(BitsOf(metafile), bits);

  ASSERT_EQ(WritePlaceableMetafile(metafile, Path("OUT.WMF").c_str(), {0, 0, 9800, 5000}), 1);
  const std::string file = DrawingTest::Read("OUT.WMF");
  ASSERT_EQ(file.size(), 22 + bits.size());
  const std::string expectedHeader(
      "\xD7\xCD\xC6\x9A\x00\x00\x00\x00\x00\x00\x48\x26\x88\x13\xE8\x03\x00\x00\x00\x00\x39\x61",
      22);
  EXPECT_EQ(file.substr(0, 22), expectedHeader);
  EXPECT_EQ(file.substr(22), bits);

  // The box holds the rectangle's width and height.
  ASSERT_EQ(WritePlaceableMetafile(metafile, Path("MOVED.WMF").c_str(), {10, 20, 110, 70}), 1);
  const std::string moved = DrawingTest::Read("MOVED.WMF");
  EXPECT_EQ(Uint16At(moved, 6), 10);
  EXPECT_EQ(Uint16At(moved, 8), 20);
  EXPECT_EQ(Uint16At(moved, 10), 100);
  EXPECT_EQ(Uint16At(moved, 12), 50);

  PictureSlot slot = {};
  void* back = Read("OUT.WMF", &slot);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(slot.kind, kPicturePlaceable);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(slot.placeableHeader), 22), file.substr(0, 22));
  EXPECT_EQ(BitsOf(back), bits);
  metafile::DeletePlain(back);

  ASSERT_EQ(WriteMetafileBits(metafile, Path("BARE.WMF").c_str()), 1);
  EXPECT_EQ(DrawingTest::Read("BARE.WMF"), bits);
  metafile::DeletePlain(metafile);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PlaceableTest, ReadFailuresShowTheirMessage) {
  const std::string key = PlaceableHeaderBytes(0, 0, 100, 100);
  const std::string bits = WindowsMetafileBytes(kLineRecords);  // 44 bytes, 22 words
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"only 10 bytes", key.substr(0, 10), kMsgPlaceableHeader},
      {"21 bytes", key.substr(0, 21), kMsgPlaceableHeader},
      {"a metafile header of 17 bytes", key + bits.substr(0, 17), kMsgMetafileHeader},
      // Twice mtSize below the 18 bytes of the header itself.
      {"8 words", key + MetaHeaderClaiming(8) + bits.substr(18), kMsgMetafileBits},
      // Twice 0x80000000 needs 33 bits.
      {"2^31 words", key + MetaHeaderClaiming(0x80000000u) + bits.substr(18), kMsgMetafileBits},
      {"2^32 - 1 words", key + MetaHeaderClaiming(0xFFFFFFFFu) + bits.substr(18), kMsgMetafileBits},
      // 0xFFFFFFFE bytes fit 32 bits but lie far beyond the file.
      {"0x7FFFFFFF words", key + MetaHeaderClaiming(0x7FFFFFFFu) + bits.substr(18),
       kMsgMetafileBits},
      // 44 bytes present: 64 KiB and 2 bytes more than that is too much.
      {"one word beyond 64 KiB missing", key + MetaHeaderClaiming(22 + 32768 + 1) + bits.substr(18),
       kMsgMetafileBits},
  };
  for (const Case& c : cases) {
    g_messages.clear();
    Write("BAD.WMF", c.bytes);
    PictureSlot slot = {};
    EXPECT_EQ(Read("BAD.WMF", &slot), nullptr) << c.what;
    EXPECT_EQ(slot.kind, kPictureEmpty) << c.what;
    ASSERT_EQ(g_messages.size(), 1u) << c.what;
    EXPECT_EQ(g_messages[0].text, c.message) << c.what;
    EXPECT_EQ(g_messages[0].owner, nullptr) << c.what;
    EXPECT_FALSE(g_messages[0].hasTitle) << c.what;
    EXPECT_EQ(g_messages[0].flags, os::kMbIconStop) << c.what;
  }
}

TEST_F(PlaceableTest, AFileCutShortLoadsWithZeros) {
  const std::string key = PlaceableHeaderBytes(0, 0, 100, 100);
  const std::string bits = WindowsMetafileBytes(kLineRecords);
  // The header claims exactly 64 KiB more than the file holds.
  const std::string bytes = key + MetaHeaderClaiming(22 + 32768) + bits.substr(18);
  Write("SHORT.WMF", bytes);
  PictureSlot slot = {};
  void* metafile = Read("SHORT.WMF", &slot);
  ASSERT_NE(metafile, nullptr);
  EXPECT_EQ(slot.kind, kPicturePlaceable);
  const std::string read = BitsOf(metafile);
  ASSERT_EQ(read.size(), 44u + 65536u);
  EXPECT_EQ(read.substr(0, 44), bytes.substr(22));
  EXPECT_EQ(read.substr(44), std::string(65536, '\0'));
  metafile::DeletePlain(metafile);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PlaceableTest, WithoutTheKeyAFileIsAPlainMetafile) {
  PictureSlot slot = {};
  std::memset(slot.placeableHeader, 0xAA, sizeof slot.placeableHeader);
  Write("PLAIN.WMF", WindowsMetafileBytes(kLineRecords));
  void* metafile = Read("PLAIN.WMF", &slot);
  ASSERT_NE(metafile, nullptr);
  EXPECT_EQ(slot.kind, kPicturePlain);
  metafile::DeletePlain(metafile);

  // Fewer than four bytes cannot hold the key; the header holds what was read
  // and nothing of the earlier picture.
  slot = PictureSlot{};
  std::memset(slot.placeableHeader, 0xAA, sizeof slot.placeableHeader);
  Write("TINY.WMF", std::string("\xD7\xCD\xC6", 3));
  EXPECT_EQ(Read("TINY.WMF", &slot), nullptr);
  EXPECT_EQ(slot.kind, kPicturePlain);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(slot.placeableHeader), 22),
            std::string("\xD7\xCD\xC6", 3) + std::string(19, '\0'));

  // A file that cannot be opened: nothing, and no message.
  slot = PictureSlot{};
  EXPECT_EQ(Read("MISSING.WMF", &slot), nullptr);
  EXPECT_EQ(slot.kind, kPictureEmpty);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PlaceableTest, AFailedLockReleasesTheBitsBlockOnce) {
  Write("P.WMF", PlaceableHeaderBytes(0, 0, 10, 10) + WindowsMetafileBytes(kLineRecords));
  PictureSlot slot = {};
  os::SetMemLockFailAfter(0);
  EXPECT_EQ(Read("P.WMF", &slot), nullptr);
  os::SetMemLockFailAfter(-1);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0].text, kMsgMetafileMemory);
  // The block released by the failed read is not released again by the next.
  void* metafile = Read("P.WMF", &slot);
  ASSERT_NE(metafile, nullptr);
  metafile::DeletePlain(metafile);

  g_messages.clear();
  os::SetMemAllocFailAfter(0);
  EXPECT_EQ(Read("P.WMF", &slot), nullptr);
  os::SetMemAllocFailAfter(-1);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0].text, kMsgMetafileMemory);
  metafile = Read("P.WMF", &slot);
  ASSERT_NE(metafile, nullptr);
  metafile::DeletePlain(metafile);
}

TEST_F(PlaceableTest, WritersLeaveNoPartlyWrittenFile) {
  const std::string bits = WindowsMetafileBytes(kLineRecords);
  void* metafile = metafile::PlainFromBits(bits.data(), static_cast<uint32_t>(bits.size()));
  ASSERT_NE(metafile, nullptr);
  const PictureRect box = {0, 0, 100, 100};

  // The bits fail after the header was written: the file is deleted, also an
  // older one of the same name.
  Write("OLD.WMF", "older picture");
  os::SetWriteFailAfter(1);
  EXPECT_EQ(WritePlaceableMetafile(metafile, Path("OLD.WMF").c_str(), box), 0);
  EXPECT_FALSE(testing_support::FileExists(Path("OLD.WMF")));
  os::SetWriteFailAfter(0);
  EXPECT_EQ(WriteMetafileBits(metafile, Path("BARE.WMF").c_str()), 0);
  EXPECT_FALSE(testing_support::FileExists(Path("BARE.WMF")));
  os::SetWriteFailAfter(-1);

  // No block, or no lock: nothing is created.
  os::SetMemAllocFailAfter(0);
  EXPECT_EQ(WritePlaceableMetafile(metafile, Path("A.WMF").c_str(), box), 0);
  os::SetMemAllocFailAfter(-1);
  os::SetMemLockFailAfter(0);
  EXPECT_EQ(WriteMetafileBits(metafile, Path("A.WMF").c_str()), 0);
  os::SetMemLockFailAfter(-1);
  EXPECT_FALSE(testing_support::FileExists(Path("A.WMF")));
  // No metafile, or a folder that does not exist.
  EXPECT_EQ(WritePlaceableMetafile(nullptr, Path("A.WMF").c_str(), box), 0);
  EXPECT_EQ(WritePlaceableMetafile(metafile, Path("NO\\A.WMF").c_str(), box), 0);
  EXPECT_FALSE(testing_support::FileExists(Path("A.WMF")));

  // A path of 128 characters and more is written like any other.
  const std::string longName = std::string(140 - folder_.size(), 'L') + ".WMF";
  ASSERT_GE(Path(longName).size(), 140u);
  EXPECT_EQ(WritePlaceableMetafile(metafile, Path(longName).c_str(), box), 1);
  EXPECT_EQ(DrawingTest::Read(longName).size(), 22 + bits.size());
  metafile::DeletePlain(metafile);
  EXPECT_TRUE(g_messages.empty());
}

}  // namespace
}  // namespace drawing_test
