// The .PDA builder writes the fixed byte layouts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pdabuild/pdabuild.h"

namespace {

float FloatAt(const std::string& b, size_t offset) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= static_cast<uint32_t>(static_cast<unsigned char>(b[offset + i])) << (8 * i);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

TEST(PdaBuild, IndexFile) {
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  ASSERT_TRUE(
      pdabuild::Build("file A.PDA index\nentries 1109 -2\nentry 2000 300\n"
                      "file B.PDA index 200\n",
                      &files, &error))
      << error;
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, "A.PDA");
  const std::string& a = files[0].bytes;
  ASSERT_EQ(a.size(), 4000u);
  EXPECT_EQ(static_cast<unsigned char>(a[0]), 0x55);  // 1109 = 0x0455
  EXPECT_EQ(static_cast<unsigned char>(a[1]), 0x04);
  EXPECT_EQ(static_cast<unsigned char>(a[2]), 0xFE);  // -2
  EXPECT_EQ(static_cast<unsigned char>(a[3]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(a[3998]), 0x2C);  // 300 = 0x012C
  EXPECT_EQ(static_cast<unsigned char>(a[3999]), 0x01);
  EXPECT_EQ(files[1].bytes, std::string(400, '\0'));
}

TEST(PdaBuild, PropertyFile) {
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  ASSERT_TRUE(
      pdabuild::Build("# two records\nfile P.PDA property\nrecord 2\n"
                      "word 1 1109 2.5\nword 60 -1\ntable 121 70 100 50 200 1 2 3\n"
                      "word 305 9\ntext 1 \"NAME\"\ntext 21 \"A\\\"B\"\nchars 240 \"\\x82\"\n",
                      &files, &error))
      << error;
  const std::string& p = files[0].bytes;
  ASSERT_EQ(p.size(), 2440u);
  EXPECT_EQ(p.substr(0, 240), std::string(240, '\0'));   // record 1: zeros
  EXPECT_EQ(p.substr(240, 240), std::string(240, ' '));  // and blanks
  const size_t r = 1220;
  EXPECT_EQ(FloatAt(p, r + 0), 1109.0f);
  EXPECT_EQ(FloatAt(p, r + 4), 2.5f);
  EXPECT_EQ(FloatAt(p, r + 236), -1.0f);
  EXPECT_EQ(FloatAt(p, r + 480), 70.0f);      // word 121
  EXPECT_EQ(FloatAt(p, r + 480 + 24), 3.0f);  // word 127
  EXPECT_EQ(FloatAt(p, r + 1216), 9.0f);      // word 305
  EXPECT_EQ(p.substr(r + 240, 80), "NAME" + std::string(76, ' '));
  EXPECT_EQ(p.substr(r + 320, 40), "A\"B" + std::string(37, ' '));
  EXPECT_EQ(static_cast<unsigned char>(p[r + 479]), 0x82);
}

TEST(PdaBuild, CurrencyAndClassTables) {
  std::vector<pdabuild::PdaFile> files;
  std::string error;
  ASSERT_TRUE(
      pdabuild::Build("file N_STDLAB.PDA currency\nword 121 1.2 5.5\n"
                      "file N_Mtldef.PDA classtable\nrow 2 8 1116\nword 2500 7\n",
                      &files, &error))
      << error;
  ASSERT_EQ(files[0].bytes.size(), 800u);
  EXPECT_EQ(FloatAt(files[0].bytes, 480), 1.2f);
  EXPECT_EQ(FloatAt(files[0].bytes, 484), 5.5f);
  ASSERT_EQ(files[1].bytes.size(), 10000u);
  EXPECT_EQ(FloatAt(files[1].bytes, 4 * (25 + 8 - 1)), 1116.0f);
  EXPECT_EQ(FloatAt(files[1].bytes, 9996), 7.0f);
}

TEST(PdaBuild, FaultsNameTheirLine) {
  struct Case {
    const char* text;
    const char* start;
  };
  const Case cases[] = {
      {"entry 1 2\n", "line 1:"},
      {"file A.PDA index\n\nentry 2001 5\n", "line 3:"},
      {"file P.PDA property\nword 1 5\n", "line 2:"},
      {"file P.PDA property\nrecord 1\nword 61 5\n", "line 3:"},
      {"file P.PDA property\nrecord 1\nword 1 x\n", "line 3:"},
      {"file P.PDA property\nrecord 1\ntext 21 \""
       "0123456789012345678901234567890123456789X\"\n",
       "line 3:"},
      {"file C.PDA currency\nword 201 1\n", "line 2:"},
      {"file X.PDA other\n", "line 1:"},
      {"file P.PDA property\nrecord 1\ntext 1 \"open\n", "line 3:"},
  };
  for (const Case& k : cases) {
    std::vector<pdabuild::PdaFile> files;
    std::string error;
    EXPECT_FALSE(pdabuild::Build(k.text, &files, &error)) << k.text;
    EXPECT_EQ(error.rfind(k.start, 0), 0u) << k.text << " -> " << error;
  }
}

}  // namespace
