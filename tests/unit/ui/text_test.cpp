// Text through the UI font: opening it, widths and line height, and glyphs painted inside the box that
// the draw list records, within the clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/diagnostics.h"
#include "printers.h"
#include "tempdir.h"
#include "ui/canvas.h"
#include "ui/font.h"

namespace {

using host::Canvas;
using host::Font;
using host::Rect;
using host::Rgb;

constexpr Rgb kInk{255, 255, 255};
constexpr Rgb kPaper{40, 40, 40};

// Where the ink went: the bounding box of pixels brighter than the paper.
Rect InkBox(const Canvas& c) {
  int left = c.Width(), top = c.Height(), right = -1, bottom = -1;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.PixelAt(x, y).r > kPaper.r) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
      }
  return right < 0 ? Rect{} : Rect{left, top, right - left + 1, bottom - top + 1};
}

int InkCount(const Canvas& c) {
  int n = 0;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) n += c.PixelAt(x, y).r > kPaper.r;
  return n;
}

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = Font::Open(host::kUiFontFile, host::kUiFontPixelSize, diagnostics_);
    ASSERT_NE(font_, nullptr) << "fonts-dejavu-core is needed: " << diagnostics_.Lines().size();
  }
  // A fresh canvas with the text painted at (x, y) of a target, ink on paper.
  std::unique_ptr<Canvas> Paint(const std::string& text, int x = 5, int y = 3) {
    auto c = std::make_unique<Canvas>(200, 60, font_.get());
    c->SetTarget({20, 10, 150, 40});
    c->SetTextColors(kInk, kPaper);
    c->PaintText(text, x, y);
    return c;
  }

  host::Diagnostics diagnostics_;
  std::unique_ptr<Font> font_;
};

TEST(FontOpenTest, AFontThatCannotBeReadIsReportedNotFatal) {
  host::Diagnostics diagnostics;
  EXPECT_EQ(Font::Open("/no/such/folder/DejaVuSans.ttf", 12, diagnostics), nullptr);
  EXPECT_TRUE(diagnostics.Contains("/no/such/folder/DejaVuSans.ttf")) << "names the file";
  EXPECT_TRUE(diagnostics.Contains("file missing"));

  TempDir temp;
  const auto garbage = temp.Write("broken.ttf", "this is not a font");
  EXPECT_EQ(Font::Open(garbage, 12, diagnostics), nullptr);
  EXPECT_TRUE(diagnostics.Contains("broken.ttf at 12 px: FreeType error"));
}

TEST_F(TextTest, WidthsAddUpAndTheLineHoldsTheFont) {
  EXPECT_EQ(font_->TextWidth(""), 0);
  EXPECT_EQ(font_->TextWidth("Kinetra 01:05"),
            font_->TextWidth("Kinetra") + font_->TextWidth(" ") + font_->TextWidth("01:05"));
  EXPECT_GT(font_->TextWidth("W"), font_->TextWidth("i"));
  EXPECT_GE(font_->LineHeight(), 12);
  EXPECT_LE(font_->LineHeight(), 18);
  Canvas canvas(10, 10, font_.get());
  EXPECT_EQ(canvas.TextWidth("Hello"), font_->TextWidth("Hello"));
  EXPECT_EQ(canvas.LineHeight(), font_->LineHeight());
}

TEST_F(TextTest, TextIsPaintedInsideTheBoxTheDrawListRecords) {
  const auto c = Paint("Hg Kinetra");
  const auto texts = c->DrawCalls().Texts("Hg Kinetra");
  ASSERT_EQ(texts.size(), 1u);
  const Rect box = texts[0]->rect;
  EXPECT_EQ(box, (Rect{25, 13, font_->TextWidth("Hg Kinetra"), font_->LineHeight()}))
      << "y is the top of the line box";
  EXPECT_EQ(texts[0]->colour, kInk);
  EXPECT_EQ(texts[0]->background, kPaper);

  const Rect ink = InkBox(*c);
  EXPECT_EQ(Intersect(ink, box), ink) << "no ink outside the box";
  EXPECT_LE(ink.x, box.x + 2) << "the width agrees with the ink on the left";
  EXPECT_GE(ink.Right(), box.Right() - 3) << "and on the right";
  EXPECT_LE(ink.y, box.y + 4) << "capitals reach near the top";
  EXPECT_GE(ink.Bottom(), box.Bottom() - 2) << "the g's tail near the bottom";
  EXPECT_GT(InkCount(*c), 40);

  EXPECT_EQ(c->PixelAt(box.x, box.y), kPaper) << "the box is filled behind the text";
  EXPECT_EQ(c->PixelAt(box.x - 1, box.y), (Rgb{0, 0, 0})) << "and nothing beside it";
}

TEST_F(TextTest, TheClipCutsTextAndTheTargetLimitsIt) {
  auto c = std::make_unique<Canvas>(200, 60, font_.get());
  c->SetTarget({20, 10, 150, 40});
  c->SetTextColors(kInk, kPaper);
  c->SetClipRegion(0, 0, 20, 40);
  c->PaintText("Wide Name", 5, 3);
  EXPECT_LE(InkBox(*c).Right(), 40) << "nothing right of the clip";
  EXPECT_GT(InkCount(*c), 5);
  EXPECT_EQ(c->DrawCalls().Texts("Wide Name")[0]->clip, (Rect{20, 10, 20, 40}));

  c->ClearClipRegion();
  c->PaintText("Name", -10, -5);  // starts left of and above the target
  EXPECT_GE(InkBox(*c).x, 20);
  EXPECT_GE(InkBox(*c).y, 10);
}

TEST_F(TextTest, BytesAreLatin1AndUnknownOnesGetTheMissingGlyph) {
  EXPECT_EQ(font_->TextWidth("\xE9"), font_->TextWidth("e")) << "é is in the face";
  EXPECT_GT(InkCount(*Paint("\xE9")), InkCount(*Paint("e"))) << "with its accent";

  const int missing = font_->TextWidth("\x01");
  EXPECT_GT(missing, 0);
  EXPECT_EQ(font_->TextWidth("\x7F"), missing) << "every unknown byte the same glyph";
  EXPECT_GT(InkCount(*Paint("\x01")), 0) << "and it is painted";
}

TEST(TextWithoutFontTest, TextIsRecordedButTakesNoRoom) {
  Canvas c(20, 20, nullptr);
  c.SetTextColors(kInk, kPaper);
  c.PaintText("lost", 2, 2);
  EXPECT_EQ(c.TextWidth("lost"), 0);
  EXPECT_EQ(c.LineHeight(), 0);
  ASSERT_EQ(c.DrawCalls().Texts("lost").size(), 1u);
  EXPECT_EQ(InkCount(c), 0);
}

}  // namespace
