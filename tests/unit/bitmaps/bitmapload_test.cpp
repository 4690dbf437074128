// Loading images through the host's bitmap table: real JPEG, PNG and TIFF files in a temporary folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bitmaps/bitmap.h"
#include "bitmaps/bitmapservice.h"
#include "inprocesshost.h"
#include "scn/bitmap.h"
#include "testimages.h"

using testimages::Picture;
using testimages::Rgb;

namespace {

class BitmapLoadTest : public InProcessHostTest {
 protected:
  void SetUp() override {
    InProcessHostTest::SetUp();
    bitmap_ = scn::AllocateBitmap();
    ASSERT_NE(bitmap_, nullptr);
  }
  void TearDown() override {
    scn::FreeBitmap(bitmap_);
    InProcessHostTest::TearDown();
  }

  scn::Int32 Load(const std::filesystem::path& path, scn::Int32 frame = -1) {
    return scn::LoadBitmapFile(bitmap_, scn::Filename(path.string()), frame);
  }
  Rgb Pixel(int x, int y) const {
    scn::Int32 r = -1, g = -1, b = -1;
    scn::GetBitmapPixel(bitmap_, x, y, &r, &g, &b);
    return {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
  }

  scn::Bitmap* bitmap_ = nullptr;
};

// Four solid quadrants, so that JPEG's smoothing stays away from the sampled centres.
Picture Quadrants(int w, int h) {
  Picture p(w, h, {0, 0, 0});
  const Rgb colours[4] = {{220, 30, 30}, {30, 200, 40}, {20, 40, 210}, {250, 250, 250}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.at(x, y) = colours[(y >= h / 2) * 2 + (x >= w / 2)];
  return p;
}

void ExpectNear(Rgb actual, Rgb expected, int tolerance, const std::string& where) {
  EXPECT_NEAR(actual.r, expected.r, tolerance) << where;
  EXPECT_NEAR(actual.g, expected.g, tolerance) << where;
  EXPECT_NEAR(actual.b, expected.b, tolerance) << where;
}

// An RGB or RGBA picture with a distinct value in every channel of every pixel.
scn::Bitmap Gradient(int w, int h, int channels) {
  scn::Bitmap b;
  b.width = w;
  b.height = h;
  b.channels = channels;
  b.pixels.resize(b.Stride() * h);
  for (std::size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = std::uint8_t(i * 7 + 3);
  return b;
}

TEST_F(BitmapLoadTest, JpegLoadsWithItsSizeAndColours) {
  const Picture picture = Quadrants(64, 48);
  const auto path = temp_.Write("Smile_00000.jpg", testimages::Jpeg(picture));
  ASSERT_EQ(Load(path), scn::kImageOk);
  EXPECT_EQ(scn::GetBitmapWidth(bitmap_), 64);
  EXPECT_EQ(scn::GetBitmapHeight(bitmap_), 48);
  for (auto [x, y] : {std::pair{16, 12}, {48, 12}, {16, 36}, {48, 36}, {0, 0}, {63, 47}})
    ExpectNear(Pixel(x, y), picture.pixels[y * 64 + x], 12,
               "at " + std::to_string(x) + "," + std::to_string(y));
}

TEST_F(BitmapLoadTest, PngLoadsExactlyWithAlphaKept) {
  for (int channels : {3, 4}) {
    SCOPED_TRACE(channels);
    const scn::Bitmap saved = Gradient(7, 5, channels);
    const auto path = temp_ / ("gradient" + std::to_string(channels) + ".png");
    ASSERT_TRUE(host::BitmapService::SavePng(&saved, path));
    ASSERT_EQ(Load(path), scn::kImageOk);
    EXPECT_EQ(bitmap_->width, 7);
    EXPECT_EQ(bitmap_->height, 5);
    EXPECT_EQ(bitmap_->channels, channels);
    EXPECT_EQ(bitmap_->pixels, saved.pixels);
  }
}

TEST_F(BitmapLoadTest, FormatComesFromTheContentNotTheSuffix) {
  const scn::Bitmap png = Gradient(3, 2, 3);
  ASSERT_TRUE(host::BitmapService::SavePng(&png, temp_ / "real.png"));
  std::filesystem::copy_file(temp_ / "real.png", temp_ / "named.jpg");
  ASSERT_EQ(Load(temp_ / "named.jpg"), scn::kImageOk);
  EXPECT_EQ(bitmap_->pixels, png.pixels);

  ASSERT_EQ(Load(temp_.Write("named.tif", testimages::Jpeg(Quadrants(10, 6)))), scn::kImageOk);
  EXPECT_EQ(scn::GetBitmapWidth(bitmap_), 10);
  EXPECT_EQ(Load(temp_.Write("notes.png", "just some text, not a picture\n")), scn::kImageWrongType);
}

TEST_F(BitmapLoadTest, TiffPagesAreFrames) {
  const auto path = temp_ / "pages.tif";
  ASSERT_TRUE(testimages::Tiff(path, {Picture(2, 2, {255, 0, 0}), Picture(3, 1, {0, 0, 255})}));
  for (int first : {-1, 0}) {
    ASSERT_EQ(Load(path, first), scn::kImageOk);
    EXPECT_EQ(scn::GetBitmapWidth(bitmap_), 2);
    ExpectNear(Pixel(1, 1), {255, 0, 0}, 0, "first page");
  }
  ASSERT_EQ(Load(path, 1), scn::kImageOk);
  EXPECT_EQ(scn::GetBitmapWidth(bitmap_), 3);
  EXPECT_EQ(scn::GetBitmapHeight(bitmap_), 1);
  ExpectNear(Pixel(2, 0), {0, 0, 255}, 0, "second page");
  EXPECT_EQ(Load(path, 2), scn::kImageWrongType);
  EXPECT_EQ(Load(temp_.Write("one.jpg", testimages::Jpeg(Quadrants(4, 4))), 1), scn::kImageWrongType);
}

TEST_F(BitmapLoadTest, TiffIconLoadsWithItsSizeAndTransparentCorners) {
  ASSERT_EQ(Load(std::filesystem::path(KINETRA_RESOURCE_DIR) / "icons" / "captureobject.tif"), scn::kImageOk);
  EXPECT_EQ(scn::GetBitmapWidth(bitmap_), 32);
  EXPECT_EQ(scn::GetBitmapHeight(bitmap_), 32);
  ASSERT_TRUE(bitmap_->HasAlpha());
  EXPECT_EQ(bitmap_->At(0, 0)[3], 0);
  EXPECT_EQ(bitmap_->At(16, 16)[3], 255);
}

struct BadFile {
  const char* what;
  std::function<std::filesystem::path(const TempDir&)> make;
  scn::Int32 expected;
};

std::string Half(const std::string& bytes) {
  return bytes.substr(0, bytes.size() / 2);
}

std::string ValidPng(const TempDir& temp) {
  const scn::Bitmap b = Gradient(40, 30, 3);
  host::BitmapService::SavePng(&b, temp / "whole.png");
  return ReadFileBytes(temp / "whole.png");
}

std::string ValidTiff(const TempDir& temp) {
  testimages::Tiff(temp / "whole.tif", {Quadrants(40, 30)});
  return ReadFileBytes(temp / "whole.tif");
}

// The PNG with one byte of its pixel data flipped, so that the chunk's CRC no longer matches.
std::string CorruptPng(const TempDir& temp) {
  std::string bytes = ValidPng(temp);
  bytes[bytes.find("IDAT") + 10] ^= 0x55;
  return bytes;
}

const std::vector<BadFile> kBadFiles = {
    {"missing file", [](const TempDir& t) { return t / "nothing-here.jpg"; }, scn::kImageNoFile},
    {"a folder", [](const TempDir& t) { return t.path(); }, scn::kImageNoFile},
    {"empty name", [](const TempDir&) { return std::filesystem::path(); }, scn::kImageNoFile},
    {"text file", [](const TempDir& t) { return t.Write("readme.jpg", "hello\n"); }, scn::kImageWrongType},
    {"empty file", [](const TempDir& t) { return t.Write("empty.png", ""); }, scn::kImageWrongType},
    {"JPEG signature only", [](const TempDir& t) { return t.Write("soi.jpg", "\xFF\xD8\xFF"); },
     scn::kImageWrongType},
    {"truncated JPEG",
     [](const TempDir& t) { return t.Write("cut.jpg", Half(testimages::Jpeg(Quadrants(64, 48)))); },
     scn::kImageWrongType},
    {"truncated PNG", [](const TempDir& t) { return t.Write("cut.png", Half(ValidPng(t))); },
     scn::kImageWrongType},
    {"PNG with a bad checksum", [](const TempDir& t) { return t.Write("crc.png", CorruptPng(t)); },
     scn::kImageWrongType},
    {"truncated TIFF", [](const TempDir& t) { return t.Write("cut.tif", Half(ValidTiff(t))); },
     scn::kImageWrongType},
    {"PNG claiming 100000 x 100000",
     [](const TempDir& t) { return t.Write("huge.png", testimages::PngClaiming(100000, 100000)); },
     scn::kImageWrongType},
    {"PNG claiming 40000 x 1",
     [](const TempDir& t) { return t.Write("wide.png", testimages::PngClaiming(40000, 1)); },
     scn::kImageWrongType},
    {"JPEG claiming 60000 x 60000",
     [](const TempDir& t) { return t.Write("huge.jpg", testimages::JpegClaiming(60000, 60000)); },
     scn::kImageWrongType},
};

// A refused size gives 0, not -2: the decoder stopped at the header instead of trying to allocate.
TEST_F(BitmapLoadTest, BadFilesGiveTheirResultAndLeaveTheBitmapAsItWas) {
  const Picture before = Quadrants(12, 8);
  const auto good = temp_.Write("good.jpg", testimages::Jpeg(before));
  for (const BadFile& bad : kBadFiles) {
    SCOPED_TRACE(bad.what);
    ASSERT_EQ(Load(good), scn::kImageOk);
    const std::vector<std::uint8_t> pixels = bitmap_->pixels;
    EXPECT_EQ(Load(bad.make(temp_)), bad.expected);
    EXPECT_EQ(scn::GetBitmapWidth(bitmap_), 12);
    EXPECT_EQ(scn::GetBitmapHeight(bitmap_), 8);
    EXPECT_EQ(bitmap_->pixels, pixels);
  }
}

TEST_F(BitmapLoadTest, FailureIsLoggedWithThePathAndTheReason) {
  const auto path = temp_.Write("huge.png", testimages::PngClaiming(100000, 100000));
  ASSERT_EQ(Load(path), scn::kImageWrongType);
  EXPECT_TRUE(H().diagnostics().Contains(path.string()));
  EXPECT_TRUE(H().diagnostics().Contains("100000x100000"));
}

TEST_F(BitmapLoadTest, NullBitmapIsNoMemory) {
  const auto path = temp_.Write("a.jpg", testimages::Jpeg(Quadrants(4, 4)));
  EXPECT_EQ(H().Tables()->bitmap->LoadBitmapFile(nullptr, scn::Filename(path.string()), -1),
            scn::kImageNoMemory);
}

}  // namespace
