// Face capture objects in a document of a host that loaded the module, on generated capture folders.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kinetra_fixture/facecapturefixture.h"
#include "loadedhost.h"
#include "scene/sceneservice.h"
#include "scn/api.h"
#include "scn/nodedata.h"
#include "scn/scene.h"

namespace facetest {

namespace fx = kinetra::fixture;

inline constexpr scn::Int32 kFaceCapture = 1040464;
inline constexpr scn::Int32 kFaceShader = 1040942;
inline constexpr scn::Int32 kFile = 1000;
inline constexpr scn::Int32 kCameraLink = 1003;
inline constexpr scn::Int32 kFrameCountText = 1004;
inline constexpr scn::Int32 kMakeCamera = 1007;
inline constexpr scn::Int32 kFixedImage = 1008;
inline constexpr scn::Int32 kImageIndex = 1010;
inline constexpr scn::Int32 kStart = 1012;
inline constexpr scn::Int32 kFirst = 1013;
inline constexpr scn::Int32 kLength = 1014;
inline constexpr scn::Int32 kLoop = 1015;
inline constexpr scn::Int32 kApplyToTarget = 1016;
inline constexpr scn::Int32 kUseCamera = 1017;
inline constexpr scn::Int32 kFaceMatrix = 1024;
inline constexpr scn::Int32 kCameraMatrix = 1025;
inline constexpr scn::Int32 kFrameMode = 1027;
inline constexpr scn::Int32 kTargetLink = 1038;
inline constexpr scn::Int32 kKeepSides = 1043;
inline constexpr scn::Int32 kTurn = 1200;
inline constexpr scn::Int32 kFirstWeight = 2100;
inline constexpr scn::Int32 kJawOpen = 2117;  // a centre shape: never mirrored

class FaceCaptureTest : public LoadedHostTest {
 protected:
  void SetUp() override {
    LoadedHostTest::SetUp();
    StartPlugin();
    ASSERT_TRUE(scn::SetHostTables(H().Tables()));
    doc_ = Scene().NewDocument(30);
  }

  host::SceneService& Scene() { return H().scene(); }

  // A capture folder below the test's temporary folder.
  std::filesystem::path Write(const fx::FaceCaptureOptions& options) {
    std::string error;
    EXPECT_TRUE(fx::WriteFaceCapture(temp_ / "captures", options, &error)) << error;
    return temp_ / "captures" / options.name;
  }

  // A new face capture object at the top of the document.
  scn::SceneNode* NewObject(const std::string& name = "Face") {
    scn::SceneNode* node = scn::AllocateObject(kFaceCapture);
    EXPECT_NE(node, nullptr);
    if (!node) return nullptr;
    scn::SetNodeName(node, name);
    EXPECT_TRUE(scn::InsertObject(doc_, node));
    return node;
  }

  // Writes the file parameter as the capture manager does, which loads the performance.
  static void Load(scn::SceneNode* node, const std::filesystem::path& folder) {
    ASSERT_TRUE(scn::SetParameter(node, kFile, scn::Filename((folder / "faceData.txt").string())));
  }

  // A loaded object on a fresh capture.
  scn::SceneNode* Loaded(const fx::FaceCaptureOptions& options) {
    scn::SceneNode* node = NewObject();
    if (node) Load(node, Write(options));
    return node;
  }

  scn::SceneNode* Target(scn::SceneNode* node) {
    return scn::ResolveLinkValue(doc_, scn::GetNodeContainer(node)->GetLink(kTargetLink));
  }

  static void Press(scn::SceneNode* node, scn::Int32 button) {
    ASSERT_TRUE(scn::SendNodeMessage(node, scn::kMsgButton, &button));
  }
  bool Enabled(scn::SceneNode* node, scn::Int32 id) { return Scene().IsParameterEnabled(node, id); }

  void EvaluateAt(int frame) {
    Scene().SetDocumentFrame(doc_, frame);
    ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  }

  static scn::Container& C(scn::SceneNode* node) { return *scn::GetNodeContainer(node); }

  // The fixture's weight of that name in a frame, as the object keeps it (single precision).
  static double FixtureWeight(const fx::FaceCaptureOptions& options, int frame, std::string_view name) {
    for (const auto& [n, value] : fx::FrameValues(options, frame).weights)
      if (n == name) return static_cast<float>(value);
    ADD_FAILURE() << name << " is not in frame " << frame;
    return 0.0;
  }

  // The capture frame whose weights the object shows: found by its jawOpen weight; -1 when none.
  static int ShownFrame(scn::SceneNode* node, const fx::FaceCaptureOptions& options) {
    const double shown = C(node).GetFloat(kJawOpen, -1.0);
    for (int i = 0; i < options.frameCount; ++i)
      if (FixtureWeight(options, i, "jawOpen") == shown) return i;
    return -1;
  }

  // A fixture matrix in file order (x, y, z axis, offset; four numbers each), offset in centimetres.
  static scn::Matrix HostMatrix(const std::array<double, 16>& m) {
    scn::Matrix r;
    r.v1 = {m[0], m[1], m[2]};
    r.v2 = {m[4], m[5], m[6]};
    r.v3 = {m[8], m[9], m[10]};
    r.off = {m[12] * 100.0, m[13] * 100.0, m[14] * 100.0};
    return r;
  }

  void TearDown() override {
    Scene().FreeAll();
    LoadedHostTest::TearDown();
  }

  scn::Document* doc_ = nullptr;
};

inline fx::FaceCaptureOptions Options(int frames, int version = 2) {
  fx::FaceCaptureOptions o;
  o.name = "Take";
  o.frameCount = frames;
  o.frameVersion = version;
  return o;
}

}  // namespace facetest
