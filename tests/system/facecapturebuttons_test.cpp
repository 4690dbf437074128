// The face capture object's buttons that make files and scene parts, through the loaded module.
#include <fstream>
#include <set>

#include "facecapturetest.h"
#include "resources/resourceservice.h"
#include "ui/uiservice.h"

namespace facetest {
namespace {

constexpr scn::Int32 kCopyToDocument = 1037;
constexpr scn::Int32 kMakeMesh = 1039;
constexpr scn::Int32 kSetDocument = 1005;

class FaceCaptureButtonsTest : public FaceCaptureTest {
 protected:
  std::vector<std::string> Notices() const { return host_->ui().Notices(); }
  static std::set<std::string> Names(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
      names.insert(e.path().filename().string());
    return names;
  }
};

TEST_F(FaceCaptureButtonsTest, CopyingPutsTheImagesAndTheSoundBesideTheDocument) {
  fx::FaceCaptureOptions o = Options(3);
  scn::SceneNode* node = Loaded(o);
  Press(node, kCopyToDocument);
  ASSERT_EQ(Notices().size(), 1u) << "an unsaved document has no folder";
  EXPECT_EQ(Notices()[0], H().resources().String(11016));

  const std::filesystem::path docFolder = temp_ / "scene";
  std::filesystem::create_directories(docFolder);
  Scene().SetDocumentPath(doc_, docFolder);
  EXPECT_TRUE(Scene().IsParameterEnabled(node, kCopyToDocument));
  Press(node, kCopyToDocument);
  EXPECT_EQ(Notices().size(), 1u);
  const std::filesystem::path copied = docFolder / "OrvexCapture" / "Take";
  EXPECT_EQ(Names(copied), (std::set<std::string>{"Take_00000.jpg", "Take_00001.jpg", "Take_00002.jpg",
                                                  "Take_sound.m4a", "preview.jpg"}));
  EXPECT_EQ(ReadFileBytes(copied / "Take_00001.jpg"),
            ReadFileBytes(temp_ / "captures" / "Take" / "Take_00001.jpg"));
  EXPECT_EQ(H().status().Text(), "");

  // A performance that already lies there needs no copy.
  std::filesystem::copy(temp_ / "captures" / "Take", copied,
                        std::filesystem::copy_options::overwrite_existing);
  Load(node, copied);
  EXPECT_FALSE(Scene().IsParameterEnabled(node, kCopyToDocument));
}

TEST_F(FaceCaptureButtonsTest, AFolderThatCannotBeMadeIsNoticed) {
  scn::SceneNode* node = Loaded(Options(2));
  const std::filesystem::path docFolder = temp_ / "scene";
  std::filesystem::create_directories(docFolder);
  Scene().SetDocumentPath(doc_, docFolder);

  std::ofstream(docFolder / "OrvexCapture") << "a file in the way";
  Press(node, kCopyToDocument);
  ASSERT_EQ(Notices().size(), 1u);
  EXPECT_EQ(Notices()[0], H().resources().String(11015));

  std::filesystem::remove(docFolder / "OrvexCapture");
  std::filesystem::create_directories(docFolder / "OrvexCapture");
  std::ofstream(docFolder / "OrvexCapture" / "Take") << "a file in the way";
  Press(node, kCopyToDocument);
  ASSERT_EQ(Notices().size(), 2u);
  EXPECT_EQ(Notices()[1], H().resources().String(11014));
}

TEST_F(FaceCaptureButtonsTest, TheMeshButtonBuildsATargetOnlyWhenThereIsNone) {
  scn::SceneNode* node = Loaded(Options(2));
  scn::SceneNode* target = Target(node);
  ASSERT_NE(target, nullptr);
  Press(node, kMakeMesh);
  EXPECT_EQ(Target(node), target);
  scn::FreeSceneNode(target);
  EXPECT_TRUE(Scene().IsParameterEnabled(node, kMakeMesh));
  Press(node, kMakeMesh);
  ASSERT_NE(Target(node), nullptr);
  EXPECT_EQ(scn::GetPointCount(Target(node)), 1220);
  EXPECT_FALSE(Scene().IsParameterEnabled(node, kMakeMesh));
}

TEST_F(FaceCaptureButtonsTest, TheDocumentTakesTheCapturesRateAndRange) {
  fx::FaceCaptureOptions o = Options(40);
  o.fps = 59.94;
  scn::SceneNode* node = NewObject();
  Press(node, kSetDocument);  // nothing loaded: the document stays as it is
  EXPECT_EQ(scn::GetDocumentFps(doc_), 30);
  Load(node, Write(o));
  ASSERT_TRUE(scn::SetParameter(node, kStart, 12));
  Press(node, kSetDocument);
  EXPECT_EQ(scn::GetDocumentFps(doc_), 60);
  scn::Int32 first = -1, last = -1;
  ASSERT_TRUE(scn::GetDocumentRange(doc_, &first, &last));
  EXPECT_EQ(first, 12);
  EXPECT_EQ(last, 12 + 40 - 1);
}

TEST_F(FaceCaptureButtonsTest, SenselessSettingsReadAsTheDefaults) {
  struct Case {
    const char* fps;
    const char* frameCount;
  };
  const Case cases[] = {{"nan", "-5"}, {"inf", "6"}, {"-30", "6"}, {"0", "-1"}, {"-inf", "0"}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fps) + ", " + c.frameCount);
    fx::FaceCaptureOptions o = Options(6);
    o.name = "Take" + std::to_string(n++);
    const std::filesystem::path folder = Write(o);
    std::ofstream(folder / "settings.txt", std::ios::trunc) << "2\n"
                                                            << c.fps << "\ntrue\n"
                                                            << c.frameCount << "\nphone\n1\n";
    scn::SetDocumentFps(doc_, 25);
    H().diagnostics().Clear();
    scn::SceneNode* node = NewObject();
    Load(node, folder);
    EXPECT_EQ(C(node).GetInt32(kLength), 6) << "a count not given counts the images";
    EXPECT_EQ(C(node).GetString(kFrameCountText), "6");
    Press(node, kSetDocument);
    EXPECT_EQ(scn::GetDocumentFps(doc_), 30) << "a rate not given is the default";
    EXPECT_TRUE(H().diagnostics().Contains("settings.txt: " + (folder / "settings.txt").string()));
  }
}

}  // namespace
}  // namespace facetest
