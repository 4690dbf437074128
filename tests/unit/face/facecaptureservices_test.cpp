// What the face capture object offers the tags and the shader, and its image file order, with the
// plug-in's code in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>

#include "face/facecapture.h"
#include "face/imagelist.h"
#include "inprocesshost.h"
#include "registry/registry.h"
#include "scene/sceneservice.h"
#include "scn/nodedata.h"

namespace {

constexpr scn::Int32 kShaderType = 1990104;
constexpr double kPi = 3.14159265358979323846;

class TestShader : public scn::ShaderData {};
scn::NodeData* AllocShader() {
  return scn::NewObjClear<TestShader>("test", __LINE__);
}

class FaceCaptureServicesTest : public InProcessHostTest {
 protected:
  void SetUp() override {
    InProcessHostTest::SetUp();
    H().registry().SetStarting(true);
    ASSERT_TRUE(scn::RegisterObjectType(kFaceCaptureObjectId, "Face", 0x4, FaceCaptureObject::Alloc,
                                        "Ofacecapture", nullptr, 3));
    ASSERT_TRUE(scn::RegisterShaderType(kShaderType, "Shader", 0, AllocShader, "xtest", 0));
    H().registry().SetStarting(false);
    doc_ = H().scene().NewDocument();
    node_ = scn::AllocateObject(kFaceCaptureObjectId);
    ASSERT_TRUE(scn::InsertObject(doc_, node_));
    face_ = GetFaceCaptureObject(node_);
    ASSERT_NE(face_, nullptr);
  }
  void TearDown() override {
    H().scene().FreeAll();
    InProcessHostTest::TearDown();
  }

  static scn::Container& C(scn::SceneNode* node) { return *scn::GetNodeContainer(node); }

  // A shader in a material of the document.
  scn::SceneNode* NewShader() {
    scn::SceneNode* material = scn::AllocateMaterial();
    scn::SceneNode* shader = scn::AllocateShader(kShaderType);
    EXPECT_TRUE(scn::InsertMaterial(doc_, material));
    EXPECT_TRUE(scn::InsertShader(material, shader));
    return shader;
  }

  scn::Document* doc_ = nullptr;
  scn::SceneNode* node_ = nullptr;
  FaceCaptureObject* face_ = nullptr;
};

TEST(ImageFileOrder, FollowsTheNumberTheNamesCarry) {
  struct Case {
    const char* name;
    scn::Int64 number;
  };
  const Case cases[] = {{"Take_00012.jpg", 12},
                        {"Take2_00003.jpg", 3},
                        {"Take_99999999999999999999.jpg", INT64_MAX},
                        {"Take.jpg", -1},
                        {"00007", 7},
                        {"Take_00001.JPG", 1},
                        {"folder9/Take_00004.jpg", 4}};
  for (const Case& c : cases) EXPECT_EQ(ImageFileNumber(scn::Filename(c.name)), c.number) << c.name;

  std::vector<scn::Filename> files = {"T_00010.jpg", "T_00002.jpg", "T_00100.jpg", "T_00001.jpg",
                                      "S_00002.jpg"};
  SortImageFiles(files);
  std::vector<std::string> names;
  for (const auto& f : files) names.push_back(f.GetString());
  EXPECT_EQ(names, (std::vector<std::string>{"T_00001.jpg", "S_00002.jpg", "T_00002.jpg", "T_00010.jpg",
                                             "T_00100.jpg"}));
}

TEST_F(FaceCaptureServicesTest, ListingTakesTheNumberedJpegsOnly) {
  const auto folder = temp_ / "Take";
  std::filesystem::create_directories(folder / "sub.jpg");
  for (const char* name : {"Take_00001.jpg", "preview.jpg", "Take_sound.m4a", "notes.txt", "Take_00000.jpg"})
    std::ofstream(folder / name) << "x";
  std::vector<scn::Filename> files;
  ASSERT_TRUE(ListImageFiles(scn::Filename(folder.string()), files));
  SortImageFiles(files);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].GetString(), "Take_00000.jpg");
  EXPECT_EQ(files[1].GetString(), "Take_00001.jpg");
  EXPECT_FALSE(ListImageFiles(scn::Filename((temp_ / "missing").string()), files));
}

TEST_F(FaceCaptureServicesTest, FramesAndImagesOutsideTheListAreNull) {
  EXPECT_EQ(face_->GetFrameCount(), 0);
  EXPECT_EQ(face_->GetFrame(0), nullptr);
  face_->frames.push_back(scn::NewObj<FaceFrame>("test", __LINE__));
  face_->frames.push_back(scn::NewObj<FaceFrame>("test", __LINE__));
  EXPECT_EQ(face_->GetFrame(-1), nullptr);
  EXPECT_EQ(face_->GetFrame(1), face_->frames[1]);
  EXPECT_EQ(face_->GetFrame(2), nullptr);
  for (int i : {-1, 0, 1}) EXPECT_EQ(face_->GetImage(i), nullptr) << "no images are loaded";
}

