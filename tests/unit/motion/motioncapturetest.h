// A motion capture object in a document of an in-process host, loading generated capture folders.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "inprocesshost.h"
#include "kinetra_fixture/bodycapturefixture.h"
#include "motion/motioncapture.h"
#include "registry/registry.h"
#include "scene/sceneservice.h"

namespace motiontest {

namespace fx = kinetra::fixture;

// The phone's matrix as the host sees it: translation scaled to centimetres, then mirrored in x on
// both sides, by plain matrix products.
inline scn::Matrix HostMatrix(const fx::BinaryMatrix& f) {
  scn::Matrix m;
  m.v1 = {f[0], f[1], f[2]};
  m.v2 = {f[4], f[5], f[6]};
  m.v3 = {f[8], f[9], f[10]};
  m.off = {f[12] * 100.0f, f[13] * 100.0f, f[14] * 100.0f};
  scn::Matrix mirror;
  mirror.v1 = {-1, 0, 0};
  return mirror * m * mirror;
}

// Bytes of a frame entry of motionData.bin with jointCount matrices in each list, and where its
// parts start.
inline constexpr std::size_t kHeaderBytes = 8;
inline constexpr std::size_t kAxesAt = 64;
inline constexpr std::size_t kListACountAt = 64 + 36 + 64 + 4;
inline std::size_t ListBCountAt(int jointCount) {
  return kListACountAt + 4 + 64 * jointCount;
}
inline std::size_t EntryBytes(int jointCount) {
  return ListBCountAt(jointCount) + 4 + 64 * jointCount;
}

class MotionCaptureTest : public InProcessHostTest {
 protected:
  void SetUp() override {
    InProcessHostTest::SetUp();
    H().registry().SetStarting(true);
    ASSERT_TRUE(RegisterMotionCaptureObject());
    H().registry().SetStarting(false);
    doc_ = H().scene().NewDocument();
    node_ = scn::AllocateObject(kMotionCaptureObjectId);
    ASSERT_TRUE(scn::InsertObject(doc_, node_));
    motion_ = GetMotionCaptureObject(node_);
    ASSERT_NE(motion_, nullptr);
  }
  void TearDown() override {
    H().scene().FreeAll();
    InProcessHostTest::TearDown();
  }

  scn::Container& C() { return *scn::GetNodeContainer(node_); }

  std::filesystem::path Generate(const fx::BodyCaptureOptions& options) {
    std::string error;
    EXPECT_TRUE(fx::WriteBodyCapture(temp_ / "captures", options, &error)) << error;
    return temp_ / "captures" / options.name;
  }

  // Points parameter 1000 at the folder's motionData.bin, as the capture manager does, and loads.
  bool Load(const std::filesystem::path& folder) {
    C().SetFilename(kMotionFile, scn::Filename((folder / "motionData.bin").string()));
    H().status().ClearHistory();
    return motion_->LoadMotionCapture(node_);
  }

  void ExpectFrame(const MotionFrame& frame, const fx::BodyFrameValues& v) {
    EXPECT_EQ(frame.bodyMatrix, HostMatrix(v.body));
    // The second matrix's axes are plain vectors: neither mirrored nor scaled.
    EXPECT_EQ(frame.axisMatrix.v1, (scn::Vector{v.axes[0][0], v.axes[0][1], v.axes[0][2]}));
    EXPECT_EQ(frame.axisMatrix.v2, (scn::Vector{v.axes[1][0], v.axes[1][1], v.axes[1][2]}));
    EXPECT_EQ(frame.axisMatrix.v3, (scn::Vector{v.axes[2][0], v.axes[2][1], v.axes[2][2]}));
    EXPECT_EQ(frame.axisMatrix.off, scn::Vector{});
    EXPECT_EQ(frame.trailingMatrix, HostMatrix(v.trailing));
    EXPECT_EQ(frame.time, v.time);
    ASSERT_EQ(frame.matrixListA.size(), v.listA.size());
    ASSERT_EQ(frame.matrixListB.size(), v.listB.size());
    for (std::size_t j = 0; j < v.listA.size(); ++j) {
      EXPECT_EQ(frame.matrixListA[j], HostMatrix(v.listA[j])) << j;
      EXPECT_EQ(frame.matrixListB[j], HostMatrix(v.listB[j])) << j;
    }
  }

  // Every frame the object holds is whole and equals the generated one.
  void ExpectFramesAsGenerated(const fx::BodyCaptureOptions& options) {
    for (std::size_t i = 0; i < motion_->frames.size(); ++i) {
      SCOPED_TRACE("frame " + std::to_string(i));
      ExpectFrame(*motion_->frames[i], fx::BodyFrameAt(options, static_cast<int>(i)));
    }
  }

  void ExpectStatusCleared() {
    EXPECT_EQ(H().status().Text(), "");
    EXPECT_EQ(H().status().Progress(), -1);
  }

  scn::Document* doc_ = nullptr;
  scn::SceneNode* node_ = nullptr;
  MotionCaptureObject* motion_ = nullptr;
};

}  // namespace motiontest
