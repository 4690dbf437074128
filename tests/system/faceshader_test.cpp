// The face shader through the loaded module: shader users, renders of the camera image of the current
// frame and the viewport picture.
#include <cmath>

#include "bitmaps/bitmap.h"
#include "bitmaps/bitmapservice.h"
#include "facecapturetest.h"
#include "threads/threadservice.h"
#include "ui/uiservice.h"

namespace facetest {
namespace {

constexpr scn::Int32 kShaderLink = 1000;
constexpr scn::Int32 kShaderHelp = 1001;
constexpr scn::Int32 kHelpCommand = 1050446;

class FaceShaderTest : public FaceCaptureTest {
 protected:
  // The shader loading put into the target's material.
  scn::SceneNode* ShaderOf(scn::SceneNode* node) {
    scn::SceneNode* tag = scn::GetFirstTag(Target(node), scn::kTagTexture);
    if (!tag) return nullptr;
    return scn::GetFirstShader(scn::ResolveLinkValue(doc_, C(tag).GetLink(scn::kTextureTagMaterial)));
  }
  // A colour of the capture's camera image as the shader reads it: 0-1, no conversion.
  scn::Vector ImageColor(const std::string& file, double u, double v) {
    scn::Bitmap* b = host::BitmapService::LoadFile(temp_ / "captures" / "Take" / file);
    EXPECT_NE(b, nullptr) << file;
    if (!b) return {};
    const auto x = static_cast<int>(std::trunc(b->width * u)),
               y = static_cast<int>(std::trunc(b->height * v));
    const std::uint8_t* p = b->At(x, y);
    const scn::Vector c{p[0] / 255.0, p[1] / 255.0, p[2] / 255.0};
    host::BitmapService::Free(b);
    return c;
  }
  static void ExpectNear(const scn::Vector& a, const scn::Vector& b, double tolerance = 1e-6) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
  }
};

TEST_F(FaceShaderTest, TheShaderIsToldOfItsObjectsChangesUntilItLinksAnother) {
  scn::SceneNode* first = Loaded(Options(3));
  scn::SceneNode* shader = ShaderOf(first);
  ASSERT_NE(shader, nullptr);
  const int before = Scene().DirtyCount(shader);
  ASSERT_TRUE(scn::SetParameter(first, kImageIndex, 1));
  EXPECT_EQ(Scene().DirtyCount(shader), before + 1);
  EXPECT_EQ(Scene().LastDirtyMask(shader), 0xFFFFFFFFu);

  fx::FaceCaptureOptions o = Options(3);
  o.name = "Other";
  scn::SceneNode* second = NewObject("Other");
  Load(second, Write(o));
  ASSERT_TRUE(scn::SetParameter(shader, kShaderLink, scn::NodeLinkValue{scn::GetNodeId(second)}));
  const int relinked = Scene().DirtyCount(shader);
  ASSERT_TRUE(scn::SetParameter(first, kImageIndex, 2));
  EXPECT_EQ(Scene().DirtyCount(shader), relinked) << "the first object no longer knows it";
  ASSERT_TRUE(scn::SetParameter(second, kImageIndex, 1));
  EXPECT_EQ(Scene().DirtyCount(shader), relinked + 1);

  scn::SceneNode* material = scn::ResolveLinkValue(
      doc_, C(scn::GetFirstTag(Target(first), scn::kTagTexture)).GetLink(scn::kTextureTagMaterial));
  scn::FreeSceneNode(material);
  ASSERT_TRUE(scn::SetParameter(second, kImageIndex, 2)) << "a freed shader is off the list";
}

TEST_F(FaceShaderTest, ARenderSamplesTheCameraImageOfTheCurrentFrame) {
  scn::SceneNode* node = Loaded(Options(4));
  scn::SceneNode* shader = ShaderOf(node);
  Scene().SetDocumentFrame(doc_, 2);
  scn::Int32 code = -1;
  const auto colors =
      Scene().RenderShader(shader, {}, {{0.5, 0.25}, {0.0, 0.0}, {1.5, 0.5}, {0.5, -0.1}}, &code);
  EXPECT_EQ(code, 0);
  ASSERT_EQ(colors.size(), 4u);
  ExpectNear(colors[0], ImageColor("Take_00002.jpg", 0.5, 0.25));
  ExpectNear(colors[1], ImageColor("Take_00002.jpg", 0.0, 0.0));
  ExpectNear(colors[2], {0.5, 0.5, 0.5});  // outside the image: mid grey
  ExpectNear(colors[3], {0.5, 0.5, 0.5});

  // Colour management without a linear workflow turns the image's sRGB into linear values.
  const auto managed = Scene().RenderShader(shader, {true, false}, {{0.5, 0.25}}, &code);
  ASSERT_EQ(managed.size(), 1u);
  auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  const scn::Vector srgb = ImageColor("Take_00002.jpg", 0.5, 0.25);
  ExpectNear(managed[0], {linear(srgb.x), linear(srgb.y), linear(srgb.z)});
  const auto linearWorkflow = Scene().RenderShader(shader, {true, true}, {{0.5, 0.25}}, &code);
  ASSERT_EQ(linearWorkflow.size(), 1u);
  ExpectNear(linearWorkflow[0], srgb);
}

TEST_F(FaceShaderTest, WithoutACaptureTheRenderStops) {
  scn::SceneNode* node = Loaded(Options(2));
  scn::SceneNode* shader = ShaderOf(node);
  scn::SceneNode* other = scn::AllocateObject(scn::kTypeNull);
  ASSERT_TRUE(scn::InsertObject(doc_, other));
  for (scn::Int64 link : {scn::Int64{0}, scn::GetNodeId(other)}) {
    ASSERT_TRUE(scn::SetParameter(shader, kShaderLink, scn::NodeLinkValue{link}));
    scn::Int32 code = 0;
    EXPECT_TRUE(Scene().RenderShader(shader, {}, {{0.5, 0.5}}, &code).empty());
    EXPECT_EQ(code, -102) << link;
    EXPECT_EQ(Scene().ViewportBitmap(shader), nullptr);
  }
}

TEST_F(FaceShaderTest, TheViewportShowsTheLoadedImageOrTheFixedOne) {
  scn::SceneNode* node = Loaded(Options(4));
  scn::SceneNode* shader = ShaderOf(node);
  Scene().SetDocumentFrame(doc_, 3);
  EXPECT_EQ(Scene().ViewportBitmap(shader), nullptr) << "no images loaded yet";

  Press(node, 1035);
  H().threads().WaitForAll();
  scn::Bitmap* shown = Scene().ViewportBitmap(shader);
  ASSERT_NE(shown, nullptr);
  scn::Bitmap* third = host::BitmapService::LoadFile(temp_ / "captures" / "Take" / "Take_00003.jpg");
  EXPECT_EQ(shown->pixels, third->pixels) << "the image of frame 3";
  host::BitmapService::Free(shown);
  host::BitmapService::Free(third);

  ASSERT_TRUE(scn::SetParameter(node, kFixedImage, scn::Bool(true)));
  ASSERT_TRUE(scn::SetParameter(node, kImageIndex, 1));
  shown = Scene().ViewportBitmap(shader);
  ASSERT_NE(shown, nullptr);
  scn::Bitmap* second = host::BitmapService::LoadFile(temp_ / "captures" / "Take" / "Take_00001.jpg");
  EXPECT_EQ(shown->pixels, second->pixels) << "the held image, loaded from its file";
  EXPECT_EQ(shown->channels, 3);
  host::BitmapService::Free(shown);
  host::BitmapService::Free(second);
}

TEST_F(FaceShaderTest, AfterAnUnreadableImageEveryFrameStillShowsItsOwnFile) {
  const std::filesystem::path folder = Write(Options(5));
  temp_.Write("captures/Take/Take_00002.jpg", "not a picture");
  scn::SceneNode* node = NewObject();
  Load(node, folder);
  scn::SceneNode* shader = ShaderOf(node);
  Press(node, 1035);
  H().threads().WaitForAll();
  EXPECT_TRUE(H().diagnostics().Contains("cannot read " + (folder / "Take_00002.jpg").string()));

  for (int frame = 0; frame < 5; ++frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    Scene().SetDocumentFrame(doc_, frame);
    scn::Bitmap* shown = Scene().ViewportBitmap(shader);
    if (frame == 2) {
      EXPECT_EQ(shown, nullptr) << "the unreadable file's frame shows no picture";
      host::BitmapService::Free(shown);
      continue;
    }
    ASSERT_NE(shown, nullptr);
    scn::Bitmap* own = host::BitmapService::LoadFile(folder / ("Take_0000" + std::to_string(frame) + ".jpg"));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(shown->pixels, own->pixels);
    host::BitmapService::Free(shown);
    host::BitmapService::Free(own);
  }
  EXPECT_TRUE(Enabled(node, 1036)) << "the readable images count as loaded";
}

TEST_F(FaceShaderTest, TheHelpButtonOpensItsPage) {
  scn::SceneNode* shader = ShaderOf(Loaded(Options(2)));
  Press(shader, kShaderHelp);
  scn::DialogWindow* w = H().ui().FindWindow(kHelpCommand);
  ASSERT_NE(w, nullptr);
  const std::string url = H().ui().HtmlViewerUrl(H().ui().HtmlViewers(w).at(0));
  EXPECT_EQ(url.substr(url.size() - 8), "?id=1010");
}

}  // namespace
}  // namespace facetest
