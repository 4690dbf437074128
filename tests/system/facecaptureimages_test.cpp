// The face capture object's camera images, loaded on its image thread through the loaded module.
#include <algorithm>

#include "bitmaps/bitmapservice.h"
#include "facecapturetest.h"
#include "threads/threadservice.h"

namespace facetest {
namespace {

constexpr scn::Int32 kStartImages = 1035;
constexpr scn::Int32 kStopImages = 1036;

class FaceCaptureImagesTest : public FaceCaptureTest {
 protected:
  static std::size_t Bitmaps() { return host::BitmapService::LiveCount(); }
};

TEST_F(FaceCaptureImagesTest, TheThreadLoadsEveryImageUntilOneImageIsHeld) {
  scn::SceneNode* node = Loaded(Options(6));
  const std::size_t before = Bitmaps();
  EXPECT_TRUE(Enabled(node, kStartImages));
  EXPECT_FALSE(Enabled(node, kStopImages));

  H().status().ClearHistory();
  Press(node, kStartImages);
  H().threads().WaitForAll();
  EXPECT_EQ(Bitmaps(), before + 6);
  EXPECT_FALSE(Enabled(node, kStartImages)) << "the images are loaded";
  EXPECT_TRUE(Enabled(node, kStopImages));
  const auto history = H().status().History();
  EXPECT_NE(std::find(history.begin(), history.end(), "Loading images 6 / 6"), history.end());
  EXPECT_EQ(H().status().Text(), "");
  Press(node, kStartImages);
  H().threads().WaitForAll();
  EXPECT_EQ(Bitmaps(), before + 6) << "a second press loads nothing twice";

  ASSERT_TRUE(scn::SetParameter(node, kFixedImage, scn::Bool(true)));
  EXPECT_EQ(Bitmaps(), before) << "holding one image drops the others";
  EXPECT_FALSE(Enabled(node, kStartImages));
  ASSERT_TRUE(scn::SetParameter(node, kFixedImage, scn::Bool(false)));
  EXPECT_TRUE(Enabled(node, kStartImages));
}

TEST_F(FaceCaptureImagesTest, StoppingFreeingOrReloadingMidwayLeavesNoImageBehind) {
  fx::FaceCaptureOptions o = Options(2);
  o.imageCount = 80;
  const std::filesystem::path folder = Write(o);
  scn::SceneNode* node = NewObject();
  Load(node, folder);
  const std::size_t before = Bitmaps();

  Press(node, kStartImages);
  Press(node, kStopImages);
  EXPECT_EQ(H().threads().RunningCount(), 0u) << "stopping waits for the thread";
  EXPECT_EQ(Bitmaps(), before);

  Press(node, kStartImages);
  Load(node, folder);  // a new load drops the old performance's images
  EXPECT_EQ(H().threads().RunningCount(), 0u);
  EXPECT_EQ(Bitmaps(), before);

  Press(node, kStartImages);
  scn::FreeSceneNode(node);
  EXPECT_EQ(H().threads().RunningCount(), 0u);
  EXPECT_EQ(Bitmaps(), before);
}

}  // namespace
}  // namespace facetest