TEST_F(FaceCaptureServicesTest, ImageFilesAtTimeFollowTheFramesOrTheFirstImage) {
  C(node_).SetFilename(kFaceFile, scn::Filename("/captures/Take/faceData.txt"));
  face_->imageFiles = {"Take_00002.jpg", "Take_00000.jpg", "Take_00001.jpg"};
  face_->imageFilesSorted = false;
  for (int i = 0; i < 3; ++i) {
    face_->frames.push_back(scn::NewObj<FaceFrame>("test", __LINE__));
    face_->frames.back()->imageFrameIndex = i == 2 ? 1 : i;  // frame 2 repeats frame 1
  }
  C(node_).SetInt32(kFaceLength, 3);
  face_->settings.hasImages = true;
  H().scene().SetDocumentFrame(doc_, 2);
  EXPECT_EQ(face_->GetImageFileAtTime(doc_).GetString(), "/captures/Take/Take_00001.jpg");
  H().scene().SetDocumentFrame(doc_, 0);
  EXPECT_EQ(face_->GetImageFileAtTime(doc_).GetString(), "/captures/Take/Take_00000.jpg");

  face_->settings.hasImages = false;
  H().scene().SetDocumentFrame(doc_, 2);
  EXPECT_EQ(face_->GetImageFileAtTime(doc_).GetString(), "/captures/Take/Take_00000.jpg")
      << "the first image";
  face_->imageFiles.clear();
  EXPECT_TRUE(face_->GetImageFileAtTime(doc_).IsEmpty());
}

TEST_F(FaceCaptureServicesTest, ShaderUsersAreKeptOnceAndToldOfChanges) {
  scn::SceneNode* a = NewShader();
  scn::SceneNode* b = NewShader();
  face_->AddShaderUser(a);
  face_->AddShaderUser(a);
  face_->AddShaderUser(b);
  face_->AddShaderUser(nullptr);
  EXPECT_EQ(face_->shaderUsers.size(), 2u);
  face_->NotifyShaderUsers();
  EXPECT_EQ(H().scene().DirtyCount(a), 1);
  EXPECT_EQ(H().scene().LastDirtyMask(b), 0xFFFFFFFFu);

  face_->RemoveShaderUser(NewShader());  // never registered
  EXPECT_EQ(face_->shaderUsers.size(), 2u);
  face_->RemoveShaderUser(a);
  ASSERT_EQ(face_->shaderUsers.size(), 1u);
  face_->NotifyShaderUsers();
  EXPECT_EQ(H().scene().DirtyCount(a), 1);
  EXPECT_EQ(H().scene().DirtyCount(b), 2);
  EXPECT_EQ(face_->shaderUsersLock.IsHeld(), false);
}

TEST_F(FaceCaptureServicesTest, AListOfMoreThanAHundredUsersStartsAfresh) {
  for (int i = 0; i < 101; ++i) face_->AddShaderUser(NewShader());
  ASSERT_EQ(face_->shaderUsers.size(), 101u);
  scn::SceneNode* last = NewShader();
  face_->AddShaderUser(last);
  ASSERT_EQ(face_->shaderUsers.size(), 1u);
  EXPECT_EQ(scn::GetLinkTarget(face_->shaderUsers[0], doc_), last);
}

TEST_F(FaceCaptureServicesTest, TheSoundIsFoundInTheDocumentFolderFirst) {
  const auto capture = temp_ / "captures" / "Take";
  const auto copied = temp_ / "scene" / "OrvexCapture" / "Take";
  std::filesystem::create_directories(capture);
  std::filesystem::create_directories(copied);
  C(node_).SetFilename(kFaceFile, scn::Filename((capture / "faceData.txt").string()));
  EXPECT_TRUE(face_->FindSoundFile(node_).IsEmpty()) << "no sound anywhere";
  std::ofstream(capture / "Take_sound.m4a") << "x";
  EXPECT_EQ(face_->FindSoundFile(node_).GetString(), (capture / "Take_sound.m4a").string());
  H().scene().SetDocumentPath(doc_, temp_ / "scene");
  std::ofstream(copied / "Take_sound.m4a") << "x";
  EXPECT_EQ(face_->FindSoundFile(node_).GetString(), (copied / "Take_sound.m4a").string());
}

scn::Matrix AboutX(double a) {
  return {{}, {1, 0, 0}, {0, std::cos(a), std::sin(a)}, {0, -std::sin(a), std::cos(a)}};
}
scn::Matrix AboutY(double a) {
  return {{}, {std::cos(a), 0, std::sin(a)}, {0, 1, 0}, {-std::sin(a), 0, std::cos(a)}};
}

void ExpectNear(const scn::Matrix& a, const scn::Matrix& b, const char* what) {
  const scn::Vector* x = &a.off;
  const scn::Vector* y = &b.off;
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(x[i].x, y[i].x, 1e-12) << what;
    EXPECT_NEAR(x[i].y, y[i].y, 1e-12) << what;
    EXPECT_NEAR(x[i].z, y[i].z, 1e-12) << what;
  }
}

TEST(EyeRotation, TurnsByFixedAnglesPerUnitOfWeight) {
  struct Case {
    const char* what;
    double down, up, in, out;
    bool left, fixedOffset;
    scn::Matrix expected;
  };
  const double deg = kPi / 180.0;
  scn::Matrix leftOffset = AboutY(35 * deg);
  leftOffset.off = {-3.1, 2.6, 2.2};
  scn::Matrix rightOffset;
  rightOffset.off = {3.1, 2.6, 2.2};
  const Case cases[] = {
      {"rest", 0, 0, 0, 0, true, false, scn::Matrix{}},
      {"look down", 1, 0, 0, 0, true, false, AboutX(-60 * deg)},
      {"look up", 0, 1, 0, 0, false, false, AboutX(50 * deg)},
      {"left eye in", 0, 0, 1, 0, true, false, AboutY(35 * deg)},
      {"right eye in", 0, 0, 1, 0, false, false, AboutY(-35 * deg)},
      {"left eye out", 0, 0, 0, 1, true, false, AboutY(-35 * deg)},
      {"left fixed", 0, 0, 1, 0, true, true, leftOffset},
      {"right fixed", 0, 0, 0, 0, false, true, rightOffset},
  };
  for (const Case& c : cases)
    ExpectNear(FaceCaptureObject::EyeRotationFromWeights(c.down, c.up, c.in, c.out, c.left, c.fixedOffset),
               c.expected, c.what);
}

}  // namespace
