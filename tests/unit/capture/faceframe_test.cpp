// Face frames: defaults, copies, and their scene record through a host record file.
#include "face/faceframe.h"

#include "basecapture.h"

#include <gtest/gtest.h>

#include "files/recordfile.h"
#include "inprocesshost.h"

namespace {

using host::RecordFile;

class FaceFrameTest : public InProcessHostTest {};

scn::Matrix M(double base) {
  return {{base, base + 1, base + 2}, {base + 3, 0, 0}, {0, base + 4, 0}, {0, 0, base + 5}};
}

// A frame whose every field differs from a fresh one.
FaceFrame Filled(scn::Int32 version, int vertexCount) {
  FaceFrame f;
  f.version = version;
  f.cameraMatrix = M(1);
  f.faceMatrix = M(10);
  f.cameraIntrinsics = M(20);
  f.hostCameraMatrix = M(30);
  for (int i = 0; i < vertexCount; ++i) f.vertices.push_back({i * 0.5, -i * 0.25, i + 0.125});
  for (int i = 0; i < kBlendshapeCount; ++i) f.weights[i] = i / 64.0f;
  f.extraVector = {7, 8, 9};
  f.extraValue = 0.75;
  for (int i = 0; i < kFrameExtraValueCount; ++i) f.extraValues[i] = i * 1.5;
  f.leftEyeMatrix = M(40);
  f.rightEyeMatrix = M(50);
  f.eyeVector = {-1, -2, -3};
  f.eyeValue = 4.5;
  f.ownImage = false;
  f.imageFrameIndex = 3;
  f.nextImageFrameIndex = 9;
  return f;
}

void ExpectSame(const FaceFrame& a, const FaceFrame& b) {
  EXPECT_EQ(a.version, b.version);
  EXPECT_EQ(a.cameraMatrix, b.cameraMatrix);
  EXPECT_EQ(a.faceMatrix, b.faceMatrix);
  EXPECT_EQ(a.cameraIntrinsics, b.cameraIntrinsics);
  EXPECT_EQ(a.hostCameraMatrix, b.hostCameraMatrix);
  EXPECT_EQ(a.vertices, b.vertices);
  EXPECT_EQ(a.weights, b.weights);
  EXPECT_EQ(a.extraVector, b.extraVector);
  EXPECT_EQ(a.extraValue, b.extraValue);
  EXPECT_EQ(a.extraValues, b.extraValues);
  EXPECT_EQ(a.leftEyeMatrix, b.leftEyeMatrix);
  EXPECT_EQ(a.rightEyeMatrix, b.rightEyeMatrix);
  EXPECT_EQ(a.eyeVector, b.eyeVector);
  EXPECT_EQ(a.eyeValue, b.eyeValue);
  EXPECT_EQ(a.ownImage, b.ownImage);
  EXPECT_EQ(a.imageFrameIndex, b.imageFrameIndex);
  EXPECT_EQ(a.nextImageFrameIndex, b.nextImageFrameIndex);
}

TEST(FaceFrameDefaults, ANewFrameIsItsOwnImageFrame) {
  const FaceFrame f;
  EXPECT_TRUE(f.ownImage);
  EXPECT_EQ(f.imageFrameIndex, 0);
  EXPECT_EQ(f.nextImageFrameIndex, 1);
  EXPECT_EQ(f.cameraMatrix, scn::Matrix{});
  EXPECT_EQ(f.hostCameraMatrix, scn::Matrix{});
  EXPECT_EQ(f.leftEyeMatrix, scn::Matrix{});
  EXPECT_TRUE(f.vertices.empty());
  for (float w : f.weights) EXPECT_EQ(w, 0.0f);
  EXPECT_EQ(f.eyeVector, scn::Vector{});
  EXPECT_EQ(f.eyeValue, 0.0);
}

TEST(FaceFrameCopies, CopyConstructionAndAssignmentCopyEveryField) {
  const FaceFrame source = Filled(2, 5);
  FaceFrame copy(source);
  ExpectSame(copy, source);
  FaceFrame assigned = Filled(1, 100);
  assigned = source;
  ExpectSame(assigned, source);
  copy.vertices[0].x = 99;
  EXPECT_EQ(source.vertices[0].x, 0.0) << "the vertex array is copied, not shared";
}

TEST_F(FaceFrameTest, RecordsRoundTripForBothVersionsAndNoVertices) {
  struct Case {
    const char* what;
    scn::Int32 version;
    int vertexCount;
  };
  const Case cases[] = {{"version 2", 2, kFaceVertexCount}, {"version 1", 1, 3}, {"no vertices", 2, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FaceFrame written = Filled(c.version, c.vertexCount);
    auto w = RecordFile::ForWriting();
    ASSERT_TRUE(written.Write(w.get()));

    auto r = RecordFile::ForReading(RecordFile::Bytes(*w));
    FaceFrame read;
    read.vertices = {{5, 5, 5}};  // replaced, not appended to
    read.weights[51] = 0.5f;
    read.leftEyeMatrix = M(90);
    read.rightEyeMatrix = M(91);
    read.eyeVector = {9, 9, 9};
    read.eyeValue = 9;
    ASSERT_TRUE(read.Read(r.get()));
    EXPECT_TRUE(RecordFile::AtEnd(*r)) << "the frame read all that it wrote";

    FaceFrame expected = written;
    if (c.version == 1) {
      // No weight 52 and no eye values in a version-1 record: the reader keeps what it held.
      expected.weights[51] = 0.5f;
      expected.leftEyeMatrix = M(90);
      expected.rightEyeMatrix = M(91);
      expected.eyeVector = {9, 9, 9};
      expected.eyeValue = 9;
    }
    ExpectSame(read, expected);
  }
}

TEST_F(FaceFrameTest, RecordLayoutOfAVersion1Frame) {
  // Int32, 4 Matrices, Int32 n, n Vectors, 51 Float32, Vector, Float64, 27 Float64, Bool, Int32, Int32.
  auto w = RecordFile::ForWriting();
  ASSERT_TRUE(Filled(1, 2).Write(w.get()));
  const std::size_t matrix = 1 + 96, vector = 1 + 24, int32 = 1 + 4, float32 = 1 + 4, float64 = 1 + 8;
  const std::size_t expected = int32 + 4 * matrix + int32 + 2 * vector + 51 * float32 + vector + float64 +
                               27 * float64 + (1 + 1) + int32 + int32;
  EXPECT_EQ(RecordFile::Bytes(*w).size(), expected);
  auto w2 = RecordFile::ForWriting();
  ASSERT_TRUE(Filled(2, 2).Write(w2.get()));
  EXPECT_EQ(RecordFile::Bytes(*w2).size(), expected + float32 + 2 * matrix + vector + float64);
}

TEST_F(FaceFrameTest, TruncatedOrGarbledRecordsFail) {
  auto w = RecordFile::ForWriting();
  ASSERT_TRUE(Filled(2, 4).Write(w.get()));
  const std::string whole = RecordFile::Bytes(*w);
  for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
    auto r = RecordFile::ForReading(whole.substr(0, cut));
    FaceFrame f;
    EXPECT_FALSE(f.Read(r.get())) << "cut at " << cut;
  }

  // A vertex count far beyond what follows, and a negative one.
  for (scn::Int32 count : {0x7FFFFFFF, -1}) {
    auto bad = RecordFile::ForWriting();
    FaceFrame f = Filled(2, 0);
    ASSERT_TRUE(scn::WriteRecordInt32(bad.get(), 2));
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(scn::WriteRecordMatrix(bad.get(), M(i)));
    ASSERT_TRUE(scn::WriteRecordInt32(bad.get(), count));
    ASSERT_TRUE(scn::WriteRecordVector(bad.get(), {1, 2, 3}));
    auto r = RecordFile::ForReading(RecordFile::Bytes(*bad));
    EXPECT_FALSE(f.Read(r.get())) << count;
  }

  // A type mismatch: a Float64 where the version stands.
  auto mismatch = RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteRecordFloat64(mismatch.get(), 2.0));
  auto r = RecordFile::ForReading(RecordFile::Bytes(*mismatch));
  FaceFrame f;
  EXPECT_FALSE(f.Read(r.get()));
}

TEST_F(FaceFrameTest, WritingStopsAtTheFirstFailedValue) {
  const FaceFrame frame = Filled(2, 10);
  for (int allowed : {0, 1, 5, 15, 40}) {
    auto w = RecordFile::ForWriting();
    RecordFile::FailAfter(*w, allowed);
    EXPECT_FALSE(frame.Write(w.get())) << allowed;
  }
}

}  // namespace
