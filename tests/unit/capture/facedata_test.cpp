// The readers together on the frames of a generated "faceData.txt", checked against the values the
// generator says each frame holds.
#include <gtest/gtest.h>

#include <array>

#include "basecapture.h"
#include "capturefile.h"
#include "face/blendshapes.h"
#include "face/faceframe.h"
#include "kinetra_fixture/facecapturefixture.h"

namespace {

namespace fx = kinetra::fixture;

class FaceDataTest : public CaptureFileTest {
 protected:
  // Opens the generated folder's faceData.txt.
  scn::HostFile* OpenFaceData(const fx::FaceCaptureOptions& options) {
    std::string error;
    EXPECT_TRUE(fx::WriteFaceCapture(temp_.path(), options, &error)) << error;
    file_ = scn::AllocateFile();
    EXPECT_TRUE(scn::OpenFile(file_, (temp_ / options.name / "faceData.txt").string(), scn::kFileRead));
    return file_;
  }
};

// One frame in the order of the file, as the face capture loading reads it.
bool ReadFrame(scn::HostFile* f, FaceFrame& frame) {
  if (!ReadTokenInt(f, frame.version) || !ReadTokenMatrix(f, frame.cameraMatrix) ||
      !ReadTokenMatrix(f, frame.faceMatrix) || !ReadTokenMatrix3(f, frame.cameraIntrinsics) ||
      !ReadFaceVertices(f, frame.vertices) || !ReadBlendshapeWeights(f, frame) || !ReadFrameExtras(f, frame))
    return false;
  if (frame.version != 2) return true;
  return ReadTokenMatrix(f, frame.leftEyeMatrix) && ReadTokenMatrix(f, frame.rightEyeMatrix) &&
         ReadTokenVector(f, frame.eyeVector) && ReadTokenFloat(f, frame.eyeValue);
}

void ExpectMatrix(const scn::Matrix& m, const std::array<double, 16>& c) {
  EXPECT_EQ(m.v1, (scn::Vector{c[0], c[1], c[2]}));
  EXPECT_EQ(m.v2, (scn::Vector{c[4], c[5], c[6]}));
  EXPECT_EQ(m.v3, (scn::Vector{c[8], c[9], c[10]}));
  EXPECT_EQ(m.off, (scn::Vector{c[12], c[13], c[14]} * 100.0));
}

void ExpectFrame(const FaceFrame& frame, const fx::FaceFrameValues& v) {
  EXPECT_EQ(frame.version, v.version);
  ExpectMatrix(frame.cameraMatrix, v.camera);
  ExpectMatrix(frame.faceMatrix, v.face);
  EXPECT_EQ(frame.cameraIntrinsics.v1, (scn::Vector{v.intrinsics[0], v.intrinsics[1], v.intrinsics[2]}));
  EXPECT_EQ(frame.cameraIntrinsics.v3, (scn::Vector{v.intrinsics[6], v.intrinsics[7], v.intrinsics[8]}));
  ASSERT_EQ(frame.vertices.size(), v.vertices.size());
  for (std::size_t i = 0; i < v.vertices.size(); ++i)
    ASSERT_EQ(frame.vertices[i], (scn::Vector{v.vertices[i][0], v.vertices[i][1], v.vertices[i][2]})) << i;
  for (const auto& [name, value] : v.weights) {
    const scn::Int32 id = BlendshapeIdFromName(name, v.version);
    ASSERT_NE(id, 0) << name;
    EXPECT_EQ(frame.weights[id - kBlendshapeFirstId], static_cast<float>(value)) << name;
  }
  EXPECT_EQ(frame.extraVector, (scn::Vector{v.extraVector[0], v.extraVector[1], v.extraVector[2]}));
  EXPECT_EQ(frame.extraValue, v.extraValue);
  for (int i = 0; i < kFrameExtraValueCount; ++i) EXPECT_EQ(frame.extraValues[i], v.extras[i]);
  if (v.version != 2) return;
  ExpectMatrix(frame.leftEyeMatrix, v.leftEye);
  ExpectMatrix(frame.rightEyeMatrix, v.rightEye);
  EXPECT_EQ(frame.eyeVector, (scn::Vector{v.eyeVector[0], v.eyeVector[1], v.eyeVector[2]}));
  EXPECT_EQ(frame.eyeValue, v.eyeValue);
}

TEST_F(FaceDataTest, FramesOfBothVersionsReadAsGenerated) {
  for (int version : {1, 2}) {
    SCOPED_TRACE(version);
    fx::FaceCaptureOptions options;
    options.name = "Take" + std::to_string(version);
    options.frameCount = 3;
    options.imageCount = 0;
    options.frameVersion = version;
    options.seed = 7 + version;
    OpenFaceData(options);
    for (int i = 0; i < options.frameCount; ++i) {
      FaceFrame frame;
      ASSERT_TRUE(ReadFrame(file_, frame)) << "frame " << i;
      ExpectFrame(frame, fx::FrameValues(options, i));
    }
    scn::String rest = "unset";
    EXPECT_TRUE(ReadToken(file_, rest));
    EXPECT_EQ(rest, "") << "the file ends after the last frame";
    scn::FreeFile(file_);
  }
}

TEST_F(FaceDataTest, CrLfLineEndsBreakTheFrameReaders) {
  // The empty token between CR and LF is no number: readers fail rather than read shifted values.
  fx::FaceCaptureOptions options;
  options.frameCount = 1;
  options.imageCount = 0;
  options.crlf = true;
  OpenFaceData(options);
  FaceFrame frame;
  EXPECT_FALSE(ReadFrame(file_, frame));
}

}  // namespace
