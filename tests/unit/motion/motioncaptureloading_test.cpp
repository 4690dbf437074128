// Loading generated body captures into a motion capture object: frames, skeleton, settings, the
// derived body matrix and what the status bar shows.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "motioncapturetest.h"

namespace {

using namespace motiontest;

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(MotionCaptureTest, LoadsFramesSkeletonAndSettingsAsGenerated) {
  fx::BodyCaptureOptions options;
  options.name = "Walk";
  options.jointCount = 5;
  options.frameCount = 7;
  options.seed = 3;
  options.fps = 60.0;
  options.mode = 2;
  C().SetInt32(kMotionLength, -7);
  ASSERT_TRUE(Load(Generate(options)));

  EXPECT_TRUE(motion_->loaded);
  EXPECT_EQ(motion_->lastFrame, kNoMotionFrame);
  EXPECT_EQ(motion_->leadingWord, fx::kMotionDataLeadingWord);
  EXPECT_EQ(motion_->settings.fps, 60.0);
  EXPECT_EQ(motion_->settings.frameCount, 7);
  EXPECT_EQ(motion_->settings.value, 2);
  EXPECT_EQ(C().GetInt32(kMotionLength), 7);
  ASSERT_EQ(motion_->frames.size(), 7u);
  ExpectFramesAsGenerated(options);

  const fx::BodySkeletonValues skeleton = fx::BodySkeleton(options);
  ASSERT_EQ(motion_->joints.size(), skeleton.joints.size());
  const auto lines = H().diagnostics().Lines();
  for (std::size_t j = 0; j < skeleton.joints.size(); ++j) {
    const fx::BodyJointValues& want = skeleton.joints[j];
    const MotionJoint& got = motion_->joints[j];
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(got.jointIndex, want.jointIndex);
    EXPECT_EQ(got.parentIndex, want.parentIndex);
    EXPECT_EQ(got.tracked, want.tracked) << want.name;
    EXPECT_TRUE(HasLine(lines, want.tracked ? want.name + " tracked" : want.name)) << want.name;
  }
  ASSERT_EQ(motion_->restMatricesA.size(), skeleton.restA.size());
  ASSERT_EQ(motion_->restMatricesB.size(), skeleton.restB.size());
  for (std::size_t j = 0; j < skeleton.restA.size(); ++j) {
    EXPECT_EQ(motion_->restMatricesA[j], HostMatrix(skeleton.restA[j])) << j;
    EXPECT_EQ(motion_->restMatricesB[j], HostMatrix(skeleton.restB[j])) << j;
  }

  ExpectStatusCleared();
  const auto shown = H().status().History();
  EXPECT_TRUE(HasLine(shown, scn::LoadResourceString(11000)));
}

// Components of a that differ from b by more than rounding.
void ExpectNear(const scn::Vector& a, const scn::Vector& b, const char* what) {
  EXPECT_NEAR(a.x, b.x, 1e-9) << what;
  EXPECT_NEAR(a.y, b.y, 1e-9) << what;
  EXPECT_NEAR(a.z, b.z, 1e-9) << what;
}

TEST_F(MotionCaptureTest, HostBodyMatrixAddsTheQuarterTurnInModeOneOnly) {
  // By hand: a half turn about y negates the x and z axes; a quarter turn about z before it
  // makes the x axis the body's y axis and the y axis its x axis.
  struct Case {
    int mode;
    bool quarterTurn;
  };
  const Case cases[] = {{1, true}, {0, true} /* a stored 0 reads as 1 */, {2, false}, {3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    fx::BodyCaptureOptions options;
    options.name = "Mode" + std::to_string(c.mode);
    options.frameCount = 3;
    options.jointCount = 2;
    options.mode = c.mode;
    ASSERT_TRUE(Load(Generate(options)));
    ASSERT_EQ(motion_->frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      const MotionFrame& frame = *motion_->frames[i];
      const scn::Matrix body = HostMatrix(fx::BodyFrameAt(options, i).body);
      EXPECT_EQ(frame.bodyMatrix, body) << "the first matrix is stored as read";
      const scn::Matrix& turned = frame.hostBodyMatrix;
      ExpectNear(turned.off, body.off, "offset");
      ExpectNear(turned.v1, c.quarterTurn ? body.v2 : body.v1 * -1.0, "x axis");
      ExpectNear(turned.v2, c.quarterTurn ? body.v1 : body.v2, "y axis");
      ExpectNear(turned.v3, body.v3 * -1.0, "z axis");
    }
  }
}

TEST_F(MotionCaptureTest, AnyNonZeroTrackedFlagMeansTracked) {
  fx::BodyCaptureOptions options;
  options.jointCount = 3;
  options.frameCount = 1;
  const auto folder = Generate(options);
  // Each joint: its name and 0, then index, parent and the flag.
  std::string bytes = ReadFileBytes(folder / "skeleton.bin");
  const std::int32_t flags[] = {-3, 0, 256};
  std::size_t at = 4;
  for (const fx::BodyJointValues& joint : fx::BodySkeleton(options).joints) {
    at += joint.name.size() + 1 + 8;
    const auto flag = static_cast<std::uint32_t>(flags[joint.jointIndex]);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(flag >> (8 * i));
    at += 4;
  }
  std::ofstream(folder / "skeleton.bin", std::ios::binary | std::ios::trunc) << bytes;
  ASSERT_TRUE(Load(folder));
  ASSERT_EQ(motion_->joints.size(), 3u);
  EXPECT_TRUE(motion_->joints[0].tracked);
  EXPECT_FALSE(motion_->joints[1].tracked);
  EXPECT_TRUE(motion_->joints[2].tracked);
}

TEST_F(MotionCaptureTest, AnEmptyCaptureLoadsWithItsSkeleton) {
  fx::BodyCaptureOptions options;
  options.frameCount = 0;
  options.jointCount = 3;
  C().SetInt32(kMotionLength, -7);
  ASSERT_TRUE(Load(Generate(options)));
  EXPECT_TRUE(motion_->loaded);
  EXPECT_TRUE(motion_->frames.empty());
  EXPECT_EQ(motion_->joints.size(), 3u);
  EXPECT_EQ(C().GetInt32(kMotionLength), 0);
  ExpectStatusCleared();
}

TEST_F(MotionCaptureTest, MissingOrBadSettingsLeaveTheDefaults) {
  struct Case {
    const char* what;
    const char* settings;  // null: no file
  };
  // The bad one fails at its frame count, after a frame rate that must not stay.
  const Case cases[] = {{"missing", nullptr}, {"bad frame count", "2\n60.0\nfalse\nmany\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fx::BodyCaptureOptions options;
    options.name = c.settings ? "Bad" : "Missing";
    options.frameCount = 0;  // the default frame count
    options.fps = 60.0;
    options.mode = 2;
    const auto folder = Generate(options);
    std::filesystem::remove(folder / "settings.txt");
    if (c.settings) std::ofstream(folder / "settings.txt") << c.settings;
    ASSERT_TRUE(Load(folder));
    EXPECT_EQ(motion_->settings.fps, 30.0);
    EXPECT_EQ(motion_->settings.value, 1);
    EXPECT_EQ(motion_->settings.frameCount, 0);
  }
}

TEST_F(MotionCaptureTest, AReloadReplacesFramesAndSkeleton) {
  fx::BodyCaptureOptions first;
  first.name = "First";
  first.frameCount = 4;
  first.jointCount = 3;
  fx::BodyCaptureOptions second = first;
  second.name = "Second";
  second.frameCount = 2;
  second.jointCount = 6;
  second.seed = 11;
  const auto firstFolder = Generate(first);
  const auto secondFolder = Generate(second);

  ASSERT_TRUE(Load(firstFolder));
  ASSERT_TRUE(Load(firstFolder));
  EXPECT_EQ(motion_->frames.size(), 4u);
  EXPECT_EQ(motion_->joints.size(), 3u) << "a reload must not add a second skeleton";
  EXPECT_EQ(motion_->restMatricesA.size(), 3u);
  EXPECT_EQ(H().memory().LiveBlocksAt("motionframe"), 4u);

  ASSERT_TRUE(Load(secondFolder));
  ASSERT_EQ(motion_->frames.size(), 2u);
  ExpectFramesAsGenerated(second);
  EXPECT_EQ(motion_->joints.size(), 6u);
  EXPECT_EQ(motion_->restMatricesB.size(), 6u);
  EXPECT_EQ(H().memory().LiveBlocksAt("motionframe"), 2u);

  H().scene().FreeAll();
  EXPECT_EQ(H().memory().LiveBlocksAt("motionframe"), 0u) << "the object frees its frames";
}

}  // namespace
