// The bitmap table's object calls: empty bitmaps, pixels, copies and freeing.
#include <gtest/gtest.h>

#include "bitmaps/bitmap.h"
#include "bitmaps/bitmapservice.h"
#include "inprocesshost.h"
#include "scn/bitmap.h"

namespace {

class BitmapTableTest : public InProcessHostTest {};

// A 2 x 2 RGBA bitmap: (10,20,30) (40,50,60) / (70,80,90) (100,110,120), alpha 128.
scn::Bitmap* TwoByTwo() {
  scn::Bitmap* b = scn::AllocateBitmap();
  b->width = b->height = 2;
  b->channels = 4;
  b->pixels = {10, 20, 30, 128, 40, 50, 60, 128, 70, 80, 90, 128, 100, 110, 120, 128};
  return b;
}

std::array<scn::Int32, 3> Pixel(const scn::Bitmap* b, int x, int y) {
  std::array<scn::Int32, 3> rgb{-1, -1, -1};
  scn::GetBitmapPixel(b, x, y, &rgb[0], &rgb[1], &rgb[2]);
  return rgb;
}

using Rgb = std::array<scn::Int32, 3>;

TEST_F(BitmapTableTest, AllocatedBitmapIsEmptyAndBlack) {
  scn::Bitmap* b = scn::AllocateBitmap();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(scn::GetBitmapWidth(b), 0);
  EXPECT_EQ(scn::GetBitmapHeight(b), 0);
  EXPECT_EQ(Pixel(b, 0, 0), (Rgb{0, 0, 0}));
  scn::FreeBitmap(b);
  EXPECT_EQ(b, nullptr);
}

TEST_F(BitmapTableTest, PixelsInsideAreReadAndOutsideAreBlack) {
  scn::Bitmap* b = TwoByTwo();
  EXPECT_EQ(Pixel(b, 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(Pixel(b, 1, 0), (Rgb{40, 50, 60}));
  EXPECT_EQ(Pixel(b, 0, 1), (Rgb{70, 80, 90}));
  EXPECT_EQ(Pixel(b, 1, 1), (Rgb{100, 110, 120}));
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {2, 2}})
    EXPECT_EQ(Pixel(b, x, y), (Rgb{0, 0, 0})) << x << "," << y;
  scn::FreeBitmap(b);
}

TEST_F(BitmapTableTest, CloneIsAnIndependentCopy) {
  scn::Bitmap* b = TwoByTwo();
  scn::Bitmap* copy = scn::CloneBitmap(b);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, b);
  b->pixels[0] = 255;
  scn::FreeBitmap(b);
  EXPECT_EQ(scn::GetBitmapWidth(copy), 2);
  EXPECT_EQ(Pixel(copy, 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(copy->channels, 4);
  scn::FreeBitmap(copy);
  EXPECT_EQ(scn::CloneBitmap(nullptr), nullptr);
}

TEST_F(BitmapTableTest, EveryBitmapHandedOutIsCountedUntilFreed) {
  const std::size_t before = host::BitmapService::LiveCount();
  scn::Bitmap* a = scn::AllocateBitmap();
  scn::Bitmap* b = scn::CloneBitmap(a);
  EXPECT_EQ(host::BitmapService::LiveCount(), before + 2);
  scn::FreeBitmap(a);
  scn::FreeBitmap(b);
  EXPECT_EQ(host::BitmapService::LiveCount(), before);
}

TEST_F(BitmapTableTest, FreeingTwiceIsReportedNotCrashed) {
  scn::Bitmap* b = scn::AllocateBitmap();
  const auto* table = H().Tables()->bitmap;
  table->FreeBitmap(b);
  table->FreeBitmap(b);
  scn::Bitmap onStack;
  table->FreeBitmap(&onStack);
  EXPECT_EQ(H().diagnostics().Misbehaviours().size(), 2u);
  H().diagnostics().Clear();
}

TEST_F(BitmapTableTest, SavePngRefusesEmptyBitmapsAndUnwritablePaths) {
  scn::Bitmap empty;
  EXPECT_FALSE(host::BitmapService::SavePng(&empty, temp_ / "empty.png"));
  EXPECT_FALSE(host::BitmapService::SavePng(nullptr, temp_ / "null.png"));
  scn::Bitmap* b = TwoByTwo();
  EXPECT_FALSE(host::BitmapService::SavePng(b, temp_ / "no-such-folder" / "b.png"));
  EXPECT_TRUE(host::BitmapService::SavePng(b, temp_ / "b.png"));
  scn::FreeBitmap(b);
}

}  // namespace
