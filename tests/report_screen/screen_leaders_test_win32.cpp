// Screen dot leaders measured as they are drawn, after the OEM to ANSI
// conversion: OEM 0x82 is drawn as e acute (ANSI 0xE9), wider than the low
// quote that byte 0x82 is in the ANSI code page, so a leader measured before
// the conversion gains dots that run past its column. Read back from the
// records of an enhanced metafile, whose text records carry each
// character's advance: the reference x plus the advances is the text's exact
// right edge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/screen/screen_drawing.h"
#include "screen_window_win32.h"
#include "support/emf_records_win32.h"

namespace {

using gdi_test::Ansi;
using gdi_test::EmfRecord;
using gdi_test::EmfRecorder;
using gdi_test::EmfRecording;
using gdi_test::Texts;
using gdi_test::TextWidth;

class ScreenLeaders : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    normal_ =
        ::CreateFontA(kNormal, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    field_ =
        ::CreateFontA(kField, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
    SetClient(800, 500, field_, normal_);  // cells of 10 x 20 after a margin of 5
  }
  void TearDown() override {
    ScreenTest::TearDown();
    ::DeleteObject(normal_);
    ::DeleteObject(field_);
  }

  // Width of ANSI text in the normal font, as GDI measures it on the screen
  // (as the metafile's reference device does).
  int32_t Width(const std::string& text) const {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, normal_);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return size.cx;
  }

  static const EmfRecord* TextAt(const EmfRecording& r, int32_t x, int32_t y) {
    for (const EmfRecord& t : r.records) {
      if ((t.type == EMR_EXTTEXTOUTW || t.type == EMR_EXTTEXTOUTA) && t.point.x == x &&
          t.point.y == y)
        return &t;
    }
    return nullptr;
  }

  static constexpr int32_t kNormal = -16;
  static constexpr int32_t kField = -18;
  HFONT normal_ = nullptr;
  HFONT field_ = nullptr;
};

// A word with OEM 0x82 in it and five dots from column 2 (x 25), a '|' right
// after the dots: the leader is stretched toward the '|' cell as far as
// whole dots fit, measured on the text as drawn, and so never passes it.
TEST_F(ScreenLeaders, LeaderIsMeasuredAfterConversion) {
  struct Case {
    const char* what;
    std::string oem;   // the word as the screen holds it
    std::string ansi;  // as it is drawn
    bool mustDiffer;   // measuring the unconverted bytes gives more dots
  } const cases[] = {
      {"D, 0x82, bit",
       "D\x82"
       "bit",
       "D\xE9"
       "bit",
       false},
      // Three of them: the difference of three characters' widths is more
      // than a dot in any proportional font.
      {"D, three 0x82, bit",
       "D\x82\x82\x82"
       "bit",
       "D\xE9\xE9\xE9"
       "bit",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetAll();
    SetClient(800, 500, field_, normal_);
    const std::string dots(5, '.');
    PutText(7, 2, c.oem + dots + "|");
    const int32_t length = static_cast<int32_t>((c.oem + dots).size());
    const int32_t bar = 25 + 10 * length;  // x of the '|' cell
    const int32_t dot = Width("....") / 4;
    ASSERT_GT(dot, 0);
    const int32_t drawnWidth = Width(c.ansi + dots);
    const int32_t extra = (bar - 25 - drawnWidth) / dot;
    ASSERT_GT(extra, 0);
    if (c.mustDiffer) {
      ASSERT_GT((bar - 25 - Width(c.oem + dots)) / dot, extra)
          << "the case does not tell a measurement before the conversion from one after it";
    }

    EmfRecorder m;
    PaintScreenText(m.dc(), g_screenModel.screenText + 560, g_screenModel.screenAttributes + 560,
                    80, 560);
    const EmfRecording r = m.Finish();
    const EmfRecord* t = TextAt(r, 25, 140);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, Ansi(c.ansi + dots + std::string(extra, '.')));
    // The leader ends at or before the '|' cell, and one dot more would pass
    // it.
    ASSERT_GT(TextWidth(*t), 0);
    EXPECT_LE(t->point.x + TextWidth(*t), bar);
    EXPECT_GT(t->point.x + TextWidth(*t) + dot, bar);
  }
}

// DrawDotLeaders on its own measures the same way.
TEST_F(ScreenLeaders, DrawDotLeadersMeasuresAfterConversion) {
  const std::string text =
      "D\x82\x82\x82"
      "bit.....";
  const int32_t dot = Width("....") / 4;
  ASSERT_GT(dot, 0);
  // From cell 0 (x 5) to the cell after the dots, cell 12 (x 125).
  const int32_t extra = (120 - Width("D\xE9\xE9\xE9"
                                     "bit.....")) /
                        dot;
  EmfRecorder m;
  ::SelectObject(m.dc(), normal_);
  DrawDotLeaders(m.dc(), text.c_str(), 0, static_cast<int32_t>(text.size()));
  const std::vector<EmfRecord> texts = Texts(m.Finish());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, Ansi("D\xE9\xE9\xE9"
                                "bit....." +
                                std::string(extra, '.')));
  EXPECT_LE(texts[0].point.x + TextWidth(texts[0]), 125);
}

}  // namespace
