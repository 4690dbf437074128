// Canvas drawing without text: fills, lines, blits, clipping, borders, the colour rule and the draw list,
// checked by pixels at known places.
#include "ui/canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "printers.h"
#include "ui/themecolours.h"

namespace {

using host::Canvas;
using host::DrawKind;
using host::Rect;
using host::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{200, 10, 10};
constexpr Rgb kGreen{10, 200, 10};
constexpr Rgb kBlue{10, 10, 200};
constexpr Rgb kWhite{255, 255, 255};

// Every pixel of the canvas of that colour.
std::set<std::pair<int, int>> PixelsOf(const Canvas& c, Rgb colour) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.PixelAt(x, y) == colour) out.insert({x, y});
  return out;
}

std::set<std::pair<int, int>> Box(const Rect& r) {
  std::set<std::pair<int, int>> out;
  for (int y = r.y; y < r.Bottom(); ++y)
    for (int x = r.x; x < r.Right(); ++x) out.insert({x, y});
  return out;
}

scn::Bitmap MakeBitmap(int width, int height, int channels, std::initializer_list<std::uint8_t> pixels) {
  scn::Bitmap b;
  b.width = width;
  b.height = height;
  b.channels = channels;
  b.pixels = pixels;
  return b;
}

TEST(ColourRuleTest, UnitChannelsLandOnWholeValues) {
  struct Case {
    double unit;
    int expected;
  };
  const Case cases[] = {
      {235 / 256.0, 235},
      {176 / 256.0, 176},
      {53 / 256.0, 53},
      {0.0, 0},
      {0.5, 128},
      {0.6, 153},
      {0.99609375, 255},
      {1.0, 255},
      {2.0, 255},
      {-0.1, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(host::ChannelFromUnit(c.unit), c.expected) << c.unit;
  EXPECT_EQ(host::RgbFromUnit(0.91796875, 0.6875, 0.20703125), (Rgb{235, 176, 53}));
}

TEST(ThemeColoursTest, ThePlugInsIdsAreKnownAndOthersAreNot) {
  ASSERT_TRUE(host::ThemeColour(1000).has_value());
  ASSERT_TRUE(host::ThemeColour(1003).has_value());
  EXPECT_NE(*host::ThemeColour(1000), *host::ThemeColour(1003)) << "text must stand out";
  EXPECT_FALSE(host::ThemeColour(999).has_value());
  EXPECT_FALSE(host::ThemeColour(0).has_value());
}

class CanvasTest : public ::testing::Test {
 protected:
  Canvas canvas_{40, 30, nullptr};
};

TEST_F(CanvasTest, FillsAreRelativeToTheTargetAndStayInsideIt) {
  canvas_.SetTarget({10, 5, 20, 10});
  canvas_.SetDrawColor(kRed);
  canvas_.FillRectangle(0, 0, 4, 2);
  EXPECT_EQ(PixelsOf(canvas_, kRed), Box({10, 5, 5, 3})) << "both corners belong to the rectangle";

  canvas_.SetDrawColor(kGreen);
  canvas_.FillRectangle(100, 100, 15, -50);
  EXPECT_EQ(PixelsOf(canvas_, kGreen), Box({25, 5, 5, 10})) << "corners in either order, clipped";

  const auto& calls = canvas_.DrawCalls().Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, DrawKind::Fill);
  EXPECT_EQ(calls[0].rect, (Rect{10, 5, 5, 3}));
  EXPECT_EQ(calls[0].colour, kRed);
  EXPECT_EQ(calls[1].rect, (Rect{25, -45, 86, 151})) << "recorded as asked, in window coordinates";
  EXPECT_EQ(calls[1].clip, (Rect{10, 5, 20, 10}));
  EXPECT_EQ(calls[1].Painted(), (Rect{25, 5, 5, 10}));
}

TEST_F(CanvasTest, ATargetReachingPastTheCanvasIsLimitedToIt) {
  canvas_.SetTarget({30, 20, 100, 100});
  canvas_.SetDrawColor(kRed);
  canvas_.FillRectangle(0, 0, 1000, 1000);
  EXPECT_EQ(PixelsOf(canvas_, kRed), Box({30, 20, 10, 10}));
  canvas_.SetTarget({-5, -5, 8, 8});
  canvas_.SetDrawColor(kBlue);
  canvas_.FillRectangle(-100, -100, 100, 100);
  EXPECT_EQ(PixelsOf(canvas_, kBlue), Box({0, 0, 3, 3}));
}

TEST_F(CanvasTest, TheClipRegionIsAlwaysWithinTheTarget) {
  canvas_.SetTarget({10, 10, 20, 15});
  struct Case {
    Rect region;  // target coordinates: x, y, width, height
    Rect painted;
  };
  const Case cases[] = {
      {{5, 5, 4, 4}, {15, 15, 4, 4}},
      {{-5, -5, 100, 100}, {10, 10, 20, 15}},
      {{15, 0, 10, 3}, {25, 10, 5, 3}},
      {{0, 0, -3, 5}, {}},
      {{50, 50, 5, 5}, {}},
  };
  for (const Case& c : cases) {
    Canvas canvas(40, 30, nullptr);
    canvas.SetTarget({10, 10, 20, 15});
    canvas.SetClipRegion(c.region.x, c.region.y, c.region.width, c.region.height);
    canvas.SetDrawColor(kRed);
    canvas.FillRectangle(-10, -10, 50, 50);
    EXPECT_EQ(PixelsOf(canvas, kRed), Box(c.painted)) << c.region;
  }

  canvas_.SetClipRegion(0, 0, 1, 1);
  canvas_.ClearClipRegion();
  canvas_.SetDrawColor(kGreen);
  canvas_.FillRectangle(0, 0, 100, 100);
  EXPECT_EQ(PixelsOf(canvas_, kGreen), Box({10, 10, 20, 15})) << "cleared: the whole target again";
}

TEST_F(CanvasTest, LinesPaintBothEndsAndOnePixelPerStep) {
  struct Case {
    int x1, y1, x2, y2;
    std::set<std::pair<int, int>> pixels;
  };
  const Case cases[] = {
      {2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}},
      {4, 1, 4, 4, {{4, 1}, {4, 2}, {4, 3}, {4, 4}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {3, 3, 0, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
      {6, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
      {5, 5, 5, 5, {{5, 5}}},
  };
  for (const Case& c : cases) {
    Canvas canvas(10, 10, nullptr);
    canvas.SetDrawColor(kWhite);
    canvas.StrokeLine(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(PixelsOf(canvas, kWhite), c.pixels) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
  }
}

TEST_F(CanvasTest, LinesAreClippedAndRecordedWithTheirEnds) {
  canvas_.SetTarget({10, 10, 10, 10});
  canvas_.SetDrawColor(kWhite);
  canvas_.StrokeLine(-1000000000, 2, 1000000000, 2);  // walks only the clipped stretch
  canvas_.StrokeLine(3, -5, 3, 50);
  std::set<std::pair<int, int>> expected = Box({10, 12, 10, 1});
  expected.merge(Box({13, 10, 1, 10}));
  EXPECT_EQ(PixelsOf(canvas_, kWhite), expected);
  const auto lines = canvas_.DrawCalls().OfKind(DrawKind::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1]->from, (host::Point{13, 5}));
  EXPECT_EQ(lines[1]->to, (host::Point{13, 60}));
  EXPECT_EQ(lines[1]->rect, (Rect{13, 5, 1, 56}));
}

TEST_F(CanvasTest, ACopyBlitScalesToTheNearestPixel) {
  // 2 x 2: red green / blue white.
  const scn::Bitmap b = MakeBitmap(2, 2, 3, {200, 10, 10, 10, 200, 10, 10, 10, 200, 255, 255, 255});
  ASSERT_TRUE(canvas_.BlitBitmap(b, {4, 6, 4, 4}, {0, 0, 2, 2}, host::kBlitCopy));
  EXPECT_EQ(PixelsOf(canvas_, kRed), Box({4, 6, 2, 2}));
  EXPECT_EQ(PixelsOf(canvas_, kGreen), Box({6, 6, 2, 2}));
  EXPECT_EQ(PixelsOf(canvas_, kBlue), Box({4, 8, 2, 2}));
  EXPECT_EQ(PixelsOf(canvas_, kWhite), Box({6, 8, 2, 2}));

  // The right column only, stretched to three wide.
  ASSERT_TRUE(canvas_.BlitBitmap(b, {20, 20, 3, 2}, {1, 0, 1, 2}, host::kBlitCopy));
  std::set<std::pair<int, int>> green = Box({6, 6, 2, 2});
  green.merge(Box({20, 20, 3, 1}));
  EXPECT_EQ(PixelsOf(canvas_, kGreen), green);
  EXPECT_EQ(canvas_.PixelAt(22, 21), kWhite);

  const host::DrawCall& call = canvas_.DrawCalls().Calls().back();
  EXPECT_EQ(call.kind, DrawKind::Blit);
  EXPECT_EQ(call.rect, (Rect{20, 20, 3, 2}));
  EXPECT_EQ(call.source, (Rect{1, 0, 1, 2}));
  EXPECT_EQ(call.bitmap, (host::Size{2, 2}));
  EXPECT_EQ(call.mode, host::kBlitCopy);
}

TEST_F(CanvasTest, ADownscaledIconKeepsItsEdgesAndItsMiddle) {
  // 32 x 32 icon into 18 x 18: a 2 px red frame around blue.
  scn::Bitmap icon = MakeBitmap(32, 32, 3, {});
  icon.pixels.resize(32 * 32 * 3);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool edge = x < 2 || y < 2 || x >= 30 || y >= 30;
      const Rgb c = edge ? kRed : kBlue;
      std::uint8_t* p = icon.At(x, y);
      p[0] = c.r, p[1] = c.g, p[2] = c.b;
    }
  Canvas canvas(40, 40, nullptr);
  ASSERT_TRUE(canvas.BlitBitmap(icon, {10, 10, 18, 18}, {0, 0, 32, 32}, host::kBlitCopy));
  EXPECT_EQ(canvas.PixelAt(10, 10), kRed);
  EXPECT_EQ(canvas.PixelAt(27, 27), kRed);
  EXPECT_EQ(canvas.PixelAt(11, 11), kBlue);
  EXPECT_EQ(canvas.PixelAt(18, 18), kBlue);
  EXPECT_EQ(canvas.PixelAt(28, 28), kBlack) << "nothing past the destination";
}

TEST_F(CanvasTest, AnAlphaBlitBlendsWhereTheBitmapIsTransparent) {
  canvas_.SetDrawColor({100, 100, 100});
  canvas_.FillRectangle(0, 0, 39, 29);
  // Opaque red, transparent, half green, a quarter blue.
  const scn::Bitmap b =
      MakeBitmap(4, 1, 4, {200, 10, 10, 255, 200, 10, 10, 0, 10, 200, 10, 128, 10, 10, 200, 64});
  ASSERT_TRUE(canvas_.BlitBitmap(b, {0, 0, 4, 1}, {0, 0, 4, 1}, host::kBlitAlpha));
  EXPECT_EQ(canvas_.PixelAt(0, 0), kRed);
  EXPECT_EQ(canvas_.PixelAt(1, 0), (Rgb{100, 100, 100}));
  EXPECT_EQ(canvas_.PixelAt(2, 0), (Rgb{55, 150, 55}));
  EXPECT_EQ(canvas_.PixelAt(3, 0), (Rgb{77, 77, 125}));

  ASSERT_TRUE(canvas_.BlitBitmap(b, {0, 1, 4, 1}, {0, 0, 4, 1}, host::kBlitCopy));
  EXPECT_EQ(canvas_.PixelAt(1, 1), kRed) << "a copy ignores alpha";

  const scn::Bitmap opaque = MakeBitmap(1, 1, 3, {10, 200, 10});
  ASSERT_TRUE(canvas_.BlitBitmap(opaque, {0, 2, 1, 1}, {0, 0, 1, 1}, host::kBlitAlpha));
  EXPECT_EQ(canvas_.PixelAt(0, 2), kGreen) << "without alpha, mode 257 copies";
}

TEST_F(CanvasTest, BlitsAreClippedAndLeaveOutSourcePixelsOutsideTheBitmap) {
  const scn::Bitmap b = MakeBitmap(2, 1, 3, {200, 10, 10, 10, 200, 10});
  canvas_.SetTarget({5, 5, 10, 10});
  canvas_.SetClipRegion(0, 0, 3, 10);
  ASSERT_TRUE(canvas_.BlitBitmap(b, {0, 0, 6, 1}, {0, 0, 2, 1}, host::kBlitCopy));
  EXPECT_EQ(PixelsOf(canvas_, kRed), Box({5, 5, 3, 1}));
  EXPECT_TRUE(PixelsOf(canvas_, kGreen).empty()) << "clipped away";

  canvas_.ClearClipRegion();
  ASSERT_TRUE(canvas_.BlitBitmap(b, {0, 2, 4, 1}, {-1, 0, 2, 1}, host::kBlitCopy));
  EXPECT_EQ(canvas_.PixelAt(5, 7), kBlack) << "source column -1 is not there";
  EXPECT_EQ(canvas_.PixelAt(7, 7), kRed);
}

TEST_F(CanvasTest, BadBlitsDrawAndRecordNothing) {
  const scn::Bitmap b = MakeBitmap(1, 1, 3, {200, 10, 10});
  EXPECT_FALSE(canvas_.BlitBitmap(b, {0, 0, 5, 5}, {0, 0, 1, 1}, 1)) << "unknown mode";
  scn::Bitmap shortPixels = MakeBitmap(2, 2, 3, {200, 10, 10});
  EXPECT_FALSE(canvas_.BlitBitmap(shortPixels, {0, 0, 5, 5}, {0, 0, 2, 2}, host::kBlitCopy));
  EXPECT_TRUE(PixelsOf(canvas_, kRed).empty());
  EXPECT_TRUE(canvas_.DrawCalls().Calls().empty());

  const scn::Bitmap empty;
  EXPECT_TRUE(canvas_.BlitBitmap(empty, {0, 0, 18, 18}, {0, 0, 0, 0}, host::kBlitAlpha))
      << "an icon that failed to load draws nothing and is no error";
  EXPECT_TRUE(canvas_.BlitBitmap(b, {0, 0, 0, 5}, {0, 0, 1, 1}, host::kBlitCopy));
  EXPECT_TRUE(PixelsOf(canvas_, kRed).empty());
}

TEST_F(CanvasTest, BordersFrameTheOuterPixels) {
  const Rgb light = *host::ThemeColour(host::kColourEdgeLight);
  const Rgb shadow = *host::ThemeColour(host::kColourEdgeShadow);
  const Rgb deep = *host::ThemeColour(host::kColourEdgeDeep);
  const Rgb frame = *host::ThemeColour(host::kColourFrame);
  ASSERT_TRUE(canvas_.DrawBorder(2, 2, 11, 11, host::kBorderRecessed));
  EXPECT_EQ(canvas_.PixelAt(2, 2), shadow) << "shaded top left";
  EXPECT_EQ(canvas_.PixelAt(11, 5), light) << "lit right";
  EXPECT_EQ(canvas_.PixelAt(5, 11), light) << "lit bottom";
  EXPECT_EQ(canvas_.PixelAt(3, 5), deep) << "second ring";
  EXPECT_EQ(canvas_.PixelAt(10, 10), frame);
  EXPECT_EQ(canvas_.PixelAt(5, 5), kBlack) << "inside stays";
  EXPECT_EQ(canvas_.PixelAt(12, 12), kBlack) << "outside stays";

  ASSERT_TRUE(canvas_.DrawBorder(20, 2, 25, 7, host::kBorderRaised));
  EXPECT_EQ(canvas_.PixelAt(20, 2), light);
  EXPECT_EQ(canvas_.PixelAt(25, 7), shadow);
  EXPECT_EQ(canvas_.PixelAt(21, 3), kBlack) << "one pixel wide";

  EXPECT_FALSE(canvas_.DrawBorder(0, 0, 5, 5, 3)) << "unknown style";
  const auto borders = canvas_.DrawCalls().OfKind(DrawKind::Border);
  ASSERT_EQ(borders.size(), 2u);
  EXPECT_EQ(borders[0]->rect, (Rect{2, 2, 10, 10}));
  EXPECT_EQ(borders[0]->style, host::kBorderRecessed);
}

TEST_F(CanvasTest, ANewTargetResetsClipAndColours) {
  canvas_.SetTarget({0, 0, 10, 10});
  canvas_.SetClipRegion(0, 0, 1, 1);
  canvas_.SetDrawColor(kRed);
  canvas_.SetTarget({0, 0, 10, 10});
  canvas_.FillRectangle(0, 0, 9, 9);
  EXPECT_EQ(PixelsOf(canvas_, *host::ThemeColour(host::kColourBackground)), Box({0, 0, 10, 10}));
}

TEST_F(CanvasTest, APassStartsWithAnEmptyDrawList) {
  canvas_.FillRectangle(0, 0, 1, 1);
  canvas_.SetTarget({5, 5, 5, 5});
  canvas_.BeginPass();
  EXPECT_TRUE(canvas_.DrawCalls().Calls().empty());
  canvas_.FillRectangle(0, 0, 1, 1);
  EXPECT_EQ(canvas_.DrawCalls().Calls().front().rect, (Rect{0, 0, 2, 2})) << "back to the whole window";
}

TEST(CanvasSizeTest, SidesAreLimited) {
  const Canvas negative(-5, 10, nullptr);
  EXPECT_EQ(negative.Width(), 0);
  EXPECT_EQ(negative.Pixels().pixels.size(), 0u);
  const Canvas huge(1 << 20, 1, nullptr);
  EXPECT_EQ(huge.Width(), Canvas::kMaxSide);
}

}  // namespace
