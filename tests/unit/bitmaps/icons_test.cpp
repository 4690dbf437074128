// Every picture the plug-in loads from its resource folder is there and decodes.
#include <gtest/gtest.h>

#include "bitmaps/bitmap.h"
#include "bitmaps/bitmapservice.h"

namespace {

struct Icon {
  const char* file;
  const char* usedBy;
  int width;
  int height;
};

const Icon kIcons[] = {
    {"captureobject.tif", "face capture object and face pose tag", 32, 32},
    {"bodycapture.tif", "motion capture object", 32, 32},
    {"eyetag.tif", "eye tag", 32, 32},
    {"tuardialog.tif", "capture manager command", 32, 32},
    {"Help.png", "help command", 32, 32},
    {"fps30.png", "capture cell: 30 fps", 32, 32},
    {"fps60.png", "capture cell: other frame rates", 32, 32},
    {"allimages.png", "capture cell: all images", 32, 32},
    {"oneimage.png", "capture cell: one image", 32, 32},
    {"hascamera.png", "capture cell: camera images", 32, 32},
    {"nocamera.png", "capture cell: no camera images", 32, 32},
    {"robot.jpg", "body capture cell without a preview", 160, 120},
};

TEST(IconsTest, EveryResourcePictureLoadsWithItsSize) {
  const auto folder = std::filesystem::path(KINETRA_RESOURCE_DIR) / "icons";
  for (const Icon& icon : kIcons) {
    SCOPED_TRACE(std::string(icon.file) + " (" + icon.usedBy + ")");
    scn::Bitmap* b = host::BitmapService::LoadFile(folder / icon.file);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->width, icon.width);
    EXPECT_EQ(b->height, icon.height);
    host::BitmapService::Free(b);
  }
}

}  // namespace
