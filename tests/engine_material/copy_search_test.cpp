// SSCANH, MoveWords and MOVEC, and their lines on standard output.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/material/copy_search.h"
#include "engine/material/material_diagnostics.h"

namespace {

std::vector<std::string> g_lines;
void Capture(const char* text, size_t length) { g_lines.emplace_back(text, length); }

struct CopySearch : ::testing::Test {
  void SetUp() override {
    g_lines.clear();
    SetMaterialStdoutSink(Capture);
  }
  void TearDown() override { SetMaterialStdoutSink(nullptr); }
};

int64_t Scan(const std::vector<int16_t>& a, int64_t first, int64_t bytes, int16_t key,
             int64_t element, int64_t stride) {
  int64_t found = -5;
  SSCANH(a.data(), &first, &bytes, &key, &element, &stride, &found);
  return found;
}

TEST_F(CopySearch, SscanhFindsTheFirstMatchAsABytePosition) {
  const std::vector<int16_t> a = {7, 0, 1109, 4, 1109};
  EXPECT_EQ(Scan(a, 1, 10, 1109, 2, 2), 5);  // element 3
  EXPECT_EQ(Scan(a, 1, 10, 7, 2, 2), 1);
  EXPECT_EQ(Scan(a, 1, 10, 99, 2, 2), 0);
  EXPECT_EQ(Scan(a, 7, 10, 1109, 2, 2), 9);  // from element 4
  EXPECT_EQ(Scan(a, 1, 10, 1109, 2, 4), 5);  // elements 1, 3, 5
  EXPECT_EQ(Scan(a, 1, 10, 4, 2, 4), 0);     // element 4 is skipped
  EXPECT_EQ(Scan(a, 1, 6, 4, 2, 2), 0);      // only 3 elements
  EXPECT_EQ(Scan(a, 2, 10, 7, 2, 2), 0);     // byte 2: 2 div 2 + 1, from element 2
  EXPECT_EQ(Scan(a, 2, 10, 0, 2, 2), 3);
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(CopySearch, SscanhMatchesWholeElementsOnly) {
  // Little-endian bytes: 1109 is 55 04. In {21760, 4, 1109} (00 55 04 00 55 04)
  // the bytes 55 04 first appear across elements 1 and 2; in {341, 1109}
  // (55 01 55 04) element 1 shares only the low byte.
  EXPECT_EQ(Scan({21760, 4, 1109}, 1, 6, 1109, 2, 2), 5);
  EXPECT_EQ(Scan({21760, 4}, 1, 4, 1109, 2, 2), 0);
  EXPECT_EQ(Scan({341, 1109}, 1, 4, 1109, 2, 2), 3);
  EXPECT_EQ(Scan({341, 1109}, 1, 2, 1109, 2, 2), 0);  // element 2 lies past the count
  EXPECT_EQ(Scan({-1, -1, -1}, 1, 6, -1, 2, 2), 1);
}

TEST_F(CopySearch, SscanhMisuseLine) {
  const std::vector<int16_t> a = {1, 2, 3};
  for (int64_t stride : {-1, 0, 1}) {
    g_lines.clear();
    EXPECT_EQ(Scan(a, 1, 6, 1, 2, stride), 0);
    ASSERT_EQ(g_lines.size(), 1u) << stride;
    EXPECT_EQ(g_lines[0], " ERROR IN USING SSCANH, CONTACT KVOR");
    EXPECT_EQ(g_lines[0].size(), 36u);
  }
  g_lines.clear();
  EXPECT_EQ(Scan(a, 1, 6, 1, 4, 2), 0);
  EXPECT_EQ(g_lines.size(), 1u);
}

TEST_F(CopySearch, SscanhNeverReadsOutsideTheElements) {
  // A start beyond the array and a backward stride: nothing outside 1..n read.
  const std::vector<int16_t> a = {5, 6, 7};
  EXPECT_EQ(Scan(a, 201, 6, 5, 2, -2), 0);
  EXPECT_EQ(Scan(a, 5, 6, 7, 2, -2), 5);  // (3 - 3 - 1) div -1 = 1 element: 3
  // A start far before the array is stepped over, not walked (this returns at
  // once): element 2 is the first match.
  EXPECT_EQ(Scan(a, -4000000000000000000, 6, 6, 2, 2), 3);
  // Backward, (n - i + s) div s counts down to element n only: element 3.
  EXPECT_EQ(Scan(a, 4000000000000000000, 6, 7, 2, -2), 5);
  EXPECT_EQ(Scan(a, 4000000000000000000, 6, 6, 2, -2), 0);
}

TEST_F(CopySearch, MoveWordsByBytePositions) {
  float src[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  float dst[8] = {};
  const int64_t bytes = 12, from = 5, to = 17;  // words 2..4 to words 5..7
  MoveWords(&bytes, src, &from, dst, &to);
  EXPECT_EQ(dst[3], 0.0f);
  EXPECT_EQ(dst[4], 2.0f);
  EXPECT_EQ(dst[5], 3.0f);
  EXPECT_EQ(dst[6], 4.0f);
  EXPECT_EQ(dst[7], 0.0f);
  const int64_t none = 3;  // less than a word
  MoveWords(&none, src, &from, dst, &from);
  EXPECT_EQ(dst[1], 0.0f);
}

TEST_F(CopySearch, MovecCopiesAndStaysWithinBothTexts) {
  char dst[8];
  std::memset(dst, '.', sizeof dst);
  const int64_t count = 3, from = 2, to = 4;
  MOVEC(&count, "ABCDEF", 6, &from, dst, 8, &to);
  EXPECT_EQ(std::string(dst, 8), "...BCD..");
  std::memset(dst, '.', sizeof dst);
  const int64_t many = 10, one = 1, six = 6;
  MOVEC(&many, "ABCDEF", 6, &one, dst, 8, &six);  // destination ends at 8
  EXPECT_EQ(std::string(dst, 8), ".....ABC");
  std::memset(dst, '.', sizeof dst);
  MOVEC(&many, "ABCDEF", 6, &from, dst, 8, &one);  // source ends at 6
  EXPECT_EQ(std::string(dst, 8), "BCDEF...");
  const int64_t zero = 0;
  MOVEC(&zero, "ABCDEF", 6, &one, dst, 8, &one);
  EXPECT_EQ(std::string(dst, 8), "BCDEF...");
  EXPECT_TRUE(g_lines.empty());
}

TEST_F(CopySearch, MovecLongCountPrintsAndStillCopies) {
  std::string src(3000, 'x'), dst(3000, '.');
  const int64_t count = 2001, one = 1;
  MOVEC(&count, src.data(), 3000, &one, dst.data(), 3000, &one);
  ASSERT_EQ(g_lines.size(), 1u);
  EXPECT_EQ(g_lines[0], " ERROR IN MOVEC - CONTACT KVOR TECH SUPPORT");
  EXPECT_EQ(g_lines[0].size(), 43u);
  EXPECT_EQ(dst.find('.'), 2001u);
  // Positions far before both texts: what lies before them is left out at
  // once, and the last two characters land on positions 1 and 2.
  g_lines.clear();
  const int64_t far = 3000000000000000000, farCount = far + 2, before = 1 - far;
  std::string small(4, '.');
  MOVEC(&farCount, "AB", 2, &before, small.data(), 4, &before);
  EXPECT_EQ(small, "AB..");
  EXPECT_EQ(g_lines.size(), 1u);
  g_lines.clear();
  const int64_t limit = 2000;
  MOVEC(&limit, src.data(), 3000, &one, dst.data(), 3000, &one);
  EXPECT_TRUE(g_lines.empty());
}

TEST(CopySearchStdout, TheDefaultSinkIsStandardOutput) {
  SetMaterialStdoutSink(nullptr);
  const std::vector<int16_t> a = {1};
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(Scan(a, 1, 2, 1, 2, 0), 0);
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find(" ERROR IN USING SSCANH, CONTACT KVOR"), std::string::npos) << out;
}

}  // namespace
